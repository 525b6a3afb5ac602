#pragma once

#include <windows.h>

#include <cstddef>

// An IMG resource decoded and scaled to fit the box; null when missing or not a picture. Caller
// owns it.
HBITMAP loadFittedPicture(HMODULE module, int number, const char* type, int boxWidth,
                          int boxHeight);
HBITMAP decodePicture(const void* bytes, std::size_t length);
HBITMAP fitBitmap(HBITMAP source, int boxWidth, int boxHeight);
// A bitmap's width and height; false (both left as they were) for none or not a bitmap.
bool bitmapSize(HBITMAP bitmap, int* width, int* height);
