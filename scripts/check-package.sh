#!/usr/bin/env bash
# Builds the Debian package (Release, under /usr) and checks it as an administrator receives it:
# its contents and dependencies, the desktop entry and the AppStream metadata, the manual pages,
# and the programs unpacked into a temporary root, run from there with a fresh home folder, so
# that nothing can come from the build or the source tree.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset package
cmake --build --preset package
rm -f build/package/quillaro_*.deb
cpack --preset package

debs=(build/package/quillaro_*_amd64.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || { echo "FAIL: no package quillaro_<version>_amd64.deb" >&2; exit 1; }
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)
app_id=it.quillaro.Quillaro
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root="$work/root"

echo "--- $deb"
dpkg-deb -f "$deb"
echo "--- contents"
dpkg-deb -c "$deb" | sed -E 's/^([^ ]+ +){5}//' | tee "$work/contents"
[[ $deb == "build/package/quillaro_${version}_amd64.deb" ]] && pass "file name quillaro_${version}_amd64.deb" ||
  fail "file name $deb does not carry the version $version"
grep -v -e '^\./$' -e '^\./usr/' "$work/contents" && fail "files outside /usr" || pass "everything under /usr"

depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libsqlite3-0 libhunspell libgumbo hunspell-it; do
  [[ $depends == *"$dep"* ]] && pass "depends on $dep" || fail "Depends lacks $dep: $depends"
done

dpkg-deb -x "$deb" "$root"
usr="$root/usr"
expected=(
  bin/quillaro bin/quillaro-cli libexec/quillaro/quillaro-jet-reader
  share/quillaro/schema.sql share/quillaro/lookup.sql share/quillaro/catalogo_schema.sql
  share/quillaro/catalogo.sql share/quillaro/demo.sql "share/quillaro/testata new.rtf"
  share/quillaro/write.bmp share/quillaro/write-r.bmp share/quillaro/export.bmp share/quillaro/export-r.bmp
  share/quillaro/npadwrit.bmp share/quillaro/npadwrit-r.bmp share/quillaro/firstaid.bmp share/quillaro/helpindx.bmp
  "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml" share/mime/packages/quillaro.xml
  share/icons/hicolor/scalable/apps/quillaro.svg
  share/man/man1/quillaro.1.gz share/man/man1/quillaro-cli.1.gz
  share/doc/quillaro/copyright
)
for size in 16 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/quillaro.png")
done
for f in "${expected[@]}"; do
  [[ -s "$usr/$f" ]] && pass "/usr/$f" || fail "missing /usr/$f"
done
for f in bin/quillaro bin/quillaro-cli libexec/quillaro/quillaro-jet-reader; do
  [[ -x "$usr/$f" ]] || fail "/usr/$f is not executable"
  grep -qF "$PWD" "$usr/$f" && fail "/usr/$f names the source folder $PWD"
done

