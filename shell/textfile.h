// Text files as the program reads and writes them: on disk every line ends
// with CR LF; a reader takes CR LF or a lone LF as one line end, a lone CR is
// an ordinary byte, and only the true end of the file stops it (the bytes 26
// and 255 are ordinary).
#pragma once
#include <string>
#include <vector>

#include "shell/input_file.h"

class TextReader {
public:
    explicit TextReader(const std::string& path);

    bool is_open() const { return file_.is_open(); }
    // The next line without its line end. False at the end of the file. A
    // last line that has no line end is still given, with `ended` false.
    bool next_line(std::string& line, bool& ended);
    // The bytes after the lines read so far, as they are: up to size of them
    // into out. 0 at the end of the file, -1 on a read error.
    long read_bytes(char* out, size_t size);

private:
    bool fill();

    InputFile file_;
    std::vector<char> buffer_;
    size_t pos_ = 0;
    size_t len_ = 0;
};

// A whole file's content; false when it cannot be read.
bool read_whole_file(const std::string& path, std::string& content);
// Writes the lines, each followed by CR LF, replacing the file.
bool write_text_lines(const std::string& path, const std::vector<std::string>& lines);
