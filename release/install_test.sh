#!/usr/bin/env bash
# scripts/install and scripts/uninstall in a temporary prefix and home: every file in its place
# (zvcat and its manual page, the viewer's programs, the launcher, a valid desktop entry, the
# icon in each size), `man zvcat` renders, `zvcat --version` is the version resource of the
# programs installed, the prefix's index of "open with" offers zv32 while it is installed,
# nothing is written outside the prefix, and uninstalling leaves the prefix as it was (a user's
# own files in it untouched).
#   install_test.sh SOURCE WORK
# Exit status 77 (a skip) when the host or win64 preset is not built.
set -euo pipefail
source=$1 work=$2
for built in build/host/utilities/zvcat/zvcat build/win64/ZV32.EXE build/win64/PLIM32.DLL; do
  [ -f "$source/$built" ] || { echo "SKIP: $built is not built; ./test.sh builds every preset"; exit 77; }
done
rm -rf "$work"
export HOME=$work/home
unset XDG_DATA_HOME
prefix=$work/prefix
mkdir -p "$HOME" "$prefix/bin" "$prefix/share/applications"
echo "the user's own" >"$prefix/bin/own-tool"
printf '[Desktop Entry]\nType=Application\nName=Own\nExec=own-tool %%f\nMimeType=text/x-own;\n' \
  >"$prefix/share/applications/own.desktop"
update-desktop-database "$prefix/share/applications"  # the user's index of "open with"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$source/scripts/install" --no-build --prefix "$prefix"
"$source/scripts/install" --no-build --prefix "$prefix" >/dev/null  # again, over itself

for file in bin/zvcat bin/zv32 share/man/man1/zvcat.1 share/applications/zv32.desktop \
            lib/zv32/ZV32.EXE lib/zv32/PLIM32.DLL lib/zv32/ZVKEY32.EXE lib/zv32/PLIMCFG.EXE; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
for program in bin/zvcat bin/zv32; do
  [ -x "$prefix/$program" ] || fail "$program is not executable"
done
bash -n "$prefix/bin/zv32" || fail "the launcher is not a valid script"
grep -qF "programs=\"$prefix/lib/zv32\"" "$prefix/bin/zv32" || fail "the launcher does not name $prefix/lib/zv32"

desktop=$prefix/share/applications/zv32.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects zv32.desktop"
grep -qF "Exec=\"$prefix/bin/zv32\" %F" "$desktop" || fail "the desktop entry does not run $prefix/bin/zv32"
for type in text/plain application/x-lzh-compressed application/zip; do
  grep -q "^MimeType=.*$type;" "$desktop" || fail "the desktop entry does not open $type"
done
grep -q '^Name\[ja\]=' "$desktop" && grep -q '^Comment\[ja\]=' "$desktop" || fail "no Japanese name"
grep -q '^text/plain=.*zv32.desktop' "$prefix/share/applications/mimeinfo.cache" ||
  fail "the prefix's index of \"open with\" does not offer zv32 for text/plain"

for size in 16 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/zv32.png
  [ -f "$icon" ] || { fail "no ${size}x${size} icon"; continue; }
  found=$(identify -format '%wx%h %A' "$icon")
  [[ $found == "${size}x${size} "[Bb]lend* || $found == "${size}x${size} True" ]] || fail "$icon is $found"
done

page=$(MANPATH=$prefix/share/man MANWIDTH=80 man --warnings -E ascii zvcat 2>&1) || fail "man zvcat fails"
grep -q '^EXIT STATUS$' <<<"$page" || fail "man zvcat does not show the page: $page"

version=$("$prefix/bin/zvcat" --version | awk '{print $NF}')
resource=$(python3 - "$source/release" "$prefix/lib/zv32" <<'PY'
import sys
sys.path.insert(0, sys.argv[1])
import pe_file
for name in ("ZV32.EXE", "PLIM32.DLL", "ZVKEY32.EXE", "PLIMCFG.EXE"):
    data = open(f"{sys.argv[2]}/{name}", "rb").read()
    numbers, _, tables = pe_file.parse_version(pe_file.PeFile(data).version_resource())
    print(name, tables["041104B0"]["FileVersion"], ".".join(map(str, numbers)))
PY
)
while read -r name text numbers; do
  [ "$text" = "$version" ] || fail "$name has the version $text, zvcat --version says $version"
  [[ $numbers == "$version".* ]] || fail "$name has the numbers $numbers for $version"
done <<<"$resource"

outside=$(cd "$HOME" && find . -mindepth 1)
[ -z "$outside" ] || fail "the install wrote outside the prefix: $outside"

"$source/scripts/uninstall" --prefix "$prefix"
left=$(cd "$prefix" && find . -mindepth 1 | sort | tr '\n' ' ')
expected="./bin ./bin/own-tool ./share ./share/applications ./share/applications/mimeinfo.cache ./share/applications/own.desktop "
[ "$left" = "$expected" ] || fail "after uninstalling the prefix holds: $left"
grep -q 'zv32' "$prefix/share/applications/mimeinfo.cache" && fail "the index of \"open with\" still offers zv32"
if "$source/scripts/uninstall" --prefix "$prefix" 2>/dev/null; then fail "a second uninstall reports success"; fi

[ $failures -eq 0 ] && echo "install and uninstall: sound (zvcat --version $version)"
exit $((failures > 0))
