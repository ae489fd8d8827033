// The program's own search over a catalogue, on a console that draws
// nothing: the search screen runs as in the program (the listing command,
// every archive scan, every result record), keys come from here, and the
// time from Enter to the completion line is measured.
//
//   quiet_search FOLDER WORD [--counts | --twice]
//
// Prints "seconds", "peak_rss_kib" (the whole process's peak), "matched_bytes"
// (the matched-lines text kept in the results), "media" and "unopened"; with
// --counts, then one "COUNT NAME" line per medium with hits. With --twice
// the search runs a second time in the same process (n starts it, as a user
// would), and "seconds" is the second one's: a program that has searched
// before, as the one in a terminal usually has.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <deque>
#include <string>

#include "screen/conio.h"
#include "screen/cp850.h"
#include "search/ombrev.h"
#include "shell/drive_c.h"

namespace {

using Clock = std::chrono::steady_clock;

// Types the word and Enter, then answers every later key: the completion
// line's wait with Esc (which ends the program's loop), any other wait (an
// archive that cannot be opened) with a blank.
class QuietConsole : public ConsoleBackend {
public:
    QuietConsole(const std::string& word, int searches) : word_(word), searches_left_(searches) { type_word(); }

    int read_key() override {
        if (!keys_.empty()) {
            const int key = static_cast<unsigned char>(keys_.front());
            keys_.pop_front();
            if (keys_.empty()) enter_ = Clock::now();
            return key;
        }
        if (!completion_shown()) {
            ++unopened;
            return ' ';
        }
        seconds = std::chrono::duration<double>(Clock::now() - enter_).count();
        if (--searches_left_ == 0) return 27;
        type_word();
        return 'n';
    }

    double seconds = 0;
    int unopened = 0;

private:
    static bool completion_shown() {
        static const char text[] = "Ricerca completata";
        for (size_t i = 0; i < sizeof text - 1; ++i) {
            if (console_cell(3 + static_cast<int>(i), 5).ch != static_cast<unsigned char>(text[i])) return false;
        }
        return true;
    }

    void type_word() {
        keys_.assign(word_.begin(), word_.end());
        keys_.push_back(13);
    }

    std::string word_;
    int searches_left_;
    std::deque<char> keys_;
    Clock::time_point enter_;
};

} // namespace

int main(int argc, char** argv) {
    const std::string option = argc == 4 ? argv[3] : "";
    const bool counts = option == "--counts";
    if (argc < 3 || argc > 4 || (argc == 4 && !counts && option != "--twice")) {
        std::fprintf(stderr, "usage: quiet_search FOLDER WORD [--counts | --twice]\n");
        return 2;
    }
    if (chdir(argv[1]) != 0 || !drive_c_create()) {
        std::fprintf(stderr, "quiet_search: cannot enter %s or make a temporary folder\n", argv[1]);
        return 1;
    }
    QuietConsole console(utf8_to_cp850(argv[2]), option == "--twice" ? 2 : 1);
    console_attach(&console);
    ombrev_main();
    console_attach(nullptr);
    drive_c_remove();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    size_t matched = 0;
    for (const Elemento& medium : list_res) matched += medium.righe.size();
    std::printf("seconds %.6f\npeak_rss_kib %ld\nmatched_bytes %zu\nmedia %zu\nunopened %d\n", console.seconds,
                usage.ru_maxrss, matched, list_res.size(), console.unopened);
    if (counts) {
        for (const Elemento& medium : list_res) std::printf("%d %s\n", medium.trovate, cp850_to_utf8(medium.supporto).c_str());
    }
    return 0;
}
