// Packed block codec. Codes are packed most significant bit first, starting 9 bits wide;
// CodeWiden adds a bit, CodeReset empties the dictionary, CodeEnd closes the block.
#include "quizdata/codec.h"

#include "quizdata/codec_pack.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr uint32_t kMaxReadWidth = 32;
constexpr char kAlertText[] = "Impossible d'allouer la memoire";
constexpr char kAlertCaption[] = "information";

uint32_t gTotalInputBytes = 0;
uint32_t gInputBytesRead = 0;
uint32_t gPackInputBytes = 0;
uint32_t gPackedBytes = 0;
CodecAlert gAlert = nullptr;

void alertNoMemory() {
    if (gAlert) gAlert(kAlertText, kAlertCaption);
}

// ---------------------------------------------------------------------------------------------
// Unpacking. Every dictionary string is a copy of earlier output: the previous string, written
// at `offset`, followed by one byte. So an entry is a place in the output, not a heap string.
// A string is written when the next code arrives, once the byte that ends its entry is known.

// Eight bytes, moved as one word. A string of length n needs strings of every length below n
// written before it, so within the 120000-byte output no length comes near 65535.
struct OutputString {
    uint32_t offset;  // where its first length-1 bytes were written
    uint16_t length;
    uint8_t first;
    uint8_t last;
};

// Module-level like packing's tables: one operation runs at a time, and a block's own 32 KiB
// dictionary, freed beside the caller's output, let the allocator hand memory back to the system
// and fault it in again for the next block.
OutputString gUnpackDictionary[kDictionarySize];

// The reader's state lives in locals of one loop so that it stays in registers.
struct BitReader {
    const uint8_t* input;
    uint32_t length;
    uint64_t bitPos;
};

// Reads one code; false when the input ends inside it (every byte then counts as fetched).
inline bool readCode(BitReader& r, uint32_t width, uint32_t& code) {
    const uint64_t endBit = r.bitPos + width;
    if (endBit > uint64_t(r.length) * 8) return false;
    const uint32_t bytePos = uint32_t(r.bitPos >> 3);
    uint64_t window;
    if (bytePos + 8 <= r.length) {
        std::memcpy(&window, r.input + bytePos, 8);
        window = __builtin_bswap64(window);
    } else {
        window = 0;
        for (uint32_t i = 0; bytePos + i < r.length; ++i)
            window |= uint64_t(r.input[bytePos + i]) << (56 - 8 * i);
    }
    code = uint32_t((window << (r.bitPos & 7)) >> (64 - width));
    r.bitPos = endBit;
    return true;
}

// Writes s at `produced`; its first length-1 bytes lie wholly before that place.
inline bool appendString(uint8_t* out, uint32_t& produced, const OutputString& s) {
    constexpr uint32_t kShortCopy = 16;
    if (s.length > kUnpackCapacity - produced) return false;
    uint8_t* dest = out + produced;
    if (s.length - 1u <= kShortCopy && kUnpackCapacity - produced >= kShortCopy) {
        // One fixed-size move for short strings; the bytes beyond are rewritten later.
        std::memmove(dest, out + s.offset, kShortCopy);
    } else {
        std::memcpy(dest, out + s.offset, s.length - 1);
    }
    dest[s.length - 1] = s.last;
    produced += s.length;
    return true;
}

struct Unpacked {
    int32_t result;
    uint32_t produced;
    uint32_t bytesRead;
};

