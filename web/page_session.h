// One quiz played in a web page: the state the Windows grid keeps in its controls (field texts,
// verdict labels, explanation labels, answer pictures shown), driven by the portable core.
// Compiled to WebAssembly for the page and natively for the tests; no platform calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "quizdata/payload.h"
#include "ui/grid_layout.h"

struct PageSession {
    DefinitionData definition;
    std::vector<std::string> codes;  // kCodeCount entries, empty where the quiz has none
    int fields = 0;                  // answer fields 4001 .. 4000 + fields
    int perQuestion = 0;
    std::vector<std::string> texts;         // what each answer field holds, Windows-1252
    std::vector<std::string> verdicts;      // each verdict label's text
    std::vector<std::string> explanations;  // each explanation label's text, per question
    std::vector<uint8_t> answerPictureShown;
    std::vector<PictureSize> pictureSizes;  // question pictures as stored (0 x 0: none)
    int allSolvedShown = 0;
    GridLayout layout;
};

// Result of loading: 0, or the codec's negative result, or 1 + the payload's PayloadResult.
constexpr int kSessionPayloadFault = 1;

// Unpacks and parses the two packed blocks (codes may be empty), then resets every field to empty
// and "?". Picture sizes are kept: they may be set before or after.
int loadSession(PageSession& s, const uint8_t* definition, uint32_t definitionLength,
                const uint8_t* codes, uint32_t codesLength);

// Question i's (1-based) stored picture size; the layout fits it into the picture box.
void setPictureSize(PageSession& s, int question, int width, int height);
void computeLayout(PageSession& s);

// The answer field 4000 + k's text (cut to 259 characters), as typed; judges nothing.
void setFieldText(PageSession& s, int k, const std::string& text);
// The player's evaluation of answer field 4000 + k: verdict, reveals, all-at-end explanations.
void evaluateField(PageSession& s, int k);
// F1 in field 4000 + k: its text into every field whose verdict is not "BRAVO", each judged.
void fillUnsolved(PageSession& s, int k);

int solvedCount(const PageSession& s);
std::string sessionScoreText(const PageSession& s);
const char* sessionCodeText(const PageSession& s);

// The saved answers file's bytes for the current fields, and the reverse: each field in grid
// order takes the next line, then every field is judged, as the grid does at its creation.
std::string savedContent(const PageSession& s);
void restoreSaved(PageSession& s, const uint8_t* data, std::size_t size);

// RGB (0xRRGGBB) colours of a static control of the grid as the player paints it; -1 where the
// control keeps the page's own colour (transparent on the grid, or the default label colours).
struct PagePaint {
    int background;      // the brush: the whole control
    int textBackground;  // behind the text itself (an opaque text cell), -1: none
    int text;
};
PagePaint controlPaint(const PageSession& s, int id);
