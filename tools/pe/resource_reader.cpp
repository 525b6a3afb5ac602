// Reads the three-level resource tree (type, name, language) of a PE image. Every offset is
// checked against the resource section and the file; each table may be reached only once, so a
// directory that points back into itself is refused rather than followed.
#include <algorithm>
#include <set>

#include "tools/pe/pe_format.h"
#include "tools/pe/pe_image.h"
#include "tools/pe/pe_resources.h"

using namespace pe;

namespace {

const char* const kLevelNames[] = {"types", "noms", "langues"};

struct TreeView {
    const std::vector<uint8_t>& image;
    const PeImage& pe;
    uint64_t base = 0;   // file offset of the root table
    uint64_t limit = 0;  // bytes of the resource section from `base` on
    std::set<uint32_t> visitedTables;
    uint64_t dataTotal = 0;
};

struct DirEntry {
    ResourceName name;
    uint32_t target = 0;  // offset from the root, without the high bit
    bool isTable = false;
};

bool damaged(std::string& error, const std::string& what) {
    error = "le répertoire des ressources est abîmé : " + what;
    return false;
}

bool readName(const TreeView& v, uint32_t field, ResourceName& out, std::string& error) {
    out = ResourceName{};
    if ((field & kResHighBit) == 0) {
        if (field > 0xffff) return damaged(error, "une entrée a l'identifiant " + peHex(field));
        out.id = static_cast<uint16_t>(field);
        return true;
    }
    const uint32_t offset = field & ~kResHighBit;
    if (!fits(v.limit, offset, 2))
        return damaged(error, "un nom est hors de la section des ressources");
    const uint16_t length = get16(v.image, v.base + offset);
    if (length == 0) return damaged(error, "un nom est vide");
    if (!fits(v.limit, uint64_t{offset} + 2, uint64_t{length} * 2))
        return damaged(error, "un nom dépasse la fin de la section des ressources");
    out.name.resize(length);
    for (uint16_t i = 0; i < length; ++i)
        out.name[i] = static_cast<char16_t>(get16(v.image, v.base + offset + 2 + 2u * i));
    return true;
}

bool readTable(TreeView& v, uint32_t offset, int level, std::vector<DirEntry>& entries,
               std::string& error) {
    const std::string what =
        std::string("la table des ") + kLevelNames[level] + " en " + peHex(offset);
    if (!v.visitedTables.insert(offset).second)
        return damaged(error, what + " est atteinte deux fois (répertoire partagé ou en boucle)");
    if (!fits(v.limit, offset, kResTableSize))
        return damaged(error, what + " est hors de la section des ressources");
    const uint64_t at = v.base + offset;
    const uint32_t count =
        uint32_t{get16(v.image, at + kResTableNamedCount)} + get16(v.image, at + kResTableIdCount);
    if (!fits(v.limit, uint64_t{offset} + kResTableSize, uint64_t{count} * kResEntrySize))
        return damaged(error, what + " dépasse la fin de la section des ressources");
    entries.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t entry = at + kResTableSize + uint64_t{i} * kResEntrySize;
        if (!readName(v, get32(v.image, entry), entries[i].name, error)) return false;
        const uint32_t target = get32(v.image, entry + 4);
        entries[i].isTable = (target & kResHighBit) != 0;
        entries[i].target = target & ~kResHighBit;
        const bool wantTable = level < 2;
        if (entries[i].isTable != wantTable)
            return damaged(error, what + (wantTable ? " mène à des données au lieu d'une table"
                                                    : " va plus loin que type, nom et langue"));
        if (level == 2 && entries[i].name.isName())
            return damaged(error, what + " désigne une langue par une chaîne");
    }
    return true;
}

bool readDataEntry(TreeView& v, uint32_t offset, PeResource& r, std::string& error) {
    if (!fits(v.limit, offset, kResDataEntrySize))
        return damaged(error, "une entrée de données est hors de la section des ressources");
    const uint64_t at = v.base + offset;
    const uint32_t rva = get32(v.image, at);
    const uint32_t size = get32(v.image, at + 4);
    r.codePage = get32(v.image, at + 8);
    uint64_t fileOffset = 0;
    if (size > 0 && !rvaToFileOffset(v.pe, v.image.size(), rva, size, fileOffset)) {
        error = "les données de ressource en RVA " + peHex(rva) + " (" + std::to_string(size) +
                " octets) sont hors des sections du fichier";
        return false;
    }
    // Shared or overlapping data could multiply the output far beyond the input: refuse it.
    v.dataTotal += size;
    if (v.dataTotal > v.image.size())
        return damaged(error, "ses entrées de données dépassent au total la taille du fichier");
    r.data.assign(v.image.begin() + static_cast<ptrdiff_t>(fileOffset),
                  v.image.begin() + static_cast<ptrdiff_t>(fileOffset + size));
    return true;
}

bool readTree(TreeView& v, std::vector<PeResource>& resources, std::string& error) {
    std::vector<DirEntry> types, names, languages;
    if (!readTable(v, 0, 0, types, error)) return false;
    for (const DirEntry& type : types) {
        if (!readTable(v, type.target, 1, names, error)) return false;
        for (const DirEntry& name : names) {
            if (!readTable(v, name.target, 2, languages, error)) return false;
            for (const DirEntry& language : languages) {
                PeResource r;
                r.type = type.name;
                r.name = name.name;
                r.language = language.name.id;
                if (!readDataEntry(v, language.target, r, error)) return false;
                resources.push_back(std::move(r));
            }
        }
    }
    return true;
}

}  // namespace

bool readPeResources(const std::vector<uint8_t>& image, std::vector<PeResource>& resources,
                     std::string& error) {
    resources.clear();
    PeImage pe;
    if (!parsePeImage(image, pe, error)) return false;
    const PeDataDirectory dir = dataDirectory(image, pe, kDirResource);
    if (dir.rva == 0) return true;
    const int index = sectionOfRva(pe, dir.rva);
    if (index < 0) {
        error =
            "le répertoire des ressources (RVA " + peHex(dir.rva) + ") est hors de toute section";
        return false;
    }
    const PeSection& section = pe.sections[index];
    const uint64_t within = dir.rva - section.virtualAddress;
    const uint64_t mapped = std::min(section.sizeOfRawData, sectionSpan(section));
    if (within >= mapped) {
        error = "le répertoire des ressources est dans la partie non initialisée de la section " +
                section.name;
        return false;
    }
    if (!fits(image.size(), section.pointerToRawData, section.sizeOfRawData)) {
        error = "la section des ressources est hors du fichier";
        return false;
    }
    TreeView view{image, pe, section.pointerToRawData + within, mapped - within, {}, 0};
    if (!readTree(view, resources, error)) {
        resources.clear();
        return false;
    }
    return true;
}
