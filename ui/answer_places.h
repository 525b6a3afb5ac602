// Where the saved answers live, without the file system: the current directory's file whenever
// that place works, and one fallback file per user and quiz for when it does not (a read-only
// folder, a folder Explorer extracted a ZIP into, a file that could not be read).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum class AnswerPlace { None, Local, Fallback };

struct PlaceFacts {
    bool exists;
    std::uint64_t modified;  // last write time; larger is newer
};

// The file read at start: the only one that exists, or the newer of both (the local one on a tie).
AnswerPlace placeToRead(const PlaceFacts& local, const PlaceFacts& fallback);

struct WriteFacts {
    bool localTemporary;     // the current directory lies under the user's temporary folder
    bool fallbackKnown;      // there is a per-user folder to write to
    AnswerPlace unreadable;  // a file that exists but could not be read at start: never written
};

// The places a save tries, in order; None where there is none. A save that cannot be made in the
// first place (the folder refuses a new file, the replace keeps failing) goes to the second. A
// temporary folder is written only when no per-user place can be.
struct SavePlan {
    AnswerPlace first;
    AnswerPlace second;
};
SavePlan savePlan(const WriteFacts& facts);

// True when path is folder or lies inside it: ASCII letters compared without case, '/' and '\'
// alike, trailing separators ignored. Both should be full long paths.
bool isUnderFolder(const std::wstring& path, const std::wstring& folder);

// Eight hex digits naming a quiz's content (FNV-1a of its packed definition).
std::string contentTag(const unsigned char* bytes, std::size_t size);
// The fallback file: the executable's file name, the content tag and ".txt" (geo.exe with tag
// 0123abcd gives geo.exe.0123abcd.txt), so that two quizzes of one name never share answers.
std::wstring fallbackAnswersName(const std::wstring& executableName, const std::string& tag);

// A temporary file a save of fileName made (fileName.<digits>.new), left behind by a killed run.
bool isSaveTempName(const std::wstring& entry, const std::wstring& fileName);

// The name of the mutex that keeps one player per answers file, from the file's full path
// (already lower-cased): "Local\Velto-" and sixteen hex digits.
std::wstring instanceMutexName(const std::wstring& lowerCasePath);
// A nonzero number the first copy's window carries so that a second start can find it.
std::uintptr_t instanceWindowTag(const std::wstring& lowerCasePath);

// Why a save failed, as the person is told it.
// Unread: the only place left holds a file that could not be read at start, so it is kept.
enum class SaveFailure { None, Refused, InUse, DiskFull, NoFolder, Unread, Other };
const char* saveFailureText(SaveFailure failure);

// The message when no place took the answers: each place tried, with its reason. closing adds
// the choice between trying again and quitting without saving.
struct FailedPlace {
    std::string path;  // Windows-1252, '?' for what it cannot hold
    SaveFailure failure;
};
std::string saveFailureMessage(const FailedPlace& first, const FailedPlace& second, bool closing);
