#include "tools/pe/pe_write_plan.h"

#include <algorithm>

#include "tools/pe/pe_format.h"

using namespace pe;

namespace {

bool isPowerOfTwo(uint32_t v) { return v != 0 && (v & (v - 1)) == 0; }

uint64_t virtualEnd(const PeSection& s) { return uint64_t{s.virtualAddress} + sectionSpan(s); }

bool checkImage(const std::vector<uint8_t>& image, const PeImage& pe, std::string& error) {
    if (pe.dataDirectoryCount <= kDirResource) {
        error = "l'en-tête optionnel n'a pas d'entrée de répertoire des ressources";
        return false;
    }
    if (!isPowerOfTwo(pe.fileAlignment) || !isPowerOfTwo(pe.sectionAlignment) ||
        pe.fileAlignment > pe.sectionAlignment) {
        error = "alignement des sections inhabituel (fichier " + peHex(pe.fileAlignment) +
                ", mémoire " + peHex(pe.sectionAlignment) + ")";
        return false;
    }
    if (pe.sizeOfHeaders > image.size()) {
        error = "SizeOfHeaders dépasse la fin du fichier";
        return false;
    }
    if (pe.sizeOfHeaders <
        pe.sectionTableOffset + uint64_t{kSectionHeaderSize} * pe.sections.size()) {
        error = "SizeOfHeaders ne couvre pas la table des sections";
        return false;
    }
    for (const PeSection& s : pe.sections) {
        if (s.sizeOfRawData != 0 && !fits(image.size(), s.pointerToRawData, s.sizeOfRawData)) {
            error = "la section " + s.name + " dépasse la fin du fichier (fichier tronqué ?)";
            return false;
        }
    }
    return true;
}

// In place only for a section that holds nothing but resources: named .rsrc, the directory at
// its start, no other directory inside it, and last in memory so that it may grow.
bool canRewriteInPlace(const std::vector<uint8_t>& image, const PeImage& pe, int index) {
    if (index < 0) return false;
    const PeSection& s = pe.sections[index];
    if (s.name != ".rsrc" || dataDirectory(image, pe, kDirResource).rva != s.virtualAddress)
        return false;
    for (const PeSection& other : pe.sections)
        if (&other != &s && other.virtualAddress >= s.virtualAddress) return false;
    for (uint32_t d = 0; d < pe.dataDirectoryCount; ++d) {
        if (d == kDirResource || d == kDirSecurity) continue;
        const PeDataDirectory dir = dataDirectory(image, pe, d);
        if (dir.rva != 0 && sectionOfRva(pe, dir.rva) == index) return false;
    }
    return true;
}

bool planNewHeader(const std::vector<uint8_t>& image, const PeImage& pe, PeWritePlan& plan,
                   std::string& error) {
    if (pe.sections.size() >= 0xffff) {
        error = "pas de place pour une section de plus (déjà 65535)";
        return false;
    }
    const uint64_t at = pe.sectionTableOffset + uint64_t{kSectionHeaderSize} * pe.sections.size();
    const uint64_t end = at + kSectionHeaderSize;
    uint64_t firstData = plan.rawPointer, firstVirtual = plan.rva;
    for (const PeSection& s : pe.sections) {
        if (s.sizeOfRawData != 0) firstData = std::min<uint64_t>(firstData, s.pointerToRawData);
        firstVirtual = std::min<uint64_t>(firstVirtual, s.virtualAddress);
    }
    if (end > firstData || end > firstVirtual || end > image.size()) {
        error =
            "pas de place pour un en-tête de section de plus avant les données de la première "
            "section";
        return false;
    }
    const PeDataDirectory bound = dataDirectory(image, pe, kDirBoundImport);
    const bool boundHere =
        bound.rva != 0 && bound.rva < end && uint64_t{bound.rva} + bound.size > at;
    const bool blank =
        std::all_of(image.begin() + static_cast<ptrdiff_t>(at),
                    image.begin() + static_cast<ptrdiff_t>(end), [](uint8_t b) { return b == 0; });
    if (!blank && !boundHere) {
        error =
            "pas de place pour un en-tête de section de plus : les octets après la table des "
            "sections sont utilisés";
        return false;
    }
    // Bound imports only speed up loading; the loader binds afresh without them.
    plan.clearBoundImports = boundHere;
    plan.newHeaderOffset = static_cast<uint32_t>(at);
    const uint64_t headers = std::min({alignUp(end, pe.fileAlignment), firstData, firstVirtual});
    plan.sizeOfHeaders = static_cast<uint32_t>(std::max<uint64_t>(pe.sizeOfHeaders, headers));
    return true;
}

// A signature covers the file as it was; it is dropped, with its bytes when they end the file.
void planOverlay(const std::vector<uint8_t>& image, const PeImage& pe, PeWritePlan& plan) {
    plan.overlayEnd = image.size();
    const PeDataDirectory cert = dataDirectory(image, pe, kDirSecurity);
    if (cert.size != 0 && cert.rva >= plan.overlayStart && cert.rva < image.size() &&
        uint64_t{cert.rva} + cert.size >= image.size())
        plan.overlayEnd = cert.rva;
}

}  // namespace

