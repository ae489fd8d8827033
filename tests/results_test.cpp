#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "results/elemento.h"
#include "results/visual_res.h"
#include "screen/conio.h"
#include "screen/keys.h"
#include "search/ombrev.h"
#include "tests/console_fixture.h"

namespace {

const std::string MARK = "   \x1F          \x1F ->";
const std::string SUBPAGES = "Premi -> per le sottopagine";

// A row of the page as it shows the text: frame, two blanks, the 74
// columns of the row, two blanks, frame.
std::string page_row(const std::string& shown) {
    return "\xBA  " + shown + std::string(74 - shown.size(), ' ') + "  \xBA";
}

const std::string BLANK_ROW = page_row("");

void add_medium(const std::string& archive, const std::string& text) {
    list_res.emplace_back(1, archive, text);
    counter = static_cast<int>(list_res.size()) - 1;
}

// "voce 1:voce 2:...": n segments, each telling its number.
std::string numbered_segments(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) text += "voce " + std::to_string(i) + ":";
    return text;
}

// The page shows segments first to last on rows 7 onwards, blank rows
// below them, and the sub-page mark only when all sixteen rows are used.
void expect_page(const ScreenShot& shot, int first, int last) {
    const int rows = last - first + 1;
    for (int r = 0; r < 16; ++r) {
        const std::string want = r < rows ? page_row("voce " + std::to_string(first + r)) : BLANK_ROW;
        EXPECT_EQ(shot.row(7 + r), want) << "row " << 7 + r << " for segments " << first << " to " << last;
    }
    if (rows == 16) {
        EXPECT_EQ(shot.text_at(3, 23, 18), MARK);
        EXPECT_TRUE(shot.attrs_are(3, 23, 18, 14));
    } else {
        EXPECT_EQ(shot.row(23), BLANK_ROW) << "segments " << first << " to " << last;
    }
}

std::string header_name(const ScreenShot& shot) { return shot.text_at(23, 5, 37); }
std::string header_number(const ScreenShot& shot) { return shot.text_at(60, 5, 20); }

using ResultsTest = ConsoleTest;

TEST_F(ResultsTest, RecordsAreDeepCopiesAndADefaultRecordHoldsNothing) {
    const Elemento record(2, "disco1.txt", "concerto - help.mp3:help.txt:");
    Elemento copy = record;
    copy.supporto += "x";
    copy.righe.clear();
    EXPECT_EQ(record.trovate, 2);
    EXPECT_EQ(record.supporto, "disco1.txt");
    EXPECT_EQ(record.righe, "concerto - help.mp3:help.txt:");
    const Elemento empty;
    EXPECT_EQ(empty.trovate, 0);
    EXPECT_TRUE(empty.supporto.empty());
    EXPECT_TRUE(empty.righe.empty());
}

TEST_F(ResultsTest, NoResultsReturnZeroAndLeaveTheScreenAsItWas) {
    gotoxy(10, 12);
    cprintf("la ricerca di prima");
    const ScreenShot before;
    EXPECT_EQ(run([] { return visual_res(-1); }), 0);
    for (int y = 1; y <= 25; ++y) EXPECT_EQ(row(y), before.row(y)) << y;
    EXPECT_EQ(wherex(), 29);
    EXPECT_EQ(wherey(), 12);
}

