#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "archives/main_menu.h"
#include "archives/nuovo_archivio.h"
#include "screen/conio.h"
#include "screen/keys.h"
#include "shell/drive_c.h"
#include "shell/textfile.h"
#include "tests/console_fixture.h"

namespace fs = std::filesystem;

namespace {

using namespace keycode;


const char* const CAPTURE_COMMAND = "tree /f /a > c:/temp.obv";
// The archive of the folder Dati that the fixture makes.
const char* const DATI_ARCHIVE = ".\r\n|   a.txt\r\n|   \r\n+---Foto\r\n\\---Musica\r\n        x.mp3\r\n        \r\n";

class NuovoArchivioTest : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        fs::create_directories(folder + "/Dati/Musica");
        fs::create_directories(folder + "/Dati/Foto");
        write_file("Dati/a.txt", "");
        write_file("Dati/Musica/x.mp3", "");
    }

    // Any key past the information screen, Enter on the first entry of the
    // catalogue (the folder Dati) and '.' to choose it.
    void choose_dati() { keys({'x', enter, '.'}); }

    void create() {
        run([] {
            nuovo_archivio();
            return 0;
        });
    }

    bool ran(const std::string& command) const {
        return std::find(commands.begin(), commands.end(), command) != commands.end();
    }


};

TEST_F(NuovoArchivioTest, InformationScreenThenTheBrowser) {
    keys({esc, esc});   // Esc on the information screen goes on too
    create();
    const ScreenShot& info = seen_at_key(0);
    EXPECT_EQ(info.text_at(31, 2, 18), "Ombrev Finder v2.0");
    EXPECT_EQ(info.text_at(6, 9, 6), "\xDA[ESC]");
    EXPECT_EQ(info.text_at(73, 15, 1), "\xD9");
    const std::string text = "Seleziona con il browser la cartella e premi . per selezionare";
    EXPECT_EQ(info.text_at(8, 11, static_cast<int>(text.size())), text);
    EXPECT_TRUE(info.attrs_are(8, 11, static_cast<int>(text.size()), 112));
    EXPECT_EQ(info.text_at(36, 13, 7), "  OK  \xDC");
    EXPECT_TRUE(info.attrs_are(36, 13, 6, 32));
    EXPECT_EQ(info.attr_at(42, 13), 112);
    EXPECT_EQ(info.text_at(36, 14, 7), " \xDF\xDF\xDF\xDF\xDF\xDF");
    EXPECT_TRUE(info.attrs_are(36, 14, 7, 112));
    EXPECT_EQ(seen_at_key(1).text_at(3, 2, 8), "Browser:");
}

// However the creation is left before the capture, nothing is captured and
// the catalogue is the current folder again.
TEST_F(NuovoArchivioTest, LeavingBeforeTheCaptureRunsNoCapture) {
    write_file("old.txt", "kept\r\n");
    const std::vector<std::vector<int>> scripts = {
        {'x', enter, esc},                    // Esc in the browser, inside Dati
        {'x', 'P', enter},                    // Enter on the file old.txt
        {'x', enter, '.', 'a', 'b', esc},     // Esc in the name entry
    };
    for (const auto& script : scripts) {
        for (int key : script) keys({key});
        create();
        EXPECT_EQ(keys_left(), 0u);
        EXPECT_EQ(fs::current_path(), fs::path(folder));
    }
    EXPECT_FALSE(ran(CAPTURE_COMMAND));
    EXPECT_EQ(names_here(), (std::vector<std::string>{"Dati", "old.txt"}));
}

TEST_F(NuovoArchivioTest, NameScreenAndNameEntry) {
    choose_dati();
    type("abcdefghij");
    keys({backspace});
    type(" .:\\/*?<>\"|");
    keys({esc});
    create();
    const size_t first = 3;   // the key read first by the name entry
    const ScreenShot& screen = seen_at_key(first);
    EXPECT_EQ(screen.text_at(12, 7, 6), "\xDA[ESC]");
    EXPECT_EQ(screen.text_at(67, 17, 1), "\xD9");
    const std::string prompt = "Inserisci il nome del file per salvare l'archivio: ";
    EXPECT_EQ(screen.text_at(15, 11, static_cast<int>(prompt.size())), prompt);
    EXPECT_TRUE(screen.attrs_are(15, 11, static_cast<int>(prompt.size()), 112));
    EXPECT_EQ(screen.text_at(34, 13, 12), std::string(12, ' '));
    EXPECT_TRUE(screen.attrs_are(34, 13, 12, 48));
    EXPECT_EQ(screen.text_at(36, 15, 7), "  OK  \xDC");
    EXPECT_EQ(screen.text_at(36, 16, 7), " \xDF\xDF\xDF\xDF\xDF\xDF");

    // The field after each key: eight characters at most, the ninth and
    // tenth replace the eighth; rejected characters change nothing.
    const std::vector<std::string> fields = {
        "a.txt", "ab.txt", "abc.txt", "abcd.txt", "abcde.txt", "abcdef.txt", "abcdefg.txt",
        "abcdefgh.txt", "abcdefgi.txt", "abcdefgj.txt", "abcdefg.txt",
    };
    for (size_t i = 0; i < fields.size(); ++i) {
        const ScreenShot& after = seen_at_key(first + 1 + i);
        EXPECT_EQ(after.text_at(34, 13, 12), fields[i] + std::string(12 - fields[i].size(), ' ')) << i;
        EXPECT_TRUE(after.attrs_are(34, 13, 12, 55)) << i;
    }
    EXPECT_EQ(text_at(34, 13, 12), "abcdefg.txt ");
    EXPECT_TRUE(attrs_are(34, 13, 12, 55));
    EXPECT_EQ(fs::current_path(), fs::path(folder));
}

