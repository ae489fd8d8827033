// The scan of one open archive for a word: its matched lines, stripped of
// their tree-drawing prefix and lower-cased, and their count.
#pragma once
#include <memory>
#include <string>

#include "search/archive_file.h"
#include "search/matched_text.h"
#include "search/scan_text.h"

// The word as every scan of a search uses it.
struct SearchWord {
    explicit SearchWord(const std::string& word);
    std::string lower;   // A to Z lower-cased
    FoldedWord folded;
    bool searchable;     // not empty, and no line feed (no line holds one)
};

// What the scan of one archive found.
struct ArchiveScan {
    bool opened = false;
    bool compared = false;   // a whole line was read, so the word was compared
    bool live = false;       // the console could refresh itself during the scan
    int count = 0;           // the matched lines
    std::string lines;       // the matched-lines text, each line followed by ':'
};

// One thread's means of scanning archives, kept from one archive to the next.
class ArchiveScanner {
public:
    ArchiveScanner();
    // Reads the archive to its end and scans its complete lines. When live,
    // the console may refresh itself between blocks (the search's own thread
    // only).
    ArchiveScan scan(ArchiveFile& file, const SearchWord& word, bool live);

private:
    std::unique_ptr<char[]> block_;
    std::string line_;   // an unfinished line, carried to the next block
    MatchedText matched_;
};

void lower_in_place(std::string& text);
