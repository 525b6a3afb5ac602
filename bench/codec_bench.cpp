// Packing and unpacking speed on French-like text (a full 65535-byte block) and on random bytes
// (the largest round size whose packed form fits in a packed block).
// --velto_write_inputs=DIR writes the two inputs to DIR/french.txt and DIR/random.bin and exits,
// so that other programs can be timed on the very same bytes.
// --velto_prose=FILE adds BM_PackProse and BM_UnpackProse: the whole file (real text) cut into
// kProseBlock-byte blocks, packed or unpacked block by block, each call with its own buffers.
#include "quizdata/codec.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t kRandomSize = 24000;  // random bytes grow by about a third when packed

const char* const kWords[] = {
    "le",          "la",       "les",       "de",      "des",        "du",         "un",
    "une",         "et",       "est",       "dans",    "sur",        "pour",       "par",
    "avec",        "qui",      "que",       "quelle",  "quel",       "où",         "ne",
    "pas",         "plus",     "au",        "aux",     "en",         "son",        "sa",
    "ses",         "capitale", "ville",     "pays",    "fleuve",     "montagne",   "écrivain",
    "peintre",     "chanson",  "année",     "siècle",  "roi",        "reine",      "château",
    "guerre",      "paix",     "été",       "hiver",   "français",   "française",  "célèbre",
    "première",    "dernière", "grand",     "petite",  "nombreux",   "histoire",   "géographie",
    "littérature", "musique",  "cinéma",    "théâtre", "élève",      "forêt",      "île",
    "côte",        "mer",      "océan",     "lumière", "étoile",     "soleil",     "lune",
    "réponse",     "question", "indice",    "époque",  "révolution", "république", "empereur",
    "Paris",       "Lyon",     "Marseille", "Loire",   "Seine",      "Hugo",       "Molière",
    "Napoléon",    "Renoir",   "Piaf",      "Brel",    "à",          "très",       "toujours",
    "jamais",      "naquit",   "écrivit",   "peignit", "chanta",     "traverse",   "domine",
};

// Deterministic sentences of French words with capitals, commas, questions and line ends.
Bytes frenchText(size_t length) {
    std::mt19937 rng(1881);
    std::string text;
    const size_t wordCount = sizeof(kWords) / sizeof(kWords[0]);
    while (text.size() < length) {
        const int words = 4 + int(rng() % 12);
        for (int i = 0; i < words; ++i) {
            std::string word = kWords[rng() % wordCount];
            if (i == 0 && word[0] >= 'a' && word[0] <= 'z') word[0] = char(word[0] - 'a' + 'A');
            text += word;
            if (i + 1 < words) text += rng() % 9 == 0 ? ", " : " ";
        }
        const uint32_t end = rng() % 10;
        text += end < 3 ? " ?\n" : end < 4 ? " !\n" : ".\n";
    }
    text.resize(length);
    return Bytes(text.begin(), text.end());
}

Bytes randomBytes(size_t length) {
    std::mt19937 rng(2024);
    Bytes b(length);
    for (auto& x : b) x = uint8_t(rng());
    return b;
}

const Bytes& french() {
    static const Bytes text = frenchText(kMaxBlockInput);
    return text;
}

const Bytes& noise() {
    static const Bytes bytes = randomBytes(kRandomSize);
    return bytes;
}

Bytes packed(const Bytes& input) {
    uint8_t* out = nullptr;
    uint32_t length = 0;
    if (packBlock(input.data(), uint32_t(input.size()), &out, &length) != CodecOk)
        throw std::runtime_error("benchmark input does not pack");
    Bytes result(out, out + length - 1);
    std::free(out);
    return result;
}

// Blocks packed or unpacked one after the other, each call with its own buffers.
struct Blocks {
    std::vector<Bytes> plain, packed;
    size_t plainBytes = 0, packedBytes = 0;
    void add(Bytes block) {
        plainBytes += block.size();
        packed.push_back(::packed(block));
        packedBytes += packed.back().size();
        plain.push_back(std::move(block));
    }
};

