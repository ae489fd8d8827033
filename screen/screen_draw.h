// Drawing helpers on top of the console: coloured text, runs of a character
// and the double-line main frame. Every coloured print leaves the colours at
// 7 on 0 (light grey on black).
#pragma once

// Attributes (background * 16 + foreground) used by the screens.
constexpr int PLAIN = 7;
constexpr int STATUS_BAR = 112;

// Prints the text, or one character, at the cursor in the attribute.
void colore(const char* text, int attribute);
void colore(char ch, int attribute);
// Prints the character n times at the cursor in the current attribute.
int rigac(int n, char ch);
// Prints the character n times, each in the attribute.
void rigacol(int n, char ch, int attribute);
// The status bar's ground on row 25 (79 cells, so the screen never
// scrolls), with the cursor left at (2, 25) for its text.
void status_bar();
// Clears the screen, draws the main frame and leaves the cursor where a
// title of the given length stands centred on the title bar.
void tabella(int title_length);
