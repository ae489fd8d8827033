// "tree /f /a": the listing of the current folder's whole tree, files
// included, drawn with ASCII characters, in the form of the interpreter's
// command:
//
//   Elenco del percorso delle cartelle per il volume LABEL
//   Numero di serie del volume: 0E8D-35B5
//   .
//   |   a.txt
//   |
//   +---Foto
//   \---Musica
//           x.mp3
//
// Every line ends with CR LF and names are in code page 850. Hidden entries
// are left out; links to folders, and folders of other file systems, are
// listed but not entered; a folder that cannot be read has nothing under it.
#pragma once
#include <iosfwd>

// Writes the listing of the current folder, streaming it in large blocks.
void tree_capture(std::ostream& out);
