// Fills the Quiz from the executable's "PATCH" 104 (definition) and 105 (codes).
#pragma once

#include <windows.h>

#include "core/win/player_hooks.h"
#include "quizdata/win/quiz.h"

constexpr char kLoaderTitle[] = "Velto";
constexpr char kDefinitionError[] = "Erreur dans le décryptage des reponses";
constexpr char kCodesMissing[] = "Codes non trouvés.";
constexpr char kCodesEmpty[] = "Codes non renseignés.";
constexpr char kCodesError[] = "Erreur dans le décryptage des codes";

// Where the record's quiz came from. A damaged definition leaves the defaults: a stand-in whose
// answers must never replace the real quiz's saved ones.
enum class QuizSource { Resources, BuiltIn, Damaged };

// Its message boxes go through hooks.showMessage.
QuizSource loadQuiz(Quiz* quiz, const PlayerHooks& hooks);
// The same from any module that carries the resources (null: the executable).
QuizSource loadQuizFromModule(Quiz* quiz, HMODULE module, const PlayerHooks& hooks);
