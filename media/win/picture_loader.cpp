// A pool of decoding threads and a message-only window on the GUI thread that receives their
// bitmaps. The pool shares its state with the workers, so a worker outliving the bounded wait
// at shutdown still finds it.
#include "media/win/picture_loader.h"

#include <memory>
#include <mutex>

#include "media/jpeg_markers.h"
#include "media/win/picture.h"
#include "quizdata/quiz_types.h"
#include "quizdata/win/controls.h"

namespace {

constexpr UINT kPictureReady = WM_APP + 1;  // wParam: the job's index
constexpr char kMailboxClass[] = "VeltoPictureMailbox";
constexpr DWORD kStopWaitMs = 500;

struct Pool {
    std::mutex lock;
    HMODULE module = nullptr;
    HWND mailbox = nullptr;
    std::vector<PictureJob> jobs;
    std::vector<HBITMAP> arrived;  // posted and not yet taken by the GUI thread
    size_t next = 0;
    bool stopping = false;
};

// GUI-thread state of the current loading.
struct Loading {
    std::shared_ptr<Pool> pool;
    HWND parent = nullptr;
    std::vector<HANDLE> workers;
    int pending = 0;
};
Loading gLoading;

bool takeJob(Pool& pool, size_t* index) {
    std::lock_guard<std::mutex> hold(pool.lock);
    if (pool.stopping || pool.next >= pool.jobs.size()) return false;
    *index = pool.next++;
    return true;
}

// A failed decode is posted too (a null bitmap), so that its box is settled.
void deliver(Pool& pool, size_t index, HBITMAP bitmap) {
    std::lock_guard<std::mutex> hold(pool.lock);
    if (!pool.stopping) {
        pool.arrived[index] = bitmap;
        if (PostMessageA(pool.mailbox, kPictureReady, index, 0)) return;
        pool.arrived[index] = nullptr;
    }
    if (bitmap) DeleteObject(bitmap);
}

DWORD WINAPI decodeWorker(void* param) {
    const std::unique_ptr<std::shared_ptr<Pool>> own(static_cast<std::shared_ptr<Pool>*>(param));
    Pool& pool = **own;
    // OLE picture loading needs COM on the thread that decodes.
    const HRESULT com = CoInitialize(nullptr);
    for (size_t index = 0; takeJob(pool, &index);) {
        HBITMAP bitmap = loadFittedPicture(pool.module, pool.jobs[index].resource, kImgType,
                                           kPictureBox, kPictureBox);
        deliver(pool, index, bitmap);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}

// The control takes the bitmap's size, centred where the box was (the box's own place is
// recovered from the control's size, as the grid centred it).
void fitControlTo(HWND control, HBITMAP bitmap) {
    BITMAP info{};
    int width = kPictureBox, height = kPictureBox;
    if (bitmap && GetObjectA(bitmap, sizeof info, &info)) width = info.bmWidth, height = info.bmHeight;
    RECT now{};
    GetWindowRect(control, &now);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&now), 2);
    const int oldWidth = now.right - now.left, oldHeight = now.bottom - now.top;
    if (oldWidth == width && oldHeight == height) return;
    const int boxLeft = now.left - (kPictureBox - oldWidth) / 2;
    const int boxTop = now.top - (kPictureBox - oldHeight) / 2;
    SetWindowPos(control, nullptr, boxLeft + (kPictureBox - width) / 2,
                 boxTop + (kPictureBox - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void showArrival(HWND parent, const PictureJob& job, HBITMAP bitmap) {
    HWND control = IsWindow(parent) ? GetDlgItem(parent, job.controlId) : nullptr;
    if (!control || SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0)) {
        if (bitmap) DeleteObject(bitmap);
        return;
    }
    fitControlTo(control, bitmap);
    auto returned = reinterpret_cast<HBITMAP>(
        SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (returned && returned != bitmap) DeleteObject(returned);
}

void onPictureReady(HWND mailbox, size_t index) {
    const std::shared_ptr<Pool> pool = gLoading.pool;
    if (!pool || pool->mailbox != mailbox || index >= pool->jobs.size()) return;
    HBITMAP bitmap;
    {
        std::lock_guard<std::mutex> hold(pool->lock);
        bitmap = pool->arrived[index];
        pool->arrived[index] = nullptr;
    }
    --gLoading.pending;
    showArrival(gLoading.parent, pool->jobs[index], bitmap);
}

LRESULT CALLBACK mailboxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kPictureReady) {
        onPictureReady(window, static_cast<size_t>(wParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND createMailbox() {
    static bool registered = false;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!registered) {
        WNDCLASSA mailbox{};
        mailbox.lpfnWndProc = mailboxProc;
        mailbox.hInstance = instance;
        mailbox.lpszClassName = kMailboxClass;
        registered = RegisterClassA(&mailbox) != 0;
    }
    return CreateWindowExA(0, kMailboxClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           instance, nullptr);
}

int workerCount(size_t jobs) {
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    size_t count = system.dwNumberOfProcessors ? system.dwNumberOfProcessors : 1;
    if (count > jobs) count = jobs;
    if (count > MAXIMUM_WAIT_OBJECTS) count = MAXIMUM_WAIT_OBJECTS;
    return static_cast<int>(count);
}

void startWorkers(const std::shared_ptr<Pool>& pool) {
    for (int k = workerCount(pool->jobs.size()); k > 0; --k) {
        auto* share = new std::shared_ptr<Pool>(pool);
        HANDLE worker = CreateThread(nullptr, 0, decodeWorker, share, 0, nullptr);
        if (worker) gLoading.workers.push_back(worker);
        else delete share;
    }
}

}  // namespace

bool fittedSizeFromHeader(HMODULE module, int resource, int boxWidth, int boxHeight,
                          FittedSize* size) {
    if (resource <= 0 || resource > 0xFFFF) return false;
    const ResourceBytes picture = resourceBytes(module, resource, kImgType);
    if (!picture.bytes) return false;
    const JpegFrame frame = readJpegFrame(picture.bytes, picture.size);
    if (frame.format != PictureFormat::Jpeg || frame.width <= 0 || frame.height <= 0) return false;
    *size = fitSize(frame.width, frame.height, boxWidth, boxHeight);
    return size->width > 0;
}

void startPictureLoading(HWND parent, HMODULE module, const std::vector<PictureJob>& jobs) {
    stopPictureLoading();
    if (jobs.empty()) return;
    auto pool = std::make_shared<Pool>();
    pool->module = module ? module : GetModuleHandleA(nullptr);
    pool->jobs = jobs;
    pool->arrived.assign(jobs.size(), nullptr);
    pool->mailbox = createMailbox();
    if (!pool->mailbox) {
        // Nowhere to receive them: decode in place rather than lose the pictures.
        for (const PictureJob& job : jobs)
            showArrival(parent, job, loadFittedPicture(pool->module, job.resource, kImgType,
                                                       kPictureBox, kPictureBox));
        return;
    }
    gLoading.pool = pool;
    gLoading.parent = parent;
    gLoading.pending = static_cast<int>(jobs.size());
    startWorkers(pool);
}

void stopPictureLoading() {
    const std::shared_ptr<Pool> pool = gLoading.pool;
    if (!pool) return;
    {
        std::lock_guard<std::mutex> hold(pool->lock);
        pool->stopping = true;
    }
    if (!gLoading.workers.empty())
        WaitForMultipleObjects(static_cast<DWORD>(gLoading.workers.size()),
                               gLoading.workers.data(), TRUE, kStopWaitMs);
    for (HANDLE worker : gLoading.workers) CloseHandle(worker);
    {
        std::lock_guard<std::mutex> hold(pool->lock);
        for (HBITMAP& bitmap : pool->arrived) {
            if (bitmap) DeleteObject(bitmap);
            bitmap = nullptr;
        }
    }
    DestroyWindow(pool->mailbox);  // its queued arrivals go with it
    gLoading = Loading{};
}

int picturesPending() { return gLoading.pending; }
