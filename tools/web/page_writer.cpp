#include "tools/web/page_writer.h"

#include <cstdio>

#include "media/jpeg_markers.h"
#include "quizdata/quiz_types.h"
#include "tools/text/cp1252.h"
#include "tools/web/page_assets.h"

namespace {

constexpr char kBase64Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr uint32_t kReplacement = 0xFFFD;

std::string assetText(const PageAsset& asset) {
    return std::string(reinterpret_cast<const char*>(asset.bytes), asset.size);
}

// The next code point of utf8 at i (advanced past it); kReplacement for a malformed sequence.
uint32_t nextCodePoint(const std::string& utf8, std::size_t& i) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(utf8[at]); };
    const unsigned char lead = byte(i++);
    if (lead < 0x80) return lead;
    const int extra = lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
    if (extra < 0 || lead >= 0xF5) return kReplacement;
    uint32_t code = lead & (0x3F >> extra);
    for (int n = 0; n < extra; ++n) {
        if (i >= utf8.size() || (byte(i) & 0xC0) != 0x80) return kReplacement;
        code = (code << 6) | (byte(i++) & 0x3F);
    }
    const uint32_t least[] = {0, 0x80, 0x800, 0x10000};
    if (code < least[extra] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
        return kReplacement;
    return code;
}

void appendEscape(std::string& out, uint32_t unit) {
    char text[8];
    std::snprintf(text, sizeof text, "\\u%04x", static_cast<unsigned>(unit));
    out += text;
}

std::string hex64(uint64_t value) {
    char text[20];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

uint64_t fnv1a(uint64_t hash, const std::vector<uint8_t>& bytes) {
    for (uint8_t b : bytes) hash = (hash ^ b) * 0x100000001B3ULL;
    return hash;
}

std::string field(const char* name, const std::string& value) {
    return std::string("\"") + name + "\":" + value;
}

std::string b64Field(const char* name, const std::vector<uint8_t>& bytes) {
    return field(name, "\"" + base64(bytes.data(), bytes.size()) + "\"");
}

// One question's media: "p" picture with "w", "h" its stored size; "a" answer picture with "aw",
// "ah"; "c" an audio clip; "v" a clip for the page with "t" its type.
std::string mediaJson(int kind, const QuestionSource& source) {
    std::vector<std::string> parts;
    const auto sized = [&](const char* bytesName, const char* w, const char* h,
                           const std::vector<uint8_t>& bytes) {
        int width = 0, height = 0;
        readJpegSize(bytes.data(), bytes.size(), &width, &height);
        parts.push_back(b64Field(bytesName, bytes));
        parts.push_back(field(w, std::to_string(width)));
        parts.push_back(field(h, std::to_string(height)));
    };
    if (kind == KindPicture && !source.media.bytes.empty())
        sized("p", "w", "h", source.media.bytes);
    if (kind == KindPicture && !source.answerPicture.bytes.empty())
        sized("a", "aw", "ah", source.answerPicture.bytes);
    if (kind == KindAudio && !source.media.bytes.empty())
        parts.push_back(b64Field("c", source.media.bytes));
    if (kind == KindVideo && !source.webMedia.bytes.empty()) {
        parts.push_back(b64Field("v", source.webMedia.bytes));
        parts.push_back(field("t", jsonString(webVideoType(source.webMedia.bytes))));
    }
    std::string out = "{";
    for (std::size_t i = 0; i < parts.size(); ++i) out += (i ? "," : "") + parts[i];
    return out + "}";
}

std::string dataJson(const QuizFile& quiz, const PackedQuiz& packed, const PageSource& source) {
    std::string media = "[";
    for (std::size_t i = 0; i < quiz.sources.size(); ++i)
        media += (i ? "," : "") + mediaJson(quiz.definition.kind, quiz.sources[i]);
    media += "]";
    return "{" + field("key", jsonString(storageKey(source.name, packed))) + "," +
           field("link", jsonString(source.link)) + "," +
           field("wasm", "\"" + base64(kPageWasm.bytes, kPageWasm.size) + "\"") + "," +
           b64Field("definition", packed.definition) + "," + b64Field("codes", packed.codes) + "," +
           field("media", media) + "}";
}

std::string contentPolicy() {
    return std::string("default-src 'none'; script-src '") + kPageScriptHash +
           "' 'wasm-unsafe-eval'; style-src '" + kPageStyleHash +
           "'; img-src data:; media-src data:; base-uri 'none'; form-action 'none'";
}

}  // namespace

