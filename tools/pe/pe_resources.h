// Reads and rewrites the resource section of PE32 and PE32+ images, without the Windows API,
// so that the authoring tool works the same on Linux and on Windows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ResourceName {  // an id, or a name when `name` is non-empty
    uint16_t id = 0;
    std::u16string name;  // string names are stored upper-case, as resource compilers do
    bool isName() const { return !name.empty(); }
};

struct PeResource {
    ResourceName type;  // e.g. {0, u"PATCH"} or {3 /*RT_ICON*/, u""}
    ResourceName name;
    uint16_t language = 0;
    uint32_t codePage = 0;
    std::vector<uint8_t> data;
};

// Reads every resource of a PE image (PE32 or PE32+), in the order of its resource directory.
// Returns false with a message saying what is wrong when the image is not a PE this reader
// understands or its resource directory is damaged. A PE without resources gives an empty list.
bool readPeResources(const std::vector<uint8_t>& image, std::vector<PeResource>& resources,
                     std::string& error);

// Returns in `out` a copy of `image` whose resources are exactly `resources` (to keep an
// existing resource, pass it back in). Names are written as given (resourceName() upper-cases);
// the directory is sorted as the loader expects. Rebuilds the resource section, fixes the
// section table, SizeOfImage, SizeOfInitializedData, SizeOfHeaders, the resource data directory,
// the COFF symbol table pointer and the PE checksum; an Authenticode signature, which could no
// longer be valid, is dropped. Refuses with a message a file it cannot safely rewrite and a list
// holding two resources of the same type, name and language.
bool writePeResources(const std::vector<uint8_t>& image, const std::vector<PeResource>& resources,
                      std::vector<uint8_t>& out, std::string& error);

// Convenience for callers: ResourceName from an ASCII string ("PATCH", upper-cased; "#104" is
// the id 104, as FindResourceA reads it) or an id.
ResourceName resourceName(const char* ascii);
ResourceName resourceId(uint16_t id);
