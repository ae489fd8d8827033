// Writing an archive safely: the content goes to a hidden temporary file in
// the catalogue folder, which takes the archive's name only when it is
// complete and on disk. A failed or interrupted creation therefore never
// leaves a half-written archive, nor damages an earlier one of that name.
#pragma once
#include <cstddef>
#include <string>

class ArchiveWriter {
public:
    // Creates the temporary file for the archive `file_name` (a UTF-8 name)
    // in `folder`. An empty name, an unknown (empty) folder, or a folder that
    // cannot be written leaves the writer closed.
    ArchiveWriter(const std::string& folder, const std::string& file_name);
    // Removes the temporary file unless commit() succeeded.
    ~ArchiveWriter();
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    bool is_open() const { return fd_ >= 0; }
    bool write(const char* data, size_t size);
    // Syncs the temporary file and renames it over the archive. False when
    // anything failed; the temporary file is then gone and the archive, if
    // there was one, untouched.
    bool commit();

private:
    void discard();

    std::string path_;
    std::string temporary_;
    int fd_ = -1;
};

// Removes the temporary file of an archive being written, if there is one.
// Async-signal-safe: the program's signal handler calls it.
void pending_archive_remove();
