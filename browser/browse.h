// The directory browser: a paged, keyboard-driven browser over the current
// folder, through which the user reaches the folder to archive.
#pragma once
#include <string>

// The browser's result text: the chosen file's name after Enter on a file,
// empty after Esc.
extern std::string strgen;

// Runs the browser over the current folder, moving the current folder as the
// user walks. `filter` is the listing filter ("*" lists every entry); the
// '*' command sets it to "*". Returns 0 after Esc, 13 after Enter on a file
// (its name in strgen) and 46 after '.' (the current folder is the choice).
int browse(std::string& filter);
