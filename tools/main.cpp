// velto: authoring tool for Velto quizzes.
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

#include "tools/commands.h"

namespace {

const ToolCommand* const kCommands[] = {
    &kBuildCommand, &kCheckCommand, &kInspectCommand, &kExtractCommand,
    &kPackCommand,  &kUnpackCommand, &kJudgeCommand,
};

bool isHelp(const char* arg) {
    return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0;
}

void printOverview(std::FILE* out) {
    std::fprintf(out,
                 "Usage : velto COMMANDE [ARGUMENTS...]\n"
                 "Construit et relit les exécutables de quiz Velto.\n\nCommandes :\n");
    for (const ToolCommand* c : kCommands) std::fprintf(out, "  %-9s %s\n", c->name, c->summary);
    std::fprintf(out, "\n'velto COMMANDE --help' décrit une commande.\n");
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8);  // our messages are UTF-8: accents must survive the console
#endif
    if (argc < 2) {
        printOverview(stderr);
        return 2;
    }
    if (isHelp(argv[1])) {
        printOverview(stdout);
        return 0;
    }
    for (const ToolCommand* c : kCommands) {
        if (std::strcmp(argv[1], c->name) != 0) continue;
        for (int i = 2; i < argc; ++i) {
            if (std::strcmp(argv[i], "--") == 0) break;
            if (isHelp(argv[i])) {
                std::fputs(c->usage, stdout);
                return 0;
            }
        }
        return c->run(argc - 1, argv + 1);
    }
    std::fprintf(stderr, "velto : commande inconnue '%s' (voir 'velto --help')\n", argv[1]);
    return 2;
}
