// Careless commands and hostile files, run through the built velto: each is refused with its
// status and a French message, without a hang, and leaves every file as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <map>

#include "tests/tools/support.h"
#include "tools/pe/pe_resources.h"

namespace {

using namespace toolstest;

// "pic.jpg" starts at character 65.
const char kQuiz[] =
    "kind = \"picture\"\ntitle = \"Q\"\n[[questions]]\nanswer = \"a\"\n"
    "media = \"pic.jpg\"\n";

// Every entry under the folder: its kind and, for a regular file, its bytes.
std::map<std::string, std::string> snapshot(const fs::path& dir) {
    std::map<std::string, std::string> all;
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
        const fs::file_status s = e.symlink_status();
        const std::string kind = std::to_string(static_cast<int>(s.type())) + ":";
        all[e.path().string()] = kind + (fs::is_regular_file(s) ? readFile(e.path()) : "");
    }
    return all;
}

void patchPlayer(const fs::path& dir, const std::function<void(std::vector<uint8_t>&)>& change) {
    std::vector<uint8_t> bytes = fileBytes(kPlayer);
    change(bytes);
    writeFile(dir / "odd.exe", std::string(bytes.begin(), bytes.end()));
}

void markAsDll(std::vector<uint8_t>& pe) {
    const uint32_t at = pe[0x3C] | (pe[0x3D] << 8);
    pe[at + 4 + 18 + 1] |= 0x20;  // IMAGE_FILE_DLL in the file header's characteristics
}

void dropDialog(std::vector<uint8_t>& pe) {
    std::vector<PeResource> all, kept;
    std::string error;
    ASSERT_TRUE(readPeResources(pe, all, error)) << error;
    for (const PeResource& r : all)
        if (!(r.type.id == 5 && r.name.id == 1002)) kept.push_back(r);
    std::vector<uint8_t> out;
    ASSERT_TRUE(writePeResources(pe, kept, out, error)) << error;
    pe = out;
}

struct Row {
    const char* name;
    std::function<void(const fs::path&)> setUp;  // beyond q.toml, pic.jpg and player.exe
    std::string command;                         // {d} is the scratch folder
    int status;
    std::string message;  // a fragment of standard error
    std::string stdinPath = "/dev/null", stdoutPath = "";
};

std::string expand(std::string text, const fs::path& dir) {
    for (size_t at; (at = text.find("{d}")) != std::string::npos;)
        text.replace(at, 3, dir.string());
    return text;
}

