// A pool of decoding threads and a message-only window on the GUI thread that receives their
// bitmaps. The pool shares its state with the workers, so a worker outliving the bounded wait
// at shutdown still finds it.
#include "media/win/picture_loader.h"

#include <memory>

#include "core/win/controls.h"
#include "media/jpeg_markers.h"
#include "media/picture_order.h"
#include "media/win/picture.h"
#include "quizdata/quiz_types.h"

namespace {

constexpr UINT kPictureReady = WM_APP + 1;  // wParam: the job's index
constexpr char kMailboxClass[] = "VeltoPictureMailbox";
constexpr DWORD kStopWaitMs = 500;

}  // namespace

// The jobs are all known before the workers start, which take them in `order`.
struct PicturePool {
    SRWLOCK lock = SRWLOCK_INIT;
    HMODULE module = nullptr;
    HWND mailbox = nullptr;
    std::vector<PictureJob> jobs;
    std::vector<int> order;        // indexes into jobs, the load order
    size_t next = 0;               // in order: the next job to take
    std::vector<HBITMAP> arrived;  // posted and not yet taken by the GUI thread
    bool stopping = false;
};

namespace {

// Holds a pool's lock for its scope (Win32's own lock: the player links no thread library).
class Hold {
public:
    explicit Hold(PicturePool& pool) : lock_(&pool.lock) { AcquireSRWLockExclusive(lock_); }
    ~Hold() { ReleaseSRWLockExclusive(lock_); }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

private:
    SRWLOCK* lock_;
};

bool takeJob(PicturePool& pool, size_t* index, PictureJob* job) {
    const Hold hold(pool);
    if (pool.stopping || pool.next == pool.order.size()) return false;
    *index = static_cast<size_t>(pool.order[pool.next++]);
    *job = pool.jobs[*index];
    return true;
}

// A failed decode is posted too (a null bitmap), so that its box is settled.
void deliver(PicturePool& pool, size_t index, HBITMAP bitmap) {
    const Hold hold(pool);
    if (!pool.stopping) {
        pool.arrived[index] = bitmap;
        if (PostMessageA(pool.mailbox, kPictureReady, index, 0)) return;
        pool.arrived[index] = nullptr;
    }
    if (bitmap) DeleteObject(bitmap);
}

DWORD WINAPI decodeWorker(void* param) {
    const std::unique_ptr<std::shared_ptr<PicturePool>> own(
        static_cast<std::shared_ptr<PicturePool>*>(param));
    PicturePool& pool = **own;
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

PictureLoading* loadingOf(HWND mailbox) {
    return reinterpret_cast<PictureLoading*>(GetWindowLongPtrA(mailbox, GWLP_USERDATA));
}

void onPictureReady(HWND mailbox, size_t index) {
    PictureLoading* loading = loadingOf(mailbox);
    if (!loading) return;
    const std::shared_ptr<PicturePool> pool = loading->pool;
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
    --loading->pending;
    showArrival(loading->parent, job, bitmap);
}

LRESULT CALLBACK mailboxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    if (message == kPictureReady) {
        onPictureReady(window, static_cast<size_t>(wParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The mailbox knows the loading it serves from its creation parameter.
HWND createMailbox(PictureLoading& loading) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA known{};
    if (!GetClassInfoA(instance, kMailboxClass, &known)) {
        WNDCLASSA mailbox{};
        mailbox.lpfnWndProc = mailboxProc;
        mailbox.hInstance = instance;
        mailbox.lpszClassName = kMailboxClass;
        RegisterClassA(&mailbox);
    }
    return CreateWindowExA(0, kMailboxClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           instance, &loading);
}

int processorCount() {
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    return static_cast<int>(system.dwNumberOfProcessors);
}

void startWorker(PictureLoading& loading, const std::shared_ptr<PicturePool>& pool) {
    auto* share = new std::shared_ptr<PicturePool>(pool);
    HANDLE worker = CreateThread(nullptr, 0, decodeWorker, share, 0, nullptr);
    if (worker)
        loading.workers.push_back(worker);
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

void beginPictureLoading(PictureLoading& loading, HWND parent, HMODULE module,
                         const CanvasRect& view) {
    stopPictureLoading(loading);
    auto pool = std::make_shared<PicturePool>();
    pool->module = module ? module : GetModuleHandleA(nullptr);
    pool->mailbox = createMailbox(loading);
    loading.pool = pool;
    loading.parent = parent;
    loading.view = view;
}

void queuePicture(PictureLoading& loading, const PictureJob& job, const CanvasRect& box) {
    const std::shared_ptr<PicturePool> pool = loading.pool;
    if (!pool || !pool->mailbox) {
        // Nowhere to receive it: decode it in place rather than lose it.
        HMODULE module = pool ? pool->module : nullptr;
        showArrival(loading.parent, job,
                    loadFittedPicture(module, job.resource, kImgType, kPictureBox, kPictureBox));
        return;
    }
    pool->jobs.push_back(job);  // no worker runs yet
    pool->arrived.push_back(nullptr);
    loading.boxes.push_back(box);
    ++loading.pending;
}

void finishPictureQueue(PictureLoading& loading) {
    const std::shared_ptr<PicturePool> pool = loading.pool;
    // Only now: on two cores a worker beside the build, with the window server, delayed the
    // window by more than the pictures it decoded meanwhile gained.
    if (!pool || loading.pending == 0 || !loading.workers.empty()) return;
    pool->order = pictureLoadOrder(loading.boxes, loading.view);
    for (int k = pictureWorkerCount(processorCount(), loading.pending); k > 0; --k)
        startWorker(loading, pool);
}

void stopPictureLoading(PictureLoading& loading) {
    const std::shared_ptr<PicturePool> pool = loading.pool;
    if (!pool) return;
    {
        const Hold hold(*pool);
        pool->stopping = true;
    }
    if (!loading.workers.empty())
        WaitForMultipleObjects(static_cast<DWORD>(loading.workers.size()), loading.workers.data(),
                               TRUE, kStopWaitMs);
    for (HANDLE worker : loading.workers) CloseHandle(worker);
    {
        const Hold hold(*pool);
        for (HBITMAP& bitmap : pool->arrived) {
            if (bitmap) DeleteObject(bitmap);
            bitmap = nullptr;
        }
    }
    if (pool->mailbox) DestroyWindow(pool->mailbox);  // its queued arrivals go with it
    loading = PictureLoading{};
}
