// PLACEHOLDER: replaced by the real implementation.
#include "media/win/picture.h"
HBITMAP loadFittedPicture(HMODULE, int, const char*, int, int) { return nullptr; }
HBITMAP decodePicture(const void*, std::size_t) { return nullptr; }
HBITMAP fitBitmap(HBITMAP, int, int) { return nullptr; }
