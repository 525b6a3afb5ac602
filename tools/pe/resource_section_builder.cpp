// Section layout, as resource compilers write it: every directory table depth-first (a type's
// name table, then each name's language table), the 16-byte data entries in directory order,
// the length-prefixed UTF-16 names, then each resource's data on an 8-byte boundary.
#include "tools/pe/resource_section_builder.h"

#include <algorithm>

#include "tools/pe/pe_format.h"
#include "tools/pe/pe_image.h"
#include "tools/pe/resource_names.h"

using namespace pe;

namespace {

constexpr uint64_t kMaxSectionSize = 0x7fff0000;  // offsets in the directory keep 31 bits

struct NameNode {
    ResourceName name;
    std::vector<const PeResource*> languages;
};
struct TypeNode {
    ResourceName type;
    std::vector<NameNode> names;
};

std::string describeKey(const PeResource& r) {
    return describeResourceName(r.type) + "/" + describeResourceName(r.name) + " langue " +
           std::to_string(r.language);
}

bool groupResources(const std::vector<PeResource>& resources, std::vector<TypeNode>& types,
                    std::string& error) {
    std::vector<const PeResource*> sorted;
    for (const PeResource& r : resources) sorted.push_back(&r);
    std::stable_sort(sorted.begin(), sorted.end(), [](const PeResource* a, const PeResource* b) {
        return resourceKeyLess(*a, *b);
    });
    for (size_t i = 0; i < sorted.size(); ++i) {
        const PeResource& r = *sorted[i];
        if (r.type.name.size() > 0xffff || r.name.name.size() > 0xffff) {
            error = "nom de ressource de plus de 65535 caractères";
            return false;
        }
        const bool newType = i == 0 || compareResourceNames(sorted[i - 1]->type, r.type) != 0;
        const bool newName = newType || compareResourceNames(sorted[i - 1]->name, r.name) != 0;
        // The directory holds one entry per name; names equal but for case would merge.
        if ((!newType && sorted[i - 1]->type.name != r.type.name) ||
            (!newName && sorted[i - 1]->name.name != r.name.name)) {
            error = "noms de ressources qui ne diffèrent que par la casse : " +
                    describeKey(*sorted[i - 1]) + " et " + describeKey(r);
            return false;
        }
        if (!newName && sorted[i - 1]->language == r.language) {
            error = "deux ressources ont les mêmes type, nom et langue : " + describeKey(r);
            return false;
        }
        if (newType) types.push_back({r.type, {}});
        if (newName) types.back().names.push_back({r.name, {}});
        types.back().names.back().languages.push_back(&r);
    }
    return true;
}

uint64_t tableSize(size_t entries) { return kResTableSize + uint64_t{kResEntrySize} * entries; }

// Where each piece goes: filled by the sizing pass, used by the writing pass.
struct Cursor {
    uint64_t table = 0;
    uint64_t dataEntry = 0;
    uint64_t string = 0;
    uint64_t data = 0;
};

template <typename Node, typename Key>
size_t namedCount(const std::vector<Node>& nodes, Key key) {
    return static_cast<size_t>(
        std::count_if(nodes.begin(), nodes.end(), [&](const Node& n) { return key(n).isName(); }));
}
const ResourceName& typeKey(const TypeNode& t) { return t.type; }
const ResourceName& nameKey(const NameNode& n) { return n.name; }

struct Writer {
    std::vector<uint8_t>& out;
    uint32_t sectionRva;
    Cursor at;

    uint32_t nameField(const ResourceName& n) {
        if (!n.isName()) return n.id;
        const uint64_t offset = at.string;
        put16(out, offset, static_cast<uint16_t>(n.name.size()));
        for (size_t i = 0; i < n.name.size(); ++i) put16(out, offset + 2 + 2 * i, n.name[i]);
        at.string += 2 + 2 * uint64_t{n.name.size()};
        return kResHighBit | static_cast<uint32_t>(offset);
    }

    // Writes a table header and returns the offset of its first entry.
    uint64_t table(size_t named, size_t total) {
        const uint64_t offset = at.table;
        put16(out, offset + kResTableNamedCount, static_cast<uint16_t>(named));
        put16(out, offset + kResTableIdCount, static_cast<uint16_t>(total - named));
        at.table += tableSize(total);
        return offset + kResTableSize;
    }

