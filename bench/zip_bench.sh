#!/usr/bin/env bash
# Inflate benchmark: one 64 MiB member of Japanese text (the Japanese manual pages in Shift-JIS,
# repeated) deflated by Info-ZIP zip -6, decoded by our ZipReader and, on the very same deflate
# stream, by zlib (Python's zlib module in-process, and zcat) and by libdeflate-gunzip.
# Prints MB/s (of output) and the ratios; then the same stream decoded in process by our
# Inflater, zlib and libdeflate taking turns (inflate_core_bench: best and median of processor
# time).  Inputs are generated under build/bench/zip/.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
export ZV_BUILD=${ZV_BUILD:-$here/build/host} ZV_BENCH_DATA=${ZV_BENCH_DATA:-$here/build/bench}
source "$here/bench/common.sh"
work=$ZV_BENCH_DATA/zip
driver=$ZV_BUILD/bench/zip_inflate_bench
[ -x "$driver" ] || { echo "zip_bench: build the host preset first ($driver missing)"; exit 1; }
mkdir -p "$work"
cd "$work"

size=$((64 * 1024 * 1024))
if [ ! -f text.zip ]; then
  japanese_text utf8.txt 100  # Shift-JIS takes about two thirds of the UTF-8 bytes
  { iconv -f UTF-8 -t SHIFT_JIS utf8.txt || true; } | head -c "$size" >text.txt  # iconv: SIGPIPE
  rm -f utf8.txt
  zip -q -6 text.zip text.txt
  # The member's deflate stream, wrapped as gzip for zcat and libdeflate-gunzip.
  python3 - <<'EOF'
import struct, zipfile, zlib
with zipfile.ZipFile("text.zip") as z:
    info = z.getinfo("text.txt")
with open("text.zip", "rb") as f:
    f.seek(info.header_offset)
    local = f.read(30)
    name_len, extra_len = struct.unpack("<HH", local[26:30])
    f.seek(info.header_offset + 30 + name_len + extra_len)
    stream = f.read(info.compress_size)
open("text.deflate", "wb").write(stream)
with open("text.gz", "wb") as g:
    g.write(b"\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03" + stream)
    g.write(struct.pack("<II", info.CRC, info.file_size & 0xFFFFFFFF))
EOF
fi

"$driver" text.zip member.out >driver.log
cmp -s member.out text.txt || { echo "zip_bench: our output differs from the original"; exit 1; }
rm -f member.out
ours=$(awk '{ print $2 }' driver.log)
zlib_module=$(python3 - <<'EOF'
import time, zlib
data = open("text.deflate", "rb").read()
best = 1e30
for _ in range(5):
    t = time.perf_counter(); out = zlib.decompress(data, -15); best = min(best, time.perf_counter() - t)
print(f"{best:.6f}")
EOF
)
zcat_time=$(best_of 5 zcat text.gz)
libdeflate=$(best_of 5 libdeflate-gunzip -c text.gz)

awk -v n="$size" -v ours="$ours" -v zm="$zlib_module" -v zc="$zcat_time" -v ld="$libdeflate" 'BEGIN {
  mb = n / 1e6
  printf "inflate 64 MiB Shift-JIS text (deflate -6, %d bytes out)\n", n
  printf "  %-34s %8.1f MB/s\n", "ZipReader (in process, with CRC)", mb / ours
  printf "  %-34s %8.1f MB/s\n", "zlib (Python zlib.decompress)", mb / zm
  printf "  %-34s %8.1f MB/s\n", "zlib (zcat, whole process)", mb / zc
  printf "  %-34s %8.1f MB/s\n", "libdeflate-gunzip (whole process)", mb / ld
  printf "  ratio ours/zlib module %.2f (goal > 1), libdeflate time / ours %.2f (goal >= 0.8)\n", zm / ours, ld / ours
}'
core=$ZV_BUILD/bench/inflate_core_bench
if [ -x "$core" ]; then
  "$core" text.deflate "$size" 11
  echo "  (goal: libdeflate's speed against ours 1.25 or less, i.e. ours >= 0.8 of libdeflate)"
fi
