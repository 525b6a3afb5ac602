#include "tools/cli/command_line.h"

#include <algorithm>
#include <cstdio>

bool splitArgs(int argc, char** argv, const std::vector<std::string>& valued, CommandArgs& args,
               std::string& error) {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            args.positional.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        if (std::find(valued.begin(), valued.end(), name) == valued.end()) {
            error = "option inconnue '" + word + "'";
            return false;
        }
        if (equals != std::string::npos) {
            args.options.emplace_back(name, word.substr(equals + 1));
        } else if (i + 1 < argc) {
            args.options.emplace_back(name, argv[++i]);
        } else {
            error = "l'option '" + name + "' demande une valeur";
            return false;
        }
    }
    return true;
}

std::string optionValue(const CommandArgs& args, const std::vector<std::string>& names) {
    std::string value;
    for (const auto& [name, given] : args.options)
        if (std::find(names.begin(), names.end(), name) != names.end()) value = given;
    return value;
}

int fail(const std::string& command, const std::string& message, int status) {
    std::fflush(stdout);  // what was printed before the failure comes first
    std::fprintf(stderr, "velto %s : %s\n", command.c_str(), message.c_str());
    return status;
}

int usageError(const std::string& command, const std::string& problem) {
    return fail(command, problem + " (voir 'velto " + command + " --help')", kExitUsage);
}

void warn(const std::string& command, const std::string& message) {
    fail(command, "avertissement : " + message);
}
