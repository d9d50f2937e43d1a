#!/usr/bin/env bash
# The job printed by zv32_print_e2e, read back with Ghostscript and Poppler: three pages, each
# with the file name above and "- n -" below its rows, 63 rows a page in order; page 1 is
# rendered as a picture beside the screenshots.
# The Japanese jobs beside it are pictured too.  Those printed in the preselected face and in
# a Western face must draw their kanji in a Japanese face (the printer's PostScript carries no
# Unicode map for it, so pdftotext cannot read kanji back: pdffonts names the faces, and the
# pictures show the text); the Western one keeps its ASCII (the row numbers) in that face.
# Usage: print_job_check.sh JOB.ps SCREENSHOT_DIR
set -uo pipefail
job=$1 pictures=$2
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
[ -s "$job" ] || { echo "FAIL no job at $job"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ps2pdf "$job" "$work/job.pdf" || { echo "FAIL ps2pdf"; exit 1; }
pages=$(pdfinfo "$work/job.pdf" | awk '/^Pages:/ {print $2}')
[ "$pages" = 3 ] || fail "pages: $pages, expected 3"
for page in 1 2 3; do
  pdftotext -layout -f "$page" -l "$page" "$work/job.pdf" "$work/page$page.txt"
  text=$(cat "$work/page$page.txt")
  grep -q 'print-job\.txt' <<<"$text" || fail "page $page: no file name"
  [ "$(grep -o -- "- $page -" <<<"$text" | head -n 1)" = "- $page -" ] || fail "page $page: no page number"
  # The file name stands above the first row, the page number below the last.
  name_line=$(grep -n 'print-job\.txt' <<<"$text" | head -n 1 | cut -d: -f1)
  first_row=$(grep -n 'row [0-9]' <<<"$text" | head -n 1 | cut -d: -f1)
  number_line=$(grep -n -- "- $page -" <<<"$text" | tail -n 1 | cut -d: -f1)
  last_row=$(grep -n 'row [0-9]' <<<"$text" | tail -n 1 | cut -d: -f1)
  [ -n "$name_line" ] && [ -n "$first_row" ] && [ "$name_line" -lt "$first_row" ] || fail "page $page: name not above the rows"
  [ -n "$number_line" ] && [ -n "$last_row" ] && [ "$number_line" -gt "$last_row" ] || fail "page $page: number not below the rows"
done
rows() { grep -o 'row [0-9]\{3\} of 149' "$work/page$1.txt" | awk '{print $2}' | tr '\n' ' '; }
expect() { seq -f '%03g' "$1" "$2" | tr '\n' ' '; }
[ "$(rows 1)" = "$(expect 1 63)" ] || fail "page 1 rows: $(rows 1)"
[ "$(rows 2)" = "$(expect 64 126)" ] || fail "page 2 rows: $(rows 2)"
[ "$(rows 3)" = "$(expect 127 149)" ] || fail "page 3 rows: $(rows 3)"
mkdir -p "$pictures"
gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=png16m -r72 -dFirstPage=1 -dLastPage=1 \
  -sOutputFile="$pictures/zv32_print_page1.png" "$job" || fail "page 1 picture"
japanese=$(dirname "$job")/japanese.ps
if [ -s "$japanese" ]; then
  gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=png16m -r72 -dFirstPage=1 -dLastPage=1 \
    -sOutputFile="$pictures/zv32_print_japanese_page1.png" "$japanese" || fail "Japanese page picture"
fi
for kind in preselected western; do
  japanese=$(dirname "$job")/japanese-$kind.ps
  [ -s "$japanese" ] || { fail "no Japanese job printed in the $kind face"; continue; }
  ps2pdf "$japanese" "$work/$kind.pdf" || { fail "ps2pdf of the $kind job"; continue; }
  pdffonts "$work/$kind.pdf" | grep -q 'IPA' || fail "$kind face: no Japanese face in the job"
  if [ "$kind" = western ]; then
    pdffonts "$work/$kind.pdf" | grep -q '^Courier' || fail "western face: Courier is not in the job"
    pdftotext -layout "$work/$kind.pdf" "$work/$kind.txt"
    numbers=$(grep -o '^ *[0-9]\+' "$work/$kind.txt" | tr -d ' ' | tr '\n' ' ')
    [ "$numbers" = "$(seq 1 30 | tr '\n' ' ')" ] || fail "western face: row numbers read back as: $numbers"
  fi
  gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=png16m -r72 -dFirstPage=1 -dLastPage=1 \
    -sOutputFile="$pictures/zv32_print_japanese_${kind}_page1.png" "$japanese" || fail "$kind page picture"
done
echo "print job: $pages pages, $failures failures"
[ "$failures" -eq 0 ]
