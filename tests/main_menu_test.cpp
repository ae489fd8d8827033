#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "archives/about.h"
#include "archives/main_menu.h"
#include "screen/conio.h"
#include "screen/keys.h"
#include "search/ombrev.h"
#include "tests/console_fixture.h"

namespace {

using namespace keycode;


const char* const ITEM_1 = "Crea il tree di una cartella o di un'unit\x85 logica";
const char* const ITEM_2 = "Visualizza i risultati dell'ultima ricerca";
const char* const ITEM_3 = "Informazioni sul programma";

class MainMenuTest : public ConsoleTest {
protected:
    // The item lit on the screen seen at key n: 1 to 3, or 0 unless exactly one is.
    int lit_item(size_t n) const {
        int lit = 0;
        for (int item = 1; item <= 3; ++item) {
            const int attribute = seen_at_key(n).attr_at(12, 2 + 2 * item);
            if (attribute == 227 && lit != 0) return 0;
            if (attribute == 227) lit = item;
        }
        return lit;
    }
};

TEST_F(MainMenuTest, DrawsItsWindowAndItemsOverTheSearchScreen) {
    gotoxy(1, 24);
    cprintf("search screen");
    keys({esc});
    EXPECT_EQ(run(main_menu), 0);
    const ScreenShot& menu = seen_at_key(0);
    EXPECT_EQ(menu.text_at(10, 2, 6), "\xDA[ESC]");
    EXPECT_EQ(menu.text_at(31, 2, 18), "Ombrev Finder MENU");
    EXPECT_EQ(menu.text_at(69, 21, 1), "\xD9");
    EXPECT_EQ(menu.text_at(1, 24, 13), "search screen");
    const std::string items[] = {ITEM_1, ITEM_2, ITEM_3};
    for (int i = 0; i < 3; ++i) {
        const int y = 4 + 2 * i;
        EXPECT_EQ(menu.text_at(12, y, static_cast<int>(items[i].size())), items[i]);
        EXPECT_TRUE(menu.attrs_are(12, y, static_cast<int>(items[i].size()), i == 0 ? 227 : 115)) << y;
        EXPECT_EQ(menu.attr_at(12 + static_cast<int>(items[i].size()), y), 112) << y;
    }
    EXPECT_EQ(wherex(), 38);
    EXPECT_EQ(wherey(), 8);
}

// Arrows and page keys arrive as the prefix and a code; the capitals P, Q,
// H and I typed alone act alike, lower-case letters do nothing. Esc ends the
// menu with 0 on any item.
TEST_F(MainMenuTest, SelectionMovesAndWraps) {
    struct Case {
        std::vector<int> moves;
        int lit;
    };
    const Case cases[] = {
        {{}, 1},
        {{prefix_extended, down}, 2},
        {{prefix_extended, page_down}, 2},
        {{prefix_extended, up}, 3},
        {{prefix_extended, page_up}, 3},
        {{prefix_extended, down, prefix_extended, down, prefix_extended, down}, 1},
        {{prefix_extended, up, prefix_extended, down}, 1},
        {{'P'}, 2},
        {{'Q', 'Q'}, 3},
        {{'H'}, 3},
        {{'I', 'I'}, 2},
        {{'p', 'q', 'h', 'i', 'x', 0}, 1},
    };
    size_t read_before = 0;   // keys read by the earlier cases
    for (const Case& c : cases) {
        for (int key : c.moves) keys({key});
        keys({esc});
        EXPECT_EQ(run(main_menu), 0);
        EXPECT_EQ(lit_item(read_before + c.moves.size()), c.lit) << "after " << c.moves.size() << " keys";
        read_before += c.moves.size() + 1;
    }
    EXPECT_TRUE(commands.empty());   // Esc runs nothing
}

TEST_F(MainMenuTest, ResultsItemWithoutResultsReturnsAtOnce) {
    keys({'P', enter});
    EXPECT_EQ(run(main_menu), 0);
    EXPECT_EQ(text_at(31, 2, 18), "Ombrev Finder MENU");   // the window stays
    EXPECT_EQ(keys_left(), 0u);
}

TEST_F(MainMenuTest, AboutItemShowsTheAboutScreenAndReturnsZero) {
    keys({'Q', 'Q', enter, 'x'});
    EXPECT_EQ(run(main_menu), 0);
    EXPECT_EQ(seen_at_key(3).text_at(31, 2, 18), "Ombrev Finder v2.0");
}

TEST_F(MainMenuTest, ArchiveItemReturnsZeroWhenTheCreationIsCancelled) {
    const auto start = std::filesystem::current_path();
    keys({enter, 'x', esc});
    EXPECT_EQ(run(main_menu), 0);
    EXPECT_EQ(std::filesystem::current_path(), start);
    EXPECT_EQ(keys_left(), 0u);
}

using AboutTest = ConsoleTest;

TEST_F(AboutTest, ShowsTheProgramAndWaitsForOneCode) {
    keys({prefix_extended, down});
    run([] {
        about();
        return 0;
    });
    EXPECT_EQ(keys_left(), 1u);   // an extended key's second code stays for the next reader
    const ScreenShot& screen = seen_at_key(0);
    EXPECT_EQ(screen.text_at(31, 2, 18), "Ombrev Finder v2.0");
    EXPECT_TRUE(screen.attrs_are(6, 6, 69, 42));
    EXPECT_EQ(screen.attr_at(75, 6), 7);
    EXPECT_NE(screen.text_at(6, 6, 1), " ");
    const char* const lines[] = {
        "Questo programma serve per gestire e ritrovare file archiviati in",
        "vari supporti, quali hard-disk, cd/dvd ...",
        "Per fare ci\x95 basta creare il tree della cartella o della unit\x85",
        "logica salvando il file con un nome che lo identifica chiaramente,",
        "in seguito si pu\x95 effettuare una ricerca fra tutti i tree salvati e",
        "sapere dove si trova un determinato file.",
        "La versione 2.0 ha eliminato i bug precedenti migliorando la ",
        "visualizzazione dei risultati.",
    };
    for (int i = 0; i < 8; ++i) {
        const std::string line = lines[i];
        EXPECT_EQ(screen.text_at(6, 8 + i, static_cast<int>(line.size())), line);
        EXPECT_TRUE(screen.attrs_are(6, 8 + i, static_cast<int>(line.size()), 7));
    }
    EXPECT_NE(screen.text_at(6, 17, 1), " ");
    EXPECT_EQ(screen.attr_at(6, 17), 10);
    EXPECT_EQ(screen.text_at(6, 19, 37), "Premere un tasto per continuare . . .");
    for (int y : {4, 5, 7, 16, 18, 20, 21, 22, 23}) EXPECT_EQ(screen.text_at(2, y, 78), std::string(78, ' ')) << y;
    EXPECT_EQ(screen.row(25), std::string(80, ' '));
    EXPECT_EQ(wherex(), 43);
    EXPECT_EQ(wherey(), 19);
}

} // namespace
