#include "media/win/picture.h"

#include <gtest/gtest.h>

#include <vector>

#include "quizdata/quiz_types.h"
#include "tests/win/support.h"

namespace {

struct Bytes {
    const void* data;
    DWORD size;
};

Bytes imgResource(int number) {
    HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(number), kImgType);
    if (!info) return {nullptr, 0};
    return {LockResource(LoadResource(nullptr, info)), SizeofResource(nullptr, info)};
}

SIZE sizeOf(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

// The colour at (x, y), read back as a top-down 32-bit DIB.
COLORREF pixelAt(HBITMAP bitmap, int x, int y) {
    SIZE size{};
    const std::vector<DWORD> pixels = bitmapPixels(bitmap, &size);
    DWORD bgr = pixels[static_cast<size_t>(y) * size.cx + x];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

// Close to a pure colour: JPEG and halftone shift the channels a little.
bool closeTo(COLORREF actual, COLORREF expected) {
    auto close = [](int a, int b) { return a - b < 48 && b - a < 48; };
    return close(GetRValue(actual), GetRValue(expected)) &&
           close(GetGValue(actual), GetGValue(expected)) &&
           close(GetBValue(actual), GetBValue(expected));
}

// COM is not left initialised on this thread: a fresh CoInitialize is the first one.
bool comUninitialised() {
    HRESULT result = CoInitialize(nullptr);
    if (SUCCEEDED(result)) CoUninitialize();
    return result == S_OK;
}

TEST(DecodePicture, GivesTheFullSizeBitmap) {
    struct Case {
        int resource;
        LONG width, height;
    } cases[] = {{401, 520, 390}, {402, 300, 400}, {404, 100, 50}, {406, 1000, 1}};
    for (const Case& c : cases) {
        Bytes bytes = imgResource(c.resource);
        ASSERT_NE(bytes.data, nullptr) << c.resource;
        HBITMAP bitmap = decodePicture(bytes.data, bytes.size);
        ASSERT_NE(bitmap, nullptr) << c.resource;
        EXPECT_EQ(sizeOf(bitmap).cx, c.width) << c.resource;
        EXPECT_EQ(sizeOf(bitmap).cy, c.height) << c.resource;
        DeleteObject(bitmap);
        EXPECT_TRUE(comUninitialised()) << c.resource;
    }
}

TEST(LoadFittedPicture, FitsIntoTheBox) {
    struct Case {
        HMODULE module;
        int resource;
        LONG width, height;
    } cases[] = {
        {nullptr, 401, 260, 195}, {GetModuleHandleA(nullptr), 401, 260, 195},
        {nullptr, 402, 195, 260}, {nullptr, 404, 260, 130},  // enlarged
        {nullptr, 406, 260, 1},                              // 1000 x 1 would truncate to 0 rows
    };
    HDC screen = GetDC(nullptr);
    int screenBits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    for (const Case& c : cases) {
        HBITMAP bitmap = loadFittedPicture(c.module, c.resource, "IMG", 260, 260);
        ASSERT_NE(bitmap, nullptr) << c.resource;
        BITMAP info{};
        ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
        EXPECT_EQ(info.bmWidth, c.width) << c.resource;
        EXPECT_EQ(info.bmHeight, c.height) << c.resource;
        EXPECT_EQ(info.bmBitsPixel, screenBits) << c.resource;
        DeleteObject(bitmap);
        EXPECT_TRUE(comUninitialised()) << c.resource;
    }
}

TEST(LoadFittedPicture, HoldsTheWholePictureStretched) {
    // 401: left half red, right half blue. 402: top half green, bottom half yellow.
    HBITMAP wide = loadFittedPicture(nullptr, 401, "img", 260, 260);
    ASSERT_NE(wide, nullptr);
    EXPECT_TRUE(closeTo(pixelAt(wide, 20, 97), RGB(255, 0, 0)));
    EXPECT_TRUE(closeTo(pixelAt(wide, 239, 97), RGB(0, 0, 255)));
    EXPECT_TRUE(closeTo(pixelAt(wide, 259, 194), RGB(0, 0, 255)));
    DeleteObject(wide);

    HBITMAP tall = loadFittedPicture(nullptr, 402, "IMG", 260, 260);
    ASSERT_NE(tall, nullptr);
    EXPECT_TRUE(closeTo(pixelAt(tall, 97, 20), RGB(0, 255, 0)));
    EXPECT_TRUE(closeTo(pixelAt(tall, 97, 239), RGB(255, 255, 0)));
    DeleteObject(tall);
}

TEST(LoadFittedPicture, NothingForMissingOrUndecodableResources) {
    struct Case {
        int resource;
        const char* type;
        const char* why;
    } cases[] = {
        {499, "IMG", "missing"},
        {401, "PATCH", "other type"},
        {403, "IMG", "an mp3 clip"},
        {410, "IMG", "text"},
        {411, "IMG", "empty"},
        {0, "IMG", "number 0"},
        {70000, "IMG", "not a 16-bit number"},
        {-401, "IMG", "negative number"},
        {401, nullptr, "no type"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(loadFittedPicture(nullptr, c.resource, c.type, 260, 260), nullptr) << c.why;
        EXPECT_TRUE(comUninitialised()) << c.why;
    }
    EXPECT_EQ(loadFittedPicture(nullptr, 401, "IMG", 0, 260), nullptr);
}

TEST(DecodePicture, RefusesWhatIsNotAPicture) {
    const char text[] = "pas une image";
    Bytes jpeg = imgResource(401);
    ASSERT_NE(jpeg.data, nullptr);
    EXPECT_EQ(decodePicture(text, sizeof text), nullptr);
    EXPECT_EQ(decodePicture(nullptr, 0), nullptr);
    EXPECT_EQ(decodePicture(jpeg.data, 0), nullptr);
    EXPECT_EQ(decodePicture(jpeg.data, 16), nullptr);  // header only
    EXPECT_TRUE(comUninitialised());
}

TEST(DecodePicture, WorksInsideTheCallersApartment) {
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    Bytes bytes = imgResource(402);
    HBITMAP bitmap = decodePicture(bytes.data, bytes.size);
    EXPECT_NE(bitmap, nullptr);
    DeleteObject(bitmap);
    // Still initialised for the caller: a second CoInitialize only counts up.
    HRESULT again = CoInitialize(nullptr);
    EXPECT_EQ(again, S_FALSE);
    if (SUCCEEDED(again)) CoUninitialize();
    CoUninitialize();
    EXPECT_TRUE(comUninitialised());
}

TEST(FitBitmap, LeavesTheSourceAsItWas) {
    HDC screen = GetDC(nullptr);
    HBITMAP source = CreateCompatibleBitmap(screen, 40, 20);
    HDC paint = CreateCompatibleDC(screen);
    HGDIOBJ before = SelectObject(paint, source);
    RECT left{0, 0, 20, 20}, right{20, 0, 40, 20};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(paint, &left, red);
    FillRect(paint, &right, blue);
    SelectObject(paint, before);

    HBITMAP fitted = fitBitmap(source, 260, 260);
    ASSERT_NE(fitted, nullptr);
    EXPECT_EQ(sizeOf(fitted).cx, 260);
    EXPECT_EQ(sizeOf(fitted).cy, 130);
    EXPECT_TRUE(closeTo(pixelAt(fitted, 10, 65), RGB(255, 0, 0)));
    EXPECT_TRUE(closeTo(pixelAt(fitted, 250, 65), RGB(0, 0, 255)));

    // The source is unchanged and no longer held by a device context (else this select fails).
    EXPECT_EQ(sizeOf(source).cx, 40);
    EXPECT_EQ(sizeOf(source).cy, 20);
    EXPECT_TRUE(closeTo(pixelAt(source, 5, 5), RGB(255, 0, 0)));
    EXPECT_NE(SelectObject(paint, source), nullptr);
    SelectObject(paint, before);

    EXPECT_EQ(fitBitmap(nullptr, 260, 260), nullptr);
    DeleteObject(fitted);
    DeleteObject(source);
    DeleteObject(red);
    DeleteObject(blue);
    DeleteDC(paint);
    ReleaseDC(nullptr, screen);
}

TEST(LoadFittedPicture, RepeatedLoadsLeakNoGdiObjects) {
    auto loadMany = [] {
        for (int round = 0; round < 60; ++round) {
            for (int resource : {401, 402, 406}) {
                HBITMAP bitmap = loadFittedPicture(nullptr, resource, "IMG", 260, 260);
                ASSERT_NE(bitmap, nullptr);
                DeleteObject(bitmap);
            }
            // A truncated JPEG goes to the decoder as it is: whatever it makes of it (nothing under
            // Wine, most of the picture elsewhere), nothing may stay behind.
            HBITMAP cut = loadFittedPicture(nullptr, 409, "IMG", 260, 260);
            if (cut) DeleteObject(cut);
            EXPECT_TRUE(comUninitialised());
            EXPECT_EQ(loadFittedPicture(nullptr, 403, "IMG", 260, 260), nullptr);
        }
    };
    loadMany();  // the decoder's one-time state
    int before = freeGdiSlots();
    ASSERT_GT(before, 1000);
    loadMany();
    int after = freeGdiSlots();
    // 300 calls: a leak of one object per call would show as hundreds.
    EXPECT_LE(before - after, 8) << before << " free before, " << after << " after";
}

}  // namespace
