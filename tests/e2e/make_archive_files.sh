#!/usr/bin/env bash
# Makes the archives of the archive filer's end-to-end tests with Debian's tools: an LZH
# (jlha) and a ZIP (zip) of the same members (a readme, an empty file, a file in a folder, a
# name in kanji, a name without a dot, a file to run), and an LZH of one large member.
set -euo pipefail
out=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out" "$work/src/sub"
cd "$work/src"
printf 'hello readme\r\n' > README.TXT
: > EMPTY.DAT
for i in $(seq 1 50); do printf 'inner line %d\r\n' "$i"; done > sub/INNER.TXT
printf 'kanji\r\n' > 漢字.TXT
printf 'no extension\r\n' > NOEXT
printf 'run me\r\n' > RUN.ZVT
# jlha writes Shift-JIS names under a Japanese locale.
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
rm -f "$out/members.lzh" "$out/members.zip" "$out/big.lzh" "$out/codes.zip" "$out/names.zip"
jlha c1q "$out/members.lzh" README.TXT EMPTY.DAT sub/INNER.TXT 漢字.TXT NOEXT RUN.ZVT >/dev/null
# zip keeps the bytes of a name: the kanji file gets its Shift-JIS name first.
mv 漢字.TXT "$(printf '\x8a\xbf\x8e\x9a.TXT')"
zip -q -X "$out/members.zip" README.TXT EMPTY.DAT sub/ sub/INNER.TXT "$(printf '\x8a\xbf\x8e\x9a.TXT')" NOEXT RUN.ZVT
# A member large enough (about 100 MB) that its extraction lasts while the test looks at its
# progress and cancels it; the viewer shows the small readme beside it.
mkdir -p "$work/big" && cd "$work/big"
printf 'big archive\r\n' > README.TXT
awk 'BEGIN { for (i = 0; i < 2800000; i++) printf "line %d of a long text to extract %d\r\n", i, i * 7919 % 100003 }' > BIG.TXT
jlha c1q "$out/big.lzh" README.TXT BIG.TXT >/dev/null
# The same Japanese text in four codes, one member each, for detection member by member.
mkdir -p "$work/codes" && cd "$work/codes"
printf '日本語の文章です。\r\nかなと漢字を含みます。\r\n' > utf8.txt
iconv -f UTF-8 -t CP932 utf8.txt > SJIS.TXT
iconv -f UTF-8 -t EUC-JP utf8.txt > EUC.TXT
iconv -f UTF-8 -t ISO-2022-JP utf8.txt > JIS.TXT
mv utf8.txt UTF8.TXT
zip -q -X "$out/codes.zip" SJIS.TXT EUC.TXT JIS.TXT UTF8.TXT
# Names the list must show whole: a rest of many dots beside a seven-digit size, an underscore.
mkdir -p "$work/names" && cd "$work/names"
printf 'names\r\n' > README.TXT
head -c 1234567 /dev/zero | tr '\0' 'a' > x..aaaaaaaaaaaaaaaaaaaa.a
printf 'underscore\r\n' > a_locale.txt
zip -q -X "$out/names.zip" README.TXT x..aaaaaaaaaaaaaaaaaaaa.a a_locale.txt
# Folder entries of their own (level 1, with nested folders), from the LZH reader's samples.
cp "$here/../../viewer/archive/testdata/lzh/lha_unix114i/h1_subdir.lzh" "$out/h1_subdir.lzh"
# Today's compressed files: a source tarball (GNU tar, gzip), a rotated log compressed alone,
# and a ZIP file under another name.
mkdir -p "$work/tar/project-1.0/docs" && cd "$work/tar"
printf 'hello tarball\r\n' > project-1.0/README.TXT
for i in $(seq 1 20); do printf 'doc line %d\r\n' "$i"; done > project-1.0/docs/MEMO.TXT
ln -s README.TXT project-1.0/LINK.TXT
tar --format=gnu -czf "$out/project-1.0.tar.gz" project-1.0
for i in $(seq 1 30); do printf '12月 8 10:%02d:00 host app: 処理 %d 件目を終えました\r\n' "$i" "$i"; done |
  iconv -f UTF-8 -t CP932 > "$work/syslog.2"
gzip -n -c "$work/syslog.2" > "$out/syslog.2.gz"
mkdir -p "$work/docx/word" && cd "$work/docx"
printf '<?xml version="1.0"?>\r\n<Types/>\r\n' > '[Content_Types].xml'
printf '<w:document/>\r\n' > word/document.xml
rm -f "$out/report.docx"
zip -q -X "$out/report.docx" '[Content_Types].xml' word/document.xml
# A log large enough to be shown before its stream is decoded, the same with a CRC that fails,
# and a tar whose second header is damaged (listed up to it).
cd "$work"
awk 'BEGIN { for (i = 1; i <= 400000; i++) printf "12月 8 %02d:%02d:%02d host app: 処理 %d 件目を終えました\r\n", int(i / 3600) % 24, int(i / 60) % 60, i % 60, i }' |
  iconv -f UTF-8 -t CP932 > big.log
gzip -n -c big.log > "$out/big.log.gz"
python3 - "$out/big.log.gz" "$out/bad.log.gz" <<'PY'
import sys
data = bytearray(open(sys.argv[1], 'rb').read())
data[-8] ^= 0xFF
open(sys.argv[2], 'wb').write(data)
PY
mkdir -p "$work/cut" && cd "$work/cut"
printf 'before the damage\r\n' > README.TXT
printf 'never listed\r\n' > AFTER.TXT
tar --format=ustar -cf "$work/cut.tar" README.TXT AFTER.TXT
python3 - "$work/cut.tar" "$out/damaged.tar" <<'PY'
import sys
data = bytearray(open(sys.argv[1], 'rb').read())
data[1024 + 148] = ord('9')  # the second header's checksum no longer holds
open(sys.argv[2], 'wb').write(data)
PY
