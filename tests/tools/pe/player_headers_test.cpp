// The built players (the shipped 32-bit one and its 64-bit twin) as Windows' loader sees them:
// header flags, imports and manifest, read with the project's own PE reader.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

#include "pe_test_support.h"
#include "tools/pe/pe_format.h"
#include "tools/pe/pe_image.h"
#include "tools/pe/pe_imports.h"

using namespace petest;

namespace {

const struct Player {
    const char* path;
    bool is64;
} kPlayers[] = {{VELTO_PLAYER_32, false}, {VELTO_PLAYER_64, true}};

// What Python's XML parser finds in the manifest, one "key=value" line each.
constexpr char kManifestFacts[] =
    "import sys, xml.etree.ElementTree as E\n"
    "for e in E.parse(sys.argv[1]).getroot().iter():\n"
    "    tag = e.tag.split('}')[1]\n"
    "    if tag == 'requestedExecutionLevel': print('level=' + e.get('level'))\n"
    "    if tag == 'supportedOS': print('os=' + e.get('Id'))\n"
    "    if tag in ('gdiScaling', 'dpiAware', 'dpiAwareness'): print(tag + '=' + e.text)\n";

TEST(PlayerHeaders, FlagsImportsAndManifest) {
    for (const Player& player : kPlayers) {
        SCOPED_TRACE(player.path);
        if (!std::ifstream(player.path)) GTEST_SKIP() << player.path << " is not built";
        const std::vector<uint8_t> image = readFile(player.path);
        PeImage pe;
        std::string error;
        ASSERT_TRUE(parsePeImage(image, pe, error)) << error;
        EXPECT_EQ(pe.is64, player.is64);
        const uint32_t optional = pe.optionalHeaderOffset;
        EXPECT_TRUE(pe::get16(image, pe.fileHeaderOffset + pe::kFhCharacteristics) &
                    pe::kFileLargeAddressAware);
        const uint16_t wanted =
            pe::kDllDynamicBase | pe::kDllNxCompat | pe::kDllTerminalServerAware;
        EXPECT_EQ(pe::get16(image, optional + pe::kOhDllCharacteristics) & wanted, wanted);
        EXPECT_EQ(pe::get16(image, optional + pe::kOhMajorSubsystemVersion), 6);
        EXPECT_EQ(pe::get16(image, optional + pe::kOhMinorSubsystemVersion), 0);

        std::vector<PeImport> imports;
        ASSERT_TRUE(readPeImports(image, imports, error)) << error;
        std::set<std::string> names;
        for (const PeImport& import : imports) names.insert(import.dll + "!" + import.function);
        for (const char* used : {"KERNEL32.dll!CreateThread", "USER32.dll!CreateWindowExW"})
            EXPECT_TRUE(names.count(used)) << used;
        for (const char* call : {"SuspendThread", "GetThreadContext", "SetThreadContext"})
            EXPECT_FALSE(names.count(std::string("KERNEL32.dll!") + call)) << call;
        // Texts reach Windows through the W functions only, whatever the ANSI code page.
        for (const char* call : {"SetWindowTextA", "GetWindowTextA", "SetDlgItemTextA",
                                 "GetDlgItemTextA", "MessageBoxA", "GetMessageA",
                                 "DispatchMessageA", "IsDialogMessageA", "CallWindowProcA"})
            EXPECT_FALSE(names.count(std::string("USER32.dll!") + call)) << call;

        std::vector<PeResource> resources;
        ASSERT_TRUE(readPeResources(image, resources, error)) << error;
        const PeResource* manifest = nullptr;
        for (const PeResource& r : resources)  // RT_MANIFEST 1, the one a process starts with
            if (!r.type.isName() && r.type.id == 24 && !r.name.isName() && r.name.id == 1)
                manifest = &r;
        ASSERT_NE(manifest, nullptr);
        writeFile(workPath("player.manifest"), manifest->data);
        writeFile(workPath("manifest_facts.py"), bytesOf(kManifestFacts));
        std::string facts;
        EXPECT_EQ(runCommand("python3 " + workPath("manifest_facts.py") + " " +
                                 workPath("player.manifest"),
                             facts),
                  0);
        EXPECT_EQ(facts,
                  "level=asInvoker\n"
                  "os={35138b9a-5d96-4fbd-8e2d-a2440225f93a}\n"
                  "os={4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\n"
                  "os={1f676c76-80e1-4239-95bb-83d0f6d0da78}\n"
                  "os={8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\n"
                  "gdiScaling=true\n");
    }
}

}  // namespace
