// The Windows loader (Wine's) finds what the writer put into real executables, and a rewritten
// executable still starts and finds its resources through FindResourceA(NULL-module style).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/pe/pe_resources.h"

namespace {

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot open " << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

// The same bytes as probe.c expects.
std::vector<uint8_t> pattern(size_t size, unsigned seed) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 31 + seed + (i >> 8));
    return bytes;
}

struct Added {
    const char* type;
    const char* name;
    size_t size;
    unsigned seed;
};
const Added kQuiz[] = {
    {"PATCH", "#104", 5000, 1},  // replaces the fixture's own
    {"PATCH", "#105", 777, 2},  {"IMG", "#401", 300000, 3}, {"IMG", "#10401", 3, 4},
    {"IMG", "ANSWER", 17, 5},   {"#10", "#7", 0, 6},
};

PeResource resourceOf(const Added& a) {
    PeResource r;
    r.type = resourceName(a.type);
    r.name = resourceName(a.name);
    r.data = pattern(a.size, a.seed);
    return r;
}

// Reads `source`, applies the quiz resources (plus `extra`) and writes `target`.
void buildQuiz(const std::string& source, const std::string& target,
               const std::vector<Added>& extra = {}) {
    std::vector<PeResource> list;
    std::string error;
    ASSERT_TRUE(readPeResources(readFile(source), list, error)) << error;
    auto put = [&list](const Added& a) {  // replaces a resource of the same type and name
        const PeResource r = resourceOf(a);
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [&r](const PeResource& old) {
                                      return old.type.id == r.type.id &&
                                             old.type.name == r.type.name &&
                                             old.name.id == r.name.id &&
                                             old.name.name == r.name.name;
                                  }),
                   list.end());
        list.push_back(r);
    };
    for (const Added& a : kQuiz) put(a);
    for (const Added& a : extra) put(a);
    std::vector<uint8_t> out;
    ASSERT_TRUE(writePeResources(readFile(source), list, out, error)) << error;
    writeFile(target, out);
}

void expectResource(HMODULE module, const Added& a) {
    HRSRC found = FindResourceA(module, a.name, a.type);
    ASSERT_NE(found, nullptr) << a.type << "/" << a.name;
    const DWORD size = SizeofResource(module, found);
    ASSERT_EQ(size, a.size) << a.type << "/" << a.name;
    const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
    ASSERT_TRUE(size == 0 || bytes != nullptr);
    EXPECT_TRUE(std::equal(bytes, bytes + size, pattern(a.size, a.seed).begin()))
        << a.type << "/" << a.name;
}

TEST(PeLoader, FindsWrittenResourcesInADataFile) {
    for (const char* fixture : {"pe_probe", "fixture-i686", "fixture-i686-stripped"}) {
        SCOPED_TRACE(fixture);
        const std::string target = std::string(fixture) + "-quiz.exe";
        buildQuiz(std::string(fixture) + ".exe", target);
        HMODULE module = LoadLibraryExA(target.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr) << GetLastError();
        for (const Added& a : kQuiz) expectResource(module, a);
        EXPECT_EQ(FindResourceA(module, "#999", "IMG"), nullptr);

        // The resources the player carries survive, named ones in each of their languages.
        EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(1001), MAKEINTRESOURCEA(5)), nullptr);
        EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(1002), MAKEINTRESOURCEA(5)), nullptr);
        EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(1003), MAKEINTRESOURCEA(12)), nullptr);
        EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(1004), MAKEINTRESOURCEA(14)), nullptr);
        EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16)), nullptr);
        const WORD english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
        const WORD french = MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH);
        HRSRC quizdataEn = FindResourceExA(module, "PATCH", "QUIZDATA", english);
        HRSRC quizdataFr = FindResourceExA(module, "PATCH", "QUIZDATA", french);
        ASSERT_NE(quizdataEn, nullptr);
        ASSERT_NE(quizdataFr, nullptr);
        EXPECT_EQ(SizeofResource(module, quizdataEn), 4u);
        EXPECT_EQ(SizeofResource(module, quizdataFr), 3u);
        FreeLibrary(module);
    }
}

// Runs `commandLine` in the current folder and returns its exit status (-1 when it did not end).
long run(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -2;
    DWORD status = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(status);
}

TEST(PeLoader, RewrittenExecutableRunsAndFindsItsResources) {
    EXPECT_EQ(run("pe_probe.exe"), 0);
    EXPECT_EQ(run("pe_probe.exe PATCH #105 777 2"), 1)
        << "the probe must not find what is not there";

    buildQuiz("pe_probe.exe", "pe_probe-run.exe");
    EXPECT_EQ(run("pe_probe-run.exe"), 0);
    EXPECT_EQ(run("pe_probe-run.exe PATCH #104 5000 1"), 0);
    EXPECT_EQ(run("pe_probe-run.exe PATCH #105 777 2"), 0);
    EXPECT_EQ(run("pe_probe-run.exe IMG #401 300000 3"), 0);
    EXPECT_EQ(run("pe_probe-run.exe IMG ANSWER 17 5"), 0);
    EXPECT_EQ(run("pe_probe-run.exe IMG #401 300001 3"), 2);
    EXPECT_EQ(run("pe_probe-run.exe IMG #401 300000 4"), 3);

    // A quiz built from a built quiz: its section is rewritten in place.
    buildQuiz("pe_probe-run.exe", "pe_probe-rerun.exe", {{"IMG", "#402", 1234, 7}});
    EXPECT_EQ(run("pe_probe-rerun.exe IMG #402 1234 7"), 0);
    EXPECT_EQ(run("pe_probe-rerun.exe IMG #10401 3 4"), 0);
}

}  // namespace
