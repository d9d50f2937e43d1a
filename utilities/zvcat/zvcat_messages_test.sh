#!/usr/bin/env bash
# zvcat's messages in the user's language (Linux): each failure with its own message naming the
# file, member or number, in English under LANG=C and in Japanese under LANG=ja_JP.UTF-8, the
# same through a pipe and on a pseudo-terminal (script(1)), with its exit status: 1 for a
# failure the viewer would report, 2 for bad usage.
# Usage: zvcat_messages_test.sh WORK_DIR SHIM ZVCAT
set -uo pipefail
work=$1 shim=$2
shift 2
zvcat=("$@")
rm -rf "$work" && mkdir -p "$work"
source "$(dirname "$0")/contract_checks.sh"
unset LC_ALL

# Settings put before zvcat (VAR=VALUE), for the case that needs them.
setting=()
# message NAME STATUS ENGLISH JAPANESE ARGS...: the first line zvcat writes on standard error,
# and its status, in both languages, through a pipe and on a terminal.
message() {
  local name=$1 status=$2 english=$3 japanese=$4 lang expected command
  shift 4
  for lang in C ja_JP.UTF-8; do
    expected=$english
    [ "$lang" = C ] || expected=$japanese
    env "${setting[@]}" LANG="$lang" "${zvcat[@]}" "$@" >/dev/null 2>"$work/stderr"
    check "$name, $lang, pipe" "$status zvcat: $expected" "$? $(head -n 1 "$work/stderr")"
    command=$(printf '%q ' env "${setting[@]}" LANG="$lang" "${zvcat[@]}" "$@")
    script -qec "$command 2>&1 >/dev/null" /dev/null </dev/null | tr -d '\r' >"$work/terminal"
    check "$name, $lang, terminal" "$status zvcat: $expected" "${PIPESTATUS[0]} $(head -n 1 "$work/terminal")"
  done
}

printf 'text\n' >"$work/text.txt"
python3 - "$work/memo.zip" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], 'w') as z:
    z.writestr('フォルダ/', '')
    z.writestr('日本語/メモ.txt', 'memo\n')
PY
zip="$work/memo.zip"

message "a file that is not there" 1 "$work/none.txt: file not found" "$work/none.txt: ファイルが見つかりません" \
  "$work/none.txt"
message "a folder given as the file" 1 "$work is a folder, not a file" "$work はフォルダです。ファイルを指定してください" \
  --rows "$work"
message "a folder given as the archive" 1 "$work is a folder, not a file" \
  "$work はフォルダです。ファイルを指定してください" --list "$work"
# (a file made unreadable by its mode can still be read by root: the shim refuses the open)
setting=(LD_PRELOAD="$shim" ZV_FAULT_CALL=open ZV_FAULT_AT=1 ZV_FAULT_ERRNO=13)
message "a file that cannot be read" 1 "$work/text.txt: cannot read the file (Permission denied)" \
  "$work/text.txt: ファイルが読み込めません (許可がありません)" "$work/text.txt"
setting=()
message "a member number out of range" 1 "$zip has no member 9 (it has 2, numbered from 0)" \
  "$zip にメンバー 9 はありません (メンバーは 2 個で、0 から数えます)" --member 9 "$zip"
message "a member number out of range, extracting" 1 "$zip has no member 2 (it has 2, numbered from 0)" \
  "$zip にメンバー 2 はありません (メンバーは 2 個で、0 から数えます)" --extract "$zip" --member 2 -o "$work/out"
message "a member that is a folder" 1 "$zip: member 0 is a folder" "$zip: メンバー 0 はフォルダです" --member 0 "$zip"
message "a file that is no archive" 1 "$work/text.txt is not an archive (LZH, ZIP, gzip or tar)" \
  "$work/text.txt は書庫 (LZH, ZIP, gzip, tar) ではありません" --list "$work/text.txt"
message "an output folder that cannot be created" 1 \
  "cannot create the folder $work/text.txt/out (Not a directory)" \
  "フォルダ $work/text.txt/out が作成できません (ディレクトリではありません)" --extract "$zip" -o "$work/text.txt/out"
# A member name is shown as it is written on disk: UTF-8 in the Japanese locale, the archive's
# Shift-JIS bytes in the C locale.
mkdir -p "$work/blocked" && printf 'x' >"$work/blocked/日本語" && printf 'x' >"$work/blocked/$(sjis '日本語')"
message "a member that cannot be extracted" 1 "cannot extract $(sjis '日本語/メモ.txt')" "日本語/メモ.txtの展開に失敗しました" \
  --extract "$zip" --member 1 -o "$work/blocked"
message "a pattern too long" 2 "the pattern must be 1 to 255 bytes long" "検索文字列は 1 から 255 バイトまでです" \
  --grep "$(printf '%0300d' 0)" "$work/text.txt"
message "nothing found by an analysis" 1 "nothing that looks like a log header was found" \
  "特にヘッダらしいものがみつかりませんでした" --analyze log "$work/text.txt"

# Bad usage: the message, then the usage.
message "an unknown option" 2 "unknown option --bogus" "--bogus というオプションはありません" --bogus "$work/text.txt"
check "the usage follows, English" "usage: zvcat" "$(LANG=C "${zvcat[@]}" --bogus 2>&1 | sed -n '2s/ \[.*//p')"
check "the usage follows, Japanese" "使い方: zvcat" "$(LANG=ja_JP.UTF-8 "${zvcat[@]}" --bogus 2>&1 | sed -n '2s/ \[.*//p')"
# (Without a file zvcat reads standard input when it is no terminal: --grep lacks its pattern too.)
message "no pattern and no file" 2 "missing operand" "ファイルが指定されていません" --grep
message "two files" 2 "too many operands" "ファイルの指定が多すぎます" "$work/text.txt" "$work/text.txt"
message "a bad value" 2 "bad value for --member: x" "--member の値が正しくありません: x" --member x "$work/text.txt"
message "a missing value" 2 "missing value after --code" "--code の後に値がありません" "$work/text.txt" --code
message "two commands" 2 "only one command may be given" "コマンドは一つだけ指定できます" --rows --list "$work/text.txt"

# --help: the usage on standard output, status 0, in the user's language.
LANG=C "${zvcat[@]}" --help >"$work/help.C"
check "--help status" "0" "$?"
check "--help, English" "usage: zvcat" "$(sed -n '1s/ \[.*//p' "$work/help.C")"
check "--help lists every command" "10" "$(grep -c 'zvcat' "$work/help.C")"
LANG=ja_JP.UTF-8 script -qec "$(printf '%q ' "${zvcat[@]}") --help" /dev/null </dev/null | tr -d '\r' >"$work/help.ja"
check "--help on a Japanese terminal" "使い方: zvcat" "$(sed -n '1s/ \[.*//p' "$work/help.ja")"
# LC_MESSAGES chooses the language, LANG the rest.
check "LC_MESSAGES=C under LANG=ja_JP.UTF-8" "zvcat: missing operand" \
  "$(LANG=ja_JP.UTF-8 LC_MESSAGES=C "${zvcat[@]}" --grep 2>&1 | head -n 1)"

finish
