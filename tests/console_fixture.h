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

// Thrown by the back end when a screen reads past the end of the script.
struct KeyScriptEnded {};

// A copy of the console's cells, read back as the console itself is.
class ScreenShot {
public:
    // The console as it stands now.
    ScreenShot();

    // The code page 850 bytes of n cells from (x, y), and one cell's attribute.
    std::string text_at(int x, int y, int n) const;
    std::string row(int y) const { return text_at(1, y, width_); }
    int attr_at(int x, int y) const;
    // True when every cell of the run holds the attribute.
    bool attrs_are(int x, int y, int n, int attribute) const;

private:
    int width_;
    std::vector<Cell> cells_;
};

class ScriptedKeys : public ConsoleBackend {
public:
    std::deque<int> keys;
    // The screen as it stood at each read, in the order of the reads.
    std::vector<ScreenShot> seen;
    int read_key() override;
};

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

    // The code page 850 bytes of n cells from (x, y), and one cell's attribute.
    static std::string text_at(int x, int y, int n) { return ScreenShot().text_at(x, y, n); }
    static std::string row(int y) { return ScreenShot().row(y); }
    static int attr_at(int x, int y) { return console_cell(x, y).attr; }
    // True when every cell of the run holds the attribute.
    static bool attrs_are(int x, int y, int n, int attribute) {
        return ScreenShot().attrs_are(x, y, n, attribute);
    }
    // The screen as it stood when the screen under test read the script's
    // key number n (from 0): what the user saw when pressing that key.
    const ScreenShot& seen_at_key(size_t n) const { return backend_.seen.at(n); }

    // Writes a file (relative to the test's folder) byte for byte.
    void write_file(const std::string& name, const std::string& content);

    std::string folder;                  // the current folder during the test
    std::vector<std::string> commands;   // every shell command issued

private:
    ScriptedKeys backend_;
    std::string start_folder_;
};
