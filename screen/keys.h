// The key codes that the screens match, as the key reader delivers them.
// Arrow and page keys arrive as a prefix code followed by their own code;
// a capital letter with the same code acts as the key.
#pragma once

constexpr int KEY_BACKSPACE = 8;
constexpr int KEY_ENTER = 13;
constexpr int KEY_ESC = 27;

// The prefixes of the extended keys.
constexpr int PREFIX_FUNCTION = 0;
constexpr int PREFIX_EXTENDED = 224;

// The codes behind a prefix.
constexpr int KEY_PAGE_UP = 73;     // also 'I'
constexpr int KEY_RIGHT = 77;       // also 'M'
constexpr int KEY_PAGE_DOWN = 81;   // also 'Q'