TEST_F(ResultsTest, OneMediumShowsItsScreenAndEveryMoveRedrawsTheSamePage) {
    add_medium("disco1.txt", "concerto - help.mp3:help.txt:musica\\help:");
    keys({224, 73, 224, 81, 224, 77, 'x', 0, 81, keycode::enter});
    EXPECT_EQ(run([] { return visual_res(counter); }), keycode::enter);
    EXPECT_EQ(keys_left(), 0u);

    const ScreenShot& shot = seen_at_key(0);
    EXPECT_EQ(shot.row(1), "\xC9" + std::string(78, '\xCD') + "\xBB");
    EXPECT_EQ(shot.row(2), "\xBA" + std::string(29, ' ') + "Ombrev Finder v2.0" + std::string(31, ' ') + "\xBA");
    EXPECT_EQ(shot.row(3), "\xCC" + std::string(78, '\xCD') + "\xB9");
    EXPECT_EQ(shot.row(4), "\xBA" + std::string(78, ' ') + "\xBA");
    EXPECT_EQ(shot.row(5), "\xBA Dettagli ricerca:   Voce trovata in disco1.txt" + std::string(11, ' ') +
                               "Supporto 1/1        \xBA");
    EXPECT_TRUE(shot.attrs_are(3, 5, 18, 14));
    EXPECT_TRUE(shot.attrs_are(21, 5, 60, 7));
    EXPECT_EQ(shot.row(6), "\xBA" + std::string(77, '\xC4') + " \xBA");
    EXPECT_EQ(shot.row(7), page_row("concerto  help.mp3"));
    EXPECT_EQ(shot.row(8), page_row("help.txt"));
    EXPECT_EQ(shot.row(9), page_row("musicahelp"));
    for (int y = 10; y <= 23; ++y) EXPECT_EQ(shot.row(y), BLANK_ROW) << y;
    EXPECT_EQ(shot.row(24), "\xC8" + std::string(78, '\xCD') + "\xBC");
    EXPECT_EQ(shot.row(25), " Premi INVIO per una nuova ricerca" + std::string(46, ' '));
    EXPECT_TRUE(shot.attrs_are(1, 25, 79, 112));
    EXPECT_EQ(shot.attr_at(80, 25), 7);
    for (int y = 6; y <= 24; ++y) EXPECT_TRUE(shot.attrs_are(1, y, 80, 7)) << y;

    // After Page Up, Page Down, the right arrow, another key and a Page Down
    // behind the other prefix, the screen is the same as at first.
    for (size_t key : {2u, 4u, 6u, 7u, 9u}) {
        for (int y = 1; y <= 25; ++y) EXPECT_EQ(seen_at_key(key).row(y), shot.row(y)) << key << ", row " << y;
    }
    // Leaving keeps the frame, header, rule, status bar and row 7.
    for (int y : {1, 2, 3, 5, 6, 7, 24, 25}) EXPECT_EQ(row(y), shot.row(y)) << y;
    for (int y = 8; y <= 23; ++y) EXPECT_EQ(row(y), BLANK_ROW) << y;
}

TEST_F(ResultsTest, PageUpAndPageDownWalkTheMediaAndStopAtTheEnds) {
    add_medium("a.txt", "uno:");
    add_medium("un archivio dal nome lungo.txt", "due:");
    add_medium("b.txt", "tre:");
    // Page Down and Page Up, as keys and as the capitals Q and I.
    keys({224, 81, 224, 81, 224, 81, 224, 73, 'Q', 'I', 'I', keycode::esc});
    EXPECT_EQ(run([] { return visual_res(counter); }), keycode::esc);

    struct View {
        size_t key;
        int number;
    };
    const char* const shown[] = {"uno", "due", "tre"};
    for (const View& v : {View{0, 3}, View{2, 2}, View{4, 1}, View{6, 1}, View{8, 2}, View{9, 1}, View{10, 2},
                          View{11, 3}}) {
        const ScreenShot& shot = seen_at_key(v.key);
        const std::string name = list_res[v.number - 1].supporto;
        // The name field runs to column 59: filled with blanks, or cut.
        const std::string field = "Voce trovata in " + name + std::string(37, ' ');
        EXPECT_EQ(header_name(shot), field.substr(0, 37)) << v.key;
        EXPECT_EQ(header_number(shot), "Supporto " + std::to_string(v.number) + "/3" + std::string(8, ' '))
            << v.key;
        EXPECT_EQ(shot.row(7), page_row(shown[v.number - 1])) << v.key;
    }
}

