#!/usr/bin/env bash
# The Windows release archive made by scripts/package from the win32 build, into WORK:
#   package_test.sh SOURCE WORK                              makes it and lists its members in
#                                                            WORK/members.txt (for the viewer's test)
#   package_test.sh SOURCE WORK NUMBERS ZVCAT [ARGS...]      also checks it with check_package.py
#                                                            against `zvcat --version` and the project
#                                                            version NUMBERS, and checks the checker
# Exit status 77 (a skip) when the win32 preset is not built; ./test.sh builds it first.
set -euo pipefail
source=$1 work=$2
shift 2
win32=$source/build/win32
rm -rf "$work"
for program in ZV32.EXE PLIM32.DLL ZVKEY32.EXE PLIMCFG.EXE utilities/zvcat/zvcat.exe; do
  if [ ! -f "$win32/$program" ]; then
    echo "SKIP: the win32 preset is not built ($win32/$program is missing)"
    exit 77
  fi
done
mkdir -p "$work"
archive=$("$source/scripts/package" --no-build --output "$work")
unzip -Z1 "$archive" | grep -v '/$' >"$work/members.txt"
[ $# -eq 0 ] && exit 0

numbers=$1
shift
version=$("$@" --version | tr -d '\r' | awk '{print $NF}')
echo "zvcat --version: $version"
python3 "$source/release/check_package.py" "$archive" --version "$version" --numbers "$numbers" --build "$win32"
python3 "$source/release/check_package_test.py" "$archive" "$version" "$numbers" "$work/faults"
