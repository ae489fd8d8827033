#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "browser/browse.h"
#include "browser/help_window.h"
#include "browser/listing.h"
#include "screen/conio.h"
#include "screen/keys.h"
#include "shell/drive_c.h"
#include "shell/textfile.h"
#include "tests/console_fixture.h"

namespace fs = std::filesystem;

namespace {

using keycode::down;
using keycode::enter;
using keycode::esc;
using keycode::page_down;
using keycode::page_up;
using keycode::up;

const char* const NORMAL_LISTING = "dir *.* /b /a > c:/dir.txt";
const char* const LONG_LISTING = "ldir /b /a > c:/dir.txt";

std::string listing_content() {
    std::string content;
    read_whole_file(drive_c_path("c:/dir.txt"), content);
    return content;
}

void write_listing(const std::string& content) {
    std::ofstream(drive_c_path("c:/dir.txt"), std::ios::binary) << content;
}

} // namespace

class BrowserTest : public ConsoleTest {
protected:
    void make_folder(const std::string& path) { fs::create_directories(folder + "/" + path); }
    // Files "f01.txt", "f02.txt", ... in the folder (relative to the test's).
    void make_files(int n, const std::string& where = ".") {
        for (int i = 1; i <= n; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "f%02d.txt", i);
            write_file(where + "/" + name, "");
        }
    }
    int browse_with(const std::string& start_filter = "*") {
        filter = start_filter;
        return run([this] { return browse(filter); });
    }
    static fs::path here() { return fs::current_path(); }
    // The row of the cursor glyph, or 0 unless exactly one row shows it.
    static int glyph_row() {
        int found = 0;
        for (int y = 5; y <= 23; ++y) {
            if (console_cell(2, y).ch != 0x10) continue;
            if (found) return 0;
            found = y;
        }
        return found;
    }
    // The entry text at (3, y) up to the frame, trailing blanks dropped.
    static std::string entry_at(int y) {
        std::string text = text_at(3, y, 77);
        text.erase(text.find_last_not_of(' ') + 1);
        return text;
    }
    std::string filter;
};

TEST_F(BrowserTest, ReadingTakesEveryLineThatEnds) {
    struct Case {
        const char* content;
        size_t size;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"L1\r\nL2\r\nL3\r\n", 12, {"L1", "L2", "L3"}},
        {"L1\r\nL2\r\nL3", 10, {"L1", "L2"}},
        {"", 0, {}},
        {"x\ny\n", 4, {"x", "y"}},
        {"a\xFF" "b\r\n\x1A\r\nc\r\n", 11, {"a\xFF" "b", "\x1A", "c"}},
        {"a\rb\r\n\r\n", 7, {"a\rb", ""}},
    };
    for (const Case& c : cases) {
        write_listing(std::string(c.content, c.size));
        EXPECT_EQ(read_entries(), c.names) << c.content;
    }
    fs::remove(drive_c_path("c:/dir.txt"));
    EXPECT_TRUE(read_entries().empty());
}

TEST_F(BrowserTest, CleaningKeepsOnlyTheNamesOfALongNameListing) {
    write_listing("H1\r\nH2\r\n.\r\n..\r\n\r\n blank\r\n.hidden\r\nN\r\n");
    EXPECT_TRUE(dir_wash());
    EXPECT_EQ(listing_content(), "N\r\n");
    EXPECT_FALSE(fs::exists(drive_c_path("c:/temp.txt")));
    EXPECT_EQ(commands, (std::vector<std::string>{"del c:\\dir.txt", "rename c:\\temp.txt dir.txt"}));

    write_listing("H1\r\nH2\r\nA\r\nB");
    EXPECT_TRUE(dir_wash());
    EXPECT_EQ(listing_content(), "A\r\nB");

    commands.clear();
    fs::remove(drive_c_path("c:/dir.txt"));
    EXPECT_FALSE(dir_wash());
    EXPECT_TRUE(commands.empty());
}

TEST_F(BrowserTest, ListingCommandsOfEachModeAndWhatTheyList) {
    write_file("b", "");
    write_file("A.txt", "");
    write_file(".hidden", "");
    EXPECT_EQ(list_entries(ListingMode::normal), (std::vector<std::string>{".hidden", "A.txt", "b"}));
    EXPECT_EQ(listing_content(), ".hidden\r\nA.txt\r\nb\r\n");
    EXPECT_EQ(commands, std::vector<std::string>{NORMAL_LISTING});

    commands.clear();
    EXPECT_EQ(list_entries(ListingMode::long_names), (std::vector<std::string>{"A.txt", "b"}));
    EXPECT_EQ(commands, (std::vector<std::string>{LONG_LISTING, "del c:\\dir.txt", "rename c:\\temp.txt dir.txt"}));
}

