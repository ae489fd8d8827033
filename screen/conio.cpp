#include "screen/conio.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr unsigned char BLANK = ' ';
constexpr int PLAIN = 7;

int width = SCREEN_WIDTH;
int height = SCREEN_HEIGHT;
std::vector<Cell> cells(SCREEN_WIDTH * SCREEN_HEIGHT, Cell{BLANK, PLAIN});
int cursor_x = 0;   // 0-based
int cursor_y = 0;
int attribute = PLAIN;       // the console's current attribute
int foreground = PLAIN;      // the module's record of the colours last set
int background = 0;
unsigned long generation = 0;
ConsoleBackend* backend = nullptr;

Cell& cell_at(int x, int y) { return cells[static_cast<size_t>(y) * width + x]; }

void scroll_up() {
    cells.erase(cells.begin(), cells.begin() + width);
    cells.resize(static_cast<size_t>(width) * height, Cell{BLANK, static_cast<unsigned char>(attribute)});
}

void next_row() {
    cursor_x = 0;
    if (cursor_y + 1 < height) {
        ++cursor_y;
    } else {
        scroll_up();
    }
}

void put_byte(unsigned char byte) {
    switch (byte) {
    case '\n':
        next_row();
        return;
    case '\r':
        cursor_x = 0;
        return;
    case '\b':
        if (cursor_x > 0) --cursor_x;
        return;
    case '\t':
        cursor_x = (cursor_x / 8 + 1) * 8;
        if (cursor_x >= width) next_row();
        return;
    case '\a':
        return;
    default:
        cell_at(cursor_x, cursor_y) = Cell{byte, static_cast<unsigned char>(attribute)};
        if (++cursor_x >= width) next_row();
    }
}

void set_attribute(int value) {
    attribute = value & 0xFFFF;
    foreground = attribute & 0x0F;
    background = (attribute >> 4) & 0x0F;
}

} // namespace

void clrscr() {
    const auto fill = static_cast<unsigned char>(background * 16 + foreground);
    for (Cell& cell : cells) cell = Cell{BLANK, fill};
    cursor_x = 0;
    cursor_y = 0;
    ++generation;
}

void gotoxy(int x, int y) {
    // The console takes the coordinates as 16-bit values.
    const int column = static_cast<short>(x - 1);
    const int row = static_cast<short>(y - 1);
    if (column < 0 || row < 0 || column >= width || row >= height) return;
    cursor_x = column;
    cursor_y = row;
    ++generation;
}

void textcolor(int color) { set_attribute(background * 16 + color); }

void textbackground(int color) { set_attribute(color * 16 + foreground); }

int cprintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    char small[256];
    const int length = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (length < 0) {
        va_end(again);
        return length;
    }
    std::string text;
    const char* bytes = small;
    if (static_cast<size_t>(length) >= sizeof small) {
        text.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, again);
        bytes = text.data();
    }
    va_end(again);
    for (int i = 0; i < length; ++i) put_byte(static_cast<unsigned char>(bytes[i]));
    ++generation;
    return length;
}

int cgetch() { return backend ? backend->read_key() : 27; }

void console_attach(ConsoleBackend* next) { backend = next; }

void console_idle() {
    if (backend) backend->idle();
}

int console_width() { return width; }
int console_height() { return height; }
Cell console_cell(int x, int y) { return cell_at(x - 1, y - 1); }
int wherex() { return cursor_x + 1; }
int wherey() { return cursor_y + 1; }
int console_attribute() { return attribute; }
unsigned long console_generation() { return generation; }

void console_reset(int new_width, int new_height) {
    width = new_width;
    height = new_height;
    cells.assign(static_cast<size_t>(width) * height, Cell{BLANK, PLAIN});
    cursor_x = 0;
    cursor_y = 0;
    set_attribute(PLAIN);
    ++generation;
}
