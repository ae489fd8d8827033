#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "search/find_in.h"
#include "search/ombrev.h"
#include "search/scan_text.h"
#include "tests/console_fixture.h"

namespace {

const char* naive_find(const std::string& text, const std::string& lower_word) {
    for (size_t at = 0; at + lower_word.size() <= text.size(); ++at) {
        bool equal = true;
        for (size_t i = 0; i < lower_word.size() && equal; ++i) {
            equal = fold_byte(static_cast<unsigned char>(text[at + i])) == static_cast<unsigned char>(lower_word[i]);
        }
        if (equal) return text.data() + at;
    }
    return nullptr;
}

// Bytes that matter to the search: letters of both cases, the prefix
// characters, line ends, and code page 850's accented letters and 0xFF.
char random_byte(std::mt19937& rng) {
    static const std::string bytes = "aAbBzZqQ -|+\\\r\n.\x85\xB7\xFF\x1A" "0";
    return bytes[rng() % bytes.size()];
}

} // namespace

// Both vector widths against a plain search, for words of 1 to 40 bytes
// around every vector boundary, the word planted or not.
TEST(FindFolded, AgreesWithAPlainSearch) {
    std::mt19937 rng(7);
    for (int round = 0; round < 4000; ++round) {
        std::string word(1 + rng() % 40, ' ');
        for (char& c : word) c = static_cast<char>(fold_byte(static_cast<unsigned char>(random_byte(rng))));
        std::string text(rng() % 150, ' ');
        for (char& c : text) c = random_byte(rng);
        if (rng() % 2 && word.size() <= text.size()) {
            const size_t at = rng() % (text.size() - word.size() + 1);
            for (size_t i = 0; i < word.size(); ++i) {
                const char c = word[i];
                text[at + i] = rng() % 2 && c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
            }
        }
        const FoldedWord folded = fold_word(word);
        const char* begin = text.data();
        const char* end = begin + text.size();
        const char* expected = naive_find(text, word);
        EXPECT_EQ(find_folded(begin, end, folded), expected) << round;
        EXPECT_EQ(find_folded_sse2(begin, end, folded), expected) << round;
    }
}

using ArchiveScanTest = ConsoleTest;

// Candidates that only look like hits: the word inside the prefix, across
// the prefix's end, or across the line end.
TEST_F(ArchiveScanTest, OnlyTheTextBehindThePrefixAndBeforeTheLineEndCounts) {
    struct Case {
        std::string archive, word;
        int hits;
        std::string lines;
    };
    const Case cases[] = {
        {"+---x\r\nab-c\r\n", "-", 1, "ab-c:"},          // a prefix hit, then a real one on the next line
        {"|   +---abc\r\n", "-a", 0, ""},                // across the prefix's end
        {"|   +---abc-A\r\n", "-a", 1, "abc-a:"},
        {"+---- -x\r\n", "- -", 0, ""},                  // the whole candidate is prefix
        {"ab\r\n", "b\r", 0, ""},                        // CR LF is the line end, not text
        {"ab\r\r\n", "B\r", 1, "ab\r:"},                 // a CR before it is text
        {"a\nb\r\n", "a\nb", 0, ""},                     // a line never holds a line feed
        {"\r\n\r\n|   \r\n", "\r", 0, ""},
    };
    for (const Case& c : cases) {
        write_file("a.txt", c.archive);
        std::string word = c.word;
        EXPECT_EQ(find_in_archive("a.txt", word), c.hits) << c.archive;
        EXPECT_EQ(rigatree, c.lines) << c.archive;
    }
}

// A line far longer than a read block, then a small archive scanned with
// the same reused buffer: nothing of the first may show in the second.
TEST_F(ArchiveScanTest, AVeryLongLineAndTheNextArchive) {
    const std::string long_name = "|   " + std::string(700000, 'x') + "NeedLe.txt";
    write_file("long.txt", "|   needle one\r\n" + long_name + "\r\n|   last NEEDLE\r\n");
    std::string word = "needle";
    EXPECT_EQ(find_in_archive("long.txt", word), 3);
    EXPECT_EQ(rigatree, "needle one:" + long_name.substr(4, 700000) + "needle.txt:last needle:");

    write_file("short.txt", "|   x\r\n|   needle two\r\n|   unfinished needle");
    EXPECT_EQ(find_in_archive("short.txt", word), 1);
    EXPECT_EQ(rigatree, "needle two:");
}

