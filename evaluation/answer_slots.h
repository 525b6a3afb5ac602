// Where an answer field sits in its quiz, and the rules that read the grid's verdicts back:
// solved count, score and code texts, reveals and the F1 fill.
// Pure functions over numbers and texts; the Windows side only reads and writes controls.
#pragma once

#include <string>
#include <vector>

#include "quizdata/quiz_types.h"

// Answer fields per question as the grid creates them: a text quiz always has one, the other
// kinds one or two. 0 when answersPerQuestion is neither 1 nor 2: no field belongs to a question.
int fieldsPerQuestion(int kind, int answersPerQuestion);

// Questions the grid can hold: questionCount kept within 0 .. kMaxQuestions.
int questionsInGrid(int questionCount);

// Answer fields (and verdict labels) of the grid: 4001 .. 4000 + answerFieldCount.
int answerFieldCount(int kind, int questionCount, int answersPerQuestion);

struct FieldSlot {
    bool valid;    // false: the identifier is not one of the grid's answer fields
    int question;  // 0-based question index
    int slot;      // 1 (compared with answer1) or 2 (answer2)
};

FieldSlot slotOfField(int kind, int questionCount, int answersPerQuestion, int fieldId);

// Identifiers around question q (0-based) and slot s (1-based), perQuestion fields per question.
int answerFieldId(int question, int slot, int perQuestion);
int verdictLabelId(int fieldId);
int explanationLabelId(int question);
int questionPictureId(int question);
int answerPictureNumber(int question);  // "IMG" resource of the executable

bool isSolvedVerdict(const char* verdict);

// Questions whose every verdict reads "BRAVO"; verdicts are in label order 5001, 5002, ...
int countSolved(const std::vector<std::string>& verdicts, int perQuestion);

// A leading space, the score, " / ", the number of questions.
std::string scoreText(int solved, int questionCount);
// The code a score unlocks: codes[solved - 1], or six spaces for none.
const char* codeText(const char (*codes)[kTextCapacity], int solved);
extern const char kNoCodeText[];

// Reveals: only for an answer typed exactly (untrimmed, a..z folded) in every slot.
bool revealsPerQuestion(int revealMode);
bool revealsExplanation(int revealMode);
bool revealsPicture(int revealMode);
bool slotTextMatches(const char* expected, const char* typed);
