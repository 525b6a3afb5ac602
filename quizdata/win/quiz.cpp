// PLACEHOLDER: replaced by the real implementation.
#include "quizdata/win/quiz.h"
namespace { Quiz* gQuiz = nullptr; }
void applyDefaults(Quiz*) {}
void appendItem(Quiz*, const char*, const char*, const char*) {}
QuizItem* itemAt(Quiz*, int) { return nullptr; }
void releaseQuiz(Quiz*) {}
Quiz* currentQuiz() { return gQuiz; }
void publishQuiz(Quiz* quiz) { gQuiz = quiz; }
