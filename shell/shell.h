// The command interpreter, carried out inside the program. It takes the
// command texts that the screens issue ("dir /b *.txt > c:/dir.txt",
// "del c:\temp.obv", ...) and carries them out in-process; nothing is handed
// to /bin/sh, so no file or folder name can ever become a command.
#pragma once
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

// Carries out one command text, in the current folder. A "> FILE" at its end
// sends its output to FILE (created even when the command fails); otherwise
// the output, like every message, is printed on the console at the cursor.
void shell_system(const std::string& command);

// Is told every command text as it is issued (tests check which ran).
void shell_observe(std::function<void(const std::string&)> observer);

// A command's body: its words after the command name, and where its output goes.
using ShellCommand = void (*)(const std::vector<std::string>& args, std::ostream& out);

// The interpreter's message for something it cannot do, shown on the console.
void shell_message(const std::string& text);
