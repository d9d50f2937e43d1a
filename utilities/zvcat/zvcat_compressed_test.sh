#!/usr/bin/env bash
# zvcat with gzip and tar files made by the tools Debian ships: GNU tar in every --format, plain
# and gzip-compressed, bsdtar, Python's tarfile and gzip, pigz.  The tree zvcat extracts is
# compared with the one GNU tar extracts (names in the UTF-8 locale; hard links are copies;
# symbolic links are skipped with a message), the text of gzip files with what gzip -dc writes,
# and names with ".." or a leading "/" must stay inside the chosen folder.  Also standard input
# (gzip and tar on a pipe) and damaged files.
# Usage: zvcat_compressed_test.sh WORK_DIR ZVCAT
set -uo pipefail
work=$1
shift
zvcat=("$@")
rm -rf "$work" && mkdir -p "$work"
source "$(dirname "$0")/contract_checks.sh"
export LC_ALL=C.UTF-8

# The tree: Japanese names, folders (one empty), an empty file, a member of several megabytes,
# a hard link, a symbolic link and a long path.
src=$work/src
mkdir -p "$src/日本語/空" "$src/docs/$(printf 'd%.0s' {1..60})/$(printf 'e%.0s' {1..60})"
sjis '日本語のメモです\r\n' >"$src/日本語/メモ.txt"
: >"$src/empty"
seq 1 600000 >"$src/big.log"
echo deep >"$src/docs/$(printf 'd%.0s' {1..60})/$(printf 'e%.0s' {1..60})/deep.txt"
ln "$src/big.log" "$src/hard.log"
ln -s big.log "$src/soft.log"
touch -d '2005-06-07 08:09:10 UTC' "$src/empty"

# "path<TAB>checksum" of every file and "path/" of every folder below $1, names in UTF-8.
tree_of() {
  (cd "$1" && find . -mindepth 1 \( -type d -printf '%p/\n' \) -o \( -type f -printf '%p\n' \) | sort |
    while read -r p; do
      if [ -d "$p" ]; then echo "$p"; else echo "$p	$(md5sum <"$p" | cut -c1-32)"; fi
    done) | iconv -f "$2" -t UTF-8
}

mkdir "$work/reference" && tar -xf <(tar -cf - -C "$src" .) -C "$work/reference"
rm "$work/reference/soft.log"
expected=$(tree_of "$work/reference" UTF-8)

# extract_check NAME ARCHIVE: zvcat's extracted tree against GNU tar's.
extract_check() {
  local out=$work/out-$1
  run --extract "$2" -o "$out" >/dev/null
  check "$1: status" "0" "$?"
  check "$1: the symbolic link is named" "1" "$(grep -c 'soft.log' "$work/stderr")"
  check "$1: tree" "$expected" "$(tree_of "$out" UTF-8)"
}

archives=()
for format in gnu oldgnu ustar posix; do
  tar --format=$format -cf "$work/$format.tar" -C "$src" . && archives+=("$format.tar")
  tar --format=$format -czf "$work/$format.tar.gz" -C "$src" . && archives+=("$format.tar.gz")
done
bsdtar -cf "$work/bsd.tar" -C "$src" . && archives+=(bsd.tar)
bsdtar -czf "$work/bsd.tgz" -C "$src" . && archives+=(bsd.tgz)
tar -cf - -C "$src" . | pigz -c >"$work/pigz.taz" && archives+=(pigz.taz)
for format in USTAR GNU PAX; do
  python3 - "$src" "$work/py-$format.tar.gz" "$format" <<'PY' && archives+=("py-$format.tar.gz")
import gzip, os, sys, tarfile
src, target, fmt = sys.argv[1:]
with gzip.open(target, 'wb') as raw, tarfile.open(fileobj=raw, mode='w', format=getattr(tarfile, fmt + '_FORMAT')) as t:
    t.add(src, arcname='.')
PY
done
for a in "${archives[@]}"; do extract_check "$a" "$work/$a"; done
check "every tool made its archive" "14" "${#archives[@]}"

# The v7 format keeps no long names: the tree without the long path.
tar --format=v7 -cf "$work/v7.tar" -C "$src" ./日本語 ./big.log ./empty 2>/dev/null
run --extract "$work/v7.tar" -o "$work/out-v7" >/dev/null
check "v7: status" "0" "$?"
check "v7: text" "$(cat "$src/日本語/メモ.txt")" "$(cat "$work/out-v7/日本語/メモ.txt")"

# Listing: names in UTF-8 with --utf8, the member kinds and sizes.
listing=$(run --utf8 --list "$work/posix.tar.gz")
check "list: the Japanese name" "1" "$(grep -c "Stored 	$(stat -c %s "$src/日本語/メモ.txt")	.*	./日本語/メモ.txt$" <<<"$listing")"
check "list: the hard link" "1" "$(grep -c "^[0-9]*	HardLnk	0	$(stat -c %s "$src/big.log")	./hard.log$" <<<"$listing")"
check "list: the symbolic link" "1" "$(grep -c "SymLink	0	0	./soft.log$" <<<"$listing")"
check "list: the folder" "1" "$(grep -c "Dir    	0	0	./日本語/空/$" <<<"$listing")"

# Shown as text: a member of a .tar.gz, and .gz files.
member=$(grep -n 'big.log$' <<<"$listing" | head -1 | cut -f1 | cut -d: -f2)
check "tar.gz member shown" "$(md5sum <"$src/big.log")" "$(run --member "$member" "$work/posix.tar.gz" | md5sum)"
gzip -cn "$src/big.log" >"$work/log.gz"
pigz -c "$src/big.log" >"$work/pigz.gz"
python3 -c 'import gzip,sys; sys.stdout.buffer.write(gzip.compress(open(sys.argv[1],"rb").read(), mtime=0))' "$src/big.log" >"$work/python.gz"
for gz in log.gz pigz.gz python.gz; do
  check "$gz shown as its text" "$(gzip -dc "$work/$gz" | md5sum)" "$(run "$work/$gz" | md5sum)"
