#!/usr/bin/env bash
# Archive creation in the real terminal: through the menu, the browser and
# the name screen to an archive that the next search finds; then Ctrl+C in
# the middle of a creation leaves no archive and gives the terminal back.
source "$(dirname "$0")/lib.sh"
binary=$1
catalogue=$(e2e_catalogue)
export TMPDIR="$E2E_WORK/tmp"   # the program's drive C: folder goes here
mkdir -p "$TMPDIR"

# Opens the menu's first item and walks into the catalogue's folder, which
# must be its first entry, then chooses it and types the name.
create_archive_of_first_folder() {
    local folder=$1 name=$2 shown=$3
    e2e_type '\'
    e2e_wait_for "Ombrev Finder MENU"
    e2e_expect_at 12 4 "Crea il tree di una cartella o di un'unità logica"
    e2e_keys Enter
    e2e_wait_for "Seleziona con il browser la cartella e premi . per selezionare"
    e2e_keys Space
    e2e_wait_for "Browser:"
    e2e_keys Enter
    e2e_wait_for "catalogue/$folder "
    e2e_type "."
    e2e_wait_for "Inserisci il nome del file per salvare l'archivio:"
    e2e_type "$name"
    e2e_wait_for "$shown"
}

# 1. An archive of a small folder, byte for byte, and a search that finds it.
mkdir -p "$catalogue/Dati/Musica" "$catalogue/Dati/Foto" "$catalogue/Dati/.nascosta"
touch "$catalogue/Dati/città.mp3" "$catalogue/Dati/Musica/x.mp3" "$catalogue/Dati/.nascosto.txt"
e2e_start "$binary" "$catalogue"
create_archive_of_first_folder Dati "disco" "disco.txt"
e2e_keys Enter
e2e_wait_for "Inserisci la parola da ricercare"
printf '%s\r\n' "." "|   città.mp3" "|   " "+---Foto" "\\---Musica" "        x.mp3" "        " |
    iconv -f UTF-8 -t CP850 > "$E2E_WORK/expected.txt"
cmp "$E2E_WORK/expected.txt" "$catalogue/disco.txt" || e2e_fail "the archive is not the folder's tree"
compgen -G "$TMPDIR/ombrev-c-*/temp.obv" > /dev/null && e2e_fail "the capture was left in drive C:"
e2e_type "CITT"
e2e_keys Enter
e2e_wait_for "Ricerca completata"
e2e_expect_at 3 5 'Ricerca completata: 1 supporti con risultati per "citt"'
e2e_expect_at 3 7 "1 parole trovate in disco.txt"
e2e_keys x
e2e_expect_exit 0

# 2. Ctrl+C while the archive of a large tree is being written: a chain of
# 1000 folders with 20 files in each, a listing of some 45 MB.
rm -rf "$catalogue/Dati" "$catalogue/disco.txt"
long=$(printf 'nome_lungo_%.0s' {1..4})
path="$catalogue/Grande"
for ((i = 0; i < 1000; i++)); do path+=/d; done
mkdir -p "$path"
path="$catalogue/Grande"
for ((i = 0; i < 1000; i++)); do
    for ((j = 0; j < 20; j++)); do printf '%s/%s%02d.dat\n' "$path" "$long" "$j"; done
    path+=/d
done | xargs -d '\n' touch
e2e_start "$binary" "$catalogue"
create_archive_of_first_folder Grande "grande" "grande.txt"
pid=$(e2e_program_pid)
[ -n "$pid" ] || e2e_fail "no program process"
e2e_keys Enter
# As soon as the archive's temporary file exists, hold the program there,
# press Ctrl+C, and let it go on to meet the signal.
caught=""
for ((i = 0; i < 200000; i++)); do
    if compgen -G "$catalogue/.grande.txt.*" > /dev/null; then
        kill -STOP "$pid"
        caught=yes
        break
    fi
    [ -e "$catalogue/grande.txt" ] && break
done
[ -n "$caught" ] || e2e_fail "the creation was never seen in the middle"
e2e_keys C-c
sleep 0.2
kill -CONT "$pid"
e2e_expect_exit 130
[ -z "$(ls -A "$catalogue" | grep -v '^Grande$')" ] ||
    e2e_fail "the catalogue holds more than the folder: $(ls -A "$catalogue")"
[ -z "$(ls -A "$TMPDIR")" ] || e2e_fail "the drive C: folder was left: $(ls -A "$TMPDIR")"
echo "archive_test: ok"
