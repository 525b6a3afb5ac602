#include "tools/quizfile/quiz_loader.h"

#include <string_view>

#include "tools/cli/files.h"
#include "tools/cli/near_names.h"
#include "tools/quizfile/quiz_packer.h"
#include "tools/quizfile/quiz_reader.h"

namespace fs = std::filesystem;

namespace {

std::string notepadHint(const std::string& near) {
    constexpr std::string_view kTxt = ".txt";
    if (near.size() < kTxt.size() || near.compare(near.size() - kTxt.size(), kTxt.size(), kTxt))
        return "";
    return " Le Bloc-notes a ajouté .txt au nom : renommez le fichier en " +
           near.substr(0, near.size() - kTxt.size());
}

}  // namespace

bool loadQuiz(const std::filesystem::path& path, QuizFile& quiz, PackedQuiz& packed,
              Diagnostics& diags, const MediaProgress& progress) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (!readFileBytes(path, bytes, error, kQuizFileLimit)) {
        const std::string near = nearExistingName(path.parent_path(), path.filename().u8string());
        diags.error(0, "impossible de lire le fichier de quiz : " + error +
                           (near.empty() ? ""
                                         : " (vouliez-vous dire '" +
                                               displayPath(path.parent_path() / fs::u8path(near)) +
                                               "' ?" + notepadHint(near) + ")"));
        return false;
    }
    const std::string text(bytes.begin(), bytes.end());
    readQuizText(text, displayPath(path), quiz, diags);
    loadQuizMedia(quiz, path.parent_path(), diags, progress);
    if (diags.hasErrors()) return false;
    return packQuiz(quiz, packed, diags);
}
