// The scan of one archive for the keyword.
#pragma once
#include <string>

// Scans the archive (a code page 850 name relative to the current folder)
// for the word, A to Z without regard to case. Returns how many lines hold
// it and leaves them in rigatree, each stripped of its tree-drawing prefix,
// lower-cased and followed by ':'. Once a line has been compared the caller's
// word is lower-cased. An archive that cannot be opened is reported on the
// console, a key is awaited and the result is 0.
int find_in(const std::string& archive, std::string& word);
// The same for the next archive of a search whose scans run ahead.
class ScanAhead;
int find_in(ScanAhead& ahead, std::string& word);

// Lower-cases both texts (A to Z) and counts the word's occurrences in the
// line from the left, without overlap; 0 for an empty word. A line matches
// when this is not 0; find_in answers that same question for a whole block
// of lines at once and so does not call it line by line.
int confront(std::string& word, std::string& line);
