// A line typed at the cursor: the console has no line reader of its own.
#pragma once
#include <cstddef>
#include <string>

// Reads keys until Enter and gives the line typed (code page 850 bytes),
// echoed at the cursor in the current attribute. Backspace takes back the
// last character, Esc takes back the whole line; the line never grows past
// max_length characters, further characters are ignored. Extended keys
// (the prefix 0 or 224 and the code after it) and the other control codes
// are ignored, so the arrows never reach the line.
std::string read_line(size_t max_length);
