// Pieces shared by the quiz commands: arguments, the one-line quiz summary, messages.
#pragma once

#include <string>
#include <vector>

#include "tools/quizfile/diagnostics.h"
#include "tools/quizfile/quiz_file.h"

// Command-line words split into positional arguments and "--name VALUE" / "-o VALUE" options.
struct CommandArgs {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;  // name as typed, value
};

// `valued` lists the options that take a value ("-o", "--player"); "--name=value" is accepted
// too. "--" ends the options. Returns false with `error` for an unknown or incomplete option.
bool splitArgs(int argc, char** argv, const std::vector<std::string>& valued, CommandArgs& args,
               std::string& error);

// The value of the last of `names` given, or "".
std::string optionValue(const CommandArgs& args, const std::vector<std::string>& names);

// "quiz picture \"Capitales\" : 4 questions, 4 images, 2 images de réponse, 3 codes"
std::string quizSummary(const QuizFile& quiz);

// Prints diagnostics to stderr under the quiz file's name.
void printDiagnostics(const std::string& file, const Diagnostics& diags);

// "velto build : message" on stderr; returns `status` for a one-line return.
int fail(const char* command, const std::string& message, int status = 1);

// "1,2 Mo", "15 Ko", "840 octets".
std::string byteSize(size_t bytes);