TEST_F(BrowserTest, FolderOrFileIsAskedOfTheFileSystem) {
    make_folder("Foto.2019");
    make_folder("citt\xC3\xA0");
    write_file("Makefile", "");
    fs::create_directory_symlink("Foto.2019", folder + "/link");
    fs::create_symlink("missing", folder + "/broken.lnk");
    const std::pair<const char*, bool> cases[] = {
        {"Foto.2019", true}, {"citt\x85", true}, {"Makefile", false}, {"link", true},
        {"broken.lnk", false}, {"gone", true}, {"gone.txt", false},
    };
    for (const auto& [name, folder_expected] : cases) EXPECT_EQ(is_folder(name), folder_expected) << name;

    EXPECT_EQ(check_ch('.', "a.b.c"), 2);
    EXPECT_EQ(check_ch('.', ""), 0);
    EXPECT_EQ(check_ch('.', std::string(120, 'x') + ".txt"), 1);
}

TEST_F(BrowserTest, FullScreenAndTheStatusBarAfterPageKeys) {
    make_files(19);
    make_folder("sub");
    keys({'.'});
    EXPECT_EQ(browse_with(), '.');
    EXPECT_EQ(text_at(1, 1, 3), "\xC9\xCD\xCD");
    EXPECT_EQ(text_at(3, 2, 8), "Browser:");
    EXPECT_TRUE(attrs_are(3, 2, 8, 233));
    const std::string shown = folder;   // the test folder's name is plain ASCII
    EXPECT_EQ(text_at(12, 2, static_cast<int>(shown.size())), shown);
    EXPECT_TRUE(attrs_are(12, 2, static_cast<int>(shown.size()), 249));
    EXPECT_EQ(row(4), "\xBA" + std::string(78, ' ') + "\xBA");
    EXPECT_EQ(entry_at(5), "f01.txt");
    EXPECT_TRUE(attrs_are(3, 5, 7, 7));
    EXPECT_EQ(entry_at(23), "f19.txt");
    EXPECT_EQ(console_cell(2, 5).ch, 0x10);
    EXPECT_EQ(attr_at(2, 5), 10);
    EXPECT_EQ(text_at(1, 25, 10), " Pag 1/2  ");
    EXPECT_EQ(attr_at(1, 25), 112);
    EXPECT_TRUE(attrs_are(2, 25, 7, 7));
    EXPECT_EQ(text_at(11, 25, 69),
              "? per visualizzare i comandi - * per visualizzare tutte le estensioni");
    EXPECT_EQ(attr_at(11, 25), 116);
    EXPECT_EQ(attr_at(12, 25), 112);
    EXPECT_EQ(attr_at(42, 25), 116);
    EXPECT_TRUE(attrs_are(43, 25, 37, 112));
    EXPECT_EQ(attr_at(80, 25), 7);

    // A page key redraws the frame and the page text, without the hints.
    keys({page_down, '.'});
    EXPECT_EQ(browse_with(), '.');
    EXPECT_EQ(entry_at(5), "sub");
    EXPECT_TRUE(attrs_are(3, 5, 3, 14));
    EXPECT_EQ(entry_at(6), "");
    EXPECT_EQ(text_at(1, 25, 79), " Pag 2/2" + std::string(71, ' '));
    EXPECT_TRUE(attrs_are(9, 25, 71, 112));

    // Any command that lists anew brings them back, on the same page.
    commands.clear();
    keys({page_down, 'r', '.'});
    EXPECT_EQ(browse_with(), '.');
    EXPECT_EQ(text_at(2, 25, 7), "Pag 2/2");
    EXPECT_EQ(text_at(11, 25, 1), "?");
    EXPECT_EQ(commands, (std::vector<std::string>{NORMAL_LISTING, NORMAL_LISTING}));
}

