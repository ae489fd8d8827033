#include "shell/textfile.h"

#include <algorithm>
#include <cstring>
#include <fstream>

namespace {

constexpr size_t BLOCK = 64 * 1024;

} // namespace

TextReader::TextReader(const std::string& path) : file_(path), buffer_(BLOCK) {}

bool TextReader::fill() {
    const long got = file_.read_some(buffer_.data(), buffer_.size());
    // A read error ends the file as its end does.
    if (got <= 0) return false;
    pos_ = 0;
    len_ = static_cast<size_t>(got);
    return true;
}

bool TextReader::next_line(std::string& line, bool& ended) {
    line.clear();
    bool any = false;
    for (;;) {
        if (pos_ == len_ && !fill()) {
            ended = false;
            return any;
        }
        any = true;
        const char* start = buffer_.data() + pos_;
        const auto* lf = static_cast<const char*>(std::memchr(start, '\n', len_ - pos_));
        if (!lf) {
            line.append(start, len_ - pos_);
            pos_ = len_;
            continue;
        }
        line.append(start, static_cast<size_t>(lf - start));
        pos_ += static_cast<size_t>(lf - start) + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ended = true;
        return true;
    }
}

long TextReader::read_bytes(char* out, size_t size) {
    if (pos_ < len_) {
        const size_t n = std::min(size, len_ - pos_);
        std::memcpy(out, buffer_.data() + pos_, n);
        pos_ += n;
        return static_cast<long>(n);
    }
    return file_.read_some(out, size);
}

bool read_whole_file(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

bool write_text_lines(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    for (const std::string& line : lines) out << line << "\r\n";
    out.flush();
    return static_cast<bool>(out);
}
