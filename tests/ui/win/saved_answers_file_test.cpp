// The saved answers file on disk: written from a stand-in grid, read back through the mapping.
#include "ui/win/saved_answers_file.h"

#include <gtest/gtest.h>

#include "tests/evaluation/win/stand_in_grid.h"
#include "tests/win/support.h"
#include "ui/saved_answers.h"

namespace {

using standin::Grid;
using standin::Options;
using standin::Question;

std::string moduleName() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return savedAnswersFileName(path);
}

void writeFile(const std::string& name, const std::string& bytes) {
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// Every test works in a directory of its own, made current for its duration.
class SavedAnswersFile : public testing::Test {
protected:
    void SetUp() override {
        GetCurrentDirectoryA(MAX_PATH, previous_);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        directory_ = std::string(temp) + "velto-saved-" + std::to_string(GetCurrentProcessId()) +
                     "-" + testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryA(directory_.c_str(), nullptr);
        ASSERT_TRUE(SetCurrentDirectoryA(directory_.c_str()));
        name_ = moduleName();
    }

    void TearDown() override {
        SetCurrentDirectoryA(previous_);
        removeTree(directory_);
    }

    static void removeTree(const std::string& directory) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string entry = found.cFileName;
                if (entry == "." || entry == "..") continue;
                const std::string path = directory + "\\" + entry;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    removeTree(path);
                else
                    DeleteFileA(path.c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(directory.c_str());
    }

    std::vector<std::string> readBack(int lines) {
        SavedAnswersReader reader{};
        openSavedAnswers(&reader);
        std::vector<std::string> texts;
        for (int n = 0; n < lines; ++n) {
            char text[kTextCapacity];
            nextSavedAnswer(&reader, text);
            texts.emplace_back(text);
        }
        closeSavedAnswers(&reader);
        return texts;
    }

    // No file other than the saved answers file (and what a test put there) is left behind.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA("*", &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            const std::string entry = found.cFileName;
            if (entry != "." && entry != "..") names.push_back(entry);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }

    char previous_[MAX_PATH] = "";
    std::string directory_;
    std::string name_;
};

Options kindWithAnswers(int kind, int answers) {
    Options options;
    options.kind = kind;
    options.answersPerQuestion = answers;
    return options;
}

const std::vector<Question> kThree = {{"a", "b", ""}, {"c", "d", ""}, {"e", "f", ""}};

TEST_F(SavedAnswersFile, NameComesFromTheExecutable) { EXPECT_EQ(name_, "win_ui_tests.txt"); }

TEST_F(SavedAnswersFile, WritesOneLinePerFieldAndReadsThemBack) {
    Grid grid(kThree, kindWithAnswers(KindPicture, 2));
    const std::string long_(300, 'z');
    const char* texts[] = {"Paris",
                           "",
                           "Orl\xE9"
                           "ans",
                           "  deux  espaces ",
                           long_.c_str(),
                           "x"};
    for (int k = 1; k <= 6; ++k) grid.type(k, texts[k - 1]);
    writeSavedAnswers(grid.window());
    EXPECT_EQ(readFile(name_),
              "Paris\r\n\r\nOrl\xE9"
              "ans\r\n  deux  espaces \r\n" +
                  std::string(259, 'z') + "\r\nx\r\n");
    const std::vector<std::string> expected = {"Paris",
                                               "",
                                               "Orl\xE9"
                                               "ans",
                                               "  deux  espaces ",
                                               std::string(259, 'z'),
                                               "x",
                                               "",
                                               ""};
    EXPECT_EQ(readBack(8), expected);  // lines past the end read as empty
    EXPECT_EQ(entries(), std::vector<std::string>{name_});
}

TEST_F(SavedAnswersFile, EmptyFieldsAndTextQuizWithTwoAnswers) {
    {
        Grid grid(kThree, kindWithAnswers(KindAudio, 2));
        writeSavedAnswers(grid.window());
        EXPECT_EQ(readFile(name_), "\r\n\r\n\r\n\r\n\r\n\r\n");
    }
    {
        Grid grid(kThree, kindWithAnswers(KindText, 2));  // fields 4001 .. 4003 only
        grid.type(1, "un");
        grid.type(3, "trois");
        writeSavedAnswers(grid.window());
        EXPECT_EQ(readFile(name_), "un\r\n\r\ntrois\r\n\r\n\r\n\r\n");
        grid.quiz()->answersPerQuestion = 3;  // a damaged count: its three fields, then empty lines
        writeSavedAnswers(grid.window());
        EXPECT_EQ(readFile(name_), "un\r\n\r\ntrois\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
    }
}

TEST_F(SavedAnswersFile, ReadsHandWrittenFilesWithinTheirBytes) {
    struct {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    } const cases[] = {
        {"bare LF", "ab\ncd\r\nef\r\n", {"ab\ncd", "ef", ""}},
        {"NUL bytes", std::string("a\0b\r\n\0\0\r\nc", 10), {"ab", "", "c"}},
        {"no final CR LF", "un\r\ndeux", {"un", "deux", ""}},
        {"ends on CR", "un\r", {"un", ""}},
        {"long line", std::string(400, 'q') + "\r\nfin\r\n", {std::string(259, 'q'), "fin"}},
        {"empty file", "", {"", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(name_, c.bytes);
        EXPECT_EQ(readBack(static_cast<int>(c.lines.size())), c.lines);
    }
}

TEST_F(SavedAnswersFile, MissingFileReadsAsEmptyLines) {
    ASSERT_FALSE(exists(name_));
    EXPECT_EQ(readBack(3), (std::vector<std::string>{"", "", ""}));
    SavedAnswersReader reader{};
    closeSavedAnswers(&reader);  // closing what was never opened is harmless
}

TEST_F(SavedAnswersFile, WithoutATemporaryFileTheFileIsRewrittenInPlace) {
    writeFile(name_, "ancien\r\n");
    Grid grid(kThree, kindWithAnswers(KindPicture, 1));
    grid.type(1, "nouveau");

    // A file of the user's holds the temporary name: it is left alone.
    const std::string temp = savedAnswersTempName(name_, GetCurrentProcessId());
    writeFile(temp, "le mien");
    writeSavedAnswers(grid.window());
    EXPECT_EQ(readFile(name_), "nouveau\r\n\r\n\r\n");
    EXPECT_EQ(readFile(temp), "le mien");
    DeleteFileA(temp.c_str());

    // A hidden file stays hidden, whichever way it is written.
    SetFileAttributesA(name_.c_str(), FILE_ATTRIBUTE_HIDDEN);
    grid.type(1, "cach\xE9");
    writeSavedAnswers(grid.window());
    EXPECT_EQ(readFile(name_), "cach\xE9\r\n\r\n\r\n");
    EXPECT_TRUE(GetFileAttributesA(name_.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(entries(), std::vector<std::string>{name_});
}

TEST_F(SavedAnswersFile, AFailedReplaceLeavesNoTemporaryFile) {
    ASSERT_TRUE(CreateDirectoryA(name_.c_str(), nullptr));  // the file's name is taken
    Grid grid(kThree, kindWithAnswers(KindPicture, 1));
    grid.type(1, "nouveau");
    writeSavedAnswers(grid.window());
    EXPECT_EQ(entries(), std::vector<std::string>{name_});
    EXPECT_TRUE(GetFileAttributesA(name_.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace
