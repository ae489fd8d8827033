#include "search/archive_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "screen/cp850.h"

ArchiveFile::ArchiveFile(const std::string& name)
    : fd_(open(cp850_to_utf8(name).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
    struct stat info;
    if (fd_ >= 0 && (fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode))) {
        close(fd_);
        fd_ = -1;
    }
}

ArchiveFile::~ArchiveFile() {
    if (fd_ >= 0) close(fd_);
}

size_t ArchiveFile::read_into(char* buffer, size_t size) {
    ssize_t got;
    do {
        got = read(fd_, buffer, size);
    } while (got < 0 && errno == EINTR);
    return got > 0 ? static_cast<size_t>(got) : 0;
}
