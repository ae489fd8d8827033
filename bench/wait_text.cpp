// Reads a stream (a terminal's output, piped by tmux) until a text appears in
// it, then writes the wall-clock time of that moment, in seconds since the
// epoch, to a file. Times a screen's change from outside the program.
//
//   wait_text TEXT FILE
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: wait_text TEXT FILE\n");
        return 2;
    }
    const std::string text = argv[1];
    std::string seen;   // the tail of the stream that a match could start in
    char block[65536];
    for (;;) {
        const ssize_t got = read(STDIN_FILENO, block, sizeof block);
        if (got <= 0) return 1;
        seen.append(block, static_cast<size_t>(got));
        if (seen.find(text) != std::string::npos) break;
        if (seen.size() >= text.size()) seen.erase(0, seen.size() - text.size() + 1);
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::FILE* out = std::fopen(argv[2], "w");
    if (!out) return 1;
    std::fprintf(out, "%lld.%09ld\n", static_cast<long long>(now.tv_sec), now.tv_nsec);
    std::fclose(out);
    return 0;
}
