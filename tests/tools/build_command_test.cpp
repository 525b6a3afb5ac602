// velto build, inspect and extract against a real player executable: the bundled examples are
// built, read back resource by resource, extracted and rebuilt byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "quizdata/codec_bytes.h"
#include "quizdata/payload.h"
#include "quizdata/quiz_types.h"
#include "tests/tools/support.h"
#include "tools/commands.h"
#include "tools/pe/pe_resources.h"
#include "tools/quiz/quiz_resources.h"
#include "tools/quizfile/quiz_writer.h"
#include "tools/text/cp1252.h"

namespace {

using namespace toolstest;

const fs::path kExamples = fs::path(VELTO_SOURCE_DIR) / "examples";

std::string cp1252(const std::string& utf8) {
    std::string out;
    EXPECT_TRUE(utf8ToCp1252(utf8, out, nullptr, nullptr));
    return out;
}

bool isType(const PeResource& r, const std::u16string& type) {
    return r.type.isName() && r.type.name == type;
}

bool isQuizPart(const PeResource& r) { return isType(r, u"PATCH") || isType(r, u"IMG"); }

std::vector<PeResource> readResources(const fs::path& exe) {
    std::vector<PeResource> all;
    std::string error;
    EXPECT_TRUE(readPeResources(fileBytes(exe), all, error)) << exe << ": " << error;
    return all;
}

std::vector<PeResource> part(const std::vector<PeResource>& all, bool quiz) {
    std::vector<PeResource> out;
    std::copy_if(all.begin(), all.end(), std::back_inserter(out),
                 [quiz](const PeResource& r) { return isQuizPart(r) == quiz; });
    return out;
}

const PeResource* find(const std::vector<PeResource>& all, const std::u16string& type, int id) {
    for (const PeResource& r : all)
        if (isType(r, type) && !r.name.isName() && r.name.id == id) return &r;
    return nullptr;
}

std::vector<uint8_t> unpacked(const PeResource& r) {
    const CodecBytes out = unpackBytes(r.data);
    EXPECT_EQ(out.result, CodecOk);
    return out.bytes;
}

// Same resources, same bytes, whatever their order in the directory.
void expectSameResources(std::vector<PeResource> a, std::vector<PeResource> b) {
    auto key = [](const PeResource& r) {
        return std::make_tuple(r.type.name, r.type.id, r.name.name, r.name.id, r.language);
    };
    auto less = [&](const PeResource& x, const PeResource& y) { return key(x) < key(y); };
    std::sort(a.begin(), a.end(), less);
    std::sort(b.begin(), b.end(), less);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_TRUE(key(a[i]) == key(b[i])) << "resource " << i;
        EXPECT_TRUE(a[i].data == b[i].data) << "resource " << i << " id " << a[i].name.id;
    }
}

struct Example {
    const char* file;  // under examples/
    int kind, answersPerQuestion, revealMode;
    std::string title, author, description, caption1, caption2;  // UTF-8
    uint8_t red, green, blue;
    std::vector<std::pair<std::string, std::string>> answers;  // UTF-8
    std::string firstPrompt, lastExplanation;                  // UTF-8
    std::vector<std::string> codes;
    std::vector<std::string> media, answerPictures;  // relative to the quiz file; "" for none
};

std::vector<Example> examples() {
    return {
        {"text/capitales.toml",
         KindText,
         1,
         RevealNone,
         "Capitales d'Europe",
         "Marie",
         "Trouvez la capitale de chaque pays.",
         "",
         "",
         90,
         95,
         150,
         {{"Paris", ""},
          {"Madrid", ""},
          {"Rome", ""},
          {"Berlin", ""},
          {"Lisbonne", ""},
          {"Bruxelles", ""}},
         "Quelle est la capitale de la France ?",
         "",
         {"EUR1", "EUR2", "EUR3", "EUR4", "EUR5", "EUROPE"},
         {},
         {}},
        {"picture/formes.toml",
         KindPicture,
         2,
         RevealBoth,
         "Formes et couleurs",
         "L\u00e9o",
         "Nommez la forme puis sa couleur.",
         "Forme",
         "Couleur",
         0x3C,
         0x6E,
         0x71,
         {{"cercle", "rouge"},
          {"carr\u00e9", "bleu"},
          {"triangle", "vert"},
          {"\u00e9toile", "jaune"}},
         "",
         "Cette \u00e9toile a cinq branches.",
         {"FORME", "", "TEINTE", "PRISME"},
         {"images/cercle.jpg", "images/carre.jpg", "images/triangle.jpg", "images/etoile.jpg"},
         {"images/cercle-reponse.jpg", "images/carre-reponse.jpg", "images/triangle-reponse.jpg",
          "images/etoile-reponse.jpg"}},
        {"audio/devinettes.toml",
         KindAudio,
         1,
         RevealAllAtEnd,
         "Devinettes \u00e0 \u00e9couter",
         "Paul",
         "\u00c9coutez chaque devinette et r\u00e9pondez en un mot.",
         "",
         "",
         0x6B,
         0x4E,
         0x71,
         {{"Venise", ""}, {"Loire", ""}, {"Mars", ""}, {"baleine", ""}},
         "",
         "La baleine bleue peut d\u00e9passer trente m\u00e8tres.",
         {"", "", "", ""},
         {"sons/venise.mp3", "sons/loire.mp3", "sons/mars.mp3", "sons/baleine.mp3"},
         {}},
        {"video/couleurs.toml",
         KindVideo,
         1,
         RevealNone,
         "Couleurs en mouvement",
         "In\u00e8s",
         "Regardez chaque extrait et nommez la couleur du fond.",
         "",
         "",
         40,
         44,
         62,
         {{"rouge", ""}, {"vert", ""}, {"bleu", ""}},
         "",
         "",
         {"VU", "BIEN VU", "BRAVO"},
         {"clips/rouge.avi", "clips/vert.avi", "clips/bleu.avi"},
         {}},
    };
}

class BuildCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(kPlayer))
            << kPlayer
            << " is missing: build a Windows tree with -DVELTO_HOST_BIN=" << VELTO_BINARY_DIR
            << "/bin (scripts/build does) so that the player sits beside velto";
        dir_ = fs::temp_directory_path() /
               ("velto-build-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    static int run(const ToolCommand& command, std::vector<std::string> words) {
        words.insert(words.begin(), command.name);
        std::vector<char*> argv;
        for (std::string& w : words) argv.push_back(&w[0]);
        argv.push_back(nullptr);
        return command.run(static_cast<int>(words.size()), argv.data());
    }

    fs::path build(const fs::path& quiz, const std::string& name,
                   const fs::path& player = kPlayer) {
        const fs::path out = dir_ / name;
        EXPECT_EQ(
            run(kBuildCommand, {quiz.string(), "-o", out.string(), "--player", player.string()}),
            0);
        return out;
    }

    std::vector<fs::path> listing() const {
        std::vector<fs::path> names;
        for (const auto& entry : fs::recursive_directory_iterator(dir_))
            names.push_back(entry.path());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir_;
};

void expectDefinition(const Example& e, const std::vector<PeResource>& all) {
    const PeResource* r = find(all, u"PATCH", kDefinitionResource);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->language, 0);
    const std::vector<uint8_t> payload = unpacked(*r);
    ASSERT_FALSE(payload.empty());
    EXPECT_EQ(payload[0], 0);
    DefinitionData d;
    ASSERT_EQ(parseDefinition(payload.data(), payload.size(), d), PayloadOk);
    EXPECT_EQ(d.kind, e.kind);
    EXPECT_EQ(d.answersPerQuestion, e.answersPerQuestion);
    EXPECT_EQ(d.revealMode, e.revealMode);
    EXPECT_EQ(d.title, cp1252(e.title));
    EXPECT_EQ(d.author, cp1252(e.author));
    EXPECT_EQ(d.description, cp1252(e.description));
    EXPECT_EQ(d.caption1, cp1252(e.caption1));
    EXPECT_EQ(d.caption2, cp1252(e.caption2));
    EXPECT_EQ(d.bgRed, e.red);
    EXPECT_EQ(d.bgGreen, e.green);
    EXPECT_EQ(d.bgBlue, e.blue);
    ASSERT_EQ(d.questionCount, static_cast<int>(e.answers.size()));
    ASSERT_EQ(d.questions.size(), e.answers.size());
    for (size_t i = 0; i < e.answers.size(); ++i) {
        EXPECT_EQ(d.questions[i].answer1, cp1252(e.answers[i].first));
        EXPECT_EQ(d.questions[i].answer2, cp1252(e.answers[i].second));
    }
    EXPECT_EQ(d.questions.front().prompt, cp1252(e.firstPrompt));
    EXPECT_EQ(d.questions.back().explanation, cp1252(e.lastExplanation));
    if (e.revealMode == RevealBoth) {
        // Each question's second reveal token is written empty.
        const std::string tail = d.questions.back().explanation + "||";
        EXPECT_NE(std::string(payload.begin(), payload.end()).find(tail), std::string::npos);
    }
}

