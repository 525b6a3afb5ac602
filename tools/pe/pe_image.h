// The headers of a PE image, parsed and checked against the file's size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PeSection {
    std::string name;           // the 8 raw name bytes up to the first NUL ("/4" for long names)
    uint32_t headerOffset = 0;  // file offset of its 40-byte header
    uint32_t virtualSize = 0;
    uint32_t virtualAddress = 0;
    uint32_t sizeOfRawData = 0;
    uint32_t pointerToRawData = 0;
    uint32_t characteristics = 0;
};

struct PeDataDirectory {
    uint32_t rva = 0;  // a file offset for the security directory
    uint32_t size = 0;
};

struct PeImage {
    bool is64 = false;
    uint32_t fileHeaderOffset = 0;
    uint32_t optionalHeaderOffset = 0;
    uint32_t sectionTableOffset = 0;
    uint32_t dataDirectoryOffset = 0;
    uint32_t dataDirectoryCount = 0;  // entries present in the optional header
    uint32_t pointerToSymbolTable = 0;
    uint32_t numberOfSymbols = 0;
    uint32_t sectionAlignment = 0;
    uint32_t fileAlignment = 0;
    uint32_t sizeOfImage = 0;
    uint32_t sizeOfHeaders = 0;
    std::vector<PeSection> sections;
};

// Parses the DOS, file and optional headers and the section table. Fails with a message when
// the bytes are not a PE32/PE32+ image or its headers run past the end of the file.
bool parsePeImage(const std::vector<uint8_t>& image, PeImage& pe, std::string& error);

// Data directory `index`, zero when the optional header does not hold it.
PeDataDirectory dataDirectory(const std::vector<uint8_t>& image, const PeImage& pe, uint32_t index);

// Bytes of address space a section covers from its VirtualAddress: VirtualSize, or the raw size
// when a linker left VirtualSize zero.
uint32_t sectionSpan(const PeSection& s);

// The section whose span holds `rva`, or -1.
int sectionOfRva(const PeImage& pe, uint32_t rva);

// Maps [rva, rva + size) to a file offset when the whole range lies in the mapped part of one
// section's raw data and inside the file.
bool rvaToFileOffset(const PeImage& pe, uint64_t fileSize, uint32_t rva, uint32_t size,
                     uint64_t& offset);

// "0x1f" for messages.
std::string peHex(uint32_t value);

// File offset of the optional header's CheckSum field.
uint32_t checksumOffset(const PeImage& pe);

// The PE checksum: 16-bit one's complement sum of the file, the CheckSum field read as zero,
// plus the file length.
uint32_t peChecksum(const std::vector<uint8_t>& image, uint32_t checksumFieldOffset);