    void entry(uint64_t entryOffset, uint32_t name, uint32_t target) {
        put32(out, entryOffset, name);
        put32(out, entryOffset + 4, target);
    }

    // An entry that leads to the table written next.
    void tableEntry(uint64_t entryOffset, const ResourceName& name) {
        const uint32_t field = nameField(name);
        entry(entryOffset, field, kResHighBit | static_cast<uint32_t>(at.table));
    }

    void leaf(uint64_t entryOffset, const PeResource& r) {
        entry(entryOffset, r.language, static_cast<uint32_t>(at.dataEntry));
        at.data = alignUp(at.data, kResDataAlignment);
        put32(out, at.dataEntry, sectionRva + static_cast<uint32_t>(at.data));
        put32(out, at.dataEntry + 4, static_cast<uint32_t>(r.data.size()));
        put32(out, at.dataEntry + 8, r.codePage);
        std::copy(r.data.begin(), r.data.end(), out.begin() + static_cast<ptrdiff_t>(at.data));
        at.data += r.data.size();
        at.dataEntry += kResDataEntrySize;
    }

    void names(const TypeNode& type) {
        const uint64_t first = table(namedCount(type.names, nameKey), type.names.size());
        for (size_t i = 0; i < type.names.size(); ++i) {
            const NameNode& name = type.names[i];
            tableEntry(first + i * kResEntrySize, name.name);
            const uint64_t firstLanguage = table(0, name.languages.size());
            for (size_t j = 0; j < name.languages.size(); ++j)
                leaf(firstLanguage + j * kResEntrySize, *name.languages[j]);
        }
    }

    void root(const std::vector<TypeNode>& types) {
        const uint64_t first = table(namedCount(types, typeKey), types.size());
        for (size_t i = 0; i < types.size(); ++i) {
            tableEntry(first + i * kResEntrySize, types[i].type);
            names(types[i]);
        }
    }
};

bool tooMany(size_t total, size_t named) { return named > 0xffff || total - named > 0xffff; }

// Sizes of the four areas; fails when a table would hold more than 65535 names or ids.
bool measure(const std::vector<TypeNode>& types, Cursor& start, uint64_t& total,
             std::string& error) {
    uint64_t tables = tableSize(types.size()), entries = 0, strings = 0, data = 0;
    if (tooMany(types.size(), namedCount(types, typeKey))) {
        error = "trop de types de ressources pour une table de répertoire";
        return false;
    }
    for (const TypeNode& t : types) {
        tables += tableSize(t.names.size());
        if (t.type.isName()) strings += 2 + 2 * uint64_t{t.type.name.size()};
        if (tooMany(t.names.size(), namedCount(t.names, nameKey))) {
            error = "trop de ressources de type " + describeResourceName(t.type);
            return false;
        }
        for (const NameNode& n : t.names) {
            tables += tableSize(n.languages.size());
            if (n.name.isName()) strings += 2 + 2 * uint64_t{n.name.name.size()};
            if (n.languages.size() > 0xffff) {
                error = "trop de langues pour la ressource " + describeResourceName(n.name);
                return false;
            }
            entries += uint64_t{kResDataEntrySize} * n.languages.size();
            for (const PeResource* r : n.languages)
                data = alignUp(data, kResDataAlignment) + r->data.size();
        }
    }
    start.table = 0;
    start.dataEntry = tables;
    start.string = tables + entries;
    start.data = alignUp(start.string + strings, kResDataAlignment);
    total = start.data + data;
    return true;
}

}  // namespace

bool buildResourceSection(const std::vector<PeResource>& resources, uint32_t sectionRva,
                          std::vector<uint8_t>& section, std::string& error) {
    std::vector<TypeNode> types;
    if (!groupResources(resources, types, error)) return false;
    Cursor start;
    uint64_t total = 0;
    if (!measure(types, start, total, error)) return false;
    if (total > kMaxSectionSize || total > 0xffffffffull - sectionRva) {
        error =
            "ressources trop grandes pour une section PE (" + std::to_string(total) + " octets)";
        return false;
    }
    section.assign(static_cast<size_t>(total), 0);
    Writer writer{section, sectionRva, start};
    writer.root(types);
    return true;
}
