// velto web: a quiz file or a built quiz into one self-contained HTML page.
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "quizdata/quiz_types.h"
#include "tools/cli/files.h"
#include "tools/commands.h"
#include "tools/quiz/command_support.h"
#include "tools/quiz/quiz_resources.h"
#include "tools/quizfile/quiz_loader.h"
#include "tools/quizfile/quiz_packer.h"
#include "tools/web/page_writer.h"

namespace fs = std::filesystem;

namespace {

const char kWebUsage[] =
    "Usage : velto web QUIZ.toml [-o PAGE.html]\n"
    "        velto web QUIZ.exe [-o PAGE.html]\n"
    "\n"
    "Écrit une page HTML qui se joue comme le quiz dans n'importe quel navigateur récent,\n"
    "sans rien d'autre : les textes, les images, les extraits et le juge du lecteur y sont.\n"
    "La page ne demande rien au réseau. Les réponses restent dans le navigateur.\n"
    "\n"
    "  -o, --output PAGE.html  où écrire (par défaut : QUIZ.html à côté du quiz)\n"
    "\n"
    "Un quiz video a besoin, pour chaque question, d'un extrait que les navigateurs lisent\n"
    "(web_media = \"clip.webm\", MP4 ou WebM) : ffmpeg -i clip.avi clip.webm le fabrique.\n"
    "Le guide du quiz (docs/guide-du-quiz.md) décrit la page.\n";

bool isBuiltQuiz(const fs::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".exe";
}

bool loadFromExecutable(const fs::path& exe, QuizFile& quiz, PackedQuiz& packed) {
    std::vector<uint8_t> image;
    std::string error;
    if (!readFileBytes(exe, image, error, kExecutableLimit)) {
        fail("web", "impossible de lire '" + displayPath(exe) + "' : " + error);
        return false;
    }
    std::vector<std::string> warnings;
    if (!readBuiltQuiz(image, quiz, warnings, error)) {
        fail("web", displayPath(exe) + " : " + error);
        return false;
    }
    for (const std::string& w : warnings) warn("web", w);
    Diagnostics diags;
    if (!packQuiz(quiz, packed, diags)) {
        printDiagnostics(displayPath(exe), diags);
        fail("web", "le quiz de '" + displayPath(exe) + "' ne se relit pas");
        return false;
    }
    return true;
}

// Reported exactly as `velto check` reports them.
bool loadFromQuizFile(const fs::path& path, QuizFile& quiz, PackedQuiz& packed) {
    Diagnostics diags;
    const bool ok = loadQuiz(path, quiz, packed, diags);
    printDiagnostics(displayPath(path), diags);
    if (!ok) {
        const int errors = diags.errorCount();
        fail("web", std::to_string(errors) + (errors == 1 ? " erreur" : " erreurs") +
                        " ; rien n'a été écrit");
    }
    return ok;
}

// A video quiz plays in a page only with a browser-readable clip for every question.
bool videoClipsReady(const QuizFile& quiz, bool fromExecutable) {
    if (quiz.definition.kind != KindVideo) return true;
    std::string missing;
    int count = 0;
    for (std::size_t i = 0; i < quiz.sources.size(); ++i) {
        if (!quiz.sources[i].webMedia.bytes.empty()) continue;
        missing += (count++ ? ", " : "") + std::to_string(i + 1);
    }
    if (count == 0) return true;
    const std::string which = (count == 1 ? "la question " : "les questions ") + missing;
    if (fromExecutable) {
        fail("web",
             "un quiz video construit n'a que des extraits avi, que les navigateurs "
             "ne lisent pas : faites la page depuis son fichier de quiz, avec "
             "web_media = \"clip.webm\" dans chaque question (ffmpeg -i clip.avi "
             "clip.webm)");
        return false;
    }
    fail("web", which + " n'" + (count == 1 ? "a" : "ont") +
                    " pas de web_media : les navigateurs ne lisent pas les extraits avi ; "
                    "convertissez chacun (ffmpeg -i clip.avi clip.webm) et ajoutez "
                    "web_media = \"clip.webm\" à sa question");
    return false;
}

std::vector<fs::path> pageInputs(const fs::path& input, const QuizFile& quiz) {
    std::vector<fs::path> inputs = {input};
    for (const QuestionSource& s : quiz.sources)
        for (const MediaRef* ref : {&s.media, &s.answerPicture, &s.webMedia})
            if (ref->given()) inputs.push_back(resolveQuizPath(input.parent_path(), ref->path));
    return inputs;
}

// The maker's address the header links to; quiz files hold none yet.
std::string makerLink(const QuizFile&) { return std::string(); }

int runWeb(int argc, char** argv) {
    CommandArgs args;
    std::string error;
    if (!splitArgs(argc, argv, {"-o", "--output"}, args, error)) return usageError("web", error);
    if (args.positional.size() != 1)
        return usageError("web", "indiquez un seul fichier de quiz ou exécutable de quiz");
    const fs::path input = fs::path(args.positional[0]);
    fs::path output = fs::path(optionValue(args, {"-o", "--output"}));
    if (output.empty()) output = fs::path(input).replace_extension(".html");
    if (!checkOutputPath(output, {input}, error)) return fail("web", error);

    const bool fromExecutable = isBuiltQuiz(input);
    QuizFile quiz;
    PackedQuiz packed;
    if (fromExecutable ? !loadFromExecutable(input, quiz, packed)
                       : !loadFromQuizFile(input, quiz, packed))
        return kExitFailed;
    if (!videoClipsReady(quiz, fromExecutable)) return kExitFailed;

    const PageSource source{input.stem().u8string(), makerLink(quiz)};
    const std::string page = pageHtml(quiz, packed, source);
    if (!writeFileReplacing(output, std::vector<uint8_t>(page.begin(), page.end()), error,
                            pageInputs(input, quiz)))
        return fail("web", error);
    std::printf("%s écrit : %s (%s)\n", displayPath(output).c_str(), quizSummary(quiz).c_str(),
                byteSize(page.size()).c_str());
    return kExitOk;
}

}  // namespace

const ToolCommand kWebCommand = {"web", "écrire la page web d'un quiz, jouable dans un navigateur",
                                 kWebUsage, runWeb};
