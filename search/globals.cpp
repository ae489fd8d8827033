#include "search/ombrev.h"

#include <cstring>

#include "screen/conio.h"
#include "screen/screen_draw.h"

const char PROGRAM_TITLE[] = "Ombrev Finder v2.0";

void draw_title_frame() {
    tabella(static_cast<int>(std::strlen(PROGRAM_TITLE)));
    cprintf("%s", PROGRAM_TITLE);
}
std::vector<Elemento> list_res;
int counter = -1;
std::string rigatree;
std::string progpath;
std::string command;
