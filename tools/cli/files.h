// Files of every velto command: bounded reads of regular files, outputs that never destroy
// what they should not, standard input and output.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

// What a read may hold at most; the name is for messages ("un fichier de quiz").
struct ReadLimit {
    uintmax_t bytes;
    const char* what;
};

constexpr ReadLimit kQuizFileLimit = {uintmax_t(4) << 20, "un fichier de quiz"};
constexpr ReadLimit kPictureLimit = {uintmax_t(16) << 20, "une image"};
constexpr ReadLimit kClipLimit = {uintmax_t(256) << 20, "un extrait"};
constexpr ReadLimit kExecutableLimit = {uintmax_t(1) << 30, "un exécutable"};

// A name from a quiz file (UTF-8, relative to the quiz file unless absolute; '\' separates
// folders as '/' does) as a path.
std::filesystem::path resolveQuizPath(const std::filesystem::path& baseDir,
                                      const std::string& utf8Name);

// A path for messages (UTF-8).
std::string displayPath(const std::filesystem::path& path);

// "1,2 Mo", "15 Ko", "840 octets".
std::string byteSize(uintmax_t bytes);

// Reads the whole of a regular file (a link to one is fine) of at most `limit` bytes; a
// device, a pipe or a folder is refused before it is opened, and the reading stops as soon as
// the limit is passed. On failure `error` says why in a few French words ("fichier
// introuvable"); the caller names the file.
bool readFileBytes(const std::filesystem::path& path, std::vector<uint8_t>& bytes,
                   std::string& error, ReadLimit limit);

// As readFileBytes, with "-" for standard input (read in binary, with the same limit).
bool readInput(const std::string& name, ReadLimit limit, std::vector<uint8_t>& bytes,
               std::string& error);

// Whether `target` may receive an output: absent, or a regular file that is none of `inputs`
// (compared as files: device and inode, not names). A link, a folder, a device or a pipe is
// refused. `error` is a whole French sentence naming the target.
bool checkOutputPath(const std::filesystem::path& target,
                     const std::vector<std::filesystem::path>& inputs, std::string& error);

// Checks `target` as above, writes `bytes` to a new temporary file beside it and renames it
// into place, so that `target` is either left as it was or holds all of `bytes`.
bool writeFileReplacing(const std::filesystem::path& target, const std::vector<uint8_t>& bytes,
                        std::string& error, const std::vector<std::filesystem::path>& inputs = {});

// Writes to standard output (binary). A byte that could not be written is reported once, as the
// command's failure, when it ends (see runGuarded in main.cpp).
void writeStandardOutput(const void* data, size_t size);

// Puts a standard stream in binary mode where text mode would translate line ends (Windows).
void setBinary(std::FILE* stream);

// The folder of the running executable; empty when it cannot be found.
std::filesystem::path toolDirectory();
