#include <gtest/gtest.h>

#include "screen/conio.h"
#include "screen/keys.h"
#include "screen/line_input.h"
#include "tests/console_fixture.h"

using LineInputTest = ConsoleTest;

TEST_F(LineInputTest, EchoesAtTheCursorAndTakesBackCharacters) {
    gotoxy(12, 2);
    type("abc");
    keys({keycode::backspace, 'd', keycode::prefix_extended, keycode::left, keycode::prefix_function, 59, '\t', 'e', keycode::enter});
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
    keys({keycode::esc});
    type("\x85x");
    keys({keycode::enter});
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
