// The codec against a plain, slow model of the packed layout written separately: whole strings
// in a vector, lookups by content in insertion order, one bit at a time. Packed bytes, results
// and counters must agree on many random blocks, sound and damaged.
#include "quizdata/codec.h"
#include "quizdata/codec_bytes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

struct Stats {
    int resets = 0;
    uint32_t maxWidth = 9;
    bool lastCodeWidened = false;
    int resetStringHits = 0;  // matches of code 259 holding a string of 3+ bytes made at a reset
};

// ---- Model writer ---------------------------------------------------------------------------

struct ModelWriter {
    Bytes out;
    uint8_t pending = 0;
    int pendingBits = 0;
    uint32_t width = 9;
    uint32_t nextCode = 259;
    std::vector<std::string> dictionary = std::vector<std::string>(4096);
    std::map<std::string, std::vector<uint32_t>> codesOf;  // strings since the last reset
    Stats stats;

    void putBits(uint32_t value, uint32_t bits) {
        for (uint32_t i = bits; i-- > 0;) {
            pending = uint8_t(pending | (((value >> i) & 1) << (7 - pendingBits)));
            if (++pendingBits == 8) {
                out.push_back(pending);
                pending = 0;
                pendingBits = 0;
            }
        }
    }
    uint32_t codeOf(const std::string& s) const {
        const auto it = codesOf.find(s);
        return it == codesOf.end() ? uint8_t(s[0]) : it->second.front();
    }
    bool writeCode(const std::string& s) {
        const uint32_t code = codeOf(s);
        bool widened = false;
        while ((code >> width) != 0) {
            putBits(257, width++);
            widened = true;
        }
        stats.maxWidth = std::max(stats.maxWidth, width);
        putBits(code, width);
        return widened;
    }
    void add(const std::string& s) {
        dictionary[nextCode] = s;
        codesOf[s].push_back(nextCode);
        ++nextCode;
    }
};

int32_t modelPack(const Bytes& in, Bytes& packed, Stats& stats) {
    if (in.empty()) return CodecInputExhausted;
    ModelWriter w;
    std::string current(1, char(in[0]));
    bool afterReset = false;
    for (size_t i = 1; i < in.size(); ++i) {
        const std::string candidate = current + char(in[i]);
        const auto it = w.codesOf.find(candidate);
        if (it != w.codesOf.end()) {
            if (afterReset && it->second.front() == 259 && candidate.size() >= 3)
                ++w.stats.resetStringHits;
            current = candidate;
            continue;
        }
        w.add(candidate);
        w.writeCode(current);
        if (w.nextCode == 4096) {
            w.putBits(258, w.width);
            w.nextCode = 259;
            w.codesOf.clear();
            w.add(candidate);
            w.width = 9;
            ++w.stats.resets;
            afterReset = true;
        }
        current = std::string(1, char(in[i]));
    }
    w.stats.lastCodeWidened = w.writeCode(current);
    w.putBits(256, w.width);
    if (w.pendingBits > 0) w.out.push_back(w.pending);
    stats = w.stats;
    if (w.out.size() > kPackCapacity) return CodecOutputTooLarge;
    packed = w.out;
    return CodecOk;
}

// ---- Model reader ---------------------------------------------------------------------------

struct ModelReader {
    const Bytes& in;
    size_t pos = 0;
    uint32_t kept = 0;
    uint32_t keptBits = 0;
    uint32_t fetched = 0;

    bool fetch(uint8_t& byte) {
        if (pos == in.size()) return false;
        byte = in[pos++];
        ++fetched;
        return true;
    }
    // Kept bits on top, whole bytes while 8 or more are missing, then the top of one more byte.
    bool read(uint32_t width, uint64_t& code) {
        uint64_t value = kept;
        uint32_t have = keptBits;
        uint8_t byte;
        while (width - have >= 8) {
            if (!fetch(byte)) return false;
            value = value << 8 | byte;
            have += 8;
        }
        kept = 0;
        keptBits = 0;
        if (have < width) {
            if (!fetch(byte)) return false;
            const uint32_t need = width - have;
            value = value << need | uint32_t(byte >> (8 - need));
            keptBits = 8 - need;
            kept = byte & ((1u << keptBits) - 1);
        }
        code = value;
        return true;
    }
};

