// The quiz inside a player executable: PATCH 104 and 105, IMG 400 + i and 10400 + i, LINK 106.
#pragma once

#include <string>
#include <vector>

#include "tools/pe/pe_resources.h"
#include "tools/quizfile/quiz_file.h"

// The quiz's resources, language neutral: PATCH 104 (definition), PATCH 105 (codes), IMG
// 400 + i (question media) and IMG 10400 + i (answer picture) of question i, 1-based; LINK 106
// (the maker's web address) when the quiz has one.
std::vector<PeResource> quizResources(const QuizFile& quiz, const PackedQuiz& packed);

// Whether a resource is of type "PATCH", "IMG" or "LINK", which belong to the quiz, not the player.
bool isQuizResource(const PeResource& resource);

// `player` (whose resources checkPlayer read) with every PATCH and IMG resource it holds replaced
// by `quiz`'s; its other resources (dialogs, icons, cursor, version) are kept.
bool installQuiz(const std::vector<uint8_t>& player, std::vector<PeResource> playerResources,
                 const std::vector<PeResource>& quiz, std::vector<uint8_t>& out,
                 std::string& error);

// Names under which inspect and extract refer to a built quiz's media: "media/q3.jpg",
// "media/q3.mp3", "media/q3.avi" (by kind) and "media/a3.jpg".
std::string questionMediaName(int kind, int number);
std::string answerPictureName(int number);

// Reads the quiz of a built executable back: definition, codes, media with the names above
// and their bytes. Oddities that do not stop the reading (no codes, unused IMG resources) go
// to `warnings`. Returns false with `error` when there is no readable quiz.
bool readBuiltQuiz(const std::vector<uint8_t>& image, QuizFile& quiz,
                   std::vector<std::string>& warnings, std::string& error);
