// Rewrites an image with a new resource section: copies what is kept, places the new section,
// moves the bytes that followed the last section (COFF symbols, other appended data) behind it,
// then mends every header field that the move touches.
#include <algorithm>

#include "tools/pe/pe_format.h"
#include "tools/pe/pe_image.h"
#include "tools/pe/pe_resources.h"
#include "tools/pe/pe_write_plan.h"
#include "tools/pe/resource_section_builder.h"

using namespace pe;

namespace {

constexpr char kResourceSectionName[] = ".rsrc";
constexpr char kOldResourceSectionName[] = ".oldrsrc";  // so that only one section is ".rsrc"

void setName(std::vector<uint8_t>& out, uint32_t headerOffset, const char* name) {
    for (uint32_t i = 0; i < 8; ++i) out[headerOffset + i] = 0;
    for (uint32_t i = 0; i < 8 && name[i] != '\0'; ++i)
        out[headerOffset + i] = static_cast<uint8_t>(name[i]);
}

void assemble(const std::vector<uint8_t>& image, const PeWritePlan& plan,
              const std::vector<uint8_t>& section, uint64_t rawSize, std::vector<uint8_t>& out) {
    const auto at = [&](uint64_t offset) { return image.begin() + static_cast<ptrdiff_t>(offset); };
    out.assign(at(0), at(plan.keepPrefix));
    out.resize(static_cast<size_t>(plan.rawPointer), 0);
    out.insert(out.end(), section.begin(), section.end());
    out.resize(static_cast<size_t>(plan.rawPointer + rawSize), 0);
    out.insert(out.end(), at(plan.overlayStart), at(plan.overlayEnd));
}

// The section header of the new resources, and the renamed header of the old ones.
void writeSectionHeader(std::vector<uint8_t>& out, const PeImage& pe, const PeWritePlan& plan,
                        uint32_t size, uint32_t rawSize) {
    uint32_t header = 0;
    if (plan.section >= 0) {
        header = pe.sections[plan.section].headerOffset;
    } else {
        header = plan.newHeaderOffset;
        std::fill(out.begin() + header, out.begin() + header + kSectionHeaderSize, 0);
        setName(out, header, kResourceSectionName);
        put32(out, header + kShVirtualAddress, plan.rva);
        put32(out, header + kShCharacteristics, kScnInitializedData | kScnMemRead);
        put16(out, pe.fileHeaderOffset + kFhNumberOfSections,
              static_cast<uint16_t>(pe.sections.size() + 1));
        if (plan.oldResources >= 0 && pe.sections[plan.oldResources].name == kResourceSectionName)
            setName(out, pe.sections[plan.oldResources].headerOffset, kOldResourceSectionName);
    }
    put32(out, header + kShVirtualSize, size);
    put32(out, header + kShSizeOfRawData, rawSize);
    put32(out, header + kShPointerToRawData, static_cast<uint32_t>(plan.rawPointer));
}

void fixOptionalHeader(std::vector<uint8_t>& out, const PeImage& pe, const PeWritePlan& plan,
                       uint32_t size, uint32_t rawSize) {
    const uint32_t oh = pe.optionalHeaderOffset;
    uint64_t imageEnd = uint64_t{plan.rva} + size;
    int64_t initialized = get32(out, oh + kOhSizeOfInitializedData) + int64_t{rawSize};
    for (size_t i = 0; i < pe.sections.size(); ++i) {
        const PeSection& s = pe.sections[i];
        if (static_cast<int>(i) == plan.section) {
            if (s.characteristics & kScnInitializedData) initialized -= s.sizeOfRawData;
            continue;
        }
        imageEnd = std::max<uint64_t>(imageEnd, uint64_t{s.virtualAddress} + sectionSpan(s));
    }
    imageEnd = std::max<uint64_t>(imageEnd, plan.sizeOfHeaders);
    put32(out, oh + kOhSizeOfImage, static_cast<uint32_t>(alignUp(imageEnd, pe.sectionAlignment)));
    put32(out, oh + kOhSizeOfInitializedData,
          static_cast<uint32_t>(std::clamp<int64_t>(initialized, 0, 0xffffffff)));
    put32(out, oh + kOhSizeOfHeaders, plan.sizeOfHeaders);
    const uint32_t resourceEntry = pe.dataDirectoryOffset + kDirResource * 8;
    put32(out, resourceEntry, plan.rva);
    put32(out, resourceEntry + 4, size);
    if (dataDirectory(out, pe, kDirSecurity).size != 0) {
        put32(out, pe.dataDirectoryOffset + kDirSecurity * 8, 0);
        put32(out, pe.dataDirectoryOffset + kDirSecurity * 8 + 4, 0);
    }
    if (plan.clearBoundImports) {
        put32(out, pe.dataDirectoryOffset + kDirBoundImport * 8, 0);
        put32(out, pe.dataDirectoryOffset + kDirBoundImport * 8 + 4, 0);
    }
}

// File offsets that point past the moved section: the COFF symbol table (MinGW keeps one unless
// stripped; its string table also holds the long section names such as "/4") and debug data.
void fixFileOffsets(const std::vector<uint8_t>& image, std::vector<uint8_t>& out, const PeImage& pe,
                    const PeWritePlan& plan, uint64_t rawSize) {
    uint64_t mapped = 0;
    if (pe.pointerToSymbolTable != 0) {
        const bool kept = mapFileRange(plan, rawSize, pe.pointerToSymbolTable, 1, mapped);
        put32(out, pe.fileHeaderOffset + kFhPointerToSymbolTable, kept ? uint32_t(mapped) : 0);
        if (!kept) put32(out, pe.fileHeaderOffset + kFhNumberOfSymbols, 0);
    }
    const PeDataDirectory debug = dataDirectory(image, pe, kDirDebug);
    uint64_t table = 0;
    if (debug.rva == 0 || !rvaToFileOffset(pe, image.size(), debug.rva, debug.size, table) ||
        !mapFileRange(plan, rawSize, table, debug.size, table))
        return;
    for (uint32_t i = 0; i + kDebugEntrySize <= debug.size; i += kDebugEntrySize) {
        const uint64_t field = table + i + kDebugPointerToRawData;
        const uint32_t pointer = get32(out, field);
        if (pointer == 0) continue;
        const uint32_t length =
            std::max<uint32_t>(get32(out, field - kDebugPointerToRawData + kDebugSizeOfData), 1);
        const bool kept = mapFileRange(plan, rawSize, pointer, length, mapped);
        put32(out, field, kept ? static_cast<uint32_t>(mapped) : 0);
    }
}

}  // namespace

