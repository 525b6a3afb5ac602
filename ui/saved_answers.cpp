#include "ui/saved_answers.h"

#include "core/ids.h"

namespace {

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kSavedExtension[] = "txt";
constexpr std::size_t kExtensionLength = sizeof kSavedExtension - 1;

template <typename Char>
std::basic_string<Char> fileNameOf(const Char* modulePath) {
    std::basic_string<Char> name = modulePath ? modulePath : std::basic_string<Char>();
    const std::size_t slash = name.rfind(Char('\\'));
    if (slash != std::basic_string<Char>::npos) name.erase(0, slash + 1);
    const std::basic_string<Char> extension(kSavedExtension, kSavedExtension + kExtensionLength);
    if (name.size() < kExtensionLength) return name + Char('.') + extension;
    name.replace(name.size() - kExtensionLength, kExtensionLength, extension);
    return name;
}

}  // namespace

std::string savedAnswersFileName(const char* modulePath) { return fileNameOf(modulePath); }

std::wstring savedAnswersFileName(const wchar_t* modulePath) { return fileNameOf(modulePath); }

std::string savedAnswersTempName(const std::string& fileName, unsigned long processId) {
    return fileName + "." + std::to_string(processId) + ".new";
}

std::wstring savedAnswersTempName(const std::wstring& fileName, unsigned long processId) {
    // Digits are ASCII: widened by hand, since to_wstring would bring a string library of its own
    // into the page's WebAssembly.
    const std::string digits = std::to_string(processId);
    return fileName + L"." + std::wstring(digits.begin(), digits.end()) + L".new";
}

int savedLineCount(int kind, int questionCount, int answersPerQuestion) {
    if (questionCount <= 0) return 0;
    if (questionCount > kMaxQuestions) questionCount = kMaxQuestions;
    // A text quiz keeps its one field per question even when its count of answers is 0.
    if (answersPerQuestion < 1) return kind == KindText ? questionCount : 0;
    return questionCount * answersPerQuestion;
}

std::string savedAnswersContent(const std::vector<std::string>& lines) {
    std::string content;
    for (const std::string& line : lines) {
        std::size_t kept = 0;
        for (char c : line) {
            if (kept == kMaxTextLength) break;
            if (c == kCarriageReturn || c == '\0') continue;
            content += c;
            ++kept;
        }
        content += kCarriageReturn;
        content += kLineFeed;
    }
    return content;
}

void readSavedLine(const unsigned char* data, std::size_t size, std::size_t* position,
                   char text[kTextCapacity]) {
    std::size_t length = 0;
    std::size_t at = *position;
    if (!data) size = 0;
    for (; at < size && data[at] != kCarriageReturn; ++at) {
        if (data[at] != 0 && length < kMaxTextLength) text[length++] = static_cast<char>(data[at]);
    }
    while (at < size && data[at] != kLineFeed) ++at;
    if (at < size) ++at;
    text[length] = '\0';
    *position = at;
}
