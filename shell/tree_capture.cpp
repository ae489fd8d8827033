#include "shell/tree_capture.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "screen/cp850.h"
#include "shell/dir_listing.h"

namespace {

constexpr size_t OUTPUT_BLOCK = 1 << 20;
constexpr size_t DIRECTORY_BLOCK = 64 * 1024;
const char* const LABELS = "/dev/disk/by-label";

// The listing's lines, gathered into large blocks before they are written.
class TreeOutput {
public:
    explicit TreeOutput(std::ostream& out) : out_(out) { block_.reserve(OUTPUT_BLOCK + 4096); }
    ~TreeOutput() { flush(); }
    TreeOutput(const TreeOutput&) = delete;
    TreeOutput& operator=(const TreeOutput&) = delete;

    void line(const std::string& prefix, const char* unit, const std::string& name) {
        block_ += prefix;
        block_ += unit;
        block_ += name;
        block_ += "\r\n";
        if (block_.size() >= OUTPUT_BLOCK) flush();
    }
    void line(const std::string& text) { line(text, "", ""); }

private:
    void flush() {
        out_.write(block_.data(), static_cast<std::streamsize>(block_.size()));
        block_.clear();
    }

    std::ostream& out_;
    std::string block_;
};

struct Folder {
    std::string shown;   // code page 850
    std::string name;    // as on disk
    bool enter;          // false for a link to a folder
};

struct Listing {
    std::vector<std::string> files;   // code page 850
    std::vector<Folder> folders;
};

// A name as the listing shows it: code page 850, and no byte that would
// break the line it stands on.
std::string shown_name(const char* name) {
    std::string shown = utf8_to_cp850(name);
    std::replace_if(shown.begin(), shown.end(), [](char c) { return c == '\r' || c == '\n'; }, '?');
    return shown;
}

bool is_folder_link(int folder_fd, const char* name) {
    struct stat target;
    return fstatat(folder_fd, name, &target, 0) == 0 && S_ISDIR(target.st_mode);
}

// Sorts one entry into the folder's files or subfolders.
void add_entry(Listing& listing, int folder_fd, const char* name, unsigned char type) {
    if (type == DT_UNKNOWN) {
        struct stat info;
        if (fstatat(folder_fd, name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
            type = DT_REG;
        } else if (S_ISDIR(info.st_mode)) {
            type = DT_DIR;
        } else if (S_ISLNK(info.st_mode)) {
            type = DT_LNK;
        }
    }
    if (type == DT_DIR) {
        listing.folders.push_back(Folder{shown_name(name), name, true});
    } else if (type == DT_LNK && is_folder_link(folder_fd, name)) {
        listing.folders.push_back(Folder{shown_name(name), name, false});
    } else {
        listing.files.push_back(shown_name(name));
    }
}

// The folder's visible entries, each group in the listing's order.
Listing read_listing(int folder_fd, std::vector<char>& buffer) {
    Listing listing;
    for (;;) {
        const ssize_t got = getdents64(folder_fd, buffer.data(), buffer.size());
        if (got <= 0) break;   // the end, or a folder that cannot be read further
        for (ssize_t at = 0; at < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer.data() + at);
            at += entry->d_reclen;
            if (entry->d_name[0] == '.') continue;   // hidden, and the folder and its parent
            add_entry(listing, folder_fd, entry->d_name, entry->d_type);
        }
    }
    std::sort(listing.files.begin(), listing.files.end(), name_less);
    std::sort(listing.folders.begin(), listing.folders.end(),
              [](const Folder& a, const Folder& b) { return name_less(a.shown, b.shown); });
    return listing;
}

struct Walk {
    TreeOutput& output;
    dev_t device;                  // the chosen folder's file system
    std::vector<char> buffer;      // shared by every folder's reading
};

// A subfolder to list under its line, or -1 when nothing is listed under
// it: it cannot be read, or it lies on another file system.
int open_subfolder(const Walk& walk, int parent_fd, const Folder& folder) {
    if (!folder.enter) return -1;
    struct stat info;
    if (fstatat(parent_fd, folder.name.c_str(), &info, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT) != 0 ||
        info.st_dev != walk.device) {
        return -1;
    }
    return openat(parent_fd, folder.name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Lists the folder's files, then each subfolder followed by its own
// listing. Returns whether the folder had subfolders.
bool list_folder(Walk& walk, int folder_fd, std::string& prefix) {
    const Listing listing = read_listing(folder_fd, walk.buffer);
    const char* unit = listing.folders.empty() ? "    " : "|   ";
    for (const std::string& file : listing.files) walk.output.line(prefix, unit, file);
    if (!listing.files.empty()) walk.output.line(prefix, unit, "");
    for (size_t i = 0; i < listing.folders.size(); ++i) {
        const Folder& folder = listing.folders[i];
        const bool last = i + 1 == listing.folders.size();
        walk.output.line(prefix, last ? "\\---" : "+---", folder.shown);
        const int child_fd = open_subfolder(walk, folder_fd, folder);
        if (child_fd < 0) continue;
        prefix += last ? "    " : "|   ";
        list_folder(walk, child_fd, prefix);
        prefix.resize(prefix.size() - 4);
        close(child_fd);
    }
    return !listing.folders.empty();
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// udev writes the unsafe bytes of a label (blanks, slashes) as \xNN.
std::string unescape_label(const std::string& text) {
    std::string label;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i + 3 < text.size() && text[i] == '\\' && text[i + 1] == 'x' && hex_digit(text[i + 2]) >= 0 &&
            hex_digit(text[i + 3]) >= 0) {
            label += static_cast<char>(hex_digit(text[i + 2]) * 16 + hex_digit(text[i + 3]));
            i += 3;
        } else {
            label += text[i];
        }
    }
    return label;
}

// The label of the file system on the device, empty when it has none.
std::string volume_label(dev_t device) {
    std::unique_ptr<DIR, int (*)(DIR*)> labels(opendir(LABELS), closedir);
    if (!labels) return {};
    while (const dirent* entry = readdir(labels.get())) {
        if (entry->d_name[0] == '.') continue;
        struct stat info;
        const std::string link = std::string(LABELS) + "/" + entry->d_name;
        if (stat(link.c_str(), &info) == 0 && S_ISBLK(info.st_mode) && info.st_rdev == device) {
            return utf8_to_cp850(unescape_label(entry->d_name));
        }
    }
    return {};
}

// The file system's id as the volume's serial number, "XXXX-XXXX".
std::string volume_serial(int folder_fd) {
    struct statvfs info;
    const unsigned long id = fstatvfs(folder_fd, &info) == 0 ? info.f_fsid : 0;
    char serial[16];
    std::snprintf(serial, sizeof serial, "%04lX-%04lX", (id >> 16) & 0xFFFF, id & 0xFFFF);
    return serial;
}

void write_heading(TreeOutput& output, int root_fd, dev_t device) {
    const std::string label = volume_label(device);
    output.line(label.empty() ? "Elenco del percorso delle cartelle"
                              : "Elenco del percorso delle cartelle per il volume " + label);
    output.line("Numero di serie del volume: " + volume_serial(root_fd));
}

// Each level of the walk keeps its folder open while its subfolders are
// listed: let a deep tree have as many open folders as the system allows.
void allow_deep_walks() {
    struct rlimit limit;
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur >= limit.rlim_max) return;
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);
}

} // namespace

void tree_capture(std::ostream& out) {
    allow_deep_walks();
    TreeOutput output(out);
    const int root_fd = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat root;
    if (root_fd < 0 || fstat(root_fd, &root) != 0) root.st_dev = 0;
    write_heading(output, root_fd, root.st_dev);
    output.line(".");
    Walk walk{output, root.st_dev, std::vector<char>(DIRECTORY_BLOCK)};
    std::string prefix;
    if (root_fd < 0 || !list_folder(walk, root_fd, prefix)) {
        output.line("Nessuna sottocartella esistente ");
        output.line("");
    }
    if (root_fd >= 0) close(root_fd);
}
