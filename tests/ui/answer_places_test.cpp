// Where the saved answers are read and written, and what the person is told when they cannot be.
#include "ui/answer_places.h"

#include <gtest/gtest.h>

namespace {

using P = AnswerPlace;

TEST(AnswerPlaces, ReadsTheOnlyFileOrTheNewer) {
    const struct {
        PlaceFacts local, fallback;
        P read;
    } cases[] = {
        {{false, 0}, {false, 0}, P::None},    {{true, 5}, {false, 0}, P::Local},
        {{false, 0}, {true, 5}, P::Fallback}, {{true, 5}, {true, 9}, P::Fallback},
        {{true, 9}, {true, 5}, P::Local},     {{true, 5}, {true, 5}, P::Local},
    };
    for (const auto& c : cases) EXPECT_EQ(placeToRead(c.local, c.fallback), c.read);
}

TEST(AnswerPlaces, SavesWhereNothingIsLost) {
    const struct {
        WriteFacts facts;
        P first, second;
    } cases[] = {
        {{false, true, P::None}, P::Local, P::Fallback},
        {{true, true, P::None}, P::Fallback, P::None},    // a ZIP's extraction folder
        {{false, true, P::Local}, P::Fallback, P::None},  // the local file was held open
        {{false, true, P::Fallback}, P::Local, P::None},
        {{false, false, P::None}, P::Local, P::None},  // no per-user folder
        {{true, false, P::None}, P::Local, P::None},   // better than nothing at all
        {{false, false, P::Local}, P::None, P::None},
    };
    for (const auto& c : cases) {
        const SavePlan plan = savePlan(c.facts);
        EXPECT_EQ(plan.first, c.first);
        EXPECT_EQ(plan.second, c.second);
    }
}

TEST(AnswerPlaces, TemporaryFolderAndTempFileNames) {
    const std::wstring temp = L"C:\\Users\\Jean\\AppData\\Local\\Temp\\";
    EXPECT_TRUE(isUnderFolder(L"c:\\users\\jean\\appdata\\local\\temp\\Temp1_geo.zip", temp));
    EXPECT_TRUE(isUnderFolder(L"C:/Users/Jean/AppData/Local/Temp", temp));
    EXPECT_FALSE(isUnderFolder(L"C:\\Users\\Jean\\AppData\\Local\\Temperatures", temp));
    EXPECT_FALSE(isUnderFolder(L"D:\\Quiz", temp));
    EXPECT_FALSE(isUnderFolder(L"C:\\", L""));

    EXPECT_TRUE(isSaveTempName(L"geo.txt.1234.new", L"geo.txt"));
    EXPECT_TRUE(isSaveTempName(L"GEO.TXT.7.NEW", L"geo.txt"));
    for (const wchar_t* other : {L"geo.txt.new", L"geo.txt.12a.new", L"geo.txt.1234.old",
                                 L"geox.txt.1.new", L"geo.txt.12345678901.new", L"geo.txt"})
        EXPECT_FALSE(isSaveTempName(other, L"geo.txt")) << std::string(other, other + 4);
}

TEST(AnswerPlaces, NamesTellQuizzesAndFilesApart) {
    const unsigned char one[] = {1, 2, 3}, two[] = {1, 2, 4};
    EXPECT_EQ(contentTag(nullptr, 0), "811c9dc5");
    EXPECT_NE(contentTag(one, 3), contentTag(two, 3));
    EXPECT_EQ(fallbackAnswersName(L"\x141\xF3"
                                  L"d\x17A.exe",
                                  "0123abcd"),
              L"\x141\xF3"
              L"d\x17A.exe.0123abcd.txt");
    const std::wstring name = instanceMutexName(L"c:\\quiz\\geo.txt");
    EXPECT_EQ(name.substr(0, 12), L"Local\\Velto-");
    EXPECT_EQ(name.size(), 28u);
    EXPECT_NE(name, instanceMutexName(L"d:\\quiz\\geo.txt"));
    EXPECT_EQ(instanceWindowTag(L"x") & 1u, 1u);
}

}  // namespace
