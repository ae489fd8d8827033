#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "browser/browse.h"
#include "browser/help_window.h"
#include "browser/listing.h"
#include "screen/conio.h"
#include "shell/drive_c.h"
#include "shell/textfile.h"
#include "tests/console_fixture.h"

namespace fs = std::filesystem;

namespace {

constexpr int ENTER = 13;
constexpr int ESC = 27;
constexpr int DOWN = 80;
constexpr int UP = 72;
constexpr int PAGE_DOWN = 81;
constexpr int PAGE_UP = 73;
constexpr int PREFIX = 224;

const char* const NORMAL_LISTING = "dir *.* /b /a > c:/dir.txt";
const char* const LONG_LISTING = "ldir /b /a > c:/dir.txt";

std::vector<std::string> names_of(const std::vector<Entry>& entries) {
    std::vector<std::string> names;
    for (const Entry& entry : entries) names.push_back(entry.name);
    return names;
}

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
        EXPECT_EQ(names_of(read_entries()), c.names) << c.content;
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
    EXPECT_EQ(names_of(list_entries(ListingMode::normal)), (std::vector<std::string>{".hidden", "A.txt", "b"}));
    EXPECT_EQ(listing_content(), ".hidden\r\nA.txt\r\nb\r\n");
    EXPECT_EQ(commands, std::vector<std::string>{NORMAL_LISTING});

    commands.clear();
    EXPECT_EQ(names_of(list_entries(ListingMode::long_names)), (std::vector<std::string>{"A.txt", "b"}));
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
    keys({PAGE_DOWN, '.'});
    EXPECT_EQ(browse_with(), '.');
    EXPECT_EQ(entry_at(5), "sub");
    EXPECT_TRUE(attrs_are(3, 5, 3, 14));
    EXPECT_EQ(entry_at(6), "");
    EXPECT_EQ(text_at(1, 25, 79), " Pag 2/2" + std::string(71, ' '));
    EXPECT_TRUE(attrs_are(9, 25, 71, 112));

    // Any command that lists anew brings them back, on the same page.
    commands.clear();
    keys({PAGE_DOWN, 'r', '.'});
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
        {19, {PAGE_DOWN}, "Pag 1/1", 5, "f01.txt"},
        {20, {}, "Pag 1/2", 5, "f01.txt"},
        {20, {PAGE_DOWN}, "Pag 2/2", 5, "f20.txt"},
        {20, {PREFIX, PAGE_DOWN, PAGE_DOWN}, "Pag 2/2", 5, "f20.txt"},
        {20, {PAGE_DOWN, PAGE_UP}, "Pag 1/2", 5, "f01.txt"},
        {20, {DOWN, 'P'}, "Pag 1/2", 7, "f01.txt"},
        {20, {UP}, "Pag 1/2", 23, "f01.txt"},
        {20, {UP, DOWN}, "Pag 1/2", 5, "f01.txt"},
        {22, {PAGE_DOWN, UP}, "Pag 2/2", 7, "f20.txt"},
        {22, {PAGE_DOWN, DOWN, DOWN, DOWN}, "Pag 2/2", 5, "f20.txt"},
        {22, {PAGE_DOWN, DOWN, 'H', 'H'}, "Pag 2/2", 7, "f20.txt"},
        {20, {'x', 0, 'K', 'M'}, "Pag 1/2", 5, "f01.txt"},
        {1, {DOWN, UP, PAGE_DOWN, PAGE_UP}, "Pag 1/1", 5, "f01.txt"},
        {0, {DOWN, PAGE_DOWN}, "Pag 1/1", 5, ""},
        {39, {PAGE_DOWN, PAGE_DOWN, PAGE_DOWN}, "Pag 3/3", 5, "f39.txt"},
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
