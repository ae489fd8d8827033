#include <string_view>

#include "results/elemento.h"
#include "screen/conio.h"
#include "screen/keys.h"
#include "screen/screen_draw.h"

namespace {

constexpr int FIRST_ROW = 7;
constexpr int PAGE_ROWS = 16;
constexpr int LAST_BLANKED_ROW = 23;
constexpr int FIRST_COLUMN = 4;
constexpr int ROW_WIDTH = 74;    // columns 4 to 77
constexpr int PAGE_WIDTH = 75;   // columns 4 to 78, when rows are cleared
constexpr int MARK = 14;

// Tree-drawing characters that a row never shows and that take no column.
// The colon also ends a segment.
constexpr std::string_view HIDDEN = "-\\/:*?<>|+";

bool is_hidden(char c) { return HIDDEN.find(c) != std::string_view::npos; }

// The bytes that would move the console's cursor instead of drawing
// something show as a blank, so that every character keeps its column.
char glyph(char c) {
    switch (c) {
    case '\n':
    case '\r':
    case '\b':
    case '\t':
    case '\a':
        return ' ';
    default:
        return c;
    }
}

// Draws the segment's first 74 shown characters from column 4 of the row
// and blanks the rest of the row through column 77.
void draw_segment(std::string_view segment, int row) {
    gotoxy(FIRST_COLUMN, row);
    int shown = 0;
    for (char c : segment) {
        if (is_hidden(c)) continue;
        cprintf("%c", glyph(c));
        if (++shown == ROW_WIDTH) return;
    }
    rigac(ROW_WIDTH - shown, ' ');
}

// Draws the segments that follow position p, at most a page of them, and
// moves p past them. Returns the number of rows drawn. Text after the last
// colon is no segment and shows nothing.
int draw_page(std::string_view text, size_t& p) {
    int rows = 0;
    while (p < text.size() && rows < PAGE_ROWS) {
        const size_t colon = text.find(':', p);
        if (colon == std::string_view::npos) {
            p = text.size();
            break;
        }
        draw_segment(text.substr(p, colon - p), FIRST_ROW + rows);
        ++rows;
        p = colon + 1;
    }
    return rows;
}

void draw_subpage_mark() {
    gotoxy(3, 23);
    colore("   \x1F          \x1F ->", MARK);
    gotoxy(45, 25);
    colore("Premi -> per le sottopagine", STATUS_BAR);
}

// Clears the rows below a short page, the sub-page mark's row included.
void blank_rows_from(int row) {
    for (int y = row; y <= LAST_BLANKED_ROW; ++y) {
        gotoxy(FIRST_COLUMN, y);
        rigac(PAGE_WIDTH, ' ');
    }
}

// One key; an extended key's prefix is read past to the code behind it.
int read_key() {
    int key = cgetch();
    while (key == keycode::prefix_extended || key == keycode::prefix_function) key = cgetch();
    return key;
}

} // namespace

int Elemento::print(int x, int y) {
    gotoxy(x, y);
    const std::string_view text = righe;
    size_t p = 0;
    for (;;) {
        const int rows = draw_page(text, p);
        if (rows == PAGE_ROWS) {
            draw_subpage_mark();
        } else {
            blank_rows_from(FIRST_ROW + rows);
        }
        const int key = read_key();
        if (key != keycode::right || p >= text.size()) return key;
    }
}
