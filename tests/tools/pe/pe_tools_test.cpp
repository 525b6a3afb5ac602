// The binutils, which read PE files on their own, accept what the writer produced.
#include <gtest/gtest.h>

#include <algorithm>

#include "pe_test_support.h"
#include "tools/pe/pe_resources.h"

using namespace petest;

namespace {

std::vector<PeResource> quizResources(const std::vector<uint8_t>& player) {
    std::vector<PeResource> list;
    std::string error;
    EXPECT_TRUE(readPeResources(player, list, error)) << error;
    list.push_back(makeResource(resourceName("PATCH"), resourceId(105), 0, pattern(1000, 1)));
    list.push_back(makeResource(resourceName("IMG"), resourceId(401), 0, pattern(70000, 2)));
    list.push_back(makeResource(resourceName("IMG"), resourceId(10401), 0, pattern(33, 3)));
    list.push_back(makeResource(resourceName("IMG"), resourceName("ANSWER"), 0, pattern(5, 4)));
    return list;
}

size_t countOf(const std::string& text, const std::string& word) {
    size_t n = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
    return n;
}

TEST(PeExternalTools, ObjdumpShowsTheRewrittenDirectory) {
    for (const char* arch : {"i686", "x86_64"}) {
        for (const char* variant : {"", "-stripped", "-bare"}) {
            SCOPED_TRACE(std::string(arch) + variant);
            const std::vector<uint8_t> player = readFile(fixturePath(arch, variant));
            const std::vector<PeResource> list = quizResources(player);
            std::vector<uint8_t> out;
            std::string error;
            ASSERT_TRUE(writePeResources(player, list, out, error)) << error;
            const std::string path = workPath(std::string("objdump-") + arch + variant + ".exe");
            writeFile(path, out);

            std::string dump;
            ASSERT_EQ(runCommand(objdumpFor(arch) + " -p " + path, dump), 0) << dump;
            EXPECT_NE(dump.find("Resource Directory [.rsrc]"), std::string::npos);
            EXPECT_NE(dump.find("The .rsrc Resource Directory section"), std::string::npos);
            EXPECT_EQ(countOf(dump, "Leaf: "), list.size());
            for (const char* name : {": PATCH,", ": IMG,", ": ANSWER,"})
                EXPECT_EQ(countOf(dump, name), 1u) << name;
            std::string lower = dump;
            std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
            EXPECT_EQ(lower.find("corrupt"), std::string::npos) << dump;
            EXPECT_EQ(lower.find("warning"), std::string::npos) << dump;
        }
    }
}

TEST(PeExternalTools, WindresDecompilesTheResult) {
    const std::vector<uint8_t> player = readFile(fixturePath("x86_64", ""));
    std::vector<uint8_t> out;
    std::string error;
    ASSERT_TRUE(writePeResources(player, quizResources(player), out, error)) << error;
    const std::string path = workPath("windres.exe"), script = workPath("windres.rc");
    writeFile(path, out);
    std::string messages;
    ASSERT_EQ(runCommand(std::string(PE_WINDRES) + " -i " + path + " -o " + script, messages), 0)
        << messages;
    const std::vector<uint8_t> bytes = readFile(script);
    const std::string rc(bytes.begin(), bytes.end());
    for (const char* line :
         {"105 \"PATCH\"", "401 \"IMG\"", "10401 \"IMG\"", "\"ANSWER\" \"IMG\"", "1001 DIALOGEX",
          "1002 DIALOGEX", "1 VERSIONINFO", "Velto test fixture"})
        EXPECT_NE(rc.find(line), std::string::npos) << line;
}

}  // namespace
