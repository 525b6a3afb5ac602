// The saved answers file, without the file system: its name, its content and its line reader.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "quizdata/quiz_types.h"

// The executable's file name (after the last '\') with its last three characters replaced by
// "txt": geo.exe gives geo.txt, geo.ex geotxt, maps mtxt. A name of fewer than three characters
// has nothing to replace; it gets ".txt" appended instead (ab gives ab.txt).
std::string savedAnswersFileName(const char* modulePath);

// Where a save is written before it replaces the file in one step.
std::string savedAnswersTempName(const std::string& fileName);

// Lines the file holds: answersPerQuestion x questionCount (a text quiz with two answers per
// question writes its one field per question, then empty lines). With any other count of
// answers only a text quiz has fields: one line per question.
int savedLineCount(int kind, int questionCount, int answersPerQuestion);

// The file's bytes: each text, cut to 259 characters and without CR (a CR would end the line
// early and shift every later answer to the wrong field), followed by CR LF.
std::string savedAnswersContent(const std::vector<std::string>& lines);

// Copies the line at position into text (at most 259 characters and a zero) and moves position
// to the start of the next line: the text ends at CR, zero bytes add nothing, and everything up
// to and including the next LF is skipped. Never reads at or beyond size.
void readSavedLine(const unsigned char* data, std::size_t size, std::size_t* position,
                   char text[kTextCapacity]);
