// The quiz maker's web address, shown and opened by the header's link. The player opens it with
// the shell, so it must never be able to name a program or a file: only an http or https
// address of plain, printable ASCII is ever accepted, by the authoring tool and the player alike.
#pragma once

#include <cstddef>
#include <string>

constexpr std::size_t kMaxLinkLength = 259;

enum class LinkProblem {
    None,
    Empty,
    NotWeb,   // not "http://" or "https://" (any case) at the start
    NoHost,   // nothing, or no letter or digit, where the site's name belongs
    BadChar,  // a space, a control character, a character beyond ASCII, or " < > \ ^ ` { | }
    TooLong,  // more than kMaxLinkLength characters
};

struct LinkCheck {
    LinkProblem problem = LinkProblem::Empty;
    std::size_t at = 0;  // index of the offending character for BadChar
};

LinkCheck checkWebAddress(const char* text, std::size_t length);
inline bool isWebAddress(const std::string& text) {
    return checkWebAddress(text.data(), text.size()).problem == LinkProblem::None;
}

// What the link shows in its 115 pixels: the site's name, without "www." ("https://www.exemple
// .fr/quiz?n=1" shows "exemple.fr").
std::string webLinkLabel(const std::string& address);
