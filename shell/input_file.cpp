#include "shell/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

InputFile::InputFile(const std::string& path, Kind kind)
    // Without O_NONBLOCK, opening a pipe would wait for a writer before the
    // check below could turn it away.
    : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC | (kind == Kind::regular_only ? O_NONBLOCK : 0))) {
    struct stat info;
    if (kind == Kind::regular_only && fd_ >= 0 && (fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode))) {
        close(fd_);
        fd_ = -1;
    }
}

InputFile::~InputFile() {
    if (fd_ >= 0) close(fd_);
}

long InputFile::read_some(char* out, size_t size) {
    if (fd_ < 0) return -1;
    ssize_t got;
    do {
        got = read(fd_, out, size);
    } while (got < 0 && errno == EINTR);
    return static_cast<long>(got);
}
