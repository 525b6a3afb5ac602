// Offsets and constants of the PE/COFF headers, and little-endian access to a byte buffer.
// Callers check bounds before reading or writing (see pe_image.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pe {

constexpr uint32_t kDosHeaderSize = 64;
constexpr uint32_t kDosLfanewOffset = 0x3c;
constexpr uint32_t kFileHeaderSize = 20;  // after the 4-byte "PE\0\0" signature
constexpr uint32_t kSectionHeaderSize = 40;
constexpr uint16_t kMagicPe32 = 0x10b;
constexpr uint16_t kMagicPe32Plus = 0x20b;

// File header fields, relative to the file header.
constexpr uint32_t kFhNumberOfSections = 2;
constexpr uint32_t kFhPointerToSymbolTable = 8;
constexpr uint32_t kFhNumberOfSymbols = 12;
constexpr uint32_t kFhSizeOfOptionalHeader = 16;
constexpr uint32_t kFhCharacteristics = 18;

// Optional header fields, relative to the optional header (same place in PE32 and PE32+).
constexpr uint32_t kOhSizeOfInitializedData = 8;
constexpr uint32_t kOhSectionAlignment = 32;
constexpr uint32_t kOhFileAlignment = 36;
constexpr uint32_t kOhSizeOfImage = 56;
constexpr uint32_t kOhSizeOfHeaders = 60;
constexpr uint32_t kOhCheckSum = 64;
constexpr uint32_t kOhMajorSubsystemVersion = 48;
constexpr uint32_t kOhMinorSubsystemVersion = 50;
constexpr uint32_t kOhDllCharacteristics = 70;
// These two differ: PE32+ widens the stack and heap sizes to 64 bits.
constexpr uint32_t kOhNumberOfRvaAndSizes32 = 92;
constexpr uint32_t kOhNumberOfRvaAndSizes64 = 108;

constexpr uint32_t kDirImport = 1;
constexpr uint32_t kDirSecurity = 4;  // a file offset, not an RVA
constexpr uint32_t kDirResource = 2;
constexpr uint32_t kDirDebug = 6;
constexpr uint32_t kDirBoundImport = 11;
constexpr uint32_t kMaxDataDirectories = 16;

// File header Characteristics and optional header DllCharacteristics flags.
constexpr uint16_t kFileLargeAddressAware = 0x0020;
constexpr uint16_t kDllDynamicBase = 0x0040;
constexpr uint16_t kDllNxCompat = 0x0100;
constexpr uint16_t kDllTerminalServerAware = 0x8000;

// Import descriptors: 20 bytes each, a zero one ends the list.
constexpr uint32_t kImportDescriptorSize = 20;
constexpr uint32_t kImportLookupTable = 0;
constexpr uint32_t kImportName = 12;
constexpr uint32_t kImportAddressTable = 16;

// Section header fields, relative to the section header.
constexpr uint32_t kShVirtualSize = 8;
constexpr uint32_t kShVirtualAddress = 12;
constexpr uint32_t kShSizeOfRawData = 16;
constexpr uint32_t kShPointerToRawData = 20;
constexpr uint32_t kShCharacteristics = 36;

constexpr uint32_t kScnInitializedData = 0x00000040;
constexpr uint32_t kScnMemRead = 0x40000000;

constexpr uint32_t kDebugEntrySize = 28;
constexpr uint32_t kDebugSizeOfData = 16;
constexpr uint32_t kDebugPointerToRawData = 24;

// Resource directory structures.
constexpr uint32_t kResTableSize = 16;
constexpr uint32_t kResTableNamedCount = 12;
constexpr uint32_t kResTableIdCount = 14;
constexpr uint32_t kResEntrySize = 8;
constexpr uint32_t kResDataEntrySize = 16;
constexpr uint32_t kResHighBit = 0x80000000u;
constexpr uint32_t kResDataAlignment = 8;

inline uint16_t get16(const std::vector<uint8_t>& b, uint64_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
inline uint32_t get32(const std::vector<uint8_t>& b, uint64_t at) {
    return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
           (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
inline void put16(std::vector<uint8_t>& b, uint64_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
inline void put32(std::vector<uint8_t>& b, uint64_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
// True when [at, at + length) lies inside a buffer of `size` bytes; never overflows.
inline bool fits(uint64_t size, uint64_t at, uint64_t length) {
    return at <= size && length <= size - at;
}
inline uint64_t alignUp(uint64_t value, uint64_t alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

}  // namespace pe
