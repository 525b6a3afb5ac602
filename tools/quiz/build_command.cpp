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
    "Usage: velto build QUIZ.toml [-o OUT.exe] [--player PLAYER.exe]\n"
    "\n"
    "Checks the quiz file, then writes a copy of the player holding the quiz: its texts,\n"
    "answers and codes, and each question's picture or clip. Nothing is written when the\n"
    "quiz file has an error.\n"
    "\n"
    "  -o, --output OUT.exe   where to write (default: QUIZ.exe beside the quiz file)\n"
    "  --player PLAYER.exe    the player to copy (default: player.exe beside velto);\n"
    "                         an already built quiz works too: its quiz is replaced\n"
    "\n"
    "The quiz file format is described in docs/quiz-format.md.\n";

const char kCheckUsage[] =
    "Usage: velto check QUIZ.toml\n"
    "\n"
    "Checks the quiz file and its media as 'velto build' does, without writing anything.\n"
    "Prints every problem as FILE:LINE: message. Exit status 1 when there is an error.\n";

int buildUsageError(const std::string& message) {
    std::fprintf(stderr, "velto build: %s\n\n%s", message.c_str(), kBuildUsage);
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
                std::printf("  media %d/%d: %s\n", number, total, path.c_str());
        };
    }
    Diagnostics diags;
    const bool ok = loadQuiz(quizPath, quiz, packed, diags, progress);
    printDiagnostics(displayPath(quizPath), diags);
    if (!ok) {
        const int errors = diags.errorCount();
        fail(command, std::to_string(errors) + (errors == 1 ? " error" : " errors") +
                          (std::string(command) == "build" ? "; nothing written" : ""));
    }
    return ok;
}

bool writeQuizExecutable(const fs::path& playerPath, const fs::path& output, const QuizFile& quiz,
                         const PackedQuiz& packed, size_t& written) {
    std::vector<uint8_t> player, image;
    std::string error;
    if (!readFileBytes(playerPath, player, error)) {
        fail("build", "cannot read the player '" + displayPath(playerPath) + "': " + error +
                          " (name one with --player)");
        return false;
    }
    if (sameFile(playerPath, output)) {
        fail("build", "'" + displayPath(output) +
                          "' is the player itself; write the quiz to "
                          "another file with -o");
        return false;
    }
    if (!installQuiz(player, quizResources(quiz, packed), image, error)) {
        fail("build", "cannot put the quiz into '" + displayPath(playerPath) + "': " + error);
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
    if (args.positional.size() != 1) return buildUsageError("name one quiz file");
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
    std::printf("wrote %s: %s (%s)\n", displayPath(output).c_str(), quizSummary(quiz).c_str(),
                byteSize(written).c_str());
    return 0;
}

int runCheck(int argc, char** argv) {
    CommandArgs args;
    std::string error;
    if (!splitArgs(argc, argv, {}, args, error) || args.positional.size() != 1) {
        std::fprintf(stderr, "velto check: %s\n\n%s",
                     error.empty() ? "name one quiz file" : error.c_str(), kCheckUsage);
        return kUsageError;
    }
    const fs::path quizPath = args.positional[0];
    QuizFile quiz;
    PackedQuiz packed;
    if (!loadAndReport("check", quizPath, false, quiz, packed)) return 1;
    std::printf("%s: ok, %s\n", displayPath(quizPath).c_str(), quizSummary(quiz).c_str());
    return 0;
}

}  // namespace

const ToolCommand kBuildCommand = {"build", "pack a quiz file into a quiz executable", kBuildUsage,
                                   runBuild};
const ToolCommand kCheckCommand = {"check", "check a quiz file and its media", kCheckUsage,
                                   runCheck};
