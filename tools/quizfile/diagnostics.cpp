#include "tools/quizfile/diagnostics.h"

#include <algorithm>
#include <cstdint>

void Diagnostics::error(int line, std::string message) {
    items.push_back({line, false, std::move(message)});
}

void Diagnostics::warn(int line, std::string message) {
    items.push_back({line, true, std::move(message)});
}

int Diagnostics::errorCount() const {
    return static_cast<int>(
        std::count_if(items.begin(), items.end(), [](const Diagnostic& d) { return !d.warning; }));
}

int Diagnostics::warningCount() const { return static_cast<int>(items.size()) - errorCount(); }

namespace {

constexpr char kQuestionPrefix[] = "question ";
constexpr size_t kShownNumbers = 12;  // beyond this, the list of numbers is cut

// The question number and the rest of "question 12 : rest"; 0 for any other message.
int questionOf(const std::string& message, std::string& rest) {
    const size_t lead = sizeof kQuestionPrefix - 1;
    if (message.compare(0, lead, kQuestionPrefix) != 0) return 0;
    const size_t colon = message.find(" : ", lead);
    if (colon == std::string::npos || colon == lead) return 0;
    for (size_t i = lead; i < colon; ++i)
        if (message[i] < '0' || message[i] > '9') return 0;
    rest = message.substr(colon + 3);
    return std::stoi(message.substr(lead, colon - lead));
}

// "questions 1, 2, 5 et 7", the numbers cut after a dozen.
std::string questionList(const std::vector<int>& numbers) {
    std::string out = "questions ";
    const size_t shown = std::min(numbers.size(), kShownNumbers);
    for (size_t i = 0; i < shown; ++i) {
        if (i > 0) out += i + 1 == numbers.size() ? " et " : ", ";
        out += std::to_string(numbers[i]);
    }
    if (shown < numbers.size()) out += "...";
    return out;
}

// A warning given for many questions in the same words is said once, at its first line, with
// the number of questions and their numbers.
std::vector<Diagnostic> grouped(const std::vector<Diagnostic>& sorted) {
    std::vector<Diagnostic> out;
    std::vector<std::pair<std::string, std::vector<int>>> groups;
    std::vector<size_t> groupOf(sorted.size(), SIZE_MAX);
    for (size_t i = 0; i < sorted.size(); ++i) {
        std::string rest;
        const int number = sorted[i].warning ? questionOf(sorted[i].message, rest) : 0;
        if (number == 0) continue;
        size_t g = 0;
        while (g < groups.size() && groups[g].first != rest) ++g;
        if (g == groups.size()) groups.push_back({rest, {}});
        groups[g].second.push_back(number);
        groupOf[i] = g;
    }
    std::vector<bool> said(groups.size(), false);
    for (size_t i = 0; i < sorted.size(); ++i) {
        const size_t g = groupOf[i];
        if (g == SIZE_MAX || groups[g].second.size() < 2) {
            out.push_back(sorted[i]);
        } else if (!said[g]) {
            said[g] = true;
            const std::vector<int>& numbers = groups[g].second;
            out.push_back({sorted[i].line, true,
                           questionList(numbers) + " (" + std::to_string(numbers.size()) +
                               " questions) : " + groups[g].first});
        }
    }
    return out;
}

}  // namespace

std::string formatDiagnostics(const std::string& file, const Diagnostics& diags) {
    // Checks run key by key, not in file order; the reader wants them top to bottom.
    std::vector<Diagnostic> sorted = diags.items;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
    std::string out;
    for (const Diagnostic& d : grouped(sorted)) {
        out += file + ":";
        if (d.line > 0) out += std::to_string(d.line) + ":";  // 0: the file as a whole
        out += " ";
        if (d.warning) out += "avertissement : ";
        out += d.message + "\n";
    }
    return out;
}