TEST_F(ResultsTest, ALongNameIsCutBeforeTheMediumNumber) {
    add_medium(std::string(60, 'n') + ".txt", "uno:");
    keys({keycode::enter});
    EXPECT_EQ(run([] { return visual_res(counter); }), keycode::enter);
    EXPECT_EQ(row(5), "\xBA Dettagli ricerca:   Voce trovata in " + std::string(21, 'n') + "Supporto 1/1        \xBA");
    EXPECT_EQ(row(6), "\xBA" + std::string(77, '\xC4') + " \xBA");
}

TEST_F(ResultsTest, RowsShowEachSegmentWithoutTheHiddenCharacters) {
    std::string digits;
    for (int i = 0; i < 8; ++i) digits += "0123456789";
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> rows;   // rows 7 onwards; the others blank
    };
    const std::vector<Case> cases = {
        {"two entries", "concerto - help.mp3:help.txt:", {"concerto  help.mp3", "help.txt"}},
        {"the root line", "d:.:", {"d", "."}},
        {"every hidden character", "a-b\\c/d*e?f<g>h|i+j k:", {"abcdefghij k"}},
        {"80 characters", digits.substr(0, 80) + ":", {digits.substr(0, 74)}},
        {"hidden ones take no column", "--||" + digits.substr(0, 70) + "+-+" + digits.substr(0, 10) + ":",
         {digits.substr(0, 70) + "0123"}},
        {"empty segments", "::x:", {"", "", "x"}},
        {"bytes that move the cursor", "a\tb\rc\bd\ae:", {"a b c d e"}},
        {"text after the last colon", "uno:due", {"uno"}},
        {"no text", "", {}},
    };
    for (const Case& c : cases) {
        list_res.clear();
        add_medium("x.txt", c.text);
        keys({keycode::esc});
        EXPECT_EQ(run([] { return list_res[0].print(3, 10); }), keycode::esc) << c.what;
        for (int y = 7; y <= 23; ++y) {
            const size_t r = static_cast<size_t>(y - 7);
            // The frame is not drawn here: only the columns of the page.
            const std::string want = r < c.rows.size() ? c.rows[r] : "";
            EXPECT_EQ(text_at(4, y, 75), want + std::string(75 - want.size(), ' ')) << c.what << ", row " << y;
        }
    }
}

TEST_F(ResultsTest, PrintReadsPastThePrefixesAndReturnsTheKey) {
    add_medium("x.txt", numbered_segments(20));
    // Right arrow to the last sub-page, then keys behind both prefixes.
    keys({224, 77, 0, 224, 'x'});
    EXPECT_EQ(run([] { return list_res[0].print(3, 10); }), 'x');
    keys({224, 77, 224, 77});
    EXPECT_EQ(run([] { return list_res[0].print(3, 10); }), 77);
    EXPECT_EQ(keys_left(), 0u);
}

TEST_F(ResultsTest, SubPagesOfSixteenSegments) {
    const std::vector<int> right = {224, 77};
    struct Step {
        std::vector<int> keys;   // what leads to this page
        int first, last;         // the segments it shows
    };
    struct Case {
        int segments;
        std::vector<Step> steps;
        int end_key;   // pressed on the last step's page
    };
    const std::vector<Case> cases = {
        // Exactly sixteen: the mark appears and the right arrow shows the same page.
        {16, {{{}, 1, 16}, {right, 1, 16}}, keycode::enter},
        // Forty: three sub-pages, then the first again; a capital M acts as
        // the right arrow; Esc leaves from the second sub-page at once.
        {40, {{{}, 1, 16}, {right, 17, 32}, {{'M'}, 33, 40}, {right, 1, 16}, {{'M'}, 17, 32}}, keycode::esc},
        // Seventeen: a second sub-page of one segment.
        {17, {{{}, 1, 16}, {{'M'}, 17, 17}, {right, 1, 16}}, keycode::enter},
    };
    size_t reads = 0;   // keys read by the earlier cases
    for (const Case& c : cases) {
        list_res.clear();
        add_medium("x.txt", numbered_segments(c.segments));
        std::vector<size_t> shown_at;
        for (const Step& step : c.steps) {
            for (int key : step.keys) keys({key});
            reads += step.keys.size();
            shown_at.push_back(reads);
        }
        keys({c.end_key});
        ++reads;
        EXPECT_EQ(run([] { return visual_res(counter); }), c.end_key) << c.segments;
        EXPECT_EQ(keys_left(), 0u);
        for (size_t i = 0; i < c.steps.size(); ++i) {
            const ScreenShot& shot = seen_at_key(shown_at[i]);
            expect_page(shot, c.steps[i].first, c.steps[i].last);
            EXPECT_EQ(shot.text_at(45, 25, 27), SUBPAGES) << c.segments << ", step " << i;
            EXPECT_TRUE(shot.attrs_are(1, 25, 79, 112));
        }
    }
}

