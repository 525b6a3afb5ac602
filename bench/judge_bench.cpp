// Cost of one judgement at the largest texts a field holds, and at a typical size.
#include <benchmark/benchmark.h>

#include <string>

#include "evaluation/judge.h"

namespace {

std::string pattern(int length, int step) {
    std::string text;
    for (int i = 0; i < length; ++i) text.push_back(static_cast<char>('A' + (i * step) % 26));
    return text;
}

void judgePair(benchmark::State& state, const std::string& expected, const std::string& typed) {
    for (auto _ : state) benchmark::DoNotOptimize(judgeAnswer(expected.c_str(), typed.c_str()));
}

// Two unrelated 259-character texts: every step runs to the similarity test.
void BM_JudgeUnrelated259(benchmark::State& state) {
    judgePair(state, pattern(259, 1), pattern(259, 7));
}

// A 259-character answer with three letters changed: "y a de l'idée".
void BM_JudgeNear259(benchmark::State& state) {
    std::string typed = pattern(259, 1);
    typed[10] = typed[120] = typed[250] = '#';
    judgePair(state, pattern(259, 1), typed);
}

void BM_JudgeTypical(benchmark::State& state) { judgePair(state, "Chateaubriand", "  chateau "); }

void BM_EditDistance259(benchmark::State& state) {
    const std::string a = pattern(259, 1), b = pattern(259, 7);
    for (auto _ : state) benchmark::DoNotOptimize(editDistance(a, b));
}

}  // namespace

BENCHMARK(BM_JudgeUnrelated259);
BENCHMARK(BM_JudgeNear259);
BENCHMARK(BM_JudgeTypical);
BENCHMARK(BM_EditDistance259);
BENCHMARK_MAIN();
