#!/usr/bin/env bash
# A search in the real terminal: the screen, the grid, the completion line,
# leaving with Esc (status 1) and with a key after the search (status 0).
source "$(dirname "$0")/lib.sh"
binary=$1
catalogue=$(e2e_catalogue)
e2e_write_cp850 "$catalogue/città.txt" "." "+---Musica" "|       Concerto - Help.mp3" "|       help.txt" "\\---Foto"
e2e_write_cp850 "$catalogue/perù.txt" "." "\\---Viaggi" "        Perù - Lima.jpg"

e2e_start "$binary" "$catalogue"
e2e_expect_row 1 "╔══════════════════════════════════════════════════════════════════════════════╗"
e2e_expect_row 2 "║                             Ombrev Finder v2.0                               ║"
e2e_expect_row 5 "║ Inserisci la parola da ricercare                                             ║"
e2e_expect_row 6 "║ ►                                                                            ║"
e2e_expect_row 25 " Premi INVIO per analizzare i risultati - \\ per il menu principale - [ESC]"
# A larger terminal shows the screen at its top-left, a smaller one what
# fits; either way the screen is drawn again at once.
e2e_resize 100 30
sleep 0.3
e2e_expect_row 1 "╔══════════════════════════════════════════════════════════════════════════════╗"
e2e_expect_row 26 ""
e2e_resize 60 20
sleep 0.3
e2e_expect_row 2 "║                             Ombrev Finder v2.0"
e2e_expect_row 5 "║ Inserisci la parola da ricercare"
e2e_resize 80 25
sleep 0.3
e2e_expect_row 25 " Premi INVIO per analizzare i risultati - \\ per il menu principale - [ESC]"
e2e_type "HELP"
e2e_wait_for "HELP"
e2e_keys Enter
e2e_wait_for "Ricerca completata"
e2e_expect_at 3 5 'Ricerca completata: 1 supporti con risultati per "help" ' 
e2e_expect_row 6 "║───────────────────────────────────────────────────────────────────────────── ║"
e2e_expect_at 1 7 "║ 2 parole trovate in città.txt   "
e2e_keys n
e2e_wait_for "Inserisci la parola"
e2e_type "lima"
e2e_keys Enter
e2e_wait_for "Ricerca completata"
e2e_expect_at 1 7 "║ 1 parole trovate in perù.txt   "
e2e_keys n
e2e_wait_for "Inserisci la parola"
# Keys arrive as console codes: an arrow is the prefix 224 ("Ó") and its
# scan code ("P" for Down), Backspace takes characters away, and UTF-8
# letters become their code page 850 bytes.
e2e_type "q"
e2e_keys Down
e2e_wait_for "qÓP"
e2e_keys BSpace BSpace BSpace
e2e_type "PERù"
e2e_wait_for "PERù"
e2e_expect_at 1 6 "║ ► PERù "
e2e_keys Enter
e2e_wait_for "Ricerca completata"
e2e_expect_at 3 5 'Ricerca completata: 1 supporti con risultati per "perù"'
e2e_keys x
e2e_expect_exit 0

e2e_start "$binary" "$catalogue"
e2e_keys Escape
e2e_expect_exit 1
echo "search_test: ok"
