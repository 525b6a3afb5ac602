// Reading what windres and the MinGW linker wrote, for both architectures, with and without
// the COFF symbol table.
#include <gtest/gtest.h>

#include "pe_test_support.h"
#include "tools/pe/pe_image.h"
#include "tools/pe/pe_resources.h"

using namespace petest;

namespace {

constexpr uint16_t kFrench = 0x040c, kEnglishUs = 0x0409;

// The icon and cursor files hold one 16x16 image each: a 6-byte header, a 16-byte directory
// entry, then the image that becomes the RT_ICON / RT_CURSOR resource.
std::vector<uint8_t> imageOf(const std::string& file) {
    const std::vector<uint8_t> bytes =
        readFile(std::string(VELTO_SOURCE_DIR) + "/tests/tools/pe/fixtures/" + file);
    return {bytes.begin() + 22, bytes.end()};
}

// Resources of fixtures/fixture.rc, in the order of a resource directory.
std::vector<PeResource> expectedFixture() {
    std::vector<uint8_t> cursor = {3, 0, 5, 0};  // hotspot, then the image
    const std::vector<uint8_t> cursorImage = imageOf("hand.cur");
    cursor.insert(cursor.end(), cursorImage.begin(), cursorImage.end());
    const std::vector<uint8_t> velto = {'V', 'e', 'l', 't', 'o', 0, 0x01, 0x02};
    return {
        makeResource(resourceName("PATCH"), resourceName("QUIZDATA"), kEnglishUs, bytesOf("defg")),
        makeResource(resourceName("PATCH"), resourceName("QUIZDATA"), kFrench, bytesOf("abc")),
        makeResource(resourceName("PATCH"), resourceId(104), kFrench, velto),
        makeResource(resourceId(1), resourceId(1), kFrench, cursor),
        makeResource(resourceId(3), resourceId(1), kFrench, imageOf("app.ico")),
    };
}

struct Fixture {
    const char* arch;
    const char* variant;
};
const Fixture kFixtures[] = {
    {"i686", ""}, {"i686", "-stripped"}, {"x86_64", ""}, {"x86_64", "-stripped"}};

TEST(PeRead, ListsWhatWindresWrote) {
    for (const Fixture& f : kFixtures) {
        SCOPED_TRACE(std::string(f.arch) + f.variant);
        std::vector<PeResource> list;
        std::string error;
        ASSERT_TRUE(readPeResources(readFile(fixturePath(f.arch, f.variant)), list, error))
            << error;
        ASSERT_EQ(list.size(), 11u);
        const std::vector<PeResource> head(list.begin(), list.begin() + 5);
        EXPECT_TRUE(sameResources(expectedFixture(), head));

        // The rest are compiled structures: check their keys and a telling part of each.
        const struct {
            uint16_t type, name, language;
            size_t size;
        } kRest[] = {{5, 1001, kFrench, 66},  {5, 1002, kFrench, 66},  {6, 1, kEnglishUs, 46},
                     {12, 1003, kFrench, 20}, {14, 1004, kFrench, 20}, {16, 1, 0, 300}};
        for (size_t i = 0; i < 6; ++i) {
            const PeResource& r = list[5 + i];
            EXPECT_FALSE(r.type.isName() || r.name.isName()) << describe(r);
            EXPECT_EQ(r.type.id, kRest[i].type) << describe(r);
            EXPECT_EQ(r.name.id, kRest[i].name) << describe(r);
            EXPECT_EQ(r.language, kRest[i].language) << describe(r);
            EXPECT_EQ(r.data.size(), kRest[i].size) << describe(r);
            EXPECT_EQ(r.codePage, 0u);
        }
        const std::vector<uint8_t>& dialog = list[5].data;
        EXPECT_EQ(u16(dialog, 0), 1u);                     // DIALOGEX version
        EXPECT_EQ(u16(dialog, 2), 0xffffu);                // signature
        const std::vector<uint8_t>& group = list[9].data;  // one icon, id 1
        EXPECT_EQ(u16(group, 2), 1u);
        EXPECT_EQ(u16(group, 4), 1u);
        EXPECT_EQ(u16(group, 18), 1u);
        const std::vector<uint8_t>& version = list[10].data;
        EXPECT_EQ(u16(version, 0), 300u);
        EXPECT_EQ(u32(version, 40), 0xfeef04bdu);  // VS_FIXEDFILEINFO signature
        EXPECT_EQ(u32(version, 48), 0x00010002u);  // FILEVERSION 1, 2
    }
}

TEST(PeRead, ExecutableWithoutResourcesGivesAnEmptyList) {
    for (const char* arch : {"i686", "x86_64"}) {
        std::vector<PeResource> list = expectedFixture();
        std::string error;
        EXPECT_TRUE(readPeResources(readFile(fixturePath(arch, "-bare")), list, error)) << error;
        EXPECT_TRUE(list.empty()) << arch;
    }
}

TEST(PeRead, LinkerChecksumMatchesOurs) {
    // ld writes the PE checksum: an oracle for the algorithm used when writing.
    for (const Fixture& f : kFixtures) {
        const std::vector<uint8_t> image = readFile(fixturePath(f.arch, f.variant));
        const uint32_t stored = u32(image, headersOf(image).optionalHeader + 64);
        ASSERT_NE(stored, 0u) << f.arch << f.variant;
        EXPECT_EQ(referenceChecksum(image), stored) << f.arch << f.variant;
        PeImage pe;
        std::string error;
        ASSERT_TRUE(parsePeImage(image, pe, error)) << error;
        EXPECT_EQ(peChecksum(image, checksumOffset(pe)), stored) << f.arch << f.variant;
    }
}

TEST(PeNames, ResourceNameHelpers) {
    EXPECT_EQ(resourceName("Patch").name, u"PATCH");
    EXPECT_EQ(resourceName("img").name, u"IMG");
    EXPECT_FALSE(resourceName("#104").isName());
    EXPECT_EQ(resourceName("#104").id, 104);
    EXPECT_EQ(resourceName("#70000").name, u"#70000");  // not an id: too large
    EXPECT_EQ(resourceName("#1x").name, u"#1X");
    EXPECT_EQ(resourceId(10400 + 3).id, 10403);
    EXPECT_FALSE(resourceId(7).isName());
}

}  // namespace
