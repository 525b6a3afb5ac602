// velto pack / unpack (raw packed blocks) and velto judge (the player's answer judging).
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "evaluation/judge.h"
#include "quizdata/codec.h"
#include "quizdata/quiz_types.h"
#include "tools/commands.h"
#include "tools/text/cp1252.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr char kPackUsage[] =
    "Usage : velto pack IN OUT\n"
    "Compacte les octets de IN en un bloc compacté, le format des ressources de définition\n"
    "et de codes d'un quiz, et écrit ce bloc dans OUT.\n"
    "IN peut être - (entrée standard) et OUT - (sortie standard). IN fait au plus 65535 octets.\n"
    "OUT n'est écrit que si le compactage réussit ; un OUT existant est remplacé.\n"
    "Code de sortie : 0 compacté, 1 échec (raison sur la sortie d'erreur), 2 erreur d'usage.\n";

constexpr char kUnpackUsage[] =
    "Usage : velto unpack IN OUT\n"
    "Décompacte le bloc compacté de IN et écrit dans OUT les octets qu'il contient.\n"
    "IN peut être - (entrée standard) et OUT - (sortie standard). IN fait au plus 65535 octets.\n"
    "OUT n'est écrit que si le décompactage réussit ; un OUT existant est remplacé.\n"
    "Code de sortie : 0 décompacté, 1 échec (raison sur la sortie d'erreur, par exemple\n"
    "'CodecBadCode (-7)'), 2 erreur d'usage.\n";

constexpr char kJudgeUsage[] =
    "Usage : velto judge ATTENDUE TAPÉE\n"
    "        velto judge -\n"
    "Juge une réponse tapée par rapport à la réponse attendue exactement comme le lecteur et\n"
    "affiche le verdict : BRAVO, Anagramme, Quasiment, Presque, Trop long, Trop court, pas loin,\n"
    "y a de l'idée, FAUX ou ? (rien de tapé).\n"
    "Avec -, lit sur l'entrée standard des lignes ATTENDUE<TAB>TAPÉE (fins de ligne LF ou CR LF)\n"
    "et affiche un verdict par ligne.\n"
    "Les textes sont en UTF-8 ; chacun doit pouvoir s'écrire en Windows-1252 et faire au plus\n"
    "259 caractères. Mettez -- avant les textes qui commencent par '-'.\n"
    "Code de sortie : 0 jugé, 1 texte refusé (sa ligne et son champ sont nommés),\n"
    "2 erreur d'usage.\n";

// Positional arguments after the command name; a leading "--" ends options. False (with a
// message) for an unknown option.
bool positionalArguments(const char* command, int argc, char** argv, std::vector<std::string>& out) {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "velto : %s : option inconnue '%s' (voir 'velto %s --help')\n", command,
                         arg.c_str(), command);
            return false;
        } else {
            out.push_back(arg);
        }
    }
    return true;
}

int usageError(const char* command, const char* problem) {
    std::fprintf(stderr, "velto : %s : %s (voir 'velto %s --help')\n", command, problem, command);
    return kExitUsage;
}

void setBinary(std::FILE* stream) {
#ifdef _WIN32
    _setmode(_fileno(stream), _O_BINARY);
#else
    (void)stream;
#endif
}

// Reads a whole file, or standard input for "-".
bool readWhole(const std::string& path, std::vector<uint8_t>& data, std::string& error) {
    const bool standardInput = path == "-";
    std::FILE* in = standardInput ? stdin : std::fopen(path.c_str(), "rb");
    if (!in) {
        error = path + " : " + std::strerror(errno);
        return false;
    }
    if (standardInput) setBinary(stdin);
    uint8_t chunk[16384];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0) data.insert(data.end(), chunk, chunk + got);
    const bool failed = std::ferror(in) != 0;
    if (!standardInput) std::fclose(in);
    if (failed) error = (standardInput ? std::string("entrée standard") : path) + " : erreur de lecture";
    return !failed;
}

std::string temporaryNameBeside(const std::string& path) {
    std::random_device entropy;
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".velto-%08x.tmp", static_cast<unsigned>(entropy()));
    return path + suffix;
}

// Writes through a temporary file in OUT's folder and renames it over OUT, so a failure
// never leaves a partial OUT behind. "-" writes to standard output.
bool writeWhole(const std::string& path, const uint8_t* data, size_t size, std::string& error) {
    if (path == "-") {
        setBinary(stdout);
        if (std::fwrite(data, 1, size, stdout) != size || std::fflush(stdout) != 0) {
            error = "sortie standard : erreur d'écriture";
            return false;
        }
        return true;
    }
    const std::string temporary = temporaryNameBeside(path);
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out) {
        error = path + " : " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(data, 1, size, out) == size;
    const bool closed = std::fclose(out) == 0;
    std::error_code renameError;
    if (written && closed) std::filesystem::rename(temporary, path, renameError);
    if (!written || !closed || renameError) {
        std::remove(temporary.c_str());
        error = path + " : " + (renameError ? renameError.message() : std::string("erreur d'écriture"));
        return false;
    }
    return true;
}

