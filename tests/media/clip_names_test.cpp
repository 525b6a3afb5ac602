#include "media/clip_names.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "media/clip_check.h"
#include "quizdata/quiz_types.h"

namespace {

TEST(ClipNames, FormatByType) {
    struct Case {
        const char* mediaDir;
        int question;
        int type;
        const char* name;
    } cases[] = {
        {"", 7, kAudioClipType, "velto7.mp3"},
        {"", 96, kVideoClipType, "velto96.avi"},
        {"", 0, kAudioClipType, "velto0.mp3"},
        {"", 0, kVideoClipType, "velto0.avi"},
        {"clips\\", 3, kAudioClipType, "clips\\velto3.mp3"},
    };
    for (const Case& c : cases) {
        char name[kClipNameCapacity];
        ASSERT_TRUE(formatClipName(name, sizeof name, c.mediaDir, c.question, c.type));
        EXPECT_STREQ(name, c.name);
    }
}

TEST(ClipNames, NoNameForOtherTypesOrWhenTooLong) {
    char name[kClipNameCapacity] = "stale";
    EXPECT_FALSE(formatClipName(name, sizeof name, "", 3, 0));
    EXPECT_STREQ(name, "");
    EXPECT_FALSE(formatClipName(name, sizeof name, "", 3, 3));

    char small[10] = "stale";  // "velto3.mp3" needs 11
    EXPECT_FALSE(formatClipName(small, sizeof small, "", 3, kAudioClipType));
    EXPECT_STREQ(small, "");

    std::string longDir(kClipNameCapacity, 'd');
    EXPECT_FALSE(formatClipName(name, sizeof name, longDir.c_str(), 1, kVideoClipType));
    EXPECT_STREQ(name, "");
}

TEST(ClipNames, KindsAndTypes) {
    EXPECT_FALSE(isMediaKind(KindText));
    EXPECT_FALSE(isMediaKind(KindPicture));
    EXPECT_TRUE(isMediaKind(KindAudio));
    EXPECT_TRUE(isMediaKind(KindVideo));
    EXPECT_FALSE(isMediaKind(4));
    EXPECT_EQ(clipTypeOfKind(KindAudio), kAudioClipType);
    EXPECT_EQ(clipTypeOfKind(KindVideo), kVideoClipType);
    EXPECT_EQ(clipTypeOfKind(KindPicture), 0);
    EXPECT_EQ(clipTypeOfKind(-1), 0);
}

TEST(MediaCommands, WholeWParamSelectsPlayOrStop) {
    struct Case {
        std::uint64_t wParam;
        MediaAction action;
        int question;
    } cases[] = {
        {6001, MediaPlay, 1},
        {6096, MediaPlay, 96},
        {7001, MediaStop, 1},
        {7096, MediaStop, 96},
        {6000, MediaIgnore, 0},
        {6097, MediaIgnore, 0},
        {7000, MediaIgnore, 0},
        {7097, MediaIgnore, 0},
        {0, MediaIgnore, 0},
        {4001, MediaIgnore, 0},
        // A notification other than BN_CLICKED in the high word is not a click.
        {(1ull << 16) | 6003, MediaIgnore, 0},
        {(6ull << 16) | 7003, MediaIgnore, 0},
        {(1ull << 32) | 6003, MediaIgnore, 0},
    };
    for (const auto& c : cases) {
        MediaCommand command = mediaCommandFor(c.wParam);
        EXPECT_EQ(command.action, c.action) << c.wParam;
        EXPECT_EQ(command.question, c.question) << c.wParam;
    }
}

TEST(VideoBand, SitsAboveTheAnswerArea) {
    // Question 5 of a one-answer video quiz: column 1 (X 336), first row (A = 5 + 210).
    BandRect band = videoBandRect(336, 215);
    EXPECT_EQ(band.x, 336);
    EXPECT_EQ(band.y, 5);
    EXPECT_EQ(band.width, 260);
    EXPECT_EQ(band.height, 210);
    // Scrolled past: the band may start above the grid's client area.
    band = videoBandRect(106, 100);
    EXPECT_EQ(band.x, 106);
    EXPECT_EQ(band.y, -110);
}

}  // namespace

TEST(ClipHeader, OnlyWhatTheKindNeedsGoesToThePlayer) {
    const std::string avi("RIFF\x10\0\0\0AVI LIST", 16), wave("RIFF\x10\0\0\0WAVEfmt ", 16);
    const std::string frame("\xFF\xFB\x90\x64", 4), padded = std::string(100, '\0') + frame;
    const struct {
        std::string bytes;
        int type;
        bool fits;
    } cases[] = {
        {avi, kVideoClipType, true},
        {std::string(16, '\0'), kVideoClipType, false},
        {wave, kVideoClipType, false},
        {avi.substr(0, 11), kVideoClipType, false},
        {"ID3\x04", kAudioClipType, true},
        {frame, kAudioClipType, true},
        {padded, kAudioClipType, true},
        {wave, kAudioClipType, true},
        {avi, kAudioClipType, false},
        {std::string(16, '\0'), kAudioClipType, false},
        {"\xFF\xFB\xF0\x64", kAudioClipType, false},  // bit-rate index 15 is no frame
        {"\xFF\xE9\x90\x64", kAudioClipType, false},  // reserved MPEG version
        {avi, 0, false},
    };
    for (const auto& c : cases) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(c.bytes.data());
        EXPECT_EQ(clipHeaderFits(bytes, c.bytes.size(), c.type), c.fits)
            << c.type << " " << c.bytes.size();
    }
    EXPECT_FALSE(clipHeaderFits(nullptr, 0, kAudioClipType));
}
