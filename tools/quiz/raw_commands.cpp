// velto pack / unpack (raw packed blocks) and velto judge (the player's answer judging).
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "evaluation/judge.h"
#include "quizdata/codec_bytes.h"
#include "quizdata/quiz_types.h"
#include "tools/cli/codec_messages.h"
#include "tools/cli/command_line.h"
#include "tools/cli/files.h"
#include "tools/commands.h"
#include "tools/text/compose.h"
#include "tools/text/cp1252.h"

namespace {

constexpr ReadLimit kBlockInputLimit = {kMaxBlockInput, "un bloc"};

constexpr char kPackUsage[] =
    "Usage : velto pack IN OUT\n"
    "Compacte les octets de IN en un bloc compacté, le format des ressources de définition\n"
    "et de codes d'un quiz, et écrit ce bloc dans OUT.\n"
    "IN peut être - (entrée standard) et OUT - (sortie standard). IN fait au plus 65535 octets.\n"
    "OUT n'est écrit que si le compactage réussit ; un OUT existant est remplacé (jamais IN,\n"
    "un lien, un dossier ni un périphérique).\n"
    "Code de sortie : 0 compacté, 1 échec (raison sur la sortie d'erreur), 2 erreur d'usage.\n";

constexpr char kUnpackUsage[] =
    "Usage : velto unpack IN OUT\n"
    "Décompacte le bloc compacté de IN et écrit dans OUT les octets qu'il contient.\n"
    "IN peut être - (entrée standard) et OUT - (sortie standard). IN fait au plus 65535 octets.\n"
    "OUT n'est écrit que si le décompactage réussit ; un OUT existant est remplacé (jamais IN,\n"
    "un lien, un dossier ni un périphérique).\n"
    "Code de sortie : 0 décompacté, 1 échec (raison sur la sortie d'erreur, par exemple\n"
    "« le bloc compacté est abîmé »), 2 erreur d'usage.\n";

constexpr char kJudgeUsage[] =
    "Usage : velto judge ATTENDUE TAPÉE\n"
    "        velto judge -\n"
    "Juge une réponse tapée par rapport à la réponse attendue exactement comme le lecteur et\n"
    "affiche le verdict : BRAVO, Anagramme, Quasiment, Presque, Trop long, Trop court, pas loin,\n"
    "y a de l'idée, FAUX ou ? (rien de tapé).\n"
    "Avec -, lit sur l'entrée standard des lignes ATTENDUE<TAB>TAPÉE (fins de ligne LF ou CR LF)\n"
    "et affiche un verdict par ligne ; une ligne refusée est signalée sur la sortie d'erreur\n"
    "avec son numéro, et les lignes suivantes sont jugées.\n"
    "Les textes sont en UTF-8 ; chacun doit pouvoir s'écrire en Windows-1252 et faire au plus\n"
    "259 caractères. Mettez -- avant les textes qui commencent par '-'.\n"
    "Code de sortie : 0 jugé, 1 texte ou ligne refusé (sa ligne et son champ sont nommés),\n"
    "2 erreur d'usage.\n";

// Shared by pack and unpack: IN through the codec into OUT, OUT untouched on any failure.
int runCodecCommand(const char* command, int argc, char** argv, bool packing) {
    CommandArgs args;
    std::string error;
    if (!splitArgs(argc, argv, {}, args, error)) return usageError(command, error);
    if (args.positional.size() != 2) return usageError(command, "IN et OUT sont attendus");
    const std::string& in = args.positional[0];
    const std::string& out = args.positional[1];
    // OUT is never IN, whatever its name; it is checked before anything is read.
    std::vector<std::filesystem::path> inputs;
    if (in != "-") inputs.emplace_back(in);
    if (out != "-" && !checkOutputPath(out, inputs, error)) return fail(command, error);

    std::vector<uint8_t> input;
    if (!readInput(in, kBlockInputLimit, input, error))
        return fail(command, "impossible de lire " +
                                 (in == "-" ? std::string("l'entrée standard") : "'" + in + "'") +
                                 " : " + error);
    const CodecBytes result = packing ? packBytes(input) : unpackBytes(input);
    if (result.result != CodecOk) return fail(command, describeCodecResult(result.result, packing));
    if (out == "-") {
        writeStandardOutput(result.bytes.data(), result.bytes.size());
        return kExitOk;
    }
    if (!writeFileReplacing(out, result.bytes, error, inputs)) return fail(command, error);
    return kExitOk;
}

int runPack(int argc, char** argv) { return runCodecCommand("pack", argc, argv, true); }
int runUnpack(int argc, char** argv) { return runCodecCommand("unpack", argc, argv, false); }

// One UTF-8 answer text as the player holds it; false with the reason.
bool answerText(const std::string& utf8, std::string& text, std::string& error) {
    size_t badIndex = 0;
    uint32_t badCodePoint = 0;
    const std::string composed = composeLatin(utf8);
    if (!utf8ToCp1252(composed, text, &badIndex, &badCodePoint)) {
        error = "caractère " + std::to_string(badIndex + 1) + " : " +
                describeCp1252Failure(composed, badIndex, badCodePoint);
        return false;
    }
    if (text.find('\0') != std::string::npos) {
        error = "contient un octet nul";
        return false;
    }
    const size_t control = findControlCharacter(text);
    if (control != std::string::npos) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X",
                      static_cast<unsigned>(static_cast<unsigned char>(text[control])));
        error = std::string("contient un caractère de contrôle (") + code + ")";
        return false;
    }
    if (text.size() > kMaxTextLength) {
        error = std::to_string(text.size()) + " caractères ; une réponse fait au plus " +
                std::to_string(kMaxTextLength) + " caractères";
        return false;
    }
    return true;
}

