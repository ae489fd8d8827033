#include <langinfo.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "archives/archive_writer.h"
#include "screen/terminal.h"
#include "search/ombrev.h"
#include "shell/drive_c.h"

namespace {

// The glyphs go out as UTF-8: take the environment's locale, and C.UTF-8
// when that one is not UTF-8.
void use_utf8_locale() {
    std::setlocale(LC_ALL, "");
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) std::setlocale(LC_ALL, "C.UTF-8");
}

} // namespace

int main() {
    use_utf8_locale();
    if (!drive_c_create()) std::fprintf(stderr, "ombrev: cannot create a temporary folder\n");
    std::atexit(drive_c_remove);
    terminal_at_signal(drive_c_remove);
    terminal_at_signal(pending_archive_remove);
    if (!terminal_start()) {
        std::fprintf(stderr, "ombrev: standard input and output must be a terminal\n");
        return 2;
    }
    const int status = ombrev_main();
    terminal_stop();
    return status;
}
