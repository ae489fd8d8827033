#!/usr/bin/env bash
# The directory browser in the real terminal, reached through the main menu:
# typing paths, entering folders (one with a dotted name, one with an
# accented name), turning pages, the help window, and choosing a folder.
source "$(dirname "$0")/lib.sh"
binary=$1
catalogue=$(e2e_catalogue)
media="$E2E_WORK/media"
mkdir -p "$media/Musica/Rock" "$media/Foto.2019" "$media/tanti" "$media/città"
touch "$media/Musica/Rock/song.mp3" "$media/Foto.2019/img.jpg" "$media/Makefile" "$media/città/è.txt"
for i in $(seq -w 1 25); do touch "$media/tanti/file$i.dat"; done

e2e_start "$binary" "$catalogue"
e2e_type '\'
e2e_wait_for "Ombrev Finder MENU"
e2e_keys Enter
e2e_wait_for "Seleziona con il browser"
e2e_keys Space
e2e_wait_for "Browser:"
e2e_expect_at 1 2 "║ Browser: $catalogue "
e2e_expect_row 25 " Pag 1/1  ? per visualizzare i comandi - * per visualizzare tutte le estensioni"

# A path typed the console's way: drive letter, backslashes.
e2e_type '\'
e2e_type "c:${media//\//\\}"
e2e_wait_for "${media//\//\\}"
e2e_keys Enter
e2e_wait_for "Browser: $media "
e2e_expect_row 4 "║                                                                              ║"
e2e_expect_row 5 "║►città                                                                        ║"
e2e_expect_row 6 "║ Foto.2019                                                                    ║"
e2e_expect_row 7 "║ Makefile                                                                     ║"
e2e_expect_row 8 "║ Musica                                                                       ║"
e2e_expect_row 9 "║ tanti                                                                        ║"
e2e_expect_row 10 "║                                                                              ║"

# A folder with a full stop in its name is a folder.
e2e_keys Down
e2e_wait_for "║►Foto.2019"
e2e_expect_at 2 5 " città"
e2e_keys Enter
e2e_wait_for "Browser: $media/Foto.2019 "
e2e_expect_row 5 "║►img.jpg                                                                      ║"

# Up by a typed "..", then two folders down.
e2e_type '\..'
e2e_keys Enter
e2e_wait_for "Browser: $media "
e2e_keys Up
e2e_wait_for "║►tanti"
e2e_keys Up
e2e_wait_for "║►Musica"
e2e_keys Enter
e2e_wait_for "Browser: $media/Musica "
e2e_expect_row 5 "║►Rock                                                                         ║"
e2e_keys Enter
e2e_wait_for "Browser: $media/Musica/Rock "
e2e_expect_row 5 "║►song.mp3                                                                     ║"

# More than a page: 25 entries are two pages, the second without hints.
e2e_type '\../../tanti'
e2e_keys Enter
e2e_wait_for "Browser: $media/tanti "
e2e_expect_row 25 " Pag 1/2  ? per visualizzare i comandi - * per visualizzare tutte le estensioni"
e2e_expect_row 23 "║ file19.dat                                                                   ║"
e2e_keys PageDown
e2e_wait_for "Pag 2/2"
e2e_expect_row 25 " Pag 2/2"
e2e_expect_row 5 "║►file20.dat                                                                   ║"
e2e_expect_row 10 "║ file25.dat                                                                   ║"
e2e_expect_row 11 "║                                                                              ║"
e2e_keys Up
e2e_wait_for "║►file25.dat"
e2e_keys PageUp
e2e_wait_for "Pag 1/2"
e2e_expect_row 5 "║►file01.dat                                                                   ║"

# The help window, and back to the listing with any key.
e2e_type '?'
e2e_wait_for "Browse commands"
e2e_expect_row 2 "║ Browser┌[ESC]────────────────Browse commands──────────────────────┐          ║"
e2e_expect_at 10 4 "│ * per visualizzare tutte le estensioni "
e2e_expect_at 10 14 "│ Pag▲ ▼ per cambiare pagina dell'elenco "
e2e_expect_at 10 20 "│ ? per visualizzare questo help "
e2e_type x
e2e_wait_for "Browser: $media/tanti "
e2e_expect_row 5 "║►file01.dat                                                                   ║"

# An accented name, typed; then the folder is chosen with '.'.
e2e_type '\..\città'
e2e_keys Enter
e2e_wait_for "Browser: $media/città "
e2e_expect_row 5 "║►è.txt                                                                        ║"
e2e_type '.'
e2e_wait_for "Inserisci il nome del file"
e2e_type prova
e2e_keys Enter
e2e_wait_for "Inserisci la parola da ricercare"
[ -f "$catalogue/prova.txt" ] || e2e_fail "the archive of the chosen folder was not written"
grep -q "è.txt" <(iconv -f CP850 -t UTF-8 "$catalogue/prova.txt") ||
    e2e_fail "the archive does not hold the chosen folder's tree"
e2e_keys Escape
e2e_expect_exit 1
echo "browser_test: ok"
