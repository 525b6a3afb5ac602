// The one Quiz record of the process, with its question list, fonts and brushes.
#pragma once

#include <windows.h>

#include <string_view>

#include "quizdata/quiz_types.h"

struct QuizItem {
    char answer1[kTextCapacity];
    char answer2[kTextCapacity];
    char prompt[kTextCapacity];
    char explanation[kTextCapacity];
    QuizItem* prev;
    QuizItem* next;
};

struct Quiz {
    int kind;
    char title[kTextCapacity];
    char author[kTextCapacity];
    char description[kTextCapacity];
    char caption1[kTextCapacity];
    char caption2[kTextCapacity];
    int questionCount;
    int answersPerQuestion;
    char codes[kCodeCount][kTextCapacity];
    char link[kTextCapacity];  // the maker's http(s) address; empty: the header shows no link
    int revealMode;
    HFONT answerFont;
    HFONT scoreFont;
    HFONT titleFont;
    int allSolvedShown;
    unsigned char bgRed;
    unsigned char bgBlue;
    unsigned char bgGreen;
    HBRUSH bgBrush;
    HBRUSH wrongBrush;
    HBRUSH rightBrush;
    HBRUSH anagramBrush;
    HBRUSH hintBrush;
    HBRUSH noteBrush;
    HWND headerWindow;
    char mediaDir[512];
    QuizItem* firstItem;
    QuizItem* lastItem;
};

// Copies at most 259 characters into a text field of the record: it has no room for more.
void copyText(char* destination, std::string_view text);

void applyDefaults(Quiz* quiz);
void appendItem(Quiz* quiz, const char* answer1, const char* answer2, const char* prompt);
QuizItem* itemAt(Quiz* quiz, int index);
void releaseQuiz(Quiz* quiz);

// The process's one record, published by start-up.
Quiz* currentQuiz();
void publishQuiz(Quiz* quiz);
