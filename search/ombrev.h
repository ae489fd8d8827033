// The program's shared state and the search's entry points.
#pragma once
#include <string>
#include <vector>

#include "results/elemento.h"

extern const char PROGRAM_TITLE[];
// The main frame with PROGRAM_TITLE on its title bar.
void draw_title_frame();
// The media with hits of the last search, in listing order; counter is the
// index of the last one, -1 while there is none.
extern std::vector<Elemento> list_res;
extern int counter;
// The matched-lines text of the archive scanned last.
extern std::string rigatree;
// Archive creation's saved folder and capture command.
extern std::string progpath;
extern std::string command;

// The search screen and its cycles; returns the exit status: 1 after Esc at
// the keyword prompt, 0 when the program ends after a search.
int ombrev_main();

// The number of line ends in a text file (0 when it cannot be opened).
int CountFile(const std::string& name);
