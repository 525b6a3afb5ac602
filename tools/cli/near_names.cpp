#include "tools/cli/near_names.h"

#include <system_error>
#include <vector>

#include "tools/text/compose.h"

namespace fs = std::filesystem;

namespace {

constexpr char kNotepadSuffix[] = ".txt";

// Composed and lower case, for the letters of French (ASCII and U+00C0..U+00DE).
std::string folded(const std::string& utf8) {
    std::string out = composeLatin(utf8);
    for (size_t i = 0; i < out.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z') out[i] = static_cast<char>(c - 'A' + 'a');
        if (c == 0xC3 && i + 1 < out.size()) {
            c = static_cast<unsigned char>(out[i + 1]);
            if (c >= 0x80 && c <= 0x9E && c != 0x97) out[i + 1] = static_cast<char>(c + 0x20);
            ++i;
        }
    }
    return out;
}

// The entry of `dir` that `part` most likely means: same name but for case and composition,
// or the name with ".txt" added. "" when none, or when several fit equally.
std::string nearEntry(const fs::path& dir, const std::string& part, bool last) {
    std::error_code ec;
    fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec), end;
    std::string found;
    int matches = 0;
    const std::string wanted = folded(part);
    for (; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().u8string();
        const bool same = folded(name) == wanted;
        const bool notepad = last && folded(name) == wanted + kNotepadSuffix;
        if (same || notepad) {
            found = name;
            ++matches;
        }
    }
    return matches == 1 ? found : "";
}

}  // namespace

std::string nearExistingName(const fs::path& baseDir, const std::string& written) {
    std::string portable = written;
    for (char& c : portable)
        if (c == '\\') c = '/';
    const fs::path name = fs::u8path(portable);
    std::vector<std::string> parts;
    for (const fs::path& p : name.relative_path()) parts.push_back(p.u8string());
    fs::path at = name.is_absolute() ? name.root_path() : baseDir;
    std::string shown = name.is_absolute() ? name.root_path().u8string() : "";
    bool changed = false;
    for (size_t i = 0; i < parts.size(); ++i) {
        std::string part = parts[i];
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(at / fs::u8path(part), ec))) {
            part = nearEntry(at, part, i + 1 == parts.size());
            if (part.empty()) return "";
            changed = true;
        }
        at /= fs::u8path(part);
        shown += (i > 0 ? "/" : "") + part;
    }
    return changed ? shown : "";
}
