// The program's own tree capture of a folder, as archive creation issues it
// ("tree /f /a > c:/temp.obv" in the chosen folder), without a terminal.
//
//   quiet_capture FOLDER
//
// Prints "seconds" (the command alone) and "lines" (of the capture); fails
// when the capture holds no tree (the command is missing or failed).
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "search/ombrev.h"
#include "shell/drive_c.h"
#include "shell/shell.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quiet_capture FOLDER\n");
        return 2;
    }
    if (chdir(argv[1]) != 0 || !drive_c_create()) {
        std::fprintf(stderr, "quiet_capture: cannot enter %s or make a temporary folder\n", argv[1]);
        return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    shell_system("tree /f /a > c:/temp.obv");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const int lines = CountFile("c:/temp.obv");
    drive_c_remove();
    std::printf("seconds %.6f\nlines %d\n", seconds, lines);
    if (lines < 3) {
        std::fprintf(stderr, "quiet_capture: the capture holds no tree\n");
        return 1;
    }
    return 0;
}
