#include "tools/quiz/command_support.h"

#include <algorithm>
#include <cstdio>

#include "quizdata/quiz_types.h"
#include "tools/quizfile/quiz_keys.h"
#include "tools/text/cp1252.h"

namespace {

std::string counted(size_t n, const std::string& one, const std::string& many) {
    return std::to_string(n) + " " + (n < 2 ? one : many);  // French: 0 and 1 take the singular
}

}  // namespace

std::string quizSummary(const QuizFile& quiz) {
    static const char* const kMediaWords[][2] = {{"", ""},
                                                 {"image", "images"},
                                                 {"extrait mp3", "extraits mp3"},
                                                 {"extrait avi", "extraits avi"}};
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
                      cp1252ToUtf8(d.title) +
                      "\" : " + counted(d.questions.size(), "question", "questions");
    if (media > 0) out += ", " + counted(media, kMediaWords[kind][0], kMediaWords[kind][1]);
    if (answerPictures > 0)
        out += ", " + counted(answerPictures, "image de réponse", "images de réponse");
    return out + ", " + counted(codes, "code", "codes");
}

void printDiagnostics(const std::string& file, const Diagnostics& diags) {
    std::fputs(formatDiagnostics(file, diags).c_str(), stderr);
}
