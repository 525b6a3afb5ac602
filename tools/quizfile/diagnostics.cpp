#include "tools/quizfile/diagnostics.h"

#include <algorithm>

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

std::string formatDiagnostics(const std::string& file, const Diagnostics& diags) {
    // Checks run key by key, not in file order; the reader wants them top to bottom.
    std::vector<Diagnostic> sorted = diags.items;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
    std::string out;
    for (const Diagnostic& d : sorted) {
        out += file + ":";
        if (d.line > 0) out += std::to_string(d.line) + ":";  // 0: the file as a whole
        out += " ";
        if (d.warning) out += "avertissement : ";
        out += d.message + "\n";
    }
    return out;
}
