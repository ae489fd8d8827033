#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "archives/archive_format.h"
#include "archives/archive_writer.h"
#include "shell/textfile.h"
#include "tests/console_fixture.h"

namespace fs = std::filesystem;

namespace {

using ArchiveFormatTest = ConsoleTest;

TEST_F(ArchiveFormatTest, TheArchiveIsEverythingAfterTheSecondLineEnd) {
    struct Case {
        std::string capture;
        std::string archive;
    };
    const Case cases[] = {
        {"H1\r\nH2\r\nR\r\nE1\r\nE2\r\n", "R\r\nE1\r\nE2\r\n"},
        {"H1\r\nH2\r\n", ""},
        {"H1\nH2\nR\xFF\x1A\r\n\xFF|   tail without end", "R\xFF\x1A\r\n\xFF|   tail without end"},
        {"\r\n\r\n.\r\n", ".\r\n"},
    };
    for (const Case& c : cases) {
        write_file("capture.obv", c.capture);
        EXPECT_EQ(archive_from_capture(folder + "/capture.obv", folder, "disco.txt"), ArchiveResult::saved);
        EXPECT_EQ(content_of("disco.txt"), c.archive);
    }
    EXPECT_EQ(names_here(), (std::vector<std::string>{"capture.obv", "disco.txt"}));
}

TEST_F(ArchiveFormatTest, ALargeCaptureIsCopiedWhole) {
    std::string body;
    for (int i = 0; body.size() < 3'000'000; ++i) body += "|   |   file_" + std::to_string(i) + ".dat\r\n";
    write_file("capture.obv", "H1\r\nH2\r\n" + body);
    EXPECT_EQ(archive_from_capture(folder + "/capture.obv", folder, "big.txt"), ArchiveResult::saved);
    EXPECT_EQ(content_of("big.txt"), body);
}

// Every failure leaves the earlier archive of that name as it was, and no
// file behind.
TEST_F(ArchiveFormatTest, FailuresLeaveTheEarlierArchiveUntouched) {
    struct Case {
        const char* capture;   // null: no capture file at all
        const char* name;
        ArchiveResult result;
    };
    const Case cases[] = {
        {nullptr, "disco.txt", ArchiveResult::no_capture},
        {"H1\r\nH2\r\nR\r\n", "", ArchiveResult::no_archive},
        {"", "disco.txt", ArchiveResult::no_first_line},
        {"H1 without end", "disco.txt", ArchiveResult::no_first_line},
        {"H1\r\n", "disco.txt", ArchiveResult::no_second_line},
        {"H1\r\nH2", "disco.txt", ArchiveResult::no_second_line},
    };
    write_file("disco.txt", "old archive\r\n");
    for (const Case& c : cases) {
        fs::remove(folder + "/capture.obv");
        if (c.capture) write_file("capture.obv", c.capture);
        EXPECT_EQ(archive_from_capture(folder + "/capture.obv", folder, c.name), c.result);
        EXPECT_EQ(content_of("disco.txt"), "old archive\r\n");
        fs::remove(folder + "/capture.obv");
        EXPECT_EQ(names_here(), std::vector<std::string>{"disco.txt"});
    }
}

// A catalogue folder that could not be told (it had gone) is no licence to
// write elsewhere.
TEST_F(ArchiveFormatTest, NoFolderNoArchive) {
    write_file("capture.obv", "H1\r\nH2\r\n.\r\n");
    EXPECT_EQ(archive_from_capture(folder + "/capture.obv", "", "ombrev-test-nowhere.txt"),
              ArchiveResult::no_archive);
    EXPECT_FALSE(fs::exists("/ombrev-test-nowhere.txt"));
}

TEST_F(ArchiveFormatTest, AFolderInTheArchivesPlaceIsNotReplaced) {
    fs::create_directory(folder + "/disco.txt");
    write_file("disco.txt/inside", "kept");
    write_file("capture.obv", "H1\r\nH2\r\n.\r\n");
    EXPECT_EQ(archive_from_capture(folder + "/capture.obv", folder, "disco.txt"), ArchiveResult::no_archive);
    EXPECT_EQ(content_of("disco.txt/inside"), "kept");
    EXPECT_EQ(names_here(), (std::vector<std::string>{"capture.obv", "disco.txt"}));
}

// What the program does when a signal ends it in the middle of writing.
TEST_F(ArchiveFormatTest, ThePendingArchiveCanBeRemovedFromASignalHandler) {
    write_file("disco.txt", "old archive\r\n");
    ArchiveWriter writer(folder, "disco.txt");
    ASSERT_TRUE(writer.is_open());
    ASSERT_TRUE(writer.write("half", 4));
    EXPECT_EQ(names_here().size(), 2u);   // the archive and its hidden temporary file
    pending_archive_remove();
    EXPECT_EQ(names_here(), std::vector<std::string>{"disco.txt"});
    EXPECT_FALSE(writer.commit());
    EXPECT_EQ(content_of("disco.txt"), "old archive\r\n");
}

} // namespace
