// Where a rewritten resource section goes in an image, and what moves around it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/pe/pe_image.h"

struct PeWritePlan {
    int section = -1;                // section rewritten in place, or -1: a new section header
    int oldResources = -1;           // section holding the old directory, left as it is
    uint32_t newHeaderOffset = 0;    // file offset of the new section header (section == -1)
    uint32_t sizeOfHeaders = 0;      // SizeOfHeaders afterwards
    bool clearBoundImports = false;  // its table sits where the new header goes
    uint32_t rva = 0;                // where the new resource section is mapped
    uint64_t keepPrefix = 0;         // input bytes [0, keepPrefix) are copied unchanged
    uint64_t rawPointer = 0;         // file offset of the new section's data (>= keepPrefix)
    uint64_t overlayStart = 0;       // input bytes [overlayStart, overlayEnd) follow the new data
    uint64_t overlayEnd = 0;         // a trailing signature is left out
};

// Checks that the image can be rewritten safely and decides the layout: the resource section is
// rewritten in place when it is the last section of the image, otherwise a new section is
// appended after the last one. Fails with a message naming the obstacle.
bool planResourceWrite(const std::vector<uint8_t>& image, const PeImage& pe, PeWritePlan& plan,
                       std::string& error);

// Where the input bytes [offset, offset + length) land in the output, given the new section's
// raw size; false when they are not all kept in one piece.
bool mapFileRange(const PeWritePlan& plan, uint64_t rawSize, uint64_t offset, uint64_t length,
                  uint64_t& mapped);
