#include "shell/drive_c.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::string folder;
// A fixed copy of the folder's path, so the removal needs no allocation.
char folder_path[4096];

} // namespace

bool drive_c_create() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/ombrev-c-XXXXXX";
    if (pattern.size() >= sizeof folder_path - 64) pattern = "/tmp/ombrev-c-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) return false;   // mkdtemp makes it 0700
    folder = buffer.data();
    std::strcpy(folder_path, folder.c_str());
    return true;
}

void drive_c_remove() {
    if (folder_path[0] == '\0') return;
    // Only the program's own fixed names are ever written here.
    static const char* const names[] = {"dir.txt", "temp.txt", "temp.obv"};
    char path[sizeof folder_path + 16];
    for (const char* name : names) {
        std::strcpy(path, folder_path);
        std::strcat(path, "/");
        std::strcat(path, name);
        unlink(path);
    }
    rmdir(folder_path);
    folder_path[0] = '\0';
}

const std::string& drive_c_folder() { return folder; }

std::string drive_c_path(const std::string& name) {
    if (name.size() > 3 && (name[0] == 'c' || name[0] == 'C') && name[1] == ':' &&
        (name[2] == '/' || name[2] == '\\')) {
        return folder + "/" + name.substr(3);
    }
    return name;
}
