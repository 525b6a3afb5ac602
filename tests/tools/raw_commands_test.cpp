// velto pack / unpack / judge, run as the built program on temporary files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "evaluation/judge.h"
#include "tests/tools/support.h"
#include "tools/text/cp1252.h"

namespace {

using namespace toolstest;

std::string repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

class RawCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(kVelto)) << kVelto << " is not built";
        dir_ = scratchFolder("velto-raw-");
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path file(const std::string& name) const { return dir_ / name; }

    // Runs velto with the arguments (already quoted where needed) and an optional stdin file.
    Outcome velto(const std::string& arguments, const std::string& stdinFile = "/dev/null") {
        return runVelto(arguments, dir_, stdinFile);
    }

    Outcome codec(const char* command, const std::string& input, const fs::path& output) {
        writeFile(file("in.bin"), input);
        return velto(std::string(command) + " " + quote(file("in.bin").string()) + " " +
                     quote(output.string()));
    }

    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_))
            names.push_back(entry.path().filename());
        return names;
    }

    fs::path dir_;
};

TEST_F(RawCommands, PackWritesExactlyTheProducedBytes) {
    const Outcome run = codec("pack", "abc", file("out.bin"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(file("out.bin")), std::string("\x30\x98\x8C\x70\x00", 5));
    const Outcome back = codec("unpack", std::string("\x30\x98\x8C\x70\x00", 5), file("back.bin"));
    ASSERT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(readFile(file("back.bin")), "abc");
}

TEST_F(RawCommands, RoundTripsAndReplacesOut) {
    std::mt19937 rng(7);
    std::string noise(65535, '\0');
    for (char& ch : noise) ch = static_cast<char>(rng() % 7 == 0 ? rng() : 'a' + rng() % 3);
    std::string everyByte;
    for (int v = 0; v < 256; ++v) everyByte.push_back(static_cast<char>(v));
    for (const std::string& input : {std::string("a"), everyByte, noise}) {
        writeFile(file("packed.bin"), "stale content to replace");
        ASSERT_EQ(codec("pack", input, file("packed.bin")).status, 0);
        ASSERT_EQ(codec("unpack", readFile(file("packed.bin")), file("plain.bin")).status, 0);
        EXPECT_EQ(readFile(file("plain.bin")), input) << input.size();
    }
}

TEST_F(RawCommands, StandardInputAndOutput) {
    writeFile(file("in.txt"), "aaaaaaa");
    Outcome run = velto("pack - -", file("in.txt").string());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, std::string("\x30\xC0\xE0\x86\x18\x00", 6));
    writeFile(file("packed.bin"), run.out);
    run = velto("unpack - -", file("packed.bin").string());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "aaaaaaa");
}

TEST_F(RawCommands, FailuresWriteNothing) {
    struct Case {
        const char* command;
        std::string input;
        const char* message;
    };
    const Case cases[] = {
        {"unpack", std::string("\x30\x98", 2),
         "velto unpack : le bloc compacté est abîmé : un code est inconnu (CodecBadCode, -7)\n"},
        {"unpack", std::string("\x30", 1),
         "velto unpack : le bloc compacté est vide ou s'arrête trop tôt "
         "(CodecInputExhausted, -5)\n"},
        {"pack", "",
         "velto pack : rien à compacter : l'entrée est vide (CodecInputExhausted, -5)\n"},
        {"pack", std::string(65536, 'x'), "la taille maximale pour un bloc est 65535 octets\n"},
        {"unpack", std::string(70000, 'x'), "fait 70000 octets"},
    };
    for (const Case& c : cases) {
        const Outcome run = codec(c.command, c.input, file("out.bin"));
        EXPECT_EQ(run.status, 1) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(file("out.bin"))) << c.message;
    }
    // An existing OUT survives a failure untouched, and no temporary file is left behind.
    writeFile(file("keep.bin"), "keep");
    EXPECT_EQ(codec("unpack", std::string("\x30\x98", 2), file("keep.bin")).status, 1);
    EXPECT_EQ(readFile(file("keep.bin")), "keep");
    const std::vector<std::string> left = entries();
    EXPECT_EQ(left.size(), 2u);  // in.bin and keep.bin

    const Outcome missing = velto("pack " + quote(file("absent.bin").string()) + " x.bin");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("absent.bin"), std::string::npos) << missing.err;
    const Outcome noFolder = codec("pack", "abc", file("no/such/folder/out.bin"));
    EXPECT_EQ(noFolder.status, 1);
    EXPECT_NE(noFolder.err.find("out.bin"), std::string::npos) << noFolder.err;
}

TEST_F(RawCommands, UsageErrorsAndHelp) {
    for (const char* arguments : {"pack", "pack one", "unpack a b c", "pack --fast a b", "judge",
                                  "judge a b c", "judge -x y"}) {
        const Outcome run = velto(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_NE(run.err.find("--help"), std::string::npos) << arguments << ": " << run.err;
    }
    for (const char* command : {"pack", "unpack", "judge"}) {
        const Outcome run = velto(std::string(command) + " --help");
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out.rfind(std::string("Usage : velto ") + command, 0), 0u) << run.out;
    }
}

