// The saved answers file's two places on disk for this run, and the lock that keeps one player
// per answers file. Found once at start-up, before any window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/answer_places.h"

struct AnswerFiles {
    std::wstring localPath;     // NAME.txt in the current directory, as a full path
    std::wstring fallbackPath;  // %APPDATA%\Velto\<executable>.<tag>.txt; empty when unknown
    bool localTemporary;        // the current directory is under the user's temporary folder
    AnswerPlace read;           // the file the grid is filled from
    AnswerPlace unreadable;     // that file exists but could not be read: this run never writes it
    bool standIn;               // the stand-in for a damaged quiz: nothing is read or written
    HANDLE instanceLock;        // held while the player runs; null when none was taken
    std::uintptr_t windowTag;   // carried by the main window, for a second start to find it
};

// The places of this executable's answers in the current directory and the user's folder, and
// which one to read. standIn: none are used.
void findAnswerFiles(AnswerFiles* files, bool standIn);
const std::wstring& placePath(const AnswerFiles& files, AnswerPlace place);
SavePlan savePlanOf(const AnswerFiles& files);

// Takes the lock of the file this run writes first. False when another player holds it: that
// player's window is brought to the front, and this one should exit.
bool claimAnswerFiles(AnswerFiles* files);
// The main window carries the tag from its creation until release.
void markPlayerWindow(const AnswerFiles& files, HWND main);
void releaseAnswerFiles(AnswerFiles* files, HWND main);

// Windows-1252 for a message, '?' for what it cannot hold.
std::string messageText(const std::wstring& text);
