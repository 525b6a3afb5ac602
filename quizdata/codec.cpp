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

// ---------------------------------------------------------------------------------------------
// Packing. A string is found by walking from its first byte: (code of the prefix, next byte) ->
// code. Every string starts with a pair of bytes, so pairs have a direct table of 65536 codes;
// longer strings live in an open-addressing table, each slot holding key << 12 | code (0 =
// empty), key = prefix code << 8 | byte. Strings added since the last reset are all distinct,
// so the one match is the first in insertion order.
//
// The one entry without a known prefix code is FirstFreeCode right after a reset: the last
// candidate again, whose prefix was a string of the emptied dictionary. Its key is filed once
// that prefix string is added anew ("orphan" below), so lookups find it exactly when a search
// of the strings themselves would.
//
// The loops keep their state in locals: every byte stored through the output pointer may alias
// anything, which would otherwise send each field back to memory.

constexpr uint32_t kHashBits = 13;
constexpr uint32_t kHashSlots = 1u << kHashBits;
constexpr uint32_t kPairSlots = 1u << 16;
constexpr uint32_t kCodeBits = 12;
constexpr uint32_t kCodeMask = (1u << kCodeBits) - 1;
constexpr uint32_t kGolden = 0x9E3779B1u;

// The byte's share of the slot depends on the input alone, so only one XOR lies between a
// code found and the next load; prefix codes are distinct, so one byte's keys never collide.
inline uint32_t slotOf(uint32_t prefix, uint32_t byte) {
    return prefix ^ ((byte * kGolden) >> (32 - kHashBits));
}
inline uint32_t nextSlot(uint32_t slot) { return (slot + 1) & (kHashSlots - 1); }

// Module-level and all zero between packings: a fresh 128 KiB table per block cost more to
// allocate and zero than the lookups it serves (the codec is not re-entrant anyway).
uint16_t gPairs[kPairSlots];

struct PackTables {
    uint16_t* pairs;     // code of the string (byte << 8 | byte), 0 = none
    uint32_t* longer;    // strings whose prefix has two bytes or more
    uint16_t* pairKeys;  // pairs filed since the last reset, to empty them cheaply
    uint32_t pairCount;
};

struct BitWriter {
    uint8_t* out;
    uint32_t outPos;
    uint64_t bitBuffer;
    uint32_t bitCount;  // bits of bitBuffer not yet stored (0-31)
};

struct Orphan {
    bool pending;
    uint32_t start;   // input position of the orphan's prefix
    uint32_t length;  // its length (2 or more)
    uint8_t byte;     // the byte FirstFreeCode adds to it
};

// The slot holding key, or the empty slot where it belongs.
inline uint32_t findSlot(const uint32_t* table, uint32_t key) {
    uint32_t i = slotOf(key >> 8, key & 0xFF);
    while (table[i] != 0 && (table[i] >> kCodeBits) != key) i = nextSlot(i);
    return i;
}

inline void fileLonger(uint32_t* table, uint32_t key, uint32_t code) {
    table[findSlot(table, key)] = key << kCodeBits | code;
}

inline void filePair(PackTables& t, uint32_t key, uint32_t code) {
    t.pairs[key] = uint16_t(code);
    t.pairKeys[t.pairCount++] = uint16_t(key);
}

inline bool putBits(BitWriter& w, uint32_t value, uint32_t width) {
    w.bitBuffer = (w.bitBuffer << width) | value;
    w.bitCount += width;
    if (w.bitCount < 32) return true;
    w.bitCount -= 32;
    if (kPackCapacity - w.outPos < 4) return false;
    const uint32_t word = __builtin_bswap32(uint32_t(w.bitBuffer >> w.bitCount));
    std::memcpy(w.out + w.outPos, &word, 4);
    w.outPos += 4;
    return true;
}

// Stores the last bits; the unused low bits of the final byte are zero.
bool flushBits(BitWriter& w) {
    const uint32_t bytes = (w.bitCount + 7) / 8;
    if (kPackCapacity - w.outPos < bytes) return false;
    const uint64_t aligned = w.bitBuffer << (bytes * 8 - w.bitCount);
    for (uint32_t i = 0; i < bytes; ++i)
        w.out[w.outPos++] = uint8_t(aligned >> (8 * (bytes - 1 - i)));
    w.bitCount = 0;
    return true;
}

// Codes never exceed 4095, so the width never passes 12 bits.
inline bool writeCode(BitWriter& w, uint32_t& width, uint32_t code) {
    while (__builtin_expect((code >> width) != 0, 0)) {
        if (!putBits(w, CodeWiden, width)) return false;
        ++width;
    }
    return putBits(w, code, width);
}

// The longest dictionary string at input[start]: its code, the position after it and, when
// that string has two bytes or more, the slot where it followed by input[end] belongs.
struct Match {
    uint32_t code;
    uint32_t end;
    uint32_t slot;
};

