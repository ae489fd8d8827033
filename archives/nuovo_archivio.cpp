#include "archives/nuovo_archivio.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "archives/archive_format.h"
#include "browser/browse.h"
#include "screen/conio.h"
#include "screen/cp850.h"
#include "screen/keys.h"
#include "screen/screen_draw.h"
#include "screen/win.h"
#include "search/ombrev.h"
#include "shell/drive_c.h"
#include "shell/shell.h"

namespace {

constexpr int WINDOW = 112;
constexpr int BUTTON = 32;
constexpr int FIELD_UNTOUCHED = 48;
constexpr int FIELD = 55;
constexpr int SUCCESS = 10;

constexpr int CHOSEN_FOLDER = '.';

constexpr size_t NAME_LENGTH = 8;
const char* const CAPTURE = "c:/temp.obv";

// The OK button is a picture only: its face, and its shadow one column to
// the right and half a row down.
void draw_ok_button(int row) {
    gotoxy(36, row);
    colore("  OK  ", BUTTON);
    colore('\xDC', WINDOW);
    gotoxy(36, row + 1);
    colore(" \xDF\xDF\xDF\xDF\xDF\xDF", WINDOW);
}

// Tells the user what the browser is for; any key goes on.
void information_screen() {
    draw_title_frame();
    win(68, 7, WINDOW, "");
    gotoxy(8, 11);
    colore("Seleziona con il browser la cartella e premi . per selezionare", WINDOW);
    draw_ok_button(13);
    cgetch();
    clrscr();
}

void draw_name_screen() {
    draw_title_frame();
    win(56, 11, WINDOW, "");
    gotoxy(15, 11);
    colore("Inserisci il nome del file per salvare l'archivio: ", WINDOW);
    gotoxy(34, 13);
    colore("            ", FIELD_UNTOUCHED);
    draw_ok_button(15);
    gotoxy(34, 13);
}

// The file name that the field shows: the name's text (which ends at a
// code 0) followed by ".txt", or nothing while that text is empty.
std::string shown_file_name(const std::string& name) {
    const std::string text = name.substr(0, name.find('\0'));
    return text.empty() ? text : text + ".txt";
}

void draw_name_field(const std::string& name) {
    gotoxy(34, 13);
    colore("            ", FIELD);
    gotoxy(34, 13);
    colore(shown_file_name(name).c_str(), FIELD);
}

// Reads the name key by key. False after Esc; after Enter the name holds
// what was typed, possibly nothing.
bool read_name(std::string& name) {
    for (;;) {
        const int key = cgetch();
        if (key == keycode::esc) return false;
        if (key == keycode::enter) return true;
        const char ch = static_cast<char>(key);
        if (key == keycode::backspace) {
            if (!name.empty()) name.pop_back();
        } else if (check_char(ch)) {
            if (name.size() < NAME_LENGTH) {
                name += ch;
            } else {
                name.back() = ch;
            }
        }
        draw_name_field(name);
    }
}

// The current folder when the creation starts, in progpath; the current
// folder is set back to it however the creation ends.
class CatalogueFolder {
public:
    CatalogueFolder() {
        const std::unique_ptr<char, void (*)(void*)> cwd(getcwd(nullptr, 0), std::free);
        progpath = cwd ? cwd.get() : "";
    }
    ~CatalogueFolder() {
        // A folder that has gone meanwhile leaves nothing to go back to.
        if (progpath.empty() || chdir(progpath.c_str()) != 0) return;
    }
    CatalogueFolder(const CatalogueFolder&) = delete;
    CatalogueFolder& operator=(const CatalogueFolder&) = delete;
};

void report(int column, const char* message) {
    gotoxy(column, 23);
    cprintf("%s", message);
    cgetch();
}

// Captures the current folder's tree and saves it under the file name in
// the catalogue folder.
void capture_and_save(const std::string& file_name) {
    command = "tree /f /a";
    command += " > ";
    command += CAPTURE;
    shell_system(command);
    switch (archive_from_capture(drive_c_path(CAPTURE), progpath, cp850_to_utf8(file_name))) {
    case ArchiveResult::no_capture:
        report(27, "Impossibile aprire il file");
        return;
    case ArchiveResult::no_archive:
        report(27, "Impossibile creare il file");
        return;
    case ArchiveResult::no_first_line:
        report(29, "Errore numero di righe 1");
        return;
    case ArchiveResult::no_second_line:
        report(29, "Errore numero di righe 2");
        return;
    case ArchiveResult::saved:
        break;
    }
    shell_system("del c:\\temp.obv");
    gotoxy(27, 22);
    colore("Tree creato con successo!", SUCCESS);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

} // namespace

int check_char(char ch) {
    for (char rejected : {' ', '\\', '/', '*', ':', '?', '<', '>', '"', '|', '.'}) {
        if (ch == rejected) return 0;
    }
    return 1;
}

void nuovo_archivio() {
    information_screen();
    const CatalogueFolder catalogue;
    std::string filter = "*";
    if (browse(filter) != CHOSEN_FOLDER) return;

    draw_name_screen();
    std::string name;
    if (!read_name(name)) return;
    capture_and_save(shown_file_name(name));
}
