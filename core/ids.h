// Control identifiers and resource numbers of the player: the contract between the header, the
// main window, the grid, the evaluation, the playback, the scrolling and the saved file. In the
// bottom layer, so that every layer includes them downward.
#pragma once

// Question grid (i is the question number from 1, k the running answer field number from 1).
constexpr int kNumberLabelId = 153;
constexpr int kCaptionLabelId = 156;
constexpr int kPromptLabelId = 3000;
constexpr int kAnswerFieldBase = 4000;       // answer field 4000 + k
constexpr int kVerdictLabelOffset = 1000;    // verdict label = answer field + 1000
constexpr int kVerdictLabelBase = 5000;      // verdict label 5000 + k
constexpr int kPlayButtonBase = 6000;        // 6000 + i
constexpr int kStopButtonBase = 7000;        // 7000 + i
constexpr int kExplanationLabelBase = 8000;  // 8000 + i
constexpr int kPlayerHostId = 9900;
constexpr int kQuestionPictureBase = 9900;  // 9900 + i

// Main window.
constexpr int kVersionLabelId = 8000;

// Header panel.
constexpr int kLinkId = 24;
constexpr int kByLabelId = 25;
constexpr int kAuthorLabelId = 26;
constexpr int kSaveButtonId = 27;
constexpr int kDescriptionLabelId = 28;
constexpr int kTitleLabelId = 29;
constexpr int kCodeBoxId = 30;
constexpr int kCodeLabelId = 31;
constexpr int kScoreLabelId = 32;
constexpr int kRuleLeftId = 120;
constexpr int kRuleMiddleId = 121;
constexpr int kRuleRightId = 122;

// Private vertical scroll requests understood by the grid.
constexpr int kScrollDown50 = 500;
constexpr int kScrollUp50 = 501;
constexpr int kScrollToTarget = 502;

// Resources of the player.
constexpr int kGridDialogId = 1001;
constexpr int kHeaderDialogId = 1002;
constexpr int kLinkCursorId = 1003;
constexpr int kPlayIconId = 1004;
constexpr int kStopIconId = 1005;
