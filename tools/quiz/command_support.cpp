#include "tools/quiz/command_support.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "quizdata/quiz_types.h"
#include "tools/quizfile/quiz_keys.h"
#include "tools/text/cp1252.h"

namespace {

std::string counted(size_t n, const std::string& one, const std::string& many) {
    return std::to_string(n) + " " + (n < 2 ? one : many);  // French: 0 and 1 take the singular
}

}  // namespace

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

std::string quizSummary(const QuizFile& quiz) {
    static const char* const kMediaWords[][2] = {
        {"", ""}, {"image", "images"}, {"extrait mp3", "extraits mp3"}, {"extrait avi", "extraits avi"}};
    const DefinitionData& d = quiz.definition;
    size_t media = 0, answerPictures = 0;
    for (const QuestionSource& s : quiz.sources) {
        media += s.media.given() ? 1 : 0;
        answerPictures += s.answerPicture.given() ? 1 : 0;
    }
    const size_t codes = static_cast<size_t>(std::count_if(
        quiz.codes.begin(), quiz.codes.end(), [](const std::string& c) { return !c.empty(); }));
    const int kind = d.kind >= KindText && d.kind <= KindVideo ? d.kind : KindText;
    std::string out = "quiz " + std::string(quizkey::kKindNames[kind]) + " \"" +
                      cp1252ToUtf8(d.title) + "\" : " +
                      counted(d.questions.size(), "question", "questions");
    if (media > 0) out += ", " + counted(media, kMediaWords[kind][0], kMediaWords[kind][1]);
    if (answerPictures > 0)
        out += ", " + counted(answerPictures, "image de réponse", "images de réponse");
    return out + ", " + counted(codes, "code", "codes");
}

void printDiagnostics(const std::string& file, const Diagnostics& diags) {
    std::fputs(formatDiagnostics(file, diags).c_str(), stderr);
}

int fail(const char* command, const std::string& message, int status) {
    std::fprintf(stderr, "velto %s : %s\n", command, message.c_str());
    return status;
}

std::string byteSize(size_t bytes) {
    char text[32];
    if (bytes >= 1024 * 1024)
    {
        std::snprintf(text, sizeof text, "%.1f Mo", static_cast<double>(bytes) / (1024 * 1024));
        if (char* point = std::strchr(text, '.')) *point = ',';  // French decimal comma
    }
    else if (bytes >= 1024)
        std::snprintf(text, sizeof text, "%zu Ko", (bytes + 512) / 1024);
    else
        std::snprintf(text, sizeof text, "%zu octets", bytes);
    return text;
}
