#include "tools/quizfile/key_suggestion.h"

#include <algorithm>
#include <cctype>

namespace {

std::string lowerAscii(const std::string& s) {
    std::string out = s;
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Optimal string alignment distance: Levenshtein plus adjacent transpositions.
size_t slipDistance(const std::string& a, const std::string& b) {
    const size_t m = a.size(), n = b.size();
    std::vector<std::vector<size_t>> d(m + 1, std::vector<size_t>(n + 1));
    for (size_t i = 0; i <= m; ++i) d[i][0] = i;
    for (size_t j = 0; j <= n; ++j) d[0][j] = j;
    for (size_t i = 1; i <= m; ++i) {
        for (size_t j = 1; j <= n; ++j) {
            const size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[m][n];
}

}  // namespace

std::string nearestWord(const std::string& word, const std::vector<std::string>& known) {
    // Words are short; anything far longer than a key is not a misspelt key.
    if (word.size() > 64) return "";
    const std::string lowered = lowerAscii(word);
    const size_t allowed = std::max<size_t>(1, std::min<size_t>(3, word.size() / 3));
    std::string best;
    size_t bestDistance = allowed + 1;
    for (const std::string& candidate : known) {
        const size_t d = slipDistance(lowered, lowerAscii(candidate));
        if (d < bestDistance) {
            bestDistance = d;
            best = candidate;
        }
    }
    return best;
}
