#include "tools/quizfile/french_words.h"

#include <algorithm>

namespace {

struct Meaning {
    const char* french;  // folded
    const char* english;
};

constexpr Meaning kKeys[] = {
    {"titre", "title"},
    {"nom", "title"},
    {"auteur", "author"},
    {"auteure", "author"},
    {"autrice", "author"},
    {"createur", "author"},
    {"par", "author"},
    {"type", "kind"},
    {"genre", "kind"},
    {"sorte", "kind"},
    {"consigne", "description"},
    {"explications", "description"},
    {"reponses_par_question", "answers_per_question"},
    {"nombre_de_reponses", "answers_per_question"},
    {"legendes", "captions"},
    {"legende", "captions"},
    {"colonnes", "captions"},
    {"reveler", "reveal"},
    {"revelation", "reveal"},
    {"afficher", "reveal"},
    {"fond", "background"},
    {"couleur", "background"},
    {"couleur_de_fond", "background"},
    {"code", "codes"},
    {"recompenses", "codes"},
    {"lien", "link"},
    {"site", "link"},
    {"adresse", "link"},
    {"url", "link"},
    {"enonce", "prompt"},
    {"question", "prompt"},
    {"intitule", "prompt"},
    {"reponse", "answer"},
    {"reponses", "answers"},
    {"explication", "explanation"},
    {"media", "media"},
    {"fichier", "media"},
    {"image", "media"},
    {"photo", "media"},
    {"son", "media"},
    {"video", "media"},
    {"image_reponse", "answer_picture"},
    {"image_de_reponse", "answer_picture"},
    {"reponse_image", "answer_picture"},
};

constexpr Meaning kValues[] = {
    {"texte", "text"},
    {"ecrit", "text"},
    {"image", "picture"},
    {"images", "picture"},
    {"photo", "picture"},
    {"photos", "picture"},
    {"dessin", "picture"},
    {"son", "audio"},
    {"sons", "audio"},
    {"musique", "audio"},
    {"video", "video"},
    {"videos", "video"},
    {"film", "video"},
    {"aucun", "none"},
    {"aucune", "none"},
    {"rien", "none"},
    {"non", "none"},
    {"explication", "explanation"},
    {"explications", "explanation"},
    {"les_deux", "both"},
    {"deux", "both"},
    {"tout", "both"},
    {"fin", "all-at-end"},
    {"a_la_fin", "all-at-end"},
    {"tout_a_la_fin", "all-at-end"},
};

// U+00C0..U+00FF (UTF-8 C3 80 .. C3 BF) without their accents, by the second byte.
char plainLetter(unsigned char second) {
    static const char kLetters[] =
        "aaaaaaaceeeeiiiidnooooo*ouuuuyts"   // U+00C0..U+00DF
        "aaaaaaaceeeeiiiidnooooo/ouuuuyty";  // U+00E0..U+00FF
    return second >= 0x80 && second <= 0xBF ? kLetters[second - 0x80] : '?';
}

template <size_t N>
std::string lookUp(const Meaning (&table)[N], const std::string& word,
                   const std::vector<std::string>& known) {
    const std::string folded = foldFrench(word);
    for (const Meaning& m : table) {
        if (folded != m.french) continue;
        if (std::find(known.begin(), known.end(), m.english) != known.end()) return m.english;
    }
    return "";
}

}  // namespace

std::string foldFrench(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if ((c == 0xC3) && i + 1 < utf8.size()) {
            out += plainLetter(static_cast<unsigned char>(utf8[++i]));
        } else if (c == 0xC5 && i + 1 < utf8.size() &&
                   (utf8[i + 1] == '\x93' || utf8[i + 1] == '\x92')) {
            out += "oe";  // œ, Œ
            ++i;
        } else if (c == ' ' || c == '-') {
            out += '_';
        } else if (c < 0x80) {
            out += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string frenchKey(const std::string& word, const std::vector<std::string>& known) {
    return lookUp(kKeys, word, known);
}

std::string frenchValue(const std::string& word, const std::vector<std::string>& known) {
    return lookUp(kValues, word, known);
}
