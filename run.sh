#!/usr/bin/env bash
# Installs what is missing, builds ZV32.EXE and shows FILE (default: the bundled Japanese
# sample) in it under wine64: in a window on the display when there is one, otherwise under
# Xvfb, where a picture of the window is saved once the file is loaded and its path printed.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup >&2
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target zv32 plim32 zlkoview_help zv32_snapshot >/dev/null
scripts/wine-prefix >&2

file=$(realpath "${1:-viewer/resources/sample/README.TXT}")
[ -e "$file" ] || { echo "run.sh: $file does not exist" >&2; exit 1; }
windows_path="Z:${file//\//\\}"
build=build/win64

if [ -n "${DISPLAY:-}" ] && xset q >/dev/null 2>&1; then
  exec cmake/wine-run "$build/ZV32.EXE" "$windows_path"
fi
echo "run.sh: no display; showing the file under Xvfb and saving a picture" >&2
picture=$(xvfb-run -a -s "-screen 0 1280x1024x24" cmake/wine-run "$build/zv32_snapshot.exe" run "$windows_path" | tr -d '\r')
WINEPREFIX=$PWD/build/wineprefix /usr/lib/wine/wineserver -k 2>/dev/null || true
linux_picture=$(cmake/wine-run winepath -u "$picture" 2>/dev/null | tr -d '\r' || true)
echo "run.sh: the viewer showed $file; picture: ${linux_picture:-$picture}"
