#!/usr/bin/env bash
# The names zvcat --extract writes (Linux).  In a UTF-8 locale member names are UTF-8: those of
# a ZIP with UTF-8-flagged names exactly as bsdtar writes them, the Shift-JIS names of an LZH
# (jlha) as the files they were made from; in the C locale the Shift-JIS bytes are written as
# they are; bytes that do not convert are escaped "%XX".
# Usage: zvcat_names_test.sh WORK_DIR ZVCAT
set -uo pipefail
work=$1
shift
zvcat=("$@")
rm -rf "$work" && mkdir -p "$work/src/日本語"
source "$(dirname "$0")/contract_checks.sh"

# A tree as text, one line per entry: its path, and for a file its contents.
tree() {
  (export LC_ALL=C && cd "$1" && find . -mindepth 1 | sort | while read -r entry; do
    if [ -f "$entry" ]; then printf '%s %s\n' "$entry" "$(cat "$entry")"; else printf '%s/\n' "$entry"; fi
  done)
}
# extract LOCALE ARCHIVE OUT: zvcat --extract in LOCALE; the status is checked.
extract() {
  LC_ALL=$1 "${zvcat[@]}" --extract "$2" -o "$3" 2>"$work/stderr"
  local status=$?
  check "extract ${2##*/} in $1: status" "0 " "$status $(cat "$work/stderr")"
}

# The members: a file in a kanji folder, and a name whose Shift-JIS trail byte is "\".
cd "$work/src"
printf 'memo\n' >日本語/メモ.txt
printf 'table\n' >表.txt
printf 'plain\n' >plain.txt
expected=$(tree "$work/src")

# A ZIP as Python writes it: UTF-8 names, flagged.
python3 - "$work/utf8.zip" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], 'w') as z:
    z.writestr('日本語/', '')
    for name in ['日本語/メモ.txt', '表.txt', 'plain.txt']:
        z.write(name)
PY
for locale in ja_JP.UTF-8 C.UTF-8; do
  extract "$locale" "$work/utf8.zip" "$work/zip-$locale"
  check "UTF-8 ZIP in $locale: UTF-8 names" "$expected" "$(tree "$work/zip-$locale")"
done
mkdir -p "$work/bsdtar" && (cd "$work/bsdtar" && LC_ALL=ja_JP.UTF-8 bsdtar -xf "$work/utf8.zip")
check "UTF-8 ZIP: the names bsdtar writes" "$(tree "$work/bsdtar")" "$(tree "$work/zip-ja_JP.UTF-8")"

# An LZH with Shift-JIS names (jlha writes them so under a Japanese locale).
LC_ALL=ja_JP.UTF-8 jlha c1q "$work/sjis.lzh" 日本語/メモ.txt 表.txt plain.txt >/dev/null
extract ja_JP.UTF-8 "$work/sjis.lzh" "$work/lzh-utf8"
check "Shift-JIS LZH in a UTF-8 locale: UTF-8 names" "$expected" "$(tree "$work/lzh-utf8")"
extract C "$work/sjis.lzh" "$work/lzh-c"
check "Shift-JIS LZH in the C locale: the Shift-JIS bytes" "$(sjis "$expected\n")" "$(tree "$work/lzh-c")"
extract C "$work/utf8.zip" "$work/zip-c"
check "UTF-8 ZIP in the C locale: the Shift-JIS bytes" "$(sjis "$expected\n")" "$(tree "$work/zip-c")"

# Names with bytes that convert to nothing: an unassigned double-byte code, a byte that is no
# character, a lead byte without its trail byte (zip keeps the bytes of the names).
mkdir -p "$work/raw" && cd "$work/raw"
for name in $'\x85\x40.txt' $'a\xfd.txt' $'\x82.txt' $'\x88\x9f\x85\x40.txt'; do printf 'x\n' >"$name"; done
LC_ALL=C zip -q "$work/raw.zip" ./*
extract ja_JP.UTF-8 "$work/raw.zip" "$work/raw-utf8"
check "bytes that do not convert are escaped" \
  "$(printf '%s x\n' ./%82.txt ./%85%40.txt ./a%FD.txt ./亜%85%40.txt)" "$(tree "$work/raw-utf8")"
extract C "$work/raw.zip" "$work/raw-c"
check "... and kept in the C locale" "$(tree "$work/raw")" "$(tree "$work/raw-c")"

# The safe-name rules still hold with converted names: no way out of the output folder.
python3 - "$work/escape.zip" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], 'w') as z:
    for name in ['../外.txt', '/絶対.txt', '日本語/../../戻る.txt', '..\\表\\..\\下.txt']:
        z.writestr(name, 'x\n')
PY
mkdir -p "$work/escape"
extract ja_JP.UTF-8 "$work/escape.zip" "$work/escape/out"
# (dot parts are dropped, not followed)
check "converted names stay inside the output folder" \
  "$(printf '%s\n' './外.txt x' ./日本語/ './日本語/戻る.txt x' './絶対.txt x' ./表/ './表/下.txt x')" \
  "$(tree "$work/escape/out")"
check "nothing written beside the output folder" "out" "$(ls "$work/escape")"

finish
