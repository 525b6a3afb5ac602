// The words of the quiz file format, shared by its reader and its writer.
#pragma once

namespace quizkey {

constexpr char kKind[] = "kind";
constexpr char kTitle[] = "title";
constexpr char kAuthor[] = "author";
constexpr char kDescription[] = "description";
constexpr char kAnswersPerQuestion[] = "answers_per_question";
constexpr char kCaptions[] = "captions";
constexpr char kReveal[] = "reveal";
constexpr char kBackground[] = "background";
constexpr char kCodes[] = "codes";
constexpr char kLink[] = "link";
constexpr char kQuestions[] = "questions";

constexpr char kPrompt[] = "prompt";
constexpr char kAnswer[] = "answer";
constexpr char kAnswers[] = "answers";
constexpr char kExplanation[] = "explanation";
constexpr char kMedia[] = "media";
constexpr char kAnswerPicture[] = "answer_picture";
constexpr char kWebMedia[] = "web_media";

constexpr const char* kQuizKeys[] = {
    kKind,   kTitle,      kAuthor, kDescription, kAnswersPerQuestion, kCaptions,
    kReveal, kBackground, kCodes,  kLink,        kQuestions};
constexpr const char* kQuestionKeys[] = {kPrompt, kAnswer,        kAnswers, kExplanation,
                                         kMedia,  kAnswerPicture, kWebMedia};

// Indexed by QuizKind and RevealMode.
constexpr const char* kKindNames[] = {"text", "picture", "audio", "video"};
constexpr const char* kRevealNames[] = {"none", "picture", "explanation", "both", "all-at-end"};

}  // namespace quizkey
