// The built players (the shipped 32-bit one and its 64-bit twin) as Windows' loader sees them:
// header flags, imports and manifest, read with the project's own PE reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

#include "pe_test_support.h"
#include "tools/pe/pe_format.h"
#include "tools/pe/pe_image.h"
#include "tools/pe/pe_imports.h"

using namespace petest;

namespace {

struct Player {
    const char* path;
    bool is64;
    const char* arch;
};
const Player kPlayers[] = {{VELTO_PLAYER_32, false, "i686"}, {VELTO_PLAYER_64, true, "x86_64"}};

bool exists(const char* path) { return std::ifstream(path).good(); }

// "KERNEL32.dll!CreateThread" for every import objdump lists: an independent reading.
std::set<std::string> objdumpImports(const Player& player) {
    std::string output;
    EXPECT_EQ(runCommand(objdumpFor(player.arch) + " -p " + player.path, output), 0) << output;
    std::set<std::string> names;
    std::istringstream lines(output);
    std::string line, dll;
    while (std::getline(lines, line)) {
        if (!dll.empty() && !line.empty() && !std::isspace(static_cast<unsigned char>(line[0])))
            break;  // the next table
        if (line.rfind("\tDLL Name: ", 0) == 0) dll = line.substr(11);
        std::istringstream words(line);
        std::string vma, hint, name;
        if (!dll.empty() && line[0] == '\t' && words >> vma >> hint >> name &&
            hint.find_first_not_of("0123456789") == std::string::npos)
            names.insert(dll + "!" + name);
    }
    return names;
}

// What Python's XML parser finds in the manifest: one "key=value" line each.
std::string manifestFacts(const std::vector<uint8_t>& manifest) {
    const std::string file = workPath("player.manifest");
    writeFile(file, manifest);
    const char* script =
        "import sys, xml.etree.ElementTree as E\n"
        "r = E.parse(sys.argv[1]).getroot()\n"
        "for e in r.iter():\n"
        "    tag = e.tag.split('}')[1]\n"
        "    if tag == 'requestedExecutionLevel': print('level=' + e.get('level'))\n"
        "    if tag == 'supportedOS': print('os=' + e.get('Id'))\n"
        "    if tag in ('gdiScaling', 'dpiAware', 'dpiAwareness'): print(tag + '=' + e.text)\n";
    const std::string reader = workPath("manifest_facts.py");
    writeFile(reader, bytesOf(script));
    std::string output;
    EXPECT_EQ(runCommand("python3 " + reader + " " + file, output), 0) << output;
    return output;
}

TEST(PlayerHeaders, AskForWhatTheLoaderShouldGive) {
    for (const Player& player : kPlayers) {
        SCOPED_TRACE(player.path);
        if (!exists(player.path)) GTEST_SKIP() << player.path << " is not built (scripts/build)";
        const std::vector<uint8_t> image = readFile(player.path);
        PeImage pe;
        std::string error;
        ASSERT_TRUE(parsePeImage(image, pe, error)) << error;
        EXPECT_EQ(pe.is64, player.is64);
        const uint16_t characteristics =
            pe::get16(image, pe.fileHeaderOffset + pe::kFhCharacteristics);
        const uint16_t dll = pe::get16(image, pe.optionalHeaderOffset + pe::kOhDllCharacteristics);
        EXPECT_TRUE(characteristics & pe::kFileLargeAddressAware);
        EXPECT_EQ(dll & (pe::kDllDynamicBase | pe::kDllNxCompat | pe::kDllTerminalServerAware),
                  pe::kDllDynamicBase | pe::kDllNxCompat | pe::kDllTerminalServerAware);
        EXPECT_EQ(pe::get16(image, pe.optionalHeaderOffset + pe::kOhMajorSubsystemVersion), 6);
        EXPECT_EQ(pe::get16(image, pe.optionalHeaderOffset + pe::kOhMinorSubsystemVersion), 0);
    }
}

TEST(PlayerHeaders, ImportNoThreadHijackingCalls) {
    for (const Player& player : kPlayers) {
        SCOPED_TRACE(player.path);
        if (!exists(player.path)) GTEST_SKIP() << player.path << " is not built (scripts/build)";
        std::vector<PeImport> imports;
        std::string error;
        ASSERT_TRUE(readPeImports(readFile(player.path), imports, error)) << error;
        std::set<std::string> names;
        for (const PeImport& import : imports) names.insert(import.dll + "!" + import.function);
        const std::set<std::string> listed = objdumpImports(player);
        std::vector<std::string> differ;
        std::set_symmetric_difference(names.begin(), names.end(), listed.begin(), listed.end(),
                                      std::back_inserter(differ));
        EXPECT_TRUE(differ.empty())
            << "read here or by objdump only: " << testing::PrintToString(differ);
        EXPECT_TRUE(names.count("KERNEL32.dll!CreateThread"));
        for (const char* call : {"SuspendThread", "GetThreadContext", "SetThreadContext"})
            EXPECT_FALSE(names.count(std::string("KERNEL32.dll!") + call)) << call;
    }
}

TEST(PlayerHeaders, CarryTheirManifest) {
    for (const Player& player : kPlayers) {
        SCOPED_TRACE(player.path);
        if (!exists(player.path)) GTEST_SKIP() << player.path << " is not built (scripts/build)";
        std::vector<PeResource> resources;
        std::string error;
        ASSERT_TRUE(readPeResources(readFile(player.path), resources, error)) << error;
        const PeResource* manifest = nullptr;
        for (const PeResource& r : resources)  // RT_MANIFEST 1: the one a process starts with
            if (!r.type.isName() && r.type.id == 24 && !r.name.isName() && r.name.id == 1)
                manifest = &r;
        ASSERT_NE(manifest, nullptr);
        EXPECT_EQ(manifestFacts(manifest->data),
                  "level=asInvoker\n"
                  "os={35138b9a-5d96-4fbd-8e2d-a2440225f93a}\n"
                  "os={4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\n"
                  "os={1f676c76-80e1-4239-95bb-83d0f6d0da78}\n"
                  "os={8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\n"
                  "gdiScaling=true\n");
    }
}

}  // namespace
