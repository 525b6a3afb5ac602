// Question pictures decoded off the GUI thread and shown as they come, so that the window and
// the grid stand at once. Only the GUI thread touches windows.
#pragma once

#include <windows.h>

#include <vector>

#include "media/fit_size.h"

struct PictureJob {
    int resource;   // IMG resource number
    int controlId;  // the picture control of the parent that shows it
};

// The fitted size of a JPEG resource, read from its frame header without decoding; false when
// the resource is missing or its header cannot be read (then decode it in place).
bool fittedSizeFromHeader(HMODULE module, int resource, int boxWidth, int boxHeight,
                          FittedSize* size);

// Stops any earlier loading, then decodes each job with loadFittedPicture into a kPictureBox
// square, in the order given, on one worker per processor. Each bitmap is handed to the GUI
// thread (the caller's) with a posted message and set on parent's control: resized and centred
// in its box when it differs from the control (a failed decode keeps the whole box, empty), and
// dropped when the control is gone or already shows a picture (an answer revealed meanwhile).
void startPictureLoading(HWND parent, HMODULE module, const std::vector<PictureJob>& jobs);
// Workers take no new job; waits a bounded time for them; bitmaps not yet shown are deleted.
// Also the end of a worker still decoding after the wait deletes its own bitmap.
void stopPictureLoading();
// Jobs of the current loading whose picture has not yet been set or dropped.
int picturesPending();
