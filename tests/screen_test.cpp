#include <gtest/gtest.h>

#include "screen/conio.h"
#include "screen/cp850.h"
#include "screen/screen_draw.h"
#include "screen/win.h"
#include "tests/console_fixture.h"

using ScreenTest = ConsoleTest;

TEST_F(ScreenTest, TabellaDrawsTheFrameAndLeavesTheCursorForTheTitle) {
    tabella(18);
    EXPECT_EQ(wherex(), 31);
    EXPECT_EQ(wherey(), 2);
    EXPECT_EQ(row(1), "\xC9" + std::string(78, '\xCD') + "\xBB");
    EXPECT_EQ(row(2), "\xBA" + std::string(78, ' ') + "\xBA");
    EXPECT_EQ(row(3), "\xCC" + std::string(78, '\xCD') + "\xB9");
    for (int y = 4; y <= 23; ++y) EXPECT_EQ(row(y), "\xBA" + std::string(78, ' ') + "\xBA") << y;
    EXPECT_EQ(row(24), "\xC8" + std::string(78, '\xCD') + "\xBC");
    EXPECT_EQ(row(25), std::string(80, ' '));
    for (int y = 1; y <= 25; ++y) EXPECT_TRUE(attrs_are(1, y, 80, 7)) << y;
    tabella(0);
    EXPECT_EQ(wherex(), 40);
}

TEST_F(ScreenTest, ColoreResetsTheColoursAndPrintsPercentAsIs) {
    gotoxy(5, 5);
    colore("100% ok", 227);
    EXPECT_EQ(text_at(5, 5, 7), "100% ok");
    EXPECT_TRUE(attrs_are(5, 5, 7, 227));
    EXPECT_EQ(console_attribute(), 7);
    cprintf("x");
    EXPECT_EQ(attr_at(12, 5), 7);
    colore('\x10', 10);
    EXPECT_EQ(console_cell(13, 5).ch, 0x10);
    EXPECT_EQ(attr_at(13, 5), 10);
}

TEST_F(ScreenTest, RunsOfACharacter) {
    gotoxy(1, 1);
    rigac(0, 'x');
    EXPECT_EQ(wherex(), 1);
    rigac(78, '=');
    EXPECT_EQ(wherex(), 79);
    gotoxy(1, 25);
    rigacol(79, ' ', 112);
    EXPECT_TRUE(attrs_are(1, 25, 79, 112));
    EXPECT_EQ(attr_at(80, 25), 7);
    EXPECT_EQ(wherex(), 80);
    EXPECT_EQ(wherey(), 25);
    EXPECT_EQ(console_cell(1, 1).ch, '=');   // nothing scrolled
}

TEST_F(ScreenTest, PrintsWrapScrollAndControlBytesMoveTheCursor) {
    gotoxy(79, 3);
    cprintf("ab");
    EXPECT_EQ(text_at(79, 3, 2), "ab");
    EXPECT_EQ(wherex(), 1);
    EXPECT_EQ(wherey(), 4);

    gotoxy(10, 4);
    cprintf("x\ty\rz\bq\a");
    EXPECT_EQ(console_cell(10, 4).ch, 'x');
    EXPECT_EQ(console_cell(17, 4).ch, 'y');   // 0-based column 16
    EXPECT_EQ(console_cell(1, 4).ch, 'q');    // z written at 1, back one, q over it
    gotoxy(3, 6);
    cprintf("a\nb");
    EXPECT_EQ(console_cell(1, 7).ch, 'b');
    gotoxy(1, 8);
    cprintf("%c%c%c", 0x10, 0x1E, 0x7F);
    EXPECT_EQ(text_at(1, 8, 3), "\x10\x1E\x7F");

    gotoxy(1, 1);
    cprintf("top");
    gotoxy(80, 25);
    cprintf("!");
    EXPECT_EQ(text_at(1, 1, 3), std::string(3, ' '));   // scrolled up one row
    EXPECT_EQ(console_cell(80, 24).ch, '!');
    EXPECT_EQ(wherey(), 25);
    EXPECT_EQ(wherex(), 1);
}

TEST_F(ScreenTest, MovesOutsideTheBufferAreRefused) {
    gotoxy(7, 9);
    for (auto [x, y] : std::vector<std::pair<int, int>>{{0, 1}, {1, 0}, {81, 1}, {1, 26}, {-3, -3}}) {
        gotoxy(x, y);
        EXPECT_EQ(wherex(), 7) << x << "," << y;
        EXPECT_EQ(wherey(), 9) << x << "," << y;
    }
}

