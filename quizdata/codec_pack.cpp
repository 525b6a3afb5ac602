// Packing, in two passes: the parse turns the input into the list of codes, the writer then
// packs them into bits. A string is found by walking from its first byte, one byte at a time,
// and what bounds the speed is that chain of dependent lookups: so the walk selects where it
// could branch (whether a byte extends the match is a coin toss on text) and keeps each
// lookup to one load from a table that stays in cache.
//
// The table is open-addressed, each slot pair << 16 | away | child (child 0 = empty slot).
// The string of `child` is the string of code v followed by byte b, with pair = b << 8 | p
// where p is v's last byte; for a string of two bytes v is 0 and p its first byte. The home
// slot of (v, pair) is v ^ pairShare(pair), which needs only v from the previous step. An entry
// at its home is identified by its pair (the slot gives v back); one filed further on, `away`,
// by its pair and its parent, kept in `parent`. Strings added since the last reset are all
// distinct, so the one match is the first in insertion order.
//
// The one entry without a known prefix code is FirstFreeCode right after a reset: the last
// candidate again, whose prefix was a string of the emptied dictionary. It is filed once that
// prefix is added anew ("orphan" below), so lookups find it exactly when a search of the strings
// themselves would.
#include "quizdata/codec_pack.h"

#include "quizdata/codec.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kSlotBits = 15;
constexpr uint32_t kSlots = 1u << kSlotBits;
constexpr uint32_t kCodeBits = 12;
constexpr uint32_t kChildMask = (1u << kCodeBits) - 1;
constexpr uint32_t kAway = 1u << 15;
constexpr uint32_t kLowHalf = 0xFFFF;  // child and away
// At most one code per input byte, plus a CodeReset per 3836 strings added.
constexpr uint32_t kMaxCodes =
    kMaxBlockInput + kMaxBlockInput / (kDictionarySize - FirstFreeCode - 1) + 1;

// Module-level, as a fresh 128 KiB table per block cost more to allocate than the lookups it
// serves; the codec is one operation at a time anyway.
struct PackWork {
    uint32_t slots[kSlots + 1];        // the last one takes stores that file nothing
    uint16_t parent[kDictionarySize];  // v of each entry filed away from its home
    uint16_t codes[kMaxCodes];         // the parse's result, CodeReset included
};
PackWork gPack;

inline uint32_t pairShare(uint32_t pair) { return (pair * 0x9E3779B1u) >> (32 - kSlotBits); }

// test == 0 ? ifZero : otherwise, written so that compilers make it a conditional move: a branch
// here would be mispredicted for about every third byte of text.
inline uint32_t pickIfZero(uint32_t test, uint32_t ifZero, uint32_t otherwise) {
    return test == 0 ? ifZero : otherwise;
}

// The child of (v, pair), or 0 with `place` the free slot where it belongs.
uint32_t findChild(const PackWork& w, uint32_t v, uint32_t pair, uint32_t& place) {
    const uint32_t home = v ^ pairShare(pair);
    for (uint32_t slot = home;; slot = (slot + 1) & (kSlots - 1)) {
        const uint32_t entry = w.slots[slot];
        const uint32_t child = entry & kChildMask;
        if (child == 0) {
            place = slot;
            return 0;
        }
        if (entry >> 16 == pair && ((entry & kAway) ? w.parent[child] == v : slot == home))
            return child;
    }
}

void fileChild(PackWork& w, uint32_t v, uint32_t pair, uint32_t place, uint32_t code) {
    const bool away = place != (v ^ pairShare(pair));
    w.slots[place] = pair << 16 | (away ? kAway : 0) | code;
    w.parent[code] = uint16_t(v);
}

void fileString(PackWork& w, uint32_t v, uint32_t pair, uint32_t code) {
    uint32_t place = 0;
    findChild(w, v, pair, place);
    fileChild(w, v, pair, place, code);
}

struct Orphan {
    uint32_t length;  // of its prefix, 2 or more; 0 = none pending
    uint32_t start;   // input position of that prefix
    uint8_t byte;     // the byte FirstFreeCode adds to it
};

struct ParseState {
    uint32_t i;  // next input byte
    uint32_t n;  // codes parsed so far
    uint32_t nextCode;
    uint32_t v;          // code of the current match, 0 when it is the one byte input[i - 1]
    uint32_t start;      // input position of the current match
    uint32_t lastStart;  // input position of the match written last
};

// When child is 0 (the match ends here): stored = filed, start = i, miss = 1; else miss = 0.
// Without a branch, for the reason of pickIfZero: one mask selects both (written as ternaries,
// the awaiting run's later use of miss made the compiler branch on it).
inline uint32_t onMiss(uint32_t child, uint32_t filed, uint32_t& stored, uint32_t& start,
                       uint32_t i) {
    const uint32_t miss = child == 0;
    const uint32_t keep = miss - 1;  // all ones while the match goes on
    stored = (stored & keep) | (filed & ~keep);
    start = (start & keep) | (i & ~keep);
    return miss;
}

