// DLLs come from Windows' own folder only: one of the same name beside the quiz (a Downloads
// folder holds anything) never runs inside it.
#pragma once

#include <windows.h>

// For the whole process: DLLs loaded from now on by name, by the player or by the system on its
// behalf, are looked for in the system folder only (not in the executable's folder nor the
// current directory). Called first thing at start.
void keepDllSearchToSystemFolder();

// A system DLL by its file name ("atl.dll"), from the system folder only; null when it is not
// there.
HMODULE loadSystemLibrary(const char* name);
