#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "shell/drive_c.h"
#include "shell/shell.h"
#include "shell/textfile.h"
#include "shell/tree_capture.h"
#include "tests/console_fixture.h"

namespace fs = std::filesystem;

namespace {

class TreeCaptureTest : public ConsoleTest {
protected:
    // Files and folders under the test's folder; a name ending in '/' is a folder.
    void make(std::initializer_list<std::string> paths) {
        for (const std::string& path : paths) {
            if (path.back() == '/') {
                fs::create_directories(folder + "/" + path);
            } else {
                fs::create_directories(fs::path(folder + "/" + path).parent_path());
                std::ofstream(folder + "/" + path) << "x";
            }
        }
    }

    // The capture of the current folder, as the archive creation runs it.
    std::string capture() {
        shell_system("tree /f /a > c:/temp.obv");
        std::string content;
        EXPECT_TRUE(read_whole_file(drive_c_path("c:/temp.obv"), content));
        return content;
    }

    // The capture without its two heading lines.
    std::string listing() {
        const std::string content = capture();
        return content.substr(content.find('\n', content.find('\n') + 1) + 1);
    }
};

std::string crlf(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

TEST_F(TreeCaptureTest, ListsFilesThenSpacerThenSubfoldersWithTheHeading) {
    make({"a.txt", "Musica/x.mp3", "Foto/"});
    const std::string content = capture();
    const std::regex heading("Elenco del percorso delle cartelle( per il volume [^\r\n]+)?\r\n"
                             "Numero di serie del volume: [0-9A-F]{4}-[0-9A-F]{4}\r\n");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(content, match, heading, std::regex_constants::match_continuous)) << content;
    EXPECT_EQ(content.substr(static_cast<size_t>(match.length())),
              crlf({".", "|   a.txt", "|   ", "+---Foto", "\\---Musica", "        x.mp3", "        "}));
}

TEST_F(TreeCaptureTest, DeepTreeCarriesEachLevelsBranchesInItsPrefix) {
    make({"z.txt", "A/a1.txt", "A/B/b1.txt", "A/B/C/D/d1.txt", "A/B/C/D/d2.txt", "A/B2/", "E/e.txt"});
    EXPECT_EQ(listing(), crlf({
                             ".",
                             "|   z.txt",
                             "|   ",
                             "+---A",
                             "|   |   a1.txt",
                             "|   |   ",
                             "|   +---B",
                             "|   |   |   b1.txt",
                             "|   |   |   ",
                             "|   |   \\---C",
                             "|   |       \\---D",
                             "|   |               d1.txt",
                             "|   |               d2.txt",
                             "|   |               ",
                             "|   \\---B2",
                             "\\---E",
                             "        e.txt",
                             "        ",
                         }));
}

TEST_F(TreeCaptureTest, RootWithoutSubfoldersEndsWithTheNoSubfolderLine) {
    make({"b.txt", "A.txt"});
    EXPECT_EQ(listing(), crlf({".", "    A.txt", "    b.txt", "    ", "Nessuna sottocartella esistente ", ""}));
}

TEST_F(TreeCaptureTest, EmptyFolder) {
    EXPECT_EQ(listing(), crlf({".", "Nessuna sottocartella esistente ", ""}));
}

// Letters a to z sort as capitals, so '_' (after 'Z') follows them; names
// go to code page 850, with '?' (before the letters) for what it lacks and
// for line breaks.
TEST_F(TreeCaptureTest, OrderAndCodePage850Names) {
    make({"_z.txt", "b.txt", "B_.txt", "città.txt", "日本.txt", "a\nb.txt", "Perù/"});
    EXPECT_EQ(listing(), crlf({
                             ".",
                             "|   ??.txt",
                             "|   a?b.txt",
                             "|   b.txt",
                             "|   B_.txt",
                             "|   citt\x85.txt",
                             "|   _z.txt",
                             "|   ",
                             "\\---Per\x97",
                         }));
}

TEST_F(TreeCaptureTest, HiddenEntriesAreLeftOutAndDottedFoldersAreFolders) {
    make({".hidden.txt", ".git/config", "v1.0/notes.txt", "x.txt"});
    EXPECT_EQ(listing(), crlf({".", "|   x.txt", "|   ", "\\---v1.0", "        notes.txt", "        "}));
}

TEST_F(TreeCaptureTest, LinksToFoldersAreListedButNotEntered) {
    make({"A/f.txt"});
    fs::create_directory_symlink("..", folder + "/A/back");   // a loop
    fs::create_directory_symlink(folder + "/A", folder + "/toA");
    fs::create_symlink("A/f.txt", folder + "/file-link.txt");
    fs::create_symlink("nowhere", folder + "/dangling");
    EXPECT_EQ(listing(), crlf({
                             ".",
                             "|   dangling",
                             "|   file-link.txt",
                             "|   ",
                             "+---A",
                             "|   |   f.txt",
                             "|   |   ",
                             "|   \\---back",
                             "\\---toA",
                         }));
}

// Runs the capture in a child that cannot pass the folders' permissions:
// as root, the child takes the identity of "nobody" first.
std::string capture_without_privileges() {
    int channel[2];
    if (pipe(channel) != 0) return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
        std::ostringstream out;
        tree_capture(out);
        const std::string text = out.str();
        const bool written = write(channel[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
        _exit(written ? 0 : 3);
    }
    close(channel[1]);
    std::string text;
    char block[4096];
    ssize_t got;
    while ((got = read(channel[0], block, sizeof block)) > 0) text.append(block, static_cast<size_t>(got));
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return text.substr(text.find('\n', text.find('\n') + 1) + 1);
}

TEST_F(TreeCaptureTest, UnreadableFolderIsListedWithNothingUnderIt) {
    make({"Locked/secret.txt", "Open/a.txt"});
    chmod(folder.c_str(), 0755);
    chmod((folder + "/Open").c_str(), 0755);
    chmod((folder + "/Locked").c_str(), 0);
    EXPECT_EQ(capture_without_privileges(),
              crlf({".", "+---Locked", "\\---Open", "        a.txt", "        "}));
}

// /dev/shm is usually a file system of its own inside /dev.
TEST_F(TreeCaptureTest, FoldersOfAnotherFileSystemAreNotEntered) {
    struct stat dev, shm;
    if (stat("/dev", &dev) != 0 || stat("/dev/shm", &shm) != 0 || dev.st_dev == shm.st_dev) {
        GTEST_SKIP() << "no mount point inside /dev";
    }
    const std::string marker = "/dev/shm/ombrev-marker-" + std::to_string(getpid());
    std::ofstream(marker) << "x";
    ASSERT_EQ(chdir("/dev"), 0);
    const std::string content = capture();
    ASSERT_EQ(chdir(folder.c_str()), 0);
    unlink(marker.c_str());
    EXPECT_NE(content.find("---shm\r\n"), std::string::npos);
    EXPECT_EQ(content.find("ombrev-marker"), std::string::npos);
}

TEST_F(TreeCaptureTest, OnlyTheFileAndAsciiSwitchesAreTaken) {
    make({"a.txt"});
    shell_system("tree /a > c:/temp.obv");
    shell_system("tree /f /x > c:/temp.obv");
    EXPECT_EQ(row(1).substr(0, 28), "Sintassi del comando errata.");
    EXPECT_EQ(row(2).substr(0, 26), "Parametro non valido - /x ");
    shell_system("TREE /F /A > c:/temp.obv");
    std::string content;
    ASSERT_TRUE(read_whole_file(drive_c_path("c:/temp.obv"), content));
    EXPECT_NE(content.find("\r\n.\r\n    a.txt\r\n"), std::string::npos);
}

} // namespace
