
#include "archives/main_menu.h"
#include "results/visual_res.h"
#include "screen/conio.h"
#include "screen/keys.h"
#include "screen/screen_draw.h"
#include "search/find_in.h"
#include "search/ombrev.h"
#include "search/scan_ahead.h"
#include "shell/drive_c.h"
#include "shell/shell.h"
#include "shell/textfile.h"

namespace {

constexpr int KEY_MENU = '\\';
constexpr size_t KEYWORD_MAX = 200;

constexpr int PROMPT = 14;
constexpr int MARKER = 10;
constexpr int KEYWORD = 31;
constexpr int PROGRESS = 14;
constexpr int MARKED = 116;

const char* const LISTING = "c:/dir.txt";

void draw_status_normal() {
    status_bar();
    colore("Premi INVIO per analizzare i risultati - ", STATUS_BAR);
    colore('\\', MARKED);
    colore(" per il menu principale - [ESC]", STATUS_BAR);
}

void draw_status_searching() {
    status_bar();
    colore("In caso di problemi premere ", STATUS_BAR);
    colore("CTRL+C", MARKED);
    colore(" per terminare il programma", STATUS_BAR);
}

void draw_search_screen() {
    draw_title_frame();
    draw_status_normal();
    gotoxy(3, 5);
    colore("Inserisci la parola da ricercare", PROMPT);
    gotoxy(3, 6);
    colore("\x10 ", MARKER);
}

// An empty keyword shows as a blank before its first column, which leaves
// the cursor where the first character will go.
void draw_empty_keyword() {
    gotoxy(4, 6);
    colore(' ', KEYWORD);
}

void echo_keyword_char(const std::string& keyword, size_t index) {
    gotoxy(5 + static_cast<int>(index), 6);
    colore(keyword[index], KEYWORD);
}

void redraw_keyword(const std::string& keyword) {
    if (keyword.empty()) {
        draw_empty_keyword();
        return;
    }
    gotoxy(5, 6);
    colore(keyword.c_str(), KEYWORD);
}

void erase_last_char(std::string& keyword) {
    if (!keyword.empty()) {
        keyword.pop_back();
        gotoxy(5 + static_cast<int>(keyword.size()), 6);
        colore(' ', 15);
    }
    if (keyword.empty()) {
        draw_empty_keyword();
    } else {
        echo_keyword_char(keyword, keyword.size() - 1);
    }
}

enum class KeywordEnd { search, leave, complete };

// Reads the keyword key by key until Enter (or the code 0), Esc, a full
// keyword, or a menu item that asks for the completion line.
KeywordEnd read_keyword(std::string& keyword) {
    while (keyword.size() < KEYWORD_MAX) {
        const int key = cgetch();
        switch (key) {
        case KEY_MENU:
            if (main_menu() == keycode::enter) return KeywordEnd::complete;
            draw_search_screen();
            redraw_keyword(keyword);
            break;
        case keycode::esc:
            return KeywordEnd::leave;
        case keycode::enter:
        case 0:
            return KeywordEnd::search;
        case keycode::backspace:
            erase_last_char(keyword);
            break;
        default:
            keyword += key == '.' ? ' ' : static_cast<char>(key);
            echo_keyword_char(keyword, keyword.size() - 1);
        }
    }
    return KeywordEnd::search;
}

void draw_progress(const std::string& archive, int percent) {
    gotoxy(15, 4);
    rigacol(50, '\xB0', PROGRESS);
    gotoxy(15, 4);
    rigacol(percent / 2, '\xDB', PROGRESS);
    gotoxy(3, 5);
    cprintf("Ricerca in corso in %s . . .%d %% ", archive.c_str(), percent);
}

// Media 1 to 17 go down column 3, 18 to 34 down column 40, and from the
// 35th on the grid starts again at the top.
void draw_medium_line(int medium, int hits, const std::string& archive) {
    gotoxy(3 + 37 * ((medium % 34) / 17), 7 + medium % 17);
    cprintf("%d parole trovate in %s  ", hits, archive.c_str());
}

// The listed names up to the end of the listing, or up to a last line that
// has no line end, which is not scanned.
std::vector<std::string> listed_archives(TextReader& listing) {
    std::vector<std::string> archives;
    std::string archive;
    bool ended = false;
    while (listing.next_line(archive, ended) && ended) archives.push_back(archive);
    return archives;
}

void scan_archives(TextReader& listing, std::string& keyword, long total) {
    const std::vector<std::string> archives = listed_archives(listing);
    ScanAhead ahead(archives, keyword);
    long done = 0;
    for (const std::string& archive : archives) {
        ++done;
        draw_progress(archive, static_cast<int>(done * 100 / total));
        const int hits = find_in(ahead, keyword);
        if (hits == 0) continue;
        ++counter;
        // rigatree is rewritten by the next scan, so its text can move.
        list_res.emplace_back(hits, archive, std::move(rigatree));
        rigatree.clear();
        draw_medium_line(counter, hits, archive);
    }
}

void run_search(std::string& keyword) {
    list_res.clear();
    counter = -1;
    shell_system("dir /b *.txt > c:/dir.txt");
    gotoxy(2, 6);
    rigac(77, '\xC4');
    draw_status_searching();
    const long total = CountFile(LISTING);
    TextReader listing(drive_c_path(LISTING));
    if (!listing.is_open()) {
        // Shown where the progress line would stand, as an archive's failure is.
        gotoxy(3, 5);
        cprintf("Impossibile aprire il file");
        cgetch();
        return;
    }
    if (!keyword.empty()) scan_archives(listing, keyword, total);
}

// The completion line; true when a new cycle is to begin.
bool complete(const std::string& keyword) {
    gotoxy(15, 4);
    rigac(55, ' ');
    gotoxy(3, 5);
    colore("Ricerca completata: ", PROMPT);
    cprintf("%d supporti con risultati per \"%s\"", counter + 1, keyword.c_str());
    draw_status_normal();
    if (keyword.empty()) return true;
    const int key = cgetch();
    if (key == keycode::enter) return visual_res(counter) == keycode::enter;
    return key == 'n';
}

} // namespace

int ombrev_main() {
    for (;;) {
        draw_search_screen();
        std::string keyword;
        const KeywordEnd end = read_keyword(keyword);
        if (end == KeywordEnd::leave) return 1;
        if (end == KeywordEnd::search) run_search(keyword);
        if (!complete(keyword)) return 0;
    }
}
