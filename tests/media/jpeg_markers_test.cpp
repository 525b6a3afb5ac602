#include "media/jpeg_markers.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes sourceFile(const std::string& path) {
    std::ifstream file(std::string(VELTO_SOURCE_DIR) + "/" + path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const Bytes kStart = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 'J', 'F'};
const Bytes kScan = {0xFF, 0xDA, 0x00, 0x08, 1, 1, 0, 0, 0x3F, 0};
// Entropy-coded data with a stuffed FF 00, a restart marker and a fill byte.
const Bytes kData = {0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD0, 0x56, 0xFF};
const Bytes kEnd = {0xFF, 0xD9};

Bytes frame(unsigned char marker, int width, int height, unsigned char precision = 8) {
    return {0xFF,
            marker,
            0x00,
            0x0B,
            precision,
            static_cast<unsigned char>(height >> 8),
            static_cast<unsigned char>(height),
            static_cast<unsigned char>(width >> 8),
            static_cast<unsigned char>(width),
            1,
            1,
            0x11,
            0};
}

Bytes jpeg(unsigned char marker, int width, int height, unsigned char precision = 8) {
    return kStart + frame(marker, width, height, precision) + kScan + kData + kEnd;
}

TEST(JpegMarkers, ClassifiesFilesAndReadsTheFrame) {
    const std::string data = "tests/media/win/data/";
    const Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13};
    const Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0};
    const Bytes bmp = Bytes{'B', 'M'} + Bytes(20, 0);
    const Bytes dht = {0xFF, 0xC4, 0x00, 0x03, 0x00};
    struct Case {
        const char* name;
        Bytes bytes;
        JpegProblem problem;
        PictureFormat format;
        int width, height;
        bool progressive;
    } const cases[] = {
        {"baseline", sourceFile(data + "red_blue_520x390.jpg"), JpegProblem::None,
         PictureFormat::Jpeg, 520, 390, false},
        {"one pixel high", sourceFile(data + "line_1000x1.jpg"), JpegProblem::None,
         PictureFormat::Jpeg, 1000, 1, false},
        {"progressive", sourceFile("fuzz/corpus/fuzz_picture_bytes/progressive_16x8.jpg"),
         JpegProblem::None, PictureFormat::Jpeg, 16, 8, true},
        {"cut in half", sourceFile(data + "red_blue_truncated.jpg"), JpegProblem::Truncated,
         PictureFormat::Jpeg, 520, 390, false},
        {"synthetic", jpeg(0xC0, 300, 200), JpegProblem::None, PictureFormat::Jpeg, 300, 200,
         false},
        {"extended 8 bits", jpeg(0xC1, 9, 7), JpegProblem::None, PictureFormat::Jpeg, 9, 7, false},
        {"trailing bytes", jpeg(0xC0, 9, 7) + Bytes(40, 0), JpegProblem::None, PictureFormat::Jpeg,
         9, 7, false},
        {"extended 12 bits", jpeg(0xC1, 9, 7, 12), JpegProblem::UnsupportedFrame,
         PictureFormat::Jpeg, 9, 7, false},
        {"lossless", jpeg(0xC3, 9, 7), JpegProblem::UnsupportedFrame, PictureFormat::Jpeg, 9, 7,
         false},
        {"arithmetic, cut", kStart + frame(0xC9, 9, 7) + kScan, JpegProblem::UnsupportedFrame,
         PictureFormat::Jpeg, 9, 7, false},
        {"height after the scan", jpeg(0xC0, 9, 0), JpegProblem::UnsupportedFrame,
         PictureFormat::Jpeg, 9, 0, false},
        {"no width", jpeg(0xC0, 0, 7), JpegProblem::Malformed, PictureFormat::Jpeg, 0, 7, false},
        {"scan data to the end", kStart + frame(0xC2, 9, 7) + kScan + kData, JpegProblem::Truncated,
         PictureFormat::Jpeg, 9, 7, true},
        {"whole segments, no end", kStart + frame(0xC0, 9, 7) + kScan + kData + dht,
         JpegProblem::NoEndMarker, PictureFormat::Jpeg, 9, 7, false},
        {"end marker inside a segment",
         {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x06, 0xFF, 0xD9, 0, 0},
         JpegProblem::Truncated,
         PictureFormat::Jpeg,
         0,
         0,
         false},
        {"header only", kStart, JpegProblem::Truncated, PictureFormat::Jpeg, 0, 0, false},
        {"segment longer than the file", kStart + Bytes{0xFF, 0xE1, 0xFF, 0xFF, 1},
         JpegProblem::Truncated, PictureFormat::Jpeg, 0, 0, false},
        {"segment length 1", kStart + Bytes{0xFF, 0xE1, 0x00, 0x01} + kEnd, JpegProblem::Malformed,
         PictureFormat::Jpeg, 0, 0, false},
        {"frame header too short", kStart + Bytes{0xFF, 0xC0, 0x00, 0x04, 8, 0} + kScan + kEnd,
         JpegProblem::Malformed, PictureFormat::Jpeg, 0, 0, false},
        {"scan before any frame", kStart + kScan + kData + kEnd, JpegProblem::Malformed,
         PictureFormat::Jpeg, 0, 0, false},
        {"no scan at all", kStart + frame(0xC0, 9, 7) + kEnd, JpegProblem::Malformed,
         PictureFormat::Jpeg, 9, 7, false},
        {"bytes where a marker belongs", kStart + Bytes{0x12, 0x34} + kEnd, JpegProblem::Malformed,
         PictureFormat::Jpeg, 0, 0, false},
        {"a second start", kStart + Bytes{0xFF, 0xD8} + kEnd, JpegProblem::Malformed,
         PictureFormat::Jpeg, 0, 0, false},
        {"fill bytes only", Bytes{0xFF, 0xD8} + Bytes(50, 0xFF), JpegProblem::Truncated,
         PictureFormat::Jpeg, 0, 0, false},
        {"PNG", png, JpegProblem::NotJpeg, PictureFormat::Png, 0, 0, false},
        {"GIF", gif, JpegProblem::NotJpeg, PictureFormat::Gif, 0, 0, false},
        {"BMP", bmp, JpegProblem::NotJpeg, PictureFormat::Bmp, 0, 0, false},
        {"text",
         {'p', 'a', 's', ' ', 'u', 'n', 'e'},
         JpegProblem::NotJpeg,
         PictureFormat::Unknown,
         0,
         0,
         false},
        {"start marker alone",
         {0xFF, 0xD8},
         JpegProblem::NotJpeg,
         PictureFormat::Unknown,
         0,
         0,
         false},
        {"empty", {}, JpegProblem::NotJpeg, PictureFormat::Unknown, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.bytes.empty() && std::string(c.name) != "empty") << "missing data file";
        const JpegFrame got = readJpegFrame(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(got.problem, c.problem);
        EXPECT_EQ(got.ok, c.problem == JpegProblem::None);
        EXPECT_EQ(got.format, c.format);
        EXPECT_EQ(got.width, c.width);
        EXPECT_EQ(got.height, c.height);
        EXPECT_EQ(got.progressive, c.progressive);
    }
    EXPECT_EQ(readJpegFrame(nullptr, 0).format, PictureFormat::Unknown);
}

// Cut anywhere, a whole file is never taken for whole: the walk needs its end marker.
TEST(JpegMarkers, EveryShorterPrefixIsCaught) {
    for (const Bytes& whole : {sourceFile("tests/media/win/data/grey_100x50.jpg"),
                               sourceFile("fuzz/corpus/fuzz_picture_bytes/progressive_16x8.jpg")}) {
        ASSERT_GT(whole.size(), 100u);
        ASSERT_TRUE(readJpegFrame(whole.data(), whole.size()).ok);
        for (std::size_t length = 3; length < whole.size(); ++length) {
            const JpegProblem problem = readJpegFrame(whole.data(), length).problem;
            ASSERT_TRUE(problem == JpegProblem::Truncated || problem == JpegProblem::NoEndMarker)
                << "cut at " << length;
        }
    }
}

}  // namespace
