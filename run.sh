#!/usr/bin/env bash
# Installs what is missing, builds zvcat and shows FILE (default: the bundled Japanese sample)
# converted for this terminal.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup >&2
cmake --preset host >/dev/null
cmake --build --preset host --target zvcat >/dev/null
file=${1:-viewer/resources/sample/README.TXT}
exec build/host/utilities/zvcat/zvcat --utf8 "$file"
