// Packed block codec. Codes are packed most significant bit first, starting 9 bits wide;
// CodeWiden adds a bit, CodeReset empties the dictionary, CodeEnd closes the block.
#include "quizdata/codec.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr uint32_t kDictionarySize = 4096;
constexpr uint32_t kFirstWidth = 9;
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

uint64_t loadBigEndian64(const uint8_t* p) {
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i) value = (value << 8) | p[i];
    return value;
}

// ---------------------------------------------------------------------------------------------
// Unpacking. Every dictionary string is a copy of earlier output: the previous string, written
// at `offset`, followed by one byte. So an entry is a place in the output, not a heap string.

struct OutputString {
    uint32_t offset;  // where its first length-1 bytes were written
    uint32_t length;
    uint8_t first;
    uint8_t last;
};

struct Unpacker {
    const uint8_t* input;
    uint32_t length;
    uint64_t bitPos;
    bool inputEnded;  // a code ran past the end: every input byte was fetched
    OutputString* dictionary;  // kDictionarySize entries
    uint8_t* out;
    uint32_t produced;
    uint32_t nextCode;
    uint32_t width;
    OutputString previous;
};

// Reads one code; false when the input ends inside it (every byte then counts as fetched).
bool readCode(Unpacker& u, uint32_t width, uint32_t& code) {
    const uint64_t endBit = u.bitPos + width;
    if (endBit > uint64_t(u.length) * 8) {
        u.inputEnded = true;
        return false;
    }
    const uint32_t bytePos = uint32_t(u.bitPos >> 3);
    uint64_t window = 0;
    if (bytePos + 8 <= u.length) {
        window = loadBigEndian64(u.input + bytePos);
    } else {
        for (uint32_t i = 0; i < 8; ++i) {
            const uint64_t byte = bytePos + i < u.length ? u.input[bytePos + i] : 0;
            window |= byte << (56 - 8 * i);
        }
    }
    code = uint32_t((window << (u.bitPos & 7)) >> (64 - width));
    u.bitPos = endBit;
    return true;
}

// The string's first length-1 bytes lie wholly before the write position.
bool appendString(Unpacker& u, const OutputString& s) {
    constexpr uint32_t kShortCopy = 16;
    if (s.length > kUnpackCapacity - u.produced) return false;
    uint8_t* dest = u.out + u.produced;
    if (s.length - 1 <= kShortCopy && kUnpackCapacity - u.produced >= kShortCopy) {
        // One fixed-size move for short strings; the bytes beyond are rewritten later.
        std::memmove(dest, u.out + s.offset, kShortCopy);
    } else {
        std::memcpy(dest, u.out + s.offset, s.length - 1);
    }
    dest[s.length - 1] = s.last;
    u.produced += s.length;
    return true;
}

constexpr int32_t kGoOn = 1;  // distinct from every result code

// One code after the first: a control code or the next string; kGoOn or the final result.
int32_t unpackStep(Unpacker& u) {
    if (u.width > kMaxReadWidth) return CodecBadCode;
    uint32_t code;
    if (!readCode(u, u.width, code)) return CodecBadCode;
    if (code == CodeEnd) return appendString(u, u.previous) ? CodecOk : CodecOutputTooLarge;
    if (code == CodeReset) {
        u.nextCode = FirstFreeCode;
        u.width = kFirstWidth;
        return kGoOn;
    }
    if (code == CodeWiden) {
        ++u.width;
        return kGoOn;
    }
    // A damaged block may name a code not yet defined or overrun the dictionary.
    if (code > u.nextCode || u.nextCode >= kDictionarySize) return CodecBadCode;
    const uint8_t first = code == u.nextCode ? u.previous.first : u.dictionary[code].first;
    u.dictionary[u.nextCode++] = {u.produced, u.previous.length + 1, u.previous.first, first};
    if (!appendString(u, u.previous)) return CodecOutputTooLarge;
    u.previous = u.dictionary[code];
    return kGoOn;
}

