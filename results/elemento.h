// The result record of one medium with hits: how many lines matched, the
// archive's file name and the matched-lines text (each matched line, stripped
// and lower-cased, followed by ':').
#pragma once
#include <string>

class Elemento {
public:
    Elemento() = default;
    Elemento(int hits, std::string archive, std::string lines);

    // Shows the matched lines on the results page, one segment (the text
    // between two colons) per row and sixteen rows to a sub-page; the right
    // arrow turns to the next sub-page while segments remain. The cursor is
    // first moved to (x, y). Returns the key that ended the display, read
    // past its extended-key prefix.
    int print(int x, int y);

    int trovate = 0;
    std::string supporto;
    std::string righe;
};