int32_t modelUnpack(const Bytes& in, std::string& out, uint32_t& fetched) {
    ModelReader r{in};
    int32_t result = CodecOk;
    std::vector<std::string> dictionary(4096);
    for (int b = 0; b < 256; ++b) dictionary[b] = std::string(1, char(b));
    uint64_t code;
    if (in.empty() || !r.read(9, code)) {
        result = CodecInputExhausted;
    } else {
        std::string previous(1, char(code & 0xFF));
        uint32_t width = 9, nextCode = 259;
        for (;;) {
            if (width > 32 || !r.read(width, code)) {
                result = CodecBadCode;
                break;
            }
            if (code == 258) {
                nextCode = 259;
                width = 9;
                continue;
            }
            if (code == 257) {
                ++width;
                continue;
            }
            if (code != 256 && (code > nextCode || nextCode > 4095)) {
                result = CodecBadCode;
                break;
            }
            if (out.size() + previous.size() > kUnpackCapacity) {
                result = CodecOutputTooLarge;
                break;
            }
            if (code == 256) {
                out += previous;
                break;
            }
            const char first = code == nextCode ? previous[0] : dictionary[code][0];
            dictionary[nextCode++] = previous + first;
            out += previous;
            previous = dictionary[code];
        }
    }
    fetched = r.fetched;
    if (result != CodecOk) out.clear();
    return result;
}

// ---- Comparisons ----------------------------------------------------------------------------

std::string asString(const uint8_t* p, uint32_t n) {
    return std::string(reinterpret_cast<const char*>(p), n);
}

void expectSameUnpack(const Bytes& block) {
    std::string expected;
    uint32_t expectedFetched = 0;
    const int32_t expectedResult = modelUnpack(block, expected, expectedFetched);
    const CodecBytes unpacked = unpackBytes(block);
    const int32_t result = unpacked.result;
    ASSERT_EQ(result, expectedResult)
        << codecResultName(result) << " vs " << codecResultName(expectedResult);
    EXPECT_EQ(inputBytesRead(), expectedFetched);
    EXPECT_EQ(totalInputBytes(), block.size());
    if (result == CodecOk) {
        EXPECT_EQ(unpacked.bytes.size(), expected.size());
        EXPECT_TRUE(asString(unpacked.bytes.data(), uint32_t(unpacked.bytes.size())) == expected)
            << "unpacked bytes differ";
    }
}

// Packs with both, compares, and unpacks the result with both. Returns the model's statistics.
Stats expectSamePack(const Bytes& input) {
    Bytes expected;
    Stats stats;
    const int32_t expectedResult = modelPack(input, expected, stats);
    const Bytes untouched = input;
    const CodecBytes packedBlock = packBytes(input);
    const int32_t result = packedBlock.result;
    EXPECT_EQ(input, untouched);
    EXPECT_EQ(result, expectedResult) << codecResultName(result);
    EXPECT_EQ(packInputBytes(), input.size());
    EXPECT_EQ(totalInputBytes(), input.size());
    if (result != CodecOk || expectedResult != CodecOk) {
        EXPECT_TRUE(packedBlock.bytes.empty());
        return stats;
    }
    const Bytes& packed = packedBlock.bytes;
    EXPECT_EQ(packedBytes(), expected.size());
    EXPECT_TRUE(packed == expected)
        << "packed bytes differ, sizes " << packed.size() << " / " << expected.size();
    expectSameUnpack(packed);
    EXPECT_EQ(inputBytesRead(), packed.size());
    std::string modelOut;
    uint32_t fetched;
    EXPECT_EQ(modelUnpack(packed, modelOut, fetched), CodecOk);
    EXPECT_TRUE(modelOut == asString(input.data(), uint32_t(input.size())))
        << "the model does not round-trip";
    return stats;
}

// Uniform bytes over an alphabet, or runs of repeated words for longer strings.
Bytes randomInput(std::mt19937& rng, size_t length, uint32_t alphabet, bool words) {
    Bytes b;
    b.reserve(length);
    std::vector<Bytes> vocabulary;
    for (int i = 0; i < 40; ++i) {
        Bytes w(1 + rng() % 9);
        for (auto& x : w) x = uint8_t('a' + rng() % alphabet);
        vocabulary.push_back(w);
    }
    while (b.size() < length) {
        if (words) {
            const Bytes& w = vocabulary[rng() % vocabulary.size()];
            b.insert(b.end(), w.begin(), w.end());
        } else {
            b.push_back(uint8_t(alphabet == 256 ? rng() : 'a' + rng() % alphabet));
        }
    }
    b.resize(length);
    return b;
}

