#!/usr/bin/env bash
# zvcat's contract, checked from outside: output bytes, --utf8, --detect, --rows, --code,
# layout options, messages and exit statuses.
# Usage: zvcat_test.sh SAMPLES_DIR WORK_DIR ZVCAT [EMULATOR...]
set -uo pipefail
samples=$1 work=$2
shift 2
zvcat=("$@")
mkdir -p "$work"
source "$(dirname "$0")/contract_checks.sh"

# The text: converted to Shift-JIS, byte for byte what iconv gives.
run "$samples/euc.txt" >"$work/euc.out"
check "EUC text equals iconv's CP932" "$(sha1sum <"$samples/euc.cp932")" "$(sha1sum <"$work/euc.out")"
run --utf8 "$samples/jis.txt" >"$work/jis.utf8"
check "--utf8 equals iconv's UTF-8" "$(iconv -f CP932 -t UTF-8 "$samples/jis.cp932" | sha1sum)" "$(sha1sum <"$work/jis.utf8")"
# Shift-JIS goes out as it is, to a file (copied inside the system on Linux), appended to one,
# and into a pipe, whatever way each of them takes.
run --code sjis "$samples/sjis.txt" >"$work/sjis.out"
check "Shift-JIS to a file is the file" "$(sha1sum <"$samples/sjis.txt")" "$(sha1sum <"$work/sjis.out")"
printf 'before\n' >"$work/sjis-appended.out"
run --code sjis "$samples/sjis.txt" >>"$work/sjis-appended.out"
check "Shift-JIS appended to a file" "$({ printf 'before\n'; cat "$samples/sjis.txt"; } | sha1sum)" "$(sha1sum <"$work/sjis-appended.out")"
check "Shift-JIS into a pipe" "$(sha1sum <"$samples/sjis.txt")" "$(run --code sjis "$samples/sjis.txt" | sha1sum)"

# Detection.
check "detect sjis" "sjis text" "$(run --detect "$samples/sjis.txt")"
check "detect euc" "euc text" "$(run --detect "$samples/euc.txt")"
check "detect jis" "jis text" "$(run --detect "$samples/jis.txt")"
head -c 3000 /dev/zero >"$work/zeros.bin"
check "detect binary" "sjis binary" "$(run --detect "$work/zeros.bin")"

# A forced code is used as it is.
printf '\xa4\xa2\n' >"$work/euc-kana.txt"
check "forced sjis keeps EUC bytes" "a4a20a" "$(run --code sjis "$work/euc-kana.txt" | od -An -tx1 | tr -d ' \n')"
check "automatic converts" "82a00a" "$(run "$work/euc-kana.txt" | od -An -tx1 | tr -d ' \n')"

# Rows: offset, length, line end.
printf '%0200d\nab\tc\r\n\x88\x9f' 0 >"$work/rows.txt"
check "rows" "$(printf '0\t80\t0\n80\t80\t0\n160\t40\t1\n201\t4\t1\n207\t2\t0')" "$(run --rows "$work/rows.txt")"
check "rows --line-max 150" "$(printf '0\t150\t0\n150\t50\t1\n201\t4\t1\n207\t2\t0')" "$(run --rows --line-max 150 "$work/rows.txt")"
printf 'a\tb\tc' >"$work/tabs.txt"
check "rows --tab-size 8 --line-max 9" "$(printf '0\t3\t0\n3\t2\t0')" "$(run --rows --tab-size 8 --line-max 9 "$work/tabs.txt")"
# (enough plain text follows that the file is not taken for binary)
{ printf '\x01\x01\x01\x01\x01x\n'; printf 'plain\n%.0s' $(seq 20); } >"$work/ctrl.txt"
check "rows with control codes" "$(printf '0\t4\t0\n4\t2\t1')" "$(run --rows --line-max 8 "$work/ctrl.txt" | head -n 2)"
check "rows --no-control-codes" "$(printf '0\t6\t1\n7\t5\t1')" "$(run --rows --line-max 8 --no-control-codes "$work/ctrl.txt" | head -n 2)"

# Archives: the member list, extraction under a folder, one member shown.
rm -rf "$work/zip" && mkdir -p "$work/zip/in/sub" && cd "$work/zip/in"
printf 'first member\n' >a.txt
head -c 5000 "$samples/sjis.txt" >sub/b.txt
zip -q -9 ../t.zip a.txt sub/b.txt && cd - >/dev/null
# (unzip -v's methods "Stored" and "Defl:X" are listed as "Stored " and "Defl<X>")
check "list" "$(unzip -v "$work/zip/t.zip" | awk '$8 ~ /txt$/ {
    m = $2; if (m == "Stored") m = "Stored "; else sub(/^Defl:/, "Defl<", m) && m = m ">"
    printf "%d\t%s\t%s\t%s\t%s\n", n++, m, $3, $1, $8 }')" "$(run --list "$work/zip/t.zip")"
run --extract "$work/zip/t.zip" -o "$work/zip/out" >/dev/null
check "extract status" "0" "$?"
check "extracted files" "same" "$(diff -r "$work/zip/in" "$work/zip/out" >/dev/null && echo same)"
check "member shown" "first member" "$(run --member 0 "$work/zip/t.zip")"
# A stored member whose bytes no longer match its CRC: shown, but said and failed.  (--utf8:
# messages in UTF-8 on Windows too)
(cd "$work/zip/in" && zip -q -X -0 ../damaged.zip a.txt)
printf 'F' | dd of="$work/zip/damaged.zip" bs=1 seek=$((30 + 5)) conv=notrunc status=none
for options in --utf8 "--utf8 --rows"; do
  read -ra words <<<"$options"
  run "${words[@]}" "$work/zip/damaged.zip" >"$work/zip/damaged.out"
  check "damaged member $options: status" "1" "$?"
  check "damaged member $options: message" \
    "zvcat: $work/zip/damaged.zip: 表示したメンバーが書庫の検査値と一致しません (CRC or length mismatch)" "$(tr -d '\r' <"$work/stderr")"
done
check "damaged member: the text shown" "First member" "$(run "$work/zip/damaged.zip")"

# Failures: the system's message on standard error, exit status 1; bad usage 2.
run --utf8 "$work/no-such-file.txt" >/dev/null
check "missing file status" "1" "$?"
check "missing file message" "zvcat: $work/no-such-file.txt: ファイルが見つかりません" "$(tr -d '\r' <"$work/stderr")"
run --utf8 "$work" >/dev/null
check "directory status" "1" "$?"
check "directory message" "zvcat: $work はフォルダです。ファイルを指定してください" "$(tr -d '\r' <"$work/stderr")"
run --utf8 --member 5 "$work/zip/t.zip" >/dev/null
check "member out of range status" "1" "$?"
check "member out of range message" "zvcat: $work/zip/t.zip にメンバー 5 はありません (メンバーは 2 個で、0 から数えます)" \
  "$(tr -d '\r' <"$work/stderr")"
run --utf8 --extract "$work/zip/t.zip" -o "$work/rows.txt/out" >/dev/null
check "output folder that cannot be made: status" "1" "$?"
check "output folder that cannot be made: message" "yes" "$(grep -q "フォルダ $work/rows.txt/out が作成できません" "$work/stderr" && echo yes)"
run --bogus "$work/rows.txt" >/dev/null
check "bad option status" "2" "$?"
run --code klingon "$work/rows.txt" >/dev/null
check "bad code status" "2" "$?"

finish
