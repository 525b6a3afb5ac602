// The saved answers file on disk: written from a stand-in grid, read back through the mapping.
#include "ui/win/saved_answers_file.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/evaluation/win/stand_in_grid.h"
#include "tests/win/support.h"
#include "ui/saved_answers.h"
#include "ui/win/answer_files.h"

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

// Every test works in a directory of its own, made current for its duration, with a per-user
// folder of its own.
class SavedAnswersFile : public testing::Test {
protected:
    void SetUp() override {
        GetCurrentDirectoryA(MAX_PATH, previous_);
        const std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
        directory_ = scratchFolder("saved-" + test);
        appData_ = scratchFolder("appdata-" + test);
        appDataVariable_ = std::make_unique<ScopedVariable>("APPDATA", appData_);
        ASSERT_TRUE(SetCurrentDirectoryA(directory_.c_str()));
        name_ = moduleName();
        // The test executable carries no quiz: the tag of an empty definition.
        fallback_ = appData_ + "\\Velto\\win_ui_tests.exe.811c9dc5.txt";
    }

    void TearDown() override {
        SetCurrentDirectoryA(previous_);
        appDataVariable_.reset();
        removeTree(directory_);
        removeTree(appData_);
    }

    std::vector<std::string> readBack(int lines, AnswerFiles* files = nullptr) {
        SavedAnswersReader reader{};
        openSavedAnswers(&reader, files);
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

    // A file held open by another program: no sharing at all, or reading only.
    static HANDLE hold(const std::string& name, DWORD share) {
        return CreateFileA(name.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
    }

    char previous_[MAX_PATH] = "";
    std::string directory_;
    std::string appData_;
    std::unique_ptr<ScopedVariable> appDataVariable_;
    std::string name_;
    std::string fallback_;
};

Options kindWithAnswers(int kind, int answers) {
    Options options;
    options.kind = kind;
    options.answersPerQuestion = answers;
    return options;
}

DWORD WINAPI releaseLater(void* held) {
    Sleep(120);
    CloseHandle(static_cast<HANDLE>(held));
    return 0;
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

TEST_F(SavedAnswersFile, StaleTemporaryFilesNeitherBlockNorStay) {
    writeFile(name_, "ancien\r\n");
    Grid grid(kThree, kindWithAnswers(KindPicture, 1));
    grid.type(1, "nouveau");
    // A killed run's temporary files, one under this very process id (Wine reuses them).
    const std::string own = savedAnswersTempName(name_, GetCurrentProcessId());
    writeFile(own, "ancien en cours");
    writeFile(savedAnswersTempName(name_, 99999), "plus ancien");
    EXPECT_TRUE(writeSavedAnswers(grid.window()).saved);
    EXPECT_EQ(readFile(name_), "nouveau\r\n\r\n\r\n");
    EXPECT_FALSE(exists(fallback_));

    // A hidden file stays hidden.
    SetFileAttributesA(name_.c_str(), FILE_ATTRIBUTE_HIDDEN);
    grid.type(1, "cach\xE9");
    writeSavedAnswers(grid.window());
    EXPECT_EQ(readFile(name_), "cach\xE9\r\n\r\n\r\n");
    EXPECT_TRUE(GetFileAttributesA(name_.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(entries(), std::vector<std::string>{name_});
}

TEST_F(SavedAnswersFile, WithoutATemporaryFileTheSaveGoesElsewhereNeverHalfDone) {
    writeFile(name_, "ancien\r\n");
    Grid grid(kThree, kindWithAnswers(KindPicture, 1));
    grid.type(1, "nouveau");
    const std::string temp = savedAnswersTempName(name_, GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(temp.c_str(), nullptr));  // no temporary file can be made
    EXPECT_TRUE(writeSavedAnswers(grid.window()).saved);
    EXPECT_EQ(readFile(name_), "ancien\r\n");
    EXPECT_EQ(readFile(fallback_), "nouveau\r\n\r\n\r\n");

    // No per-user folder can be made either: the file is rewritten where it is.
    ScopedVariable noFolder("APPDATA", directory_ + "\\" + name_);
    grid.type(1, "sur place");
    EXPECT_TRUE(writeSavedAnswers(grid.window()).saved);
    EXPECT_EQ(readFile(name_), "sur place\r\n\r\n\r\n");
    RemoveDirectoryA(temp.c_str());
}

TEST_F(SavedAnswersFile, AFailedReplaceGoesToTheFallbackAndLeavesNoTemporaryFile) {
    ASSERT_TRUE(CreateDirectoryA(name_.c_str(), nullptr));  // the file's name is taken
    Grid grid(kThree, kindWithAnswers(KindPicture, 1));
    grid.type(1, "nouveau");
    EXPECT_TRUE(writeSavedAnswers(grid.window()).saved);
    EXPECT_EQ(entries(), std::vector<std::string>{name_});
    EXPECT_TRUE(GetFileAttributesA(name_.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(readFile(fallback_), "nouveau\r\n\r\n\r\n");
}

TEST_F(SavedAnswersFile, AFileHeldAtStartIsNeverOverwritten) {
    const std::string old = "un\r\ndeux\r\ntrois\r\n";
    writeFile(name_, old);
    AnswerFiles files;
    findAnswerFiles(&files, false);
    HANDLE holder = hold(name_, 0);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(readBack(2, &files), (std::vector<std::string>{"", ""}));
    CloseHandle(holder);
    EXPECT_EQ(files.unreadable, AnswerPlace::Local);

    Grid grid(kThree, kindWithAnswers(KindPicture, 1));
    grid.type(1, "neuf");
    EXPECT_TRUE(writeSavedAnswers(grid.window(), &files).saved);
    EXPECT_EQ(readFile(name_), old);
    EXPECT_EQ(readFile(fallback_), "neuf\r\n\r\n\r\n");
    // The next start reads the newer file: what was typed in this run.
    AnswerFiles next;
    findAnswerFiles(&next, false);
    EXPECT_EQ(next.read, AnswerPlace::Fallback);
}

TEST_F(SavedAnswersFile, AReplaceHeldByAnotherProgramIsRetriedThenGoesElsewhere) {
    writeFile(name_, "ancien\r\n");
    Grid grid(kThree, kindWithAnswers(KindPicture, 1));
    grid.type(1, "nouveau");
    // Held a moment, as a scanner does: the retried replace gets through.
    HANDLE holder = hold(name_, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    HANDLE release = CreateThread(nullptr, 0, releaseLater, holder, 0, nullptr);
    EXPECT_TRUE(writeSavedAnswers(grid.window()).saved);
    WaitForSingleObject(release, INFINITE);
    CloseHandle(release);
    EXPECT_EQ(readFile(name_), "nouveau\r\n\r\n\r\n");
    EXPECT_FALSE(exists(fallback_));

    // Held for good: the answers go to the fallback, the held file keeps its bytes.
    holder = hold(name_, FILE_SHARE_READ | FILE_SHARE_WRITE);
    grid.type(1, "ailleurs");
    EXPECT_TRUE(writeSavedAnswers(grid.window()).saved);
    CloseHandle(holder);
    EXPECT_EQ(readFile(name_), "nouveau\r\n\r\n\r\n");
    EXPECT_EQ(readFile(fallback_), "ailleurs\r\n\r\n\r\n");
    EXPECT_EQ(entries(), std::vector<std::string>{name_});
}

TEST_F(SavedAnswersFile, TemporaryFoldersKeepNoAnswers) {
    Grid grid(kThree, kindWithAnswers(KindPicture, 1));
    grid.type(1, "zip");
    // Explorer runs a program of a ZIP from an extraction folder under the temporary folder.
    const std::string parent = directory_.substr(0, directory_.find_last_of('\\'));
    ScopedVariable tmp("TMP", parent), temp("TEMP", parent);
    EXPECT_TRUE(writeSavedAnswers(grid.window()).saved);
    EXPECT_FALSE(exists(name_));
    EXPECT_EQ(readFile(fallback_), "zip\r\n\r\n\r\n");
    EXPECT_EQ(readBack(1), std::vector<std::string>{"zip"});
}

}  // namespace