using CodecOperation = int32_t (*)(const uint8_t*, uint32_t, uint8_t**, uint32_t*);

// Shared by pack and unpack: the codec reports produced bytes plus `lengthBias`.
int runCodecCommand(const char* command, int argc, char** argv, CodecOperation operation,
                    uint32_t lengthBias) {
    std::vector<std::string> args;
    if (!positionalArguments(command, argc, argv, args)) return kExitUsage;
    if (args.size() != 2) return usageError(command, "IN et OUT sont attendus");

    std::vector<uint8_t> input;
    std::string error;
    if (!readWhole(args[0], input, error)) {
        std::fprintf(stderr, "velto : %s : %s\n", command, error.c_str());
        return kExitFailed;
    }
    if (input.size() > kMaxBlockInput) {
        std::fprintf(stderr, "velto : %s : %s fait %zu octets ; un bloc contient au plus %u octets\n",
                     command, args[0].c_str(), input.size(), static_cast<unsigned>(kMaxBlockInput));
        return kExitFailed;
    }
    uint8_t* output = nullptr;
    uint32_t outputLength = 0;
    const int32_t result = operation(input.data(), static_cast<uint32_t>(input.size()), &output,
                                     &outputLength);
    if (result != CodecOk) {
        std::fprintf(stderr, "velto : %s : échec %s (%d)\n", command, codecResultName(result),
                     static_cast<int>(result));
        return kExitFailed;
    }
    const bool written = writeWhole(args[1], output, outputLength - lengthBias, error);
    std::free(output);
    if (!written) {
        std::fprintf(stderr, "velto : %s : %s\n", command, error.c_str());
        return kExitFailed;
    }
    return kExitOk;
}

int runPack(int argc, char** argv) { return runCodecCommand("pack", argc, argv, packBlock, 1); }
int runUnpack(int argc, char** argv) { return runCodecCommand("unpack", argc, argv, unpackBlock, 2); }

// One UTF-8 answer text as the player holds it; false with the reason.
bool answerText(const std::string& utf8, std::string& text, std::string& error) {
    size_t badIndex = 0;
    uint32_t badCodePoint = 0;
    if (!utf8ToCp1252(utf8, text, &badIndex, &badCodePoint)) {
        error = "caractère " + std::to_string(badIndex + 1) + " : " +
                describeCp1252Failure(utf8, badIndex, badCodePoint);
        return false;
    }
    if (text.find('\0') != std::string::npos) {
        error = "contient un octet nul";
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

// Reads one line without its LF (zero bytes kept); false at the end of the stream.
bool readLine(std::FILE* in, std::string& line) {
    line.clear();
    int ch = 0;
    while ((ch = std::getc(in)) != EOF) {
        if (ch == '\n') return true;
        line.push_back(static_cast<char>(ch));
    }
    return !line.empty();
}

int judgeBatch() {
    setBinary(stdin);
    std::string line, verdict, error;
    for (unsigned long number = 1; readLine(stdin, line); ++number) {
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
        std::fflush(stdout);
        std::fprintf(stderr, "velto : judge : ligne %lu : %s\n", number, error.c_str());
        return kExitFailed;
    }
    if (std::ferror(stdin)) {
        std::fprintf(stderr, "velto : judge : entrée standard : erreur de lecture\n");
        return kExitFailed;
    }
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailed;
}

int runJudge(int argc, char** argv) {
    std::vector<std::string> args;
    if (!positionalArguments("judge", argc, argv, args)) return kExitUsage;
    if (args.size() == 1 && args[0] == "-") return judgeBatch();
    if (args.size() != 2) return usageError("judge", "ATTENDUE et TAPÉE sont attendues, ou -");
    std::string verdict, error;
    if (!judgePair(args[0], args[1], verdict, error)) {
        std::fprintf(stderr, "velto : judge : %s\n", error.c_str());
        return kExitFailed;
    }
    std::printf("%s\n", verdict.c_str());
    return kExitOk;
}

}  // namespace

const ToolCommand kPackCommand = {"pack", "compacter un fichier en un bloc compacté", kPackUsage, runPack};
const ToolCommand kUnpackCommand = {"unpack", "décompacter un bloc compacté dans un fichier", kUnpackUsage,
                                    runUnpack};
const ToolCommand kJudgeCommand = {"judge", "juger une réponse tapée comme le lecteur", kJudgeUsage,
                                   runJudge};
