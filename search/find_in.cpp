#include "search/find_in.h"

#include <utility>

#include "screen/conio.h"
#include "search/archive_scan.h"
#include "search/ombrev.h"
#include "search/scan_ahead.h"

namespace {

void report_unopened() {
    cprintf("Impossibile aprire il file");
    cgetch();
}

} // namespace

int confront(std::string& word, std::string& line) {
    lower_in_place(word);
    lower_in_place(line);
    if (word.empty()) return 0;
    int occurrences = 0;
    for (size_t at = line.find(word); at != std::string::npos; at = line.find(word, at + word.size())) {
        ++occurrences;
    }
    return occurrences;
}

int find_in(ScanAhead& ahead, std::string& word) {
    ArchiveScan scan = ahead.next();
    if (!scan.opened) {
        report_unopened();
        ahead.go_on();
        return 0;
    }
    if (scan.compared) {
        // From the first compared line on, the caller's word is lower case.
        lower_in_place(word);
        if (!scan.live) console_idle();   // as after the blocks of a scan of its own
    }
    rigatree = std::move(scan.lines);
    return scan.count;
}
