// The native twin of the page's core: loads two packed blocks, plays a list of answers and
// prints everything the page reads back, in the form tests/web/wasm_core.test.mjs prints from
// the WebAssembly build of the same sources.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "web/page_session.h"

namespace {

std::vector<uint8_t> readAll(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string hex(const std::string& text) {
    std::string out;
    char digits[3];
    for (unsigned char c : text) {
        std::snprintf(digits, sizeof digits, "%02x", c);
        out += digits;
    }
    return out.empty() ? "-" : out;
}

void dumpState(const PageSession& s) {
    for (int k = 1; k <= s.fields; ++k) {
        const PagePaint p = controlPaint(s, 5000 + k);
        std::printf("verdict %d %s %d %d %d\n", k, hex(s.verdicts[k - 1]).c_str(), p.background,
                    p.textBackground, p.text);
    }
    for (std::size_t q = 0; q < s.explanations.size(); ++q)
        std::printf("explanation %zu %s %d\n", q + 1, hex(s.explanations[q]).c_str(),
                    s.answerPictureShown[q]);
    std::printf("score %s %s\n", hex(sessionScoreText(s)).c_str(), hex(sessionCodeText(s)).c_str());
}

}  // namespace

// session_dump DEFINITION CODES PLAY: PLAY holds lines "P<TAB>i<TAB>w<TAB>h" (question i's picture
// size), then "k<TAB>text" (Windows-1252), each set and judged in turn ("k<TAB>F1" fills from
// field k instead).
int main(int argc, char** argv) {
    if (argc != 4) return 2;
    const std::vector<uint8_t> definition = readAll(argv[1]);
    const std::vector<uint8_t> codes = readAll(argv[2]);
    std::ifstream play(argv[3], std::ios::binary);
    PageSession s;
    std::printf("load %d\n",
                loadSession(s, definition.data(), definition.size(), codes.data(), codes.size()));
    std::string line;
    while (play.peek() == 'P' && std::getline(play, line)) {
        int question = 0, width = 0, height = 0;
        if (std::sscanf(line.c_str(), "P\t%d\t%d\t%d", &question, &width, &height) == 3)
            setPictureSize(s, question, width, height);
    }
    computeLayout(s);
    const DefinitionData& d = s.definition;
    std::printf("info %d %d %d %d %d %d %d\n", d.kind, s.fields, s.perQuestion, d.revealMode,
                (d.bgRed << 16) | (d.bgGreen << 8) | d.bgBlue, s.layout.canvasWidth,
                s.layout.canvasHeight);
    std::printf("texts %s %s %s %s %s\n", hex(d.title).c_str(), hex(d.author).c_str(),
                hex(d.description).c_str(), hex(d.caption1).c_str(), hex(d.caption2).c_str());
    for (const QuestionData& q : d.questions) std::printf("prompt %s\n", hex(q.prompt).c_str());
    for (const ControlPlacement& p : s.layout.placements)
        std::printf("place %d %d %d %d %d %d %d %d\n", static_cast<int>(p.control), p.id, p.x, p.y,
                    p.width, p.height, p.question, p.slot);
    for (int id : {153, 156, 3000, 8001}) {
        const PagePaint p = controlPaint(s, id);
        std::printf("paint %d %d %d %d\n", id, p.background, p.textBackground, p.text);
    }
    restoreSaved(s, nullptr, 0);
    while (std::getline(play, line)) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        const int k = std::stoi(line.substr(0, tab));
        if (line.substr(tab + 1) == "F1") {
            fillUnsolved(s, k);
        } else {
            setFieldText(s, k, line.substr(tab + 1));
            evaluateField(s, k);
        }
        dumpState(s);
    }
    std::printf("saved %s\n", hex(savedContent(s)).c_str());
    return 0;
}
