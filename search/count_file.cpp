#include <algorithm>
#include <vector>

#include "search/ombrev.h"
#include "shell/drive_c.h"
#include "shell/input_file.h"

// In text mode CR LF and a lone LF are each one line end, so the line ends
// are the line feeds.
int CountFile(const std::string& name) {
    InputFile file(drive_c_path(name));
    std::vector<char> block(64 * 1024);
    long count = 0;
    for (long got; (got = file.read_some(block.data(), block.size())) > 0;) {
        count += std::count(block.data(), block.data() + got, '\n');
    }
    return static_cast<int>(count);
}
