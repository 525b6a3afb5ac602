// "Did you mean" for a file that is not found.
#pragma once

#include <filesystem>
#include <string>

// For a path that does not exist: the same path, as written (UTF-8, `written` relative to
// `baseDir` or absolute), with each missing part replaced by the one entry of its folder whose
// name differs from it only by letter case or accent composition, or that is it with ".txt"
// added (Notepad's habit). "" when there is no such file.
std::string nearExistingName(const std::filesystem::path& baseDir, const std::string& written);
