// The program's private stand-in for drive C:: a folder made at start
// (mode 0700, under $TMPDIR or /tmp) and removed when the program ends, so
// that the fixed temporary names "c:/dir.txt", "c:\temp.obv" and so on never
// meet another run's files.
#pragma once
#include <string>

// Makes the folder; false when it cannot be made.
bool drive_c_create();
// Removes the folder and the files in it. Safe to call from a signal handler.
void drive_c_remove();
// The folder itself, empty before drive_c_create.
const std::string& drive_c_folder();
// The real path for a name such as "c:/dir.txt" or "c:\temp.obv"; other
// names are returned unchanged.
std::string drive_c_path(const std::string& name);
