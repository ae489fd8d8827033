// The codes that the console's key reader gives, one per read. A navigation
// key arrives as a prefix (function or extended) and then its second code;
// the second codes are also the capital letters typed on their own.
#pragma once

namespace keycode {

constexpr int backspace = 8;
constexpr int enter = 13;
constexpr int esc = 27;
constexpr int prefix_function = 0;
constexpr int prefix_extended = 224;

constexpr int up = 72;          // H
constexpr int page_up = 73;     // I
constexpr int left = 75;        // K
constexpr int right = 77;       // M
constexpr int down = 80;        // P
constexpr int page_down = 81;   // Q

} // namespace keycode
