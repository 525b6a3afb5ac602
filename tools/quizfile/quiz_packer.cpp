#include "tools/quizfile/quiz_packer.h"

#include "quizdata/codec_bytes.h"
#include "quizdata/payload.h"
#include "tools/cli/codec_messages.h"

namespace {

constexpr int kWholeQuizLine = 1;

bool packPayload(const std::vector<uint8_t>& payload, const std::string& what,
                 std::vector<uint8_t>& out, Diagnostics& diags) {
    if (payload.empty()) {
        diags.error(kWholeQuizLine, what +
                                        " ne peut pas être écrit (un texte ou un nombre est hors "
                                        "limites)");
        return false;
    }
    if (payload.size() > kMaxBlockInput) {
        diags.error(kWholeQuizLine, what + " occupe " + std::to_string(payload.size()) +
                                        " octets ; au plus " + std::to_string(kMaxBlockInput) +
                                        " tiennent : raccourcissez les textes ou mettez moins de "
                                        "questions");
        return false;
    }
    CodecBytes packedBytes = packBytes(payload);
    if (packedBytes.result == CodecOutputTooLarge) {
        diags.error(kWholeQuizLine, what + " compacté dépasse " + std::to_string(kPackCapacity) +
                                        " octets : raccourcissez les textes ou mettez moins de "
                                        "questions");
        return false;
    }
    if (packedBytes.result != CodecOk) {
        diags.error(kWholeQuizLine, what + " : le compactage a échoué : " +
                                        describeCodecResult(packedBytes.result, true));
        return false;
    }
    out = std::move(packedBytes.bytes);
    return true;
}

}  // namespace

bool packQuiz(const QuizFile& quiz, PackedQuiz& packed, Diagnostics& diags) {
    std::vector<std::string> codes = quiz.codes;
    codes.resize(quiz.definition.questions.size());  // one line per question, always
    const bool definitionOk =
        packPayload(writeDefinition(quiz.definition), "le bloc de définition du quiz",
                    packed.definition, diags);
    const bool codesOk = packPayload(writeCodes(codes), "le bloc des codes", packed.codes, diags);
    return definitionOk && codesOk;
}
