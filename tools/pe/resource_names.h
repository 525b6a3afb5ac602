// Order and display of resource names, as the resource directory needs them.
#pragma once

#include <string>

#include "tools/pe/pe_resources.h"

// Directory order: names first, by their upper-cased UTF-16 code units (a prefix sorts first),
// then ids ascending. Negative, zero or positive like strcmp.
int compareResourceNames(const ResourceName& a, const ResourceName& b);

// Orders resources by type, then name, then language: the order of a written directory.
bool resourceKeyLess(const PeResource& a, const PeResource& b);

// "PATCH" or "#104" for messages; characters outside ASCII are shown as \uXXXX.
std::string describeResourceName(const ResourceName& n);

// The upper-case form used to compare names (ASCII and Latin-1 letters).
char16_t upperResourceChar(char16_t c);