TEST_F(ResultsTest, TheSubPageHintStaysOnTheStatusBarOnceDrawn) {
    add_medium("corto.txt", "uno:due:");
    add_medium("lungo.txt", numbered_segments(20));
    keys({224, 81, keycode::enter});
    EXPECT_EQ(run([] { return visual_res(counter); }), keycode::enter);
    EXPECT_EQ(seen_at_key(0).text_at(45, 25, 27), SUBPAGES);
    const ScreenShot& shot = seen_at_key(2);
    EXPECT_EQ(header_number(shot).substr(0, 13), "Supporto 1/2 ");
    EXPECT_EQ(shot.row(8), page_row("due"));
    EXPECT_EQ(shot.row(23), BLANK_ROW);
    EXPECT_EQ(shot.row(25), " Premi INVIO per una nuova ricerca" + std::string(10, ' ') + SUBPAGES +
                                std::string(9, ' '));
}

// The search keeps one record per archive with hits, in listing order, and
// Enter after it opens the viewer on them; a search without hits empties
// the list again.
TEST_F(ResultsTest, TheSearchKeepsTheMediaWithHitsAndEnterShowsThem) {
    write_file("a1.txt", ".\r\n+---Musica\r\n");
    write_file("a2.txt", ".\r\n\\---Foto\r\n");
    write_file("a3.txt", "D:.\r\n+---Musica\r\n|       Concerto - Help.mp3\r\n|       help.txt\r\n");
    write_file("a4.txt", ".\r\n\\---Lavoro\r\n");
    write_file("a5.txt", ".\r\n\\---HELP\r\n");
    type("help");
    keys({keycode::enter, keycode::enter, 224, 81, keycode::enter});
    type("d:");
    keys({keycode::enter, keycode::enter, keycode::enter});
    type("nessuno");
    keys({keycode::enter, 'x'});
    EXPECT_EQ(run(ombrev_main), 0);
    EXPECT_EQ(keys_left(), 0u);

    // The viewer opened on the fifth archive, number 2 of 2, and went to the third.
    const ScreenShot& last = seen_at_key(6);
    EXPECT_EQ(header_name(last).substr(0, 24), "Voce trovata in a5.txt  ");
    EXPECT_EQ(header_number(last).substr(0, 13), "Supporto 2/2 ");
    EXPECT_EQ(last.row(7), page_row("help"));
    const ScreenShot& first = seen_at_key(8);
    EXPECT_EQ(header_number(first).substr(0, 13), "Supporto 1/2 ");
    EXPECT_EQ(first.row(7), page_row("concerto  help.mp3"));
    EXPECT_EQ(first.row(8), page_row("help.txt"));
    // Enter in the viewer began a new search, whose root line gave two segments.
    const ScreenShot& root = seen_at_key(13);
    EXPECT_EQ(header_name(root).substr(0, 24), "Voce trovata in a3.txt  ");
    EXPECT_EQ(header_number(root).substr(0, 13), "Supporto 1/1 ");
    EXPECT_EQ(root.row(7), page_row("d"));
    EXPECT_EQ(root.row(8), page_row("."));
    EXPECT_EQ(list_res.size(), 0u);
    EXPECT_EQ(counter, -1);
}

} // namespace
