// Files of the quiz commands: whole-file reads, replacing writes, where the tool lives.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A name from a quiz file (UTF-8, relative to the quiz file unless absolute) as a path.
std::filesystem::path resolveQuizPath(const std::filesystem::path& baseDir,
                                      const std::string& utf8Name);

// A path for messages (UTF-8).
std::string displayPath(const std::filesystem::path& path);

// Reads the whole file. On failure `error` says why in a few words ("no such file").
bool readFileBytes(const std::filesystem::path& path, std::vector<uint8_t>& bytes,
                   std::string& error);

// Writes `bytes` to a new temporary file beside `target` and renames it into place, so that
// `target` is either left as it was or holds all of `bytes`.
bool writeFileReplacing(const std::filesystem::path& target, const std::vector<uint8_t>& bytes,
                        std::string& error);

// The folder of the running executable; empty when it cannot be found.
std::filesystem::path toolDirectory();

// Whether both paths name one existing file.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);
