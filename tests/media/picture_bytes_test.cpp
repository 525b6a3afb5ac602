#include "media/picture_bytes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes dataFile(const char* name) {
    std::ifstream file(std::string(VELTO_SOURCE_DIR) + "/tests/media/win/data/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

const char* const kJpegs[] = {"red_blue_520x390.jpg", "green_yellow_300x400.jpg", "grey_100x50.jpg",
                              "line_1000x1.jpg"};

TEST(TruncatedJpeg, CompleteFilesPassAndEveryShorterPrefixIsCaught) {
    for (const char* name : kJpegs) {
        Bytes jpeg = dataFile(name);
        ASSERT_GT(jpeg.size(), 100u) << name;
        EXPECT_FALSE(isTruncatedJpeg(jpeg.data(), jpeg.size())) << name;
        for (std::size_t length = 2; length < jpeg.size(); ++length) {
            ASSERT_TRUE(isTruncatedJpeg(jpeg.data(), length)) << name << " cut at " << length;
        }
    }
    Bytes cut = dataFile("red_blue_truncated.jpg");
    EXPECT_TRUE(isTruncatedJpeg(cut.data(), cut.size()));
}

TEST(TruncatedJpeg, TrailingBytesAfterTheEndAreAllowed) {
    Bytes jpeg = dataFile("grey_100x50.jpg");
    jpeg.insert(jpeg.end(), 64, 0x00);
    EXPECT_FALSE(isTruncatedJpeg(jpeg.data(), jpeg.size()));
}

TEST(TruncatedJpeg, AnEndMarkerInsideASegmentDoesNotCount) {
    // SOI, an APP1 segment holding FF D9 (as an embedded thumbnail does), then nothing.
    const Bytes cut = {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x06, 0xFF, 0xD9, 0x00, 0x00};
    EXPECT_TRUE(isTruncatedJpeg(cut.data(), cut.size()));
    // Scan data with stuffed bytes and a restart marker, then the end.
    const Bytes scan = {0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02, 0x12, 0xFF, 0x00, 0x34,
                        0xFF, 0xD0, 0x56, 0xFF, 0xFF, 0xD9};
    EXPECT_FALSE(isTruncatedJpeg(scan.data(), scan.size()));
    EXPECT_TRUE(isTruncatedJpeg(scan.data(), scan.size() - 1));
}

TEST(TruncatedJpeg, OtherBytesAreLeftToTheDecoder) {
    const Bytes text = {'p', 'a', 's', ' ', 'u', 'n', 'e'};
    const Bytes bmp = {'B', 'M', 0x00, 0x00};
    const Bytes malformed = {0xFF, 0xD8, 0x12, 0x34};
    const Bytes badLength = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x01};
    const Bytes soiOnly = {0xFF};
    for (const Bytes* bytes : {&text, &bmp, &malformed, &badLength, &soiOnly}) {
        EXPECT_FALSE(isTruncatedJpeg(bytes->data(), bytes->size()));
    }
    EXPECT_FALSE(isTruncatedJpeg(nullptr, 0));
}

}  // namespace
