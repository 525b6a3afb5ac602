#include "tools/quizfile/media_files.h"

#include "quizdata/quiz_types.h"
#include "tools/cli/files.h"
#include "tools/cli/near_names.h"
#include "tools/quizfile/picture_check.h"

namespace {

const char* formatDescription(MediaFormat format) {
    switch (format) {
    case MediaFormat::Jpeg: return "une image JPEG (ses octets commencent par FF D8 FF)";
    case MediaFormat::Mp3:
        return "un extrait mp3 (il commence par une balise ID3 ou une trame audio MPEG)";
    case MediaFormat::Avi: return "un extrait avi (il commence par RIFF....AVI )";
    case MediaFormat::WebVideo: return "un extrait MP4 ou WebM, que les navigateurs lisent";
    }
    return "";
}

bool startsWith(const std::vector<uint8_t>& bytes, size_t at, const char* text) {
    for (size_t i = 0; text[i] != '\0'; ++i)
        if (at + i >= bytes.size() || bytes[at + i] != static_cast<uint8_t>(text[i])) return false;
    return true;
}

// What to do about a media file that could not be read.
std::string readFailureHint(const std::filesystem::path& baseDir, const MediaRef& ref,
                            const ReadLimit& limit, const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        const std::string near = nearExistingName(baseDir, ref.path);
        if (!near.empty()) return " (vouliez-vous dire '" + near + "' ?)";
        return " ; les noms sont relatifs au dossier du fichier de quiz : vérifiez le nom et le "
               "dossier";
    }
    if (std::filesystem::is_regular_file(path, ec) &&
        std::filesystem::file_size(path, ec) > limit.bytes && limit.bytes == kPictureLimit.bytes)
        return " : réduisez-la, le lecteur la fait tenir dans 260 × 260 pixels (avec Paint : "
               "Redimensionner puis Enregistrer sous JPEG ; ou : convert photo.jpg -resize "
               "800x800 -quality 85 photo.jpg)";
    return "";
}

// `format` null: the quiz's kind is unknown (already an error), so any bytes pass.
void loadOne(MediaRef& ref, const MediaFormat* format, const std::filesystem::path& baseDir,
             Diagnostics& diags) {
    std::string error;
    const ReadLimit limit = format && *format == MediaFormat::Jpeg ? kPictureLimit : kClipLimit;
    const std::filesystem::path path = resolveQuizPath(baseDir, ref.path);
    if (!readFileBytes(path, ref.bytes, error, limit)) {
        diags.error(ref.line, "impossible de lire '" + ref.path + "' : " + error +
                                  readFailureHint(baseDir, ref, limit, path));
        return;
    }
    if (ref.bytes.empty()) {
        diags.error(ref.line,
                    "'" + ref.path + "' est vide ; indiquez un fichier d'image ou d'extrait");
    } else if (format && *format == MediaFormat::Jpeg && checkPictureBytes(ref, diags)) {
        // a picture: what may be wrong with it is a warning
    } else if (format && !hasMediaSignature(*format, ref.bytes)) {
        diags.error(ref.line, "'" + ref.path + "' n'est pas " + formatDescription(*format) +
                                  " : convertissez-le ou indiquez le bon fichier");
    }
}

}  // namespace

MediaFormat questionMediaFormat(int kind) {
    if (kind == KindAudio) return MediaFormat::Mp3;
    if (kind == KindVideo) return MediaFormat::Avi;
    return MediaFormat::Jpeg;
}

bool hasMediaSignature(MediaFormat format, const std::vector<uint8_t>& bytes) {
    switch (format) {
    case MediaFormat::Jpeg:
        return bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
    case MediaFormat::Mp3:
        return startsWith(bytes, 0, "ID3") ||
               (bytes.size() >= 2 && bytes[0] == 0xFF && (bytes[1] & 0xE0) == 0xE0);
    case MediaFormat::Avi: return startsWith(bytes, 0, "RIFF") && startsWith(bytes, 8, "AVI ");
    case MediaFormat::WebVideo:
        return (bytes.size() >= 4 && bytes[0] == 0x1A && bytes[1] == 0x45 && bytes[2] == 0xDF &&
                bytes[3] == 0xA3) ||
               startsWith(bytes, 4, "ftyp");
    }
    return false;
}

const char* mediaExtension(MediaFormat format) {
    switch (format) {
    case MediaFormat::Jpeg: return "jpg";
    case MediaFormat::Mp3: return "mp3";
    case MediaFormat::Avi: return "avi";
    case MediaFormat::WebVideo: return "webm";
    }
    return "";
}

void loadQuizMedia(QuizFile& quiz, const std::filesystem::path& baseDir, Diagnostics& diags,
                   const MediaProgress& progress) {
    static const MediaFormat kJpeg = MediaFormat::Jpeg;
    static const MediaFormat kWebVideo = MediaFormat::WebVideo;
    const int kind = quiz.definition.kind;
    const MediaFormat questionFormat = questionMediaFormat(kind);
    const MediaFormat* const checked =
        kind >= KindText && kind <= KindVideo ? &questionFormat : nullptr;
    std::vector<std::pair<MediaRef*, const MediaFormat*>> files;
    for (QuestionSource& source : quiz.sources) {
        if (source.media.given()) files.emplace_back(&source.media, checked);
        if (source.answerPicture.given()) files.emplace_back(&source.answerPicture, &kJpeg);
        if (source.webMedia.given()) files.emplace_back(&source.webMedia, &kWebVideo);
    }
    const int total = static_cast<int>(files.size());
    for (int i = 0; i < total; ++i) {
        if (progress) progress(i + 1, total, files[i].first->path);
        loadOne(*files[i].first, files[i].second, baseDir, diags);
    }
}
