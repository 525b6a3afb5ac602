// velto inspect and velto extract: a built quiz back to its quiz file and media.
#include <cstdio>
#include <filesystem>

#include "tools/cli/files.h"
#include "tools/commands.h"
#include "tools/quiz/command_support.h"
#include "tools/quiz/quiz_resources.h"
#include "tools/quizfile/quiz_writer.h"

namespace fs = std::filesystem;

namespace {

const char kInspectUsage[] =
    "Usage : velto inspect QUIZ.exe\n"
    "\n"
    "Affiche le fichier de quiz d'un quiz construit. Reconstruire ce fichier (avec les\n"
    "médias que 'velto extract' écrit à côté) redonne le même quiz. Les médias s'appellent\n"
    "media/q1.jpg, media/q1.mp3 ou media/q1.avi (question 1) et media/a1.jpg (image de\n"
    "réponse 1).\n";

const char kExtractUsage[] =
    "Usage : velto extract QUIZ.exe DOSSIER\n"
    "\n"
    "Écrit le fichier de quiz d'un quiz construit dans DOSSIER (nommé d'après QUIZ.exe,\n"
    "avec .toml) et ses images et extraits dans DOSSIER/media, prêts pour 'velto build'.\n"
    "DOSSIER est créé au besoin ; les fichiers déjà présents ne sont jamais remplacés.\n";

bool loadBuiltQuiz(const char* command, const fs::path& exe, QuizFile& quiz) {
    std::vector<uint8_t> image;
    std::string error;
    if (!readFileBytes(exe, image, error, kExecutableLimit)) {
        fail(command, "impossible de lire '" + displayPath(exe) + "' : " + error);
        return false;
    }
    std::vector<std::string> warnings;
    if (!readBuiltQuiz(image, quiz, warnings, error)) {
        fail(command, displayPath(exe) + " : " + error);
        return false;
    }
    for (const std::string& w : warnings) warn(command, w);
    return true;
}

std::string headerComment(const fs::path& exe) {
    return "Fichier de quiz de " + displayPath(exe.filename()) + ", reconstitué par velto";
}

int runInspect(int argc, char** argv) {
    CommandArgs args;
    std::string error;
    if (!splitArgs(argc, argv, {}, args, error)) return usageError("inspect", error);
    if (args.positional.size() != 1)
        return usageError("inspect", "indiquez un seul exécutable de quiz");
    const fs::path exe = args.positional[0];
    QuizFile quiz;
    if (!loadBuiltQuiz("inspect", exe, quiz)) return kExitFailed;
    const std::string text = writeQuizText(quiz, headerComment(exe));
    writeStandardOutput(text.data(), text.size());
    return kExitOk;
}

// Every file extract would write, media first, the quiz file last.
std::vector<std::pair<fs::path, const std::vector<uint8_t>*>> extractTargets(const QuizFile& quiz,
                                                                             const fs::path& dir) {
    std::vector<std::pair<fs::path, const std::vector<uint8_t>*>> targets;
    for (const QuestionSource& s : quiz.sources) {
        for (const MediaRef* ref : {&s.media, &s.answerPicture})
            if (ref->given()) targets.emplace_back(dir / fs::u8path(ref->path), &ref->bytes);
    }
    return targets;
}

int writeExtracted(const fs::path& exe, const fs::path& dir, const QuizFile& quiz) {
    const fs::path quizPath = dir / fs::path(exe.stem()).concat(".toml");
    const std::string text = writeQuizText(quiz, headerComment(exe));
    const std::vector<uint8_t> quizBytes(text.begin(), text.end());
    auto targets = extractTargets(quiz, dir);
    targets.emplace_back(quizPath, &quizBytes);
    for (const auto& target : targets) {
        std::error_code ec;
        if (fs::exists(fs::symlink_status(target.first, ec)))
            return fail("extract", "'" + displayPath(target.first) +
                                       "' existe déjà ; extrayez dans un dossier nouveau ou vide");
    }
    std::error_code ec;
    fs::create_directories(targets.size() > 1 ? dir / "media" : dir, ec);
    if (ec || !fs::is_directory(targets.size() > 1 ? dir / "media" : dir, ec))
        return fail("extract", "impossible de créer le dossier '" + displayPath(dir) +
                                   "' (un fichier porte-t-il déjà ce nom ?)");
    std::string error;
    for (const auto& target : targets) {
        if (!writeFileReplacing(target.first, *target.second, error, {exe}))
            return fail("extract", error);
    }
    std::printf("%s et %zu fichier%s de média écrits : %s\n", displayPath(quizPath).c_str(),
                targets.size() - 1, targets.size() > 2 ? "s" : "", quizSummary(quiz).c_str());
    return kExitOk;
}

int runExtract(int argc, char** argv) {
    CommandArgs args;
    std::string error;
    if (!splitArgs(argc, argv, {}, args, error)) return usageError("extract", error);
    if (args.positional.size() != 2)
        return usageError("extract", "indiquez un exécutable de quiz et un dossier");
    const fs::path exe = args.positional[0];
    QuizFile quiz;
    if (!loadBuiltQuiz("extract", exe, quiz)) return kExitFailed;
    return writeExtracted(exe, args.positional[1], quiz);
}

}  // namespace

const ToolCommand kInspectCommand = {"inspect", "afficher le fichier de quiz d'un quiz construit",
                                     kInspectUsage, runInspect};
const ToolCommand kExtractCommand = {"extract",
                                     "écrire le fichier de quiz et les médias d'un quiz construit",
                                     kExtractUsage, runExtract};
