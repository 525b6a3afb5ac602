// Writing resource lists into real MinGW executables and reading them back.
#include <gtest/gtest.h>

#include <algorithm>

#include "pe_test_support.h"
#include "tools/pe/pe_resources.h"

using namespace petest;

namespace {

struct Fixture {
    const char* arch;
    const char* variant;
};
const Fixture kFixtures[] = {{"i686", ""},   {"i686", "-stripped"},   {"i686", "-bare"},
                             {"x86_64", ""}, {"x86_64", "-stripped"}, {"x86_64", "-bare"}};

std::string nameOf(const Fixture& f) { return std::string(f.arch) + f.variant; }

std::vector<PeResource> readOk(const std::vector<uint8_t>& image) {
    std::vector<PeResource> list;
    std::string error;
    EXPECT_TRUE(readPeResources(image, list, error)) << error;
    return list;
}

std::vector<uint8_t> writeOk(const std::vector<uint8_t>& image,
                             const std::vector<PeResource>& list) {
    std::vector<uint8_t> out;
    std::string error;
    EXPECT_TRUE(writePeResources(image, list, out, error)) << error;
    return out;
}

bool isKey(const PeResource& r, uint16_t type, uint16_t name) {
    return !r.type.isName() && !r.name.isName() && r.type.id == type && r.name.id == name;
}

// What building a quiz does to the player's list: one resource replaced, one removed, new ones.
std::vector<PeResource> quizEdit(std::vector<PeResource> list) {
    list.erase(std::remove_if(list.begin(), list.end(),
                              [](const PeResource& r) { return isKey(r, 5, 1002); }),
               list.end());
    for (PeResource& r : list) {
        if (r.type.name == u"PATCH" && !r.name.isName() && r.name.id == 104) {
            r.data = pattern(5000, 1);
            r.codePage = 1252;
        }
    }
    list.push_back(makeResource(resourceName("PATCH"), resourceId(105), 0, pattern(777, 2)));
    list.push_back(makeResource(resourceName("IMG"), resourceId(401), 0, pattern(200000, 3)));
    list.push_back(makeResource(resourceName("IMG"), resourceId(10401), 0, pattern(3, 4)));
    list.push_back(makeResource(resourceName("IMG"), resourceName("ANSWER"), 0x40c, {}));
    list.push_back(makeResource(resourceId(10), ResourceName{0, u"mixedCase"}, 0, pattern(9, 5)));
    return list;
}

TEST(PeWrite, EditedListReadsBackExactly) {
    for (const Fixture& f : kFixtures) {
        SCOPED_TRACE(nameOf(f));
        const std::vector<uint8_t> in = readFile(fixturePath(f.arch, f.variant));
        const std::vector<PeResource> edited = quizEdit(readOk(in));
        const std::vector<uint8_t> out = writeOk(in, edited);
        EXPECT_TRUE(validLayout(out));
        EXPECT_TRUE(sameResources(sortedResources(edited), readOk(out)));
        const std::vector<size_t> entries = dataEntryOffsets(out);
        EXPECT_EQ(entries.size(), edited.size());
        for (size_t entry : entries)
            EXPECT_EQ(u32(out, entry) % 8, 0u) << "data on an 8-byte boundary";

        // Every other section keeps its place and its bytes.
        const Headers before = headersOf(in), after = headersOf(out);
        ASSERT_GE(after.sections.size(), before.sections.size());
        for (size_t i = 0; i < before.sections.size(); ++i) {
            const Section& a = before.sections[i];
            const Section& b = after.sections[i];
            if (a.name == ".rsrc" && b.name == ".rsrc") continue;  // rewritten in place
            EXPECT_EQ(a.virtualAddress, b.virtualAddress) << a.name;
            EXPECT_EQ(a.rawSize, b.rawSize) << a.name;
            EXPECT_TRUE(std::equal(in.begin() + a.rawPointer, in.begin() + a.rawPointer + a.rawSize,
                                   out.begin() + b.rawPointer))
                << a.name;
        }
    }
}

TEST(PeWrite, RebuildingABuiltFileGivesTheSameBytes) {
    for (const Fixture& f : kFixtures) {
        SCOPED_TRACE(nameOf(f));
        const std::vector<uint8_t> player = readFile(fixturePath(f.arch, f.variant));
        const std::vector<PeResource> original = readOk(player);
        const std::vector<PeResource> edited = quizEdit(original);
        const std::vector<uint8_t> once = writeOk(player, edited);
        EXPECT_EQ(writeOk(once, edited), once) << "same list again";

        // Another quiz built from the built one, then the first quiz again.
        const std::vector<uint8_t> other = writeOk(once, original);
        EXPECT_TRUE(validLayout(other));
        EXPECT_TRUE(sameResources(sortedResources(original), readOk(other)));
        EXPECT_LT(other.size(), once.size());
        EXPECT_EQ(writeOk(other, edited), once) << "from a file built with another list";
    }
}

// MinGW keeps a COFF symbol table unless stripped, and even a stripped i686 file keeps the
// string table that holds long section names (".eh_frame" is "/4" in its header).
TEST(PeWrite, SymbolTableFollowsTheSections) {
    const struct {
        const char* arch;
        const char* variant;
        const char* longName;
    } kCases[] = {{"i686", "", ".debug_info"},
                  {"i686", "-stripped", ".eh_frame"},
                  {"x86_64", "", ".debug_info"}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string(c.arch) + c.variant);
        const std::string original = fixturePath(c.arch, c.variant);
        const std::vector<uint8_t> in = readFile(original);
        const Headers h = headersOf(in);
        const uint32_t pointer = u32(in, h.fileHeader + 8), count = u32(in, h.fileHeader + 12);
        ASSERT_NE(pointer, 0u);
        const std::vector<uint8_t> out = writeOk(in, quizEdit(readOk(in)));
        const Headers o = headersOf(out);
        const uint32_t moved = u32(out, o.fileHeader + 8);
        EXPECT_EQ(u32(out, o.fileHeader + 12), count);
        const Section& last = o.sections.back();
        EXPECT_EQ(moved, last.rawPointer + last.rawSize);
        ASSERT_EQ(out.size() - moved, in.size() - pointer);
        EXPECT_TRUE(std::equal(in.begin() + pointer, in.end(), out.begin() + moved));

        // The binutils still resolve the long section names through the moved string table.
        const std::string path = workPath("symbols-" + std::string(c.arch) + c.variant + ".exe");
        writeFile(path, out);
        std::string listing, symbols, originalSymbols;
        EXPECT_EQ(runCommand(objdumpFor(c.arch) + " -h " + path, listing), 0) << listing;
        EXPECT_NE(listing.find(std::string(" ") + c.longName + " "), std::string::npos) << listing;
        EXPECT_EQ(runCommand(objdumpFor(c.arch) + " -t " + path, symbols), 0);
        EXPECT_EQ(runCommand(objdumpFor(c.arch) + " -t " + original, originalSymbols), 0);
        auto table = [](const std::string& dump) {  // without the file name line
            const size_t at = dump.find("SYMBOL TABLE");
            return at == std::string::npos ? dump : dump.substr(at);
        };
        EXPECT_EQ(table(symbols), table(originalSymbols));
    }
}