bool writePeResources(const std::vector<uint8_t>& image, const std::vector<PeResource>& resources,
                      std::vector<uint8_t>& out, std::string& error) {
    out.clear();
    PeImage pe;
    PeWritePlan plan;
    if (!parsePeImage(image, pe, error) || !planResourceWrite(image, pe, plan, error)) return false;
    std::vector<uint8_t> section;
    if (!buildResourceSection(resources, plan.rva, section, error)) return false;
    if (alignUp(uint64_t{plan.rva} + section.size(), pe.sectionAlignment) > 0xffffffffull) {
        error = "plus d'espace d'adressage pour les ressources";
        return false;
    }
    const uint64_t rawSize = alignUp(section.size(), pe.fileAlignment);
    if (plan.rawPointer + rawSize + (plan.overlayEnd - plan.overlayStart) > 0xffffffffull) {
        error = "le fichier réécrit dépasserait 4 Gio";
        return false;
    }
    assemble(image, plan, section, rawSize, out);
    const auto size = static_cast<uint32_t>(section.size());
    writeSectionHeader(out, pe, plan, size, static_cast<uint32_t>(rawSize));
    fixOptionalHeader(out, pe, plan, size, static_cast<uint32_t>(rawSize));
    fixFileOffsets(image, out, pe, plan, rawSize);
    put32(out, checksumOffset(pe), peChecksum(out, checksumOffset(pe)));
    return true;
}
