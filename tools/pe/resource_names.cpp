#include "tools/pe/resource_names.h"

#include <algorithm>
#include <cstdio>

char16_t upperResourceChar(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
    if (c >= 0xe0 && c <= 0xfe && c != 0xf7) return static_cast<char16_t>(c - 0x20);
    if (c == 0xff) return 0x178;
    return c;
}

int compareResourceNames(const ResourceName& a, const ResourceName& b) {
    if (a.isName() != b.isName()) return a.isName() ? -1 : 1;
    if (!a.isName()) return a.id < b.id ? -1 : (a.id > b.id ? 1 : 0);
    const size_t common = std::min(a.name.size(), b.name.size());
    for (size_t i = 0; i < common; ++i) {
        const char16_t x = upperResourceChar(a.name[i]);
        const char16_t y = upperResourceChar(b.name[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.name.size() == b.name.size()) return 0;
    return a.name.size() < b.name.size() ? -1 : 1;
}

bool resourceKeyLess(const PeResource& a, const PeResource& b) {
    if (int c = compareResourceNames(a.type, b.type)) return c < 0;
    if (int c = compareResourceNames(a.name, b.name)) return c < 0;
    return a.language < b.language;
}

std::string describeResourceName(const ResourceName& n) {
    if (!n.isName()) return "#" + std::to_string(n.id);
    std::string text;
    for (char16_t c : n.name) {
        if (c >= 0x20 && c < 0x7f) {
            text += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            text += escaped;
        }
    }
    return text;
}

ResourceName resourceName(const char* ascii) {
    ResourceName n;
    if (ascii == nullptr) return n;
    if (ascii[0] == '#' && ascii[1] != '\0') {
        uint32_t id = 0;
        const char* p = ascii + 1;
        while (*p >= '0' && *p <= '9' && id <= 0xffff)
            id = id * 10 + static_cast<uint32_t>(*p++ - '0');
        if (*p == '\0' && id <= 0xffff) {
            n.id = static_cast<uint16_t>(id);
            return n;
        }
    }
    for (const char* p = ascii; *p != '\0'; ++p)
        n.name += upperResourceChar(static_cast<char16_t>(static_cast<unsigned char>(*p)));
    return n;
}

ResourceName resourceId(uint16_t id) {
    ResourceName n;
    n.id = id;
    return n;
}