TEST_F(ScreenTest, ClearFillsALargerBufferInTheModulesColours) {
    console_reset(100, 40);
    textbackground(1);
    textcolor(14);
    clrscr();
    EXPECT_EQ(console_cell(100, 40).attr, 30);
    textcolor(7);
    textbackground(0);
    gotoxy(50, 30);
    cprintf("x");
    clrscr();
    EXPECT_EQ(console_cell(50, 30).ch, ' ');
    EXPECT_EQ(console_cell(100, 40).attr, 7);
    EXPECT_EQ(wherex(), 1);
    EXPECT_EQ(wherey(), 1);
}

TEST_F(ScreenTest, WindowsAreCentredWithTitleAndEscMark) {
    struct Case {
        int w, h;
        const char* title;
        int x0, y0, title_x;
    };
    for (const Case& c : {Case{60, 20, "Ombrev Finder MENU", 10, 2, 31}, Case{60, 20, "Browse commands", 10, 2, 32},
                          Case{68, 7, "", 6, 9, 0}, Case{56, 11, "", 12, 7, 0}}) {
        console_reset();
        win(c.w, c.h, 112, c.title);
        const int x1 = c.x0 + c.w - 1;
        const int y1 = c.y0 + c.h - 1;
        EXPECT_EQ(console_cell(c.x0, c.y0).ch, 0xDA) << c.w;
        EXPECT_EQ(console_cell(x1, c.y0).ch, 0xBF) << c.w;
        EXPECT_EQ(console_cell(c.x0, y1).ch, 0xC0) << c.w;
        EXPECT_EQ(console_cell(x1, y1).ch, 0xD9) << c.w;
        EXPECT_EQ(console_cell(c.x0 - 1, c.y0).ch, ' ');
        EXPECT_EQ(console_cell(x1 + 1, y1 + (y1 < 25 ? 1 : 0)).attr, 7);
        EXPECT_EQ(text_at(c.x0 + 1, c.y0, 5), "[ESC]");
        for (int y = c.y0 + 1; y < y1; ++y) {
            EXPECT_EQ(console_cell(c.x0, y).ch, 0xB3);
            EXPECT_EQ(console_cell(x1, y).ch, 0xB3);
            EXPECT_EQ(text_at(c.x0 + 1, y, c.w - 2), std::string(c.w - 2, ' '));
            EXPECT_TRUE(attrs_are(c.x0, y, c.w, 112));
        }
        if (c.title_x) {
            EXPECT_EQ(text_at(c.title_x, c.y0, static_cast<int>(strlen(c.title))), c.title);
        } else {
            EXPECT_EQ(text_at(c.x0 + 6, c.y0, c.w - 7), std::string(c.w - 7, '\xC4'));
        }
        EXPECT_EQ(wherex(), c.x0 + 6);
        EXPECT_EQ(wherey(), c.y0);
        EXPECT_EQ(console_attribute(), 7);
    }
}

TEST(Cp850, GlyphsAndFileNames) {
    EXPECT_EQ(cp850_to_unicode(0x10), U'\u25BA');
    EXPECT_EQ(cp850_to_unicode(0x1E), U'\u25B2');
    EXPECT_EQ(cp850_to_unicode(0x1F), U'\u25BC');
    EXPECT_EQ(cp850_to_unicode(0xFF), U'\u00A0');
    EXPECT_EQ(cp850_to_unicode(0xC9), U'\u2554');
    EXPECT_EQ(unicode_to_cp850(U'\u00E0'), 0x85);
    EXPECT_EQ(unicode_to_cp850(U'\u20AC'), -1);
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        EXPECT_EQ(unicode_to_cp850(cp850_to_unicode(static_cast<unsigned char>(byte))), byte);
    }
    EXPECT_EQ(utf8_to_cp850("citt\xC3\xA0 \xE2\x82\xAC.txt"), "citt\x85 ?.txt");
    EXPECT_EQ(utf8_to_cp850("bad\xC3"), "bad?");
    EXPECT_EQ(cp850_to_utf8("citt\x85.txt"), "citt\xC3\xA0.txt");
}
