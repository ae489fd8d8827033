#!/usr/bin/env bash
# The results viewer in the real terminal: a search with hits in two
# archives, Enter, the viewer's screen, a move between media, Enter back to a
# new search (status 1 after Esc there); then a medium of two sub-pages and
# Esc in the viewer (status 0).
source "$(dirname "$0")/lib.sh"
binary=$1
catalogue=$(e2e_catalogue)
e2e_write_cp850 "$catalogue/città.txt" "." "+---Musica" "|       Concerto - Help.mp3" "|       help.txt" "\\---Foto"
e2e_write_cp850 "$catalogue/perù.txt" "D:." "\\---Aiuto" "        Help - Lima.jpg"
brani=("D:." "\\---Album")
for i in $(seq -w 1 20); do brani+=("        Brano $i.mp3"); done
e2e_write_cp850 "$catalogue/zeta.txt" "${brani[@]}"

# A row of the page: the frame, two blanks, the text in 74 columns.
page_row() { printf '║  %-74s  ║' "$1"; }
blank_rows() {
    local y
    for ((y = $1; y <= $2; y++)); do e2e_expect_row "$y" "$(page_row "")"; done
}

e2e_start "$binary" "$catalogue"
e2e_type "help"
e2e_keys Enter
e2e_wait_for "Ricerca completata"
e2e_expect_at 3 5 'Ricerca completata: 2 supporti con risultati per "help"'
e2e_keys Enter
e2e_wait_for "Voce trovata in"
e2e_expect_row 2 "║                             Ombrev Finder v2.0                               ║"
e2e_expect_row 5 "║ Dettagli ricerca:   Voce trovata in perù.txt             Supporto 2/2        ║"
e2e_expect_row 6 "║───────────────────────────────────────────────────────────────────────────── ║"
e2e_expect_row 7 "$(page_row "help  lima.jpg")"
blank_rows 8 23
e2e_expect_row 25 " Premi INVIO per una nuova ricerca"

e2e_keys PageDown
e2e_wait_for "Supporto 1/2"
e2e_expect_row 5 "║ Dettagli ricerca:   Voce trovata in città.txt            Supporto 1/2        ║"
e2e_expect_row 7 "$(page_row "concerto  help.mp3")"
e2e_expect_row 8 "$(page_row "help.txt")"
blank_rows 9 23
e2e_keys PageDown
e2e_keys PageUp
e2e_wait_for "Supporto 2/2"
e2e_expect_row 7 "$(page_row "help  lima.jpg")"

e2e_keys Enter
e2e_wait_for "Inserisci la parola"
e2e_expect_row 5 "║ Inserisci la parola da ricercare                                             ║"
e2e_expect_row 6 "║ ►                                                                            ║"
e2e_keys Escape
e2e_expect_exit 1

e2e_start "$binary" "$catalogue"
e2e_type "brano"
e2e_keys Enter
e2e_wait_for "Ricerca completata"
e2e_keys Enter
e2e_wait_for "Supporto 1/1"
e2e_expect_row 7 "$(page_row "brano 01.mp3")"
e2e_expect_row 22 "$(page_row "brano 16.mp3")"
e2e_expect_row 23 "║    ▼          ▼ ->                                                           ║"
e2e_expect_row 25 " Premi INVIO per una nuova ricerca          Premi -> per le sottopagine"
e2e_keys Right
e2e_wait_for "brano 17.mp3"
e2e_expect_row 10 "$(page_row "brano 20.mp3")"
blank_rows 11 23
e2e_expect_row 25 " Premi INVIO per una nuova ricerca          Premi -> per le sottopagine"
e2e_keys Escape
e2e_expect_exit 0
echo "results_test: ok"
