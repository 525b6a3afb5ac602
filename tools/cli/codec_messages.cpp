#include "tools/cli/codec_messages.h"

#include "quizdata/codec.h"

namespace {

std::string plainWords(int32_t result, bool packing) {
    switch (result) {
    case CodecNoMemory: return "mémoire insuffisante";
    case CodecInputExhausted:
        return packing ? "rien à compacter : l'entrée est vide"
                       : "le bloc compacté est vide ou s'arrête trop tôt";
    case CodecWidthTooLarge: return "le bloc compacté est abîmé : ses codes deviennent trop larges";
    case CodecBadCode: return "le bloc compacté est abîmé : un code est inconnu";
    case CodecOutputTooLarge:
        return packing ? "le bloc compacté dépasserait " + std::to_string(kPackCapacity) + " octets"
                       : "le contenu décompacté dépasserait " + std::to_string(kUnpackCapacity) +
                             " octets";
    case CodecInputTooLarge:
        return "l'entrée dépasse " + std::to_string(kMaxBlockInput) + " octets";
    default: return "le codec a échoué";
    }
}

}  // namespace

std::string describeCodecResult(int32_t result, bool packing) {
    return plainWords(result, packing) + " (" + codecResultName(result) + ", " +
           std::to_string(result) + ")";
}
