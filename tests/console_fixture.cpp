#include "tests/console_fixture.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "search/ombrev.h"
#include "shell/drive_c.h"
#include "shell/shell.h"

ScreenShot::ScreenShot() : width_(console_width()) {
    for (int y = 1; y <= console_height(); ++y) {
        for (int x = 1; x <= width_; ++x) cells_.push_back(console_cell(x, y));
    }
}

std::string ScreenShot::text_at(int x, int y, int n) const {
    std::string text;
    for (int i = 0; i < n; ++i) {
        text += static_cast<char>(cells_.at(static_cast<size_t>(y - 1) * width_ + (x - 1 + i)).ch);
    }
    return text;
}

int ScreenShot::attr_at(int x, int y) const { return cells_.at(static_cast<size_t>(y - 1) * width_ + (x - 1)).attr; }

bool ScreenShot::attrs_are(int x, int y, int n, int attribute) const {
    for (int i = 0; i < n; ++i) {
        if (attr_at(x + i, y) != attribute) return false;
    }
    return true;
}

int ScriptedKeys::read_key() {
    seen.emplace_back();
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

void ConsoleTest::write_file(const std::string& name, const std::string& content) {
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out << content;
}