std::string base64(const uint8_t* bytes, std::size_t size) {
    std::string out;
    out.reserve((size + 2) / 3 * 4);
    for (std::size_t i = 0; i < size; i += 3) {
        const uint32_t n = (uint32_t(bytes[i]) << 16) | (i + 1 < size ? bytes[i + 1] << 8 : 0) |
                           (i + 2 < size ? bytes[i + 2] : 0);
        out += kBase64Digits[(n >> 18) & 63];
        out += kBase64Digits[(n >> 12) & 63];
        out += i + 1 < size ? kBase64Digits[(n >> 6) & 63] : '=';
        out += i + 2 < size ? kBase64Digits[n & 63] : '=';
    }
    return out;
}

std::string jsonString(const std::string& utf8) {
    std::string out = "\"";
    for (std::size_t i = 0; i < utf8.size();) {
        const uint32_t c = nextCodePoint(utf8, i);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F && c != '<' && c != '>' && c != '&') {
            out += static_cast<char>(c);
        } else if (c > 0xFFFF) {
            appendEscape(out, 0xD800 + ((c - 0x10000) >> 10));
            appendEscape(out, 0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            appendEscape(out, c);
        }
    }
    return out + "\"";
}

std::string htmlText(const std::string& utf8) {
    std::string out;
    for (char c : utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

const char* webVideoType(const std::vector<uint8_t>& bytes) {
    if (bytes.size() >= 4 && bytes[0] == 0x1A && bytes[1] == 0x45 && bytes[2] == 0xDF &&
        bytes[3] == 0xA3)
        return "video/webm";
    if (bytes.size() >= 8 && bytes[4] == 'f' && bytes[5] == 't' && bytes[6] == 'y' &&
        bytes[7] == 'p')
        return "video/mp4";
    return "";
}

std::string storageKey(const std::string& name, const PackedQuiz& packed) {
    // The definition's length first: bytes moved from one block to the other change the key.
    std::vector<uint8_t> length(8);
    for (std::size_t i = 0; i < length.size(); ++i)
        length[i] = static_cast<uint8_t>(uint64_t(packed.definition.size()) >> (8 * i));
    const uint64_t hash =
        fnv1a(fnv1a(fnv1a(0xCBF29CE484222325ULL, length), packed.definition), packed.codes);
    return "velto:" + name + ":" + hex64(hash);
}

std::string pageHtml(const QuizFile& quiz, const PackedQuiz& packed, const PageSource& source) {
    const std::string page = assetText(kPageTemplate);
    std::string out;
    for (std::size_t i = 0; i < page.size();) {
        const std::size_t at = page.find('@', i);
        const std::size_t end = at == std::string::npos ? at : page.find('@', at + 1);
        if (end == std::string::npos) {
            out += page.substr(i);
            break;
        }
        const std::string name = page.substr(at + 1, end - at - 1);
        out += page.substr(i, at - i);
        if (name == "CSP")
            out += contentPolicy();
        else if (name == "TITLE")
            out += htmlText(cp1252ToUtf8(quiz.definition.title));
        else if (name == "CSS")
            out += assetText(kPageStyle);
        else if (name == "JS")
            out += assetText(kPageScript);
        else if (name == "DATA")
            out += dataJson(quiz, packed, source);
        else
            out += page.substr(at, end - at + 1);
        i = end + 1;
    }
    return out;
}
