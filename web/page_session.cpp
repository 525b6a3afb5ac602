// The grid's state in a page, judged and revealed by the rules the Windows grid applies.
#include "web/page_session.h"

#include <cstdlib>

#include "evaluation/answer_slots.h"
#include "evaluation/judge.h"
#include "evaluation/verdicts.h"
#include "core/ids.h"
#include "media/fit_size.h"
#include "quizdata/codec.h"
#include "ui/saved_answers.h"
#include "ui/verdict_colors.h"

namespace {

// A static the grid leaves to the dialog manager: the system's face colour and window text.
constexpr int kSystemFace = 0xF0F0F0;
constexpr int kSystemText = 0x000000;

int rgbOf(std::uint32_t colourRef) {
    return static_cast<int>(((colourRef & 0xFF) << 16) | (colourRef & 0xFF00) |
                            ((colourRef >> 16) & 0xFF));
}

// The unpacked bytes of a block, or a negative codec result.
int unpackTo(const uint8_t* data, uint32_t length, std::string& out) {
    uint8_t* bytes = nullptr;
    uint32_t produced = 0;
    const int32_t result = unpackBlock(data, length, &bytes, &produced);
    if (result != CodecOk) return result;
    // produced counts two bytes beyond the data; the buffer is zero after it.
    const uint32_t size = produced >= 2 ? produced - 2 : 0;
    out.assign(reinterpret_cast<const char*>(bytes), size);
    std::free(bytes);
    return CodecOk;
}

const QuestionData* questionAt(const PageSession& s, int q) {
    if (q < 0 || q >= static_cast<int>(s.definition.questions.size())) return nullptr;
    return &s.definition.questions[static_cast<std::size_t>(q)];
}

const std::string& expectedOf(const QuestionData& item, int slot) {
    return slot == 2 ? item.answer2 : item.answer1;
}

bool fullyMatched(const PageSession& s, const QuestionData& item, int q) {
    for (int slot = 1; slot <= s.perQuestion; ++slot) {
        const int k = answerFieldId(q, slot, s.perQuestion) - kAnswerFieldBase;
        if (!slotTextMatches(expectedOf(item, slot).c_str(),
                             s.texts[static_cast<std::size_t>(k - 1)].c_str()))
            return false;
    }
    return true;
}

bool hasExplanationLabels(const PageSession& s) {
    return s.definition.kind != KindText && s.definition.revealMode > RevealPicture;
}

void setExplanation(PageSession& s, int q, const std::string& text) {
    if (hasExplanationLabels(s) && q >= 0 && q < static_cast<int>(s.explanations.size()))
        s.explanations[static_cast<std::size_t>(q)] = text;
}

void showAllWhenSolved(PageSession& s) {
    for (const std::string& v : s.verdicts)
        if (!isSolvedVerdict(v.c_str())) return;
    s.allSolvedShown = 1;
    for (int q = 0; q < static_cast<int>(s.explanations.size()); ++q)
        if (const QuestionData* item = questionAt(s, q)) setExplanation(s, q, item->explanation);
}

void resetFields(PageSession& s) {
    const DefinitionData& d = s.definition;
    s.perQuestion = fieldsPerQuestion(d.kind, d.answersPerQuestion);
    s.fields = answerFieldCount(d.kind, d.questionCount, d.answersPerQuestion);
    s.texts.assign(static_cast<std::size_t>(s.fields), std::string());
    s.verdicts.assign(static_cast<std::size_t>(s.fields), std::string(kVerdictEmpty));
    const std::size_t questions = static_cast<std::size_t>(questionsInGrid(d.questionCount));
    s.explanations.assign(questions, std::string());
    s.answerPictureShown.assign(questions, 0);
    if (s.pictureSizes.size() < questions) s.pictureSizes.resize(questions, PictureSize{0, 0});
    s.allSolvedShown = 0;
}

}  // namespace

int loadSession(PageSession& s, const uint8_t* definition, uint32_t definitionLength,
                const uint8_t* codes, uint32_t codesLength) {
    std::string payload;
    int result = unpackTo(definition, definitionLength, payload);
    if (result != CodecOk) return result;
    s.definition = DefinitionData{};
    const PayloadResult parsed = parseDefinition(reinterpret_cast<const uint8_t*>(payload.data()),
                                                 payload.size(), s.definition);
    if (parsed != PayloadOk) return kSessionPayloadFault + parsed;
    s.codes.assign(kCodeCount, std::string());
    if (codesLength > 0) {
        result = unpackTo(codes, codesLength, payload);
        if (result != CodecOk) return result;
        const std::vector<std::string> read =
            parseCodes(reinterpret_cast<const uint8_t*>(payload.data()), payload.size(),
                       questionsInGrid(s.definition.questionCount));
        for (std::size_t i = 0; i < read.size() && i < s.codes.size(); ++i) s.codes[i] = read[i];
    }
    resetFields(s);
    return 0;
}

void setPictureSize(PageSession& s, int question, int width, int height) {
    if (question < 1 || question > kMaxQuestions) return;
    if (s.pictureSizes.size() < static_cast<std::size_t>(question))
        s.pictureSizes.resize(static_cast<std::size_t>(question), PictureSize{0, 0});
    s.pictureSizes[static_cast<std::size_t>(question - 1)] = PictureSize{width, height};
}

