// Damaged, truncated and foreign inputs: refused with a message, never read out of bounds
// (the host tests run under AddressSanitizer).
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "pe_test_support.h"
#include "tools/pe/pe_resources.h"

using namespace petest;

namespace {

// File offsets inside the fixture's resource directory. Its first type is the named "PATCH",
// whose first name is the named "QUIZDATA".
struct Tree {
    size_t root = 0, firstType = 0, secondType = 0, typeString = 0, firstLanguage = 0,
           dataEntry = 0;
    std::vector<size_t> dataEntries;
    Section section{};
};

size_t target(const std::vector<uint8_t>& image, size_t root, size_t entry) {
    return root + (u32(image, entry + 4) & 0x7fffffff);
}

Tree treeOf(const std::vector<uint8_t>& image, const Headers& h) {
    Tree t;
    t.section = *h.named(".rsrc");
    t.root = h.rvaToOffset(h.dirRva(2));
    t.firstType = t.root + 16;
    t.secondType = t.firstType + 8;
    t.typeString = t.root + (u32(image, t.firstType) & 0x7fffffff);
    const size_t firstNames = target(image, t.root, t.firstType);
    t.firstLanguage = target(image, t.root, firstNames + 16) + 16;
    t.dataEntry = target(image, t.root, t.firstLanguage);
    t.dataEntries = dataEntryOffsets(image);
    return t;
}

using Mutation = std::function<void(std::vector<uint8_t>&, const Headers&, const Tree&)>;
struct Case {
    const char* what;
    Mutation mutate;
    const char* message;        // part of the expected error
    bool headerDamage = false;  // the writer must refuse it as well
};

const Case kUnreadable[] = {
    {"empty file", [](auto& b, auto&, auto&) { b.clear(); }, "pas d'en-tête MZ", true},
    {"text file", [](auto& b, auto&, auto&) { b = bytesOf(std::string(300, 'x')); },
     "pas d'en-tête MZ", true},
    {"DOS stub only", [](auto& b, auto&, auto&) { b.resize(64); },
     "la position de l'en-tête PE est hors du fichier", true},
    {"PE offset past the end", [](auto& b, auto&, auto&) { setU32(b, 0x3c, 0xfffffff0); },
     "la position de l'en-tête PE est hors du fichier", true},
    {"no PE signature", [](auto& b, auto& h, auto&) { b[h.fileHeader - 4] = 'X'; },
     "pas de signature PE", true},
    {"ROM image", [](auto& b, auto& h, auto&) { setU16(b, h.optionalHeader, 0x107); },
     "pas une image PE32 ni PE32+", true},
    {"optional header too short", [](auto& b, auto& h, auto&) { setU16(b, h.fileHeader + 16, 64); },
     "en-tête optionnel PE est trop court", true},
    {"optional header past the end",
     [](auto& b, auto& h, auto&) { setU16(b, h.fileHeader + 16, 0xffff); },
     "en-tête optionnel PE dépasse la fin", true},
    {"section table past the end",
     [](auto& b, auto& h, auto&) { setU16(b, h.fileHeader + 2, 0xffff); },
     "table des sections PE dépasse la fin", true},
    {"directory outside every section",
     [](auto& b, auto& h, auto&) { setU32(b, h.dataDirectories + 16, 0x7fff0000); },
     "hors de toute section"},
    {"resource section outside the file",
     [](auto& b, auto&, auto& t) { setU32(b, t.section.header + 20, 0x7fff0000); },
     "la section des ressources est hors du fichier"},
    {"directory in uninitialised data",
     [](auto& b, auto&, auto& t) { setU32(b, t.section.header + 16, 0); },
     "partie non initialisée"},
    {"table larger than the section",
     [](auto& b, auto&, auto& t) { setU16(b, t.root + 14, 0xffff); },
     "dépasse la fin de la section des ressources"},
    {"subdirectory back to the root",
     [](auto& b, auto&, auto& t) { setU32(b, t.firstType + 4, 0x80000000); }, "atteinte deux fois"},
    {"two types share a table",
     [](auto& b, auto&, auto& t) { setU32(b, t.secondType + 4, u32(b, t.firstType + 4)); },
     "atteinte deux fois"},
    {"type leads to data",
     [](auto& b, auto&, auto& t) {
         setU32(b, t.firstType + 4, u32(b, t.firstType + 4) & 0x7fffffff);
     },
     "mène à des données au lieu d'une table"},
    {"language leads to a table",
     [](auto& b, auto&, auto& t) { setU32(b, t.firstLanguage + 4, 0x80000000); },
     "va plus loin que"},
    {"named language",
     [](auto& b, auto&, auto& t) { setU32(b, t.firstLanguage, u32(b, t.firstType)); },
     "désigne une langue par une chaîne"},
    {"name outside the section",
     [](auto& b, auto&, auto& t) { setU32(b, t.firstType, 0xfffffff0); },
     "un nom est hors de la section"},
    {"empty name", [](auto& b, auto&, auto& t) { setU16(b, t.typeString, 0); }, "un nom est vide"},
    {"name past the section", [](auto& b, auto&, auto& t) { setU16(b, t.typeString, 0xffff); },
     "un nom dépasse la fin"},
    {"id out of range", [](auto& b, auto&, auto& t) { setU32(b, t.secondType, 0x12345); },
     "a l'identifiant 0x12345"},
    {"data entry outside",
     [](auto& b, auto&, auto& t) { setU32(b, t.firstLanguage + 4, 0x7ffffff0); },
     "entrée de données est hors de"},
    {"data outside the sections",
     [](auto& b, auto&, auto& t) { setU32(b, t.dataEntry, 0x7fff0000); },
     "hors des sections du fichier"},
    {"data larger than its section",
     [](auto& b, auto&, auto& t) { setU32(b, t.dataEntry + 4, 0x7fffffff); },
     "hors des sections du fichier"},
    {"every entry on the whole section",
     [](auto& b, auto&, auto& t) {
         for (size_t entry : t.dataEntries) {
             setU32(b, entry, t.section.virtualAddress);
             setU32(b, entry + 4, t.section.virtualSize);
         }
     },
     "dépassent au total la taille du fichier"},
};

TEST(PeCorrupt, DamagedInputsAreRefusedWithAMessage) {
    for (const char* arch : {"i686", "x86_64"}) {
        const std::vector<uint8_t> good = readFile(fixturePath(arch, "-stripped"));
        const Headers h = headersOf(good);
        const Tree t = treeOf(good, h);
        ASSERT_EQ(t.dataEntries.size(), 11u);
        ASSERT_GT(t.dataEntries.size() * t.section.virtualSize, good.size());  // for the last case
        for (const Case& c : kUnreadable) {
            std::vector<uint8_t> bad = good;
            c.mutate(bad, h, t);
            std::vector<PeResource> list(1);
            std::string error;
            EXPECT_FALSE(readPeResources(bad, list, error)) << arch << ": " << c.what;
            EXPECT_NE(error.find(c.message), std::string::npos)
                << arch << ": " << c.what << ": got \"" << error << "\"";
            EXPECT_TRUE(list.empty()) << c.what;
            std::vector<uint8_t> out(1);
            if (c.headerDamage) {
                EXPECT_FALSE(writePeResources(bad, {}, out, error)) << arch << ": " << c.what;
                EXPECT_FALSE(error.empty());
            }
        }
    }
}

const Case kUnwritable[] = {
    {"no resource directory entry",
     [](auto& b, auto& h, auto&) { setU32(b, h.optionalHeader + (h.is64 ? 108 : 92), 2); },
     "pas d'entrée de répertoire des ressources"},
    {"bytes after the section table in use",
     [](auto& b, auto& h, auto&) {
         const size_t end = h.sections.back().header + 40;
         std::fill(b.begin() + end, b.begin() + end + 40, 0xcc);
     },
     "octets après la table des sections sont utilisés"},
    {"first section right after the table",
     [](auto& b, auto& h, auto&) {
         setU32(b, h.sections[0].header + 20, h.sections.back().header + 48);
     },
     "pas de place pour un en-tête de section de plus"},
    {"truncated file", [](auto& b, auto&, auto&) { b.resize(b.size() - 100); },
     "dépasse la fin du fichier (fichier tronqué ?)"},
    {"headers smaller than the section table",
     [](auto& b, auto& h, auto&) { setU32(b, h.optionalHeader + 60, 0x100); },
     "SizeOfHeaders ne couvre pas la table des sections"},
    {"odd file alignment", [](auto& b, auto& h, auto&) { setU32(b, h.optionalHeader + 36, 0x300); },
     "alignement des sections inhabituel"},
};

TEST(PeCorrupt, ImagesThatCannotBeRewrittenAreRefused) {
    for (const char* arch : {"i686", "x86_64"}) {
        const std::vector<uint8_t> good = readFile(fixturePath(arch, "-stripped"));
        const Headers h = headersOf(good);
        const Tree t = treeOf(good, h);
        for (const Case& c : kUnwritable) {
            std::vector<uint8_t> bad = good;
            c.mutate(bad, h, t);
            std::vector<PeResource> list;
            std::string error;
            EXPECT_TRUE(readPeResources(bad, list, error)) << c.what << ": " << error;
            std::vector<uint8_t> out(1);
            EXPECT_FALSE(writePeResources(bad, list, out, error)) << arch << ": " << c.what;
            EXPECT_NE(error.find(c.message), std::string::npos)
                << arch << ": " << c.what << ": got \"" << error << "\"";
            EXPECT_TRUE(out.empty());
        }
    }
}

TEST(PeCorrupt, TruncatedFilesAreRefusedOrReadIntact) {
    const std::vector<uint8_t> full = readFile(fixturePath("x86_64", "-stripped"));
    std::vector<PeResource> whole;
    std::string error;
    ASSERT_TRUE(readPeResources(full, whole, error));
    int readable = 0;
    for (size_t length = 0; length < full.size(); length += 37) {
        const std::vector<uint8_t> cut(full.begin(), full.begin() + length);
        std::vector<PeResource> list;
        error.clear();
        if (readPeResources(cut, list, error)) {
            ++readable;
            EXPECT_TRUE(sameResources(whole, list)) << length;
        } else {
            EXPECT_FALSE(error.empty()) << length;
        }
        std::vector<uint8_t> out;
        error.clear();
        EXPECT_FALSE(writePeResources(cut, whole, out, error))
            << length;  // every cut loses a section
        EXPECT_FALSE(error.empty()) << length;
    }
    EXPECT_GT(readable, 0);  // cuts after the resource section still read
}

TEST(PeCorrupt, RandomDamageNeverBreaksTheRoundTrip) {
    std::mt19937 random(1234);
    const std::vector<uint8_t> good = readFile(fixturePath("i686", "-stripped"));
    const Tree t = treeOf(good, headersOf(good));
    const size_t interesting = t.section.rawPointer + t.section.rawSize;  // headers to resources
    int accepted = 0, refused = 0;
    for (int round = 0; round < 1500; ++round) {
        std::vector<uint8_t> image = good;
        for (int flips = 1 + static_cast<int>(random() % 6); flips > 0; --flips)
            image[random() % interesting] = static_cast<uint8_t>(random());
        std::vector<PeResource> list;
        std::string error;
        if (!readPeResources(image, list, error)) {
            EXPECT_FALSE(error.empty());
            ++refused;
            continue;
        }
        std::vector<uint8_t> out;
        if (!writePeResources(image, list, out, error)) {
            EXPECT_FALSE(error.empty());
            continue;
        }
        ++accepted;
        std::vector<PeResource> back;
        ASSERT_TRUE(readPeResources(out, back, error)) << "round " << round << ": " << error;
        EXPECT_TRUE(sameResources(sortedResources(list), back)) << "round " << round;
    }
    EXPECT_GT(accepted, 0);
    EXPECT_GT(refused, 0);
}

TEST(PeCorrupt, GarbageIsNotAPe) {
    std::mt19937 random(99);
    for (int round = 0; round < 200; ++round) {
        std::vector<uint8_t> garbage(random() % 4096);
        for (uint8_t& b : garbage) b = static_cast<uint8_t>(random());
        if (garbage.size() >= 2 && round % 2 == 0) garbage[0] = 'M', garbage[1] = 'Z';
        std::vector<PeResource> list;
        std::string error;
        EXPECT_FALSE(readPeResources(garbage, list, error));
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
