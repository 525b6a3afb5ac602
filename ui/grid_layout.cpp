// Grid geometry: a text quiz is one row per question, the other kinds three cells to a row.
#include "ui/grid_layout.h"

#include "core/ids.h"
#include "quizdata/quiz_types.h"

namespace {

// Text rows.
constexpr int kRowStep = 25;
constexpr int kTextCanvasWidth = 830;
constexpr int kTextNumberX = 26, kTextNumberWidth = 19, kTextNumberHeight = 17;
constexpr int kPromptX = 50, kPromptWidth = 550;
constexpr int kTextFieldX = 610, kTextVerdictX = 720, kTextFieldWidth = 100;

// Cells.
constexpr int kCellsPerRow = 3;
constexpr int kColumnStep = 290;
constexpr int kCellLeft = 46, kCellLeftWithCaptions = 106;
constexpr int kCellCanvasWidth = 890;
constexpr int kPictureBand = kPictureBox + 10;  // answer area below the picture box
constexpr int kVideoBand = 210;
constexpr int kButtonWidth = 20;
constexpr int kPlayHeight = 20, kStopHeight = 19;
constexpr int kCellFieldWidth = 260, kMediaFieldWidth = 240;
constexpr int kSlotStep = 19;
constexpr int kTwoSlotVerdictWidth = 60;
constexpr int kTwoSlotFieldShrink = 59;
constexpr int kCaptionX = 3, kCaptionWidth = 95;
constexpr int kCellNumberOffset = 28, kCellNumberWidth = 27, kNumberHeight = 17;
constexpr int kExplanationOffset = 46, kExplanationHeight = 65;
constexpr int kCellRowHeight = 60, kCellRowHeightWithExplanation = 140;

// Shared.
constexpr int kControlHeight = 20;
constexpr int kCanvasMargin = 20, kCanvasMarginTwoAnswers = 80;

bool hasExplanations(const GridSpec& shape) { return shape.revealMode > RevealPicture; }

ControlPlacement place(GridControl control, int id, int x, int y, int width, int height,
                       int question, int slot = 0, GridFont font = GridFont::None) {
    return ControlPlacement{control, id, x, y, width, height, question, slot, font, false};
}

void layoutTextRow(int i, GridCursor& cursor, std::vector<ControlPlacement>& out) {
    const int y = cursor.rowTop;
    out.push_back(place(GridControl::NumberLabel, kNumberLabelId, kTextNumberX, y + 2,
                        kTextNumberWidth, kTextNumberHeight, i));
    out.push_back(place(GridControl::PromptLabel, kPromptLabelId, kPromptX, y, kPromptWidth,
                        kControlHeight, i, 0, GridFont::DefaultGui));
    ControlPlacement field = place(GridControl::AnswerField, kAnswerFieldBase + i, kTextFieldX, y,
                                   kTextFieldWidth, kControlHeight, i, 1, GridFont::Answer);
    field.evaluateBeforeSubclass = true;
    out.push_back(field);
    out.push_back(place(GridControl::VerdictLabel, kVerdictLabelBase + i, kTextVerdictX, y,
                        kTextFieldWidth, kControlHeight, i, 1));
    cursor.rowTop = y + kRowStep;
    cursor.canvasWidth = kTextCanvasWidth;
    cursor.canvasHeight = cursor.rowTop;
}

// The answer area of one cell: field(s) with their verdict labels, one saved line per slot.
void layoutSlots(const GridSpec& shape, int i, int left, int top, int width,
                 std::vector<ControlPlacement>& out) {
    if (shape.answersPerQuestion == 1) {
        out.push_back(place(GridControl::AnswerField, kAnswerFieldBase + i, left, top, width,
                            kControlHeight, i, 1, GridFont::Answer));
        out.push_back(place(GridControl::VerdictLabel, kVerdictLabelBase + i, left, top + kSlotStep,
                            width, kControlHeight, i, 1));
        return;
    }
    for (int j = 1; j <= shape.answersPerQuestion; ++j) {
        if (shape.answersPerQuestion != 2) {
            out.push_back(place(GridControl::UnusedSavedLine, 0, 0, 0, 0, 0, i, j));
            continue;
        }
        const int field = kAnswerFieldBase + 2 * (i - 1) + j;
        const int y = top + kSlotStep * (j - 1);
        out.push_back(place(GridControl::AnswerField, field, left, y, width - kTwoSlotFieldShrink,
                            kControlHeight, i, j, GridFont::Answer));
        out.push_back(place(GridControl::VerdictLabel, field + kVerdictLabelOffset,
                            left + width - kTwoSlotVerdictWidth, y, kTwoSlotVerdictWidth,
                            kControlHeight, i, j, GridFont::DefaultGui));
    }
}

void layoutCell(const GridSpec& shape, int i, PictureSize picture, GridCursor& cursor,
                std::vector<ControlPlacement>& out) {
    const int column = (i - 1) % kCellsPerRow;
    const bool twoAnswers = shape.answersPerQuestion == 2;
    const int x = (twoAnswers ? kCellLeftWithCaptions : kCellLeft) + kColumnStep * column;
    const int y = cursor.rowTop;
    int answerTop = y;
    int fieldLeft = x + kButtonWidth;
    int fieldWidth = kMediaFieldWidth;
    if (shape.kind == KindPicture) {
        out.push_back(place(GridControl::QuestionPicture, kQuestionPictureBase + i,
                            x + (kPictureBox - picture.width) / 2,
                            y + (kPictureBox - picture.height) / 2, picture.width, picture.height,
                            i));
        answerTop = y + kPictureBand;
        fieldLeft = x;
        fieldWidth = kCellFieldWidth;
    } else if (shape.kind == KindVideo) {
        answerTop = y + kVideoBand;
    }
    if (twoAnswers && column == 0) {
        out.push_back(place(GridControl::CaptionLabel, kCaptionLabelId, kCaptionX, answerTop + 2,
                            kCaptionWidth, kControlHeight, i, 1, GridFont::DefaultGui));
        out.push_back(place(GridControl::CaptionLabel, kCaptionLabelId, kCaptionX, answerTop + 22,
                            kCaptionWidth, kControlHeight, i, 2, GridFont::DefaultGui));
    }
    out.push_back(place(GridControl::NumberLabel, kNumberLabelId, x - kCellNumberOffset,
                        answerTop + 2, kCellNumberWidth, kNumberHeight, i));
    if (shape.kind == KindAudio || shape.kind == KindVideo) {
        out.push_back(place(GridControl::PlayButton, kPlayButtonBase + i, x, answerTop,
                            kButtonWidth, kPlayHeight, i));
        out.push_back(place(GridControl::StopButton, kStopButtonBase + i, x,
                            answerTop + kPlayHeight, kButtonWidth, kStopHeight, i));
    }
    layoutSlots(shape, i, fieldLeft, answerTop, fieldWidth, out);
    if (hasExplanations(shape)) {
        out.push_back(place(GridControl::ExplanationLabel, kExplanationLabelBase + i, x,
                            answerTop + kExplanationOffset, kCellFieldWidth, kExplanationHeight, i,
                            0, GridFont::DefaultGui));
    }
    const int rowBottom =
        answerTop + (hasExplanations(shape) ? kCellRowHeightWithExplanation : kCellRowHeight);
    if (column == 0) {
        cursor.canvasWidth = kCellCanvasWidth;
        cursor.canvasHeight = rowBottom;
    } else if (column == kCellsPerRow - 1) {
        cursor.rowTop = rowBottom;
    }
}

std::vector<ControlPlacement> layoutQuestion(const GridSpec& shape, int question,
                                             PictureSize picture, GridCursor& cursor) {
    std::vector<ControlPlacement> out;
    switch (shape.kind) {
    case KindText: layoutTextRow(question, cursor, out); break;
    case KindPicture:
    case KindAudio:
    case KindVideo: layoutCell(shape, question, picture, cursor, out); break;
    default: break;
    }
    return out;
}

void finishCanvas(const GridSpec& shape, GridCursor& cursor) {
    cursor.canvasWidth += shape.answersPerQuestion == 2 ? kCanvasMarginTwoAnswers : kCanvasMargin;
}

}  // namespace

bool usesQuestionPictures(int kind) { return kind == KindPicture; }

bool takesSavedLine(GridControl control) {
    return control == GridControl::AnswerField || control == GridControl::UnusedSavedLine;
}

GridLayout layoutGrid(const GridSpec& shape, const std::function<PictureSize(int)>& pictureSize,
                      const QuestionPlaced& placed) {
    GridLayout layout{{}, 0, 0};
    GridCursor cursor;
    for (int i = 1; i <= shape.questionCount; ++i) {
        PictureSize picture{kPictureBox, kPictureBox};
        if (usesQuestionPictures(shape.kind) && pictureSize) picture = pictureSize(i);
        std::vector<ControlPlacement> question = layoutQuestion(shape, i, picture, cursor);
        if (placed) placed(question, cursor);
        layout.placements.insert(layout.placements.end(), question.begin(), question.end());
    }
    finishCanvas(shape, cursor);
    layout.canvasWidth = cursor.canvasWidth;
    layout.canvasHeight = cursor.canvasHeight;
    return layout;
}
