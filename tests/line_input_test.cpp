#include <gtest/gtest.h>

#include "screen/conio.h"
#include "screen/line_input.h"
#include "tests/console_fixture.h"

using LineInputTest = ConsoleTest;

TEST_F(LineInputTest, EchoesAtTheCursorAndTakesBackCharacters) {
    gotoxy(12, 2);
    type("abc");
    keys({8, 'd', 224, 75, 0, 59, 9, 'e', 13});
    std::string line;
    run([&] {
        line = read_line(10);
        return 0;
    });
    EXPECT_EQ(line, "abde");
    EXPECT_EQ(text_at(12, 2, 5), "abde ");
    EXPECT_EQ(wherex(), 16);

    // Esc takes back the whole line, also over a wrapped row; the bound holds.
    console_reset();
    gotoxy(78, 2);
    type("123456");   // the sixth is past the bound
    keys({27});
    type("\x85x");
    keys({13});
    run([&] {
        line = read_line(5);
        return 0;
    });
    EXPECT_EQ(line, "\x85x");
    EXPECT_EQ(text_at(78, 2, 3), "\x85x ");
    EXPECT_EQ(text_at(1, 3, 2), "  ");
    EXPECT_EQ(wherex(), 80);
    EXPECT_EQ(wherey(), 2);
    EXPECT_EQ(keys_left(), 0u);
}
