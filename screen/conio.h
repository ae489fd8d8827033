// The console: an in-memory screen buffer of code page 850 cells with a
// cursor and a current attribute, the single source of truth for every
// screen. A back end shows it (the terminal) or reads it back (the tests) and
// supplies the keys.
#pragma once

struct Cell {
    unsigned char ch;
    unsigned char attr;
};

constexpr int SCREEN_WIDTH = 80;
constexpr int SCREEN_HEIGHT = 25;

// Blanks the whole buffer in the module's colours; cursor to (1, 1).
void clrscr();
// Moves the cursor to a 1-based (column, row); a cell outside the buffer is
// refused and the cursor stays.
void gotoxy(int x, int y);
// Foreground and background colour (0 to 15) of later prints.
void textcolor(int color);
void textbackground(int color);
// Formatted print at the cursor in the current attribute. The bytes 10, 13,
// 8, 9 and 7 move the cursor as a console does; every other byte is a glyph.
int cprintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// One key code without echo; an extended key arrives as two codes, a prefix
// (0 or 224) and then its scan code.
int cgetch();

class ConsoleBackend {
public:
    virtual ~ConsoleBackend() = default;
    // The next key code. The back end shows the console before it waits.
    virtual int read_key() = 0;
    // Called now and then during long work, so the screen can stay live.
    virtual void idle() {}
};

// The back end that shows the console and supplies keys; none means keys
// read as Esc and nothing is shown.
void console_attach(ConsoleBackend* backend);
// Long work is in progress: lets the back end refresh the screen.
void console_idle();

// Reading the console back.
int console_width();
int console_height();
// The cell at a 1-based (column, row) inside the buffer.
Cell console_cell(int x, int y);
int wherex();
int wherey();
int console_attribute();
// Advances whenever a cell or the cursor changes.
unsigned long console_generation();
// Gives the buffer a new size, blank in attribute 7, cursor at (1, 1), the
// colours 7 on 0: a console as it is when the program starts.
void console_reset(int width = SCREEN_WIDTH, int height = SCREEN_HEIGHT);
