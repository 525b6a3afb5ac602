#include "ui/answer_places.h"

#include <cstdio>

namespace {

constexpr std::uint32_t kFnv32Offset = 2166136261u;
constexpr std::uint32_t kFnv32Prime = 16777619u;
constexpr std::uint64_t kFnv64Offset = 14695981039346656037ull;
constexpr std::uint64_t kFnv64Prime = 1099511628211ull;
constexpr char kMutexPrefix[] = "Local\\Velto-";
constexpr wchar_t kTempSuffix[] = L".new";
constexpr std::size_t kTempSuffixLength = sizeof kTempSuffix / sizeof kTempSuffix[0] - 1;
constexpr std::size_t kMaxProcessDigits = 10;

wchar_t foldedChar(wchar_t c) {
    if (c == L'/') return L'\\';
    if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c - L'A' + L'a');
    return c;
}

std::size_t withoutTrailingSeparators(const std::wstring& path) {
    std::size_t length = path.size();
    while (length > 0 && foldedChar(path[length - 1]) == L'\\') --length;
    return length;
}

bool sameFolded(const std::wstring& a, std::size_t from, const std::wstring& b) {
    if (a.size() < from + b.size()) return false;
    for (std::size_t i = 0; i < b.size(); ++i)
        if (foldedChar(a[from + i]) != foldedChar(b[i])) return false;
    return true;
}

// Each UTF-16 unit as two bytes, low first, so the value is the same on every platform.
std::uint64_t pathHash(const std::wstring& path) {
    std::uint64_t hash = kFnv64Offset;
    for (wchar_t c : path) {
        const auto unit = static_cast<std::uint32_t>(c) & 0xFFFFu;
        for (std::uint32_t byte : {unit & 0xFFu, unit >> 8}) {
            hash ^= byte;
            hash *= kFnv64Prime;
        }
    }
    return hash;
}

std::string placeLines(const FailedPlace& place) {
    return "Fichier : " + place.path + "\nRaison : " + saveFailureText(place.failure) + "\n";
}

}  // namespace

AnswerPlace placeToRead(const PlaceFacts& local, const PlaceFacts& fallback) {
    if (local.exists && fallback.exists)
        return fallback.modified > local.modified ? AnswerPlace::Fallback : AnswerPlace::Local;
    if (local.exists) return AnswerPlace::Local;
    if (fallback.exists) return AnswerPlace::Fallback;
    return AnswerPlace::None;
}

SavePlan savePlan(const WriteFacts& facts) {
    const bool local = facts.unreadable != AnswerPlace::Local;
    const bool fallback = facts.fallbackKnown && facts.unreadable != AnswerPlace::Fallback;
    if (local && !facts.localTemporary)
        return {AnswerPlace::Local, fallback ? AnswerPlace::Fallback : AnswerPlace::None};
    if (fallback) return {AnswerPlace::Fallback, AnswerPlace::None};
    // A temporary folder only when there is no other place: it may stay long enough to be useful.
    return {local ? AnswerPlace::Local : AnswerPlace::None, AnswerPlace::None};
}

bool isUnderFolder(const std::wstring& path, const std::wstring& folder) {
    const std::size_t folderLength = withoutTrailingSeparators(folder);
    if (folderLength == 0) return false;
    const std::wstring stem = folder.substr(0, folderLength);
    if (!sameFolded(path, 0, stem)) return false;
    const std::size_t pathLength = withoutTrailingSeparators(path);
    return pathLength == folderLength || foldedChar(path[folderLength]) == L'\\';
}

std::string contentTag(const unsigned char* bytes, std::size_t size) {
    std::uint32_t hash = kFnv32Offset;
    for (std::size_t i = 0; bytes && i < size; ++i) {
        hash ^= bytes[i];
        hash *= kFnv32Prime;
    }
    char tag[9];
    std::snprintf(tag, sizeof tag, "%08x", static_cast<unsigned>(hash));
    return tag;
}

std::wstring fallbackAnswersName(const std::wstring& executableName, const std::string& tag) {
    return executableName + L"." + std::wstring(tag.begin(), tag.end()) + L".txt";
}

bool isSaveTempName(const std::wstring& entry, const std::wstring& fileName) {
    const std::size_t fixed = fileName.size() + 1 + kTempSuffixLength;
    if (entry.size() <= fixed || entry.size() > fixed + kMaxProcessDigits) return false;
    if (!sameFolded(entry, 0, fileName) || entry[fileName.size()] != L'.') return false;
    const std::size_t digitsEnd = entry.size() - kTempSuffixLength;
    if (!sameFolded(entry, digitsEnd, kTempSuffix)) return false;
    for (std::size_t i = fileName.size() + 1; i < digitsEnd; ++i)
        if (entry[i] < L'0' || entry[i] > L'9') return false;
    return true;
}

std::wstring instanceMutexName(const std::wstring& lowerCasePath) {
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx",
                  static_cast<unsigned long long>(pathHash(lowerCasePath)));
    const std::string name = std::string(kMutexPrefix) + digits;
    return std::wstring(name.begin(), name.end());
}

std::uintptr_t instanceWindowTag(const std::wstring& lowerCasePath) {
    return static_cast<std::uintptr_t>(pathHash(lowerCasePath) & 0x7FFFFFFFu) | 1u;
}

const char* saveFailureText(SaveFailure failure) {
    switch (failure) {
    case SaveFailure::None: return "";
    case SaveFailure::Refused:
        return "\xE9"
               "criture refus\xE9"
               "e (dossier en lecture seule ou prot\xE9g\xE9)";
    case SaveFailure::InUse: return "le fichier est utilis\xE9 par un autre programme";
    case SaveFailure::DiskFull: return "le disque est plein";
    case SaveFailure::NoFolder: return "le dossier est introuvable";
    case SaveFailure::Unread:
        return "le fichier n'a pas pu \xEAtre lu au d\xE9marrage ; il est gard\xE9 tel quel";
    case SaveFailure::Other: break;
    }
    return "erreur du syst\xE8me";
}

std::string saveFailureMessage(const FailedPlace& first, const FailedPlace& second, bool closing) {
    std::string text =
        "Vos r\xE9ponses n'ont pas pu \xEAtre enregistr\xE9"
        "es.\n\n";
    if (first.failure != SaveFailure::None) text += placeLines(first);
    if (second.failure != SaveFailure::None) text += placeLines(second);
    if (closing)
        return text +
               "\nR\xE9"
               "essayer : nouvel essai.\nAnnuler : quitter sans enregistrer.";
    return text +
           "\nVos r\xE9ponses restent affich\xE9"
           "es : r\xE9"
           "essayez plus tard (F2 ou \xAB Sauver \xBB).";
}
