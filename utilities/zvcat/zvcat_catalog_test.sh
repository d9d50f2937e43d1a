#!/usr/bin/env bash
# Every message in zvcat's code has its Japanese translation: xgettext collects the messages
# marked N_() in the sources, po/ja.po must translate each of them into Japanese (nothing
# untranslated, fuzzy or left in English) and keep none the code no longer has.
# Usage: zvcat_catalog_test.sh WORK_DIR
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$1
mkdir -p "$work"
source "$here/contract_checks.sh"
po="$here/po/ja.po"

xgettext --keyword=N_ --language=C++ --from-code=UTF-8 -o "$work/zvcat.pot" "$here"/*.cpp "$here"/*.h
check "messages found in the code" "yes" "$([ "$(grep -c '^msgid ' "$work/zvcat.pot")" -gt 30 ] && echo yes)"
check "every message of the code is in ja.po" "" "$(msgcmp "$po" "$work/zvcat.pot" 2>&1)"
check "ja.po has no message the code lacks" "" "$(msgcmp --use-untranslated "$work/zvcat.pot" "$po" 2>&1)"
check "nothing fuzzy" "" "$(msgattrib --only-fuzzy "$po")"
check "the fields of each translation match its message" "" "$(msgfmt --check-format -o /dev/null "$po" 2>&1)"
# Each translation holds Japanese: a character outside ASCII.
english=$(msgexec -i "$po" sh -c '[ -z "$MSGEXEC_MSGID" ] || LC_ALL=C grep -q "[^ -~]" || echo "$MSGEXEC_MSGID"')
check "no English left in ja.po's translations" "" "$english"

finish
