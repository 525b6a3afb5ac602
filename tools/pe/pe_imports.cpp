#include "tools/pe/pe_imports.h"

#include "tools/pe/pe_format.h"
#include "tools/pe/pe_image.h"

using namespace pe;

namespace {

constexpr uint32_t kMaxNameLength = 512;
constexpr uint32_t kMaxImports = 1u << 16;  // a damaged table must not run on for ever

bool readName(const std::vector<uint8_t>& image, const PeImage& p, uint32_t rva,
              std::string& name) {
    uint64_t at = 0;
    name.clear();
    for (uint32_t i = 0; i < kMaxNameLength; ++i) {
        if (!rvaToFileOffset(p, image.size(), rva + i, 1, at)) return false;
        if (image[at] == 0) return true;
        name.push_back(static_cast<char>(image[at]));
    }
    return false;
}

// One descriptor's lookup table: 32-bit entries in PE32, 64-bit in PE32+, ended by zero.
bool readThunks(const std::vector<uint8_t>& image, const PeImage& p, uint32_t table,
                const std::string& dll, std::vector<PeImport>& imports) {
    const uint32_t width = p.is64 ? 8 : 4;
    for (uint32_t at = table;; at += width) {
        uint64_t offset = 0;
        if (imports.size() >= kMaxImports || !rvaToFileOffset(p, image.size(), at, width, offset))
            return false;
        const uint64_t entry =
            p.is64 ? get32(image, offset) | (uint64_t{get32(image, offset + 4)} << 32)
                   : get32(image, offset);
        if (entry == 0) return true;
        PeImport import;
        import.dll = dll;
        const bool byOrdinal = (entry >> (8 * width - 1)) != 0;
        if (byOrdinal)
            import.ordinal = static_cast<uint16_t>(entry);
        else if (!readName(image, p, static_cast<uint32_t>(entry) + 2, import.function))
            return false;  // the 2-byte hint comes first
        imports.push_back(import);
    }
}

}  // namespace

bool readPeImports(const std::vector<uint8_t>& image, std::vector<PeImport>& imports,
                   std::string& error) {
    imports.clear();
    PeImage p;
    if (!parsePeImage(image, p, error)) return false;
    const PeDataDirectory directory = dataDirectory(image, p, kDirImport);
    if (directory.rva == 0) return true;
    for (uint32_t at = directory.rva;; at += kImportDescriptorSize) {
        uint64_t offset = 0;
        if (!rvaToFileOffset(p, image.size(), at, kImportDescriptorSize, offset)) break;
        const uint32_t lookup = get32(image, offset + kImportLookupTable);
        const uint32_t name = get32(image, offset + kImportName);
        const uint32_t addresses = get32(image, offset + kImportAddressTable);
        if (name == 0 && addresses == 0) return true;
        std::string dll;
        if (!readName(image, p, name, dll) ||
            !readThunks(image, p, lookup ? lookup : addresses, dll, imports))
            break;
    }
    error = "la table des imports PE sort du fichier (" + peHex(directory.rva) + ")";
    return false;
}
