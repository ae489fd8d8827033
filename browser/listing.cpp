#include "browser/listing.h"

#include <sys/stat.h>

#include <algorithm>
#include <fstream>

#include "screen/cp850.h"
#include "shell/drive_c.h"
#include "shell/shell.h"
#include "shell/textfile.h"

namespace {

const char* const LISTING = "c:/dir.txt";
const char* const CLEANING = "c:/temp.txt";

// Lines 1 and 2 are the long-name lister's headings; after them only names
// are kept.
bool kept_by_cleaning(long number, const std::string& line) {
    if (number <= 2) return false;
    return !line.empty() && line[0] != '.' && line[0] != ' ';
}

} // namespace

std::vector<std::string> list_entries(ListingMode mode) {
    if (mode == ListingMode::normal) {
        shell_system("dir *.* /b /a > c:/dir.txt");
    } else {
        shell_system("ldir /b /a > c:/dir.txt");
        if (!dir_wash()) return {};
    }
    return read_entries();
}

bool dir_wash() {
    bool written = false;
    {
        TextReader in(drive_c_path(LISTING));
        std::ofstream out(drive_c_path(CLEANING), std::ios::binary | std::ios::trunc);
        if (!in.is_open() || !out) return false;
        std::string line;
        bool ended = false;
        for (long number = 1; in.next_line(line, ended); ++number) {
            if (!kept_by_cleaning(number, line)) continue;
            out << line;
            if (ended) out << "\r\n";
        }
        out.flush();
        written = static_cast<bool>(out);
    }
    if (!written) return false;
    shell_system("del c:\\dir.txt");
    shell_system("rename c:\\temp.txt dir.txt");
    return true;
}

std::vector<std::string> read_entries() {
    std::vector<std::string> entries;
    TextReader in(drive_c_path(LISTING));
    std::string line;
    bool ended = false;
    while (in.next_line(line, ended) && ended) entries.push_back(line);
    return entries;
}

bool is_folder(const std::string& name) {
    struct stat status {};
    if (stat(cp850_to_utf8(name).c_str(), &status) == 0) return S_ISDIR(status.st_mode);
    return check_ch('.', name) == 0;
}

int check_ch(char ch, const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), ch));
}
