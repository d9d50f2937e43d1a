#!/usr/bin/env bash
# The installed zv32 launcher as a user meets it, under Xvfb: installed into a temporary
# prefix for a new user (a home of its own, so the launcher makes its Wine prefix on first
# use), it opens two files with Japanese names given as Linux paths, each in a viewer window
# titled with its name, and without a file an empty viewer; pictures of the two windows are saved as SCREENSHOTS/zv32_launcher_1.png
# and zv32_launcher_2.png.  A
# missing file is refused with a message and status 1.  Nothing is written into the home but
# the launcher's data folder; uninstall --purge takes that too.
#   launcher_test.sh SOURCE WORK SCREENSHOTS
# Exit status 77 (a skip) without a display or without the host build (zvcat).
set -euo pipefail
source=$1 work=$2 screenshots=$3
[ -n "${DISPLAY:-}" ] || { echo "SKIP: no display (run under xvfb-run)"; exit 77; }
[ -f "$source/build/host/utilities/zvcat/zvcat" ] || { echo "SKIP: the host preset is not built"; exit 77; }
rm -rf "$work"
export HOME=$work/home
unset XDG_DATA_HOME
prefix=$work/prefix
data=$HOME/.local/share/zv32
mkdir -p "$HOME" "$screenshots"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$source/scripts/install" --no-build --prefix "$prefix" >/dev/null
folder=$work/文書
mkdir -p "$folder"
printf 'メモ\n日本語のテキスト ファイルです。\n漢字・ひらがな・カタカナ\n' | iconv -f UTF-8 -t CP932 >"$folder/メモ.txt"
printf '二つ目のファイル\nＥＵＣで書かれています。\n' | iconv -f UTF-8 -t EUC-JP >"$folder/二つ目.txt"

# Top-level windows on the display, "ID NAME" a line (xwininfo writes the bytes of non-ASCII
# names as octal escapes; they are turned back into UTF-8).
windows() {
  xwininfo -root -children 2>/dev/null | python3 -c '
import re, sys
for line in sys.stdin.buffer:
    found = re.match(rb"\s*(0x[0-9a-f]+) \"(.*)\": ", line)
    if found:
        name = re.sub(rb"\\([0-7]{3})", lambda octal: bytes([int(octal.group(1), 8)]), found.group(2))
        sys.stdout.buffer.write(found.group(1) + b" " + name + b"\n")'
}
window_of() { windows | grep -F "$1" | head -1 | cut -d' ' -f1; }
shows() { [ -n "$(window_of "$1")" ]; }

"$prefix/bin/zv32" "$folder/メモ.txt" "$folder/二つ目.txt" >"$work/launcher.log" 2>&1 &
launcher=$!
for _ in $(seq 1 180); do
  shows "メモ.txt" && shows "二つ目.txt" && break
  sleep 1
done
sleep 3
number=0
for name in "メモ.txt" "二つ目.txt"; do
  number=$((number + 1))
  window=$(window_of "$name")
  if [ -z "$window" ]; then
    fail "no viewer window shows $name; windows: $(windows | tr '\n' ',')"
    continue
  fi
  xdotool windowraise "$window" && sleep 1  # the viewers open over each other
  import -window "$window" "$screenshots/zv32_launcher_$number.png" || fail "no picture of the window of $name"
done

# Without a file a third viewer starts, showing nothing.
"$prefix/bin/zv32" >>"$work/launcher.log" 2>&1 &
empty=$!
viewers() { windows | cut -d' ' -f2- | grep -c '^Zelko View 32 - ' || true; }
for _ in $(seq 1 60); do
  [ "$(viewers)" -ge 3 ] && break
  sleep 1
done
[ "$(viewers)" -eq 3 ] || fail "zv32 without a file: $(viewers) viewers, not 3; windows: $(windows | cut -d' ' -f2- | sort -u | tr '\n' ',')"
WINEPREFIX=$data/wineprefix /usr/lib/wine/wineserver -k 2>/dev/null || true
wait "$launcher" "$empty" || true
[ -f "$data/wineprefix/system.reg" ] || fail "the launcher made no Wine prefix in $data"

if "$prefix/bin/zv32" "$folder/ない.txt" 2>"$work/missing.log"; then fail "a missing file is not refused"; fi
grep -q "ない.txt: no such file" "$work/missing.log" || fail "no message for a missing file: $(cat "$work/missing.log")"

outside=$(cd "$HOME" && find . -mindepth 1 -not -path './.local' -not -path './.local/share' \
  -not -path './.local/share/zv32' -not -path './.local/share/zv32/*')
[ -z "$outside" ] || fail "written outside the prefix and the launcher's data: $(head -5 <<<"$outside")"

"$source/scripts/uninstall" --prefix "$prefix" --purge >/dev/null
[ -z "$(cd "$prefix" && find . -mindepth 1)" ] || fail "the prefix is not empty after uninstalling"
[ ! -e "$data" ] || fail "uninstall --purge left $data"

[ $failures -eq 0 ] && echo "launcher: both files shown; pictures $screenshots/zv32_launcher_[12].png"
exit $((failures > 0))
