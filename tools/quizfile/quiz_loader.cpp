#include "tools/quizfile/quiz_loader.h"

#include "tools/cli/files.h"
#include "tools/quizfile/quiz_packer.h"
#include "tools/quizfile/quiz_reader.h"

bool loadQuiz(const std::filesystem::path& path, QuizFile& quiz, PackedQuiz& packed,
              Diagnostics& diags, const MediaProgress& progress) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (!readFileBytes(path, bytes, error, kQuizFileLimit)) {
        diags.error(0, "impossible de lire le fichier de quiz : " + error);
        return false;
    }
    const std::string text(bytes.begin(), bytes.end());
    readQuizText(text, displayPath(path), quiz, diags);
    loadQuizMedia(quiz, path.parent_path(), diags, progress);
    if (diags.hasErrors()) return false;
    return packQuiz(quiz, packed, diags);
}