TEST(CodecModel, PackedBytesAndCountersMatchOnRandomBlocks) {
    std::mt19937 rng(20240611);
    const size_t lengths[] = {1, 2, 3, 17, 300, 4000, 20000, 65535};
    const uint32_t alphabets[] = {1, 2, 4, 26, 64, 256};
    Stats seen;
    for (size_t length : lengths) {
        for (uint32_t alphabet : alphabets) {
            for (bool words : {false, true}) {
                SCOPED_TRACE(testing::Message() << length << " bytes, alphabet " << alphabet
                                                << (words ? " words" : ""));
                const Stats s = expectSamePack(randomInput(rng, length, alphabet, words));
                seen.resets += s.resets;
                seen.maxWidth = std::max(seen.maxWidth, s.maxWidth);
                seen.resetStringHits += s.resetStringHits;
                if (HasFailure()) return;
            }
        }
    }
    // The blocks must reach the paths that matter, or the comparison proves little.
    EXPECT_GT(seen.resets, 10);
    EXPECT_EQ(seen.maxWidth, 12u);
    EXPECT_GT(seen.resetStringHits, 0);
}

TEST(CodecModel, LastCodeWiderThanAnyBefore) {
    // A run of one byte writes the codes 97, 259, 260, ...; the string of 255 bytes is code
    // 512, so a run of 1 + 2 + ... + 254 + 255 bytes ends on the first code wider than 9 bits.
    const size_t run = 254 * 255 / 2 + 255;
    for (size_t length : {run, run - 1}) {
        SCOPED_TRACE(length);
        const Bytes input(length, 'a');
        const Stats stats = expectSamePack(input);
        EXPECT_EQ(stats.lastCodeWidened, length == run);
    }
}

TEST(CodecModel, PackedCapacityBoundary) {
    std::mt19937 rng(31337);
    const Bytes noise = randomInput(rng, kMaxBlockInput, 256, false);
    auto packsWhole = [&](uint32_t length) {
        return packBytes(noise.data(), length).result == CodecOk;
    };
    uint32_t fits = 1, fails = kMaxBlockInput;  // packing noise grows it: the limit is in between
    ASSERT_TRUE(packsWhole(fits));
    ASSERT_FALSE(packsWhole(fails));
    while (fails - fits > 1) {
        const uint32_t middle = (fits + fails) / 2;
        (packsWhole(middle) ? fits : fails) = middle;
    }
    for (uint32_t length = fits - 2; length <= fits + 2; ++length) {
        SCOPED_TRACE(length);
        expectSamePack(Bytes(noise.begin(), noise.begin() + length));
    }
}

TEST(CodecModel, DamagedBlocksFailAlike) {
    std::mt19937 rng(4242);
    for (int i = 0; i < 200; ++i) {
        const Bytes input = randomInput(rng, 1 + rng() % 4000, 1 + rng() % 8, i % 3 == 0);
        Bytes block;
        Stats stats;
        ASSERT_EQ(modelPack(input, block, stats), CodecOk);
        switch (i % 4) {
        case 0: block.resize(rng() % block.size()); break;  // cut short
        case 1:
            block[rng() % block.size()] ^= uint8_t(1u << (rng() % 8));
            break;  // one bit flipped
        case 2:
            for (int k = 0; k < 4; ++k) block[rng() % block.size()] = uint8_t(rng());
            break;
        default: block.insert(block.end(), 1 + rng() % 5, uint8_t(rng())); break;  // trailing bytes
        }
        SCOPED_TRACE(testing::Message() << "case " << i);
        expectSameUnpack(block);
        if (HasFailure()) return;
    }
}

TEST(CodecModel, ArbitraryBytesFailAlike) {
    std::mt19937 rng(777);
    for (int i = 0; i < 300; ++i) {
        Bytes block(rng() % 64);
        for (auto& x : block) x = uint8_t(rng() % 4 == 0 ? 0x80 : rng());
        SCOPED_TRACE(testing::Message() << "case " << i);
        expectSameUnpack(block);
        if (HasFailure()) return;
    }
}

}  // namespace
