#include "browser/browse.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "browser/help_window.h"
#include "browser/listing.h"
#include "screen/conio.h"
#include "screen/cp850.h"
#include "screen/keys.h"
#include "screen/line_input.h"
#include "screen/screen_draw.h"
#include "shell/shell.h"

std::string strgen;

namespace {

constexpr int PAGE_ROWS = 19;
constexpr int FIRST_ROW = 5;

constexpr int LABEL = 233;
constexpr int DIRECTORY = 249;
constexpr int FOLDER = 14;
constexpr int GLYPH = 10;
constexpr int KEY_MARK = 116;

constexpr int KEY_CHOOSE_FOLDER = '.';
constexpr int KEY_TYPE_PATH = '\\';
constexpr int KEY_ALL = '*';
constexpr int KEY_HELP = '?';
constexpr int KEY_LONG_NAMES = 'l';
constexpr int KEY_RELIST = 'r';

// A typed path echoes from (12, 2) and wraps over a few rows at most.
constexpr size_t TYPED_PATH_MAX = 255;

struct Browser {
    std::vector<std::string> entries;   // code page 850 names
    ListingMode mode = ListingMode::normal;
    int page_start = 0;   // index of the entry on the page's first row
    int cursor = 0;       // index of the selected entry

    int count() const { return static_cast<int>(entries.size()); }
    int last() const { return count() - 1; }
};

int page_row(int index) { return index % PAGE_ROWS + FIRST_ROW; }

int page_count(int entries) { return std::max(1, (entries + PAGE_ROWS - 1) / PAGE_ROWS); }

// Prints as much of the text as fits before the screen's last cell: a long
// name runs on over the next rows, but the screen never scrolls.
void colore_fitting(const std::string& text, int attribute) {
    const int cursor_cell = (wherey() - 1) * SCREEN_WIDTH + wherex() - 1;
    const int room = SCREEN_WIDTH * SCREEN_HEIGHT - 1 - cursor_cell;
    if (room > 0) colore(text.substr(0, static_cast<size_t>(room)).c_str(), attribute);
}

std::string directory_text() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return error ? std::string() : utf8_to_cp850(folder.string());
}

// A folder that cannot be entered leaves the current folder as it is.
void change_folder(const std::string& path) {
    std::error_code ignored;
    std::filesystem::current_path(path, ignored);
}

void draw_label() {
    gotoxy(3, 2);
    colore("Browser:", LABEL);
}

void draw_page_text(const Browser& browser) {
    status_bar();
    cprintf("Pag %d/%d", browser.page_start / PAGE_ROWS + 1, page_count(browser.count()));
}

void draw_hints() {
    gotoxy(11, 25);
    colore('?', KEY_MARK);
    colore(" per visualizzare i comandi - ", STATUS_BAR);
    colore('*', KEY_MARK);
    colore(" per visualizzare tutte le estensioni", STATUS_BAR);
}

// The frame, the folder shown and the page text: what a page key redraws.
void draw_frame(const Browser& browser) {
    tabella(0);
    draw_label();
    gotoxy(12, 2);
    colore_fitting(directory_text(), DIRECTORY);
    draw_page_text(browser);
}

// The page's entries and the cursor glyph, printed over the rows as they are.
void draw_page(const Browser& browser) {
    for (int k = browser.page_start; k < browser.count() && k < browser.page_start + PAGE_ROWS; ++k) {
        const std::string& entry = browser.entries[static_cast<size_t>(k)];
        gotoxy(3, page_row(k));
        colore_fitting(entry, is_folder(entry) ? FOLDER : PLAIN);
    }
    gotoxy(2, page_row(browser.cursor));
    colore('\x10', GLYPH);
}

void erase_glyph(const Browser& browser) {
    gotoxy(2, page_row(browser.cursor));
    cprintf(" ");
}

// The arrows and page keys act only when there are two entries or more.
void move(Browser& browser, int key) {
    if (browser.count() < 2) return;
    switch (key) {
    case keycode::down:
        erase_glyph(browser);
        ++browser.cursor;
        break;
    case keycode::up:
        erase_glyph(browser);
        --browser.cursor;
        break;
    case keycode::page_down:
        if (browser.page_start + PAGE_ROWS <= browser.last()) browser.page_start += PAGE_ROWS;
        break;
    case keycode::page_up:
        browser.page_start = std::max(0, browser.page_start - PAGE_ROWS);
        break;
    }
}

