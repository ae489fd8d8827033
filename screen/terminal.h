// The terminal back end: shows the in-memory console on the real terminal
// with ncursesw and reads its keys as console key codes.
#pragma once

// Takes over the terminal (alternate screen, no echo) and attaches itself
// to the console. False when standard input or output is not a terminal.
bool terminal_start();
// Gives the terminal back as it was. Safe to call more than once.
void terminal_stop();