namespace {

std::string archive_name(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "a%03d.txt", i);
    return name;
}

// Archives of a few lines to over 1 MiB, some lines matching "foto"; the
// archives at the given positions are folders, which cannot be opened.
std::vector<std::string> make_catalogue(const std::string& folder, int count, std::initializer_list<int> unopenable,
                                        unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        names.push_back(archive_name(i));
        if (std::find(unopenable.begin(), unopenable.end(), i) != unopenable.end()) {
            std::filesystem::create_directory(folder + "/" + names.back());
            continue;
        }
        const size_t size = rng() % 6 == 0 ? 1200000 : rng() % 4000;
        std::string text = "D:.\r\n";
        while (text.size() < size) text += (rng() % 50 == 0 ? "|   Foto " : "|   +---x ") + std::to_string(rng()) + "\r\n";
        std::ofstream(folder + "/" + names.back(), std::ios::binary) << text;
    }
    return names;
}

// Keys for the search screen; at every wait after the search starts, notes
// which archives the program has opened so far (from inotify, in order).
class OpenWatch : public ConsoleBackend {
public:
    OpenWatch(const std::string& folder, const std::string& word) : keys_(word.begin(), word.end()) {
        keys_.push_back(13);
        fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        inotify_add_watch(fd_, folder.c_str(), IN_OPEN);
    }
    ~OpenWatch() override { close(fd_); }

    int read_key() override {
        if (!keys_.empty()) {
            const int key = static_cast<unsigned char>(keys_.front());
            keys_.pop_front();
            return key;
        }
        collect();
        opened_at_wait.push_back(opened);
        return completion_shown() ? 27 : 'x';
    }

    std::vector<std::string> opened;
    std::vector<std::vector<std::string>> opened_at_wait;

private:
    static bool completion_shown() {
        const std::string text = "Ricerca completata";
        for (size_t i = 0; i < text.size(); ++i) {
            if (console_cell(3 + static_cast<int>(i), 5).ch != static_cast<unsigned char>(text[i])) return false;
        }
        return true;
    }

    void collect() {
        alignas(inotify_event) char events[65536];
        for (ssize_t got; (got = read(fd_, events, sizeof events)) > 0;) {
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(events + at);
                if (event->len > 0) opened.emplace_back(event->name);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
    }

    std::deque<char> keys_;
    int fd_;
};

} // namespace

// The search scans ahead on a second thread; what it shows and keeps is what
// one archive after the other gives.
TEST_F(ArchiveScanTest, ScanningAheadGivesWhatScanningInTurnGives) {
    const std::vector<std::string> names = make_catalogue(folder, 120, {30, 31, 119}, 3);
    std::vector<Elemento> expected;
    for (const std::string& name : names) {
        if (std::filesystem::is_directory(folder + "/" + name)) keys({'x'});   // its report awaits a key
        std::string word = "FOTO";
        if (const int hits = run([&] { return find_in_archive(name, word); }); hits > 0) expected.emplace_back(hits, name, rigatree);
    }
    console_reset();
    list_res.clear();
    type("FOTO");
    keys({13, 'x', 'x', 'x', 27});
    EXPECT_EQ(run(ombrev_main), 0);
    EXPECT_EQ(keys_left(), 0u);
    ASSERT_EQ(list_res.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(list_res[i].trovate, expected[i].trovate) << i;
        EXPECT_EQ(list_res[i].supporto, expected[i].supporto) << i;
        EXPECT_EQ(list_res[i].righe, expected[i].righe) << i;
    }
    const std::string completion =
        "Ricerca completata: " + std::to_string(expected.size()) + " supporti con risultati per \"foto\"";
    EXPECT_EQ(text_at(3, 5, static_cast<int>(completion.size())), completion);
}

// Archives are opened in the listing's order, and after one that cannot be
// opened, none is opened before its report's key has been read.
TEST_F(ArchiveScanTest, ArchivesAreOpenedInOrderAndNotPastAnUnreportedFailure) {
    const std::vector<std::string> names = make_catalogue(folder, 80, {50}, 5);
    OpenWatch watch(folder, "foto");
    console_attach(&watch);
    ombrev_main();
    ASSERT_EQ(watch.opened_at_wait.size(), 2u);
    EXPECT_EQ(watch.opened_at_wait[0], std::vector<std::string>(names.begin(), names.begin() + 51));
    EXPECT_EQ(watch.opened_at_wait[1], names);
}
