// Packing and unpacking speed on French-like text (a full 65535-byte block) and on random bytes
// (the largest round size whose packed form fits in a packed block).
// --velto_write_inputs=DIR writes the two inputs to DIR/french.txt and DIR/random.bin and exits,
// so that other programs can be timed on the very same bytes.
#include "quizdata/codec.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t kRandomSize = 24000;  // random bytes grow by about a third when packed

const char* const kWords[] = {
    "le", "la", "les", "de", "des", "du", "un", "une", "et", "est", "dans", "sur", "pour", "par",
    "avec", "qui", "que", "quelle", "quel", "où", "ne", "pas", "plus", "au", "aux", "en", "son",
    "sa", "ses", "capitale", "ville", "pays", "fleuve", "montagne", "écrivain", "peintre",
    "chanson", "année", "siècle", "roi", "reine", "château", "guerre", "paix", "été", "hiver",
    "français", "française", "célèbre", "première", "dernière", "grand", "petite", "nombreux",
    "histoire", "géographie", "littérature", "musique", "cinéma", "théâtre", "élève", "forêt",
    "île", "côte", "mer", "océan", "lumière", "étoile", "soleil", "lune", "réponse", "question",
    "indice", "époque", "révolution", "république", "empereur", "Paris", "Lyon", "Marseille",
    "Loire", "Seine", "Hugo", "Molière", "Napoléon", "Renoir", "Piaf", "Brel", "à", "très",
    "toujours", "jamais", "naquit", "écrivit", "peignit", "chanta", "traverse", "domine",
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

void benchPack(benchmark::State& state, const Bytes& input) {
    for (auto _ : state) {
        uint8_t* out = nullptr;
        uint32_t length = 0;
        if (packBlock(input.data(), uint32_t(input.size()), &out, &length) != CodecOk)
            state.SkipWithError("packing failed");
        benchmark::DoNotOptimize(out);
        std::free(out);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(input.size()));
    state.counters["ratio"] = double(packed(input).size()) / double(input.size());
}

// Throughput counts the unpacked bytes, like packing, so the two read alike.
void benchUnpack(benchmark::State& state, const Bytes& input) {
    const Bytes block = packed(input);
    for (auto _ : state) {
        uint8_t* out = nullptr;
        uint32_t length = 0;
        if (unpackBlock(block.data(), uint32_t(block.size()), &out, &length) != CodecOk ||
            length != input.size() + 2)
            state.SkipWithError("unpacking failed");
        benchmark::DoNotOptimize(out);
        std::free(out);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(input.size()));
}

void BM_PackFrench(benchmark::State& state) { benchPack(state, french()); }
void BM_UnpackFrench(benchmark::State& state) { benchUnpack(state, french()); }
void BM_PackRandom(benchmark::State& state) { benchPack(state, noise()); }
void BM_UnpackRandom(benchmark::State& state) { benchUnpack(state, noise()); }

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

}  // namespace

int main(int argc, char** argv) {
    const char kFlag[] = "--velto_write_inputs=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kFlag, sizeof(kFlag) - 1) != 0) continue;
        const std::string dir = argv[i] + sizeof(kFlag) - 1;
        const bool ok = writeFile(dir + "/french.txt", french()) && writeFile(dir + "/random.bin", noise());
        if (!ok) std::fprintf(stderr, "cannot write the inputs into %s\n", dir.c_str());
        return ok ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
