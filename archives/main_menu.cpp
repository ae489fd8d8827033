#include "archives/main_menu.h"

#include "archives/about.h"
#include "archives/nuovo_archivio.h"
#include "results/visual_res.h"
#include "screen/conio.h"
#include "screen/keys.h"
#include "screen/screen_draw.h"
#include "screen/win.h"
#include "search/ombrev.h"

namespace {

constexpr int SELECTED = 227;
constexpr int UNSELECTED = 115;
constexpr int ITEM_COUNT = 3;

const char* const ITEMS[ITEM_COUNT] = {
    "Crea il tree di una cartella o di un'unit\x85 logica",
    "Visualizza i risultati dell'ultima ricerca",
    "Informazioni sul programma",
};

// The items on rows 4, 6 and 8; only the text of the selected one is lit.
void draw_items(int selected) {
    for (int item = 1; item <= ITEM_COUNT; ++item) {
        gotoxy(12, 2 + 2 * item);
        colore(ITEMS[item - 1], item == selected ? SELECTED : UNSELECTED);
    }
}

// The second code of down arrow and Page Down (or a typed P or Q) moves
// down, that of up arrow and Page Up (or H or I) moves up; the selection
// wraps round at both ends.
int move_selection(int selected, char key) {
    if (key == keycode::down || key == keycode::page_down) ++selected;
    if (key == keycode::up || key == keycode::page_up) --selected;
    if (selected <= 0) return ITEM_COUNT;
    if (selected > ITEM_COUNT) return 1;
    return selected;
}

} // namespace

int main_menu() {
    int selected = 1;
    win(60, 20, STATUS_BAR, "Ombrev Finder MENU");
    char key;
    do {
        draw_items(selected);
        key = static_cast<char>(cgetch());
        selected = move_selection(selected, key);
    } while (key != keycode::enter && key != keycode::esc);
    if (key == keycode::esc) return 0;
    switch (selected) {
    case 1:
        nuovo_archivio();
        return 0;
    case 2:
        key = static_cast<char>(visual_res(counter));
        return key;
    default:
        about();
        return 0;
    }
}
