#include "tools/quizfile/file_io.h"

#include <fstream>
#include <iterator>
#include <random>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

// Far beyond any picture or clip a quiz carries, and beyond what a PE image can hold whole.
constexpr uintmax_t kMaxFileBytes = uintmax_t(1) << 30;

std::string randomSuffix() {
    std::random_device device;
    std::uniform_int_distribution<unsigned> digits(0, 0xFFFFFF);
    char text[16];
    std::snprintf(text, sizeof text, "%06x", digits(device));
    return text;
}

}  // namespace

fs::path resolveQuizPath(const fs::path& baseDir, const std::string& utf8Name) {
    const fs::path name = fs::u8path(utf8Name);
    return name.is_absolute() ? name : baseDir / name;
}

std::string displayPath(const fs::path& path) { return path.u8string(); }

bool readFileBytes(const fs::path& path, std::vector<uint8_t>& bytes, std::string& error) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) {
        error = "fichier introuvable";
        return false;
    }
    if (fs::is_directory(status)) {
        error = "c'est un dossier, pas un fichier";
        return false;
    }
    const uintmax_t size = fs::file_size(path, ec);
    if (!ec && size > kMaxFileBytes) {
        error = "le fichier dépasse 1 Go";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "impossible de l'ouvrir (droits d'accès ?)";
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = "sa lecture a échoué";
        return false;
    }
    return true;
}

bool writeFileReplacing(const fs::path& target, const std::vector<uint8_t>& bytes,
                        std::string& error) {
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    fs::path temp;
    do {
        temp = dir / ("." + target.filename().string() + "." + randomSuffix() + ".tmp");
    } while (fs::exists(temp));
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = "impossible de créer un fichier dans '" + displayPath(dir) + "'";
            return false;
        }
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(temp, ignored);
            error = "l'écriture de '" + displayPath(temp) + "' a échoué (disque plein ?)";
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        error = "impossible de mettre '" + displayPath(target) + "' en place : " + ec.message();
        return false;
    }
    return true;
}

fs::path toolDirectory() {
#ifdef _WIN32
    char buffer[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) return fs::path();
    return fs::path(std::string(buffer, length)).parent_path();
#else
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : self.parent_path();
#endif
}

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::exists(a, ec) && fs::exists(b, ec) && fs::equivalent(a, b, ec) && !ec;
}
