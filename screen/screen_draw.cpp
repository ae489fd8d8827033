#include "screen/screen_draw.h"

#include "screen/conio.h"

namespace {

void set_colours(int attribute) {
    textcolor(attribute - 16 * (attribute / 16));
    textbackground(attribute / 16);
}

void reset_colours() {
    textcolor(7);
    textbackground(0);
}

// One frame row: left glyph, 78 fill glyphs, right glyph.
void frame_row(int row, char left, char fill, char right) {
    gotoxy(1, row);
    cprintf("%c", left);
    rigac(78, fill);
    cprintf("%c", right);
}

} // namespace

void colore(const char* text, int attribute) {
    set_colours(attribute);
    cprintf("%s", text);
    reset_colours();
}

void colore(char ch, int attribute) {
    set_colours(attribute);
    cprintf("%c", ch);
    reset_colours();
}

int rigac(int n, char ch) {
    for (int i = 0; i < n; ++i) cprintf("%c", ch);
    return 1;
}

void rigacol(int n, char ch, int attribute) {
    for (int i = 0; i < n; ++i) colore(ch, attribute);
}

void status_bar() {
    gotoxy(1, 25);
    rigacol(79, ' ', STATUS_BAR);
    gotoxy(2, 25);
}

void tabella(int title_length) {
    clrscr();
    frame_row(1, '\xC9', '\xCD', '\xBB');
    for (int row = 2; row <= 24; ++row) frame_row(row, '\xBA', ' ', '\xBA');
    frame_row(24, '\xC8', '\xCD', '\xBC');
    frame_row(3, '\xCC', '\xCD', '\xB9');
    gotoxy((80 - title_length) / 2, 2);
}