TEST_F(RawCommands, JudgeOnePair) {
    struct Case {
        std::string expected, typed, verdict;
    };
    const Case cases[] = {
        {"Paris", "  paris  ", "BRAVO"},
        {"Orléans", "orlÉans", "Quasiment"},
        {"abcdefghijklmnop", "abcdefghijklmxyz", "y a de l'idée"},
        {"Chateaubriand", "chateau", "pas loin"},
        {"-5 °C", "-5 °c", "BRAVO"},
        {repeat("é", 259), "é", "FAUX"},  // 259 characters once in Windows-1252
        {"Paris", "   ", "?"},
    };
    for (const Case& c : cases) {
        const Outcome run = velto("judge -- " + quote(c.expected) + " " + quote(c.typed));
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, c.verdict + "\n") << c.expected << " / " << c.typed;
    }
}

TEST_F(RawCommands, JudgeRefusesTexts) {
    struct Case {
        std::string expected, typed, message;
    };
    const Case cases[] = {
        {"Paris", "Ωmega",
         "velto judge : réponse tapée : caractère 1 : 'Ω' (U+03A9) n'a pas "
         "d'équivalent en Windows-1252\n"},
        {std::string(260, 'a'), "a",
         "velto judge : réponse attendue : 260 caractères ; une "
         "réponse fait au plus 259 caractères\n"},
        {"Par\xFFis", "a",
         "velto judge : réponse attendue : caractère 4 : l'octet 0xFF n'est "
         "pas de l'UTF-8\n"},
    };
    for (const Case& c : cases) {
        const Outcome run = velto("judge -- " + quote(c.expected) + " " + quote(c.typed));
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, c.message);
        EXPECT_EQ(run.out, "");
    }
}

// The batch mode gives, line for line, what the judge gives in-process.
TEST_F(RawCommands, JudgeBatchMatchesTheJudge) {
    const std::vector<std::string> words = {
        "Paris", "paris",         "Parisien", "é", "É",   "La mer",           "mer la",
        " ",     "chateaubriand", "chateau",  "y", "Œuf", "abcdefghijklmnop", "abcdefghijklmxyz",
        ""};
    std::mt19937 rng(11);
    std::string input, expected;
    for (int line = 0; line < 3000; ++line) {
        const std::string e = words[rng() % words.size()] + words[rng() % words.size()];
        const std::string t = words[rng() % words.size()] + words[rng() % words.size()];
        input += e + "\t" + t + (line % 2 ? "\r\n" : "\n");
        std::string e1252, t1252;
        ASSERT_TRUE(utf8ToCp1252(e, e1252, nullptr, nullptr));
        ASSERT_TRUE(utf8ToCp1252(t, t1252, nullptr, nullptr));
        expected += cp1252ToUtf8(judgeAnswer(e1252.c_str(), t1252.c_str())) + "\n";
    }
    input += "Paris\tParsi";  // last line without its line end
    expected += "Anagramme\n";
    writeFile(file("pairs.txt"), input);
    const Outcome run = velto("judge -", file("pairs.txt").string());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, expected);
    EXPECT_NE(run.out.find("y a de l'idée\n"), std::string::npos);
}

// A refused line is reported with its number; the lines after it are still judged.
TEST_F(RawCommands, JudgeBatchGoesOnAfterABadLine) {
    struct Case {
        std::string input, out, err;
    };
    const Case cases[] = {
        {"Paris\tParis\nParis\tPari\nno tab here\nParis\tParis\n", "BRAVO\nQuasiment\nBRAVO\n",
         "velto judge : ligne 3 : pas de TAB entre la réponse attendue et la réponse tapée\n"},
        {"Paris\tParis\r\nParis\t" + std::string(260, 'P') + "\r\nRome\tRome\r\n", "BRAVO\nBRAVO\n",
         "velto judge : ligne 2 : réponse tapée : 260 caractères ; une réponse fait au plus 259 "
         "caractères\n"},
        {"Π\tParis\n", "",
         "velto judge : ligne 1 : réponse attendue : caractère 1 : 'Π' (U+03A0) "
         "n'a pas d'équivalent en Windows-1252\n"},
        {std::string("Pa\0ris\tParis\n", 13), "",
         "velto judge : ligne 1 : réponse attendue : contient un octet nul\n"},
        {"\n\nParis\tparis\n", "BRAVO\n",
         "velto judge : ligne 1 : pas de TAB entre la réponse attendue et la réponse tapée\n"
         "velto judge : ligne 2 : pas de TAB entre la réponse attendue et la réponse tapée\n"},
        {"Paris\tpa\x01ris\n", "",
         "velto judge : ligne 1 : réponse tapée : contient un caractère de contrôle (U+0001)\n"},
        {"", "", ""},
        {"\xEF\xBB\xBFParis\tparis\n", "BRAVO\n", ""},
        {"Ope\xCC\x81ra\tOp\xC3\xA9ra\n", "BRAVO\n", ""},  // decomposed é is é
    };
    for (const Case& c : cases) {
        writeFile(file("pairs.txt"), c.input);
        const Outcome run = velto("judge -", file("pairs.txt").string());
        EXPECT_EQ(run.status, c.err.empty() ? 0 : 1) << c.err;
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, c.err);
    }
}

}  // namespace
