// The terminal back end: shows the in-memory console on the real terminal
// with ncursesw and reads its keys as console key codes.
#pragma once

// Takes over the terminal (alternate screen, no echo) and attaches itself
// to the console. False when standard input or output is not a terminal.
bool terminal_start();
// Gives the terminal back as it was. Safe to call more than once.
void terminal_stop();
// Adds a removal of temporary files to what a signal that ends the program
// does (Ctrl+C, SIGTERM, SIGHUP, SIGQUIT). It runs inside the signal
// handler, so it must be async-signal-safe. Up to four.
void terminal_at_signal(void (*cleanup)());