TEST(PeWrite, DirectoryIsSortedNamesFirst) {
    auto r = [](ResourceName type, ResourceName name, uint16_t language) {
        return makeResource(std::move(type), std::move(name), language,
                            pattern(language % 7 + 1, 9));
    };
    const ResourceName upperA{0, u"A"}, upperAB{0, u"AB"}, lowerB{0, u"b"}, underscoreX{0, u"_X"};
    const std::vector<PeResource> shuffled = {
        r(resourceId(16), resourceId(1), 0), r(underscoreX, resourceId(2), 0),
        r(lowerB, resourceId(401), 0x40c),   r(resourceId(3), resourceId(1), 0),
        r(lowerB, resourceId(401), 0x409),   r(upperAB, resourceId(5), 0),
        r(lowerB, ResourceName{0, u"Z"}, 0), r(upperA, resourceId(9), 0),
        r(lowerB, resourceId(10400), 0),     r(lowerB, ResourceName{0, u"y"}, 0),
    };
    const std::vector<PeResource> expected = {
        shuffled[7], shuffled[5], shuffled[9], shuffled[6], shuffled[4],
        shuffled[2], shuffled[8], shuffled[1], shuffled[3], shuffled[0],
    };
    const std::vector<uint8_t> in = readFile(fixturePath("x86_64", "-stripped"));
    const std::vector<uint8_t> out = writeOk(in, shuffled);
    EXPECT_TRUE(sameResources(expected, readOk(out)));

    // The root table counts its named entries apart from its ids.
    const Headers h = headersOf(out);
    const size_t root = h.rvaToOffset(h.dirRva(2));
    EXPECT_EQ(u16(out, root + 12), 4u);
    EXPECT_EQ(u16(out, root + 14), 2u);
}

