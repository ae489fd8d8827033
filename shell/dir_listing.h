// Listings of the current folder, as the interpreter's "dir" writes them:
// bare names in code page 850, sorted without regard to the case of A to Z.
#pragma once
#include <string>
#include <vector>

struct ListingFilter {
    bool hidden = false;      // "/a": names starting with '.' too
    std::string suffix;       // "*.txt": only names ending so (any case); empty for all
};

std::vector<std::string> list_current_folder(const ListingFilter& filter);
// Compares two code page 850 names with A to Z folded, then byte by byte.
bool name_less(const std::string& a, const std::string& b);
