// Saved answers file reader: any bytes, read line by line as the grid does, never past the end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ui/saved_answers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy so that AddressSanitizer catches a read one byte past the file.
    std::vector<unsigned char> file(data, data + size);
    const unsigned char* bytes = file.empty() ? nullptr : file.data();
    std::size_t position = 0;
    // More calls than lines: the reader must stay put (or beyond) at the end and give empty texts.
    for (int field = 0; field < 2 * 96 + 2; ++field) {
        char text[kTextCapacity];
        std::memset(text, 'x', sizeof text);
        std::size_t before = position;
        readSavedLine(bytes, size, &position, text);
        if (std::memchr(text, '\0', sizeof text) == nullptr) std::abort();
        if (std::strchr(text, '\r') != nullptr) std::abort();
        if (before >= size && text[0] != '\0') std::abort();
        if (position < before) std::abort();
    }
    return 0;
}
