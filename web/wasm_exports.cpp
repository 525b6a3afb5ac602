// The WebAssembly face of the portable core: the page's script moves bytes through one shared
// buffer and calls these functions for every decision (judging, reveals, score, layout, scroll,
// colours, keys). Texts cross as zero-terminated Windows-1252 strings; nothing is imported.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/ids.h"
#include "evaluation/judge.h"
#include "media/clip_names.h"
#include "media/fit_size.h"
#include "quizdata/codec.h"
#include "quizdata/web_link.h"
#include "ui/answer_keys.h"
#include "ui/header_layout.h"
#include "ui/main_layout.h"
#include "ui/scroll.h"
#include "web/page_session.h"

#define VELTO_EXPORT(name) extern "C" __attribute__((export_name(name)))

namespace {

PageSession gSession;
std::vector<uint8_t> gBuffer;
std::string gText;          // the last text handed out
std::vector<uint8_t> gOut;  // the last block packed or unpacked
int gTabTarget = 0;

enum TextWhat {
    TextTitle,
    TextAuthor,
    TextDescription,
    TextCaption1,
    TextCaption2,
    TextPrompt,       // question i
    TextExplanation,  // explanation label of question i as it shows now
    TextVerdict,      // verdict label 5000 + k
    TextField,        // answer field 4000 + k
    TextScore,
    TextCode,
    TextNumber,  // number label of question i
};

enum InfoWhat {
    InfoKind,
    InfoQuestions,
    InfoAnswers,
    InfoReveal,
    InfoFields,
    InfoBackground,
    InfoCanvasWidth,
    InfoCanvasHeight,
    InfoSolved,
};

const char* handOut(const std::string& text) {
    gText = text;
    return gText.c_str();
}

const std::string& atOrEmpty(const std::vector<std::string>& list, int oneBased) {
    static const std::string empty;
    if (oneBased < 1 || oneBased > static_cast<int>(list.size())) return empty;
    return list[static_cast<std::size_t>(oneBased - 1)];
}

std::string promptOf(int question) {
    const auto& questions = gSession.definition.questions;
    if (question < 1 || question > static_cast<int>(questions.size())) return std::string();
    return questions[static_cast<std::size_t>(question - 1)].prompt;
}

int boxField(const WindowBox& box, int what) {
    const int values[] = {box.x, box.y, box.width, box.height};
    return what >= 0 && what < 4 ? values[what] : 0;
}

// A block through the codec into gOut: its length, or the codec's negative result.
int runCodec(bool packing, uint32_t length) {
    uint8_t* out = nullptr;
    uint32_t outLength = 0;
    const int32_t result = packing ? packBlock(gBuffer.data(), length, &out, &outLength)
                                   : unpackBlock(gBuffer.data(), length, &out, &outLength);
    if (result != CodecOk) return result;
    const uint32_t size = packing ? packedBytes() : outLength - 2;
    gOut.assign(out, out + size);
    std::free(out);
    return static_cast<int>(size);
}

}  // namespace

VELTO_EXPORT("buffer") uint8_t* webBuffer(uint32_t size) {
    if (gBuffer.size() < size + 1) gBuffer.resize(size + 1);
    return gBuffer.data();
}

// The buffer holds the packed definition, then the packed codes.
VELTO_EXPORT("load") int webLoad(uint32_t definitionLength, uint32_t codesLength) {
    if (gBuffer.size() < definitionLength + codesLength) return kSessionPayloadFault;
    return loadSession(gSession, gBuffer.data(), definitionLength,
                       gBuffer.data() + definitionLength, codesLength);
}

VELTO_EXPORT("set_picture") void webSetPicture(int question, int width, int height) {
    setPictureSize(gSession, question, width, height);
}

VELTO_EXPORT("layout") int webLayout() {
    computeLayout(gSession);
    return static_cast<int>(gSession.layout.placements.size());
}

// 0 control kind, 1 id, 2 x, 3 y, 4 width, 5 height, 6 question, 7 slot.
VELTO_EXPORT("placement") int webPlacement(int index, int what) {
    const auto& all = gSession.layout.placements;
    if (index < 0 || index >= static_cast<int>(all.size())) return 0;
    const ControlPlacement& p = all[static_cast<std::size_t>(index)];
    const int values[] = {
        static_cast<int>(p.control), p.id, p.x, p.y, p.width, p.height, p.question, p.slot};
    return what >= 0 && what < 8 ? values[what] : 0;
}

VELTO_EXPORT("info") int webInfo(int what) {
    const DefinitionData& d = gSession.definition;
    switch (what) {
    case InfoKind: return d.kind;
    case InfoQuestions: return static_cast<int>(gSession.explanations.size());
    case InfoAnswers: return gSession.perQuestion;
    case InfoReveal: return d.revealMode;
    case InfoFields: return gSession.fields;
    case InfoBackground: return (d.bgRed << 16) | (d.bgGreen << 8) | d.bgBlue;
    case InfoCanvasWidth: return gSession.layout.canvasWidth;
    case InfoCanvasHeight: return gSession.layout.canvasHeight;
    case InfoSolved: return solvedCount(gSession);
    default: return 0;
    }
}

VELTO_EXPORT("text") const char* webText(int what, int index) {
    const DefinitionData& d = gSession.definition;
    switch (what) {
    case TextTitle: return handOut(d.title);
    case TextAuthor: return handOut(d.author);
    case TextDescription: return handOut(d.description);
    case TextCaption1: return handOut(d.caption1);
    case TextCaption2: return handOut(d.caption2);
    case TextPrompt: return handOut(promptOf(index));
    case TextExplanation: return handOut(atOrEmpty(gSession.explanations, index));
    case TextVerdict: return handOut(atOrEmpty(gSession.verdicts, index));
    case TextField: return handOut(atOrEmpty(gSession.texts, index));
    case TextScore: return handOut(sessionScoreText(gSession));
    case TextCode: return handOut(sessionCodeText(gSession));
    case TextNumber: {
        char number[16];
        std::snprintf(number, sizeof number, "%d.", index);
        return handOut(number);
    }
    default: return handOut(std::string());
    }
}