Blocks oneBlock(const Bytes& input) {
    Blocks blocks;
    blocks.add(input);
    return blocks;
}

void benchPack(benchmark::State& state, const Blocks& blocks) {
    for (auto _ : state) {
        for (const Bytes& block : blocks.plain) {
            uint8_t* out = nullptr;
            uint32_t length = 0;
            if (packBlock(block.data(), uint32_t(block.size()), &out, &length) != CodecOk)
                state.SkipWithError("packing failed");
            benchmark::DoNotOptimize(out);
            std::free(out);
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(blocks.plainBytes));
    state.counters["ratio"] = double(blocks.packedBytes) / double(blocks.plainBytes);
}

// Throughput counts the unpacked bytes, like packing, so the two read alike.
void benchUnpack(benchmark::State& state, const Blocks& blocks) {
    for (auto _ : state) {
        for (size_t i = 0; i < blocks.packed.size(); ++i) {
            const Bytes& block = blocks.packed[i];
            uint8_t* out = nullptr;
            uint32_t length = 0;
            if (unpackBlock(block.data(), uint32_t(block.size()), &out, &length) != CodecOk ||
                length != blocks.plain[i].size() + 2)
                state.SkipWithError("unpacking failed");
            benchmark::DoNotOptimize(out);
            std::free(out);
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(blocks.plainBytes));
}

constexpr size_t kProseBlock = 48 * 1024;
Blocks gProse;

bool loadProse(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return false;
    Bytes block(kProseBlock);
    size_t got;
    while ((got = std::fread(block.data(), 1, block.size(), f)) > 0)
        gProse.add(Bytes(block.begin(), block.begin() + got));
    std::fclose(f);
    return !gProse.plain.empty();
}

void BM_PackProse(benchmark::State& state) { benchPack(state, gProse); }
void BM_UnpackProse(benchmark::State& state) { benchUnpack(state, gProse); }

const Blocks& frenchBlock() {
    static const Blocks blocks = oneBlock(french());
    return blocks;
}
const Blocks& noiseBlock() {
    static const Blocks blocks = oneBlock(noise());
    return blocks;
}

void BM_PackFrench(benchmark::State& state) { benchPack(state, frenchBlock()); }
void BM_UnpackFrench(benchmark::State& state) { benchUnpack(state, frenchBlock()); }
void BM_PackRandom(benchmark::State& state) { benchPack(state, noiseBlock()); }
void BM_UnpackRandom(benchmark::State& state) { benchUnpack(state, noiseBlock()); }

BENCHMARK(BM_PackFrench);
BENCHMARK(BM_UnpackFrench);
BENCHMARK(BM_PackRandom);
BENCHMARK(BM_UnpackRandom);

bool writeFile(const std::string& path, const Bytes& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

// Takes --velto_prose=FILE out of argv, for Google Benchmark rejects flags it does not know.
bool takeProseFlag(int& argc, char** argv) {
    const char kProse[] = "--velto_prose=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kProse, sizeof(kProse) - 1) != 0) continue;
        const std::string path = argv[i] + sizeof(kProse) - 1;
        for (int j = i; j + 1 < argc; ++j) argv[j] = argv[j + 1];
        --argc;
        if (!loadProse(path)) {
            std::fprintf(stderr, "cannot read prose from %s, or it does not pack\n", path.c_str());
            return false;
        }
        benchmark::RegisterBenchmark("BM_PackProse", BM_PackProse);
        benchmark::RegisterBenchmark("BM_UnpackProse", BM_UnpackProse);
        return true;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const char kFlag[] = "--velto_write_inputs=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kFlag, sizeof(kFlag) - 1) != 0) continue;
        const std::string dir = argv[i] + sizeof(kFlag) - 1;
        const bool ok =
            writeFile(dir + "/french.txt", french()) && writeFile(dir + "/random.bin", noise());
        if (!ok) std::fprintf(stderr, "cannot write the inputs into %s\n", dir.c_str());
        return ok ? 0 : 1;
    }
    try {
        if (!takeProseFlag(argc, argv)) return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