int32_t unpackCodes(Unpacker& u) {
    if (u.length == 0) return CodecInputExhausted;
    for (uint32_t b = 0; b < 256; ++b) u.dictionary[b] = {0, 1, uint8_t(b), uint8_t(b)};
    uint32_t code;
    if (!readCode(u, kFirstWidth, code)) return CodecInputExhausted;
    const uint8_t byte = uint8_t(code);
    u.previous = {0, 1, byte, byte};
    int32_t step;
    while ((step = unpackStep(u)) == kGoOn) {
    }
    return step;
}

// ---------------------------------------------------------------------------------------------
// Packing. The dictionary is an open-addressing table keyed by (code of the prefix, last byte),
// each slot holding key << 12 | code (0 = empty). Strings added since the last reset are all
// distinct, so the one match is the first in insertion order.
//
// The one entry without a known prefix code is FirstFreeCode right after a reset: the last
// candidate again, whose prefix was a string of the emptied dictionary. Its key is filed once
// that prefix string is added anew ("orphan" below), so lookups find it exactly when a search
// of the strings themselves would.

constexpr uint32_t kHashBits = 13;
constexpr uint32_t kHashSlots = 1u << kHashBits;
constexpr uint32_t kCodeBits = 12;
constexpr uint32_t kCodeMask = (1u << kCodeBits) - 1;

struct Packer {
    const uint8_t* input;
    uint32_t length;
    uint32_t* table;  // kHashSlots slots
    uint8_t* out;
    uint32_t outPos;
    uint64_t bitBuffer;
    uint32_t bitCount;  // bits of bitBuffer not yet stored (0-31)
    uint32_t nextCode;
    uint32_t width;
    bool orphanPending;
    uint32_t orphanStart;   // input position of the orphan's prefix
    uint32_t orphanLength;  // its length (2 or more)
    uint8_t orphanByte;     // the byte FirstFreeCode adds to it
};

uint32_t slotOf(uint32_t key) {
    return (key * 0x9E3779B1u) >> (32 - kHashBits);
}

// The slot holding key, or the empty slot where it belongs.
uint32_t findSlot(const Packer& p, uint32_t key) {
    uint32_t i = slotOf(key);
    while (p.table[i] != 0 && (p.table[i] >> kCodeBits) != key) i = (i + 1) & (kHashSlots - 1);
    return i;
}

void fileCode(Packer& p, uint32_t key, uint32_t code) {
    p.table[findSlot(p, key)] = key << kCodeBits | code;
}

// The candidate is input[start, start + length): the current string and the byte after it;
// `slot` is the empty slot its key belongs in.
void addCandidate(Packer& p, uint32_t slot, uint32_t key, uint32_t start, uint32_t length) {
    p.table[slot] = key << kCodeBits | p.nextCode;
    if (p.orphanPending && length == p.orphanLength &&
        std::memcmp(p.input + start, p.input + p.orphanStart, length) == 0) {
        fileCode(p, p.nextCode << 8 | p.orphanByte, FirstFreeCode);
        p.orphanPending = false;
    }
    ++p.nextCode;
}

bool putBits(Packer& p, uint32_t value, uint32_t width) {
    p.bitBuffer = (p.bitBuffer << width) | value;
    p.bitCount += width;
    if (p.bitCount < 32) return true;
    p.bitCount -= 32;
    if (kPackCapacity - p.outPos < 4) return false;
    const uint32_t word = uint32_t(p.bitBuffer >> p.bitCount);
    uint8_t* dest = p.out + p.outPos;
    dest[0] = uint8_t(word >> 24);
    dest[1] = uint8_t(word >> 16);
    dest[2] = uint8_t(word >> 8);
    dest[3] = uint8_t(word);
    p.outPos += 4;
    return true;
}

// Stores the last bits; the unused low bits of the final byte are zero.
bool flushBits(Packer& p) {
    const uint32_t bytes = (p.bitCount + 7) / 8;
    if (kPackCapacity - p.outPos < bytes) return false;
    const uint64_t aligned = p.bitBuffer << (bytes * 8 - p.bitCount);
    for (uint32_t i = 0; i < bytes; ++i) p.out[p.outPos++] = uint8_t(aligned >> (8 * (bytes - 1 - i)));
    p.bitCount = 0;
    return true;
}

