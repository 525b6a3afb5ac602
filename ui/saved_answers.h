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
// The same from a UTF-16 path: a name outside any code page keeps every character.
std::wstring savedAnswersFileName(const wchar_t* modulePath);

// Where a save is written before it replaces the file in one step: beside it, named with the
// process id so that two players never share one (geo.txt.1234.new).
std::string savedAnswersTempName(const std::string& fileName, unsigned long processId);
std::wstring savedAnswersTempName(const std::wstring& fileName, unsigned long processId);

// Lines the file holds, and the fields F1 walks: answersPerQuestion x questionCount, whatever the
// count of answers (a line without a field stays empty: a text quiz with two answers per question
// writes its one field per question, then empty lines). A text quiz whose count is 0 still keeps
// one line per field.
int savedLineCount(int kind, int questionCount, int answersPerQuestion);

// The file's bytes: each text, cut to 259 characters and without CR (a CR would end the line
// early and shift every later answer to the wrong field), followed by CR LF.
std::string savedAnswersContent(const std::vector<std::string>& lines);

// Copies the line at position into text (at most 259 characters and a zero) and moves position
// to the start of the next line: the text ends at CR, zero bytes add nothing, and everything up
// to and including the next LF is skipped. Never reads at or beyond size.
void readSavedLine(const unsigned char* data, std::size_t size, std::size_t* position,
                   char text[kTextCapacity]);
