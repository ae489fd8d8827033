#define NCURSES_WIDECHAR 1
#include <curses.h>

#include "screen/terminal.h"

#include <unistd.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cwchar>
#include <deque>

#include "screen/conio.h"
#include "screen/cp850.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto RENDER_INTERVAL = std::chrono::milliseconds(30);

constexpr int EXTENDED = 224;
constexpr int FUNCTION = 0;

// The console's colour bits are blue 1, green 2, red 4; curses has them the
// other way round.
short curses_colour(int console_colour, bool bright_available) {
    const int base = ((console_colour & 1) << 2) | (console_colour & 2) | ((console_colour & 4) >> 2);
    return static_cast<short>(bright_available && (console_colour & 8) ? base + 8 : base);
}

class Terminal : public ConsoleBackend {
public:
    int read_key() override;
    void idle() override;
    void render();

private:
    int pair_for(int attribute);
    attr_t video_for(int attribute);
    void queue_key(wint_t key, int status);

    std::array<short, 256> pairs_{};
    short next_pair_ = 1;
    std::deque<int> pending_;
    unsigned long shown_generation_ = ~0UL;
    Clock::time_point last_render_{};
};

Terminal terminal;
SCREEN* terminal_screen = nullptr;

int Terminal::pair_for(int attribute) {
    if (!has_colors()) return 0;
    const bool bright = COLORS >= 16;
    const int fg = attribute & 15;
    // Without sixteen colours a bright background shows as its dark twin.
    const int bg = bright ? (attribute >> 4) & 15 : (attribute >> 4) & 7;
    const int key = bg * 16 + fg;
    if (pairs_[key] == 0 && next_pair_ < COLOR_PAIRS && next_pair_ < 32767) {
        init_pair(next_pair_, curses_colour(fg, bright), curses_colour(bg, bright));
        pairs_[key] = next_pair_++;
    }
    return pairs_[key];
}

attr_t Terminal::video_for(int attribute) {
    // With eight colours a bright foreground is drawn bold.
    return (COLORS < 16 && (attribute & 8)) ? A_BOLD : A_NORMAL;
}

void Terminal::render() {
    const int rows = std::min(LINES, console_height());
    const int columns = std::min(COLS, console_width());
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            const Cell cell = console_cell(x + 1, y + 1);
            wchar_t glyph[2] = {static_cast<wchar_t>(cp850_to_unicode(cell.ch)), L'\0'};
            cchar_t shown;
            setcchar(&shown, glyph, video_for(cell.attr), static_cast<short>(pair_for(cell.attr)), nullptr);
            mvadd_wch(y, x, &shown);
        }
    }
    const int cx = wherex() - 1;
    const int cy = wherey() - 1;
    if (cx < columns && cy < rows) move(cy, cx);
    refresh();
    shown_generation_ = console_generation();
    last_render_ = Clock::now();
}

void Terminal::idle() {
    if (console_generation() == shown_generation_) return;
    if (Clock::now() - last_render_ < RENDER_INTERVAL) return;
    render();
}

void Terminal::queue_key(wint_t key, int status) {
    if (status == KEY_CODE_YES) {
        switch (key) {
        case KEY_UP: pending_.insert(pending_.end(), {EXTENDED, 72}); return;
        case KEY_DOWN: pending_.insert(pending_.end(), {EXTENDED, 80}); return;
        case KEY_LEFT: pending_.insert(pending_.end(), {EXTENDED, 75}); return;
        case KEY_RIGHT: pending_.insert(pending_.end(), {EXTENDED, 77}); return;
        case KEY_PPAGE: pending_.insert(pending_.end(), {EXTENDED, 73}); return;
        case KEY_NPAGE: pending_.insert(pending_.end(), {EXTENDED, 81}); return;
        case KEY_HOME: pending_.insert(pending_.end(), {EXTENDED, 71}); return;
        case KEY_END: pending_.insert(pending_.end(), {EXTENDED, 79}); return;
        case KEY_IC: pending_.insert(pending_.end(), {EXTENDED, 82}); return;
        case KEY_DC: pending_.insert(pending_.end(), {EXTENDED, 83}); return;
        case KEY_BACKSPACE: pending_.push_back(8); return;
        case KEY_ENTER: pending_.push_back(13); return;
        case KEY_RESIZE:
            clearok(curscr, TRUE);
            erase();
            render();
            return;
        default:
            if (key >= KEY_F(1) && key <= KEY_F(10)) {
                pending_.insert(pending_.end(), {FUNCTION, static_cast<int>(58 + key - KEY_F0)});
            }
            return;
        }
    }
    if (key == '\r' || key == '\n') {
        pending_.push_back(13);
    } else if (key == 127 || key == 8) {
        pending_.push_back(8);
    } else if (key < 0x80) {
        pending_.push_back(static_cast<int>(key));
    } else if (const int byte = unicode_to_cp850(static_cast<char32_t>(key)); byte >= 0) {
        pending_.push_back(byte);
    }
}

int Terminal::read_key() {
    while (pending_.empty()) {
        render();
        wint_t key = 0;
        const int status = get_wch(&key);
        if (status != ERR) queue_key(key, status);
    }
    const int key = pending_.front();
    pending_.pop_front();
    return key;
}

// What the program leaves on disk while it runs, removed when a signal ends it.
std::array<void (*)(), 4> signal_cleanups{};

// Ctrl+C and the other ends that a terminal program meets: give the terminal
// back and remove the temporary files, then end as the signal would.
void end_on_signal(int signal_number) {
    endwin();
    for (void (*cleanup)() : signal_cleanups) {
        if (cleanup) cleanup();
    }
    std::signal(signal_number, SIG_DFL);
    std::raise(signal_number);
}

} // namespace

bool terminal_start() {
    if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) return false;
    terminal_screen = newterm(nullptr, stdout, stdin);
    if (!terminal_screen) return false;
    set_term(terminal_screen);
    if (has_colors()) start_color();
    cbreak();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    set_escdelay(25);
    curs_set(1);
    for (int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) std::signal(signal_number, end_on_signal);
    console_attach(&terminal);
    return true;
}

void terminal_stop() {
    if (!terminal_screen) return;
    console_attach(nullptr);
    endwin();
    delscreen(terminal_screen);
    terminal_screen = nullptr;
}

void terminal_at_signal(void (*cleanup)()) {
    for (auto& slot : signal_cleanups) {
        if (!slot) {
            slot = cleanup;
            return;
        }
    }
}
