// Kinds, reveal modes and limits shared by the loader, the windows and the authoring tool.
#pragma once

#include <cstddef>

enum QuizKind { KindText = 0, KindPicture = 1, KindAudio = 2, KindVideo = 3 };

enum RevealMode {
    RevealNone = 0,
    RevealPicture = 1,
    RevealExplanation = 2,
    RevealBoth = 3,
    RevealAllAtEnd = 4,
};

constexpr std::size_t kTextCapacity = 260;  // every text field: 259 characters and a zero
constexpr std::size_t kMaxTextLength = kTextCapacity - 1;
constexpr int kMaxQuestions = 96;
constexpr int kCodeCount = 96;

// The record's verdict brushes, as 0xRRGGBB: the player's labels and the web page are filled
// with them.
constexpr int kWrongFill = 0xFF0000;
constexpr int kRightFill = 0x00FF00;
constexpr int kAnagramFill = 0xFF6400;
constexpr int kHintFill = 0xFFCB26;
constexpr int kNoteFill = 0xFFFFC0;

// Resource numbers of the executable.
constexpr int kDefinitionResource = 104;   // "PATCH"
constexpr int kCodesResource = 105;        // "PATCH"
constexpr int kQuestionMediaBase = 400;    // "IMG" 400 + i: picture or clip of question i
constexpr int kAnswerPictureBase = 10400;  // "IMG" 10400 + i: answer picture of question i
constexpr int kLinkResource = 106;         // "LINK": the maker's web address, plain ASCII
constexpr char kPatchType[] = "PATCH";
constexpr char kLinkType[] = "LINK";
constexpr char kImgType[] = "IMG";
