// velto inspect and velto extract: a built quiz back to its quiz file and media.
#include <cstdio>
#include <filesystem>

#include "tools/commands.h"
#include "tools/quiz/command_support.h"
#include "tools/quiz/quiz_resources.h"
#include "tools/quizfile/file_io.h"
#include "tools/quizfile/quiz_writer.h"

namespace fs = std::filesystem;

namespace {

constexpr int kUsageError = 2;

const char kInspectUsage[] =
    "Usage: velto inspect QUIZ.exe\n"
    "\n"
    "Prints the quiz file of a built quiz. Building that file again (with the media\n"
    "'velto extract' writes beside it) gives the same quiz. Media are named media/q1.jpg,\n"
    "media/q1.mp3 or media/q1.avi (question 1) and media/a1.jpg (answer picture 1).\n";

const char kExtractUsage[] =
    "Usage: velto extract QUIZ.exe DIR\n"
    "\n"
    "Writes the quiz file of a built quiz into DIR (named after QUIZ.exe, with .toml)\n"
    "and its pictures and clips into DIR/media, ready for 'velto build'. DIR is created if\n"
    "needed; files already there are never replaced.\n";

bool loadBuiltQuiz(const char* command, const fs::path& exe, QuizFile& quiz) {
    std::vector<uint8_t> image;
    std::string error;
    if (!readFileBytes(exe, image, error)) {
        fail(command, "cannot read '" + displayPath(exe) + "': " + error);
        return false;
    }
    std::vector<std::string> warnings;
    if (!readBuiltQuiz(image, quiz, warnings, error)) {
        fail(command, displayPath(exe) + ": " + error);
        return false;
    }
    for (const std::string& w : warnings)
        std::fprintf(stderr, "velto %s: warning: %s\n", command, w.c_str());
    return true;
}

std::string headerComment(const fs::path& exe) {
    return "Quiz file of " + displayPath(exe.filename()) + ", recovered by velto";
}

int runInspect(int argc, char** argv) {
    CommandArgs args;
    std::string error;
    if (!splitArgs(argc, argv, {}, args, error) || args.positional.size() != 1) {
        std::fprintf(stderr, "velto inspect: %s\n\n%s",
                     error.empty() ? "name one quiz executable" : error.c_str(), kInspectUsage);
        return kUsageError;
    }
    const fs::path exe = args.positional[0];
    QuizFile quiz;
    if (!loadBuiltQuiz("inspect", exe, quiz)) return 1;
    std::fputs(writeQuizText(quiz, headerComment(exe)).c_str(), stdout);
    return 0;
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
        if (fs::exists(target.first))
            return fail("extract", "'" + displayPath(target.first) +
                                       "' already exists; extract into a new or empty folder");
    }
    std::error_code ec;
    fs::create_directories(targets.size() > 1 ? dir / "media" : dir, ec);
    if (ec) return fail("extract", "cannot create '" + displayPath(dir) + "': " + ec.message());
    std::string error;
    for (const auto& target : targets) {
        if (!writeFileReplacing(target.first, *target.second, error)) return fail("extract", error);
    }
    std::printf("wrote %s and %zu media files: %s\n", displayPath(quizPath).c_str(),
                targets.size() - 1, quizSummary(quiz).c_str());
    return 0;
}

int runExtract(int argc, char** argv) {
    CommandArgs args;
    std::string error;
    if (!splitArgs(argc, argv, {}, args, error) || args.positional.size() != 2) {
        std::fprintf(stderr, "velto extract: %s\n\n%s",
                     error.empty() ? "name a quiz executable and a folder" : error.c_str(),
                     kExtractUsage);
        return kUsageError;
    }
    const fs::path exe = args.positional[0];
    QuizFile quiz;
    if (!loadBuiltQuiz("extract", exe, quiz)) return 1;
    return writeExtracted(exe, args.positional[1], quiz);
}

}  // namespace

const ToolCommand kInspectCommand = {"inspect", "print the quiz file of a built quiz",
                                     kInspectUsage, runInspect};
const ToolCommand kExtractCommand = {"extract", "write a built quiz's quiz file and media",
                                     kExtractUsage, runExtract};