echo "--- the operator's guide"
# Every page and sheet of data/guida, and every picture a page shows, made by the build.
guida="$usr/share/quillaro/guida"
for page in data/guida/*; do
  [[ -s "$guida/$(basename "$page")" ]] || fail "guide: missing /usr/share/quillaro/guida/$(basename "$page")"
done
pictures=$(grep -ho 'src="img/[^"]*\.png"' data/guida/*.html | sort -u | sed 's/^src="//; s/"$//')
[[ -n $pictures ]] || fail "guide: the pages show no picture"
for picture in $pictures; do
  head -c 8 "$guida/$picture" 2> /dev/null | grep -q PNG || fail "guide: missing picture $picture"
done
[[ $failures -eq 0 ]] && pass "guide: $(ls data/guida | wc -l) files and $(echo "$pictures" | wc -l) pictures"

echo "--- copyright (Debian policy 12.5, machine-readable format 1.0)"
copyright="$usr/share/doc/quillaro/copyright"
grep -qE '^-rw-r--r-- .* \./usr/share/doc/quillaro/copyright$' <(dpkg-deb -c "$deb") ||
  fail "copyright is not a plain file of mode 0644"
# Paragraphs of "Field: value" lines and their continuations: a header with Format and
# Upstream-Name, then Files paragraphs with Copyright and a License whose text is given, inline or in
# a License paragraph of its own.
problems=$(awk '
  function close_paragraph() {
    if (n == 1 && fields["Format"] != "https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/")
      print "header: Format is not the 1.0 format"
    if (n == 1 && fields["Upstream-Name"] == "") print "header: no Upstream-Name"
    if (n > 1 && ("Files" in fields)) {
      if (fields["Copyright"] == "") print "paragraph " n ": Files without Copyright"
      if (fields["License"] == "") print "paragraph " n ": Files without License"
      else if (!text["License"]) used[fields["License"]] = n
    }
    if (n > 1 && !("Files" in fields) && ("License" in fields) && text["License"]) defined[fields["License"]] = 1
    delete fields; delete text; files = 0
  }
  /^$/ { if (inside) close_paragraph(); inside = 0; next }
  /^[ \t]/ { if (!inside || last == "") print "line " NR ": continuation outside a field"; else text[last] = 1; next }
  /^[A-Za-z][A-Za-z0-9-]*:/ {
    if (!inside) { inside = 1; n++ }
    last = substr($0, 1, index($0, ":") - 1); value = substr($0, index($0, ":") + 1)
    gsub(/^[ \t]+|[ \t]+$/, "", value); fields[last] = value; next
  }
  { print "line " NR ": not a field: " $0 }
  END {
    if (inside) close_paragraph()
    if (n < 2) print "no Files paragraph"
    for (l in used) if (!(l in defined)) print "license " l " has no text"
  }' "$copyright")
[[ -s $copyright && -z $problems ]] && pass "copyright in the machine-readable format" ||
  fail "copyright: ${problems:-missing}"

echo "--- desktop-file-validate, appstreamcli validate"
out=$(desktop-file-validate "$usr/share/applications/$app_id.desktop" 2>&1) && [[ -z $out ]] &&
  pass "desktop entry valid" || fail "desktop entry: $out"
appstreamcli validate --no-net --explain "$usr/share/metainfo/$app_id.metainfo.xml" &&
  pass "AppStream metadata valid" || fail "AppStream metadata"
grep -q "<release version=\"$version\"" "$usr/share/metainfo/$app_id.metainfo.xml" ||
  fail "AppStream release is not $version"

echo "--- manual pages"
for page in quillaro quillaro-cli; do
  file="$usr/share/man/man1/$page.1.gz"
  upper=${page^^}
  zcat "$file" | grep -qF ".TH ${upper//-/\\-} 1 \"\" \"Quillaro $version\"" || fail "$page.1: no title line with $version"
  if command -v man > /dev/null; then
    warnings=$(MANWIDTH=100 man --warnings -l "$file" 2>&1 > "$work/$page.txt") || true
    [[ -z $warnings ]] && [[ -s "$work/$page.txt" ]] && pass "man $page renders" || fail "man $page: $warnings"
  fi
done
commands=$("$usr/bin/quillaro-cli" --help | sed -n '/^Comandi:/,/^$/p' | awk 'NR > 1 && NF {print $1}')
for command in $commands; do
  zcat "$usr/share/man/man1/quillaro-cli.1.gz" |
    item=".B ${command//-/\\-}" awk 'index($0, ENVIRON["item"] " ") == 1 || $0 == ENVIRON["item"] { found = 1 }
                                      END { exit !found }' || fail "quillaro-cli.1 lacks the command $command"
done

echo "--- the installed programs, from $root, with a fresh home"
user="$work/user"
mkdir -p "$user"
run() { (cd "$work" && env -u QUILLARO_HOME -u XDG_DATA_HOME HOME="$user" QT_QPA_PLATFORM=offscreen "$@"); }
[[ $(run "$usr/bin/quillaro-cli" --version) == "quillaro-cli $version "* ]] && pass "quillaro-cli --version: $version" ||
  fail "quillaro-cli --version is not $version"
[[ $(run "$usr/bin/quillaro" --version) == "Quillaro $version" ]] && pass "quillaro --version: $version" ||
  fail "quillaro --version is not $version"
home="$user/.local/share/Quillaro"
for command in init demo "check DEMO" "print DEMO --complete"; do
  # shellcheck disable=SC2086
  if run "$usr/bin/quillaro-cli" $command > "$work/out" 2>&1; then
    pass "quillaro-cli $command"
  else
    fail "quillaro-cli $command: $(cat "$work/out")"
  fi
done
# Access files are read by the reader beside the programs: its answer, not a missing program.
: > "$work/vuoto.mdb"
run "$usr/bin/quillaro-cli" import "$work/vuoto.mdb" > "$work/out" 2>&1 || true # refused: exit 1
grep -q "è vuoto (0 byte)" "$work/out" && pass "quillaro-cli import: the Jet reader answers" ||
  fail "quillaro-cli import: the Jet reader did not answer: $(cat "$work/out")"
consegna=$(run "$usr/bin/quillaro-cli" info DEMO | sed -n 's/^Consegna: //p')
for f in mdb/masterOnline.db "mdb/Catalogo norme.db" mdb/DEMO.db "testata new.rtf" write.bmp \
         "dump/errori.$consegna" "dump/errfonte.$consegna" "dump/stampaRTF-C-$consegna.rtf"; do
  [[ -s "$home/$f" ]] && pass "home: $f" || fail "home: missing $f"
done
cmp -s "$home/testata new.rtf" "$usr/share/quillaro/testata new.rtf" || fail "the home's head is not the installed one"
tail -c 3 "$home/dump/stampaRTF-C-$consegna.rtf" | grep -q '}' || fail "the print is not closed"

if ((failures)); then
  echo "Package check: $failures failures" >&2
  exit 1
fi
echo "Package check: $deb is complete and runs from an unpacked root."
