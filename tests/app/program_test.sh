#!/usr/bin/env bash
# The real program, without a display: a normal start and close ends with exit code 0; a medium
# without the German header ends with the start-up report and exit code 1.
#   program_test.sh <medium folder>
set -u
medium=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen KORVA_BOXES=stderr KORVA_EXIT_AFTER_FIRST_PAINT=1
export TEMP="$work/temp" KORVA_DRIVE_C="$work/c" KORVA_REGISTRY="$work/system.reg"
mkdir -p "$TEMP"
failures=0
check() {  # description, condition
  if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

timeout 60 "$medium/korvastart" 2>"$work/err1"
status=$?
check "a normal run ends with exit code 0 (got $status)" '[ $status -eq 0 ]'
check "a normal run shows no box" '! grep -q "|" "$work/err1"'
check "the first run creates no language file" '[ ! -e "$TEMP/kelmor.ini" ]'

cp -r "$medium" "$work/medium"
rm "$work/medium/razevuru/jpg/Header_Startfenster_de.jpg"
timeout 60 "$work/medium/korvastart" 2>"$work/err2"
status=$?
check "a medium without the German header ends with exit code 1 (got $status)" '[ $status -eq 1 ]'
check "the start-up report names the error" \
  'grep -q "^Application Error | Exception EFOpenError in module korvastart at .*Header_Startfenster_de.jpg" "$work/err2"'

printf '[tirbex]\r\nlang=3\r\n' > "$TEMP/kelmor.ini"
timeout 60 "$medium/korvastart" 2>"$work/err3"
status=$?
check "a stored language of 3 gives the range message and still runs (got $status)" \
  '[ $status -eq 0 ] && grep -q "^Information | Value must not be higher than number of available languages. | Cancel$" "$work/err3"'

echo "$((3 + 3 - failures)) passed, $failures failed"
[ $failures -eq 0 ]