TEST_F(BrowserTest, PageWalk) {
    struct Case {
        int entries;
        std::vector<int> keys;
        const char* page;
        int glyph;
        const char* first_row;
    };
    const Case cases[] = {
        {19, {page_down}, "Pag 1/1", 5, "f01.txt"},
        {20, {}, "Pag 1/2", 5, "f01.txt"},
        {20, {page_down}, "Pag 2/2", 5, "f20.txt"},
        {20, {keycode::prefix_extended, page_down, page_down}, "Pag 2/2", 5, "f20.txt"},
        {20, {page_down, page_up}, "Pag 1/2", 5, "f01.txt"},
        {20, {down, 'P'}, "Pag 1/2", 7, "f01.txt"},
        {20, {up}, "Pag 1/2", 23, "f01.txt"},
        {20, {up, down}, "Pag 1/2", 5, "f01.txt"},
        {22, {page_down, up}, "Pag 2/2", 7, "f20.txt"},
        {22, {page_down, down, down, down}, "Pag 2/2", 5, "f20.txt"},
        {22, {page_down, down, 'H', 'H'}, "Pag 2/2", 7, "f20.txt"},
        {20, {'x', keycode::prefix_function, keycode::left, keycode::right}, "Pag 1/2", 5, "f01.txt"},
        {1, {down, up, page_down, page_up}, "Pag 1/1", 5, "f01.txt"},
        {0, {down, page_down}, "Pag 1/1", 5, ""},
        {39, {page_down, page_down, page_down}, "Pag 3/3", 5, "f39.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.entries << " entries, " << c.keys.size() << " keys, " << c.page);
        fs::remove_all(folder + "/walk");
        make_folder("walk");
        make_files(c.entries, "walk");
        fs::current_path(folder + "/walk");
        commands.clear();
        for (int key : c.keys) keys({key});
        keys({'.'});
        EXPECT_EQ(browse_with(), '.');
        EXPECT_EQ(text_at(2, 25, 7), c.page);
        EXPECT_EQ(glyph_row(), c.glyph);
        EXPECT_EQ(entry_at(5), c.first_row);
        EXPECT_EQ(commands, std::vector<std::string>{NORMAL_LISTING}) << "moving never lists anew";
        fs::current_path(folder);
    }
}

TEST_F(BrowserTest, EnteringAFolderFromPageTwoShowsItsFirstPage) {
    make_files(19);
    make_folder("sub");
    make_files(3, "sub");
    keys({page_down, enter, '.'});
    EXPECT_EQ(browse_with(), '.');
    EXPECT_EQ(here(), fs::path(folder) / "sub");
    EXPECT_EQ(text_at(2, 25, 7), "Pag 1/1");
    EXPECT_EQ(entry_at(5), "f01.txt");
    EXPECT_EQ(entry_at(7), "f03.txt");
    EXPECT_EQ(entry_at(8), "");
    EXPECT_EQ(glyph_row(), 5);
    EXPECT_EQ(text_at(12, 2, static_cast<int>(folder.size()) + 4), folder + "/sub");
}

// The kind of an entry comes from the file system, not from a '.' in its name.
TEST_F(BrowserTest, DottedFolderIsEnteredAndDotlessFileIsChosen) {
    make_folder("Foto.2019");
    write_file("Foto.2019/a.jpg", "");
    write_file("Makefile", "");
    keys({down, enter});
    strgen = "old";
    EXPECT_EQ(browse_with(), enter);
    EXPECT_EQ(attr_at(3, 5), 14);
    EXPECT_EQ(attr_at(3, 6), 7);
    EXPECT_EQ(strgen, "Makefile");
    EXPECT_EQ(commands, (std::vector<std::string>{NORMAL_LISTING, "del c:/dir.txt"}));
    EXPECT_FALSE(fs::exists(drive_c_path("c:/dir.txt")));
    EXPECT_EQ(here(), fs::path(folder));

    keys({enter, '.'});
    EXPECT_EQ(browse_with(), '.');
    EXPECT_EQ(here(), fs::path(folder) / "Foto.2019");
    EXPECT_EQ(entry_at(5), "a.jpg");
    EXPECT_TRUE(fs::exists(drive_c_path("c:/dir.txt"))) << "'.' leaves the listing file";
}

TEST_F(BrowserTest, EscAfterWalkingAwayChoosesNothingAndStaysThere) {
    make_folder("a/b/c");
    keys({enter, enter, esc});
    strgen = "old";
    EXPECT_EQ(browse_with(), 0);
    EXPECT_TRUE(strgen.empty());
    EXPECT_EQ(here(), fs::path(folder) / "a" / "b");
    EXPECT_EQ(entry_at(5), "c");
    EXPECT_EQ(commands, (std::vector<std::string>{NORMAL_LISTING, NORMAL_LISTING, NORMAL_LISTING}));
}

TEST_F(BrowserTest, EmptyFolderAndASingleFile) {
    make_folder("empty");
    fs::current_path(folder + "/empty");
    keys({enter, enter, '.'});
    EXPECT_EQ(browse_with(), '.');
    EXPECT_EQ(commands.size(), 3u) << "Enter on no entry lists anew";
    EXPECT_EQ(text_at(2, 25, 7), "Pag 1/1");
    EXPECT_EQ(entry_at(5), "");

    write_file("empty/only.txt", "");
    keys({down, page_down, up, enter});
    EXPECT_EQ(browse_with(), enter);
    EXPECT_EQ(strgen, "only.txt");
}

TEST_F(BrowserTest, NamesAreShownExactlyAsWritten) {
    write_file("100%d%s%%.txt", "");
    write_file("citt\xC3\xA0.txt", "");
    keys({'.'});
    EXPECT_EQ(browse_with(), '.');
    EXPECT_EQ(entry_at(5), "100%d%s%%.txt");
    EXPECT_EQ(entry_at(6), "citt\x85.txt");
}

TEST_F(BrowserTest, NoLimitOnTheNumberOfEntriesOrTheLengthOfANameOrPath) {
    make_files(1001);
    const std::string long_name(150, 'n');
    make_folder("zz/" + long_name);
    std::vector<int> walk(53, page_down);
    for (int key : walk) keys({key});
    keys({'.'});
    EXPECT_EQ(browse_with(), '.');
    EXPECT_EQ(text_at(2, 25, 9), "Pag 53/53");
    EXPECT_EQ(entry_at(18), "zz");   // 988 entries before this page, 1002 in all
    EXPECT_EQ(entry_at(19), "");

    fs::current_path(folder + "/zz");
    keys({enter, '.'});
    EXPECT_EQ(browse_with(), '.');
    EXPECT_EQ(here(), fs::path(folder) / "zz" / long_name);

    // A long name runs on over the next rows; the screen never scrolls.
    fs::current_path(folder + "/zz");
    keys({'.'});
    EXPECT_EQ(browse_with(), '.');
    EXPECT_EQ(text_at(3, 5, 78), long_name.substr(0, 78));
    EXPECT_EQ(text_at(1, 6, 72), long_name.substr(78));
    EXPECT_EQ(console_cell(1, 1).ch, 0xC9);
}

// After 'l' the listing may be shorter than the page shown: the page start
// goes back one page per key, and Enter where no entry is only lists anew.
TEST_F(BrowserTest, ShorterListingThanThePageShown) {
    for (int i = 1; i <= 20; ++i) write_file(".h" + std::to_string(100 + i), "");
    make_files(19);
    keys({page_down, page_down, 'l'});
    keys({enter, '.'});
    EXPECT_EQ(browse_with(), '.') << "Enter found no entry under the cursor and chose nothing";
    EXPECT_EQ(commands.size(), 1u + 3u + 3u);
    EXPECT_EQ(commands.back(), "rename c:\\temp.txt dir.txt");
    EXPECT_EQ(text_at(2, 25, 7), "Pag 2/1");
    EXPECT_EQ(entry_at(5), "");
}

TEST_F(BrowserTest, LongNameModeHandsTheFolderToLcd) {
    make_folder("sub dir");
    make_folder("a > b");
    write_file(".cfg", "");
    write_file("x.txt", "");
    keys({'l', down, enter, 'l', '.'});
    EXPECT_EQ(browse_with(), '.');
    EXPECT_EQ(commands, (std::vector<std::string>{NORMAL_LISTING, LONG_LISTING, "del c:\\dir.txt",
                                                  "rename c:\\temp.txt dir.txt", "lcd \"sub dir\"", LONG_LISTING,
                                                  "del c:\\dir.txt", "rename c:\\temp.txt dir.txt", NORMAL_LISTING}));
    EXPECT_EQ(here(), fs::path(folder));
    EXPECT_EQ(entry_at(5), ".cfg");

    commands.clear();
    keys({'l', enter, esc});
    EXPECT_EQ(browse_with(), 0);
    EXPECT_EQ(commands[4], "lcd \"a > b\"");
    EXPECT_FALSE(fs::exists(folder + "/b\"")) << "a quoted name is no redirection";
    EXPECT_EQ(here(), fs::path(folder));
}

TEST_F(BrowserTest, TypingAPath) {
    make_folder("start");
    make_folder("media/x");
    make_folder("citt\xC3\xA0");
    std::string windows_root = "c:" + folder;
    std::replace(windows_root.begin(), windows_root.end(), '/', '\\');
    const std::pair<std::vector<int>, std::string> cases[] = {
        {{'.', '.'}, ""},
        {{}, "start"},
        {{'n', 'o', 'p', 'e'}, "start"},
        {{'.', '.', '/', 'c', 'i', 't', 't', 0x85}, "citt\xC3\xA0"},
        {{'x', 'y', 8, 8, '.', '.', '\\', 'm', 'e', 'd', 'i', 'a'}, "media"},
        {{'x', esc, keycode::prefix_extended, keycode::left, keycode::prefix_function, 59, '.', '.'}, ""},
    };
    for (const auto& [typed, expected] : cases) {
        fs::current_path(folder + "/start");
        keys({page_down, '\\'});
        for (int key : typed) keys({key});
        keys({enter, '.'});
        EXPECT_EQ(browse_with(), '.');
        EXPECT_EQ(here(), expected.empty() ? fs::path(folder) : fs::path(folder) / expected) << expected;
    }
    fs::current_path(folder + "/start");
    keys({'\\'});
    type(windows_root + "\\media\\..\\media\\x");
    keys({enter, '.'});
    EXPECT_EQ(browse_with(), '.');
    EXPECT_EQ(here(), fs::path(folder) / "media" / "x");
}

TEST_F(BrowserTest, HelpWindow) {
    keys({'x'});
    run([] {
        help_window();
        return 0;
    });
    EXPECT_EQ(keys_left(), 0u);
    EXPECT_EQ(text_at(10, 2, 6), "\xDA[ESC]");
    EXPECT_EQ(text_at(32, 2, 15), "Browse commands");
    const std::pair<int, std::string> lines[] = {
        {4, "* per visualizzare tutte le estensioni"},
        {6, "\\ per cambiare la directory corrente"},
        {8, "INVIO per selezionare un file o una directory"},
        {10, "l per visualizzare i nomi completi (NO dal prompt)"},
        {12, "r per visualizzare il readme del browser"},
        {14, "Pag\x1E \x1F per cambiare pagina dell'elenco"},
        {16, ". per selezionare una directory"},
        {20, "? per visualizzare questo help"},
    };
    for (const auto& [y, text] : lines) {
        EXPECT_EQ(text_at(12, y, static_cast<int>(text.size())), text) << y;
        const int key_length = y == 14 ? 6 : static_cast<int>(text.find(' '));
        EXPECT_TRUE(attrs_are(12, y, key_length, 116)) << y;
        EXPECT_TRUE(attrs_are(12 + key_length, y, static_cast<int>(text.size()) - key_length, 127)) << y;
    }
    EXPECT_EQ(text_at(11, 18, 58), std::string(58, ' '));

    // In the browser the window's key is not looked at; then it lists anew.
    make_files(2);
    keys({down, '?', esc, '.'});
    EXPECT_EQ(browse_with(), '.');
    EXPECT_EQ(commands, (std::vector<std::string>{NORMAL_LISTING, NORMAL_LISTING}));
    EXPECT_EQ(entry_at(4), "");
    EXPECT_EQ(glyph_row(), 6);
}

TEST_F(BrowserTest, StarSetsTheFilter) {
    keys({'*', '.'});
    EXPECT_EQ(browse_with("abc"), '.');
    EXPECT_EQ(filter, "*");
    EXPECT_EQ(commands, (std::vector<std::string>{NORMAL_LISTING, NORMAL_LISTING}));
}

TEST_F(BrowserTest, ListingThatCannotBeWrittenShowsNoEntries) {
    make_files(3);
    drive_c_remove();
    keys({enter, 'l', enter, '.'});
    EXPECT_EQ(browse_with(), '.');
    EXPECT_EQ(text_at(2, 25, 7), "Pag 1/1");
    EXPECT_EQ(entry_at(5), "");
}
