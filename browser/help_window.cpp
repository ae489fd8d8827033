#include "browser/help_window.h"

#include "screen/conio.h"
#include "screen/screen_draw.h"
#include "screen/win.h"

namespace {

constexpr int WINDOW = 112;
constexpr int KEY_MARK = 116;
constexpr int HELP_TEXT = 127;

struct HelpLine {
    int row;
    const char* key;
    const char* text;
};

constexpr HelpLine HELP_LINES[] = {
    {4, "*", " per visualizzare tutte le estensioni"},
    {6, "\\", " per cambiare la directory corrente"},
    {8, "INVIO", " per selezionare un file o una directory"},
    {10, "l", " per visualizzare i nomi completi (NO dal prompt)"},
    {12, "r", " per visualizzare il readme del browser"},
    {14, "Pag\x1E \x1F", " per cambiare pagina dell'elenco"},
    {16, ".", " per selezionare una directory"},
    {20, "?", " per visualizzare questo help"},
};

} // namespace

void help_window() {
    win(60, 20, WINDOW, "Browse commands");
    for (const HelpLine& line : HELP_LINES) {
        gotoxy(12, line.row);
        colore(line.key, KEY_MARK);
        colore(line.text, HELP_TEXT);
    }
    cgetch();
}
