#!/usr/bin/env bash
# Loading and converting each kanji code beside the tools a user would otherwise reach for, on
# the same 64 MiB Japanese text (Debian's manual pages, repeated) in Shift-JIS, EUC, JIS and
# UTF-8: the core's full load (open, detect, convert, index every row; load_bench, in-process
# seconds), zvcat writing the Shift-JIS text to a file, and cat, iconv -t CP932 and nkf -s
# writing theirs.  Figures are wall seconds, best and median of RUNS runs (default 5); ratios
# compare medians (> 1: we are faster).  The machine may be shared: read the medians.
set -euo pipefail
source "$(dirname "$0")/common.sh"
data=$ZV_BENCH_DATA
load=$ZV_BUILD/bench/load_bench
zvcat=$ZV_BUILD/utilities/zvcat/zvcat
runs=${RUNS:-5}
japanese_text "$data/japanese-64m.utf8" 90
utf8=$data/japanese-utf8-64m.txt
# (whole lines only, so that iconv, which stops at a cut character, converts all of it)
[ -f "$utf8" ] || head -c $((64 << 20)) "$data/japanese-64m.utf8" | sed '$d' >"$utf8"

declare -A iconv_name=([sjis]=CP932 [euc]=EUC-JP [jis]=ISO-2022-JP [utf8]=UTF-8)
declare -A nkf_input=([sjis]=-S [euc]=-E [jis]=-J [utf8]=-W)
declare -A load_code=([sjis]=0 [euc]=1 [jis]=2 [utf8]=3)

printf '%-6s %-16s %9s %9s %8s %9s\n' code run best median "MB/s" "peer/ours"
for code in sjis euc jis utf8; do
  file=$data/japanese-64m.$code
  [ "$code" = utf8 ] && file=$utf8
  [ -f "$file" ] || iconv -f UTF-8 -t "${iconv_name[$code]}" "$utf8" >"$file"
  bytes=$(stat -c %s "$file")
  as_read_from_disk "$file"
  detected=$("$load" "$file" | awk '{print $2}')
  [ "$detected" = "${load_code[$code]}" ] || { echo "load_bench detected code $detected in $file" >&2; exit 1; }
  read -r load_best load_median < <(for _ in $(seq "$runs"); do "$load" "$file" | awk '{print $8}'; done | best_median)
  read -r zvcat_best zvcat_median < <(timed_runs "$runs" "$data/$code-zvcat.out" "$zvcat" --sjis "$file")
  read -r cat_best cat_median < <(timed_runs "$runs" "$data/$code-cat.out" cat "$file")
  read -r iconv_best iconv_median < <(timed_runs "$runs" "$data/$code-iconv.out" iconv -f "${iconv_name[$code]}" -t CP932 "$file")
  read -r nkf_best nkf_median < <(timed_runs "$runs" "$data/$code-nkf.out" nkf "${nkf_input[$code]}" -s "$file")
  same=$(cmp -s "$data/$code-zvcat.out" "$data/$code-iconv.out" && echo yes || echo no)
  row() { printf '%-6s %-16s %9s %9s %8s %9s\n' "$code" "$1" "$2" "$3" "$(rate "$bytes" "$3")" "$4"; }
  row "core full load" "$load_best" "$load_median" "$(ratio "$load_median" "$cat_median")x cat"
  row "zvcat > file" "$zvcat_best" "$zvcat_median" "$(ratio "$zvcat_median" "$cat_median")x cat"
  row "cat > file" "$cat_best" "$cat_median" ""
  row "iconv > file" "$iconv_best" "$iconv_median" "$(ratio "$zvcat_median" "$iconv_median")x"
  row "nkf -s > file" "$nkf_best" "$nkf_median" "$(ratio "$zvcat_median" "$nkf_median")x"
  echo "       ($bytes bytes; zvcat's output equals iconv's: $same)"
done
