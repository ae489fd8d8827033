#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "search/find_in.h"
#include "search/ombrev.h"
#include "shell/drive_c.h"
#include "tests/console_fixture.h"

namespace {

std::string crlf(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

const std::string MEDIUM = crlf({"D:.", "+---Musica", "|       Concerto - Help.mp3", "|       help.txt", "\\---Foto"});

constexpr int ENTER = 13;
constexpr int ESC = 27;
constexpr int BACKSPACE = 8;

} // namespace

using ScanTest = ConsoleTest;

TEST_F(ScanTest, MatchesLinesBehindTheirPrefixWithoutRegardToCase) {
    struct Case {
        std::string archive, word;
        int hits;
        std::string lines, word_after;
    };
    const std::string long_name(300, 'x');
    const Case cases[] = {
        {MEDIUM, "HELP", 2, "concerto - help.mp3:help.txt:", "help"},
        {MEDIUM, "mp3", 1, "concerto - help.mp3:", "mp3"},
        {MEDIUM, "musica", 1, "musica:", "musica"},
        {MEDIUM, "d:", 1, "d:.:", "d:"},
        {MEDIUM, "nothing", 0, "", "nothing"},
        {crlf({"|   |   -rapporto.doc"}), "rap", 1, "rapporto.doc:", "rap"},
        {crlf({"|   |   -rapporto.doc"}), "-", 0, "", "-"},
        {crlf({"+---a-b"}), "-", 1, "a-b:", "-"},
        {crlf({"    ab ab ab"}), "AB", 1, "ab ab ab:", "ab"},
        {crlf({"|   ", "", "   ", "\\---"}), " ", 0, "", " "},
        {crlf({"Citt\x85.txt", "CITT\xB7.txt"}), "citt\x85", 1, "citt\x85.txt:", "citt\x85"},
        {crlf({"a\xFF" "b", "x\x1Ay", "after"}), "after", 1, "after:", "after"},
        {crlf({"a\xFF" "b"}), "\xFF", 1, "a\xFF" "b:", "\xFF"},
        {"ok\r\nlast line ok", "ok", 1, "ok:", "ok"},          // an unfinished last line is not examined
        {"", "Word", 0, "", "Word"},                             // nothing compared: the word stays
        {"one\ntwo\r\n", "O", 2, "one:two:", "o"},               // a lone LF ends a line too
        {"a\rb\r\n", "a\rb", 1, "a\rb:", "a\rb"},                // a lone CR is an ordinary byte
        {"x\r\r\n", "x\r", 1, "x\r:", "x\r"},
        {crlf({"|   " + long_name + "Z"}), "xz", 1, long_name + "z:", "xz"},
    };
    for (const Case& c : cases) {
        write_file("a.txt", c.archive);
        std::string word = c.word;
        rigatree = "stale";
        EXPECT_EQ(find_in_archive("a.txt", word), c.hits) << c.word;
        EXPECT_EQ(rigatree, c.lines) << c.word;
        EXPECT_EQ(word, c.word_after) << c.word;
    }
}

TEST_F(ScanTest, LinesAndWordsAcrossBlockBoundaries) {
    // Lines of 100 bytes around the 1 MiB read size, some of them matched.
    std::string archive;
    std::string expected;
    int hits = 0;
    for (int i = 0; i < 30000; ++i) {
        std::string name = "|   file" + std::to_string(i) + (i % 997 == 0 ? "NeEdLe" : "straw");
        name.resize(98, 'x');
        archive += name + "\r\n";
        if (i % 997 == 0) {
            std::string line = name.substr(4);
            for (char& ch : line) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            expected += line + ":";
            ++hits;
        }
    }
    write_file("big.txt", archive);
    std::string word = "needle";
    EXPECT_EQ(find_in_archive("big.txt", word), hits);
    EXPECT_EQ(rigatree, expected);
}

TEST_F(ScanTest, LinesPutTogetherAcrossBlocksAreJudgedLikeTheOthers) {
    // Lines of many lengths, so that block ends fall on lines of both kinds:
    // a hyphen in the name matches, a hyphen in the prefix alone does not.
    std::string archive;
    std::string expected;
    int hits = 0;
    for (int i = 0; i < 40000; ++i) {
        const std::string name(static_cast<size_t>(1 + i % 37), static_cast<char>('A' + i % 26));
        if (i % 2 == 0) {
            archive += "|   +---" + name + "-X\r\n";
            std::string lowered = name + "-x";
            for (char& ch : lowered) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            expected += lowered + ":";
            ++hits;
        } else {
            archive += "|   +---" + name + "\r\n";
        }
    }
    write_file("dash.txt", archive);
    std::string word = "-";
    EXPECT_EQ(find_in_archive("dash.txt", word), hits);
    EXPECT_EQ(rigatree, expected);
}

TEST_F(ScanTest, ConfrontCountsOccurrencesWithoutOverlap) {
    struct Case {
        std::string word, line;
        int count;
    } cases[] = {
        {"Help", "Concerto - Help.mp3", 1}, {"txt", "readme.txt", 1}, {"ab", "aab.doc", 1}, {"ab", "ab ab", 2},
        {"ab", "a b", 0}, {"aa", "aaaa", 2}, {"aa", "aaa", 1}, {"", "anything", 0}, {"long word", "long", 0},
    };
    for (Case& c : cases) {
        EXPECT_EQ(confront(c.word, c.line), c.count) << c.word << " in " << c.line;
    }
    std::string word = "Help";
    std::string line = "Concerto - Help.mp3";
    confront(word, line);
    EXPECT_EQ(word, "help");
    EXPECT_EQ(line, "concerto - help.mp3");
}

TEST_F(ScanTest, AnArchiveThatCannotBeOpenedIsReportedAndAwaitsAKey) {
    std::filesystem::create_directory(folder + "/cartella.txt");
    for (const char* name : {"missing.txt", "cartella.txt"}) {
        console_reset();
        keys({'x'});
        std::string word = "x";
        rigatree = "kept";
        EXPECT_EQ(run([&] { return find_in_archive(name, word); }), 0);
        EXPECT_EQ(text_at(1, 1, 26), "Impossibile aprire il file");
        EXPECT_EQ(attr_at(1, 1), 7);
        EXPECT_EQ(keys_left(), 0u);
        EXPECT_EQ(rigatree, "kept");
    }
}

TEST_F(ScanTest, CountFileCountsLineEnds) {
    for (auto [content, lines] : std::vector<std::pair<std::string, int>>{
             {"", 0}, {"a\r\nb\r\n", 2}, {"a\r\nb", 1}, {"a\nb\n\n", 3}, {"\r\r", 0}}) {
        write_file("count.txt", content);
        EXPECT_EQ(CountFile("count.txt"), lines) << content;
    }
    EXPECT_EQ(CountFile("absent.txt"), 0);
}

using SearchScreenTest = ConsoleTest;

TEST_F(SearchScreenTest, DrawsTheSearchScreen) {
    keys({ESC});
    EXPECT_EQ(run(ombrev_main), 1);
    EXPECT_EQ(text_at(31, 2, 18), "Ombrev Finder v2.0");
    EXPECT_EQ(console_cell(1, 1).ch, 0xC9);
    EXPECT_EQ(text_at(3, 5, 32), "Inserisci la parola da ricercare");
    EXPECT_TRUE(attrs_are(3, 5, 32, 14));
    EXPECT_EQ(text_at(3, 6, 2), "\x10 ");
    EXPECT_TRUE(attrs_are(3, 6, 2, 10));
    EXPECT_EQ(text_at(1, 25, 80), " Premi INVIO per analizzare i risultati - \\ per il menu principale - [ESC]      ");
    EXPECT_TRUE(attrs_are(1, 25, 42, 112));
    EXPECT_EQ(attr_at(43, 25), 116);
    EXPECT_TRUE(attrs_are(44, 25, 36, 112));
    EXPECT_EQ(attr_at(80, 25), 7);
    EXPECT_EQ(wherex(), 5);
    EXPECT_EQ(wherey(), 6);
    EXPECT_TRUE(commands.empty());
}

TEST_F(SearchScreenTest, KeywordEchoFullStopAndBackspace) {
    type("a.b");
    keys({BACKSPACE, ESC});
    EXPECT_EQ(run(ombrev_main), 1);
    EXPECT_EQ(text_at(5, 6, 3), "a  ");
    EXPECT_EQ(attr_at(5, 6), 31);
    EXPECT_EQ(attr_at(6, 6), 31);
    EXPECT_EQ(attr_at(7, 6), 15);   // the erased cell
    EXPECT_EQ(wherex(), 7);

    console_reset();
    keys({BACKSPACE, BACKSPACE});
    type("z");
    keys({ESC});
    EXPECT_EQ(run(ombrev_main), 1);
    EXPECT_EQ(text_at(3, 6, 3), "\x10 z");
    EXPECT_EQ(attr_at(3, 6), 10);   // the marker stays
    EXPECT_EQ(attr_at(4, 6), 31);   // the empty keyword's blank
    EXPECT_EQ(attr_at(5, 6), 31);
}

TEST_F(SearchScreenTest, BackslashOpensTheMenuAndTheKeywordGoesOn) {
    type("ab\\");
    keys({ESC});   // closes the menu
    type("c");
    keys({ESC});
    EXPECT_EQ(run(ombrev_main), 1);
    EXPECT_EQ(text_at(3, 5, 32), "Inserisci la parola da ricercare");
    EXPECT_EQ(text_at(5, 6, 3), "abc");
    EXPECT_TRUE(attrs_are(5, 6, 3, 31));

    console_reset();
    keys({'\\', ESC, ESC});
    EXPECT_EQ(run(ombrev_main), 1);
    EXPECT_EQ(attr_at(4, 6), 31);
    EXPECT_EQ(wherex(), 5);
    EXPECT_EQ(wherey(), 6);
}

TEST_F(SearchScreenTest, SearchShowsCountsCompletionAndLowerCasedKeyword) {
    write_file("disco1.txt", MEDIUM);
    write_file("vuoto.txt", crlf({"D:.", "\\---Altro"}));
    write_file("100%.txt", crlf({"|   help me"}));
    write_file("nota.doc", MEDIUM);
    write_file(".nascosto.txt", MEDIUM);
    type("HELP");
    keys({ENTER, 'x'});
    EXPECT_EQ(run(ombrev_main), 0);
    EXPECT_EQ(commands, std::vector<std::string>{"dir /b *.txt > c:/dir.txt"});
    EXPECT_EQ(counter, 1);
    ASSERT_EQ(list_res.size(), 2u);
    EXPECT_EQ(list_res[0].supporto, "100%.txt");
    EXPECT_EQ(list_res[1].supporto, "disco1.txt");
    EXPECT_EQ(list_res[1].trovate, 2);
    EXPECT_EQ(list_res[1].righe, "concerto - help.mp3:help.txt:");
    EXPECT_SCREEN(3, 7, "1 parole trovate in 100%.txt  ");
    EXPECT_SCREEN(3, 8, "2 parole trovate in disco1.txt  ");
    EXPECT_SCREEN(3, 5, "Ricerca completata: 2 supporti con risultati per \"help\"");
    EXPECT_TRUE(attrs_are(3, 5, 20, 14));
    EXPECT_TRUE(attrs_are(23, 5, 31, 7));
    EXPECT_EQ(text_at(15, 4, 55), std::string(55, ' '));
    EXPECT_EQ(text_at(2, 6, 79), std::string(77, '\xC4') + " \xBA");
    EXPECT_EQ(text_at(2, 25, 22), "Premi INVIO per analiz");
}

TEST_F(SearchScreenTest, ProgressBarAdvancesPerArchive) {
    for (int archives : {3, 7}) {
        std::filesystem::current_path("/");
        std::filesystem::remove_all(folder);
        std::filesystem::create_directory(folder);
        std::filesystem::current_path(folder);
        console_reset();
        for (int i = 0; i < archives; ++i) write_file("m" + std::to_string(i) + ".txt", crlf({"D:.", "nulla"}));
        std::vector<std::string> lines;
        std::vector<int> fills;
        during_work([&] {
            lines.push_back(text_at(3, 5, 40));
            const std::string bar = text_at(15, 4, 50);
            fills.push_back(static_cast<int>(std::count(bar.begin(), bar.end(), '\xDB')));
            EXPECT_EQ(std::count(bar.begin(), bar.end(), '\xB0') + fills.back(), 50);
            EXPECT_EQ(text_at(2, 25, 35), "In caso di problemi premere CTRL+C ");
        });
        type("zz");
        keys({ENTER, 'N'});
        EXPECT_EQ(run(ombrev_main), 0);
        const std::vector<int> percents = archives == 3 ? std::vector<int>{33, 66, 100}
                                                        : std::vector<int>{14, 28, 42, 57, 71, 85, 100};
        ASSERT_EQ(lines.size(), percents.size());
        for (size_t i = 0; i < percents.size(); ++i) {
            const std::string line = "Ricerca in corso in m" + std::to_string(i) + ".txt . . ." +
                                     std::to_string(percents[i]) + " % ";
            EXPECT_EQ(lines[i].substr(0, line.size()), line);
            EXPECT_EQ(fills[i], percents[i] / 2);
        }
        during_work(nullptr);
    }
}

TEST_F(SearchScreenTest, GridPlacesMediaInTwoColumnsAndWrapsAtThe35th) {
    for (int i = 1; i <= 35; ++i) {
        write_file((i < 10 ? "m0" : "m") + std::to_string(i) + ".txt", crlf({"|   trovato"}));
    }
    type("trovato");
    keys({ENTER, ESC});
    EXPECT_EQ(run(ombrev_main), 0);
    EXPECT_EQ(counter, 34);
    EXPECT_EQ(text_at(3, 7, 27), "1 parole trovate in m35.txt");   // the 35th over the first
    EXPECT_EQ(text_at(3, 8, 27), "1 parole trovate in m02.txt");
    EXPECT_EQ(text_at(3, 23, 27), "1 parole trovate in m17.txt");
    EXPECT_EQ(text_at(40, 7, 27), "1 parole trovate in m18.txt");
    EXPECT_EQ(text_at(40, 23, 27), "1 parole trovate in m34.txt");
}

TEST_F(SearchScreenTest, KeysAfterTheSearchDecideTheNextCycleOrTheExit) {
    write_file("a.txt", MEDIUM);
    struct Case {
        int key;
        int status;
        bool new_cycle;
    } cases[] = {{ESC, 0, false}, {'N', 0, false}, {ENTER, 0, false}, {'n', 1, true}};
    for (const Case& c : cases) {
        console_reset();
        type("foto");
        keys({ENTER, c.key});
        if (c.key == ENTER) keys({ESC});   // Esc leaves the results viewer
        if (c.new_cycle) keys({ESC});
        EXPECT_EQ(run(ombrev_main), c.status) << c.key;
        EXPECT_EQ(keys_left(), 0u);
    }
}

TEST_F(SearchScreenTest, EnterOnAnEmptyKeywordClearsTheResultsAndStartsOver) {
    write_file("a.txt", MEDIUM);
    type("help");
    keys({ENTER, 'n', ENTER, ESC});
    EXPECT_EQ(run(ombrev_main), 1);
    EXPECT_EQ(commands.size(), 2u);
    EXPECT_EQ(counter, -1);
    EXPECT_TRUE(list_res.empty());
}

TEST_F(SearchScreenTest, AFunctionKeyEndsTheKeywordAndItsSecondCodeIsTheNextKey) {
    write_file("a.txt", MEDIUM);
    type("help");
    keys({0, 59});
    EXPECT_EQ(run(ombrev_main), 0);
    EXPECT_EQ(counter, 0);
    EXPECT_EQ(keys_left(), 0u);
}

TEST_F(SearchScreenTest, TheTwoHundredthCharacterStartsTheSearch) {
    write_file("a.txt", crlf({"|   " + std::string(210, 'q')}));
    type(std::string(200, 'Q'));
    keys({ESC});
    EXPECT_EQ(run(ombrev_main), 0);
    EXPECT_EQ(counter, 0);
    EXPECT_EQ(list_res[0].righe, std::string(210, 'q') + ":");
}

TEST_F(SearchScreenTest, UnreadableArchivesAndAMissingListing) {
    write_file("a.txt", MEDIUM);
    std::filesystem::create_directory(folder + "/b.txt");
    write_file("c.txt", MEDIUM);
    type("help");
    keys({ENTER, 'k', ESC});
    EXPECT_EQ(run(ombrev_main), 0);
    EXPECT_EQ(counter, 1);
    EXPECT_EQ(list_res[1].supporto, "c.txt");

    // Without the temporary folder the listing cannot be written or read.
    console_reset();
    drive_c_remove();
    type("help");
    keys({ENTER, 'k', ESC});
    EXPECT_EQ(run(ombrev_main), 0);
    EXPECT_EQ(counter, -1);
    EXPECT_SCREEN(3, 5, "Ricerca completata: 0 supporti con risultati per \"help\"");
    EXPECT_EQ(console_cell(1, 1).ch, 0xC9);   // nothing scrolled
    EXPECT_EQ(keys_left(), 0u);
}
