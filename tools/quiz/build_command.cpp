// velto build and velto check: a quiz file into a quiz executable, or only checked.
#include <cstdio>
#include <filesystem>

#include "tools/commands.h"
#include "tools/quiz/command_support.h"
#include "tools/quiz/quiz_resources.h"
#include "tools/quizfile/file_io.h"
#include "tools/quizfile/quiz_loader.h"

namespace fs = std::filesystem;

namespace {

constexpr int kUsageError = 2;
constexpr int kProgressAbove = 8;  // media files read before progress lines are worth printing
constexpr char kPlayerName[] = "player.exe";

const char kBuildUsage[] =
    "Usage : velto build QUIZ.toml [-o SORTIE.exe] [--player LECTEUR.exe]\n"
    "\n"
    "Vérifie le fichier de quiz, puis écrit une copie du lecteur contenant le quiz : ses\n"
    "textes, réponses et codes, et l'image ou l'extrait de chaque question. Rien n'est écrit\n"
    "quand le fichier de quiz contient une erreur.\n"
    "\n"
    "  -o, --output SORTIE.exe  où écrire (par défaut : QUIZ.exe à côté du fichier de quiz)\n"
    "  --player LECTEUR.exe     le lecteur à copier (par défaut : player.exe à côté de velto) ;\n"
    "                           un quiz déjà construit convient aussi : son quiz est remplacé\n"
    "\n"
    "Le format du fichier de quiz est décrit dans docs/quiz-format.md.\n";

const char kCheckUsage[] =
    "Usage : velto check QUIZ.toml\n"
    "\n"
    "Vérifie le fichier de quiz et ses médias comme 'velto build', sans rien écrire.\n"
    "Affiche chaque problème sous la forme FICHIER:LIGNE: message. Code de sortie 1 en cas\n"
    "d'erreur.\n";

int buildUsageError(const std::string& message) {
    std::fprintf(stderr, "velto build : %s\n\n%s", message.c_str(), kBuildUsage);
    return kUsageError;
}

fs::path defaultPlayer() {
    const fs::path dir = toolDirectory();
    return dir.empty() ? fs::path(kPlayerName) : dir / kPlayerName;
}

// Reads and checks the quiz; prints its diagnostics. False when there is an error.
bool loadAndReport(const char* command, const fs::path& quizPath, bool showProgress, QuizFile& quiz,
                   PackedQuiz& packed) {
    MediaProgress progress;
    if (showProgress) {
        progress = [](int number, int total, const std::string& path) {
            if (total > kProgressAbove)
                std::printf("  média %d/%d : %s\n", number, total, path.c_str());
        };
    }
    Diagnostics diags;
    const bool ok = loadQuiz(quizPath, quiz, packed, diags, progress);
    printDiagnostics(displayPath(quizPath), diags);
    if (!ok) {
        const int errors = diags.errorCount();
        fail(command, std::to_string(errors) + (errors == 1 ? " erreur" : " erreurs") +
                          (std::string(command) == "build" ? " ; rien n'a été écrit" : ""));
    }
    return ok;
}

bool writeQuizExecutable(const fs::path& playerPath, const fs::path& output, const QuizFile& quiz,
                         const PackedQuiz& packed, size_t& written) {
    std::vector<uint8_t> player, image;
    std::string error;
    if (!readFileBytes(playerPath, player, error)) {
        fail("build", "impossible de lire le lecteur '" + displayPath(playerPath) + "' : " + error +
                          " (indiquez-en un avec --player)");
        return false;
    }
    if (sameFile(playerPath, output)) {
        fail("build", "'" + displayPath(output) +
                          "' est le lecteur lui-même ; écrivez le quiz dans "
                          "un autre fichier avec -o");
        return false;
    }
    if (!installQuiz(player, quizResources(quiz, packed), image, error)) {
        fail("build", "impossible de mettre le quiz dans '" + displayPath(playerPath) + "' : " +
                          error);
        return false;
    }
    if (!writeFileReplacing(output, image, error)) {
        fail("build", error);
        return false;
    }
    written = image.size();
    return true;
}

int runBuild(int argc, char** argv) {
    CommandArgs args;
    std::string error;
    if (!splitArgs(argc, argv, {"-o", "--output", "--player"}, args, error))
        return buildUsageError(error);
    if (args.positional.size() != 1) return buildUsageError("indiquez un seul fichier de quiz");
    const fs::path quizPath = args.positional[0];
    fs::path output = optionValue(args, {"-o", "--output"});
    if (output.empty()) output = fs::path(quizPath).replace_extension(".exe");
    fs::path player = optionValue(args, {"--player"});
    if (player.empty()) player = defaultPlayer();

    QuizFile quiz;
    PackedQuiz packed;
    if (!loadAndReport("build", quizPath, true, quiz, packed)) return 1;
    size_t written = 0;
    if (!writeQuizExecutable(player, output, quiz, packed, written)) return 1;
    std::printf("%s écrit : %s (%s)\n", displayPath(output).c_str(), quizSummary(quiz).c_str(),
                byteSize(written).c_str());
    return 0;
}

int runCheck(int argc, char** argv) {
    CommandArgs args;
    std::string error;
    if (!splitArgs(argc, argv, {}, args, error) || args.positional.size() != 1) {
        std::fprintf(stderr, "velto check : %s\n\n%s",
                     error.empty() ? "indiquez un seul fichier de quiz" : error.c_str(), kCheckUsage);
        return kUsageError;
    }
    const fs::path quizPath = args.positional[0];
    QuizFile quiz;
    PackedQuiz packed;
    if (!loadAndReport("check", quizPath, false, quiz, packed)) return 1;
    std::printf("%s : ok, %s\n", displayPath(quizPath).c_str(), quizSummary(quiz).c_str());
    return 0;
}

}  // namespace

const ToolCommand kBuildCommand = {"build", "construire l'exécutable d'un fichier de quiz", kBuildUsage,
                                   runBuild};
const ToolCommand kCheckCommand = {"check", "vérifier un fichier de quiz et ses médias", kCheckUsage,
                                   runCheck};
