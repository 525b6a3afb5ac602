#include "tools/cli/files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

constexpr size_t kChunk = 64 * 1024;

// The system's reasons in French: its own texts follow the machine's language, often English.
std::string systemReason(int code) {
    switch (code) {
    case ENOENT: return "fichier ou dossier introuvable";
    case EACCES:
    case EPERM: return "accès refusé (droits d'accès ?)";
    case ENOSPC: return "plus de place sur le disque";
    case EROFS: return "le disque est en lecture seule";
    case EISDIR: return "c'est un dossier";
    case ENOTDIR: return "un élément du chemin n'est pas un dossier";
    case EEXIST: return "le fichier existe déjà";
    case EIO: return "erreur d'entrée-sortie du disque";
    case ENAMETOOLONG: return "nom trop long";
    case EXDEV: return "impossible de déplacer le fichier vers un autre disque";
    case EBUSY: return "le fichier est occupé";
    case EMFILE:
    case ENFILE: return "trop de fichiers ouverts";
    case ENOMEM: return "mémoire insuffisante";
    default: return "erreur système " + std::to_string(code);
    }
}

std::string systemReason(const std::error_code& ec) {
    return systemReason(ec.default_error_condition().value());
}

// Small limits exactly: "65535 octets", not "64 Ko".
std::string sizeText(uintmax_t bytes, const ReadLimit& limit) {
    return limit.bytes < (uintmax_t(1) << 20) ? std::to_string(bytes) + " octets" : byteSize(bytes);
}

std::string randomSuffix() {
    std::random_device device;
    std::uniform_int_distribution<unsigned> digits(0, 0xFFFFFF);
    char text[16];
    std::snprintf(text, sizeof text, "%06x", digits(device));
    return text;
}

// Reads `in` to its end or until `limit` is passed (one byte more is enough to know).
bool readBounded(std::FILE* in, ReadLimit limit, std::vector<uint8_t>& bytes, std::string& error) {
    bytes.clear();
    uint8_t chunk[kChunk];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0) {
        if (bytes.size() + got > limit.bytes) {
            error = "il dépasse " + sizeText(limit.bytes, limit) + ", la taille maximale pour " +
                    limit.what;
            return false;
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    if (std::ferror(in)) {
        error = "sa lecture a échoué (" + systemReason(errno) + ")";
        return false;
    }
    return true;
}

int openExclusive(const fs::path& path) {
#ifdef _WIN32
    return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
}

bool writeAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const size_t step = std::min(bytes.size() - done, kChunk);
#ifdef _WIN32
        const int n = _write(fd, bytes.data() + done, static_cast<unsigned>(step));
#else
        const ssize_t n = ::write(fd, bytes.data() + done, step);
        if (n < 0 && errno == EINTR) continue;
#endif
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

int closeFile(int fd) {
#ifdef _WIN32
    return _close(fd);
#else
    return ::close(fd);
#endif
}

// A new file of our own beside `target`: never an existing one, nor one a link points to.
bool writeTemporary(const fs::path& target, const std::vector<uint8_t>& bytes, fs::path& temp,
                    std::string& error) {
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        fs::path leaf = ".";
        leaf += target.filename();  // native: no conversion that could fail on Windows
        leaf += "." + randomSuffix() + ".tmp";
        temp = dir / leaf;
        fd = openExclusive(temp);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        error = "impossible de créer '" + displayPath(target) + "' : " + systemReason(errno);
        return false;
    }
    const bool written = writeAll(fd, bytes);
    const int writeErrno = errno;
    const bool closed = closeFile(fd) == 0;
    if (written && closed) return true;
    std::error_code ignored;
    fs::remove(temp, ignored);
    error = "l'écriture de '" + displayPath(target) + "' a échoué (" +
            systemReason(written ? errno : writeErrno) + ") ; rien n'a été remplacé";
    return false;
}

}  // namespace

void setBinary(std::FILE* stream) {
#ifdef _WIN32
    _setmode(_fileno(stream), _O_BINARY);
#else
    (void)stream;
#endif
}

fs::path resolveQuizPath(const fs::path& baseDir, const std::string& utf8Name) {
    // 'images\photo.jpg' between apostrophes is a Windows maker's folder, on every system.
    std::string portable = utf8Name;
    for (char& c : portable)
        if (c == '\\') c = '/';
    const fs::path name = fs::u8path(portable);
    return name.is_absolute() ? name : baseDir / name;
}

