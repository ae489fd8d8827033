// An archive file as the scan reads it.
#pragma once
#include <string>

#include "screen/cp850.h"
#include "shell/input_file.h"

// An archive (a code page 850 name relative to the current folder), open for
// reading. Anything but a regular file counts as not opened.
class ArchiveFile : public InputFile {
public:
    explicit ArchiveFile(const std::string& name) : InputFile(cp850_to_utf8(name), Kind::regular_only) {}
};
