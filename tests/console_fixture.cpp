#include "tests/console_fixture.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "search/find_in.h"
#include "search/ombrev.h"
#include "search/scan_ahead.h"
#include "shell/drive_c.h"
#include "shell/shell.h"
#include "shell/textfile.h"

namespace {

// The screen at each key read of the running test, in the order of the reads.
std::vector<ScreenShot> screens_seen;

} // namespace

int find_in_archive(const std::string& name, std::string& word) {
    ScanAhead ahead({name}, word);
    return find_in(ahead, word);
}

int ScriptedKeys::read_key() {
    screens_seen.emplace_back();
    if (keys.empty()) {
        ADD_FAILURE() << "a screen read a key past the end of the test's key script";
        throw KeyScriptEnded{};
    }
    const int key = keys.front();
    keys.pop_front();
    return key;
}

void ConsoleTest::SetUp() {
    console_reset();
    console_attach(&backend_);
    start_folder_ = std::filesystem::current_path();
    char pattern[] = "/tmp/ombrev-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
    std::filesystem::current_path(folder);
    ASSERT_TRUE(drive_c_create());
    shell_observe([this](const std::string& command) { commands.push_back(command); });
    screens_seen.clear();
    list_res.clear();
    counter = -1;
    rigatree.clear();
}

void ConsoleTest::TearDown() {
    shell_observe(nullptr);
    console_attach(nullptr);
    drive_c_remove();
    std::filesystem::current_path(start_folder_);
    std::error_code ignored;
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(folder, ignored);
}

void ConsoleTest::keys(std::initializer_list<int> codes) {
    for (int code : codes) backend_.keys.push_back(code);
}

void ConsoleTest::type(const std::string& text) {
    for (char c : text) backend_.keys.push_back(static_cast<unsigned char>(c));
}

int ConsoleTest::run(const std::function<int()>& screen) {
    try {
        return screen();
    } catch (const KeyScriptEnded&) {
        return -1000;
    }
}

std::string ConsoleTest::text_at(int x, int y, int n) { return ScreenShot().text_at(x, y, n); }

bool ConsoleTest::attrs_are(int x, int y, int n, int attribute) { return ScreenShot().attrs_are(x, y, n, attribute); }

const ScreenShot& ConsoleTest::seen_at_key(size_t n) { return screens_seen.at(n); }

void ConsoleTest::write_file(const std::string& name, const std::string& content) {
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out << content;
}

std::string ConsoleTest::content_of(const std::string& name) const {
    std::string content;
    EXPECT_TRUE(read_whole_file(folder + "/" + name, content)) << name;
    return content;
}

std::vector<std::string> ConsoleTest::names_here() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}
