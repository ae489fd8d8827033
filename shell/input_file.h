// A file open for reading, closed when it goes out of scope: the one place
// where the program's readers open a file and read blocks from it.
#pragma once
#include <cstddef>
#include <string>

class InputFile {
public:
    enum class Kind { any, regular_only };

    // Opens the path for reading. With regular_only, anything but a regular
    // file (a folder, a device, a pipe) counts as not opened.
    explicit InputFile(const std::string& path, Kind kind = Kind::any);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool is_open() const { return fd_ >= 0; }
    // Reads up to size bytes into out: how many, 0 at the end of the file,
    // -1 on a read error (or when the file is not open).
    long read_some(char* out, size_t size);

private:
    int fd_;
};
