// The unpacked payloads of the two PATCH resources: the quiz definition and the reward codes.
// Portable: the Win32 loader fills the Quiz record from DefinitionData, the authoring tool
// writes both payloads with the writers below.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct QuestionData {
    std::string answer1, answer2, prompt, explanation;
};

struct DefinitionData {
    int kind = 0;                // byte 1 minus one, stored as read (may be out of 0..3)
    int questionCount = 0;       // byte 2
    int answersPerQuestion = 1;  // byte 3, stored as read
    std::string title, author, description, caption1, caption2;
    std::vector<QuestionData> questions;  // questionCount entries after a successful parse
    int revealMode = 0;
    uint8_t bgRed = 90, bgGreen = 95, bgBlue = 150;
};

enum PayloadResult { PayloadOk = 0, PayloadTruncated, PayloadTooManyQuestions };

// Never reads past length. Tokens longer than 259 characters are cut to 259; zero bytes inside
// a token are dropped. On failure out holds what was read before the fault.
PayloadResult parseDefinition(const uint8_t* data, size_t length, DefinitionData& out);

// Exactly questionCount entries (none when it is negative); lines missing from a short payload
// are empty, a last line without its CR keeps what it holds, extra lines are ignored.
std::vector<std::string> parseCodes(const uint8_t* data, size_t length, int questionCount);

// The inverse of parseDefinition, byte 0 written as 0. The second answer is written only when
// answersPerQuestion is 2; explanations only for reveal modes 2, 3 (its second token empty)
// and 4. Returns an empty vector, never a valid payload, when d cannot be read back as it is:
// a text holding '|' or a zero byte or longer than 259 characters, questionCount not equal to
// the number of questions or above 96, a kind, count or mode that does not fit its byte.
std::vector<uint8_t> writeDefinition(const DefinitionData& d);

// One CR LF line per entry. Returns an empty vector when a code holds CR, LF or a zero byte or
// is longer than 259 characters (an empty list also gives an empty payload).
std::vector<uint8_t> writeCodes(const std::vector<std::string>& codes);
