#include "archives/archive_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

// The temporary file's path while it exists, for the signal handler: a
// fixed buffer, so that removing it needs no allocation. A longer path than
// this could not be opened anyway.
char pending_path[4096];
volatile std::sig_atomic_t pending = 0;

// Holds off the signals that end the program while the temporary file and
// its record in pending_path change together.
class SignalsHeld {
public:
    SignalsHeld() {
        sigset_t ends;
        sigemptyset(&ends);
        for (int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&ends, signal_number);
        sigprocmask(SIG_BLOCK, &ends, &before_);
    }
    ~SignalsHeld() { sigprocmask(SIG_SETMASK, &before_, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t before_;
};

constexpr int NAME_ATTEMPTS = 100;

} // namespace

ArchiveWriter::ArchiveWriter(const std::string& folder, const std::string& file_name)
    : path_(folder + "/" + file_name) {
    if (folder.empty() || file_name.empty()) return;
    const std::string stem = folder + "/." + file_name + "." + std::to_string(getpid()) + ".";
    for (int attempt = 0; attempt < NAME_ATTEMPTS && fd_ < 0; ++attempt) {
        const std::string candidate = stem + std::to_string(attempt) + ".tmp";
        if (candidate.size() >= sizeof pending_path) return;
        const SignalsHeld held;
        fd_ = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            if (errno != EEXIST) return;
            continue;
        }
        temporary_ = candidate;
        std::memcpy(pending_path, candidate.c_str(), candidate.size() + 1);
        pending = 1;
    }
}

ArchiveWriter::~ArchiveWriter() { discard(); }

bool ArchiveWriter::write(const char* data, size_t size) {
    while (size > 0) {
        const ssize_t put = ::write(fd_, data, size);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        data += put;
        size -= static_cast<size_t>(put);
    }
    return true;
}

bool ArchiveWriter::commit() {
    const bool written = fsync(fd_) == 0;
    const bool closed = close(fd_) == 0;
    fd_ = -1;
    if (!written || !closed) {
        discard();
        return false;
    }
    const SignalsHeld held;
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
        discard();
        return false;
    }
    temporary_.clear();
    pending = 0;
    return true;
}

void ArchiveWriter::discard() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (temporary_.empty()) return;
    const SignalsHeld held;
    unlink(temporary_.c_str());
    temporary_.clear();
    pending = 0;
}

void pending_archive_remove() {
    if (pending) unlink(pending_path);
    pending = 0;
}
