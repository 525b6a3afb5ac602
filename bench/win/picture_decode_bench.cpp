// The yardstick of a picture quiz's start-up: decoding and fitting its question pictures alone,
// one after the other in one thread, by the player's own path (platform decoder, copy, HALFTONE
// stretch into the question box).
//   picture_decode_bench FILE.jpg...
// Prints "decode_ms=T pictures=N fitted=K"; the files are read into memory before the clock starts.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "bench/win/stopwatch.h"
#include "media/win/picture.h"
#include "ui/grid_layout.h"

namespace {

bool readFile(const char* path, std::vector<unsigned char>& bytes) {
    FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    unsigned char chunk[1 << 16];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(f);
    return !bytes.empty();
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::vector<unsigned char>> files(argc > 1 ? argc - 1 : 0);
    for (int i = 1; i < argc; ++i) {
        if (!readFile(argv[i], files[i - 1])) {
            std::fprintf(stderr, "picture_decode_bench: cannot read %s\n", argv[i]);
            return 1;
        }
    }
    std::vector<HBITMAP> fitted;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    for (const auto& bytes : files) {
        // loadFittedPicture without the resource lookup: decode, then fit into the box.
        HBITMAP full = decodePicture(bytes.data(), bytes.size());
        HBITMAP box = full ? fitBitmap(full, kPictureBox, kPictureBox) : nullptr;
        if (full) DeleteObject(full);
        if (box) fitted.push_back(box);
    }
    const double elapsed = millisecondsSince(start);
    std::printf("decode_ms=%.1f pictures=%zu fitted=%zu\n", elapsed, files.size(), fitted.size());
    for (HBITMAP b : fitted) DeleteObject(b);
    return fitted.size() == files.size() ? 0 : 2;
}
