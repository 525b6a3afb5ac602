// Lays out a resource section (directory tables, data entries, name strings, data).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/pe/pe_resources.h"

// Fills `section` with the resource section for `resources`, to be mapped at `sectionRva`.
// The directory is sorted (names before ids at each level); the bytes do not depend on the
// order of `resources`. Fails on two resources with the same key or sizes past 2 GiB.
bool buildResourceSection(const std::vector<PeResource>& resources, uint32_t sectionRva,
                          std::vector<uint8_t>& section, std::string& error);
