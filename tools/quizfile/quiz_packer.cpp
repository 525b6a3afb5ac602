#include "tools/quizfile/quiz_packer.h"

#include <cstdlib>

#include "quizdata/codec.h"
#include "quizdata/payload.h"

namespace {

constexpr int kWholeQuizLine = 1;

bool packPayload(const std::vector<uint8_t>& payload, const std::string& what,
                 std::vector<uint8_t>& out, Diagnostics& diags) {
    if (payload.empty()) {
        diags.error(kWholeQuizLine, "the " + what +
                                        " cannot be written (a text or count is out "
                                        "of range)");
        return false;
    }
    if (payload.size() > kMaxBlockInput) {
        diags.error(kWholeQuizLine, "the " + what + " takes " + std::to_string(payload.size()) +
                                        " bytes; at most " + std::to_string(kMaxBlockInput) +
                                        " fit: shorten the texts or use fewer questions");
        return false;
    }
    uint8_t* buffer = nullptr;
    uint32_t length = 0;
    const int32_t result =
        packBlock(payload.data(), static_cast<uint32_t>(payload.size()), &buffer, &length);
    if (result == CodecOutputTooLarge) {
        diags.error(kWholeQuizLine, "the " + what + " packs to more than " +
                                        std::to_string(kPackCapacity) +
                                        " bytes: shorten the texts or use fewer questions");
        return false;
    }
    if (result != CodecOk) {
        diags.error(kWholeQuizLine,
                    "packing the " + what + " failed (" + codecResultName(result) + ")");
        return false;
    }
    out.assign(buffer, buffer + (length - 1));  // packBlock reports the packed length plus one
    std::free(buffer);
    return true;
}

}  // namespace

bool packQuiz(const QuizFile& quiz, PackedQuiz& packed, Diagnostics& diags) {
    std::vector<std::string> codes = quiz.codes;
    codes.resize(quiz.definition.questions.size());  // one line per question, always
    const bool definitionOk =
        packPayload(writeDefinition(quiz.definition), "quiz definition", packed.definition, diags);
    const bool codesOk = packPayload(writeCodes(codes), "codes block", packed.codes, diags);
    return definitionOk && codesOk;
}
