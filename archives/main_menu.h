// The main menu pop-up over the search screen.
#pragma once

// Runs the chosen item. Returns 0 after Esc and after archive creation or
// the about screen; after the results viewer, the key that closed it (0 when
// there were no results, 13 for Enter, 27 for Esc). 13 asks the search
// screen for its completion line.
int main_menu();
