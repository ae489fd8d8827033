#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "shell/drive_c.h"
#include "shell/shell.h"
#include "shell/textfile.h"
#include "tests/console_fixture.h"

using ShellTest = ConsoleTest;

namespace {

std::string drive_c_file(const std::string& name) {
    std::string content;
    EXPECT_TRUE(read_whole_file(drive_c_path(name), content)) << name;
    return content;
}

} // namespace

TEST_F(ShellTest, ArchiveListingHasTheTxtNamesSortedInCodePage850) {
    for (const char* name : {"b.txt", "A.TXT", "città.txt", "nota.doc", ".nascosto.txt", "c.txt.bak", "x; touch y.txt"}) {
        write_file(name, "");
    }
    std::filesystem::create_directory(folder + "/cartella.txt");
    shell_system("dir /b *.txt > c:/dir.txt");
    EXPECT_EQ(drive_c_file("c:/dir.txt"), "A.TXT\r\nb.txt\r\ncartella.txt\r\ncitt\x85.txt\r\nx; touch y.txt\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder + "/y.txt"));
}

TEST_F(ShellTest, AnEmptyFolderGivesAnEmptyListing) {
    shell_system("dir /b *.txt > c:/dir.txt");
    EXPECT_EQ(drive_c_file("c:/dir.txt"), "");
}

TEST_F(ShellTest, AnUnknownCommandSaysSoAndLeavesAnEmptyOutputFile) {
    write_file("a.txt", "");
    shell_system("dir /b *.txt > c:/dir.txt");
    gotoxy(1, 10);
    shell_system("xcopy a b > c:/dir.txt");
    EXPECT_EQ(drive_c_file("c:/dir.txt"), "");
    EXPECT_SCREEN(1, 10, "'xcopy' non \x8A riconosciuto come comando interno o esterno,");
    EXPECT_SCREEN(1, 11, " un programma eseguibile o un file batch.");
    EXPECT_EQ(wherey(), 12);
}

TEST_F(ShellTest, TemporaryNamesLiveInThePrivateFolder) {
    EXPECT_EQ(drive_c_path("c:/dir.txt"), drive_c_folder() + "/dir.txt");
    EXPECT_EQ(drive_c_path("C:\\temp.obv"), drive_c_folder() + "/temp.obv");
    EXPECT_EQ(drive_c_path("disco.txt"), "disco.txt");
    EXPECT_EQ(std::filesystem::status(drive_c_folder()).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);
    shell_system("dir /b *.txt > c:/dir.txt");
    const std::string kept = drive_c_folder();
    drive_c_remove();
    EXPECT_FALSE(std::filesystem::exists(kept));
}

TEST(TextReader, LineEndsAsTextModeReadsThem) {
    char pattern[] = "/tmp/ombrev-text-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string path = std::string(pattern) + "/t.txt";
    std::ofstream(path, std::ios::binary) << "a\r\nb\nc\rd\r\r\n\x1A\xFF\r\ntail";
    TextReader reader(path);
    std::vector<std::pair<std::string, bool>> lines;
    std::string line;
    bool ended = false;
    while (reader.next_line(line, ended)) lines.emplace_back(line, ended);
    const std::vector<std::pair<std::string, bool>> expected = {
        {"a", true}, {"b", true}, {"c\rd\r", true}, {"\x1A\xFF", true}, {"tail", false}};
    EXPECT_EQ(lines, expected);
    std::filesystem::remove_all(pattern);
}