// Judges one pair of UTF-8 texts; on refusal error names the field.
bool judgePair(const std::string& expected, const std::string& typed, std::string& verdict,
               std::string& error) {
    std::string expectedText, typedText;
    if (!answerText(expected, expectedText, error)) {
        error = "réponse attendue : " + error;
        return false;
    }
    if (!answerText(typed, typedText, error)) {
        error = "réponse tapée : " + error;
        return false;
    }
    verdict = cp1252ToUtf8(judgeAnswer(expectedText.c_str(), typedText.c_str()));
    return true;
}

// Far beyond two answers of 259 characters in UTF-8 and a TAB.
constexpr size_t kMaxJudgeLine = 64 * 1024;

// Reads one line without its LF (zero bytes kept); false at the end of the stream. A line
// longer than kMaxJudgeLine stops the reading with `tooLong` set: such an input is no list of
// answers (it may be a device that never ends).
bool readLine(std::FILE* in, std::string& line, bool& tooLong) {
    line.clear();
    int ch = 0;
    while ((ch = std::getc(in)) != EOF) {
        if (ch == '\n') return true;
        if (line.size() == kMaxJudgeLine) {
            tooLong = true;
            return false;
        }
        line.push_back(static_cast<char>(ch));
    }
    return !line.empty();
}

// Every line is judged; a refused one is reported with its number and the next ones go on.
int judgeBatch() {
    setBinary(stdin);
    std::string line, verdict, error;
    bool refused = false, tooLong = false;
    unsigned long number = 1;
    for (; readLine(stdin, line, tooLong); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (number == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);  // BOM
        const size_t tab = line.find('\t');
        if (tab == std::string::npos) {
            error = "pas de TAB entre la réponse attendue et la réponse tapée";
        } else if (judgePair(line.substr(0, tab), line.substr(tab + 1), verdict, error)) {
            std::fputs(verdict.c_str(), stdout);
            std::fputc('\n', stdout);
            continue;
        }
        fail("judge", "ligne " + std::to_string(number) + " : " + error);
        refused = true;
    }
    if (tooLong)
        return fail("judge", "ligne " + std::to_string(number) + " : plus de " +
                                 std::to_string(kMaxJudgeLine) +
                                 " octets ; ce n'est pas une ligne ATTENDUE<TAB>TAPÉE, la lecture "
                                 "s'arrête");
    if (std::ferror(stdin)) return fail("judge", "la lecture de l'entrée standard a échoué");
    return refused ? kExitFailed : kExitOk;
}

int runJudge(int argc, char** argv) {
    CommandArgs split;
    std::string verdict, error;
    if (!splitArgs(argc, argv, {}, split, error)) return usageError("judge", error);
    const std::vector<std::string>& args = split.positional;
    if (args.size() == 1 && args[0] == "-") return judgeBatch();
    if (args.size() != 2) return usageError("judge", "ATTENDUE et TAPÉE sont attendues, ou -");
    if (!judgePair(args[0], args[1], verdict, error)) return fail("judge", error);
    std::printf("%s\n", verdict.c_str());
    return kExitOk;
}

}  // namespace

const ToolCommand kPackCommand = {"pack", "compacter un fichier en un bloc compacté", kPackUsage,
                                  runPack};
const ToolCommand kUnpackCommand = {"unpack", "décompacter un bloc compacté dans un fichier",
                                    kUnpackUsage, runUnpack};
const ToolCommand kJudgeCommand = {"judge", "juger une réponse tapée comme le lecteur", kJudgeUsage,
                                   runJudge};
