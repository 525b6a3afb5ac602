#include "quizdata/web_link.h"

#include <cctype>
#include <cstring>

namespace {

constexpr const char* kSchemes[] = {"https://", "http://"};
constexpr char kRefused[] = "\"<>\\^`{|}";  // never in an address; '\' would make it a path

std::size_t schemeLength(const char* text, std::size_t length) {
    for (const char* scheme : kSchemes) {
        const std::size_t n = std::strlen(scheme);
        if (length < n) continue;
        bool same = true;
        for (std::size_t i = 0; i < n && same; ++i)
            same = std::tolower(static_cast<unsigned char>(text[i])) == scheme[i];
        if (same) return n;
    }
    return 0;
}

}  // namespace

LinkCheck checkWebAddress(const char* text, std::size_t length) {
    LinkCheck check;
    if (length == 0) return check;
    const std::size_t start = schemeLength(text, length);
    if (start == 0) {
        check.problem = LinkProblem::NotWeb;
        return check;
    }
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c <= 0x20 || c >= 0x7F || std::strchr(kRefused, c) != nullptr) {
            check.problem = LinkProblem::BadChar;
            check.at = i;
            return check;
        }
    }
    if (length > kMaxLinkLength) {
        check.problem = LinkProblem::TooLong;
        return check;
    }
    // The site's name runs to the first '/', '?' or '#'; it needs a letter or a digit.
    bool named = false;
    for (std::size_t i = start; i < length && !std::strchr("/?#", text[i]); ++i)
        named = named || std::isalnum(static_cast<unsigned char>(text[i]));
    check.problem = named ? LinkProblem::None : LinkProblem::NoHost;
    return check;
}

std::string webLinkLabel(const std::string& address) {
    std::string site = address.substr(schemeLength(address.data(), address.size()));
    site = site.substr(0, site.find_first_of("/?#"));
    site = site.substr(site.find('@') + 1);  // npos + 1 is 0: no user name
    if (site.compare(0, 4, "www.") == 0 && site.size() > 4) site = site.substr(4);
    return site;
}
