// A copy of the console's cells, read back as the console itself is: what
// the user saw at one moment of a test.
#pragma once
#include <string>
#include <vector>

#include "screen/conio.h"

class ScreenShot {
public:
    // The console as it stands now.
    ScreenShot();

    // The code page 850 bytes of n cells from (x, y), and one cell's attribute.
    std::string text_at(int x, int y, int n) const;
    std::string row(int y) const { return text_at(1, y, width_); }
    int attr_at(int x, int y) const;
    // True when every cell of the run holds the attribute.
    bool attrs_are(int x, int y, int n, int attribute) const;

private:
    const Cell& cell(int x, int y) const;

    int width_;
    std::vector<Cell> cells_;
};
