// The question grid dialog: building, scrolling and colours.
#pragma once

#include <windows.h>

struct Quiz;

// Created with the run's Player as its parameter, kept in DWLP_USER for the grid's build, its
// media buttons and its answer fields.
INT_PTR CALLBACK gridProc(HWND grid, UINT message, WPARAM wParam, LPARAM lParam);
// Builds the grid of the Player the grid holds; nothing without one.
void buildGrid(HWND grid);
// The thin face of the answer fields; stored in quiz->answerFont, never deleted.
void createAnswerFont(Quiz* quiz);
void updateScrollRanges(HWND grid);
// `curs`: the stored vertical target of scroll request 502.
void setScrollTarget(int pixels);
int canvasWidth();
int canvasHeight();
