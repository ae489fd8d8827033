#include "archives/archive_format.h"

#include <vector>

#include "archives/archive_writer.h"
#include "shell/textfile.h"

namespace {

constexpr size_t COPY_BLOCK = 1 << 20;

// The rest of the capture, block by block.
bool copy_rest(TextReader& capture, ArchiveWriter& archive) {
    std::vector<char> block(COPY_BLOCK);
    for (;;) {
        const long got = capture.read_bytes(block.data(), block.size());
        if (got == 0) return true;
        if (got < 0 || !archive.write(block.data(), static_cast<size_t>(got))) return false;
    }
}

bool skip_line(TextReader& capture) {
    std::string line;
    bool ended = false;
    return capture.next_line(line, ended) && ended;
}

} // namespace

ArchiveResult archive_from_capture(const std::string& capture_path, const std::string& folder,
                                   const std::string& file_name) {
    TextReader capture(capture_path);
    if (!capture.is_open()) return ArchiveResult::no_capture;
    ArchiveWriter archive(folder, file_name);
    if (!archive.is_open()) return ArchiveResult::no_archive;
    if (!skip_line(capture)) return ArchiveResult::no_first_line;
    if (!skip_line(capture)) return ArchiveResult::no_second_line;
    if (!copy_rest(capture, archive) || !archive.commit()) return ArchiveResult::no_archive;
    return ArchiveResult::saved;
}
