// The browser's listing of the current folder: the listing command writes
// the listing file "c:/dir.txt", the long-name listing is cleaned in place,
// and the entry table is read back from the file.
#pragma once
#include <string>
#include <vector>

enum class ListingMode { normal, long_names };

// Lists the current folder into the listing file with the mode's command,
// cleans a long-name listing, and reads the entries: names in code page 850,
// as the listing wrote them. A listing or cleaning file that cannot be
// opened gives no entries.
std::vector<std::string> list_entries(ListingMode mode);

// Cleans a long-name listing in place through "c:/temp.txt": drops its two
// heading lines and, after them, every empty line and every line that starts
// with '.' or a blank. False when either file cannot be opened or written.
bool dir_wash();

// The entries of the listing file, one per line ended by a line end (a last
// line without one is not taken); none when the file cannot be opened.
std::vector<std::string> read_entries();

// An entry of the current folder is a folder when the file system says it is
// a directory (a link to one counts); when the entry cannot be examined, a
// name without '.' is taken for a folder. Asked only of the entries shown,
// so that a listing of many thousands is read at once.
bool is_folder(const std::string& name);

// How many times the character occurs in the text.
int check_ch(char ch, const std::string& text);
