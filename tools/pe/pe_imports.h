// The functions a PE image imports, read from its import directory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PeImport {
    std::string dll;       // as the image names it ("KERNEL32.dll")
    std::string function;  // empty for an import by ordinal
    uint16_t ordinal = 0;  // for an import by ordinal
};

// Every import, descriptor by descriptor. Fails with a message when the image is not a PE or
// its import directory points outside the file; an image without imports gives an empty list.
bool readPeImports(const std::vector<uint8_t>& image, std::vector<PeImport>& imports,
                   std::string& error);
