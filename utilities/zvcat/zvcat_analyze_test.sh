#!/usr/bin/env bash
# zvcat --analyze from outside: the title line and the rows of each analysis, --utf8 and
# layout options, the viewer's messages when nothing is found, and bad usage.
# Usage: zvcat_analyze_test.sh WORK_DIR ZVCAT [EMULATOR...]
set -uo pipefail
work=$1
shift
zvcat=("$@")
mkdir -p "$work"
source "$(dirname "$0")/contract_checks.sh"
rows() { printf '%s\n' "$@"; }

# Pages: form feeds at the ends of rows 10, 20 and 30 of a 1 KiB file.
for r in $(seq 0 59); do printf 'row %-20d' "$r"; [ "$r" = 10 ] || [ "$r" = 20 ] || [ "$r" = 30 ] && printf '\f'; printf '\n'; done >"$work/feeds.txt"
check "pages by form feeds" "$(rows 'ﾍﾟｰｼﾞﾘｽﾄ (1P=10L)' 0 11 21 31)" "$(run --utf8 --analyze pages "$work/feeds.txt")"
check "the title is Shift-JIS without --utf8" "$(sjis 'ﾍﾟｰｼﾞﾘｽﾄ (1P=10L)')" "$(run --analyze pages "$work/feeds.txt" | head -n 1)"
# Pages by repeated rows: a 3-row head on every 66-row page.
for p in 0 1 2 3; do printf 'REPORT\n\n======\n'; for r in $(seq 3 65); do printf 'page %d row %d\n' "$p" "$r"; done; done >"$work/paged.txt"
check "pages by repeated rows" "$(rows 'ﾍﾟｰｼﾞﾘｽﾄ (1P=66L)' 0 66 132 198 264)" "$(run --utf8 --analyze pages "$work/paged.txt")"
printf 'short\n' >"$work/short.txt"
run --utf8 --analyze pages "$work/short.txt" >"$work/out"
check "too small status" "1" "$?"
check "too small message" "$(rows 'zvcat: ページ構造の解析に失敗しました' 'ファイルが小さすぎるか、ページ構造が存在しません')" "$(tr -d '\r' <"$work/stderr")"
check "too small prints nothing" "" "$(cat "$work/out")"

# Table of contents, INI sections, log headers.
sjis '目次\n1. 概要\n本文です\n　（１）目的\n[2] 方法\n■注意\n概要\n' >"$work/toc.txt"
check "toc" "$(rows '目次リスト' 1 3 4 5)" "$(run --utf8 --analyze toc "$work/toc.txt")"
printf '; settings\n[Boot]\nshell=x\n [Indented]\n[Trailing] \n[Drivers]\r\nkey=1\n[\n' >"$work/sys.ini"
check "ini" "$(rows 'INIﾌｧｲﾙｾｸｼｮﾝ' 1 5)" "$(run --utf8 --analyze ini "$work/sys.ini")"
{ printf 'opening\n123/456   ABC12345  '; sjis '件名\n本文\n'; printf '123/456   abc12345  x\n12345/67890 XYZ00001  re\n'
  printf '001  [95/04/01 12:34]  PCS01234 t\n#1 0123456789abcdefghiXYZ00001          95/04/01 12:34\n'; } >"$work/chat.log"
check "log" "$(rows 'ログヘッダ' 1 4 5 6)" "$(run --utf8 --analyze log "$work/chat.log")"

# Rows follow the layout options: a wrapped line's second row can be an entry.
{ printf '%080d' 0 | tr 0 x; printf '12 continued\n'; } >"$work/wrap.txt"
check "toc on wrapped rows" "$(rows '目次リスト' 1)" "$(run --utf8 --analyze toc "$work/wrap.txt")"
run --utf8 --line-max 100 --analyze toc "$work/wrap.txt" >/dev/null
check "--line-max 100: no entry" "1" "$?"
check "no entry message" "zvcat: 特に目次項目らしいものがみつかりませんでした" "$(tr -d '\r' <"$work/stderr")"

# Nothing found in the other analyses; a binary file is analysed as its dump lines.
run --utf8 --analyze ini "$work/toc.txt" >/dev/null
check "no section" "1" "$?"
check "no section message" "zvcat: .INIファイルの構造解析に失敗しました" "$(tr -d '\r' <"$work/stderr")"
head -c 4096 /dev/zero >"$work/zeros.bin"
run --utf8 --analyze log "$work/zeros.bin" >/dev/null
check "no header" "1" "$?"
check "no header message" "zvcat: 特にヘッダらしいものがみつかりませんでした" "$(tr -d '\r' <"$work/stderr")"

# Bad usage.
run --analyze chapters "$work/toc.txt" >/dev/null
check "unknown analysis" "2" "$?"
check "no file operand: standard input" "$(rows '目次リスト' 1 3 4 5)" "$(run --utf8 --analyze toc <"$work/toc.txt")"
run --grep x --analyze toc "$work/toc.txt" >/dev/null
check "two commands" "2" "$?"
run --analyze toc "$work/no-such-file.txt" >/dev/null
check "missing file" "1" "$?"

finish