bool planResourceWrite(const std::vector<uint8_t>& image, const PeImage& pe, PeWritePlan& plan,
                       std::string& error) {
    plan = PeWritePlan{};
    if (!checkImage(image, pe, error)) return false;
    const uint32_t dirRva = dataDirectory(image, pe, kDirResource).rva;
    plan.oldResources = dirRva != 0 ? sectionOfRva(pe, dirRva) : -1;
    if (canRewriteInPlace(image, pe, plan.oldResources)) plan.section = plan.oldResources;

    uint64_t rawEnd = pe.sizeOfHeaders, imageEnd = alignUp(pe.sizeOfHeaders, pe.sectionAlignment);
    for (const PeSection& s : pe.sections) {
        if (s.sizeOfRawData != 0)
            rawEnd = std::max<uint64_t>(rawEnd, uint64_t{s.pointerToRawData} + s.sizeOfRawData);
        imageEnd = std::max(imageEnd, virtualEnd(s));
    }
    plan.overlayStart = rawEnd;
    plan.keepPrefix = rawEnd;
    plan.rawPointer = alignUp(rawEnd, pe.fileAlignment);
    if (plan.section >= 0) {
        const PeSection& s = pe.sections[plan.section];
        plan.rva = s.virtualAddress;
        plan.sizeOfHeaders = pe.sizeOfHeaders;
        if (s.sizeOfRawData != 0 && s.pointerToRawData >= pe.sizeOfHeaders &&
            uint64_t{s.pointerToRawData} + s.sizeOfRawData == rawEnd)
            plan.keepPrefix = plan.rawPointer = s.pointerToRawData;
    } else {
        const uint64_t rva = alignUp(imageEnd, pe.sectionAlignment);
        if (rva >= 0xffffffffull) {
            error = "plus d'espace d'adressage pour une section de plus";
            return false;
        }
        plan.rva = static_cast<uint32_t>(rva);
        if (!planNewHeader(image, pe, plan, error)) return false;
    }
    planOverlay(image, pe, plan);
    return true;
}

bool mapFileRange(const PeWritePlan& plan, uint64_t rawSize, uint64_t offset, uint64_t length,
                  uint64_t& mapped) {
    if (offset < plan.keepPrefix && length <= plan.keepPrefix - offset) {
        mapped = offset;
        return true;
    }
    if (offset >= plan.overlayStart && offset < plan.overlayEnd &&
        length <= plan.overlayEnd - offset) {
        mapped = offset - plan.overlayStart + plan.rawPointer + rawSize;
        return true;
    }
    return false;
}
