#include "archives/about.h"

#include <string>

#include "screen/conio.h"
#include "screen/screen_draw.h"
#include "search/ombrev.h"

namespace {

constexpr int MAKER_BAR = 42;
constexpr int ADDRESS = 10;
constexpr size_t MAKER_BAR_LENGTH = 69;

const char* const MAKER = "Ombrev Finder - catalogo dei supporti";
const char* const ADDRESS_TEXT = "Documentazione: README.md nella cartella dei sorgenti";

const char* const DESCRIPTION[] = {
    "Questo programma serve per gestire e ritrovare file archiviati in",
    "vari supporti, quali hard-disk, cd/dvd ...",
    "Per fare ci\x95 basta creare il tree della cartella o della unit\x85",
    "logica salvando il file con un nome che lo identifica chiaramente,",
    "in seguito si pu\x95 effettuare una ricerca fra tutti i tree salvati e",
    "sapere dove si trova un determinato file.",
    "La versione 2.0 ha eliminato i bug precedenti migliorando la ",
    "visualizzazione dei risultati.",
};

// The green bar from column 6 to column 74, the maker at its start.
void draw_maker_bar() {
    std::string bar = MAKER;
    bar.resize(MAKER_BAR_LENGTH, ' ');
    gotoxy(6, 6);
    colore(bar.c_str(), MAKER_BAR);
}

void draw_description() {
    int row = 8;
    for (const char* line : DESCRIPTION) {
        gotoxy(6, row++);
        cprintf("%s", line);
    }
}

} // namespace

void about() {
    draw_title_frame();
    draw_maker_bar();
    draw_description();
    gotoxy(6, 17);
    colore(ADDRESS_TEXT, ADDRESS);
    gotoxy(6, 19);
    cprintf("Premere un tasto per continuare . . .");
    cgetch();
}