// The buffer holds the field's Windows-1252 bytes.
VELTO_EXPORT("set_field") void webSetField(int k, uint32_t length) {
    if (gBuffer.size() < length) return;
    setFieldText(gSession, k, std::string(reinterpret_cast<const char*>(gBuffer.data()), length));
}
VELTO_EXPORT("evaluate") void webEvaluate(int k) { evaluateField(gSession, k); }
VELTO_EXPORT("fill") void webFill(int k) { fillUnsolved(gSession, k); }

VELTO_EXPORT("picture_revealed") int webPictureRevealed(int question) {
    const auto& shown = gSession.answerPictureShown;
    if (question < 1 || question > static_cast<int>(shown.size())) return 0;
    return shown[static_cast<std::size_t>(question - 1)];
}

VELTO_EXPORT("saved") const char* webSaved() { return handOut(savedContent(gSession)); }
VELTO_EXPORT("saved_length") int webSavedLength() { return static_cast<int>(gText.size()); }
VELTO_EXPORT("restore") void webRestore(uint32_t length) {
    if (gBuffer.size() >= length) restoreSaved(gSession, gBuffer.data(), length);
}

// 0 the control's fill, 1 its text cell, 2 its text: RGB, or -1 for the page's own.
VELTO_EXPORT("paint") int webPaint(int id, int what) {
    const PagePaint paint = controlPaint(gSession, id);
    return what == 0 ? paint.background : what == 1 ? paint.textBackground : paint.text;
}

VELTO_EXPORT("fit") int webFit(int width, int height, int what) {
    const FittedSize fitted = fitSize(width, height, kPictureBox, kPictureBox);
    return what == 0 ? fitted.width : fitted.height;
}

VELTO_EXPORT("key_action") int webKeyAction(unsigned key) { return fieldKeyAction(key); }

VELTO_EXPORT("tab_scroll")
int webTabScroll(int fieldId, int fieldTop, int fieldBottom, int gridTop, int gridBottom) {
    const TabScroll scroll =
        tabScroll(fieldId, gSession.fields, {fieldTop, fieldBottom}, {gridTop, gridBottom});
    gTabTarget = scroll.target;
    return scroll.request;
}
VELTO_EXPORT("tab_target") int webTabTarget() { return gTabTarget; }

// The grid's vertical position after a request, for a canvas seen through a client area.
VELTO_EXPORT("scroll_to")
int webScrollTo(int request, int canvas, int client, int pos, int target) {
    const ScrollBarRange range = scrollBarRange(canvas, client);
    const ScrollBarState bar{0, range.max, range.page, range.resetPosition ? 0 : pos, 0};
    return requestedScrollPosition(ScrollAxis::Vertical, request, bar, target);
}

// 0..3 the grid's box, 4..7 the header's, for a client area of width x height.
VELTO_EXPORT("main_layout") int webMainLayout(int width, int height, int what) {
    const MainLayout layout = mainLayout(width, height);
    return what < 4 ? boxField(layout.grid, what) : boxField(layout.header, what - 4);
}

// Header control index (0 .. count - 1) in a panel panelWidth wide: 0 id, 1..4 its box.
VELTO_EXPORT("header_box") int webHeaderBox(int index, int panelWidth, int what) {
    const int count = static_cast<int>(kHeaderPlaces.size());
    if (index < 0 || index >= count) return index == -1 ? count : 0;
    const HeaderPlace& fixed = kHeaderPlaces[index];
    WindowBox box = fixed.box;
    for (const HeaderMove& move : headerLayout(panelWidth))
        if (move.id == fixed.id) box = move.box;
    return what == 0 ? fixed.id : boxField(box, what - 1);
}

VELTO_EXPORT("link_font") int webLinkFont(int height) { return linkFontHeight(height); }

// The buffer holds the maker's address: what the header's link shows, or "" when the player
// would show no link (none, or not an http(s) address it may open).
VELTO_EXPORT("link_label") const char* webLinkLabelOf(uint32_t length) {
    if (gBuffer.size() < length) return handOut(std::string());
    const std::string address(reinterpret_cast<const char*>(gBuffer.data()), length);
    return handOut(isWebAddress(address) ? webLinkLabel(address) : std::string());
}

VELTO_EXPORT("video_band") int webVideoBand(int x, int y, int what) {
    const BandRect band = videoBandRect(x, y);
    return boxField(WindowBox{band.x, band.y, band.width, band.height}, what);
}

// For the tests beside the native build: the buffer holds expected, then typed.
VELTO_EXPORT("judge") const char* webJudge(uint32_t expectedLength, uint32_t typedLength) {
    if (gBuffer.size() < expectedLength + typedLength) return "";
    const std::string expected(reinterpret_cast<const char*>(gBuffer.data()), expectedLength);
    const std::string typed(reinterpret_cast<const char*>(gBuffer.data()) + expectedLength,
                            typedLength);
    return judgeAnswer(expected.c_str(), typed.c_str());
}
VELTO_EXPORT("pack") int webPack(uint32_t length) { return runCodec(true, length); }
VELTO_EXPORT("unpack") int webUnpack(uint32_t length) { return runCodec(false, length); }
VELTO_EXPORT("codec_out") const uint8_t* webCodecOut() { return gOut.data(); }
