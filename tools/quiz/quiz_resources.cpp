#include "tools/quiz/quiz_resources.h"

#include "quizdata/codec_bytes.h"
#include "quizdata/payload.h"
#include "quizdata/quiz_types.h"
#include "quizdata/web_link.h"
#include "tools/cli/codec_messages.h"
#include "tools/pe/resource_names.h"
#include "tools/quizfile/media_files.h"

namespace {

constexpr uint16_t kNeutralLanguage = 0;

PeResource makeResource(const char* type, int id, const std::vector<uint8_t>& data) {
    PeResource r;
    r.type = resourceName(type);
    r.name = resourceId(static_cast<uint16_t>(id));
    r.language = kNeutralLanguage;
    r.data = data;
    return r;
}

bool typeIs(const PeResource& r, const char* type) {
    if (!r.type.isName()) return false;
    const std::u16string& name = r.type.name;
    size_t i = 0;
    for (; type[i] != '\0'; ++i)
        if (i >= name.size() || upperResourceChar(name[i]) != static_cast<char16_t>(type[i]))
            return false;
    return i == name.size();
}

const PeResource* findResource(const std::vector<PeResource>& all, const char* type, int id) {
    for (const PeResource& r : all)
        if (typeIs(r, type) && !r.name.isName() && r.name.id == id) return &r;
    return nullptr;
}

bool unpack(const std::vector<uint8_t>& block, std::vector<uint8_t>& payload, std::string& error) {
    CodecBytes unpacked = unpackBytes(block);
    if (unpacked.result != CodecOk) {
        error = describeCodecResult(unpacked.result, false);
        return false;
    }
    payload = std::move(unpacked.bytes);
    return true;
}

bool readDefinition(const std::vector<PeResource>& all, DefinitionData& d, std::string& error) {
    const PeResource* r = findResource(all, kPatchType, kDefinitionResource);
    if (!r) {
        error = "le quiz n'a pas de définition : cet exécutable ne contient aucun quiz construit";
        return false;
    }
    std::vector<uint8_t> payload;
    if (!unpack(r->data, payload, error)) {
        error = "la définition du quiz est abîmée : " + error;
        return false;
    }
    if (parseDefinition(payload.data(), payload.size(), d) != PayloadOk) {
        error =
            "la définition du quiz est abîmée : elle s'arrête trop tôt ou contient "
            "plus de " +
            std::to_string(kMaxQuestions) + " questions";
        return false;
    }
    if (d.kind < KindText || d.kind > KindVideo || d.answersPerQuestion < 1 ||
        d.answersPerQuestion > 2 || d.revealMode < RevealNone || d.revealMode > RevealAllAtEnd) {
        error =
            "la définition du quiz contient un type, un nombre de réponses ou un mode "
            "de révélation que velto ne connaît pas";
        return false;
    }
    return true;
}

void readCodes(const std::vector<PeResource>& all, QuizFile& quiz,
               std::vector<std::string>& warnings) {
    const int count = quiz.definition.questionCount;
    quiz.codes.assign(static_cast<size_t>(count), std::string());
    const PeResource* r = findResource(all, kPatchType, kCodesResource);
    std::vector<uint8_t> payload;
    std::string error;
    if (!r)
        warnings.push_back("le quiz n'a pas de bloc de codes ; le fichier de quiz n'en aura aucun");
    else if (!unpack(r->data, payload, error))
        warnings.push_back("les codes du quiz sont laissés de côté : " + error);
    else
        quiz.codes = parseCodes(payload.data(), payload.size(), count);
}

// Fills the media of each question; IMG resources no question uses are reported.
void readMedia(const std::vector<PeResource>& all, QuizFile& quiz,
               std::vector<std::string>& warnings) {
    const int kind = quiz.definition.kind;
    const int count = quiz.definition.questionCount;
    quiz.sources.assign(static_cast<size_t>(count), QuestionSource());
    for (const PeResource& r : all) {
        if (!typeIs(r, kImgType)) continue;
        const int id = r.name.isName() ? -1 : r.name.id;
        const int question =
            id > kAnswerPictureBase ? id - kAnswerPictureBase : id - kQuestionMediaBase;
        const bool answer = id > kAnswerPictureBase;
        if (question < 1 || question > count || (!answer && kind == KindText)) {
            const std::string number =
                id < 0 ? std::string("sans numéro") : "numéro " + std::to_string(id);
            warnings.push_back("un média (" + number +
                               ") n'appartient à aucune question de ce quiz ; il est laissé de "
                               "côté");
            continue;
        }
        MediaRef& ref =
            answer ? quiz.sources[question - 1].answerPicture : quiz.sources[question - 1].media;
        ref.path = answer ? answerPictureName(question) : questionMediaName(kind, question);
        ref.bytes = r.data;
    }
}

// A link that is no web address (a hand-edited quiz) is dropped, as the player drops it.
void readLink(const std::vector<PeResource>& all, QuizFile& quiz,
              std::vector<std::string>& warnings) {
    const PeResource* r = findResource(all, kLinkType, kLinkResource);
    if (!r) return;
    const std::string address(r->data.begin(), r->data.end());
    if (isWebAddress(address))
        quiz.link = address;
    else
        warnings.push_back(
            "le lien du quiz n'est pas une adresse web http(s) ; le lecteur ne l'affiche pas "
            "et il est laissé de côté");
}

}  // namespace

std::vector<PeResource> quizResources(const QuizFile& quiz, const PackedQuiz& packed) {
    std::vector<PeResource> out;
    out.push_back(makeResource(kPatchType, kDefinitionResource, packed.definition));
    out.push_back(makeResource(kPatchType, kCodesResource, packed.codes));
    if (!quiz.link.empty())
        out.push_back(makeResource(kLinkType, kLinkResource,
                                   std::vector<uint8_t>(quiz.link.begin(), quiz.link.end())));
    for (size_t i = 0; i < quiz.sources.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        const QuestionSource& source = quiz.sources[i];
        if (source.media.given())
            out.push_back(makeResource(kImgType, kQuestionMediaBase + number, source.media.bytes));
        if (source.answerPicture.given())
            out.push_back(
                makeResource(kImgType, kAnswerPictureBase + number, source.answerPicture.bytes));
    }
    return out;
}

bool isQuizResource(const PeResource& resource) {
    return typeIs(resource, kPatchType) || typeIs(resource, kImgType) ||
           typeIs(resource, kLinkType);
}

bool installQuiz(const std::vector<uint8_t>& player, std::vector<PeResource> playerResources,
                 const std::vector<PeResource>& quiz, std::vector<uint8_t>& out,
                 std::string& error) {
    std::vector<PeResource> kept;
    for (PeResource& r : playerResources)
        if (!isQuizResource(r)) kept.push_back(std::move(r));
    kept.insert(kept.end(), quiz.begin(), quiz.end());
    return writePeResources(player, kept, out, error);
}

std::string questionMediaName(int kind, int number) {
    return "media/q" + std::to_string(number) + "." + mediaExtension(questionMediaFormat(kind));
}

std::string answerPictureName(int number) {
    return "media/a" + std::to_string(number) + "." + mediaExtension(MediaFormat::Jpeg);
}

bool readBuiltQuiz(const std::vector<uint8_t>& image, QuizFile& quiz,
                   std::vector<std::string>& warnings, std::string& error) {
    quiz = QuizFile{};
    std::vector<PeResource> all;
    if (!readPeResources(image, all, error)) return false;
    if (!readDefinition(all, quiz.definition, error)) return false;
    readCodes(all, quiz, warnings);
    readMedia(all, quiz, warnings);
    readLink(all, quiz, warnings);
    return true;
}
