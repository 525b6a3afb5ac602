// The player's own resources (every Windows test executable carries them): dialog templates,
// icons, cursor and version record.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/ids.h"

namespace {

const BYTE* resourceBytes(LPCSTR name, LPCSTR type, DWORD* size) {
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(self, name, type);
    if (!info) return nullptr;
    *size = SizeofResource(self, info);
    return static_cast<const BYTE*>(LockResource(LoadResource(self, info)));
}

std::wstring wideAt(const BYTE* bytes) { return reinterpret_cast<const wchar_t*>(bytes); }

TEST(PlayerResources, DialogTemplatesAreEmptyAndUseTheirStyles) {
    struct Case {
        int id;
        DWORD style;
    };
    for (const Case c : {Case{kGridDialogId, 0x40B00040}, Case{kHeaderDialogId, 0x40800040}}) {
        SCOPED_TRACE(c.id);
        DWORD size = 0;
        const BYTE* bytes =
            resourceBytes(MAKEINTRESOURCEA(c.id), MAKEINTRESOURCEA(5), &size);  // RT_DIALOG
        ASSERT_NE(bytes, nullptr);
        ASSERT_GE(size, sizeof(DLGTEMPLATE));
        DLGTEMPLATE head;
        std::memcpy(&head, bytes, sizeof head);
        EXPECT_EQ(head.style, c.style);
        EXPECT_EQ(head.dwExtendedStyle, 0u);
        EXPECT_EQ(head.cdit, 0);
        EXPECT_EQ(head.x, 0);
        EXPECT_EQ(head.y, 0);
        EXPECT_EQ(head.cx, 86);
        EXPECT_EQ(head.cy, 100);
        // No menu, the default class, no caption, then the font's point size and face.
        const BYTE* p = bytes + sizeof(DLGTEMPLATE);
        for (int empty = 0; empty < 3; ++empty, p += 2)
            EXPECT_EQ(*reinterpret_cast<const WORD*>(p), 0);
        EXPECT_EQ(*reinterpret_cast<const WORD*>(p), 8);
        EXPECT_EQ(wideAt(p + 2), L"MS Sans Serif");
    }
}

// Entry of a one-image icon or cursor group: width, height, colour count, planes, bits.
struct GroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bits;
};

GroupEntry firstGroupEntry(LPCSTR name, LPCSTR type, WORD* count) {
    DWORD size = 0;
    const BYTE* bytes = resourceBytes(name, type, &size);
    GroupEntry entry = {};
    *count = 0;
    if (!bytes || size < 6 + sizeof entry) return entry;
    std::memcpy(count, bytes + 4, sizeof *count);
    std::memcpy(&entry, bytes + 6, sizeof entry);
    return entry;
}

TEST(PlayerResources, IconGroupsHoldOneThirtyTwoPixelImage) {
    struct Case {
        LPCSTR name;
        BYTE colours;
        WORD bits;
    };
    const Case cases[] = {
        {MAKEINTRESOURCEA(kPlayIconId), 2, 1}, {MAKEINTRESOURCEA(kStopIconId), 2, 1}, {"A", 16, 4}};
    for (const Case& c : cases) {
        WORD count = 0;
        const GroupEntry entry =
            firstGroupEntry(c.name, MAKEINTRESOURCEA(14), &count);  // RT_GROUP_ICON
        EXPECT_EQ(count, 1);
        EXPECT_EQ(entry.width, 32);
        EXPECT_EQ(entry.height, 32);
        EXPECT_EQ(entry.colours, c.colours);
        EXPECT_EQ(entry.bits, c.bits);
    }
}

// Draws an icon on white and reads pixels back.
class IconPixels {
public:
    explicit IconPixels(int id) {
        screen_ = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen_);
        bitmap_ = CreateCompatibleBitmap(screen_, 32, 32);
        old_ = SelectObject(dc_, bitmap_);
        RECT all = {0, 0, 32, 32};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DrawIconEx(dc_, 0, 0, LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)), 32, 32, 0,
                   nullptr, DI_NORMAL);
    }
    ~IconPixels() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
        ReleaseDC(nullptr, screen_);
    }
    COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    HDC screen_, dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

TEST(PlayerResources, PlayIsATriangleAndStopASquareOnLightGrey) {
    const COLORREF black = RGB(0, 0, 0), grey = RGB(192, 192, 192);
    const IconPixels play(kPlayIconId), stop(kStopIconId);
    for (const IconPixels* icon : {&play, &stop}) {
        EXPECT_EQ(icon->at(0, 0), grey);
        EXPECT_EQ(icon->at(31, 31), grey);
        EXPECT_EQ(icon->at(15, 15), black);
    }
    // Near the top left the triangle is already wide, the square not yet begun;
    // near the top right the square is filled while the triangle has narrowed to its base.
    EXPECT_EQ(play.at(11, 7), black);
    EXPECT_EQ(stop.at(11, 7), grey);
    EXPECT_EQ(play.at(21, 10), grey);
    EXPECT_EQ(stop.at(21, 10), black);
}

// The version record, read through version.dll without linking it.
class VersionRecord {
public:
    VersionRecord() {
        library_ = LoadLibraryA("version.dll");
        sizeOf_ = reinterpret_cast<SizeFn>(
            reinterpret_cast<void*>(GetProcAddress(library_, "GetFileVersionInfoSizeA")));
        info_ = reinterpret_cast<InfoFn>(
            reinterpret_cast<void*>(GetProcAddress(library_, "GetFileVersionInfoA")));
        query_ = reinterpret_cast<QueryFn>(
            reinterpret_cast<void*>(GetProcAddress(library_, "VerQueryValueA")));
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        if (!sizeOf_ || !info_ || !query_) return;
        data_.resize(sizeOf_(path, nullptr));
        if (data_.empty() || !info_(path, 0, static_cast<DWORD>(data_.size()), data_.data()))
            data_.clear();
    }
    ~VersionRecord() { FreeLibrary(library_); }
    bool loaded() const { return !data_.empty(); }
    const void* value(const char* path, UINT* length) {
        void* found = nullptr;
        *length = 0;
        if (!query_(data_.data(), path, &found, length)) return nullptr;
        return found;
    }
    std::string text(const char* path) {
        UINT length = 0;
        const void* found = value(path, &length);
        return found ? static_cast<const char*>(found) : "(none)";
    }

private:
    using SizeFn = DWORD(WINAPI*)(LPCSTR, LPDWORD);
    using InfoFn = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
    using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);
    HMODULE library_;
    SizeFn sizeOf_ = nullptr;
    InfoFn info_ = nullptr;
    QueryFn query_ = nullptr;
    std::vector<BYTE> data_;
};

TEST(PlayerResources, VersionRecordIsFrenchTwoPointTwo) {
    VersionRecord record;
    ASSERT_TRUE(record.loaded());
    UINT length = 0;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(record.value("\\", &length));
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00020002u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00010001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00020002u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00010001u);

    const auto* translation =
        static_cast<const WORD*>(record.value("\\VarFileInfo\\Translation", &length));
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x040C);
    EXPECT_EQ(translation[1], 1252);

    EXPECT_EQ(record.text("\\StringFileInfo\\040C04E4\\ProductVersion"), "2.2");
    EXPECT_EQ(record.text("\\StringFileInfo\\040C04E4\\ProductName"), "Velto");
    EXPECT_NE(record.text("\\StringFileInfo\\040C04E4\\CompanyName"), "(none)");
    EXPECT_NE(record.text("\\StringFileInfo\\040C04E4\\LegalCopyright"), "(none)");
}

}  // namespace
