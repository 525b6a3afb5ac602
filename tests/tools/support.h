// Helpers the host tests of the tool share: files, a scratch folder, running the built velto.
#pragma once

#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace toolstest {

namespace fs = std::filesystem;

// The sanitized twin of the velto quiz makers run (tools/CMakeLists.txt).
inline const fs::path kVelto = fs::path(VELTO_BINARY_DIR) / "bin" / "velto-checked";
// The player the build trees put beside the host tool (see scripts/build).
inline const fs::path kPlayer = fs::path(VELTO_BINARY_DIR) / "bin" / "player.exe";

inline std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<uint8_t> fileBytes(const fs::path& path) {
    const std::string text = readFile(path);
    return std::vector<uint8_t>(text.begin(), text.end());
}

inline void writeFile(const fs::path& path, const std::string& data) {
    std::ofstream(path, std::ios::binary) << data;
}

inline bool exists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

// A new empty folder under the system's temporary folder.
inline fs::path scratchFolder(const std::string& prefix) {
    std::random_device entropy;
    const fs::path dir = fs::temp_directory_path() / (prefix + std::to_string(entropy()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

// Quoted for the shell.
inline std::string quote(const std::string& text) {
    std::string quoted = "'";
    for (char ch : text) quoted += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return quoted + "'";
}

struct Outcome {
    int status;
    std::string out, err;
};

// Runs the built velto with `arguments` (quoted where needed); standard output and error go
// through files in `captures`, standard output to `stdoutPath` instead when it is given.
inline Outcome runVelto(const std::string& arguments, const fs::path& captures,
                        const std::string& stdinPath = "/dev/null",
                        const std::string& stdoutPath = "") {
    const fs::path out = captures / "stdout.txt", err = captures / "stderr.txt";
    const std::string command = quote(kVelto.string()) + " " + arguments + " <" + quote(stdinPath) +
                                " >" + quote(stdoutPath.empty() ? out.string() : stdoutPath) +
                                " 2>" + quote(err.string());
    const int raw = std::system(command.c_str());
    Outcome run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(out), readFile(err)};
    fs::remove(out);
    fs::remove(err);
    return run;
}

}  // namespace toolstest