// Codes never exceed 4095, so the width never passes 12 bits.
bool writeCode(Packer& p, uint32_t code) {
    while ((code >> p.width) != 0) {
        if (!putBits(p, CodeWiden, p.width)) return false;
        ++p.width;
    }
    return putBits(p, code, p.width);
}

// The dictionary is full: start afresh with the last candidate as FirstFreeCode.
bool resetDictionary(Packer& p, uint32_t key, uint32_t prefixStart, uint32_t prefixLength) {
    if (!putBits(p, CodeReset, p.width)) return false;
    std::memset(p.table, 0, kHashSlots * sizeof(uint32_t));
    p.orphanPending = prefixLength > 1;
    if (p.orphanPending) {
        p.orphanStart = prefixStart;
        p.orphanLength = prefixLength;
        p.orphanByte = uint8_t(key);
    } else {
        fileCode(p, key, FirstFreeCode);
    }
    p.nextCode = FirstFreeCode + 1;
    p.width = kFirstWidth;
    return true;
}

int32_t packBytes(Packer& p) {
    if (p.length == 0) return CodecInputExhausted;
    std::memset(p.table, 0, kHashSlots * sizeof(uint32_t));
    uint32_t current = p.input[0];
    uint32_t currentStart = 0;
    for (uint32_t i = 1; i < p.length; ++i) {
        const uint32_t key = current << 8 | p.input[i];
        const uint32_t slot = findSlot(p, key);
        if (p.table[slot] != 0) {
            current = p.table[slot] & kCodeMask;
            continue;
        }
        addCandidate(p, slot, key, currentStart, i + 1 - currentStart);
        if (!writeCode(p, current)) return CodecOutputTooLarge;
        if (p.nextCode == kDictionarySize && !resetDictionary(p, key, currentStart, i - currentStart))
            return CodecOutputTooLarge;
        current = p.input[i];
        currentStart = i;
    }
    if (!writeCode(p, current) || !putBits(p, CodeEnd, p.width) || !flushBits(p))
        return CodecOutputTooLarge;
    return CodecOk;
}

}  // namespace

int32_t unpackBlock(const uint8_t* input, uint32_t length, uint8_t** output, uint32_t* outputLength) {
    *output = nullptr;
    *outputLength = 0;
    if (input == nullptr) length = 0;
    gTotalInputBytes = length;
    gInputBytesRead = 0;
    if (length > kMaxBlockInput) return CodecInputTooLarge;
    auto* dictionary = static_cast<OutputString*>(std::malloc(kDictionarySize * sizeof(OutputString)));
    if (dictionary == nullptr) return CodecNoMemory;
    auto* out = static_cast<uint8_t*>(std::malloc(kUnpackCapacity));
    if (out == nullptr) {
        alertNoMemory();
        std::free(dictionary);
        return CodecNoMemory;
    }
    Unpacker u{input, length, 0, false, dictionary, out, 0, FirstFreeCode, kFirstWidth, {}};
    const int32_t result = unpackCodes(u);
    gInputBytesRead = u.inputEnded ? length : uint32_t((u.bitPos + 7) >> 3);
    std::free(dictionary);
    if (result != CodecOk) {
        std::free(out);
        return result;
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
        return CodecNoMemory;
    }
    auto* table = static_cast<uint32_t*>(std::malloc(kHashSlots * sizeof(uint32_t)));
    if (table == nullptr) {
        std::free(out);
        return CodecNoMemory;
    }
    gPackInputBytes = gTotalInputBytes = length;
    gInputBytesRead = 0;
    Packer p{input, length, table, out, 0, 0, 0, FirstFreeCode, kFirstWidth, false, 0, 0, 0};
    const int32_t result = packBytes(p);
    std::free(table);
    if (result != CodecOk) {
        std::free(out);
        return result;
    }
    gPackedBytes = p.outPos;
    *output = out;
    *outputLength = p.outPos + 1;
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
