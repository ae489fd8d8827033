#include "shell/dir_listing.h"

#include <dirent.h>

#include <algorithm>
#include <memory>

#include "screen/cp850.h"

namespace {

unsigned char fold(unsigned char byte) { return byte >= 'a' && byte <= 'z' ? byte - 32 : byte; }

bool ends_with_folded(const std::string& name, const std::string& suffix) {
    if (name.size() < suffix.size()) return false;
    return std::equal(suffix.begin(), suffix.end(), name.end() - static_cast<long>(suffix.size()),
                      [](char a, char b) {
                          return fold(static_cast<unsigned char>(a)) == fold(static_cast<unsigned char>(b));
                      });
}

} // namespace

bool name_less(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char x = fold(static_cast<unsigned char>(a[i]));
        const unsigned char y = fold(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

std::vector<std::string> list_current_folder(const ListingFilter& filter) {
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir("."), closedir);
    if (!dir) return names;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (name[0] == '.' && !filter.hidden) continue;
        if (!filter.suffix.empty() && !ends_with_folded(name, filter.suffix)) continue;
        names.push_back(utf8_to_cp850(name));
    }
    std::sort(names.begin(), names.end(), name_less);
    return names;
}
