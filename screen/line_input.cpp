#include "screen/line_input.h"

#include "screen/conio.h"

namespace {

constexpr int KEY_ENTER = 13;
constexpr int KEY_ESC = 27;
constexpr int KEY_BACKSPACE = 8;
constexpr int PREFIX_FUNCTION = 0;
constexpr int PREFIX_EXTENDED = 224;

// Moves the cursor to where the character of the given index is echoed: the
// echo runs on from the start and wraps at the console's right edge.
void move_to_index(int start_x, int start_y, size_t index) {
    const long cell = static_cast<long>(start_x - 1) + static_cast<long>(index);
    gotoxy(static_cast<int>(cell % console_width()) + 1, start_y + static_cast<int>(cell / console_width()));
}

void erase_back_to(std::string& line, size_t length, int start_x, int start_y) {
    while (line.size() > length) {
        line.pop_back();
        move_to_index(start_x, start_y, line.size());
        cprintf(" ");
        move_to_index(start_x, start_y, line.size());
    }
}

} // namespace

std::string read_line(size_t max_length) {
    const int start_x = wherex();
    const int start_y = wherey();
    std::string line;
    for (;;) {
        const int key = cgetch();
        if (key == KEY_ENTER) return line;
        if (key == PREFIX_FUNCTION || key == PREFIX_EXTENDED) {
            cgetch();
        } else if (key == KEY_BACKSPACE) {
            if (!line.empty()) erase_back_to(line, line.size() - 1, start_x, start_y);
        } else if (key == KEY_ESC) {
            erase_back_to(line, 0, start_x, start_y);
        } else if (key >= ' ' && key <= 0xFF && key != 0x7F && line.size() < max_length) {
            line += static_cast<char>(key);
            cprintf("%c", key);
        }
    }
}
