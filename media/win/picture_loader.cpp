// A pool of decoding threads and a message-only window on the GUI thread that receives their
// bitmaps. The pool shares its state with the workers, so a worker outliving the bounded wait
// at shutdown still finds it.
#include "media/win/picture_loader.h"

#include <memory>

#include "media/jpeg_markers.h"
#include "media/picture_order.h"
#include "media/win/picture.h"
#include "quizdata/quiz_types.h"
#include "quizdata/win/controls.h"

namespace {

constexpr UINT kPictureReady = WM_APP + 1;  // wParam: the job's index
constexpr char kMailboxClass[] = "VeltoPictureMailbox";
constexpr DWORD kStopWaitMs = 500;

// The jobs are all known before the workers start, which take them in `order`.
struct Pool {
    SRWLOCK lock = SRWLOCK_INIT;
    HMODULE module = nullptr;
    HWND mailbox = nullptr;
    std::vector<PictureJob> jobs;
    std::vector<int> order;        // indexes into jobs, the load order
    size_t next = 0;               // in order: the next job to take
    std::vector<HBITMAP> arrived;  // posted and not yet taken by the GUI thread
    bool stopping = false;
};

// GUI-thread state of the current loading.
struct Loading {
    std::shared_ptr<Pool> pool;
    HWND parent = nullptr;
    CanvasRect view{};
    std::vector<CanvasRect> boxes;  // of the jobs, for the load order
    std::vector<HANDLE> workers;
    int pending = 0;
};
Loading gLoading;

// Holds a pool's lock for its scope (Win32's own lock: the player links no thread library).
class Hold {
public:
    explicit Hold(Pool& pool) : lock_(&pool.lock) { AcquireSRWLockExclusive(lock_); }
    ~Hold() { ReleaseSRWLockExclusive(lock_); }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

private:
    SRWLOCK* lock_;
};

bool takeJob(Pool& pool, size_t* index, PictureJob* job) {
    const Hold hold(pool);
    if (pool.stopping || pool.next == pool.order.size()) return false;
    *index = static_cast<size_t>(pool.order[pool.next++]);
    *job = pool.jobs[*index];
    return true;
}

// A failed decode is posted too (a null bitmap), so that its box is settled.
void deliver(Pool& pool, size_t index, HBITMAP bitmap) {
    const Hold hold(pool);
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
    size_t index = 0;
    for (PictureJob job{}; takeJob(pool, &index, &job);) {
        HBITMAP bitmap =
            loadFittedPicture(pool.module, job.resource, kImgType, kPictureBox, kPictureBox);
        deliver(pool, index, bitmap);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}

// The control takes the bitmap's size, centred where the box was (the box's own place is
// recovered from the control's size, as the grid centred it).
void fitControlTo(HWND control, HBITMAP bitmap) {
    int width = kPictureBox, height = kPictureBox;
    bitmapSize(bitmap, &width, &height);
    RECT now{};
    GetWindowRect(control, &now);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&now), 2);
    const int oldWidth = now.right - now.left, oldHeight = now.bottom - now.top;
    if (oldWidth == width && oldHeight == height) return;
    const int boxLeft = now.left - (kPictureBox - oldWidth) / 2;
    const int boxTop = now.top - (kPictureBox - oldHeight) / 2;
    SetWindowPos(control, nullptr, boxLeft + (kPictureBox - width) / 2,
                 boxTop + (kPictureBox - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
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
    if (!pool || pool->mailbox != mailbox) return;
    HBITMAP bitmap;
    PictureJob job;
    {
        const Hold hold(*pool);
        if (index >= pool->jobs.size()) return;
        job = pool->jobs[index];
        bitmap = pool->arrived[index];
        pool->arrived[index] = nullptr;
    }
    --gLoading.pending;
    showArrival(gLoading.parent, job, bitmap);
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

int processorCount() {
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    return static_cast<int>(system.dwNumberOfProcessors);
}

void startWorker(const std::shared_ptr<Pool>& pool) {
    auto* share = new std::shared_ptr<Pool>(pool);
    HANDLE worker = CreateThread(nullptr, 0, decodeWorker, share, 0, nullptr);
    if (worker)
        gLoading.workers.push_back(worker);
    else
        delete share;
}

}  // namespace

bool fittedSizeFromHeader(HMODULE module, int resource, int boxWidth, int boxHeight,
                          FittedSize* size) {
    if (resource <= 0 || resource > 0xFFFF) return false;
    const ResourceBytes picture = resourceBytes(module, resource, kImgType);
    if (!picture.bytes) return false;
    int width = 0, height = 0;
    if (!readJpegSize(picture.bytes, picture.size, &width, &height)) return false;
    *size = fitSize(width, height, boxWidth, boxHeight);
    return size->width > 0;
}

void beginPictureLoading(HWND parent, HMODULE module, const CanvasRect& view) {
    stopPictureLoading();
    auto pool = std::make_shared<Pool>();
    pool->module = module ? module : GetModuleHandleA(nullptr);
    pool->mailbox = createMailbox();
    gLoading.pool = pool;
    gLoading.parent = parent;
    gLoading.view = view;
}

void queuePicture(const PictureJob& job, const CanvasRect& box) {
    const std::shared_ptr<Pool> pool = gLoading.pool;
    if (!pool || !pool->mailbox) {
        // Nowhere to receive it: decode it in place rather than lose it.
        HMODULE module = pool ? pool->module : nullptr;
        showArrival(gLoading.parent, job,
                    loadFittedPicture(module, job.resource, kImgType, kPictureBox, kPictureBox));
        return;
    }
    pool->jobs.push_back(job);  // no worker runs yet
    pool->arrived.push_back(nullptr);
    gLoading.boxes.push_back(box);
    ++gLoading.pending;
}

void finishPictureQueue() {
    const std::shared_ptr<Pool> pool = gLoading.pool;
    // Only now: on two cores a worker beside the build, with the window server, delayed the
    // window by more than the pictures it decoded meanwhile gained.
    if (!pool || gLoading.pending == 0 || !gLoading.workers.empty()) return;
    pool->order = pictureLoadOrder(gLoading.boxes, gLoading.view);
    for (int k = pictureWorkerCount(processorCount(), gLoading.pending); k > 0; --k)
        startWorker(pool);
}

void stopPictureLoading() {
    const std::shared_ptr<Pool> pool = gLoading.pool;
    if (!pool) return;
    {
        const Hold hold(*pool);
        pool->stopping = true;
    }
    if (!gLoading.workers.empty())
        WaitForMultipleObjects(static_cast<DWORD>(gLoading.workers.size()), gLoading.workers.data(),
                               TRUE, kStopWaitMs);
    for (HANDLE worker : gLoading.workers) CloseHandle(worker);
    {
        const Hold hold(*pool);
        for (HBITMAP& bitmap : pool->arrived) {
            if (bitmap) DeleteObject(bitmap);
            bitmap = nullptr;
        }
    }
    if (pool->mailbox) DestroyWindow(pool->mailbox);  // its queued arrivals go with it
    gLoading = Loading{};
}

int picturesPending() { return gLoading.pending; }
