// Whether bytes a resource entry points at lie inside the module they were loaded from.
#pragma once

#include <windows.h>

// module null: the executable. A module loaded as a data file (its handle's low bits set) is
// measured as the file mapping it is.
bool insideLoadedModule(HMODULE module, const void* data, DWORD size);