std::vector<Row> rows() {
    const auto none = [](const fs::path&) {};
    static const std::string build = "build {d}/q.toml --player {d}/player.exe -o ";
    const std::string quizOf = "kind = \"text\"\ntitle = \"T\"\n[[questions]]\nprompt = \"P\"\n";
    return {
        {"output is the quiz file", none, build + "{d}/q.toml", 1, "est aussi un fichier lu"},
        {"output is a picture of the quiz", none, build + "{d}/pic.jpg", 1,
         "est aussi un fichier lu par cette commande ('{d}/pic.jpg')"},
        {"output is the player", none, build + "{d}/player.exe", 1, "est aussi un fichier lu"},
        {"output is a hard link to the quiz file",
         [](const fs::path& d) { fs::create_hard_link(d / "q.toml", d / "same.exe"); },
         build + "{d}/same.exe", 1, "est aussi un fichier lu"},
        {"output is a symbolic link",
         [](const fs::path& d) { fs::create_symlink(d / "target.exe", d / "link.exe"); },
         build + "{d}/link.exe", 1, "est un lien symbolique vers '{d}/target.exe'"},
        {"output is a folder", [](const fs::path& d) { fs::create_directory(d / "out"); },
         build + "{d}/out", 1, "est un dossier"},
        {"output is a pipe", [](const fs::path& d) { mkfifo((d / "pipe").c_str(), 0600); },
         build + "{d}/pipe", 1, "n'est pas un fichier ordinaire"},
        {"output is a device", none, build + "/dev/null", 1, "n'est pas un fichier ordinaire"},
        {"output in a missing folder", none, build + "{d}/no/such.exe", 1,
         "impossible de créer '{d}/no/such.exe' : fichier ou dossier introuvable"},
        {"player is a library", [](const fs::path& d) { patchPlayer(d, markAsDll); },
         "build {d}/q.toml --player {d}/odd.exe -o {d}/x.exe", 1, "bibliothèque (DLL)"},
        {"player without a dialog", [](const fs::path& d) { patchPlayer(d, dropDialog); },
         "build {d}/q.toml --player {d}/odd.exe -o {d}/x.exe", 1,
         "il manque au lecteur son modèle de boîte de dialogue 1002"},
        {"player is another program",
         [](const fs::path& d) {
             const fs::path corpus = fs::path(VELTO_SOURCE_DIR) / "fuzz/corpus/fuzz_pe";
             fs::copy_file(corpus / "seed-i686-rewritten.exe", d / "odd.exe");
         },
         "build {d}/q.toml --player {d}/odd.exe -o {d}/x.exe", 1, "sa marque de lecteur manque"},
        {"quiz file is a pipe", [](const fs::path& d) { mkfifo((d / "p.toml").c_str(), 0600); },
         "check {d}/p.toml", 1, "ce n'est pas un fichier ordinaire"},
        {"quiz file is a device", none, "check /dev/zero", 1, "ce n'est pas un fichier ordinaire"},
        {"quiz file too large",
         [](const fs::path& d) { writeFile(d / "big.toml", std::string(5 << 20, '#')); },
         "check {d}/big.toml", 1, "la taille maximale pour un fichier de quiz est 4,0 Mo"},
        {"media is a pipe",
         [](const fs::path& d) {
             writeFile(d / "m.toml", std::string(kQuiz).replace(std::string(kQuiz).find("pic.jpg"),
                                                                7, "fifo.jpg"));
             mkfifo((d / "fifo.jpg").c_str(), 0600);
         },
         "check {d}/m.toml", 1,
         "impossible de lire 'fifo.jpg' : ce n'est pas un fichier ordinaire"},
        {"quiz file with a very long dotted key",
         [](const fs::path& d) {
             std::string key = "a";
             for (int i = 0; i < 20000; ++i) key += ".a";
             writeFile(d / "deep.toml", key + " = 1\n");
         },
         "check {d}/deep.toml", 1, "deep.toml:1: syntaxe TOML : cette ligne contient plus de 16"},
        {"TOML error in French",
         [=](const fs::path& d) { writeFile(d / "s.toml", quizOf + "zz = te\n"); },
         "check {d}/s.toml", 1, "s.toml:5: syntaxe TOML : dans une valeur true ou false"},
        {"quiz file saved by Notepad",
         [=](const fs::path& d) { writeFile(d / "n.toml.txt", quizOf); }, "check {d}/n.toml", 1,
         "fichier introuvable (vouliez-vous dire '{d}/n.toml.txt' ? Le Bloc-notes a ajouté .txt"},
        {"picture named with other capitals",
         [](const fs::path& d) {
             writeFile(d / "c.toml", std::string(kQuiz).replace(65, 3, "Pic"));
         },
         "check {d}/c.toml", 1, "introuvable (vouliez-vous dire 'pic.jpg' ?)"},
        {"picture over the size limit",
         [](const fs::path& d) {
             writeFile(d / "big.toml", std::string(kQuiz).replace(65, 3, "big"));
             fs::resize_file((writeFile(d / "big.jpg", "\xFF\xD8\xFF"), d / "big.jpg"), 17 << 20);
         },
         "check {d}/big.toml", 1,
         "il fait 17,0 Mo ; la taille maximale pour une image est 16,0 Mo : réduisez-la"},
        {"Windows folder between apostrophes",
         [](const fs::path& d) {
             fs::create_directory(d / "img");
             writeFile(d / "img" / "x.jpg", "\xFF\xD8\xFF\xE0 picture");
             writeFile(d / "w.toml", std::string(kQuiz).replace(64, 9, "'img\\x.jpg'"));
         },
         "check {d}/w.toml", 0, "'img\\x.jpg' est une image JPEG tronquée"},  // found and read
        {"link that would run a program",
         [=](const fs::path& d) {
             writeFile(d / "k.toml",
                       "link = 'C:\\Windows\\System32\\calc.exe'\n" + quizOf + "answer = \"a\"\n");
         },
         "build {d}/k.toml --player {d}/player.exe -o {d}/k.exe", 1,
         "n'est pas une adresse web : seules les adresses qui commencent par https://"},
        {"PNG picture", [](const fs::path& d) { writeFile(d / "pic.jpg", "\x89PNG\r\n\x1A\n"); },
         "check {d}/q.toml", 1, "est une image PNG, pas une image JPEG ; Windows n'affiche"},
        {"quiz file whose reading fails", none, "check /proc/self/mem", 1,
         "impossible de lire le fichier de quiz : sa lecture a échoué"},
        {"pack input is a device", none, "pack /dev/zero {d}/out.bin", 1,
         "ce n'est pas un fichier ordinaire"},
        {"pack input that never ends", none, "pack - {d}/out.bin", 1,
         "il dépasse 65535 octets, la taille maximale pour un bloc", "/dev/zero"},
        {"pack onto its own input", none, "pack {d}/q.toml {d}/q.toml", 1,
         "est aussi un fichier lu"},
        {"pack to a full standard output", none, "pack {d}/q.toml -", 1, "sortie standard",
         "/dev/null", "/dev/full"},
        {"inspect to a full standard output",
         [](const fs::path& d) {
             runVelto(expand(build + "{d}/built.exe", d), d);
             ASSERT_TRUE(fs::exists(d / "built.exe"));
         },
         "inspect {d}/built.exe", 1, "l'écriture sur la sortie standard a échoué", "/dev/null",
         "/dev/full"},
        {"extract over a dangling link",
         [](const fs::path& d) {
             runVelto(expand(build + "{d}/built.exe", d), d);
             fs::create_directory(d / "x");
             fs::create_symlink(d / "gone", d / "x" / "built.toml");
         },
         "extract {d}/built.exe {d}/x", 1, "'{d}/x/built.toml' existe déjà"},
        {"judge a stream without lines", none, "judge -", 1, "ligne 1 : plus de 65536 octets",
         "/dev/zero"},
        {"inspect a folder", [](const fs::path& d) { fs::create_directory(d / "f.exe"); },
         "inspect {d}/f.exe", 1, "c'est un dossier"},
        {"web page of a video quiz without web clips",
         [](const fs::path& d) {
             writeFile(d / "v.toml",
                       "kind = \"video\"\ntitle = \"V\"\n[[questions]]\nanswer = \"a\"\n"
                       "media = \"c.avi\"\nweb_media = \"c.webm\"\n[[questions]]\nanswer = "
                       "\"b\"\nmedia = \"c.avi\"\n[[questions]]\nanswer = \"c\"\nmedia = "
                       "\"c.avi\"\n");
             writeFile(d / "c.avi", std::string("RIFF\0\0\0\0AVI LIST", 16));
             writeFile(d / "c.webm", "\x1A\x45\xDF\xA3 webm");
         },
         "web {d}/v.toml -o {d}/v.html", 1,
         "les questions 2, 3 n'ont pas de web_media : les navigateurs ne lisent pas les extraits "
         "avi ; convertissez chacun (ffmpeg -i clip.avi clip.webm)"},
        {"web page with a quiz file error",
         [](const fs::path& d) { writeFile(d / "e.toml", std::string(kQuiz) + "colour = 1\n"); },
         "web {d}/e.toml", 1, "e.toml:"},
        {"web page onto its quiz file", none, "web {d}/q.toml -o {d}/q.toml", 1,
         "est aussi un fichier lu"},
    };
}

TEST(HostileCommands, RefusedInFrenchAndNothingChanges) {
    ASSERT_TRUE(fs::exists(kPlayer)) << kPlayer << " is missing (scripts/build puts it there)";
    const fs::path captures = scratchFolder("velto-hostile-out-");
    for (const Row& row : rows()) {
        SCOPED_TRACE(row.name);
        const fs::path dir = scratchFolder("velto-hostile-");
        writeFile(dir / "q.toml", kQuiz);
        writeFile(dir / "pic.jpg", "\xFF\xD8\xFF\xE0 picture");
        fs::copy_file(kPlayer, dir / "player.exe");
        row.setUp(dir);
        const auto before = snapshot(dir);
        const Outcome run =
            runVelto(expand(row.command, dir), captures, row.stdinPath, row.stdoutPath);
        EXPECT_EQ(run.status, row.status) << run.err;
        EXPECT_NE(run.err.find(expand(row.message, dir)), std::string::npos) << run.err;
        EXPECT_EQ(snapshot(dir), before) << "a file changed or appeared";
        fs::remove_all(dir);
    }
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    fs::remove_all(captures);
}

}  // namespace
