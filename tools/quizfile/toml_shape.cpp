#include "tools/quizfile/toml_shape.h"

namespace {

constexpr int kMaxDotsPerLine = 16;  // a quiz key has at most one; a float one more
constexpr int kMaxNesting = 8;       // questions = [{ answers = [...] }] is three deep

struct ShapeScanner {
    std::string_view in;
    size_t pos = 0;
    int line = 1;
    int dots = 0;
    int depth = 0;

    bool at(std::string_view token) const { return in.substr(pos, token.size()) == token; }

    void newLine() {
        ++line;
        dots = 0;
    }

    // From after the opening quotes to after the closing ones (or the line end of an open one).
    void skipString(bool multiline) {
        while (pos < in.size()) {
            const char c = in[pos];
            if (c == '\\') {
                pos += 2;
                if (pos <= in.size() && in[pos - 1] == '\n') newLine();
                continue;
            }
            if (multiline ? at("\"\"\"") : c == '"') {
                pos += multiline ? 3 : 1;
                while (multiline && pos < in.size() && in[pos] == '"') ++pos;
                return;
            }
            if (c == '\n') {
                if (!multiline) return;
                newLine();
            }
            ++pos;
        }
    }

    bool run(std::string& message) {
        for (; pos < in.size(); ++pos) {
            const char c = in[pos];
            if (c == '#') {
                while (pos + 1 < in.size() && in[pos + 1] != '\n') ++pos;
            } else if (c == '"') {
                const bool multiline = at("\"\"\"");
                pos += multiline ? 3 : 1;
                skipString(multiline);
                --pos;
            } else if (c == '\n') {
                newLine();
            } else if (c == '.' && ++dots > kMaxDotsPerLine) {
                message = "cette ligne contient plus de " + std::to_string(kMaxDotsPerLine) +
                          " points hors des guillemets ; une clé de quiz en a au plus un "
                          "(mettez les textes entre guillemets)";
                return false;
            } else if ((c == '[' || c == '{') && ++depth > kMaxNesting) {
                message = "plus de " + std::to_string(kMaxNesting) +
                          " crochets ou accolades ouverts les uns dans les autres ; un quiz "
                          "n'en demande pas tant (un crochet n'est-il pas fermé ?)";
                return false;
            } else if ((c == ']' || c == '}') && depth > 0) {
                --depth;
            }
        }
        return true;
    }
};

}  // namespace

bool checkTomlShape(std::string_view asciiToml, int& line, std::string& message) {
    ShapeScanner scanner{asciiToml};
    if (scanner.run(message)) return true;
    line = scanner.line;
    return false;
}
