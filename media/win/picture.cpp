// IMG resources decoded through OLE and stretched, in halftone, into a box.
#include "media/win/picture.h"

#include <ole2.h>
#include <olectl.h>

#include <cstring>

#include "core/win/controls.h"
#include "media/fit_size.h"

namespace {

// {7BF80980-BF32-101A-8BBB-00AA00300CAB}
constexpr IID kIidPicture = {
    0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

// A stream over a private copy of the bytes; releasing the stream frees the copy.
IStream* streamOverCopy(const void* bytes, std::size_t length) {
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, length);
    if (!block) return nullptr;
    std::memcpy(block, bytes, length);  // a GMEM_FIXED handle is the block's address
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream)) || !stream) {
        GlobalFree(block);
        return nullptr;
    }
    return stream;
}

// The picture's own bitmap dies with the picture object: hand out an independent copy.
HBITMAP copyOfPicture(IPicture* picture) {
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Handle(&handle)) || !handle) return nullptr;
    HANDLE own = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle));
    return static_cast<HBITMAP>(CopyImage(own, IMAGE_BITMAP, 0, 0, 0));
}

// Decoding under COM initialised for this call; the caller balances it.
HBITMAP decodeUnderCom(const void* bytes, std::size_t length) {
    IStream* stream = streamOverCopy(bytes, length);
    if (!stream) return nullptr;
    IPicture* picture = nullptr;
    HRESULT result = OleLoadPicture(stream, static_cast<LONG>(length), FALSE, kIidPicture,
                                    reinterpret_cast<void**>(&picture));
    if (FAILED(result) || !picture) {
        stream->Release();
        return nullptr;
    }
    HBITMAP copy = copyOfPicture(picture);
    picture->Release();
    stream->Release();
    return copy;
}

}  // namespace

bool bitmapSize(HBITMAP bitmap, int* width, int* height) {
    BITMAP info;
    if (!bitmap || GetObjectA(bitmap, sizeof info, &info) != sizeof info) return false;
    *width = info.bmWidth;
    *height = info.bmHeight;
    return true;
}

HBITMAP decodePicture(const void* bytes, std::size_t length) {
    // OleLoadPicture takes a LONG byte count.
    if (!bytes || length == 0 || length > 0x7FFFFFFF) return nullptr;
    HRESULT com = CoInitialize(nullptr);
    HBITMAP bitmap = decodeUnderCom(bytes, length);
    // S_FALSE (already initialised) also needs its CoUninitialize; a refused call does not.
    if (SUCCEEDED(com)) CoUninitialize();
    return bitmap;
}

HBITMAP fitBitmap(HBITMAP source, int boxWidth, int boxHeight) {
    int width = 0;
    int height = 0;
    if (!source || !bitmapSize(source, &width, &height)) return nullptr;
    FittedSize fitted = fitSize(width, height, boxWidth, boxHeight);
    if (fitted.width == 0) return nullptr;

    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP result = CreateCompatibleBitmap(screen, fitted.width, fitted.height);
    if (from && to && result) {
        HGDIOBJ fromBefore = SelectObject(from, source);
        HGDIOBJ toBefore = SelectObject(to, result);
        SetStretchBltMode(to, HALFTONE);
        SetBrushOrgEx(to, 0, 0, nullptr);  // HALFTONE wants the brush origin reset
        BOOL drawn =
            StretchBlt(to, 0, 0, fitted.width, fitted.height, from, 0, 0, width, height, SRCCOPY);
        SelectObject(from, fromBefore);
        SelectObject(to, toBefore);
        if (!drawn || !fromBefore) {
            DeleteObject(result);
            result = nullptr;
        }
    } else if (result) {
        DeleteObject(result);
        result = nullptr;
    }
    if (from) DeleteDC(from);
    if (to) DeleteDC(to);
    ReleaseDC(nullptr, screen);
    return result;
}

HBITMAP loadFittedPicture(HMODULE module, int number, const char* type, int boxWidth,
                          int boxHeight) {
    // Only a 16-bit number is a resource identifier; anything else would be read as a name pointer.
    if (number <= 0 || number > 0xFFFF || !type) return nullptr;
    if (!module) module = GetModuleHandleA(nullptr);
    const ResourceBytes picture = resourceBytes(module, number, type);
    HBITMAP full = picture.bytes ? decodePicture(picture.bytes, picture.size) : nullptr;
    if (!full) return nullptr;
    HBITMAP fitted = fitBitmap(full, boxWidth, boxHeight);
    DeleteObject(full);
    return fitted;
}
