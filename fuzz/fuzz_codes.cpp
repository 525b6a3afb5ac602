// parseCodes on any bytes (first byte: the question count): it must stay inside the data, give
// exactly the asked number of codes, and codes without a line feed must write back unchanged.
#include <cstdint>
#include <cstdlib>

#include "quizdata/payload.h"
#include "quizdata/quiz_types.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int count = static_cast<int8_t>(data[0]);  // negative counts too
    const std::vector<std::string> codes = parseCodes(data + 1, size - 1, count);
    if (codes.size() != static_cast<size_t>(count < 0 ? 0 : count)) std::abort();

    bool hasLineFeed = false;
    for (const std::string& code : codes) {
        if (code.size() > kMaxTextLength) std::abort();
        if (code.find('\r') != std::string::npos || code.find('\0') != std::string::npos)
            std::abort();
        hasLineFeed = hasLineFeed || code.find('\n') != std::string::npos;
    }
    if (hasLineFeed) return 0;
    const std::vector<uint8_t> written = writeCodes(codes);
    if (written.empty() != codes.empty()) std::abort();
    if (parseCodes(written.data(), written.size(), count) != codes) std::abort();
    return 0;
}
