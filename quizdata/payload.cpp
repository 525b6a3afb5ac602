#include "quizdata/payload.h"

#include "quizdata/quiz_types.h"

namespace {

constexpr uint8_t kTokenEnd = '|';
constexpr uint8_t kCarriageReturn = 0x0D;
constexpr uint8_t kLineFeed = 0x0A;

// A bounded cursor over the payload: every read checks the length first.
struct Reader {
    const uint8_t* data;
    size_t length;
    size_t pos;

    bool readByte(uint8_t& value) {
        if (pos >= length) return false;
        value = data[pos++];
        return true;
    }

    // A run of bytes ended by '|'; false when the payload ends before the '|'.
    bool readToken(std::string& text) {
        text.clear();
        while (pos < length && data[pos] != kTokenEnd) {
            const uint8_t ch = data[pos++];
            if (ch != 0 && text.size() < kMaxTextLength) text.push_back(static_cast<char>(ch));
        }
        if (pos >= length) return false;
        ++pos;
        return true;
    }
};

bool readQuestions(Reader& in, DefinitionData& out) {
    for (int q = 0; q < out.questionCount; ++q) {
        QuestionData item;
        if (!in.readToken(item.answer1)) return false;
        if (out.answersPerQuestion == 2 && !in.readToken(item.answer2)) return false;
        if (!in.readToken(item.prompt)) return false;
        out.questions.push_back(item);
    }
    return true;
}

bool readExplanations(Reader& in, DefinitionData& out) {
    const int mode = out.revealMode;
    if (mode != RevealExplanation && mode != RevealBoth && mode != RevealAllAtEnd) return true;
    std::string skipped;
    for (QuestionData& item : out.questions) {
        if (!in.readToken(item.explanation)) return false;
        if (mode == RevealBoth && !in.readToken(skipped)) return false;
    }
    return true;
}

// A text the parser gives back unchanged: no '|', no dropped zero byte, nothing cut.
bool fitsToken(const std::string& text) {
    if (text.size() > kMaxTextLength) return false;
    for (char ch : text)
        if (ch == 0 || ch == static_cast<char>(kTokenEnd)) return false;
    return true;
}

bool fitsByte(int value) { return value >= 0 && value <= 255; }

bool isWritable(const DefinitionData& d) {
    if (d.questionCount < 0 || d.questionCount > kMaxQuestions) return false;
    if (static_cast<size_t>(d.questionCount) != d.questions.size()) return false;
    if (!fitsByte(d.kind + 1) || !fitsByte(d.answersPerQuestion) || !fitsByte(d.revealMode))
        return false;
    for (const std::string* text : {&d.title, &d.author, &d.description, &d.caption1, &d.caption2})
        if (!fitsToken(*text)) return false;
    for (const QuestionData& q : d.questions) {
        for (const std::string* text : {&q.answer1, &q.answer2, &q.prompt, &q.explanation})
            if (!fitsToken(*text)) return false;
    }
    return true;
}

void putToken(std::vector<uint8_t>& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(kTokenEnd);
}

}  // namespace

PayloadResult parseDefinition(const uint8_t* data, size_t length, DefinitionData& out) {
    out = DefinitionData();
    Reader in{data, length, 0};
    uint8_t header[4];
    for (uint8_t& byte : header)
        if (!in.readByte(byte)) return PayloadTruncated;
    out.kind = header[1] - 1;
    out.questionCount = header[2];
    out.answersPerQuestion = header[3];
    if (out.questionCount > kMaxQuestions) return PayloadTooManyQuestions;

    for (std::string* text :
         {&out.title, &out.author, &out.description, &out.caption1, &out.caption2})
        if (!in.readToken(*text)) return PayloadTruncated;
    if (!readQuestions(in, out)) return PayloadTruncated;

    uint8_t mode = 0;
    if (!in.readByte(mode)) return PayloadTruncated;
    out.revealMode = mode;
    if (!readExplanations(in, out)) return PayloadTruncated;

    uint8_t red = 0, green = 0, blue = 0;
    if (!in.readByte(red) || !in.readByte(green) || !in.readByte(blue)) return PayloadTruncated;
    out.bgRed = red;
    out.bgGreen = green;
    out.bgBlue = blue;
    return PayloadOk;
}

std::vector<std::string> parseCodes(const uint8_t* data, size_t length, int questionCount) {
    std::vector<std::string> codes(questionCount > 0 ? static_cast<size_t>(questionCount) : 0);
    size_t pos = 0;
    for (std::string& code : codes) {
        if (pos >= length) break;
        while (pos < length && data[pos] != kCarriageReturn) {
            const uint8_t ch = data[pos++];
            if (ch != 0 && code.size() < kMaxTextLength) code.push_back(static_cast<char>(ch));
        }
        pos += 2;  // the CR and the byte after it (the LF); pos may now pass length
    }
    return codes;
}

std::vector<uint8_t> writeDefinition(const DefinitionData& d) {
    if (!isWritable(d)) return {};
    std::vector<uint8_t> out = {0, static_cast<uint8_t>(d.kind + 1),
                                static_cast<uint8_t>(d.questionCount),
                                static_cast<uint8_t>(d.answersPerQuestion)};
    for (const std::string* text : {&d.title, &d.author, &d.description, &d.caption1, &d.caption2})
        putToken(out, *text);
    for (const QuestionData& q : d.questions) {
        putToken(out, q.answer1);
        if (d.answersPerQuestion == 2) putToken(out, q.answer2);
        putToken(out, q.prompt);
    }
    out.push_back(static_cast<uint8_t>(d.revealMode));
    const int mode = d.revealMode;
    if (mode == RevealExplanation || mode == RevealBoth || mode == RevealAllAtEnd) {
        for (const QuestionData& q : d.questions) {
            putToken(out, q.explanation);
            if (mode == RevealBoth) putToken(out, std::string());
        }
    }
    out.push_back(d.bgRed);
    out.push_back(d.bgGreen);
    out.push_back(d.bgBlue);
    return out;
}

std::vector<uint8_t> writeCodes(const std::vector<std::string>& codes) {
    std::vector<uint8_t> out;
    for (const std::string& code : codes) {
        if (code.size() > kMaxTextLength) return {};
        for (char ch : code)
            if (ch == 0 || ch == '\r' || ch == '\n') return {};
        out.insert(out.end(), code.begin(), code.end());
        out.push_back(kCarriageReturn);
        out.push_back(kLineFeed);
    }
    return out;
}
