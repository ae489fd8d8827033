// Makes the benchmark's data, deterministically (the same arguments give the
// same bytes on every machine):
//
//   make_catalogue [--size BYTES] [--archives N] [--seed S] FOLDER
//       a synthetic catalogue: N archives (default 2,000) of uneven size,
//       together about BYTES (default 1G; K, M and G are understood), shaped
//       like "tree /f /a" listings in code page 850 with CR LF line ends.
//   make_catalogue --tree ENTRIES FOLDER
//       a folder tree of exactly ENTRIES files and folders on disk.
//
// Either is made once: a stamp file in FOLDER records the arguments, and a
// later call with the same arguments reuses what is there.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "screen/cp850.h"

namespace {

namespace fs = std::filesystem;

// The words that the benchmark searches for, and how often the names hold
// them: the rare one in about 1 name part in 40,000 (0.005 % of all lines),
// the common one in 1 part in 200 (1 % of all lines, spacer lines
// included). Neither occurs in any other name part.
constexpr std::string_view RARE_WORD = "zibaldone";
constexpr std::string_view COMMON_WORD = "vacanze";
constexpr uint64_t RARE_ONE_IN = 40000;
constexpr uint64_t COMMON_ONE_IN = 200;
constexpr int MAX_DEPTH = 15;
constexpr const char* STAMP = "catalogue.stamp";

// splitmix64: small, fast and the same everywhere.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    uint64_t below(uint64_t n) { return next() % n; }
    bool one_in(uint64_t n) { return below(n) == 0; }

private:
    uint64_t state_;
};

// Name parts in code page 850: Italian and English words as they stand in
// file and folder names, accented letters included.
const std::vector<std::string_view> PARTS = {
    "foto", "musica", "documenti", "lavoro", "progetto", "relazione", "fattura", "backup", "immagini",
    "video", "film", "serie", "stagione", "episodio", "concerto", "album", "canzone", "brano", "lettera",
    "contratto", "bilancio", "report", "scansione", "ricevuta", "mappa", "viaggio", "Roma", "Milano",
    "Napoli", "Firenze", "Venezia", "Torino", "Bologna", "Genova", "citt\x85", "perch\x82", "caff\x8A",
    "cos\x8D", "gi\x85", "pi\x97", "per\x95", "Per\x97", "universit\x85", "attivit\x85", "novit\x85",
    "CITT\xB7", "\x90poca", "acqua", "quadro", "quaderno", "squadra", "equilibrio", "Quartetto", "estate",
    "inverno", "primavera", "autunno", "natale", "pasqua", "compleanno", "matrimonio", "laurea", "scuola",
    "esame", "tesi", "appunti", "lezione", "corso", "manuale", "guida", "setup", "driver", "install",
    "update", "patch", "readme", "license", "config", "settings", "old", "new", "copy", "final",
    "definitivo", "bozza", "draft", "notes", "slides", "presentazione", "budget", "preventivo", "ordine",
    "cliente", "fornitore", "magazzino", "inventario", "archivio", "misc", "varie", "temp", "download",
    "desktop", "music", "pictures", "photos", "movies", "games", "software", "windows", "program files",
    "system", "data", "source", "include", "lib", "bin", "test", "demo", "sample", "example", "famiglia",
    "amici", "mare", "montagna", "lago", "Sardegna", "Sicilia", "Toscana", "Puglia", "spiaggia",
    "tramonto", "panorama", "ritratto", "gatto", "cane", "giardino", "casa", "cucina", "ricetta", "torta",
    "pizza", "Beethoven", "Mozart", "Vivaldi", "Verdi", "Puccini", "Rossini", "opera", "sinfonia",
    "sonata", "live", "remix", "demo tape", "intervista", "radio", "podcast", "audiolibro", "capitolo",
};
const std::vector<std::string_view> EXTENSIONS = {
    ".jpg", ".JPG", ".png", ".mp3", ".flac", ".doc", ".docx", ".xls", ".xlsx", ".pdf", ".txt", ".avi",
    ".mkv", ".mp4", ".zip", ".rar", ".exe", ".dll", ".ini", ".log", ".wav", ".ppt", ".odt", ".htm",
};
// Mostly blanks; a '-' in about one separator of twelve.
const std::vector<std::string_view> SEPARATORS = {
    " ", " ", " ", " ", " ", " ", " ", " ", " ", "_", "_", "_", "_", "_", "", "", "", "", ".", ".", ".", ".", "-", " - ",
};

