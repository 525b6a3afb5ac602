#include "evaluation/judge.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "evaluation/verdicts.h"
#include "quizdata/quiz_types.h"

namespace {

// Rows of the distance table kept on the stack for every text a field can hold;
// longer texts (never from the player) still get an exact answer through the heap.
constexpr std::size_t kStackColumns = kTextCapacity;

int distanceWithRows(const std::string& a, const std::string& b, int* previous, int* current) {
    const std::size_t m = a.size();
    const std::size_t n = b.size();
    for (std::size_t j = 0; j <= n; ++j) previous[j] = static_cast<int>(j);
    for (std::size_t i = 1; i <= m; ++i) {
        current[0] = static_cast<int>(i);
        for (std::size_t j = 1; j <= n; ++j) {
            const int substitution = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitution});
        }
        std::swap(previous, current);
    }
    return previous[n];
}

bool isShortHint(std::size_t m, std::size_t n, float threshold) {
    const float ratio = 100.0f * static_cast<float>(n) / static_cast<float>(m);
    return m > 9 && ratio > threshold;
}

// Step 7 and 8 of the judgement: the answer is at least three edits away.
const char* judgeFarAnswer(const std::string& e, const std::string& t, int d) {
    const std::size_t m = e.size();
    const std::size_t n = t.size();
    const int c = containmentTest(e, t);
    if (c == -2) {
        if (isShortHint(m, n, 70.0f)) return kVerdictTooShort;
        if (isShortHint(m, n, 50.0f)) return kVerdictClose;
        return kVerdictWrong;
    }
    if (c == 2) return kVerdictTooLong;
    const std::size_t longest = std::max(m, n);
    const float similarity = 100.0f * static_cast<float>(longest - static_cast<std::size_t>(d)) /
                             static_cast<float>(longest);
    return similarity > 80.0f ? kVerdictIdea : kVerdictWrong;
}

}  // namespace

std::string trimSpaces(const std::string& text) {
    const std::size_t last = text.find_last_not_of(' ');
    if (last == std::string::npos) return std::string();
    const std::size_t first = text.find_first_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string upperAscii(const std::string& text) {
    std::string out = text;
    for (char& ch : out) {
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    }
    return out;
}

int editDistance(const std::string& a, const std::string& b) {
    if (a.empty()) return static_cast<int>(b.size());
    if (b.empty()) return static_cast<int>(a.size());
    if (b.size() < kStackColumns) {
        int previous[kStackColumns];
        int current[kStackColumns];
        return distanceWithRows(a, b, previous, current);
    }
    std::vector<int> previous(b.size() + 1);
    std::vector<int> current(b.size() + 1);
    return distanceWithRows(a, b, previous.data(), current.data());
}

std::string sortLetters(const std::string& text) {
    std::string out = text;
    std::sort(out.begin(), out.end(), [](char x, char y) {
        return static_cast<signed char>(x) < static_cast<signed char>(y);
    });
    return out;
}

int containmentTest(const std::string& expected, const std::string& typed) {
    const bool typedShorter = typed.size() < expected.size();
    const std::string& s = typedShorter ? typed : expected;
    const std::string& l = typedShorter ? expected : typed;
    const int sign = typedShorter ? -1 : 1;
    if (s.empty()) return sign;

    std::size_t j = 0;
    while (j < l.size()) {
        while (j < l.size() && l[j] != s[0]) ++j;
        if (j == l.size()) break;
        std::size_t i = 0;
        while (i < s.size() && j < l.size() && s[i] == l[j]) {
            ++i;
            ++j;
        }
        if (i == s.size()) return 2 * sign;
        // The scan resumes where the comparison stopped, not one past the match's start.
    }
    return 0;
}

const char* judgeAnswer(const char* expected, const char* typed) {
    const std::string t = upperAscii(trimSpaces(typed ? typed : ""));
    if (t.empty()) return kVerdictEmpty;
    const std::string e = upperAscii(expected ? expected : "");

    const int d = editDistance(e, t);
    if (d == 0) return kVerdictBravo;
    // Sorted texts at distance 0 are simply equal texts.
    if (sortLetters(e) == sortLetters(t)) return kVerdictAnagram;
    if (d == 1) return kVerdictAlmost;
    if (d == 2) return kVerdictNearly;
    return judgeFarAnswer(e, t, d);
}