void expectCodesAndMedia(const Example& e, const std::vector<PeResource>& all) {
    const PeResource* r = find(all, u"PATCH", kCodesResource);
    ASSERT_NE(r, nullptr);
    const std::vector<uint8_t> payload = unpacked(*r);
    std::string expected;  // one line per question, given or not
    for (const std::string& code : e.codes) expected += code + "\r\n";
    EXPECT_EQ(std::string(payload.begin(), payload.end()), expected);

    const fs::path base = (kExamples / e.file).parent_path();
    size_t images = 0;
    for (size_t i = 0; i < e.answers.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        const std::string media = i < e.media.size() ? e.media[i] : "";
        const std::string answer = i < e.answerPictures.size() ? e.answerPictures[i] : "";
        const PeResource* m = find(all, u"IMG", kQuestionMediaBase + number);
        const PeResource* a = find(all, u"IMG", kAnswerPictureBase + number);
        ASSERT_EQ(m != nullptr, !media.empty()) << "question " << number;
        ASSERT_EQ(a != nullptr, !answer.empty()) << "question " << number;
        if (m) {
            EXPECT_TRUE(m->data == fileBytes(base / media)) << media;
        }
        if (a) {
            EXPECT_TRUE(a->data == fileBytes(base / answer)) << answer;
        }
        images += (m ? 1 : 0) + (a ? 1 : 0);
    }
    EXPECT_EQ(part(all, true).size(), 2 + images);  // nothing else of the quiz's types
}

TEST_F(BuildCommandTest, BuildsEveryExampleIntoThePlayer) {
    const std::vector<PeResource> player = readResources(kPlayer);
    ASSERT_FALSE(part(player, false).empty());
    for (const Example& e : examples()) {
        SCOPED_TRACE(e.file);
        const fs::path exe = build(kExamples / e.file, fs::path(e.file).stem().string() + ".exe");
        const std::vector<PeResource> all = readResources(exe);
        expectDefinition(e, all);
        expectCodesAndMedia(e, all);
        // Dialogs, icons, cursor and version record come through untouched.
        expectSameResources(part(all, false), part(player, false));
    }
}

TEST_F(BuildCommandTest, ExtractedQuizRebuildsIdenticalResources) {
    for (const Example& e : examples()) {
        SCOPED_TRACE(e.file);
        const std::string stem = fs::path(e.file).stem().string();
        const fs::path first = build(kExamples / e.file, stem + "-1.exe");
        const fs::path folder = dir_ / (stem + "-files");
        ASSERT_EQ(run(kExtractCommand, {first.string(), folder.string()}), 0);
        const fs::path quizFile = folder / (stem + "-1.toml");
        ASSERT_TRUE(fs::exists(quizFile));

        ::testing::internal::CaptureStdout();
        EXPECT_EQ(run(kInspectCommand, {first.string()}), 0);
        const std::string printed = ::testing::internal::GetCapturedStdout();
        const std::vector<uint8_t> written = fileBytes(quizFile);
        EXPECT_EQ(printed, std::string(written.begin(), written.end()));

        const fs::path second = build(quizFile, stem + "-2.exe");
        expectSameResources(part(readResources(second), true), part(readResources(first), true));
    }
}

TEST_F(BuildCommandTest, RebuildingABuiltQuizReplacesItsWholeQuiz) {
    const fs::path picture = build(kExamples / "picture/formes.toml", "formes.exe");
    const fs::path text = build(kExamples / "text/capitales.toml", "capitales.exe");
    const fs::path rebuilt = build(kExamples / "text/capitales.toml", "again.exe", picture);
    const std::vector<PeResource> all = readResources(rebuilt);
    expectSameResources(part(all, true), part(readResources(text), true));
    EXPECT_EQ(find(all, u"IMG", kQuestionMediaBase + 1), nullptr);
    expectSameResources(part(all, false), part(readResources(kPlayer), false));
}

TEST_F(BuildCommandTest, NothingIsWrittenOnError) {
    const std::vector<uint8_t> player = fileBytes(kPlayer);
    fs::copy_file(kPlayer, dir_ / "player.exe");
    writeFile(dir_ / "bad.toml",
              "kind = \"picture\"\ntitle = \"T\"\n"
              "[[questions]]\nanswer = \"a\"\nmedia = \"missing.jpg\"\n");
    writeFile(dir_ / "not-a-player.exe", "MZ but nothing more");
    const fs::path good = kExamples / "text/capitales.toml";
    const fs::path out = dir_ / "out.exe";
    const std::vector<fs::path> before = listing();

    EXPECT_EQ(run(kCheckCommand, {(dir_ / "bad.toml").string()}), 1);
    EXPECT_EQ(run(kBuildCommand, {(dir_ / "bad.toml").string(), "-o", out.string(), "--player",
                                  (dir_ / "player.exe").string()}),
              1);
    EXPECT_EQ(run(kBuildCommand, {good.string(), "-o", out.string(), "--player",
                                  (dir_ / "not-a-player.exe").string()}),
              1);
    EXPECT_EQ(run(kBuildCommand,
                  {good.string(), "-o", out.string(), "--player", (dir_ / "absent.exe").string()}),
              1);
    // The player is never written over, even when asked to.
    EXPECT_EQ(run(kBuildCommand, {good.string(), "-o", (dir_ / "player.exe").string(), "--player",
                                  (dir_ / "player.exe").string()}),
              1);
    EXPECT_EQ(run(kBuildCommand, {good.string(), "--bogus"}), 2);

    EXPECT_EQ(listing(), before);  // no output, no temporary file left behind
    EXPECT_TRUE(fileBytes(dir_ / "player.exe") == player);
    EXPECT_TRUE(fileBytes(kPlayer) == player);
}

