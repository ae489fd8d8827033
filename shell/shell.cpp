#include "shell/shell.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <utility>

#include "screen/conio.h"
#include "screen/cp850.h"
#include "shell/dir_listing.h"
#include "shell/drive_c.h"
#include "shell/tree_capture.h"

namespace {

std::function<void(const std::string&)> observer;

std::string lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return text;
}

// Words separated by blanks; a double-quoted run is one word, without quotes.
std::vector<std::string> split_words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    bool in_word = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            in_word = true;
        } else if (c == ' ' && !quoted) {
            if (in_word) words.push_back(word);
            word.clear();
            in_word = false;
        } else {
            word += c;
            in_word = true;
        }
    }
    if (in_word) words.push_back(word);
    return words;
}

// Where the last " > " outside double quotes starts; npos when there is none,
// so that a quoted name holding " > " is never taken for a redirection.
size_t redirection_at(const std::string& command) {
    size_t found = std::string::npos;
    bool quoted = false;
    for (size_t i = 0; i < command.size(); ++i) {
        if (command[i] == '"') quoted = !quoted;
        else if (!quoted && command.compare(i, 3, " > ") == 0) found = i;
    }
    return found;
}

void write_names(std::ostream& out, const std::vector<std::string>& names) {
    for (const std::string& name : names) out << name << "\r\n";
}

// "dir [pattern] /b [/a]": bare names of the current folder.
void run_dir(const std::vector<std::string>& args, std::ostream& out) {
    ListingFilter filter;
    for (const std::string& arg : args) {
        const std::string word = lower(arg);
        if (word == "/a") filter.hidden = true;
        else if (word.size() > 2 && word.compare(0, 2, "*.") == 0 && word != "*.*") filter.suffix = word.substr(1);
    }
    write_names(out, list_current_folder(filter));
}

// "ldir /b /a": the long-name lister. Two heading lines, the folder itself
// and its parent, then every entry.
void run_ldir(const std::vector<std::string>&, std::ostream& out) {
    char cwd[4096];
    const std::string folder = getcwd(cwd, sizeof cwd) ? utf8_to_cp850(cwd) : std::string();
    out << "LDIR - elenco dei nomi lunghi\r\n";
    out << " Cartella " << folder << "\r\n";
    out << ".\r\n..\r\n";
    write_names(out, list_current_folder(ListingFilter{true, {}}));
}

// "lcd \"name\"": a change of folder made in a child process, which never
// reaches the program; it has no effect here either.
void run_lcd(const std::vector<std::string>&, std::ostream&) {}

void run_del(const std::vector<std::string>& args, std::ostream&) {
    for (const std::string& name : args) {
        if (name[0] == '/') continue;   // a switch
        if (unlink(drive_c_path(name).c_str()) != 0) {
            shell_message("Impossibile trovare " + name + "\r\n");
        }
    }
}

// "rename PATH NAME": NAME is a bare name in PATH's folder.
void run_rename(const std::vector<std::string>& args, std::ostream&) {
    if (args.size() != 2) {
        shell_message("Sintassi del comando errata.\r\n");
        return;
    }
    const std::string from = drive_c_path(args[0]);
    const size_t slash = from.find_last_of('/');
    const std::string to = (slash == std::string::npos ? std::string() : from.substr(0, slash + 1)) + args[1];
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        shell_message("Impossibile trovare il file specificato.\r\n");
    }
}

// "tree /f /a": the current folder's whole tree, files included, in ASCII.
// That is the only form the program issues; any other is refused.
void run_tree(const std::vector<std::string>& args, std::ostream& out) {
    bool files = false;
    bool ascii = false;
    for (const std::string& arg : args) {
        const std::string word = lower(arg);
        if (word == "/f") {
            files = true;
        } else if (word == "/a") {
            ascii = true;
        } else {
            shell_message("Parametro non valido - " + arg + "\r\n");
            return;
        }
    }
    if (!files || !ascii) {
        shell_message("Sintassi del comando errata.\r\n");
        return;
    }
    tree_capture(out);
}

ShellCommand find_command(const std::string& name) {
    static const std::pair<const char*, ShellCommand> commands[] = {
        {"dir", run_dir}, {"ldir", run_ldir}, {"lcd", run_lcd},
        {"del", run_del}, {"rename", run_rename}, {"tree", run_tree},
    };
    for (const auto& [command_name, body] : commands) {
        if (name == command_name) return body;
    }
    return nullptr;
}

} // namespace

void shell_message(const std::string& text) { cprintf("%s", text.c_str()); }

void shell_observe(std::function<void(const std::string&)> next) { observer = std::move(next); }

void shell_system(const std::string& command) {
    if (observer) observer(command);
    std::string body = command;
    std::string target;
    const size_t redirect = redirection_at(command);
    if (redirect != std::string::npos) {
        body = command.substr(0, redirect);
        target = command.substr(redirect + 3);
    }
    std::vector<std::string> words = split_words(body);
    if (words.empty()) return;
    const std::string name = lower(words.front());
    words.erase(words.begin());

    std::ofstream file;
    std::ostringstream screen;
    std::ostream* out = &screen;
    if (!target.empty()) {
        file.open(drive_c_path(target), std::ios::binary | std::ios::trunc);
        if (!file) {
            shell_message("Impossibile trovare il percorso specificato.\r\n");
            return;
        }
        out = &file;
    }
    if (const ShellCommand run = find_command(name)) {
        run(words, *out);
    } else {
        shell_message("'" + name + "' non \x8A riconosciuto come comando interno o esterno,\r\n"
                      " un programma eseguibile o un file batch.\r\n");
    }
    if (!screen.str().empty()) shell_message(screen.str());
}
