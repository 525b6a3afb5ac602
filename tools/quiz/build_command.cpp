// velto build and velto check: a quiz file into a quiz executable, or only checked.
#include <cstdio>
#include <filesystem>
#include <utility>

#include "tools/cli/files.h"
#include "tools/commands.h"
#include "tools/quiz/command_support.h"
#include "tools/quiz/player_check.h"
#include "tools/quiz/quiz_resources.h"
#include "tools/quizfile/quiz_loader.h"

namespace fs = std::filesystem;

namespace {

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
    "  --player LECTEUR.exe     le lecteur à copier (par défaut : player.exe à côté de velto,\n"
    "                           ou ../share/velto/player.exe après une installation) ;\n"
    "                           un quiz déjà construit convient aussi : son quiz est remplacé\n"
    "\n"
    "SORTIE n'est jamais le fichier de quiz, un de ses médias ou le lecteur, ni un lien, un\n"
    "dossier ou un périphérique ; un fichier SORTIE existant est remplacé d'un bloc.\n"
    "\n"
    "Le guide du quiz (docs/guide-du-quiz.md) explique comment écrire un quiz.\n";

const char kCheckUsage[] =
    "Usage : velto check QUIZ.toml\n"
    "\n"
    "Vérifie le fichier de quiz et ses médias comme 'velto build', sans rien écrire.\n"
    "Affiche chaque problème sous la forme FICHIER:LIGNE: message. Code de sortie 1 en cas\n"
    "d'erreur.\n";

// Beside velto (a build tree, the Windows archive), else where `cmake --install` puts it.
fs::path defaultPlayer() {
    const fs::path dir = toolDirectory();
    if (dir.empty()) return fs::path(kPlayerName);
    const fs::path installed = dir.parent_path() / "share" / "velto" / kPlayerName;
    std::error_code ec;
    if (!fs::exists(dir / kPlayerName, ec) && fs::exists(installed, ec)) return installed;
    return dir / kPlayerName;
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

// Every file the build reads: none of them may be the output.
std::vector<fs::path> buildInputs(const fs::path& quizPath, const fs::path& player,
                                  const QuizFile& quiz) {
    std::vector<fs::path> inputs = {quizPath, player};
    for (const QuestionSource& s : quiz.sources)
        for (const MediaRef* ref : {&s.media, &s.answerPicture})
            if (ref->given()) inputs.push_back(resolveQuizPath(quizPath.parent_path(), ref->path));
    return inputs;
}

bool readPlayer(const fs::path& playerPath, std::vector<uint8_t>& player,
                std::vector<PeResource>& resources) {
    std::string error;
    const std::string shown = "'" + displayPath(playerPath) + "'";
    if (!readFileBytes(playerPath, player, error, kExecutableLimit)) {
        fail("build", "impossible de lire le lecteur " + shown + " : " + error +
                          " (indiquez-en un avec --player)");
        return false;
    }
    if (!checkPlayer(player, resources, error)) {
        fail("build", shown + " ne peut pas servir de lecteur : " + error);
        return false;
    }
    return true;
}

bool writeQuizExecutable(const fs::path& playerPath, const fs::path& output, const QuizFile& quiz,
                         const PackedQuiz& packed, const std::vector<fs::path>& inputs,
                         size_t& written) {
    std::vector<uint8_t> player, image;
    std::vector<PeResource> resources;
    std::string error;
    if (!readPlayer(playerPath, player, resources)) return false;
    if (!installQuiz(player, std::move(resources), quizResources(quiz, packed), image, error)) {
        fail("build",
             "impossible de mettre le quiz dans '" + displayPath(playerPath) + "' : " + error);
        return false;
    }
    if (!writeFileReplacing(output, image, error, inputs)) {
        fail("build", error);  // the target is left as it was; the error says so where it helps
        return false;
    }
    written = image.size();
    return true;
}

int runBuild(int argc, char** argv) {
    CommandArgs args;
    std::string error;
    if (!splitArgs(argc, argv, {"-o", "--output", "--player"}, args, error))
        return usageError("build", error);
    if (args.positional.size() != 1) return usageError("build", "indiquez un seul fichier de quiz");
    const fs::path quizPath = fs::path(args.positional[0]);
    fs::path output = fs::path(optionValue(args, {"-o", "--output"}));
    if (output.empty()) {
        output = fs::path(quizPath).replace_extension();
        if (output.extension() == ".toml") output.replace_extension();  // Notepad's quiz.toml.txt
        output += ".exe";
    }
    fs::path player = fs::path(optionValue(args, {"--player"}));
    if (player.empty()) player = defaultPlayer();
    // Refused before the quiz is even read: a link, a folder, a device, the quiz or the player.
    if (!checkOutputPath(output, {quizPath, player}, error)) return fail("build", error);

    QuizFile quiz;
    PackedQuiz packed;
    if (!loadAndReport("build", quizPath, true, quiz, packed)) return kExitFailed;
    size_t written = 0;
    if (!writeQuizExecutable(player, output, quiz, packed, buildInputs(quizPath, player, quiz),
                             written))
        return kExitFailed;
    std::printf("%s écrit : %s (%s)\n", displayPath(output).c_str(), quizSummary(quiz).c_str(),
                byteSize(written).c_str());
    return kExitOk;
}

int runCheck(int argc, char** argv) {
    CommandArgs args;
    std::string error;
    if (!splitArgs(argc, argv, {}, args, error)) return usageError("check", error);
    if (args.positional.size() != 1) return usageError("check", "indiquez un seul fichier de quiz");
    const fs::path quizPath = fs::path(args.positional[0]);
    QuizFile quiz;
    PackedQuiz packed;
    if (!loadAndReport("check", quizPath, false, quiz, packed)) return kExitFailed;
    std::printf("%s : ok, %s\n", displayPath(quizPath).c_str(), quizSummary(quiz).c_str());
    return kExitOk;
}

}  // namespace

const ToolCommand kBuildCommand = {"build", "construire l'exécutable d'un fichier de quiz",
                                   kBuildUsage, runBuild};
const ToolCommand kCheckCommand = {"check", "vérifier un fichier de quiz et ses médias",
                                   kCheckUsage, runCheck};
