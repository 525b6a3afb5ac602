// Problems found in a quiz file, each tied to the line that causes it.
#pragma once

#include <string>
#include <vector>

struct Diagnostic {
    int line = 0;  // 1-based line of the quiz file; 0 for the file as a whole
    bool warning = false;
    std::string message;
};

struct Diagnostics {
    std::vector<Diagnostic> items;

    void error(int line, std::string message);
    void warn(int line, std::string message);
    int errorCount() const;
    int warningCount() const;
    bool hasErrors() const { return errorCount() > 0; }
};

// One line per diagnostic, in line order: "FILE:LINE: message" for an error,
// "FILE:LINE: avertissement : message" for a warning ("FILE: message" without a line).
std::string formatDiagnostics(const std::string& file, const Diagnostics& diags);
