// Where every control of the question grid goes, and how large the virtual canvas is.
// Pure: the Win32 grid walks these placements in order, which is also the dialog's tab order
// and the order in which saved answers are consumed.
#pragma once

#include <functional>
#include <vector>

#include "media/fit_size.h"

enum class GridControl {
    NumberLabel,
    PromptLabel,
    AnswerField,
    VerdictLabel,
    QuestionPicture,
    CaptionLabel,
    PlayButton,
    StopButton,
    ExplanationLabel,
    UnusedSavedLine,  // a saved line taken for a slot that gets no field (3 or more answers)
};

// Font sent right after creation.
enum class GridFont { None, Answer, DefaultGui };

struct ControlPlacement {
    GridControl control;
    int id;  // 0 for UnusedSavedLine
    int x, y, width, height;
    int question;  // 1-based
    int slot;      // 1-based answer slot (fields, verdicts, captions), else 0
    GridFont font;
    // Answer fields of a text row are judged before their procedure is installed; cells the
    // reverse.
    bool evaluateBeforeSubclass;
};

struct GridSpec {
    int kind;
    int questionCount;
    int answersPerQuestion;
    int revealMode;
};

struct PictureSize {
    int width, height;
};

// Running state of a build: the row top and the canvas as it grows question by question.
struct GridCursor {
    int rowTop = 5;
    int canvasWidth = 0;
    int canvasHeight = 0;
};

struct GridLayout {
    std::vector<ControlPlacement> placements;
    int canvasWidth;
    int canvasHeight;
};

// True when question pictures are loaded for this kind (the picture size feeds the layout).
bool usesQuestionPictures(int kind);
// True for the placements that take the next saved answers line.
bool takesSavedLine(GridControl control);

// Question i's controls in creation order, and the canvas they reach (before the final margin).
using QuestionPlaced =
    std::function<void(const std::vector<ControlPlacement>& placements, const GridCursor& cursor)>;

// The whole grid, question by question. pictureSize(i) gives question i's fitted picture size in
// a picture quiz (none: a kPictureBox square) just before its controls are placed; placed (when
// set) receives them at once. A kind outside 0..3 places nothing. The canvas of the result has
// the final margin added to its width.
GridLayout layoutGrid(const GridSpec& shape, const std::function<PictureSize(int)>& pictureSize,
                      const QuestionPlaced& placed = nullptr);
