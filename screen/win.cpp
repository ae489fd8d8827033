#include "screen/win.h"

#include <cstring>
#include <string>

#include "screen/conio.h"
#include "screen/screen_draw.h"

namespace {

constexpr int BORDER = 112;

void border_line(int x0, int y, int width, char left, char right) {
    gotoxy(x0, y);
    std::string line(1, left);
    line.append(static_cast<size_t>(width - 2), '\xC4');
    line += right;
    for (char ch : line) colore(ch, BORDER);
}

} // namespace

void win(int width, int height, int fill_attribute, const char* title) {
    const int x0 = (80 - width) / 2;
    const int y0 = (25 - height) / 2;
    for (int x = x0; x < x0 + width; ++x) {
        for (int y = y0; y < y0 + height; ++y) {
            gotoxy(x, y);
            colore(' ', fill_attribute);
        }
    }
    border_line(x0, y0, width, '\xDA', '\xBF');
    for (int y = y0 + 1; y <= y0 + height - 2; ++y) {
        gotoxy(x0, y);
        colore('\xB3', BORDER);
        gotoxy(x0 + width - 1, y);
        colore('\xB3', BORDER);
    }
    border_line(x0, y0 + height - 1, width, '\xC0', '\xD9');
    gotoxy((80 - static_cast<int>(std::strlen(title))) / 2, y0);
    colore(title, BORDER);
    gotoxy(x0 + 1, y0);
    colore("[ESC]", BORDER);
}
