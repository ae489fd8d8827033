#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, only
# those that are missing.
set -euo pipefail

packages=(g++ cmake ninja-build make libncurses-dev libgtest-dev googletest tmux ncurses-base procps)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}"
