// Pictures of a quiz looked at before they are packed: the player hands them to the platform
// decoder as they are, so the tool warns about those it may show damaged or not at all.
#pragma once

#include "tools/quizfile/diagnostics.h"
#include "tools/quizfile/quiz_file.h"

// Warns at the picture's line when its bytes are a truncated JPEG, one without its end marker,
// a badly formed one, one coded otherwise than baseline or progressive, or another format of
// picture (PNG, GIF, BMP). Returns false, warning about nothing, when the bytes are no picture.
bool checkPictureBytes(const MediaRef& picture, Diagnostics& diags);
