#include "search/scan_ahead.h"

#include <csignal>
#include <system_error>
#include <utility>

namespace {

// Archives scanned ahead of the one the search takes, at most.
constexpr size_t AHEAD = 64;

} // namespace

ScanAhead::ScanAhead(std::vector<std::string> archives, const std::string& word)
    : archives_(std::move(archives)), word_(word), done_(archives_.size()) {
    // The helper takes no signals (it starts with all of them blocked), so
    // Ctrl+C and the like are handled on the search's thread as before.
    sigset_t all;
    sigset_t before;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &before);
    try {
        helper_ = std::thread(&ScanAhead::run, this);
    } catch (const std::system_error&) {
        // No thread to be had: the search's own thread scans every archive.
    }
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
}

ScanAhead::~ScanAhead() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    if (helper_.joinable()) helper_.join();
}

// Opens the next archive, under the lock so that archives are opened in
// order, and scans it without the lock, on the search's own thread or the
// helper's. False when there is nothing that may be opened now.
bool ScanAhead::work(std::unique_lock<std::mutex>& lock, bool own) {
    if (stop_ || held_ || next_open_ >= archives_.size() || next_open_ >= next_taken_ + AHEAD) return false;
    const size_t index = next_open_++;
    ArchiveFile file(archives_[index]);
    if (!file.is_open()) {
        held_ = true;
        done_[index] = ArchiveScan{};
    } else {
        const bool live = own && index == next_taken_;
        lock.unlock();
        ArchiveScan scan = (own ? own_scanner_ : helper_scanner_).scan(file, word_, live);
        lock.lock();
        done_[index] = std::move(scan);
    }
    changed_.notify_all();
    return true;
}

ArchiveScan ScanAhead::next() {
    std::unique_lock lock(mutex_);
    const size_t index = next_taken_;
    while (!done_[index]) {
        if (!work(lock, true)) changed_.wait(lock);
    }
    ArchiveScan scan = std::move(*done_[index]);
    done_[index].reset();
    ++next_taken_;
    changed_.notify_all();
    return scan;
}

void ScanAhead::go_on() {
    {
        std::lock_guard lock(mutex_);
        held_ = false;
    }
    changed_.notify_all();
}

void ScanAhead::run() {
    std::unique_lock lock(mutex_);
    while (!stop_ && next_open_ < archives_.size()) {
        if (!work(lock, false)) changed_.wait(lock);
    }
}
