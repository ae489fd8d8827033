#include "results/visual_res.h"

#include <algorithm>
#include <string>

#include "screen/conio.h"
#include "screen/keys.h"
#include "screen/screen_draw.h"
#include "search/ombrev.h"

namespace {

constexpr int HEADING = 14;
constexpr int NAME_FIELD_WIDTH = 37;   // columns 23 to 59

void draw_viewer_screen() {
    draw_title_frame();
    status_bar();
    colore("Premi INVIO per una nuova ricerca", STATUS_BAR);
    gotoxy(3, 5);
    colore("Dettagli ricerca: ", HEADING);
    gotoxy(2, 6);
    rigac(77, '\xC4');
}

// The medium's name and number on row 5. The name field is filled to its
// end, so that no part of a longer name shown before stays behind, and cut
// there, so that a long name neither runs under the number nor wraps onto
// the rule.
void draw_medium_header(int index, int last) {
    std::string field = "Voce trovata in " + list_res[index].supporto + "  ";
    field.resize(NAME_FIELD_WIDTH, ' ');
    gotoxy(23, 5);
    cprintf("%s", field.c_str());
    gotoxy(60, 5);
    cprintf("Supporto %d/%d ", index + 1, last + 1);
}

// Clears the page and its sub-page mark; row 7 is drawn over by the next page.
void blank_page() {
    for (int y = 8; y <= 23; ++y) {
        gotoxy(3, y);
        rigac(76, ' ');
    }
}

// Page Up leads to the next medium, Page Down to the previous one; both
// stop at the ends of the list.
int next_medium(int index, int key, int last) {
    if (key == keycode::page_down) --index;
    if (key == keycode::page_up) ++index;
    return std::clamp(index, 0, last);
}

} // namespace

int visual_res(int last) {
    // counter keeps to the list; an index outside it has nothing to show.
    if (last < 0 || last >= static_cast<int>(list_res.size())) return 0;
    draw_viewer_screen();
    int index = last;
    for (;;) {
        draw_medium_header(index, last);
        const int key = list_res[index].print(3, 10);
        blank_page();
        index = next_medium(index, key, last);
        if (key == keycode::esc || key == keycode::enter) return key;
    }
}