TEST_F(BuildCommandTest, DefaultOutputSitsBesideTheQuizFile) {
    fs::create_directories(dir_ / "sub");
    fs::copy_file(kExamples / "text/capitales.toml", dir_ / "sub" / "capitales.toml");
    EXPECT_EQ(run(kCheckCommand, {(dir_ / "sub" / "capitales.toml").string()}), 0);
    EXPECT_EQ(run(kBuildCommand,
                  {(dir_ / "sub" / "capitales.toml").string(), "--player", kPlayer.string()}),
              0);
    EXPECT_TRUE(fs::exists(dir_ / "sub" / "capitales.exe"));
    // A second build replaces the first in place.
    EXPECT_EQ(run(kBuildCommand,
                  {(dir_ / "sub" / "capitales.toml").string(), "--player", kPlayer.string()}),
              0);
    EXPECT_EQ(listing().size(), 3u);
    // A quiz file dropped onto velto (no command) is built there too, with the player beside velto.
    fs::copy_file(kExamples / "text/capitales.toml", dir_ / "Histoire.TOML");
    const Outcome dropped = runVelto(quote((dir_ / "Histoire.TOML").string()), dir_);
    EXPECT_EQ(dropped.status, 0) << dropped.err;
    EXPECT_TRUE(fs::exists(dir_ / "Histoire.exe"));
}

TEST_F(BuildCommandTest, ExtractNeverReplacesFiles) {
    const fs::path exe = build(kExamples / "picture/formes.toml", "formes.exe");
    ASSERT_EQ(run(kExtractCommand, {exe.string(), (dir_ / "x").string()}), 0);
    EXPECT_TRUE(fs::exists(dir_ / "x" / "media" / "q4.jpg"));
    EXPECT_TRUE(fs::exists(dir_ / "x" / "media" / "a4.jpg"));
    writeFile(dir_ / "x" / "formes.toml", "mine");
    EXPECT_EQ(run(kExtractCommand, {exe.string(), (dir_ / "x").string()}), 1);
    const std::vector<uint8_t> kept = fileBytes(dir_ / "x" / "formes.toml");
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "mine");
    EXPECT_EQ(run(kInspectCommand, {(dir_ / "x" / "formes.toml").string()}), 1);
    EXPECT_EQ(run(kInspectCommand, {kPlayer.string()}), 1);  // a player holds no quiz
}

}  // namespace

// The maker's link goes into the quiz and comes back; a hand-edited one that is no web address
// is dropped, as the player drops it; a quiz rebuilt without one loses the old one.
TEST_F(BuildCommandTest, TheLinkTravelsWithTheQuiz) {
    const std::string address = "https://www.exemple.fr/quiz?n=1";
    writeFile(dir_ / "l.toml", "kind = \"text\"\ntitle = \"T\"\nlink = \"" + address +
                                   "\"\n[[questions]]\nprompt = \"P\"\nanswer = \"a\"\n");
    const fs::path built = build(dir_ / "l.toml", "l.exe");
    QuizFile quiz;
    std::vector<std::string> warnings;
    std::string error;
    ASSERT_TRUE(readBuiltQuiz(fileBytes(built), quiz, warnings, error)) << error;
    EXPECT_EQ(quiz.link, address);
    EXPECT_NE(writeQuizText(quiz, "").find("link = \"" + address + "\"\n"), std::string::npos);

    std::vector<PeResource> all = readResources(built);
    for (PeResource& r : all)
        if (r.type.isName() && r.type.name == u"LINK") {
            const std::string evil = "file:///C:/Windows/System32/calc.exe";
            r.data.assign(evil.begin(), evil.end());
        }
    std::vector<uint8_t> edited;
    ASSERT_TRUE(writePeResources(fileBytes(built), all, edited, error)) << error;
    ASSERT_TRUE(readBuiltQuiz(edited, quiz, warnings, error)) << error;
    EXPECT_EQ(quiz.link, "");
    EXPECT_NE(warnings.back().find("n'est pas une adresse web http(s)"), std::string::npos);

    const fs::path rebuilt = build(kExamples / "text/capitales.toml", "again.exe", built);
    EXPECT_EQ(find(readResources(rebuilt), u"LINK", kLinkResource), nullptr);
}
