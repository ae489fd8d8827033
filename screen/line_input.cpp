#include "screen/line_input.h"

#include "screen/conio.h"
#include "screen/keys.h"

namespace {

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
        if (key == keycode::enter) return line;
        if (key == keycode::prefix_function || key == keycode::prefix_extended) {
            cgetch();
        } else if (key == keycode::backspace) {
            if (!line.empty()) erase_back_to(line, line.size() - 1, start_x, start_y);
        } else if (key == keycode::esc) {
            erase_back_to(line, 0, start_x, start_y);
        } else if (key >= ' ' && key <= 0xFF && key != 0x7F && line.size() < max_length) {
            line += static_cast<char>(key);
            cprintf("%c", key);
        }
    }
}
