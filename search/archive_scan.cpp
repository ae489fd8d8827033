#include "search/archive_scan.h"

#include <array>
#include <cstring>

#include "screen/conio.h"
#include "search/find_in.h"

namespace {

// Read in blocks small enough to stay in the processor's cache while they
// are scanned.
constexpr size_t BLOCK = 1 << 18;

// The characters that draw a tree's branches and indents, stripped from the
// start of every line.
constexpr std::array<bool, 256> make_prefix_table() {
    std::array<bool, 256> table{};
    for (unsigned char c : {'-', ' ', '\\', '/', ':', '*', '?', '<', '>', '|', '+'}) table[c] = true;
    return table;
}
constexpr std::array<bool, 256> PREFIX = make_prefix_table();

const char* skip_prefix(const char* text) {
    while (PREFIX[static_cast<unsigned char>(*text)]) ++text;
    return text;
}

// Records every line of [begin, end), which ends just behind a line feed,
// whose text behind the prefix holds the word. Only the lines in which the
// word appears at all are looked at.
int scan_lines(const FoldedWord& word, const char* begin, const char* end, MatchedText& matched) {
    int count = 0;
    const char* line = begin;   // the start of the line that p lies in
    const char* p = begin;
    while (const char* hit = find_folded(p, end, word)) {
        if (const auto* before = static_cast<const char*>(memrchr(p, '\n', static_cast<size_t>(hit - p)))) {
            line = before + 1;
        }
        const char* text = skip_prefix(line);
        if (hit < text) {   // inside the prefix: the word may still stand in the text
            p = text;
            continue;
        }
        const auto* line_end = static_cast<const char*>(std::memchr(hit, '\n', static_cast<size_t>(end - hit)));
        const char* text_end = line_end > line && line_end[-1] == '\r' ? line_end - 1 : line_end;
        if (hit + word.text.size() > text_end) {   // a word holding CR or LF, across the line end
            p = hit + 1;
            continue;
        }
        ++count;
        matched.add_line(text, text_end);
        p = line = line_end + 1;
    }
    return count;
}

// Examines, on its own, a line put together across a block's end (with its
// line feed): the text behind the prefix, compared with the word.
int examine_line(std::string& line, const SearchWord& word, MatchedText& matched) {
    line.pop_back();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t prefix = 0;
    while (prefix < line.size() && PREFIX[static_cast<unsigned char>(line[prefix])]) ++prefix;
    line.erase(0, prefix);
    std::string lowered = word.lower;
    if (confront(lowered, line) == 0) return 0;
    matched.add_line(line.data(), line.data() + line.size());
    return 1;
}

} // namespace

void lower_in_place(std::string& text) {
    for (char& c : text) c = static_cast<char>(fold_byte(static_cast<unsigned char>(c)));
}

SearchWord::SearchWord(const std::string& word) : lower(word) {
    lower_in_place(lower);
    searchable = !lower.empty() && lower.find('\n') == std::string::npos;
    if (searchable) folded = fold_word(lower);
}

ArchiveScanner::ArchiveScanner() : block_(std::make_unique_for_overwrite<char[]>(BLOCK)) {}

// A line that runs over a block's end is put together in line_ and scanned
// on its own; everything else is scanned where it lies.
ArchiveScan ArchiveScanner::scan(ArchiveFile& file, const SearchWord& word, bool live) {
    ArchiveScan result;
    result.opened = true;
    result.live = live;
    line_.clear();
    for (;;) {
        const long read = file.read_some(block_.get(), BLOCK);
        if (read <= 0) break;   // the end (or a read error): an unfinished last line is not examined
        const auto got = static_cast<size_t>(read);
        const char* begin = block_.get();
        const char* end = begin + got;
        const auto* first_lf = static_cast<const char*>(std::memchr(begin, '\n', got));
        if (!first_lf) {
            line_.append(begin, end);
            continue;
        }
        result.compared = true;
        if (!line_.empty()) {
            line_.append(begin, first_lf + 1);
            result.count += examine_line(line_, word, matched_);
            begin = first_lf + 1;
        }
        const auto* last_lf = static_cast<const char*>(memrchr(begin, '\n', static_cast<size_t>(end - begin)));
        if (last_lf && word.searchable) result.count += scan_lines(word.folded, begin, last_lf + 1, matched_);
        line_.assign(last_lf ? last_lf + 1 : begin, end);
        if (live) console_idle();
    }
    if (line_.capacity() > BLOCK) line_ = std::string();   // a long line's room is not kept
    matched_.move_into(result.lines);
    return result;
}
