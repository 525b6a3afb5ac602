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

// Its message boxes go through hooks.showMessage.
void loadQuiz(Quiz* quiz, const PlayerHooks& hooks);
// The same from any module that carries the resources (null: the executable).
void loadQuizFromModule(Quiz* quiz, HMODULE module, const PlayerHooks& hooks);
