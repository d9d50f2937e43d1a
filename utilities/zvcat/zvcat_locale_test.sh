#!/usr/bin/env bash
# zvcat and the terminal's language (Linux): in a UTF-8 locale a UTF-8 pattern is converted to
# Shift-JIS, and text and names written to a terminal (a pseudo-terminal made by script(1)) are
# UTF-8 unless --sjis is given; pipes and files keep the Shift-JIS bytes.  Also UTF-8 and UTF-16
# files: --detect, --code and their text.
# Usage: zvcat_locale_test.sh WORK_DIR ZVCAT
set -uo pipefail
work=$1
shift
zvcat=("$@")
mkdir -p "$work"
source "$(dirname "$0")/contract_checks.sh"
# on_terminal LOCALE ARGS...: zvcat's output on a pseudo-terminal (its CR LF made LF again).
on_terminal() {
  local locale=$1
  shift
  LC_ALL=$locale script -qec "$(printf '%q ' "${zvcat[@]}" "$@")" /dev/null </dev/null | tr -d '\r'
}

text="$work/text.sjis"
sjis 'ファイルの一覧\nabc\n' >"$text"
utf8=$(printf 'ファイルの一覧\nabc')
check "UTF-8 terminal gets UTF-8" "$utf8" "$(on_terminal C.UTF-8 "$text")"
check "--sjis on a UTF-8 terminal" "$(sjis 'ファイルの一覧\nabc')" "$(on_terminal C.UTF-8 --sjis "$text")"
check "C locale terminal gets Shift-JIS" "$(sjis 'ファイルの一覧\nabc')" "$(on_terminal C "$text")"
check "a pipe keeps Shift-JIS" "$(od -An -tx1 "$text")" "$(LC_ALL=C.UTF-8 "${zvcat[@]}" "$text" | od -An -tx1)"
run --utf8 --sjis "$text" >/dev/null
check "--utf8 with --sjis is bad usage" "2" "$?"
check "no file with a terminal as standard input is bad usage" "zvcat: missing operand" \
  "$(on_terminal C --detect | head -n 1)"

# Patterns: converted when valid UTF-8 in a UTF-8 locale, else taken as bytes.
check "UTF-8 pattern in a UTF-8 locale" "$(printf '0\t0\t8')" "$(LC_ALL=C.UTF-8 run --grep 'ファイル' "$text")"
check "UTF-8 pattern bytes in the C locale" "" "$(LC_ALL=C run --grep 'ファイル' "$text")"
check "Shift-JIS pattern bytes in a UTF-8 locale" "$(printf '0\t0\t8')" "$(LC_ALL=C.UTF-8 run --grep "$(sjis 'ファイル')" "$text")"
check "pattern in the ja_JP.UTF-8 locale" "$(printf '0\t10\t4')" "$(LC_ALL=ja_JP.UTF-8 run --grep '一覧' "$text")"
LC_ALL=C.UTF-8 run --grep 'é' "$text" >/dev/null
check "a character Shift-JIS lacks" "2" "$?"

# Archive member names on a terminal.
rm -rf "$work/zip" && mkdir -p "$work/zip"
name=$(sjis '説明.txt')
(cd "$work/zip" && printf 'x\n' >"$name" && zip -q t.zip "$name")
check "names on a UTF-8 terminal" "yes" "$(on_terminal C.UTF-8 --list "$work/zip/t.zip" | grep -q '説明.txt' && echo yes)"

# UTF-8 and UTF-16 files.
printf '\xef\xbb\xbfファイル\n' >"$work/u8.txt"
{ printf '\xff\xfe'; printf 'ファイル\n' | iconv -f UTF-8 -t UTF-16LE; } >"$work/u16.txt"
check "detect utf8" "utf8 text" "$(run --detect "$work/u8.txt")"
check "detect utf16" "utf16 text" "$(run --detect "$work/u16.txt")"
check "UTF-8 file as Shift-JIS bytes" "$(sjis 'ファイル\n' | od -An -tx1)" "$(run "$work/u8.txt" | od -An -tx1)"
check "UTF-16 file on a UTF-8 terminal" "ファイル" "$(on_terminal C.UTF-8 "$work/u16.txt")"
check "--code utf16 on a UTF-8 file" "utf16 text" "$(run --code utf16 --detect "$work/u8.txt")"
check "kanji search in a UTF-8 file" "$(printf '0\t0\t8')" "$(LC_ALL=C.UTF-8 run --grep 'ファイル' "$work/u8.txt")"
check "kanji search in a UTF-16 file" "$(printf '0\t4\t4')" "$(LC_ALL=C.UTF-8 run --grep 'イル' "$work/u16.txt")"
check "--code utf8" "$(sjis 'ファイル\n' | od -An -tx1)" "$(run --code utf8 "$work/u8.txt" | od -An -tx1)"

finish