void add_cased(std::string& name, std::string_view part, Rng& rng) {
    const size_t from = name.size();
    name += part;
    switch (rng.below(6)) {
    case 0:   // UPPER CASE
        for (size_t i = from; i < name.size(); ++i) {
            if (name[i] >= 'a' && name[i] <= 'z') name[i] = static_cast<char>(name[i] - 32);
        }
        break;
    case 1:
    case 2:   // Capitalised
        if (name[from] >= 'a' && name[from] <= 'z') name[from] = static_cast<char>(name[from] - 32);
        break;
    default:
        break;
    }
}

void add_part(std::string& name, Rng& rng) {
    if (rng.one_in(RARE_ONE_IN)) {
        add_cased(name, RARE_WORD, rng);
    } else if (rng.one_in(COMMON_ONE_IN)) {
        add_cased(name, COMMON_WORD, rng);
    } else {
        add_cased(name, PARTS[rng.below(PARTS.size())], rng);
    }
}

void add_number(std::string& name, Rng& rng) {
    char digits[32];
    switch (rng.below(4)) {
    case 0: std::snprintf(digits, sizeof digits, "%u", static_cast<unsigned>(1980 + rng.below(45))); break;
    case 1: std::snprintf(digits, sizeof digits, "(%u)", static_cast<unsigned>(1 + rng.below(9))); break;
    case 2: std::snprintf(digits, sizeof digits, "%02u", static_cast<unsigned>(rng.below(100))); break;
    default: std::snprintf(digits, sizeof digits, "%04u", static_cast<unsigned>(rng.below(10000))); break;
    }
    name += digits;
}

// One to four name parts joined by blanks, '-', '_' or nothing, now and then
// a number; rarely a leading '-' or blank, a no-break space (0xFF) or a name
// longer than 200 characters.
std::string make_name(Rng& rng, bool with_extension) {
    std::string name;
    if (rng.one_in(500)) name += rng.one_in(2) ? "-" : " ";
    if (rng.one_in(12)) {
        name += rng.one_in(2) ? "IMG_" : "DSC";
        add_number(name, rng);
    } else {
        const uint64_t parts = 1 + rng.below(with_extension ? 4 : 3);
        for (uint64_t i = 0; i < parts; ++i) {
            if (i > 0) name += rng.one_in(3000) ? std::string_view("\xFF") : SEPARATORS[rng.below(SEPARATORS.size())];
            add_part(name, rng);
        }
        if (rng.one_in(4)) {
            name += ' ';
            add_number(name, rng);
        }
    }
    if (rng.one_in(2000)) {
        while (name.size() < 210) {
            name += ' ';
            add_part(name, rng);
        }
    }
    if (with_extension) name += EXTENSIONS[rng.below(EXTENSIONS.size())];
    return name;
}

// Where a walk over a made-up tree goes: an archive's text, or real folders.
class TreeSink {
public:
    virtual ~TreeSink() = default;
    virtual bool full() const = 0;
    virtual void open_folder(bool has_subfolders) = 0;
    virtual void file(const std::string& name) = 0;
    virtual void files_done() = 0;
    virtual void enter(const std::string& name, bool last) = 0;
    virtual void leave() = 0;
};

uint64_t subfolder_count(Rng& rng, int depth) {
    if (depth >= MAX_DEPTH) return 0;
    if (depth <= 2) return rng.below(9);
    const uint64_t r = rng.below(100);
    return r < 55 ? 0 : r < 80 ? 1 : r < 92 ? 2 : 3;
}

uint64_t file_count(Rng& rng) { return rng.below(8) + (rng.one_in(4) ? rng.below(40) : 0); }

void walk_folder(TreeSink& sink, Rng& rng, int depth);

void walk_subfolder(TreeSink& sink, Rng& rng, int depth, bool last) {
    sink.enter(make_name(rng, false), last);
    walk_folder(sink, rng, depth + 1);
    sink.leave();
}

// A folder's files, then its subfolders, each walked in turn.
void walk_folder(TreeSink& sink, Rng& rng, int depth) {
    const uint64_t folders = subfolder_count(rng, depth);
    const uint64_t files = file_count(rng);
    sink.open_folder(folders > 0);
    for (uint64_t i = 0; i < files && !sink.full(); ++i) sink.file(make_name(rng, true));
    if (files > 0 && !sink.full()) sink.files_done();
    for (uint64_t i = 0; i < folders && !sink.full(); ++i) walk_subfolder(sink, rng, depth, i + 1 == folders);
}