// A page start past the last entry (a new listing shorter than the old one)
// goes back one page per key.
void correct_page_start(Browser& browser) {
    if (browser.page_start > browser.last()) browser.page_start -= PAGE_ROWS;
    if (browser.page_start < 0) browser.page_start = 0;
}

// Brings the cursor back onto the page: past the page's last entry it wraps
// to the first one, before the first one to the last.
void correct_cursor(Browser& browser) {
    const int page_last = std::min(browser.page_start + PAGE_ROWS - 1, browser.last());
    if (browser.cursor > page_last) browser.cursor = browser.page_start;
    if (browser.cursor < browser.page_start) browser.cursor = page_last;
}

bool lists_anew(int key) {
    return key == keycode::enter || key == KEY_TYPE_PATH || key == KEY_ALL || key == KEY_HELP ||
           key == KEY_LONG_NAMES || key == KEY_RELIST;
}

// Draws the page and reacts to keys until one that lists anew or ends the
// browser; returns that key.
int page_keys(Browser& browser) {
    for (;;) {
        draw_page(browser);
        const int key = cgetch();
        if (key == keycode::esc || key == KEY_CHOOSE_FOLDER) return key;
        move(browser, key);
        correct_page_start(browser);
        if (key == keycode::page_down || key == keycode::page_up) {
            browser.cursor = browser.page_start;
            draw_frame(browser);
        }
        correct_cursor(browser);
        if (lists_anew(key)) return key;
    }
}

// Enter on the entry under the cursor: a folder is entered, a file is the
// choice (true). With no entry there it only lists anew.
bool enter(Browser& browser) {
    if (browser.cursor >= browser.count()) return false;
    const std::string& entry = browser.entries[static_cast<size_t>(browser.cursor)];
    if (!is_folder(entry)) {
        strgen = entry;
        shell_system("del c:/dir.txt");
        return true;
    }
    if (browser.mode == ListingMode::normal) {
        change_folder(cp850_to_utf8(entry));
    } else {
        // Carried out apart from the program, so the folder shown stays.
        shell_system("lcd \"" + entry + "\"");
    }
    browser.page_start = 0;
    browser.cursor = 0;
    return false;
}

// A typed path may be written the console's way: "c:\media" is /media.
std::string typed_path(const std::string& line) {
    std::string path = cp850_to_utf8(line);
    std::replace(path.begin(), path.end(), '\\', '/');
    const char drive = path.empty() ? '\0' : path[0];
    if (path.size() >= 2 && path[1] == ':' && ((drive >= 'a' && drive <= 'z') || (drive >= 'A' && drive <= 'Z'))) {
        path.erase(0, 2);
    }
    return path;
}

void type_path(Browser& browser) {
    draw_label();
    gotoxy(12, 2);
    rigac(67, ' ');
    gotoxy(12, 2);
    const std::string path = typed_path(read_line(TYPED_PATH_MAX));
    if (!path.empty()) change_folder(path);
    browser.page_start = 0;
    browser.cursor = 0;
}

// Carries out a command that lists anew; true when it ends the browser.
bool carry_out(Browser& browser, int key, std::string& filter) {
    switch (key) {
    case keycode::enter:
        return enter(browser);
    case KEY_TYPE_PATH:
        type_path(browser);
        break;
    case KEY_ALL:
        filter.assign(1, '*');
        break;
    case KEY_HELP:
        help_window();
        break;
    case KEY_LONG_NAMES:
        browser.mode = browser.mode == ListingMode::normal ? ListingMode::long_names : ListingMode::normal;
        break;
    }
    return false;
}

} // namespace

int browse(std::string& filter) {
    Browser browser;
    for (;;) {
        browser.entries = list_entries(browser.mode);
        draw_frame(browser);
        draw_hints();
        const int key = page_keys(browser);
        if (key == keycode::esc) {
            strgen.clear();
            return 0;
        }
        if (key == KEY_CHOOSE_FOLDER) return KEY_CHOOSE_FOLDER;
        if (carry_out(browser, key, filter)) return keycode::enter;
    }
}
