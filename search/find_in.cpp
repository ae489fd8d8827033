#include "search/find_in.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <vector>

#include "screen/conio.h"
#include "screen/cp850.h"
#include "search/matched_text.h"
#include "search/ombrev.h"
#include "search/scan_text.h"

namespace {

constexpr size_t BLOCK = 1 << 18;

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

// The buffer that archives are read into, kept from one scan to the next:
// a block small enough to stay in the processor's cache while it is scanned.
std::vector<char>& read_buffer() {
    static std::vector<char> buffer(BLOCK);
    return buffer;
}

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
    std::string lower = word;
    lower_in_place(lower);
    // A line never holds a line feed, so such a word matches nothing.
    const bool searchable = !lower.empty() && lower.find('\n') == std::string::npos;
    const FoldedWord folded = fold_word(lower);

    std::vector<char>& buffer = read_buffer();
    static MatchedText matched;
    size_t kept = 0;   // bytes of an unfinished line carried to the next block
    int count = 0;
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
        // From the first compared line on, the caller's word is lower case.
        word = lower;
        if (searchable) count += scan_lines(folded, begin, last_lf + 1, matched);
        kept = static_cast<size_t>(filled - (last_lf + 1));
        std::memmove(buffer.data(), last_lf + 1, kept);
        console_idle();
    }
    if (buffer.size() > BLOCK) buffer = std::vector<char>(BLOCK);   // a long line's room is not kept
    matched.move_into(rigatree);
    return count;
}
