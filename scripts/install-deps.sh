#!/usr/bin/env bash
# Installs what Quillaro needs to build, test and run on Debian 12; skips what is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl1-mesa-dev
  qt6-translations-l10n
  libsqlite3-dev sqlite3
  libhunspell-dev hunspell-it hunspell-en-us
  mdbtools-dev
  libstemmer-dev libgumbo-dev liblz4-dev
  libbenchmark-dev
  xvfb xauth xdotool unrtf
  dpkg-dev file desktop-file-utils appstream shared-mime-info man-db
  libreoffice-writer-nogui poppler-utils fonts-liberation2
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
