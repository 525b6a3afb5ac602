// What one run of the player holds beyond the Quiz record, owned by runPlayer. Its windows reach
// it from their creation parameter: the main window keeps it in GWLP_USERDATA, the header panel
// and the grid in DWLP_USER, an answer field through its grid. Each layer's state is its own
// sub-record, handed down to that layer alone.
#pragma once

#include <windows.h>

#include "core/win/player_hooks.h"
#include "evaluation/win/evaluate.h"
#include "media/win/picture_loader.h"
#include "media/win/playback.h"
#include "quizdata/win/quiz.h"
#include "ui/win/answer_files.h"

struct PlayerWindows {
    HWND main;
    HWND header;  // also the Quiz's headerWindow, through which the score is written
    HWND grid;
    HWND focusKept;  // the control that had the keyboard when the main window was last deactivated
};

struct PlayerBrushes {
    HBRUSH label;  // behind the main window's version label, made and deleted by the run
    HBRUSH panel;  // the header panel's own, made at its WM_INITDIALOG, deleted at its WM_DESTROY
};

struct Player {
    Quiz* quiz = nullptr;  // the process's one record
    PlayerWindows windows{};
    PlayerBrushes brushes{};
    PictureLoading pictures;     // the grid's question pictures
    EvaluationBatch evaluation;  // the grid's build and the F1 fill
    AnswerFiles answers{};       // where the saved answers are read and written, and its lock
    MediaRun media;              // the clip files' folder, the missing-player notice
    PlayerHooks hooks = kDefaultPlayerHooks;
    bool comInitialised = false;  // the GUI thread's apartment, left at shutdown
};

// The Player a window of the run holds; null before its creation message stored it.
Player* playerOfMainWindow(HWND main);
Player* playerOfDialog(HWND dialog);  // the header panel or the grid
Player* playerOfField(HWND field);    // an answer field, through its grid
// Keeps the creation parameter: GWLP_USERDATA at WM_NCCREATE, DWLP_USER at WM_INITDIALOG.
void keepPlayerOfMainWindow(HWND main, const CREATESTRUCTA* create);
void keepPlayerOfDialog(HWND dialog, LPARAM initParam);