done
(gzip -c "$src/big.log"; sjis 'の続き\n' | gzip -c; gzip -c </dev/null) >"$work/multi.gz"
check "several members are one text" "$(gzip -dc "$work/multi.gz" | md5sum)" "$(run --member 0 "$work/multi.gz" | md5sum)"
check "a gzip member is named by the file" "1" "$(run --list "$work/log.gz" | grep -c '	log$')"
check "or by its header" "1" "$(run --list "$work/pigz.gz" | grep -c '	big.log$')"
cp "$work/log.gz" "$work/noext"
check "gzip found by its contents" "$(md5sum <"$src/big.log")" "$(run "$work/noext" | md5sum)"
run --extract "$work/log.gz" -o "$work/out-gz" >/dev/null
check "gzip extracted" "$(md5sum <"$src/big.log")" "$(md5sum <"$work/out-gz/log")"

# Damage: never garbage shown as the file, a message and status 1.
head -c 20000 "$work/log.gz" >"$work/cut.gz"
check "cut-off gzip shows nothing" "" "$(run "$work/cut.gz")"
check "cut-off gzip message" "zvcat: $work/cut.gz: out of memory, or the file cannot be extracted" \
  "$(cat "$work/stderr")"
python3 - "$work/log.gz" "$work/badcrc.gz" <<'PY'
import sys
data = bytearray(open(sys.argv[1], 'rb').read())
data[-8] ^= 0xFF
open(sys.argv[2], 'wb').write(data)
PY
run "$work/badcrc.gz" >"$work/badcrc-out"
check "a CRC that fails: status" "1" "$?"
# A large stream is shown before its end is checked: the check still decides.
check "a CRC that fails: nothing shown" "0" "$(stat -c %s "$work/badcrc-out")"
check "a CRC that fails: its message" \
  "zvcat: the CRC does not match: the compressed file is damaged; nothing of it is shown" "$(cat "$work/stderr")"
head -c 900000 "$work/log.gz" >"$work/cut-late.gz"
run "$work/cut-late.gz" >"$work/cut-late-out"
check "cut off late: status" "1" "$?"
check "cut off late: nothing shown" "0" "$(stat -c %s "$work/cut-late-out")"
head -c 700000 "$work/posix.tar" >"$work/cut.tar"
run --list "$work/cut.tar" >"$work/cut-list"
check "cut-off tar: status" "1" "$?"
check "cut-off tar: members before the cut listed" "1" "$(grep -c 'big.log$' "$work/cut-list")"

# Names that would leave the folder stay inside it.
python3 - "$work/evil.tar" <<'PY'
import io, sys, tarfile
with tarfile.open(sys.argv[1], 'w', format=tarfile.GNU_FORMAT) as t:
    for name in ['../evil-up.txt', '/tmp/evil-absolute.txt', 'a/../../evil-middle.txt', 'safe.txt']:
        info = tarfile.TarInfo(name)
        data = b'x\n'
        info.size = len(data)
        t.addfile(info, io.BytesIO(data))
PY
mkdir -p "$work/jail"
run --extract "$work/evil.tar" -o "$work/jail/inside" >/dev/null
check "nothing written beside the folder" "inside" "$(ls "$work/jail")"
check "nothing written outside" "" "$(ls /tmp/evil-absolute.txt 2>/dev/null)"
check "the safe member is there" "x" "$(cat "$work/jail/inside/safe.txt")"

# ZIP files by their contents, and ZIP64: more than 65,535 members.
python3 - "$work" <<'PY'
import sys, zipfile
work = sys.argv[1]
with zipfile.ZipFile(work + '/report.docx', 'w', zipfile.ZIP_DEFLATED) as z:
    z.writestr('word/document.xml', '<w:document/>\n')
with zipfile.ZipFile(work + '/many.jar', 'w') as z:
    for i in range(70000):
        z.writestr(f'c/{i}.class', f'{i}\n')
PY
check "a .docx is a ZIP archive" "word/document.xml" "$(run --list "$work/report.docx" | cut -f5)"
check "ZIP64: every member listed" "70000" "$(run --list "$work/many.jar" | wc -l)"
check "ZIP64: the last member" "69999" "$(run --member 69999 "$work/many.jar")"

# Standard input: gzip and tar on a pipe.
check "gzip on a pipe" "$(md5sum <"$src/big.log")" "$(cat "$work/log.gz" | run | md5sum)"
check "grep on a pipe" "$(run --grep 599999 "$src/big.log")" "$(gzip -dc "$work/log.gz" | run --grep 599999)"
check "zvcat - reads standard input" "$(run "$src/日本語/メモ.txt" | od -An -tx1)" "$(run - <"$src/日本語/メモ.txt" | od -An -tx1)"
check "tar.gz listed from a pipe" "$(run --list "$work/gnu.tar.gz")" "$(run --list - <"$work/gnu.tar.gz")"
check "gzip without a name on a pipe is named stdin" "stdin" "$(gzip -c <"$src/big.log" | run --list | cut -f5)"
check "and extracted so" "$(md5sum <"$src/big.log")" \
  "$(gzip -c <"$src/big.log" | run --extract - -o "$work/out-stdin" >/dev/null; md5sum <"$work/out-stdin/stdin")"

finish
