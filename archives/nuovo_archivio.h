// Archive creation: the user picks a folder in the browser and names the
// medium; the folder's tree is captured and saved as NAME.txt in the
// catalogue folder (the current folder when the creation starts).
#pragma once

// Runs the whole creation; the current folder is the same afterwards.
void nuovo_archivio();

// 1 when the character may stand in an archive name, 0 when it may not.
int check_char(char ch);
