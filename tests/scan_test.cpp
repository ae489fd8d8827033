#include <gtest/gtest.h>

#include <random>
#include <string>

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
        EXPECT_EQ(find_in("a.txt", word), c.hits) << c.archive;
        EXPECT_EQ(rigatree, c.lines) << c.archive;
    }
}

// A line far longer than a read block, then a small archive scanned with
// the same reused buffer: nothing of the first may show in the second.
TEST_F(ArchiveScanTest, AVeryLongLineAndTheNextArchive) {
    const std::string long_name = "|   " + std::string(700000, 'x') + "NeedLe.txt";
    write_file("long.txt", "|   needle one\r\n" + long_name + "\r\n|   last NEEDLE\r\n");
    std::string word = "needle";
    EXPECT_EQ(find_in("long.txt", word), 3);
    EXPECT_EQ(rigatree, "needle one:" + long_name.substr(4, 700000) + "needle.txt:last needle:");

    write_file("short.txt", "|   x\r\n|   needle two\r\n|   unfinished needle");
    EXPECT_EQ(find_in("short.txt", word), 1);
    EXPECT_EQ(rigatree, "needle two:");
}
