// The scan of one archive for the keyword.
#pragma once
#include <string>

class ScanAhead;

// Scans the next archive of the search (a code page 850 name relative to the
// current folder, in the listing's order) for the word, A to Z without
// regard to case. Returns how many lines hold it and leaves them in
// rigatree, each stripped of its tree-drawing prefix, lower-cased and
// followed by ':'. Once a line has been compared the caller's word is
// lower-cased. An archive that cannot be opened is reported on the console,
// a key is awaited and the result is 0.
int find_in(ScanAhead& ahead, std::string& word);

// Lower-cases both texts (A to Z) and counts the word's occurrences in the
// line from the left, without overlap; 0 for an empty word. A line matches
// when this is not 0. The scan answers that question for a whole block of
// lines at once, and asks it of a line put together across two blocks.
int confront(std::string& word, std::string& line);