// Parses until the input ends or the dictionary fills (true). While an orphan waits, each new
// string of its prefix's length and last byte (`awaited`) is compared with that prefix; once
// it is filed the run returns so that the plain loop goes on.
template <bool kAwaiting>
__attribute__((noinline)) bool parseRun(ParseState& s, Orphan& o, const uint8_t* input,
                                        uint32_t length, PackWork& w) {
    uint32_t i = s.i, n = s.n, v = s.v, start = s.start, lastStart = s.lastStart;
    const uint32_t offset = s.nextCode - n;  // each new string writes one code
    const uint32_t awaited = kAwaiting ? (o.length - 1) << 8 | input[o.start + o.length - 1] : 0;
    uint16_t* const codes = w.codes;
    uint32_t* const slots = w.slots;
    while (i != length) {
        // Each byte adds at most one string, so the dictionary cannot fill before `stop`.
        const uint32_t stop = i + std::min(length - i, kDictionarySize - (n + offset));
        for (; i != stop; ++i) {
            const uint32_t p = input[i - 1], b = input[i], pair = p | b << 8;
            const uint32_t nextCode = n + offset;
            uint32_t slot = v ^ pairShare(pair);
            uint32_t entry = slots[slot];
            codes[n] = uint16_t(pickIfZero(v, p, v));
            // Anything but an empty home or the string itself at home: search on.
            if (__builtin_expect(std::min(entry & kLowHalf, (entry ^ pair << 16) >> kCodeBits) != 0,
                                 0)) {
                uint32_t place = 0;
                entry = findChild(w, v, pair, place);
                if (entry == 0) fileChild(w, v, pair, place, nextCode);
                slot = kSlots;  // nothing left to file: the store below goes to the spare slot
            }
            const uint32_t child = entry & kLowHalf;  // away is clear here
            lastStart = start;
            uint32_t stored = entry;
            const uint32_t miss = onMiss(child, pair << 16 | nextCode, stored, start, i);
            slots[slot] = stored;
            n += miss;
            if (kAwaiting && __builtin_expect(((i - lastStart) << 8 | b) == awaited, 0) && miss &&
                std::memcmp(input + lastStart, input + o.start, o.length) == 0) {
                fileString(w, nextCode, b | o.byte << 8, FirstFreeCode);
                o.length = 0;
                s = {i + 1, n, nextCode + 1, 0, i, lastStart};
                return false;
            }
            v = child;
        }
        if (n + offset == kDictionarySize) break;
    }
    s = {i, n, n + offset, v, start, lastStart};
    return n + offset == kDictionarySize;
}

// The codes of a whole block, CodeReset included, into gPack.codes; returns their number.
uint32_t parseCodes(const uint8_t* input, uint32_t length, PackWork& w) {
    std::memset(w.slots, 0, sizeof w.slots);
    ParseState s{1, 0, FirstFreeCode, 0, 0, 0};
    Orphan o{0, 0, 0};
    while (s.i < length) {
        const bool full = o.length != 0 ? parseRun<true>(s, o, input, length, w)
                                        : parseRun<false>(s, o, input, length, w);
        if (!full) continue;
        // Start afresh with the last candidate, (code written last, byte) as FirstFreeCode.
        const uint32_t b = input[s.i - 1], prefix = w.codes[s.n - 1];
        w.codes[s.n++] = CodeReset;
        std::memset(w.slots, 0, sizeof w.slots);
        s.nextCode = FirstFreeCode + 1;
        const uint32_t prefixLength = s.i - 1 - s.lastStart;
        if (prefixLength > 1) {
            o = {prefixLength, s.lastStart, uint8_t(b)};
        } else {
            o.length = 0;
            fileString(w, 0, prefix | b << 8, FirstFreeCode);
        }
    }
    w.codes[s.n++] = uint16_t(s.v == 0 ? input[length - 1] : s.v);
    return s.n;
}

struct BitWriter {
    uint8_t* out;
    uint32_t outPos;
    uint64_t bitBuffer;
    uint32_t bitCount;  // bits of bitBuffer not yet stored (0-31)
};

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

// A code wider than the width in force is preceded by one CodeWiden per missing bit; CodeReset
// and CodeEnd go at the width in force. Codes never exceed 4095, so the width stays within 12.
bool writeCodes(const uint16_t* codes, uint32_t count, BitWriter& w) {
    uint32_t width = kFirstWidth;
    for (uint32_t k = 0; k < count; ++k) {
        const uint32_t code = codes[k];
        if (__builtin_expect(code == CodeReset, 0)) {
            if (!putBits(w, CodeReset, width)) return false;
            width = kFirstWidth;
            continue;
        }
        while (__builtin_expect((code >> width) != 0, 0)) {
            if (!putBits(w, CodeWiden, width)) return false;
            ++width;
        }
        if (!putBits(w, code, width)) return false;
    }
    return putBits(w, CodeEnd, width) && flushBits(w);
}

}  // namespace

uint32_t packCodeStream(const uint8_t* input, uint32_t length, uint8_t* out) {
    BitWriter w{out, 0, 0, 0};
    return writeCodes(gPack.codes, parseCodes(input, length, gPack), w) ? w.outPos : 0;
}
