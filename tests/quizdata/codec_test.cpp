// Packed block codec: the worked examples, hand-made streams for every failure, the size limits.
#include "quizdata/codec.h"
#include "quizdata/codec_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

struct Result {
    int32_t code;
    Bytes data;  // empty on failure
};

Result unpack(const Bytes& block) {
    CodecBytes r = unpackBytes(block);
    return {r.result, std::move(r.bytes)};
}

Result pack(const Bytes& input) {
    CodecBytes r = packBytes(input);
    return {r.result, std::move(r.bytes)};
}

// The C functions' own buffer contract: the reported length (produced + 2 for unpack, + 1 for
// pack), the unpack buffer zero after the data, nothing handed out on failure.
uint32_t cUnpackLength(const Bytes& block) {
    uint8_t* out = reinterpret_cast<uint8_t*>(1);
    uint32_t length = 12345;
    if (unpackBlock(block.data(), uint32_t(block.size()), &out, &length) == CodecOk) {
        EXPECT_GE(length, 2u);
        EXPECT_TRUE(std::all_of(out + (length - 2), out + kUnpackCapacity, [](uint8_t b) {
            return b == 0;
        })) << "the buffer is zero after the data";
        std::free(out);
    } else {
        EXPECT_EQ(out, nullptr);
        EXPECT_EQ(length, 0u);
    }
    return length;
}

uint32_t cPackLength(const Bytes& input) {
    uint8_t* out = reinterpret_cast<uint8_t*>(1);
    uint32_t length = 12345;
    if (packBlock(input.data(), uint32_t(input.size()), &out, &length) == CodecOk) {
        EXPECT_GE(length, 1u);
        std::free(out);
    } else {
        EXPECT_EQ(out, nullptr);
        EXPECT_EQ(length, 0u);
    }
    return length;
}

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

// Writes codes most significant bit first, as a damaged or hand-made block needs them.
struct StreamWriter {
    Bytes bytes;
    uint32_t bitCount = 0;
    uint32_t width = 9;

    void put(uint64_t value, uint32_t bits) {
        for (uint32_t i = bits; i-- > 0;) {
            if (bitCount % 8 == 0) bytes.push_back(0);
            if ((value >> i) & 1) bytes.back() |= uint8_t(0x80 >> (bitCount % 8));
            ++bitCount;
        }
    }
    void code(uint32_t value) { put(value, width); }
    // Widens first when the code needs more bits, as a writer does.
    void wideCode(uint32_t value) {
        while ((value >> width) != 0) put(257, width++);
        put(value, width);
    }
    void widen() { put(257, width++); }
    void reset() {
        put(258, width);
        width = 9;
    }
    Bytes end() {
        put(256, width);
        return bytes;
    }
};

