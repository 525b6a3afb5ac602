// Question pictures decoded off the GUI thread and shown as they come, so that the window and
// the grid stand at once. Only the GUI thread touches windows.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "media/fit_size.h"
#include "media/picture_order.h"

struct PictureJob {
    int resource;   // IMG resource number
    int controlId;  // the picture control of the parent that shows it
};

// The fitted size of a JPEG resource, read from its frame header without decoding; false when
// the resource is missing or its header cannot be read (then decode it in place).
bool fittedSizeFromHeader(HMODULE module, int resource, int boxWidth, int boxHeight,
                          FittedSize* size);

struct PicturePool;  // shared with the decoding threads

// GUI-thread state of one grid's picture loading; it must stay where it is while loading runs
// (its mailbox window holds its address).
struct PictureLoading {
    std::shared_ptr<PicturePool> pool;
    HWND parent = nullptr;
    CanvasRect view{};
    std::vector<CanvasRect> boxes;  // of the jobs, for the load order
    std::vector<HANDLE> workers;
    int pending = 0;  // jobs whose picture has not yet been set or dropped
};

// Decoding of question pictures for parent's picture controls. Each job is decoded with
// loadFittedPicture into a kPictureBox square on worker threads (pictureWorkerCount of them,
// started once the grid stands), those meeting view first, then in the order queued.
// Each bitmap is handed to the GUI thread (the caller's) with a posted message and set on its
// control there: the control is resized and centred in its box when the bitmap's size differs
// (a failed decode keeps the whole box, empty); the bitmap is dropped when the control is gone
// or already shows a picture (an answer revealed meanwhile). All three on the GUI thread.
// Stops any earlier loading first.
void beginPictureLoading(PictureLoading& loading, HWND parent, HMODULE module,
                         const CanvasRect& view);
// box: the control's rectangle on the canvas, for the load order.
void queuePicture(PictureLoading& loading, const PictureJob& job, const CanvasRect& box);
// No more jobs: the workers start.
void finishPictureQueue(PictureLoading& loading);
// Workers take no new job; waits a bounded time for them; bitmaps not yet shown are deleted.
// Also the end of a worker still decoding after the wait deletes its own bitmap.
void stopPictureLoading(PictureLoading& loading);
