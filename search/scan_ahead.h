// The archives of a search scanned by two threads: the search's own, which
// takes the scans in the listing's order, and a helper that opens and scans
// the next archives ahead while the screen shows the current one. What the
// user sees is as with one thread: the results come in the listing's order,
// the archives are opened in that order, one after the other, and after one
// that cannot be opened nothing more is opened until the search has reported
// it and its key has been read (go_on).
#pragma once
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "search/archive_scan.h"

class ScanAhead {
public:
    // Starts on the archives, in this order, for the word.
    ScanAhead(std::vector<std::string> archives, const std::string& word);
    // Waits for the helper's current scan to end and stops it.
    ~ScanAhead();
    ScanAhead(const ScanAhead&) = delete;
    ScanAhead& operator=(const ScanAhead&) = delete;

    // The scan of the next archive of the list. While it is not ready, the
    // search's thread scans archives further on itself; the console refreshes
    // itself only during the scan of the archive that the screen shows.
    ArchiveScan next();
    // After an archive that could not be opened has been reported.
    void go_on();

private:
    bool work(std::unique_lock<std::mutex>& lock, bool own);
    void run();

    std::vector<std::string> archives_;
    SearchWord word_;
    ArchiveScanner own_scanner_;
    ArchiveScanner helper_scanner_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::optional<ArchiveScan>> done_;   // scans not yet taken
    size_t next_open_ = 0;    // the next archive to open
    size_t next_taken_ = 0;   // the next archive whose scan the search takes
    bool held_ = false;       // an archive could not be opened, and is not yet reported
    bool stop_ = false;
    std::thread helper_;
};