std::string displayPath(const fs::path& path) { return path.u8string(); }

std::string byteSize(uintmax_t bytes) {
    char text[32];
    if (bytes >= 1024 * 1024) {
        std::snprintf(text, sizeof text, "%.1f Mo", static_cast<double>(bytes) / (1024 * 1024));
        if (char* point = std::strchr(text, '.')) *point = ',';  // French decimal comma
    } else if (bytes >= 1024) {
        std::snprintf(text, sizeof text, "%ju Ko", (bytes + 512) / 1024);
    } else {
        std::snprintf(text, sizeof text, "%ju octets", bytes);
    }
    return text;
}

bool readFileBytes(const fs::path& path, std::vector<uint8_t>& bytes, std::string& error,
                   ReadLimit limit) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) {
        error = ec && ec != std::errc::no_such_file_or_directory ? systemReason(ec)
                                                                 : "fichier introuvable";
        return false;
    }
    if (fs::is_directory(status)) {
        error = "c'est un dossier, pas un fichier";
        return false;
    }
    // Opening a pipe would wait for a writer, and a device may never end.
    if (!fs::is_regular_file(status)) {
        error = "ce n'est pas un fichier ordinaire (périphérique, tube ou socket)";
        return false;
    }
    const uintmax_t size = fs::file_size(path, ec);
    if (!ec && size > limit.bytes) {
        error = "il fait " + sizeText(size, limit) + " ; la taille maximale pour " + limit.what +
                " est " + sizeText(limit.bytes, limit);
        return false;
    }
#ifdef _WIN32
    std::FILE* in = _wfopen(path.c_str(), L"rb");
#else
    std::FILE* in = std::fopen(path.c_str(), "rb");
#endif
    if (!in) {
        error = "impossible de l'ouvrir (" + systemReason(errno) + ")";
        return false;
    }
    const bool ok = readBounded(in, limit, bytes, error);
    std::fclose(in);
    return ok;
}

bool readInput(const std::string& name, ReadLimit limit, std::vector<uint8_t>& bytes,
               std::string& error) {
    if (name != "-") return readFileBytes(fs::path(name), bytes, error, limit);
    setBinary(stdin);
    return readBounded(stdin, limit, bytes, error);
}

bool checkOutputPath(const fs::path& target, const std::vector<fs::path>& inputs,
                     std::string& error) {
    const std::string shown = "'" + displayPath(target) + "'";
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(target, ec);
    if (!fs::exists(status)) return true;
    if (fs::is_symlink(status)) {
        const fs::path pointee = fs::read_symlink(target, ec);
        error = shown + " est un lien symbolique" +
                (ec ? std::string() : " vers '" + displayPath(pointee) + "'") +
                " ; il n'est pas remplacé : indiquez directement le fichier voulu";
        return false;
    }
    if (fs::is_directory(status)) {
        error = shown + " est un dossier ; indiquez un nom de fichier";
        return false;
    }
    if (!fs::is_regular_file(status)) {
        error = shown +
                " n'est pas un fichier ordinaire (périphérique, tube ou socket) ; il "
                "n'est jamais remplacé";
        return false;
    }
    for (const fs::path& input : inputs) {
        // equivalent() compares device and inode (file index on Windows), whatever the names.
        if (fs::equivalent(target, input, ec) && !ec) {
            error = shown + " est aussi un fichier lu par cette commande ('" + displayPath(input) +
                    "') ; écrivez dans un autre fichier";
            return false;
        }
    }
    return true;
}

bool writeFileReplacing(const fs::path& target, const std::vector<uint8_t>& bytes,
                        std::string& error, const std::vector<fs::path>& inputs) {
    if (!checkOutputPath(target, inputs, error)) return false;
    fs::path temp;
    if (!writeTemporary(target, bytes, temp, error)) return false;
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        // Windows keeps a running program's file: the quiz being tried is still open.
        const bool inUse = ec == std::errc::permission_denied ||
                           ec == std::errc::device_or_resource_busy ||
                           ec == std::errc::text_file_busy;
        error = "impossible de mettre '" + displayPath(target) +
                "' en place : " + systemReason(ec) +
                (inUse && fs::exists(target, ignored) ? " ; fermez le quiz s'il est ouvert, puis "
                                                        "recommencez"
                                                      : "");
        return false;
    }
    return true;
}

void writeStandardOutput(const void* data, size_t size) {
    setBinary(stdout);
    std::fwrite(data, 1, size, stdout);
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