void computeLayout(PageSession& s) {
    const DefinitionData& d = s.definition;
    const GridSpec shape{d.kind, questionsInGrid(d.questionCount), d.answersPerQuestion,
                         d.revealMode};
    s.layout = layoutGrid(shape, [&s](int i) {
        const PictureSize stored = s.pictureSizes[static_cast<std::size_t>(i - 1)];
        // No picture, or one whose size is unknown: the box, as the player sizes a missing one.
        if (stored.width <= 0 || stored.height <= 0) return PictureSize{kPictureBox, kPictureBox};
        const FittedSize fitted = fitSize(stored.width, stored.height, kPictureBox, kPictureBox);
        return PictureSize{fitted.width, fitted.height};
    });
}

void setFieldText(PageSession& s, int k, const std::string& text) {
    if (k < 1 || k > s.fields) return;
    s.texts[static_cast<std::size_t>(k - 1)] = text.substr(0, kMaxTextLength);
}

void evaluateField(PageSession& s, int k) {
    const FieldSlot where = slotOfField(s.definition.kind, s.definition.questionCount,
                                        s.definition.answersPerQuestion, kAnswerFieldBase + k);
    if (!where.valid) return;
    const QuestionData* item = questionAt(s, where.question);
    const std::string& typed = s.texts[static_cast<std::size_t>(k - 1)];
    const char* verdict =
        item ? judgeAnswer(expectedOf(*item, where.slot).c_str(), typed.c_str()) : kVerdictEmpty;
    const bool solved = isSolvedVerdict(verdict);
    const int mode = s.definition.revealMode;
    if (solved && revealsPerQuestion(mode) && fullyMatched(s, *item, where.question)) {
        if (revealsExplanation(mode)) setExplanation(s, where.question, item->explanation);
        if (revealsPicture(mode) && s.definition.kind == KindPicture)
            s.answerPictureShown[static_cast<std::size_t>(where.question)] = 1;
    }
    if (!solved) {
        setExplanation(s, where.question, std::string());
        s.allSolvedShown = 0;
    }
    s.verdicts[static_cast<std::size_t>(k - 1)] = verdict;
    if (mode == RevealAllAtEnd && s.allSolvedShown == 0) showAllWhenSolved(s);
}

void fillUnsolved(PageSession& s, int k) {
    if (k < 1 || k > s.fields) return;
    const std::string text = s.texts[static_cast<std::size_t>(k - 1)];
    for (int other = 1; other <= s.fields; ++other) {
        if (isSolvedVerdict(s.verdicts[static_cast<std::size_t>(other - 1)].c_str())) continue;
        setFieldText(s, other, text);
        evaluateField(s, other);
    }
}

int solvedCount(const PageSession& s) { return countSolved(s.verdicts, s.perQuestion); }

std::string sessionScoreText(const PageSession& s) {
    return scoreText(solvedCount(s), s.definition.questionCount);
}

const char* sessionCodeText(const PageSession& s) {
    const int solved = solvedCount(s);
    if (solved < 1 || solved > static_cast<int>(s.codes.size())) return kNoCodeText;
    return s.codes[static_cast<std::size_t>(solved - 1)].c_str();
}

std::string savedContent(const PageSession& s) {
    const DefinitionData& d = s.definition;
    std::vector<std::string> lines(
        static_cast<std::size_t>(savedLineCount(d.kind, d.questionCount, d.answersPerQuestion)));
    for (std::size_t i = 0; i < lines.size() && i < s.texts.size(); ++i) lines[i] = s.texts[i];
    return savedAnswersContent(lines);
}

void restoreSaved(PageSession& s, const uint8_t* data, std::size_t size) {
    std::size_t position = 0;
    for (const ControlPlacement& p : s.layout.placements) {
        if (!takesSavedLine(p.control)) continue;
        char line[kTextCapacity] = "";
        readSavedLine(data, size, &position, line);
        if (p.control == GridControl::AnswerField) setFieldText(s, p.id - kAnswerFieldBase, line);
    }
    for (int k = 1; k <= s.fields; ++k) evaluateField(s, k);
}

PagePaint controlPaint(const PageSession& s, int id) {
    const StaticRole role = staticRole(id, s.fields);
    const std::string* verdict = nullptr;
    const int k = id - kVerdictLabelBase;
    if (role == StaticRole::Verdict && k >= 1 && k <= s.fields)
        verdict = &s.verdicts[static_cast<std::size_t>(k - 1)];
    const StaticPaint paint = staticPaint(role, verdict ? verdict->c_str() : nullptr,
                                          s.definition.bgRed, s.definition.bgGreen);
    PagePaint out{-1, paint.setBackColour ? rgbOf(paint.backColour) : -1,
                  paint.setTextColour ? rgbOf(paint.textColour) : kSystemText};
    switch (paint.brush) {
    case StaticBrush::Wrong: out.background = kWrongFill; break;
    case StaticBrush::Right: out.background = kRightFill; break;
    case StaticBrush::Anagram: out.background = kAnagramFill; break;
    case StaticBrush::Hint: out.background = kHintFill; break;
    case StaticBrush::Note: out.background = kNoteFill; break;
    case StaticBrush::Background: out.background = -1; break;
    case StaticBrush::None: out.background = role == StaticRole::Verdict ? kSystemFace : -1; break;
    }
    return out;
}