TEST(Codec, WorkedExamplesPackAndUnpack) {
    struct Case {
        std::string text;
        Bytes packed;
    } cases[] = {
        {"abc", {0x30, 0x98, 0x8C, 0x70, 0x00}},
        {"aaaaaaa", {0x30, 0xC0, 0xE0, 0x86, 0x18, 0x00}},
        {"a", {0x30, 0xC0, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Result packed = pack(bytesOf(c.text));
        ASSERT_EQ(packed.code, CodecOk);
        EXPECT_EQ(packed.data, c.packed);
        EXPECT_EQ(cPackLength(bytesOf(c.text)), c.packed.size() + 1);
        EXPECT_EQ(packedBytes(), c.packed.size());
        EXPECT_EQ(packInputBytes(), c.text.size());
        EXPECT_EQ(totalInputBytes(), c.text.size());
        EXPECT_EQ(inputBytesRead(), 0u);

        const Result unpacked = unpack(c.packed);
        ASSERT_EQ(unpacked.code, CodecOk);
        EXPECT_EQ(unpacked.data, bytesOf(c.text));
        EXPECT_EQ(cUnpackLength(c.packed), c.text.size() + 2);
        EXPECT_EQ(totalInputBytes(), c.packed.size());
        EXPECT_EQ(inputBytesRead(), c.packed.size());
        EXPECT_EQ(packedBytes(), c.packed.size()) << "unpacking leaves the packing counters";
    }
}

Bytes widened(int count) {
    StreamWriter w;
    w.code('a');
    for (int i = 0; i < count; ++i) w.widen();
    return w.end();
}

Bytes codeAfterA(uint32_t code) {
    StreamWriter w;
    w.code('a');
    w.code(code);
    return w.end();
}

Bytes resetKeepsPrevious() {
    StreamWriter w;
    w.code('a');
    w.code('b');  // 259 = "ab"
    w.code(259);  // 260 = "ba"
    w.reset();
    w.code('c');  // 259 = "abc": the string before the reset plus 'c'
    w.code(259);
    return w.end();
}

Bytes firstCodeAboveLiterals() {
    StreamWriter w;
    w.code(0x141);  // only the low 8 bits count: 'A'
    w.code('B');
    return w.end();
}

Bytes firstCodeEnd() {
    StreamWriter w;
    w.code(CodeEnd);  // as the first code it is the byte 0, not the end
    return w.end();
}

// The first code then `count` literal codes: each adds a dictionary string.
Bytes fillDictionary(int count, bool resetBeforeLast) {
    StreamWriter w;
    w.code('a');
    for (int i = 0; i < count; ++i) {
        if (resetBeforeLast && i == count - 1) w.reset();
        w.code('b');
    }
    return w.end();
}

TEST(Codec, UnpackHandMadeStreams) {
    struct Case {
        const char* name;
        Bytes block;
        int32_t result;
        std::string text;
        uint32_t bytesRead;
    } cases[] = {
        {"empty", {}, CodecInputExhausted, "", 0},
        {"cut inside the first code", {0x30}, CodecInputExhausted, "", 1},
        {"cut inside a later code", {0x30, 0x98, 0x8C, 0x70}, CodecBadCode, "", 4},
        {"cut right after the first code", {0x30, 0x80}, CodecBadCode, "", 2},
        {"trailing bytes ignored",
         {0x30, 0x98, 0x8C, 0x70, 0x00, 0xFF, 0x01, 0x02},
         CodecOk,
         "abc",
         5},
        {"code equal to the next free code", codeAfterA(259), CodecOk, "aaa", 4},
        {"code above the next free code", codeAfterA(260), CodecBadCode, "", 3},
        {"far code above", codeAfterA(511), CodecBadCode, "", 3},
        // 'a' (9 bits) and widens at widths 9..31 then CodeEnd at 32, or widens at 9..32: 501 bits.
        {"23 widens accepted", widened(23), CodecOk, "a", 63},
        {"24 widens rejected", widened(24), CodecBadCode, "", 63},
        {"reset keeps the previous string", resetKeepsPrevious(), CodecOk, "ababcabc", 8},
        {"first code keeps its low byte", firstCodeAboveLiterals(), CodecOk, "AB", 4},
        {"first code is never a control code", firstCodeEnd(), CodecOk, std::string(1, '\0'), 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Result r = unpack(c.block);
        EXPECT_EQ(r.code, c.result) << codecResultName(r.code);
        EXPECT_EQ(r.data, bytesOf(c.text));
        const uint32_t reported = cUnpackLength(c.block);
        if (r.code == CodecOk) {
            EXPECT_EQ(reported, c.text.size() + 2);
        }
        EXPECT_EQ(totalInputBytes(), c.block.size());
        EXPECT_EQ(inputBytesRead(), c.bytesRead);
    }
}

TEST(Codec, UnpackRejectsStringsBeyondTheDictionary) {
    const int room = 4096 - 259;
    EXPECT_EQ(unpack(fillDictionary(room, false)).code, CodecOk);
    const Result overrun = unpack(fillDictionary(room + 1, false));
    EXPECT_EQ(overrun.code, CodecBadCode);
    const Result afterReset = unpack(fillDictionary(room + 1, true));
    ASSERT_EQ(afterReset.code, CodecOk);
    EXPECT_EQ(afterReset.data, bytesOf("a" + std::string(size_t(room + 1), 'b')));
}

// 'a', the chain 259, 260, ... (each the next free code, each string one 'a' longer), then
// literal 'a' codes: (chain+1)(chain+2)/2 + literals bytes in all.
Bytes growingRun(uint32_t chain, uint32_t literals) {
    StreamWriter w;
    w.code('a');
    for (uint32_t i = 0; i < chain; ++i) w.wideCode(259 + i);
    for (uint32_t i = 0; i < literals; ++i) w.code('a');
    return w.end();
}

TEST(Codec, UnpackStopsAtTheOutputCapacity) {
    const Result full = unpack(growingRun(488, 195));
    ASSERT_EQ(full.code, CodecOk);
    EXPECT_EQ(full.data, Bytes(kUnpackCapacity, 'a'));
    EXPECT_EQ(cUnpackLength(growingRun(488, 195)), kUnpackCapacity + 2);
    EXPECT_EQ(unpack(growingRun(488, 196)).code, CodecOutputTooLarge);
    EXPECT_EQ(unpack(growingRun(600, 0)).code, CodecOutputTooLarge);
}

Bytes randomBytes(size_t length, uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes b(length);
    for (auto& x : b) x = uint8_t(rng());
    return b;
}

TEST(Codec, InputAndOutputLimits) {
    const Bytes tooLong(kMaxBlockInput + 1, 'x');
    EXPECT_EQ(pack(tooLong).code, CodecInputTooLarge);
    EXPECT_EQ(packInputBytes(), kMaxBlockInput + 1);
    EXPECT_EQ(unpack(tooLong).code, CodecInputTooLarge);
    EXPECT_EQ(totalInputBytes(), kMaxBlockInput + 1);

    const Bytes longest(kMaxBlockInput, 'x');
    const Result packed = pack(longest);
    ASSERT_EQ(packed.code, CodecOk);
    EXPECT_EQ(packedBytes(), packed.data.size());
    EXPECT_EQ(unpack(packed.data).data, longest);

    // Random bytes grow when packed: the biggest fitting block and one that does not fit.
    const Bytes fits = randomBytes(24000, 7);
    const Result fitted = pack(fits);
    ASSERT_EQ(fitted.code, CodecOk);
    EXPECT_GT(fitted.data.size(), 30000u);
    EXPECT_LE(fitted.data.size(), kPackCapacity);
    EXPECT_EQ(unpack(fitted.data).data, fits);
    const uint32_t lastPacked = packedBytes();
    EXPECT_EQ(pack(randomBytes(kMaxBlockInput, 8)).code, CodecOutputTooLarge);
    EXPECT_EQ(packedBytes(), lastPacked) << "only a success sets the packed length";
    EXPECT_EQ(packInputBytes(), kMaxBlockInput);
}

TEST(Codec, PackOfEmptyInputAndNullInput) {
    EXPECT_EQ(pack({}).code, CodecInputExhausted);
    EXPECT_EQ(packInputBytes(), 0u);
    uint8_t* out = nullptr;
    uint32_t length = 0;
    EXPECT_EQ(packBlock(nullptr, 10, &out, &length), CodecInputExhausted);
    EXPECT_EQ(unpackBlock(nullptr, 10, &out, &length), CodecInputExhausted);
    EXPECT_EQ(out, nullptr);
}

// The vector face gives exactly the produced bytes of the C functions, and nothing on failure.
TEST(Codec, VectorFaceMatchesTheBufferContract) {
    const Bytes text = bytesOf("une phrase, une autre phrase, une phrase encore");
    const CodecBytes packed = packBytes(text);
    ASSERT_EQ(packed.result, CodecOk);
    EXPECT_EQ(packed.bytes, pack(text).data);
    const CodecBytes unpacked = unpackBytes(packed.bytes);
    ASSERT_EQ(unpacked.result, CodecOk);
    EXPECT_EQ(unpacked.bytes, text);
    for (const CodecBytes& failed : {packBytes(Bytes{}), unpackBytes(Bytes(3, 0xFF)),
                                     packBytes(Bytes(kMaxBlockInput + 1, 'x'))}) {
        EXPECT_LT(failed.result, 0);
        EXPECT_TRUE(failed.bytes.empty());
    }
}

}  // namespace
