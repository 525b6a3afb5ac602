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

// Pointer walks rather than substr: nothing here may throw (the WebAssembly build links no
// exception support).
std::string webLinkLabel(const std::string& address) {
    const char* const end = address.data() + address.size();
    const char* site = address.data() + schemeLength(address.data(), address.size());
    const char* siteEnd = site;
    while (siteEnd != end && *siteEnd != '/' && *siteEnd != '?' && *siteEnd != '#') ++siteEnd;
    for (const char* p = site; p != siteEnd; ++p)
        if (*p == '@') site = p + 1;  // a user name before the site is not shown
    if (siteEnd - site > 4 && std::memcmp(site, "www.", 4) == 0) site += 4;
    return std::string(site, siteEnd);
}
