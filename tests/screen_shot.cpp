#include "tests/screen_shot.h"

ScreenShot::ScreenShot() : width_(console_width()) {
    for (int y = 1; y <= console_height(); ++y) {
        for (int x = 1; x <= width_; ++x) cells_.push_back(console_cell(x, y));
    }
}

const Cell& ScreenShot::cell(int x, int y) const { return cells_.at(static_cast<size_t>(y - 1) * width_ + (x - 1)); }

std::string ScreenShot::text_at(int x, int y, int n) const {
    std::string text;
    for (int i = 0; i < n; ++i) text += static_cast<char>(cell(x + i, y).ch);
    return text;
}

int ScreenShot::attr_at(int x, int y) const { return cell(x, y).attr; }

bool ScreenShot::attrs_are(int x, int y, int n, int attribute) const {
    for (int i = 0; i < n; ++i) {
        if (attr_at(x + i, y) != attribute) return false;
    }
    return true;
}
