// Building the grid: every control of the quiz at its canvas position, in tab order, each
// answer field restored from the saved answers file, judged, subclassed and focused.
#include <cstdio>

#include "core/ids.h"
#include "core/win/controls.h"
#include "evaluation/win/evaluate.h"
#include "media/picture_order.h"
#include "media/win/picture.h"
#include "media/win/picture_loader.h"
#include "media/win/playback.h"
#include "quizdata/win/quiz.h"
#include "ui/grid_layout.h"
#include "ui/main_layout.h"
#include "ui/win/answer_field.h"
#include "ui/win/grid.h"
#include "ui/win/grid_handlers.h"
#include "ui/win/player.h"
#include "ui/win/saved_answers_file.h"

namespace {

constexpr DWORD kNumberStyle = WS_CHILD | WS_VISIBLE | SS_RIGHT;
constexpr DWORD kBoxedLabelStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_CENTER | SS_CENTERIMAGE;
constexpr DWORD kFieldStyle =
    WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL;
constexpr DWORD kPictureStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_BITMAP | SS_CENTERIMAGE;
constexpr DWORD kCaptionStyle = WS_CHILD | WS_VISIBLE;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_ICON | BS_DEFPUSHBUTTON;
constexpr DWORD kExplanationStyle = WS_CHILD | WS_VISIBLE | SS_CENTER;
constexpr LONG kAnswerFontHeight = 15;

struct Build {
    Player* player;
    Quiz* quiz;
    HWND grid;
    HINSTANCE instance;
    HICON playIcon;
    HICON stopIcon;
    SavedAnswersReader saved;
};

HWND createControl(const Build& b, const char* className, const char* text, DWORD style,
                   const ControlPlacement& p) {
    const ChildControl child{className, text, style, p.x, p.y, p.width, p.height, p.id};
    if (p.font == GridFont::Answer) return createChild(b.grid, child, b.quiz->answerFont, false);
    return createChild(b.grid, child, p.font == GridFont::DefaultGui ? guiFont() : nullptr);
}

const char* questionText(Quiz* quiz, int question, bool explanation) {
    const QuizItem* item = itemAt(quiz, question - 1);
    if (!item) return "";
    return explanation ? item->explanation : item->prompt;
}

void createAnswerField(Build& b, const ControlPlacement& p, const char* line) {
    HWND field = createControl(b, "EDIT", line, kFieldStyle, p);
    // Before the verdict label exists: this first evaluation only recounts the score (and may
    // reveal an answer picture); the verdict shows when the field next loses the focus.
    EvaluationBatch* batch = &b.player->evaluation;
    if (p.evaluateBeforeSubclass) evaluateAnswer(b.quiz, b.grid, p.id, batch);
    if (field) installAnswerFieldProc(field);
    if (!p.evaluateBeforeSubclass) evaluateAnswer(b.quiz, b.grid, p.id, batch);
    if (field) SetFocus(field);
}

// deferred: created at its fitted size with no bitmap yet; it comes from the picture loader.
void createPicture(const Build& b, const ControlPlacement& p, HBITMAP bitmap, bool deferred) {
    HWND picture = createControl(b, "STATIC", nullptr, kPictureStyle, p);
    if (!picture) {
        if (bitmap) DeleteObject(bitmap);
        return;
    }
    if (deferred) {
        queuePicture(b.player->pictures, PictureJob{kQuestionMediaBase + p.question, p.id},
                     CanvasRect{p.x, p.y, p.x + p.width, p.y + p.height});
        return;
    }
    SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

void createButton(const Build& b, const ControlPlacement& p, HICON icon) {
    HWND button = createControl(b, "BUTTON", "", kButtonStyle, p);
    if (button) SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

void createPlacement(Build& b, const ControlPlacement& p, HBITMAP picture, bool deferred) {
    char line[kTextCapacity] = "";
    if (takesSavedLine(p.control)) nextSavedAnswer(&b.saved, line);
    char number[16];
    switch (p.control) {
    case GridControl::NumberLabel:
        std::snprintf(number, sizeof number, "%d.", p.question);
        createControl(b, "STATIC", number, kNumberStyle, p);
        break;
    case GridControl::PromptLabel:
        createControl(b, "STATIC", questionText(b.quiz, p.question, false), kBoxedLabelStyle, p);
        break;
    case GridControl::AnswerField: createAnswerField(b, p, line); break;
    case GridControl::VerdictLabel: createControl(b, "STATIC", "?", kBoxedLabelStyle, p); break;
    case GridControl::QuestionPicture: createPicture(b, p, picture, deferred); break;
    case GridControl::CaptionLabel:
        createControl(b, "STATIC", p.slot == 1 ? b.quiz->caption1 : b.quiz->caption2, kCaptionStyle,
                      p);
        break;
    case GridControl::PlayButton: createButton(b, p, b.playIcon); break;
    case GridControl::StopButton: createButton(b, p, b.stopIcon); break;
    case GridControl::ExplanationLabel:
        createControl(
            b, "STATIC",
            b.quiz->revealMode == RevealAllAtEnd ? "" : questionText(b.quiz, p.question, true),
            kExplanationStyle, p);
        break;
    case GridControl::UnusedSavedLine: break;  // its line is taken and dropped
    }
}

// The fitted question picture of a picture quiz, and the size the layout centres. A JPEG whose
// frame header gives its size is left to the loader (deferred); anything else is decoded here.
HBITMAP loadQuestionPicture(const Build& b, int question, PictureSize* size, bool* deferred) {
    *size = PictureSize{kPictureBox, kPictureBox};
    FittedSize fitted{};
    *deferred = fittedSizeFromHeader(b.instance, kQuestionMediaBase + question, kPictureBox,
                                     kPictureBox, &fitted);
    if (*deferred) {
        *size = PictureSize{fitted.width, fitted.height};
        return nullptr;
    }
    HBITMAP bitmap = loadFittedPicture(b.instance, kQuestionMediaBase + question, kImgType,
                                       kPictureBox, kPictureBox);
    bitmapSize(bitmap, &size->width, &size->height);
    return bitmap;
}

// Each question's controls are created as soon as they are placed, so the canvas grows with them.
void buildQuestions(Build& b, const GridSpec& shape) {
    HBITMAP picture = nullptr;
    bool deferred = false;
    setCanvasSize(0, 0);
    const GridLayout layout = layoutGrid(
        shape,
        [&](int question) {
            PictureSize size{kPictureBox, kPictureBox};
            picture = loadQuestionPicture(b, question, &size, &deferred);
            return size;
        },
        [&](const std::vector<ControlPlacement>& placements, const GridCursor& cursor) {
            for (const ControlPlacement& p : placements) createPlacement(b, p, picture, deferred);
            picture = nullptr;
            deferred = false;
            setCanvasSize(cursor.canvasWidth, cursor.canvasHeight);
        });
    setCanvasSize(layout.canvasWidth, layout.canvasHeight);
}

// The pictures load first that meet the view the main window's layout gives the grid, scrolled
// to its top.
void beginPictures(const Build& b) {
    RECT client{};
    GetClientRect(GetParent(b.grid), &client);
    const WindowBox view = mainLayout(client.right, client.bottom).grid;
    beginPictureLoading(b.player->pictures, b.grid, b.instance,
                        CanvasRect{0, 0, view.width, view.height});
}

}  // namespace

void createAnswerFont(Quiz* quiz) {
    quiz->answerFont = createFont({kAnswerFontHeight, FW_THIN, false, false});
}

void buildGrid(HWND grid) {
    Player* player = playerOfDialog(grid);
    Quiz* quiz = currentQuiz();
    if (!quiz || !player) return;
    Build b{player, quiz, grid, GetModuleHandleA(nullptr), nullptr, nullptr, SavedAnswersReader{}};
    if (quiz->kind == KindAudio || quiz->kind == KindVideo) {
        b.playIcon = LoadIconA(b.instance, MAKEINTRESOURCEA(kPlayIconId));
        b.stopIcon = LoadIconA(b.instance, MAKEINTRESOURCEA(kStopIconId));
        createPlayer(grid, player->hooks);
    }
    if (usesQuestionPictures(quiz->kind)) beginPictures(b);
    openSavedAnswers(&b.saved, &player->answers);
    createAnswerFont(quiz);
    // Each field is judged twice while the grid stands up; the score is counted once, after.
    beginEvaluationBatch(player->evaluation);
    buildQuestions(
        b, GridSpec{quiz->kind, quiz->questionCount, quiz->answersPerQuestion, quiz->revealMode});
    endEvaluationBatch(player->evaluation, quiz, grid);
    closeSavedAnswers(&b.saved);
    updateScrollRanges(grid);
    finishPictureQueue(player->pictures);
}
