// An archive file as the scan reads it.
#pragma once
#include <cstddef>
#include <string>

// An archive file (a code page 850 name relative to the current folder),
// open for reading; closed when it goes out of scope. Anything but a regular
// file counts as not opened.
class ArchiveFile {
public:
    explicit ArchiveFile(const std::string& name);
    ~ArchiveFile();
    ArchiveFile(const ArchiveFile&) = delete;
    ArchiveFile& operator=(const ArchiveFile&) = delete;

    bool is_open() const { return fd_ >= 0; }
    // Reads up to size bytes; 0 at the end of the file or on a read error.
    size_t read_into(char* buffer, size_t size);

private:
    int fd_;
};
