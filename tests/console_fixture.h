// The test back end and a fixture around it: keys come from a script, the
// console's cells are read back, and each test runs in a catalogue folder of
// its own with its own drive C: folder.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "screen/conio.h"
#include "tests/screen_shot.h"

// Thrown by the back end when a screen reads past the end of the script.
struct KeyScriptEnded {};

class ScriptedKeys : public ConsoleBackend {
public:
    std::deque<int> keys;
    std::function<void()> on_idle;   // a look at the screen during long work
    int read_key() override;
    void idle() override {
        if (on_idle) on_idle();
    }
};

// Scans one archive as a search does, with the word as typed.
int find_in_archive(const std::string& name, std::string& word);

// Checks that the screen shows the text from (x, y) on.
#define EXPECT_SCREEN(x, y, text)                                                              \
    do {                                                                                       \
        const std::string expected_text_ = (text);                                             \
        EXPECT_EQ(ConsoleTest::text_at((x), (y), static_cast<int>(expected_text_.size())),     \
                  expected_text_);                                                             \
    } while (0)

class ConsoleTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Appends key codes, or the bytes of a text, to the script.
    void keys(std::initializer_list<int> codes);
    void type(const std::string& text);
    // Runs a screen until it returns; a read past the script fails the test.
    int run(const std::function<int()>& screen);
    size_t keys_left() const { return backend_.keys.size(); }
    // Called whenever long work lets the screen refresh (once per archive
    // block during a search).
    void during_work(std::function<void()> look) { backend_.on_idle = std::move(look); }

    // The code page 850 bytes of n cells from (x, y), and one cell's attribute.
    static std::string text_at(int x, int y, int n);
    static std::string row(int y) { return text_at(1, y, console_width()); }
    static int attr_at(int x, int y) { return console_cell(x, y).attr; }
    // True when every cell of the run holds the attribute.
    static bool attrs_are(int x, int y, int n, int attribute);

    // Writes a file (relative to the test's folder) byte for byte.
    void write_file(const std::string& name, const std::string& content);
    // A file's bytes (relative to the test's folder), and the sorted names
    // of everything in that folder.
    std::string content_of(const std::string& name) const;
    std::vector<std::string> names_here() const;

    std::string folder;                  // the current folder during the test
    std::vector<std::string> commands;   // every shell command issued
    // The screen as it stood when the screen under test read the script's
    // key number n (from 0): what the user saw when pressing that key.
    static const ScreenShot& seen_at_key(size_t n);

private:
    ScriptedKeys backend_;
    std::string start_folder_;
};
