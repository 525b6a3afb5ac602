// Shared helpers of the PE resource tests: fixture files, an independent look at PE headers,
// and comparison of resource lists.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/pe/pe_resources.h"

namespace petest {

// The fixtures built for this test: ARCH is "i686" or "x86_64", VARIANT "", "-stripped" or "-bare".
std::string fixturePath(const std::string& arch, const std::string& variant);
std::vector<uint8_t> readFile(const std::string& path);
void writeFile(const std::string& path, const std::vector<uint8_t>& bytes);
std::string workPath(const std::string& name);  // a scratch file of this test
std::string objdumpFor(const std::string& arch);

// Runs a shell command; returns its exit status and fills `output` with stdout and stderr.
int runCommand(const std::string& command, std::string& output);

PeResource makeResource(ResourceName type, ResourceName name, uint16_t language,
                        std::vector<uint8_t> data, uint32_t codePage = 0);
std::vector<uint8_t> bytesOf(const std::string& text);
std::vector<uint8_t> pattern(size_t size, uint8_t seed);
std::string describe(const PeResource& r);

// Equal lists, element by element (type, name, language, code page, data).
::testing::AssertionResult sameResources(const std::vector<PeResource>& expected,
                                         const std::vector<PeResource>& actual);
// `list` in the order a written directory has: by type, name, language.
std::vector<PeResource> sortedResources(std::vector<PeResource> list);

// Header fields read here without the library under test.
uint32_t u32(const std::vector<uint8_t>& b, size_t at);
uint16_t u16(const std::vector<uint8_t>& b, size_t at);
void setU32(std::vector<uint8_t>& b, size_t at, uint32_t v);
void setU16(std::vector<uint8_t>& b, size_t at, uint16_t v);

struct Section {
    std::string name;
    uint32_t header, virtualSize, virtualAddress, rawSize, rawPointer;
};
struct Headers {
    size_t fileHeader = 0, optionalHeader = 0, dataDirectories = 0;
    bool is64 = false;
    std::vector<Section> sections;
    uint32_t dirRva(int index) const;
    uint32_t dirSize(int index) const;
    const std::vector<uint8_t>* image = nullptr;
    const Section* named(const std::string& name) const;
    size_t rvaToOffset(uint32_t rva) const;  // 0 when unmapped
};
Headers headersOf(const std::vector<uint8_t>& image);

// File offsets of every data entry of the resource directory, walked here without the library.
std::vector<size_t> dataEntryOffsets(const std::vector<uint8_t>& image);

// The checksum as image-help tools compute it: sum every 16-bit word including the CheckSum
// field, then take the field's two halves back out.
uint32_t referenceChecksum(const std::vector<uint8_t>& image);

// Layout rules a loader and the binutils rely on, checked field by field.
::testing::AssertionResult validLayout(const std::vector<uint8_t>& image);

}  // namespace petest
