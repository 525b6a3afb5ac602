// velto: authoring tool for Velto quizzes.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <new>

#ifdef _WIN32
#include <windows.h>
#endif

#include "tools/cli/command_line.h"
#include "tools/cli/console_relay.h"
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
                 "        velto QUIZ.toml    (comme 'velto build QUIZ.toml' ; ce que fait un\n"
                 "                           fichier de quiz déposé sur velto.exe)\n"
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

// `velto FILE.toml`, what dropping a quiz file onto velto.exe runs: build it beside the file.
bool isQuizFileName(const char* arg) {
    const size_t length = std::strlen(arg);
    const char* const ending = ".toml";
    if (length <= 5 || arg[0] == '-') return false;
    for (size_t i = 0; i < 5; ++i)
        if (std::tolower(static_cast<unsigned char>(arg[length - 5 + i])) != ending[i])
            return false;
    return true;
}

// A file dropped onto velto.exe that is not named .toml (Notepad's "quiz.toml.txt"): built too,
// so that the maker reads what is wrong with it rather than "unknown command".
bool isExistingFile(const char* arg) {
    std::error_code ec;
    return arg[0] != '-' && std::filesystem::is_regular_file(std::filesystem::path(arg), ec);
}

// Started from Explorer (a double click, a file dropped on it), velto has a console of its own
// that closes with it: keep it open until the maker has read the messages.
void waitIfOwnConsole() {
#ifdef _WIN32
    DWORD processes[2];
    if (GetConsoleProcessList(processes, 2) != 1) return;
    static const char kPrompt[] = "\nAppuyez sur Entrée pour fermer cette fenêtre.\n";
    DWORD written = 0;
    if (!WriteConsoleA(GetStdHandle(STD_ERROR_HANDLE), kPrompt, sizeof kPrompt - 1, &written,
                       nullptr))
        std::fputs(kPrompt, stderr);
    std::getchar();
#endif
}

int dispatch(int argc, char** argv) {
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
    if (argc == 2 && (isQuizFileName(argv[1]) || isExistingFile(argv[1]))) {
        char* build[] = {const_cast<char*>(kBuildCommand.name), argv[1], nullptr};
        return runGuarded(kBuildCommand, 2, build);
    }
    std::fprintf(stderr, "velto : commande inconnue '%s' (voir 'velto --help')\n", argv[1]);
    return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8);  // our messages are UTF-8: accents must survive the console
#endif
    startConsoleRelay();
    const int status = dispatch(argc, argv);
    stopConsoleRelay();
    waitIfOwnConsole();
    return status;
}
