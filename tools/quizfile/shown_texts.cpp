#include "tools/quizfile/shown_texts.h"

#include "core/ids.h"
#include "quizdata/quiz_types.h"
#include "quizdata/web_link.h"
#include "tools/fonts/text_measure.h"
#include "tools/quizfile/quiz_keys.h"
#include "tools/quizfile/toml_fields.h"
#include "tools/text/cp1252.h"
#include "ui/grid_layout.h"
#include "ui/header_layout.h"
#include "ui/main_layout.h"

namespace {

using namespace quizkey;

// The title and the code box keep the places the header panel creates them at.
constexpr WindowBox kTitleBox = headerPlace(kTitleLabelId);
constexpr WindowBox kCodeBox = headerPlace(kCodeBoxId);

struct Box {
    PlayerFont font;
    int width, height;
    bool edit;
};

// The header dialog has a thin border: its client area, which WM_SIZE lays out, is two pixels
// narrower than the place the main window gives it (199-pixel description under Wine).
constexpr int kPanelFrame = 2;

WindowBox headerBox(int id) {
    const MainLayout main = mainLayout(kProbedMainClientWidth, kProbedMainClientHeight);
    for (const HeaderMove& move : headerLayout(main.header.width - kPanelFrame))
        if (move.id == id) return move.box;
    return WindowBox{};
}

// The box of a grid control in a quiz of this shape; a zero width when the quiz has none.
WindowBox gridBox(const DefinitionData& d, GridControl control) {
    const GridSpec shape{d.kind, 1, d.answersPerQuestion, d.revealMode};
    const GridLayout layout = layoutGrid(shape, [](int) {
        return PictureSize{kPictureBox, kPictureBox};
    });
    for (const ControlPlacement& p : layout.placements)
        if (p.control == control) return WindowBox{p.x, p.y, p.width, p.height};
    return WindowBox{};
}

Box labelBox(PlayerFont font, const WindowBox& b) { return Box{font, b.width, b.height, false}; }

std::string quoted(const std::string& cp1252) {
    return "\u00ab " + cp1252ToUtf8(cp1252) + " \u00bb";
}

void warnIfCut(const Box& box, const std::string& text, const std::string& what, int line,
               Diagnostics& diags) {
    if (text.empty() || box.width <= 0) return;
    const BoxFit fit = box.edit ? fitInEdit(box.font, text, box.width)
                                : fitInLabel(box.font, text, box.width, box.height);
    if (fit.fits) return;
    const std::string size =
        std::to_string(box.width) + " \u00d7 " + std::to_string(box.height) + " pixels";
    std::string message = what + " ne tient pas dans sa case de " + size;
    if (box.edit)
        message += " : on n'en voit que " + quoted(fit.shown) +
                   " ; gardez des codes plus courts (six lettres capitales tiennent environ)";
    else if (fit.lines > 1 && !fit.shown.empty())
        message += " : sur " + std::to_string(fit.lines) + " lignes, on ne voit que " +
                   quoted(fit.shown) + " ; raccourcissez ce texte";
    else
        message += " (il lui faudrait " + std::to_string(textWidth(box.font, text)) +
                   " pixels de large) ; raccourcissez ce texte";
    diags.warn(line, message);
}

int keyLine(const toml::table& table, const char* key) {
    const toml::node* node = table.get(key);
    return node ? lineOf(*node) : 0;
}

void warnHeader(const toml::table& root, const QuizFile& quiz, Diagnostics& diags) {
    const DefinitionData& d = quiz.definition;
    warnIfCut(labelBox(PlayerFont::Title, kTitleBox), d.title, "le titre", keyLine(root, kTitle),
              diags);
    warnIfCut(labelBox(PlayerFont::Gui, headerBox(kAuthorLabelId)), d.author, "author",
              keyLine(root, kAuthor), diags);
    warnIfCut(labelBox(PlayerFont::Gui, headerBox(kDescriptionLabelId)), d.description,
              "description", keyLine(root, kDescription), diags);
    warnIfCut(labelBox(PlayerFont::Link, headerBox(kLinkId)), webLinkLabel(quiz.link),
              "le lien (" + webLinkLabel(quiz.link) + ")", keyLine(root, kLink), diags);
    const toml::node* codes = root.get(kCodes);
    const toml::array* list = codes ? codes->as_array() : nullptr;
    const Box codeBox{PlayerFont::Gui, kCodeBox.width, kCodeBox.height, true};
    for (size_t i = 0; list && i < list->size() && i < quiz.codes.size(); ++i)
        warnIfCut(codeBox, quiz.codes[i], "code " + std::to_string(i + 1), lineOf((*list)[i]),
                  diags);
    if (d.kind != KindText && d.answersPerQuestion == 2) {
        const Box caption = labelBox(PlayerFont::Gui, gridBox(d, GridControl::CaptionLabel));
        const int line = keyLine(root, kCaptions);
        warnIfCut(caption, d.caption1, "la première légende", line, diags);
        warnIfCut(caption, d.caption2, "la seconde légende", line, diags);
    }
}

}  // namespace

void warnCutTexts(const toml::table& root, const QuizFile& quiz, Diagnostics& diags) {
    const DefinitionData& d = quiz.definition;
    if (d.kind < KindText || d.kind > KindVideo) return;
    warnHeader(root, quiz, diags);
    const toml::node* node = root.get(kQuestions);
    const toml::array* list = node ? node->as_array() : nullptr;
    const Box prompt = labelBox(PlayerFont::Gui, gridBox(d, GridControl::PromptLabel));
    const Box explanation = labelBox(PlayerFont::Gui, gridBox(d, GridControl::ExplanationLabel));
    for (size_t i = 0; list && i < list->size() && i < d.questions.size(); ++i) {
        const toml::table* table = (*list)[i].as_table();
        if (!table) continue;
        const std::string prefix = "question " + std::to_string(i + 1) + " : ";
        if (d.kind == KindText)
            warnIfCut(prompt, d.questions[i].prompt, prefix + "l'énoncé", keyLine(*table, kPrompt),
                      diags);
        else
            warnIfCut(explanation, d.questions[i].explanation, prefix + "l'explication",
                      keyLine(*table, kExplanation), diags);
    }
}
