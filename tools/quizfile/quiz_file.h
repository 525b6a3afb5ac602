// A quiz file once read: what the PATCH and IMG resources of a built quiz will hold.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quizdata/payload.h"

struct MediaRef {
    std::string path;            // as written in the quiz file (UTF-8, relative to it); empty: none
    int line = 0;                // line of the key in the quiz file
    std::vector<uint8_t> bytes;  // filled by loadQuizMedia or read back from a built quiz
    bool given() const { return !path.empty(); }
};

struct QuestionSource {
    int line = 0;            // the [[questions]] header
    MediaRef media;          // IMG 400 + i: picture, mp3 or avi clip
    MediaRef answerPicture;  // IMG 10400 + i: JPEG
    MediaRef webMedia;       // a video quiz's clip for `velto web` (MP4 or WebM); not in the exe
};

struct QuizFile {
    DefinitionData definition;            // texts in Windows-1252
    std::vector<std::string> codes;       // Windows-1252, exactly questionCount entries
    std::vector<QuestionSource> sources;  // one per question
    std::string link;                     // the maker's http(s) address (ASCII); empty: none
};

// The two PATCH resources, packed.
struct PackedQuiz {
    std::vector<uint8_t> definition;  // PATCH 104
    std::vector<uint8_t> codes;       // PATCH 105
};
