#!/usr/bin/env bash
# ZIP conformance: archives made by Info-ZIP zip (levels 0, 1, 6, 9), Python's zipfile and 7-Zip
# from one set of files (Japanese text, random bytes, empty files, directories, long runs, repeats
# nearly 32 KiB apart) are read by our ZIP reader; every member must come out equal to its original.
# Encrypted members and methods we do not decode must be refused, never delivered.
# Usage: zip_conformance_test.sh WORKDIR TOOL [EMULATOR...]   (TOOL: zip_conformance_tool)
set -euo pipefail
work=$1; shift
tool=("$@")
rm -rf "$work"; mkdir -p "$work/src"
cd "$work/src"

python3 - <<'EOF'
import os, random
rng = random.Random(8)
os.makedirs("dir/sub", exist_ok=True)
os.makedirs("emptydir", exist_ok=True)
line = "日本語のテキスト、圧縮と展開の試験です。行番号 {:05d}\n"
with open("text.txt", "w", encoding="utf-8") as f:
    for i in range(4000):
        f.write(line.format(rng.randrange(100000)))
with open("random.bin", "wb") as f:
    f.write(rng.randbytes(300000))
open("empty.txt", "wb").close()
open("dir/sub/empty2.txt", "wb").close()
with open("dir/zeros.bin", "wb") as f:
    f.write(bytes(1 << 20))
block = rng.randbytes(32000)
with open("dir/sub/repeat32k.bin", "wb") as f:
    f.write(block * 5 + block[:1000])
with open("dir/small.txt", "wb") as f:
    f.write(b"a")
EOF
files=(text.txt random.bin empty.txt dir/sub/empty2.txt dir/zeros.bin dir/sub/repeat32k.bin dir/small.txt)

make_archives() {
  local a=$work/archives
  mkdir -p "$a"
  for level in 0 1 6 9; do
    zip -q -r -"$level" "$a/infozip$level.zip" . >/dev/null
  done
  echo "a comment at the end of the archive" | zip -q -z "$a/infozip6.zip" >/dev/null
  python3 - "$a" "${files[@]}" <<'EOF'
import sys, zipfile
out, names = sys.argv[1], sys.argv[2:]
for label, method, level in (("stored", zipfile.ZIP_STORED, None),
                             ("deflate1", zipfile.ZIP_DEFLATED, 1),
                             ("deflate9", zipfile.ZIP_DEFLATED, 9)):
    with zipfile.ZipFile(f"{out}/python_{label}.zip", "w", method, compresslevel=level) as z:
        z.write("emptydir")
        for n in names:
            z.write(n)
EOF
  local sevenzip
  sevenzip=$(command -v 7zz || command -v 7z)
  for level in 0 1 5 9; do
    "$sevenzip" a -tzip -mx="$level" "$a/7zip$level.zip" . >/dev/null
  done
}
make_archives

failed=0
check_archive() {
  local archive=$1 out=$work/out/$(basename "$1" .zip)
  mkdir -p "$out"
  local listing
  # (tr: a Windows build ends its lines with CR LF)
  if ! listing=$("${tool[@]}" "$archive" "$out" | tr -d '\r'; exit "${PIPESTATUS[0]}"); then
    echo "FAIL $(basename "$archive"): reader reported failures"; echo "$listing"; failed=1; return
  fi
  local compared=0 index status name
  while read -r index status name; do
    name=${name#./}
    if ! cmp -s "$out/$index" "$work/src/$name"; then
      echo "FAIL $(basename "$archive"): member $index ($name) differs"; failed=1
    fi
    compared=$((compared + 1))
  done <<<"$listing"
  if [ "$compared" -ne "${#files[@]}" ]; then
    echo "FAIL $(basename "$archive"): $compared members compared, ${#files[@]} expected"; failed=1
  fi
}
for archive in "$work"/archives/*.zip; do check_archive "$archive"; done

# Refusals: an encrypted member, and Deflate64 (method 9), are listed but never delivered.
cd "$work/src"
zip -q -P secret "$work/encrypted.zip" text.txt
"$(command -v 7zz || command -v 7z)" a -tzip -mm=Deflate64 "$work/deflate64.zip" text.txt >/dev/null
for archive in "$work/encrypted.zip" "$work/deflate64.zip"; do
  mkdir -p "$work/out/refused"
  listing=$("${tool[@]}" "$archive" "$work/out/refused" | tr -d '\r' || true)
  if [ "$(echo "$listing" | cut -d' ' -f2)" != refused ]; then
    echo "FAIL $(basename "$archive"): expected the member to be refused, got: $listing"; failed=1
  fi
done

[ "$failed" -eq 0 ] && echo "zip conformance: all members equal"
exit "$failed"