// The root holds subfolders until the sink is nearly full; the last one is
// drawn as the last.
void walk_root(TreeSink& sink, Rng& rng, const std::function<bool()>& nearly_full) {
    sink.open_folder(true);
    while (!sink.full()) {
        const bool last = nearly_full();
        walk_subfolder(sink, rng, 0, last);
        if (last) break;
    }
}

// An archive's text as "tree /f /a" draws it, written out in blocks.
class ListingSink : public TreeSink {
public:
    ListingSink(std::FILE* out, uint64_t budget) : out_(out), budget_(budget) {}
    ~ListingSink() override { flush(); }

    bool full() const override { return written_ >= budget_; }
    uint64_t written() const { return written_; }
    uint64_t lines() const { return lines_; }

    void root(char drive) {
        const char text[] = {drive, ':', '.', '\0'};
        line("", text);
    }
    void open_folder(bool has_subfolders) override { file_prefix_ = indent_ + (has_subfolders ? "|   " : "    "); }
    void file(const std::string& name) override { line(file_prefix_, name); }
    void files_done() override { line(file_prefix_, ""); }
    void enter(const std::string& name, bool last) override {
        line(indent_, std::string(last ? "\\---" : "+---") + name);
        indents_.push_back(indent_);
        indent_ += last ? "    " : "|   ";
    }
    void leave() override {
        indent_ = indents_.back();
        indents_.pop_back();
    }

private:
    void line(const std::string& prefix, const std::string& name) {
        block_ += prefix;
        block_ += name;
        block_ += "\r\n";
        written_ += prefix.size() + name.size() + 2;
        ++lines_;
        if (block_.size() >= (1 << 20)) flush();
    }
    void flush() {
        std::fwrite(block_.data(), 1, block_.size(), out_);
        block_.clear();
    }

    std::FILE* out_;
    uint64_t budget_;
    uint64_t written_ = 0;
    uint64_t lines_ = 0;
    std::string block_;
    std::string indent_;
    std::string file_prefix_;
    std::vector<std::string> indents_;
};

// Real folders and empty files, names in UTF-8, exactly `entries` of them.
class DiskSink : public TreeSink {
public:
    DiskSink(const fs::path& root, uint64_t entries) : entries_(entries) { folders_.push_back({root, {}}); }

    bool full() const override { return made_ >= entries_; }
    void open_folder(bool) override {}
    void file(const std::string& name) override {
        const fs::path path = unique_path(name);
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) close(fd);
        ++made_;
    }
    void files_done() override {}
    void enter(const std::string& name, bool) override {
        const fs::path path = unique_path(name);
        fs::create_directory(path);
        ++made_;
        folders_.push_back({path, {}});
    }
    void leave() override { folders_.pop_back(); }

private:
    struct Folder {
        fs::path path;
        std::set<std::string> names;
    };
    // Two made-up names may coincide; the second gets a number.
    fs::path unique_path(const std::string& cp850_name) {
        Folder& folder = folders_.back();
        std::string name = cp850_to_utf8(cp850_name);
        for (int n = 2; !folder.names.insert(name).second; ++n) name = cp850_to_utf8(cp850_name) + " (" + std::to_string(n) + ")";
        return folder.path / name;
    }

    uint64_t entries_;
    uint64_t made_ = 0;
    std::vector<Folder> folders_;
};

bool parse_size(const char* text, uint64_t& value) {
    char* end = nullptr;
    const unsigned long long number = std::strtoull(text, &end, 10);
    if (end == text) return false;
    uint64_t scale = 1;
    switch (*end) {
    case 'K': case 'k': scale = 1ULL << 10; ++end; break;
    case 'M': case 'm': scale = 1ULL << 20; ++end; break;
    case 'G': case 'g': scale = 1ULL << 30; ++end; break;
    default: break;
    }
    value = number * scale;
    return *end == '\0' && number > 0;
}

// Relative archive sizes: a log-normal-like spread from tiny to large
// (integers only, so every machine computes the same), and three archives
// of 6 % of the catalogue each.
std::vector<uint64_t> archive_sizes(uint64_t total, uint64_t archives, Rng& rng) {
    std::vector<uint64_t> weights(archives);
    uint64_t sum = 0;
    for (uint64_t& weight : weights) {
        const uint64_t exponent = rng.below(5) + rng.below(5) + rng.below(5);   // 0 to 12, mostly 6
        weight = (1ULL << exponent) * (64 + rng.below(64));
        sum += weight;
    }
    const bool with_large = archives >= 10;
    const uint64_t large = with_large ? total * 6 / 100 : 0;
    const uint64_t rest = total - 3 * large;
    std::vector<uint64_t> sizes(archives);
    for (uint64_t i = 0; i < archives; ++i) {
        sizes[i] = static_cast<uint64_t>(static_cast<unsigned __int128>(rest) * weights[i] / sum);
    }
    if (with_large) {
        for (uint64_t i : {archives / 4, archives / 2, archives - 1}) sizes[i] = large;
    }
    return sizes;
}

