#include "search/find_in.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <vector>

#include "screen/conio.h"
#include "screen/cp850.h"
#include "search/ombrev.h"
#include "search/scan_text.h"

namespace {

constexpr size_t BLOCK = 1 << 20;

// The characters that draw a tree's branches and indents, stripped from the
// start of every line.
constexpr std::array<bool, 256> make_prefix_table() {
    std::array<bool, 256> table{};
    for (unsigned char c : {'-', ' ', '\\', '/', ':', '*', '?', '<', '>', '|', '+'}) table[c] = true;
    return table;
}
constexpr std::array<bool, 256> PREFIX = make_prefix_table();

void lower_in_place(std::string& text) {
    for (char& c : text) c = static_cast<char>(fold_byte(static_cast<unsigned char>(c)));
}

// An archive file, open for reading; closed when it goes out of scope.
class ArchiveFile {
public:
    explicit ArchiveFile(const std::string& name)
        : fd_(open(cp850_to_utf8(name).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
        struct stat info;
        if (fd_ >= 0 && (fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode))) {
            close(fd_);
            fd_ = -1;
        }
    }
    ~ArchiveFile() {
        if (fd_ >= 0) close(fd_);
    }
    ArchiveFile(const ArchiveFile&) = delete;
    ArchiveFile& operator=(const ArchiveFile&) = delete;

    bool is_open() const { return fd_ >= 0; }
    // Reads up to size bytes; 0 at the end of the file or on a read error.
    size_t read_into(char* buffer, size_t size) {
        ssize_t got;
        do {
            got = read(fd_, buffer, size);
        } while (got < 0 && errno == EINTR);
        return got > 0 ? static_cast<size_t>(got) : 0;
    }

private:
    int fd_;
};

// One scan's state: the lower-cased word and the count of matched lines.
struct Scan {
    std::string word;
    int count = 0;
    std::string line;   // the matched line being recorded
};

// Records the line [start, content_end) if its text behind the prefix holds
// the word somewhere.
void examine_line(Scan& scan, std::string& caller_word, const char* start, const char* content_end) {
    const char* text = start;
    while (text < content_end && PREFIX[static_cast<unsigned char>(*text)]) ++text;
    if (!find_folded(text, content_end, scan.word)) return;
    scan.line.assign(text, content_end);
    if (confront(caller_word, scan.line) == 0) return;
    ++scan.count;
    rigatree += scan.line;
    rigatree += ':';
}

// Scans the complete lines of [begin, end), which ends just behind a line
// feed. Only the lines in which the word appears at all are looked at.
void scan_lines(Scan& scan, std::string& caller_word, const char* begin, const char* end) {
    const char* p = begin;
    while (p < end) {
        const char* hit = find_folded(p, end, scan.word);
        if (!hit) return;
        const auto* before = static_cast<const char*>(memrchr(p, '\n', static_cast<size_t>(hit - p)));
        const char* start = before ? before + 1 : p;
        const auto* line_end = static_cast<const char*>(std::memchr(hit, '\n', static_cast<size_t>(end - hit)));
        if (!line_end) return;
        const char* content_end = line_end;
        if (content_end > start && content_end[-1] == '\r') --content_end;
        examine_line(scan, caller_word, start, content_end);
        p = line_end + 1;
    }
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

int find_in(const std::string& archive, std::string& word) {
    ArchiveFile file(archive);
    if (!file.is_open()) {
        cprintf("Impossibile aprire il file");
        cgetch();
        return 0;
    }
    rigatree.clear();
    Scan scan;
    scan.word = word;
    lower_in_place(scan.word);

    std::vector<char> buffer(BLOCK);
    size_t kept = 0;   // bytes of an unfinished line carried to the next block
    bool compared = false;
    for (;;) {
        if (kept == buffer.size()) buffer.resize(buffer.size() * 2);   // a line longer than a block
        const size_t got = file.read_into(buffer.data() + kept, buffer.size() - kept);
        if (got == 0) break;   // an unfinished last line is not examined
        const char* begin = buffer.data();
        const char* filled = begin + kept + got;
        const auto* last_lf = static_cast<const char*>(memrchr(begin + kept, '\n', got));
        if (!last_lf) {
            kept += got;
            continue;
        }
        if (!compared) {
            // From the first compared line on, the caller's word is lower case.
            lower_in_place(word);
            compared = true;
        }
        if (!scan.word.empty()) scan_lines(scan, word, begin, last_lf + 1);
        kept = static_cast<size_t>(filled - (last_lf + 1));
        std::memmove(buffer.data(), last_lf + 1, kept);
        console_idle();
    }
    return scan.count;
}
