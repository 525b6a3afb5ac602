// Writing the saved answers file so that nothing the save does can destroy the old one.
#pragma once

#include <windows.h>

#include <string>

#include "ui/answer_places.h"

struct WriteResult {
    SaveFailure failure;  // None when the file holds content
    bool noTempFile;      // no temporary file could be made beside it
};

// The content is written whole to a new temporary file beside path, then swapped in (retried a
// short while when another program holds the file). Our stale temporary files are removed
// first. The folder is made when missing. Whatever fails, the old file stays as it was.
WriteResult replaceFileContent(const std::wstring& path, const std::string& content);
// The last way, for an existing file in a folder that takes no new file: rewritten where it is;
// when a write fails, its old bytes are put back.
SaveFailure rewriteInPlace(const std::wstring& path, const std::string& content);

SaveFailure failureOfError(DWORD error);