Unpacked unpackCodes(BitReader r, OutputString* dictionary, uint8_t* out) {
    if (r.length == 0) return {CodecInputExhausted, 0, 0};
    const uint32_t everyByte = r.length;
    uint32_t code;
    if (!readCode(r, kFirstWidth, code)) return {CodecInputExhausted, 0, everyByte};
    for (uint32_t b = 0; b < 256; ++b) dictionary[b] = {0, 1, uint8_t(b), uint8_t(b)};
    OutputString previous{0, 1, uint8_t(code), uint8_t(code)};
    uint32_t width = kFirstWidth, nextCode = FirstFreeCode, produced = 0;
    auto finish = [&](int32_t result) {
        return Unpacked{result, produced, uint32_t((r.bitPos + 7) >> 3)};
    };
    for (;;) {
        if (!readCode(r, width, code)) return {CodecBadCode, produced, everyByte};
        if (__builtin_expect(code - CodeEnd < FirstFreeCode - CodeEnd, 0)) {
            if (code == CodeEnd) {
                const bool fits = appendString(out, produced, previous);
                return finish(fits ? CodecOk : CodecOutputTooLarge);
            }
            if (code == CodeReset) {
                nextCode = FirstFreeCode;
                width = kFirstWidth;
            } else if (++width > kMaxReadWidth) {
                return finish(CodecBadCode);
            }
            continue;
        }
        // A damaged block may name a code not yet defined or overrun the dictionary.
        if (__builtin_expect(code > nextCode || nextCode >= kDictionarySize, 0))
            return finish(CodecBadCode);
        const uint8_t first = code == nextCode ? previous.first : dictionary[code].first;
        dictionary[nextCode++] = {produced, uint16_t(previous.length + 1), previous.first, first};
        if (!appendString(out, produced, previous)) return finish(CodecOutputTooLarge);
        previous = dictionary[code];
    }
}

}  // namespace

int32_t unpackBlock(const uint8_t* input, uint32_t length, uint8_t** output,
                    uint32_t* outputLength) {
    *output = nullptr;
    *outputLength = 0;
    if (input == nullptr) length = 0;
    gTotalInputBytes = length;
    gInputBytesRead = 0;
    if (length > kMaxBlockInput) return CodecInputTooLarge;
    auto* out = static_cast<uint8_t*>(std::malloc(kUnpackCapacity));
    if (out == nullptr) {
        alertNoMemory();
        return CodecNoMemory;
    }
    const Unpacked u = unpackCodes({input, length, 0}, gUnpackDictionary, out);
    gInputBytesRead = u.bytesRead;
    if (u.result != CodecOk) {
        std::free(out);
        return u.result;
    }
    std::memset(out + u.produced, 0, kUnpackCapacity - u.produced);
    *output = out;
    *outputLength = u.produced + 2;
    return CodecOk;
}

int32_t packBlock(const uint8_t* input, uint32_t length, uint8_t** output, uint32_t* outputLength) {
    *output = nullptr;
    *outputLength = 0;
    if (input == nullptr) length = 0;
    if (length > kMaxBlockInput) {
        gPackInputBytes = gTotalInputBytes = length;
        gInputBytesRead = 0;
        return CodecInputTooLarge;
    }
    auto* out = static_cast<uint8_t*>(std::malloc(kPackCapacity));
    if (out == nullptr) {
        alertNoMemory();
        return CodecNoMemory;  // the counters stay as they were
    }
    gPackInputBytes = gTotalInputBytes = length;
    gInputBytesRead = 0;
    const uint32_t packed = length == 0 ? 0 : packCodeStream(input, length, out);
    if (packed == 0) {
        std::free(out);
        return length == 0 ? CodecInputExhausted : CodecOutputTooLarge;
    }
    gPackedBytes = packed;
    *output = out;
    *outputLength = packed + 1;
    return CodecOk;
}

uint32_t totalInputBytes() { return gTotalInputBytes; }
uint32_t inputBytesRead() { return gInputBytesRead; }
uint32_t packInputBytes() { return gPackInputBytes; }
uint32_t packedBytes() { return gPackedBytes; }

void setCodecAlert(CodecAlert alert) { gAlert = alert; }

const char* codecResultName(int32_t result) {
    switch (result) {
    case CodecOk: return "CodecOk";
    case CodecNoMemory: return "CodecNoMemory";
    case CodecInputExhausted: return "CodecInputExhausted";
    case CodecWidthTooLarge: return "CodecWidthTooLarge";
    case CodecBadCode: return "CodecBadCode";
    case CodecOutputTooLarge: return "CodecOutputTooLarge";
    case CodecInputTooLarge: return "CodecInputTooLarge";
    default: return "CodecUnknown";
    }
}
