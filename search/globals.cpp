#include "search/ombrev.h"

const char PROGRAM_TITLE[] = "Ombrev Finder v2.0";
std::vector<Elemento> list_res;
int counter = -1;
std::string rigatree;
std::string progpath;
std::string command;
