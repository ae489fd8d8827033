#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "search/ombrev.h"
#include "shell/drive_c.h"

// In text mode CR LF and a lone LF are each one line end, so the line ends
// are the line feeds.
int CountFile(const std::string& name) {
    const int fd = open(drive_c_path(name).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    std::vector<char> block(64 * 1024);
    long count = 0;
    for (;;) {
        const ssize_t got = read(fd, block.data(), block.size());
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        count += std::count(block.data(), block.data() + got, '\n');
    }
    close(fd);
    return static_cast<int>(count);
}