TEST(PeWrite, EmptyListLeavesAnEmptyDirectory) {
    for (const char* arch : {"i686", "x86_64"}) {
        const std::vector<uint8_t> out = writeOk(readFile(fixturePath(arch, "-stripped")), {});
        EXPECT_TRUE(validLayout(out)) << arch;
        std::vector<PeResource> list(1);
        std::string error;
        EXPECT_TRUE(readPeResources(out, list, error)) << error;
        EXPECT_TRUE(list.empty());
    }
}

TEST(PeWrite, RefusesResourcesThatWouldShareAnEntry) {
    const std::vector<uint8_t> in = readFile(fixturePath("i686", "-stripped"));
    const PeResource patch = makeResource(resourceName("PATCH"), resourceId(104), 0, {1});
    const struct {
        std::vector<PeResource> list;
        const char* refusal;  // nullptr: accepted
    } kCases[] = {
        {{patch, patch}, "ont les mêmes type, nom et langue"},
        {{makeResource(resourceName("PATCH"), ResourceName{0, u"QUIZ"}, 0, {}),
          makeResource(resourceName("PATCH"), ResourceName{0, u"QUIZ"}, 0, {})},
         "ont les mêmes type, nom et langue"},
        // Names equal but for case would share one directory entry.
        {{makeResource(resourceName("PATCH"), ResourceName{0, u"quiz"}, 0, {}),
          makeResource(resourceName("PATCH"), ResourceName{0, u"QUIZ"}, 1, {})},
         "ne diffèrent que par la casse"},
        {{makeResource(ResourceName{0, u"patch"}, resourceId(1), 0, {}),
          makeResource(resourceName("PATCH"), resourceId(2), 0, {})},
         "ne diffèrent que par la casse"},
        {{patch, makeResource(resourceName("PATCH"), resourceId(104), 1, {})}, nullptr},
        {{patch, makeResource(resourceId(104), resourceId(104), 0, {})}, nullptr},
    };
    for (const auto& c : kCases) {
        std::vector<uint8_t> out;
        std::string error;
        EXPECT_EQ(writePeResources(in, c.list, out, error), c.refusal == nullptr)
            << describe(c.list[1]);
        if (c.refusal != nullptr) {
            EXPECT_NE(error.find(c.refusal), std::string::npos) << error;
        }
    }
}

TEST(PeWrite, DropsASignatureThatCouldNoLongerHold) {
    const std::vector<uint8_t> plain = readFile(fixturePath("x86_64", "-stripped"));
    std::vector<uint8_t> signed_ = plain;
    const Headers h = headersOf(signed_);
    signed_.resize(plain.size() + 24, 0x5a);
    setU32(signed_, h.dataDirectories + 4 * 8, static_cast<uint32_t>(plain.size()));
    setU32(signed_, h.dataDirectories + 4 * 8 + 4, 24);
    const std::vector<PeResource> list = quizEdit(readOk(plain));
    EXPECT_EQ(writeOk(signed_, list), writeOk(plain, list));
}

TEST(PeWrite, KeepsDataAppendedAfterTheLastSection) {
    std::vector<uint8_t> in = readFile(fixturePath("x86_64", "-stripped"));
    const std::vector<uint8_t> payload = pattern(1000, 7);  // e.g. an installer's archive
    in.insert(in.end(), payload.begin(), payload.end());
    const std::vector<PeResource> list = quizEdit(readOk(in));
    const std::vector<uint8_t> out = writeOk(in, list);
    EXPECT_TRUE(validLayout(out));
    const Section last = headersOf(out).sections.back();
    ASSERT_EQ(out.size(), last.rawPointer + last.rawSize + payload.size());
    EXPECT_TRUE(std::equal(payload.begin(), payload.end(), out.end() - 1000));
    EXPECT_EQ(writeOk(out, list), out);
}

TEST(PeWrite, ClearsBoundImportsWhereTheNewHeaderGoes) {
    std::vector<uint8_t> in = readFile(fixturePath("i686", "-stripped"));
    const Headers h = headersOf(in);
    const size_t tableEnd = h.sections.back().header + 40;
    std::fill(in.begin() + tableEnd, in.begin() + tableEnd + 24, 0x11);  // a bound import table
    setU32(in, h.dataDirectories + 11 * 8, static_cast<uint32_t>(tableEnd));
    setU32(in, h.dataDirectories + 11 * 8 + 4, 24);
    const std::vector<uint8_t> out = writeOk(in, quizEdit(readOk(in)));
    EXPECT_TRUE(validLayout(out));
    EXPECT_EQ(headersOf(out).dirRva(11), 0u);
    EXPECT_EQ(headersOf(out).dirSize(11), 0u);
    EXPECT_EQ(headersOf(out).sections.back().header, tableEnd);
}

}  // namespace