inline Match longestMatch(const uint8_t* input, uint32_t start, uint32_t length,
                          const PackTables& t) {
    uint32_t i = start + 1;
    if (i == length) return {input[start], i, 0};
    uint32_t current = t.pairs[uint32_t(input[start]) << 8 | input[i]];
    if (current == 0) return {input[start], i, 0};
    for (++i; i < length; ++i) {
        const uint32_t byte = input[i];
        const uint32_t key = current << 8 | byte;
        uint32_t slot = slotOf(current, byte);
        uint32_t entry;
        while ((entry = t.longer[slot]) != 0 && (entry >> kCodeBits) != key) slot = nextSlot(slot);
        if (entry == 0) return {current, i, slot};
        current = entry & kCodeMask;
    }
    return {current, i, 0};
}

// The candidate input[start, start + length), as long as the orphan's prefix, was just given
// `code`: when it is that prefix, the orphan's key becomes known.
__attribute__((noinline)) void adoptOrphan(Orphan& o, uint32_t* table, const uint8_t* input,
                                           uint32_t code, uint32_t start, uint32_t length) {
    if (std::memcmp(input + start, input + o.start, length) != 0) return;
    fileLonger(table, code << 8 | o.byte, FirstFreeCode);
    o.pending = false;
}

// The dictionary is full: start afresh with the last candidate as FirstFreeCode.
__attribute__((noinline)) void emptyDictionary(Orphan& o, PackTables& t, uint32_t key,
                                               uint32_t prefixStart, uint32_t prefixLength) {
    std::memset(t.longer, 0, kHashSlots * sizeof(uint32_t));
    for (uint32_t i = 0; i < t.pairCount; ++i) t.pairs[t.pairKeys[i]] = 0;
    t.pairCount = 0;
    o.pending = prefixLength > 1;
    if (o.pending) {
        o.start = prefixStart;
        o.length = prefixLength;
        o.byte = uint8_t(key);
    } else {
        filePair(t, key, FirstFreeCode);
    }
}

int32_t packCodes(const uint8_t* input, uint32_t length, PackTables& t, BitWriter& w) {
    if (length == 0) return CodecInputExhausted;
    Orphan orphan{false, 0, 0, 0};
    uint32_t nextCode = FirstFreeCode, width = kFirstWidth;
    for (uint32_t start = 0;;) {
        const Match m = longestMatch(input, start, length, t);
        if (m.end == length) {
            if (!writeCode(w, width, m.code) || !putBits(w, CodeEnd, width) || !flushBits(w))
                return CodecOutputTooLarge;
            return CodecOk;
        }
        const uint32_t key = m.code << 8 | input[m.end];
        if (m.end - start == 1)
            filePair(t, key, nextCode);
        else
            t.longer[m.slot] = key << kCodeBits | nextCode;
        if (orphan.pending && m.end + 1 - start == orphan.length)
            adoptOrphan(orphan, t.longer, input, nextCode, start, orphan.length);
        ++nextCode;
        if (!writeCode(w, width, m.code)) return CodecOutputTooLarge;
        if (__builtin_expect(nextCode == kDictionarySize, 0)) {
            if (!putBits(w, CodeReset, width)) return CodecOutputTooLarge;
            emptyDictionary(orphan, t, key, start, m.end - start);
            nextCode = FirstFreeCode + 1;
            width = kFirstWidth;
        }
        start = m.end;
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
    auto* dictionary =
        static_cast<OutputString*>(std::malloc(kDictionarySize * sizeof(OutputString)));
    if (dictionary == nullptr) return CodecNoMemory;
    auto* out = static_cast<uint8_t*>(std::malloc(kUnpackCapacity));
    if (out == nullptr) {
        alertNoMemory();
        std::free(dictionary);
        return CodecNoMemory;
    }
    const Unpacked u = unpackCodes({input, length, 0}, dictionary, out);
    gInputBytesRead = u.bytesRead;
    std::free(dictionary);
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
        return CodecNoMemory;
    }
    PackTables t{gPairs, static_cast<uint32_t*>(std::calloc(kHashSlots, sizeof(uint32_t))),
                 static_cast<uint16_t*>(std::malloc(kDictionarySize * sizeof(uint16_t))), 0};
    BitWriter w{out, 0, 0, 0};
    int32_t result = CodecNoMemory;  // the counters stay as they were, as when `out` fails
    if (t.longer != nullptr && t.pairKeys != nullptr) {
        gPackInputBytes = gTotalInputBytes = length;
        gInputBytesRead = 0;
        result = packCodes(input, length, t, w);
    }
    for (uint32_t i = 0; i < t.pairCount; ++i) t.pairs[t.pairKeys[i]] = 0;  // zero for the next
    std::free(t.longer);
    std::free(t.pairKeys);
    if (result != CodecOk) {
        std::free(out);
        return result;
    }
    gPackedBytes = w.outPos;
    *output = out;
    *outputLength = w.outPos + 1;
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
