// velto: authoring tool for Velto quizzes.
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>

#ifdef _WIN32
#include <windows.h>
#endif

#include "tools/cli/command_line.h"
#include "tools/commands.h"

namespace {

const ToolCommand* const kCommands[] = {
    &kBuildCommand, &kCheckCommand,  &kInspectCommand, &kExtractCommand,
    &kPackCommand,  &kUnpackCommand, &kJudgeCommand,   &kWebCommand,
};

bool isHelp(const char* arg) {
    return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0;
}

void printOverview(std::FILE* out) {
    std::fprintf(out,
                 "Usage : velto COMMANDE [ARGUMENTS...]\n"
                 "Construit et relit les exécutables de quiz Velto.\n\nCommandes :\n");
    for (const ToolCommand* c : kCommands) std::fprintf(out, "  %-9s %s\n", c->name, c->summary);
    std::fprintf(out,
                 "\n'velto COMMANDE --help' décrit une commande.\n"
                 "Le guide du quiz, en français : docs/guide-du-quiz.md (écrire un quiz, ses\n"
                 "réglages, ses médias, chaque message de velto). Référence du format pour les\n"
                 "développeurs : docs/quiz-format.md.\n");
}

// Runs the command; whatever escapes it ends here as a message, never as an abort.
int runGuarded(const ToolCommand& command, int argc, char** argv) {
    try {
        const int status = command.run(argc, argv);
        // A failed write to standard output (a full disk behind '>') is a failure, reported
        // here unless the command has already failed.
        if (status == kExitOk && (std::fflush(stdout) != 0 || std::ferror(stdout)))
            return fail(command.name,
                        "l'écriture sur la sortie standard a échoué (disque plein ?)");
        return status;
    } catch (const std::bad_alloc&) {
        return fail(command.name, "mémoire insuffisante");
    } catch (const std::exception& e) {
        return fail(command.name, std::string("erreur inattendue (") + e.what() + ")");
    } catch (...) {
        return fail(command.name, "erreur inattendue");
    }
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8);  // our messages are UTF-8: accents must survive the console
#endif
    if (argc < 2) {
        printOverview(stderr);
        return kExitUsage;
    }
    if (isHelp(argv[1])) {
        printOverview(stdout);
        return std::fflush(stdout) == 0 ? kExitOk : kExitFailed;
    }
    for (const ToolCommand* c : kCommands) {
        if (std::strcmp(argv[1], c->name) != 0) continue;
        for (int i = 2; i < argc; ++i) {
            if (std::strcmp(argv[i], "--") == 0) break;
            if (isHelp(argv[i])) {
                std::fputs(c->usage, stdout);
                return std::fflush(stdout) == 0 ? kExitOk : kExitFailed;
            }
        }
        return runGuarded(*c, argc - 1, argv + 1);
    }
    std::fprintf(stderr, "velto : commande inconnue '%s' (voir 'velto --help')\n", argv[1]);
    return kExitUsage;
}
