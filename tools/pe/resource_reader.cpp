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

const char* const kLevelNames[] = {"type", "name", "language"};

struct TreeView {
  const std::vector<uint8_t>& image;
  const PeImage& pe;
  uint64_t base = 0;    // file offset of the root table
  uint64_t limit = 0;   // bytes of the resource section from `base` on
  std::set<uint32_t> visitedTables;
  uint64_t dataTotal = 0;
};

struct DirEntry {
  ResourceName name;
  uint32_t target = 0;  // offset from the root, without the high bit
  bool isTable = false;
};

bool damaged(std::string& error, const std::string& what) {
  error = "resource directory is damaged: " + what;
  return false;
}

bool readName(const TreeView& v, uint32_t field, ResourceName& out, std::string& error) {
  out = ResourceName{};
  if ((field & kResHighBit) == 0) {
    if (field > 0xffff) return damaged(error, "an entry has the id " + peHex(field));
    out.id = static_cast<uint16_t>(field);
    return true;
  }
  const uint32_t offset = field & ~kResHighBit;
  if (!fits(v.limit, offset, 2)) return damaged(error, "a name lies outside the resource section");
  const uint16_t length = get16(v.image, v.base + offset);
  if (length == 0) return damaged(error, "a name is empty");
  if (!fits(v.limit, uint64_t{offset} + 2, uint64_t{length} * 2))
    return damaged(error, "a name runs past the end of the resource section");
  out.name.resize(length);
  for (uint16_t i = 0; i < length; ++i)
    out.name[i] = static_cast<char16_t>(get16(v.image, v.base + offset + 2 + 2u * i));
  return true;
}

bool readTable(TreeView& v, uint32_t offset, int level, std::vector<DirEntry>& entries,
               std::string& error) {
  const std::string what = std::string("the ") + kLevelNames[level] + " table at " + peHex(offset);
  if (!v.visitedTables.insert(offset).second)
    return damaged(error, what + " is reached twice (a shared or looping directory)");
  if (!fits(v.limit, offset, kResTableSize))
    return damaged(error, what + " lies outside the resource section");
  const uint64_t at = v.base + offset;
  const uint32_t count = uint32_t{get16(v.image, at + kResTableNamedCount)} +
                         get16(v.image, at + kResTableIdCount);
  if (!fits(v.limit, uint64_t{offset} + kResTableSize, uint64_t{count} * kResEntrySize))
    return damaged(error, what + " runs past the end of the resource section");
  entries.resize(count);
  for (uint32_t i = 0; i < count; ++i) {
    const uint64_t entry = at + kResTableSize + uint64_t{i} * kResEntrySize;
    if (!readName(v, get32(v.image, entry), entries[i].name, error)) return false;
    const uint32_t target = get32(v.image, entry + 4);
    entries[i].isTable = (target & kResHighBit) != 0;
    entries[i].target = target & ~kResHighBit;
    const bool wantTable = level < 2;
    if (entries[i].isTable != wantTable)
      return damaged(error, what + (wantTable ? " leads to data instead of a table"
                                              : " nests deeper than type, name and language"));
    if (level == 2 && entries[i].name.isName())
      return damaged(error, what + " names a language with a string");
  }
  return true;
}

bool readDataEntry(TreeView& v, uint32_t offset, PeResource& r, std::string& error) {
  if (!fits(v.limit, offset, kResDataEntrySize))
    return damaged(error, "a data entry lies outside the resource section");
  const uint64_t at = v.base + offset;
  const uint32_t rva = get32(v.image, at);
  const uint32_t size = get32(v.image, at + 4);
  r.codePage = get32(v.image, at + 8);
  uint64_t fileOffset = 0;
  if (size > 0 && !rvaToFileOffset(v.pe, v.image.size(), rva, size, fileOffset)) {
    error = "resource data at RVA " + peHex(rva) + " (" + std::to_string(size) +
            " bytes) lies outside the file's sections";
    return false;
  }
  // Shared or overlapping data could multiply the output far beyond the input: refuse it.
  v.dataTotal += size;
  if (v.dataTotal > v.image.size())
    return damaged(error, "its data entries add up to more than the file holds");
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
    error = "resource directory (RVA " + peHex(dir.rva) + ") lies outside every section";
    return false;
  }
  const PeSection& section = pe.sections[index];
  const uint64_t within = dir.rva - section.virtualAddress;
  const uint64_t mapped = std::min(section.sizeOfRawData, sectionSpan(section));
  if (within >= mapped) {
    error = "resource directory lies in the uninitialised part of section " + section.name;
    return false;
  }
  if (!fits(image.size(), section.pointerToRawData, section.sizeOfRawData)) {
    error = "resource section lies outside the file";
    return false;
  }
  TreeView view{image, pe, section.pointerToRawData + within, mapped - within, {}, 0};
  if (!readTree(view, resources, error)) {
    resources.clear();
    return false;
  }
  return true;
}