// Backspace on an empty name, and a code 0 that ends the name's text.
TEST_F(NuovoArchivioTest, BackspaceOnEmptyAndACodeZero) {
    choose_dati();
    keys({backspace, 'a', 'b', 0, 'c', esc});
    create();
    EXPECT_EQ(seen_at_key(4).text_at(34, 13, 12), std::string(12, ' '));
    EXPECT_TRUE(seen_at_key(4).attrs_are(34, 13, 12, 55));
    EXPECT_EQ(text_at(34, 13, 12), "ab.txt      ");
}

TEST_F(NuovoArchivioTest, CreatesTheArchiveInTheCatalogueFromTheMenu) {
    write_file("disco.txt", "an earlier archive of that name\r\n");
    keys({enter});   // the menu's first item
    choose_dati();
    type("disco");
    keys({enter});
    EXPECT_EQ(run(main_menu), 0);
    EXPECT_EQ(keys_left(), 0u);
    EXPECT_EQ(content_of("disco.txt"), DATI_ARCHIVE);
    EXPECT_EQ(names_here(), (std::vector<std::string>{"Dati", "disco.txt"}));
    EXPECT_EQ(fs::current_path(), fs::path(folder));
    EXPECT_TRUE(ran(CAPTURE_COMMAND));
    EXPECT_TRUE(ran("del c:\\temp.obv"));
    EXPECT_FALSE(fs::exists(drive_c_path("c:/temp.obv")));
    EXPECT_EQ(text_at(27, 22, 25), "Tree creato con successo!");
    EXPECT_TRUE(attrs_are(27, 22, 25, 10));
}

TEST_F(NuovoArchivioTest, AnAccentedNameIsTheArchivesFileName) {
    choose_dati();
    keys({'c', 'i', 't', 't', 0x85, enter});
    create();
    EXPECT_EQ(content_of("citt\xC3\xA0.txt"), DATI_ARCHIVE);
}

// The failure messages, each on the name screen below its window, each
// closed by a key; the capture stays, an earlier archive is untouched.
TEST_F(NuovoArchivioTest, FailureMessages) {
    write_file("disco.txt", "old\r\n");
    struct Case {
        std::string name;
        bool drive_c;
        int column;
        std::string message;
    };
    const Case cases[] = {
        {"", true, 27, "Impossibile creare il file"},
        {"disco", false, 27, "Impossibile aprire il file"},
    };
    size_t read_before = 0;   // keys read by the earlier cases
    for (const Case& c : cases) {
        if (!c.drive_c) drive_c_remove();
        choose_dati();
        type(c.name);
        keys({enter, 'k'});
        create();
        EXPECT_EQ(keys_left(), 0u);
        read_before += 3 + c.name.size() + 2;
        const ScreenShot& shown = seen_at_key(read_before - 1);   // the message's key
        EXPECT_EQ(shown.text_at(c.column, 23, static_cast<int>(c.message.size())), c.message);
        EXPECT_TRUE(shown.attrs_are(c.column, 23, static_cast<int>(c.message.size()), 7));
        EXPECT_EQ(fs::current_path(), fs::path(folder));
        EXPECT_EQ(content_of("disco.txt"), "old\r\n");
        EXPECT_EQ(names_here(), (std::vector<std::string>{"Dati", "disco.txt"}));
        EXPECT_FALSE(ran("del c:\\temp.obv"));
        commands.clear();
    }
}

TEST(CheckChar, RejectsExactlyTheElevenCharactersOfNoFileName) {
    std::string rejected;
    for (int code = 0; code < 256; ++code) {
        if (!check_char(static_cast<char>(code))) rejected += static_cast<char>(code);
    }
    EXPECT_EQ(rejected, " \"*./:<>?\\|");
}

} // namespace
