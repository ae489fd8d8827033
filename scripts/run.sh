#!/usr/bin/env bash
# Starts the program in the catalogue folder (the folder whose .txt files are
# the archives). The folder is made on first use, with a few sample archives
# so that a first search shows results.
set -euo pipefail
binary=$1
catalogue=$2
if [ ! -d "$catalogue" ]; then
    mkdir -p "$catalogue"
    cp "$(dirname "$0")/../samples/"*.txt "$catalogue/"
    echo "Catalogue folder created with sample archives: $catalogue"
fi
cd "$catalogue"
exec "$binary"
