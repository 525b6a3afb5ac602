#include "tools/pe/pe_image.h"

#include <algorithm>

#include "tools/pe/pe_format.h"

using namespace pe;

namespace {

bool parseOptionalHeader(const std::vector<uint8_t>& image, PeImage& p, uint16_t optionalSize,
                         std::string& error) {
    const uint32_t oh = p.optionalHeaderOffset;
    if (optionalSize < 2 || !fits(image.size(), oh, optionalSize)) {
        error = "l'en-tête optionnel PE dépasse la fin du fichier";
        return false;
    }
    const uint16_t magic = get16(image, oh);
    if (magic != kMagicPe32 && magic != kMagicPe32Plus) {
        error = "pas une image PE32 ni PE32+ (nombre magique de l'en-tête optionnel " +
                peHex(magic) + ")";
        return false;
    }
    p.is64 = magic == kMagicPe32Plus;
    const uint32_t countField = p.is64 ? kOhNumberOfRvaAndSizes64 : kOhNumberOfRvaAndSizes32;
    if (optionalSize < countField + 4) {
        error =
            "l'en-tête optionnel PE est trop court (" + std::to_string(optionalSize) + " octets)";
        return false;
    }
    p.sectionAlignment = get32(image, oh + kOhSectionAlignment);
    p.fileAlignment = get32(image, oh + kOhFileAlignment);
    p.sizeOfImage = get32(image, oh + kOhSizeOfImage);
    p.sizeOfHeaders = get32(image, oh + kOhSizeOfHeaders);
    p.dataDirectoryOffset = oh + countField + 4;
    const uint32_t room = (optionalSize - countField - 4) / 8;
    p.dataDirectoryCount = std::min({get32(image, oh + countField), room, kMaxDataDirectories});
    return true;
}

bool parseSections(const std::vector<uint8_t>& image, PeImage& p, uint16_t count,
                   std::string& error) {
    if (!fits(image.size(), p.sectionTableOffset, uint64_t{count} * kSectionHeaderSize)) {
        error = "la table des sections PE dépasse la fin du fichier";
        return false;
    }
    p.sections.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t at = p.sectionTableOffset + i * kSectionHeaderSize;
        PeSection& s = p.sections[i];
        s.headerOffset = at;
        const auto* raw = reinterpret_cast<const char*>(image.data() + at);
        s.name.assign(raw, std::find(raw, raw + 8, '\0'));
        for (char& c : s.name)  // names end up in messages
            if (c < 0x20 || c > 0x7e) c = '?';
        s.virtualSize = get32(image, at + kShVirtualSize);
        s.virtualAddress = get32(image, at + kShVirtualAddress);
        s.sizeOfRawData = get32(image, at + kShSizeOfRawData);
        s.pointerToRawData = get32(image, at + kShPointerToRawData);
        s.characteristics = get32(image, at + kShCharacteristics);
    }
    return true;
}

}  // namespace

bool parsePeImage(const std::vector<uint8_t>& image, PeImage& p, std::string& error) {
    p = PeImage{};
    if (image.size() < kDosHeaderSize || image[0] != 'M' || image[1] != 'Z') {
        error = "pas un fichier PE (pas d'en-tête MZ)";
        return false;
    }
    const uint32_t peOffset = get32(image, kDosLfanewOffset);
    if (!fits(image.size(), peOffset, 4 + kFileHeaderSize)) {
        error = "pas un fichier PE (la position de l'en-tête PE est hors du fichier)";
        return false;
    }
    if (get32(image, peOffset) != 0x00004550) {  // "PE\0\0"
        error = "pas un fichier PE (pas de signature PE)";
        return false;
    }
    p.fileHeaderOffset = peOffset + 4;
    const uint16_t sectionCount = get16(image, p.fileHeaderOffset + kFhNumberOfSections);
    const uint16_t optionalSize = get16(image, p.fileHeaderOffset + kFhSizeOfOptionalHeader);
    p.pointerToSymbolTable = get32(image, p.fileHeaderOffset + kFhPointerToSymbolTable);
    p.numberOfSymbols = get32(image, p.fileHeaderOffset + kFhNumberOfSymbols);
    p.optionalHeaderOffset = p.fileHeaderOffset + kFileHeaderSize;
    p.sectionTableOffset = p.optionalHeaderOffset + optionalSize;
    return parseOptionalHeader(image, p, optionalSize, error) &&
           parseSections(image, p, sectionCount, error);
}

PeDataDirectory dataDirectory(const std::vector<uint8_t>& image, const PeImage& p, uint32_t index) {
    if (index >= p.dataDirectoryCount) return {};
    const uint32_t at = p.dataDirectoryOffset + index * 8;
    return {get32(image, at), get32(image, at + 4)};
}

uint32_t sectionSpan(const PeSection& s) {
    return s.virtualSize != 0 ? s.virtualSize : s.sizeOfRawData;
}

int sectionOfRva(const PeImage& p, uint32_t rva) {
    for (size_t i = 0; i < p.sections.size(); ++i) {
        const PeSection& s = p.sections[i];
        if (rva >= s.virtualAddress && rva - s.virtualAddress < sectionSpan(s))
            return static_cast<int>(i);
    }
    return -1;
}

bool rvaToFileOffset(const PeImage& p, uint64_t fileSize, uint32_t rva, uint32_t size,
                     uint64_t& offset) {
    const int index = sectionOfRva(p, rva);
    if (index < 0) return false;
    const PeSection& s = p.sections[index];
    const uint64_t within = rva - s.virtualAddress;
    // The loader maps no more of the raw data than the section's span.
    if (!fits(std::min(s.sizeOfRawData, sectionSpan(s)), within, size)) return false;
    offset = uint64_t{s.pointerToRawData} + within;
    return fits(fileSize, offset, size);
}

std::string peHex(uint32_t value) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), digits[value & 15]);
        value >>= 4;
    } while (value != 0);
    return "0x" + text;
}

uint32_t checksumOffset(const PeImage& p) { return p.optionalHeaderOffset + kOhCheckSum; }

uint32_t peChecksum(const std::vector<uint8_t>& image, uint32_t field) {
    uint64_t sum = 0;
    const size_t size = image.size();
    auto byteAt = [&](size_t i) -> uint32_t {
        if (i >= size || (i >= field && i - field < 4)) return 0;
        return image[i];
    };
    for (size_t i = 0; i < size; i += 2) {
        sum += byteAt(i) | (byteAt(i + 1) << 8);
        sum = (sum & 0xffff) + (sum >> 16);
    }
    sum = (sum & 0xffff) + (sum >> 16);
    return static_cast<uint32_t>(sum + size);
}