std::string stamp_text(const std::vector<std::string>& args) {
    std::string text = "make_catalogue v1";
    for (const std::string& arg : args) text += " " + arg;
    return text + "\n";
}

bool stamp_matches(const fs::path& folder, const std::string& expected) {
    std::ifstream in(folder / STAMP, std::ios::binary);
    std::string first;
    return in && std::getline(in, first) && first + "\n" == expected;
}

// Refuses a folder that holds something other than our own earlier output.
bool prepare_folder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder)) {
        std::fprintf(stderr, "make_catalogue: cannot make the folder %s\n", folder.c_str());
        return false;
    }
    const bool ours = fs::exists(folder / STAMP);
    if (!ours && !fs::is_empty(folder)) {
        std::fprintf(stderr, "make_catalogue: %s is not empty; name an empty or a new folder\n", folder.c_str());
        return false;
    }
    for (const auto& entry : fs::directory_iterator(folder)) fs::remove_all(entry.path());
    return true;
}

int make_archives(const fs::path& folder, uint64_t total, uint64_t archives, uint64_t seed) {
    Rng sizes_rng(seed);
    const std::vector<uint64_t> sizes = archive_sizes(total, archives, sizes_rng);
    uint64_t bytes = 0;
    uint64_t lines = 0;
    for (uint64_t i = 0; i < archives; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "arch%04u.txt", static_cast<unsigned>(i + 1));
        std::FILE* out = std::fopen((folder / name).c_str(), "wb");
        if (!out) {
            std::fprintf(stderr, "make_catalogue: cannot write %s\n", (folder / name).c_str());
            return 1;
        }
        Rng rng(seed * 1000003 + i + 1);
        {
            ListingSink sink(out, sizes[i]);
            sink.root(static_cast<char>('C' + rng.below(8)));
            walk_root(sink, rng, [&] { return sink.written() + 64 * 1024 > sizes[i]; });
            bytes += sink.written();
            lines += sink.lines();
        }
        std::fclose(out);
    }
    std::printf("catalogue: %llu archives, %llu bytes, %llu lines\n", static_cast<unsigned long long>(archives),
                static_cast<unsigned long long>(bytes), static_cast<unsigned long long>(lines));
    return 0;
}

int make_tree(const fs::path& folder, uint64_t entries, uint64_t seed) {
    Rng rng(seed);
    DiskSink sink(folder, entries);
    walk_root(sink, rng, [] { return false; });
    std::printf("tree: %llu entries\n", static_cast<unsigned long long>(entries));
    return 0;
}

int usage() {
    std::fprintf(stderr,
                 "usage: make_catalogue [--size BYTES] [--archives N] [--seed S] FOLDER\n"
                 "       make_catalogue --tree ENTRIES [--seed S] FOLDER\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    uint64_t size = 1ULL << 30;
    uint64_t archives = 2000;
    uint64_t seed = 1;
    uint64_t tree_entries = 0;
    std::vector<std::string> args(argv + 1, argv + argc);
    const char* folder = nullptr;
    for (size_t i = 0; i < args.size(); ++i) {
        const bool has_value = i + 1 < args.size();
        const char* value = has_value ? args[i + 1].c_str() : "";
        if (args[i] == "--size" && has_value && parse_size(value, size)) ++i;
        else if (args[i] == "--archives" && has_value && parse_size(value, archives) && archives <= 9999) ++i;
        else if (args[i] == "--seed" && has_value && parse_size(value, seed)) ++i;
        else if (args[i] == "--tree" && has_value && parse_size(value, tree_entries)) ++i;
        else if (!folder && args[i][0] != '-') folder = argv[i + 1];
        else return usage();
    }
    if (!folder) return usage();
    const std::string stamp = stamp_text(args);
    if (stamp_matches(folder, stamp)) {
        std::printf("reusing %s\n", folder);
        return 0;
    }
    if (!prepare_folder(folder)) return 1;
    const int status = tree_entries > 0 ? make_tree(folder, tree_entries, seed) : make_archives(folder, size, archives, seed);
    if (status == 0) std::ofstream(fs::path(folder) / STAMP, std::ios::binary) << stamp;
    return status;
}
