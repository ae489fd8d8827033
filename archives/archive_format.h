// An archive is the capture of "tree /f /a" without its two heading lines:
// everything after the end of the capture's second line, byte for byte.
#pragma once
#include <string>

enum class ArchiveResult {
    saved,
    no_capture,       // the capture cannot be opened
    no_archive,       // the archive cannot be created or written
    no_first_line,    // the capture ends before the end of its first line
    no_second_line,   // ... or of its second
};

// Saves the capture as the archive `file_name` (a UTF-8 name, empty for
// none) in `folder`. The heading is checked before anything is written; on
// any failure an earlier archive of that name is left as it was.
ArchiveResult archive_from_capture(const std::string& capture, const std::string& folder,
                                   const std::string& file_name);
