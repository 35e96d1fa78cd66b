#!/usr/bin/env bash
# Installs what is missing, builds Quillaro, lays out a demo home folder with the demo archive and
# starts the program on it. Without a display it runs the command line on the demo archive instead
# and tells where the outputs are.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake --preset release
cmake --build --preset release --target quillaro quillaro-cli

home="$PWD/demo-home"
cli="$PWD/build/release/src/quillaro-cli"
gui="$PWD/build/release/src/quillaro"

"$cli" --home "$home" init
"$cli" --home "$home" demo

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  echo "Starting Quillaro on $home/mdb/DEMO.db"
  exec "$gui" --home "$home" --open DEMO
fi

echo
echo "No display: running the command line on the demo archive."
"$cli" --home "$home" info DEMO
for command in check notes new-entries celex hudoc nir "print --complete" "print --texts" summary consistency; do
  if "$cli" --home "$home" --help | grep -q "^  ${command%% *} "; then
    echo "--- quillaro-cli $command DEMO"
    # shellcheck disable=SC2086
    "$cli" --home "$home" $command DEMO
  fi
done
echo
echo "Archives: $home/mdb"
echo "Outputs:  $home/dump"
ls -l "$home/dump"
