// What every velto command shares: argument splitting, one way to report a failure, one set of
// exit statuses.
#pragma once

#include <string>
#include <utility>
#include <vector>

enum ExitStatus {
    kExitOk = 0,
    kExitFailed = 1,  // the reason is on standard error
    kExitUsage = 2,   // the command line itself is wrong
};

// Command-line words split into positional arguments and "--name VALUE" / "-o VALUE" options.
struct CommandArgs {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;  // name as typed, value
};

// `valued` lists the options that take a value ("-o", "--player"); "--name=value" is accepted
// too. "--" ends the options; "-" alone is a positional argument. Returns false with `error`
// for an unknown or incomplete option.
bool splitArgs(int argc, char** argv, const std::vector<std::string>& valued, CommandArgs& args,
               std::string& error);

// The value of the last of `names` given, or "".
std::string optionValue(const CommandArgs& args, const std::vector<std::string>& names);

// "velto COMMAND : message" on standard error; returns `status` for a one-line return.
int fail(const std::string& command, const std::string& message, int status = kExitFailed);

// fail() for a wrong command line, pointing to the command's help; returns kExitUsage.
int usageError(const std::string& command, const std::string& problem);

// "velto COMMAND : avertissement : message" on standard error.
void warn(const std::string& command, const std::string& message);
