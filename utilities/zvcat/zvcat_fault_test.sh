#!/usr/bin/env bash
# zvcat under faults injected from outside (Linux, LD_PRELOAD of the fault shim): every open,
# read, lseek, fstat, stat and write of a run fails in turn, and reads come back a few bytes at
# a time.  Each faulted run must give the exact output of the fault-free run, or a status other
# than 0 with a message; never a signal, never status 0 after lost output, and --extract never
# leaves a partly written file.  Short reads and interrupted calls must change nothing.
# Usage: zvcat_fault_test.sh SAMPLES_DIR LZH_DIR WORK_DIR SHIM ZVCAT
set -uo pipefail
samples=$1 lzh=$2 work=$3 shim=$4
shift 4
zvcat=("$@")
rm -rf "$work" && mkdir -p "$work/in/sub"
source "$(dirname "$0")/contract_checks.sh"

# Inputs: texts larger than the 64 KiB read-ahead, an LZH archive, a ZIP with a folder.
head -n 5000 "$samples/sjis.txt" >"$work/text.sjis"
head -n 5000 "$samples/euc.txt" >"$work/text.euc"
iconv -f SHIFT_JIS -t UTF-8 "$work/text.sjis" >"$work/text.utf8"
cp "$lzh/lha_unix114i/h1_lh5.lzh" "$work/gpl.lzh"
cp "$lzh/lha_unix114i/h1_subdir.lzh" "$work/tree.lzh"
printf 'first member\n' >"$work/in/a.txt"
head -c 100000 "$work/text.sjis" >"$work/in/sub/b.txt"
(cd "$work/in" && zip -q -9 ../t.zip a.txt sub/b.txt)

# One command per line: the arguments, "|", the input.
cases="
|text.sjis
--utf8|text.sjis
--rows|text.sjis
--analyze toc|text.sjis
--grep の|text.euc
--detect|text.euc
--code utf8|text.utf8
--list|gpl.lzh
--member 0|gpl.lzh
|tree.lzh
--extract|gpl.lzh
--extract|tree.lzh
--list|t.zip
|t.zip
--member 1|t.zip
--extract|t.zip"

# The errors each call family is failed with; EINTR (retried) must change nothing.
errors_of() {
  case $1 in
    read | write) echo "5 4" ;;  # EIO, EINTR
    *) echo 5 ;;
  esac
}

# Runs one case into $work/run: out, err, tree (extraction), status.  Environment settings for
# the shim come first: faulty VAR=VALUE... -- ARGS...
faulty() {
  local settings=()
  while [ "$1" != -- ]; do settings+=("$1"); shift; done
  shift
  rm -rf "$work/run" && mkdir -p "$work/run"
  local args=("$@")
  [ "${args[0]}" = --extract ] && args+=(-o "$work/run/tree")
  env LD_PRELOAD="$shim" "${settings[@]}" "${zvcat[@]}" "${args[@]}" >"$work/run/out" 2>"$work/run/err"
  echo $? >"$work/run/status"
}

# "same" when the faulted run's output, messages, status and tree equal the fault-free run's.
same_as_expected() { diff -r -x counts "$work/run" "$work/expected" >/dev/null 2>&1 && echo same; }

# Every file left in the faulted run's tree is complete: equal to the fault-free one.
partial_files() {
  [ -d "$work/run/tree" ] || return 0
  (cd "$work/run/tree" && find . -type f) | while read -r file; do
    cmp -s "$work/run/tree/$file" "$work/expected/tree/$file" || echo "$file"
  done
}

# Judges the faulted run against the fault-free one in $work/expected.
judge() {
  local name=$1 status
  status=$(cat "$work/run/status")
  if [ "$status" -ge 128 ]; then
    check "$name: no signal" "status < 128" "status $status"
  elif [ "$status" -eq 0 ]; then
    check "$name: status 0 means the exact output" "same" "$(same_as_expected)"
  else
    check "$name: a failure has a message" "message" "$([ -s "$work/run/err" ] && echo message)"
    check "$name: no partly written file" "" "$(partial_files)"
  fi
}

# The first, second, last and a few points between of 1..count.
points() {
  local count=$1
  if [ "$count" -le 12 ]; then seq 1 "$count"; return; fi
  printf '%s\n' 1 2 3 $((count / 4)) $((count / 2)) $((3 * count / 4)) $((count - 1)) "$count" | sort -un
}

runs=0
while IFS='|' read -r options input; do
  [ -n "$input" ] || continue
  read -ra words <<<"$options"
  args=("${words[@]}" "$work/$input")
  faulty ZV_FAULT_COUNTS="$work/run/counts" -- "${args[@]}"
  check "$options $input: fault-free run" "0 counted" "$(cat "$work/run/status") $([ -s "$work/run/counts" ] && echo counted)"
  rm -rf "$work/expected" && mv "$work/run" "$work/expected"
  for short in 1 5; do
    faulty ZV_FAULT_SHORT=$short -- "${args[@]}"
    check "$options $input: reads of $short byte(s) change nothing" "0 same" \
      "$(cat "$work/run/status") $(same_as_expected)"
  done
  while read -r family count; do
    for error in $(errors_of "$family"); do
      for n in $(points "$count"); do
        faulty ZV_FAULT_CALL="$family" ZV_FAULT_AT="$n" ZV_FAULT_ERRNO="$error" -- "${args[@]}"
        if [ "$error" = 4 ]; then
          check "$options $input: interrupted $family $n changes nothing" "0 same" \
            "$(cat "$work/run/status") $(same_as_expected)"
        else
          judge "$options $input: $family $n fails"
        fi
        runs=$((runs + 1))
      done
    done
  done <"$work/expected/counts"
done <<<"$cases"
echo "$runs faulted runs"

# A closed pipe: quiet, whether zvcat sees SIGPIPE or EPIPE.
faulty ZV_FAULT_CALL=write ZV_FAULT_AT=1 ZV_FAULT_ERRNO=32 -- "$work/text.sjis"
check "EPIPE: status 1, no message" "1 " "$(cat "$work/run/status") $(cat "$work/run/err")"
"${zvcat[@]}" "$work/text.sjis" 2>"$work/stderr" | head -c 1 >/dev/null
check "closed pipe: no message" "" "$(cat "$work/stderr")"
# A full device, without the shim.
for options in "" --rows --detect "--grep の" "--analyze toc"; do
  read -ra words <<<"$options"
  "${zvcat[@]}" "${words[@]}" "$work/text.sjis" >/dev/full 2>"$work/stderr"
  check "$options >/dev/full: status 1" "1" "$?"
  check "$options >/dev/full: message" "zvcat: ファイルに書き込めません (標準出力: " "$(head -c 59 "$work/stderr")"
done
for options in --list "--member 1"; do
  read -ra words <<<"$options"
  "${zvcat[@]}" "${words[@]}" "$work/t.zip" >/dev/full 2>/dev/null
  check "$options >/dev/full: status 1" "1" "$?"
done

finish
