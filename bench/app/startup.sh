#!/usr/bin/env bash
# Start-up to the first complete paint: korvastart against a bare Qt window of the same size and
# frame, both under one Xvfb, alternated, RUNS runs each (default 15). Prints the medians, their
# ratio and the peak memory of each.
#   bench/app/startup.sh [build-folder]
set -euo pipefail
build=$(realpath "${1:-build}")
runs=${RUNS:-15}
korva="$build/medium/korvastart"
bare="$build/bench/app/bare_window"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
rss_file=$(mktemp)
trap 'kill $xvfb 2>/dev/null || true; rm -f "$rss_file"' EXIT
sleep 1
export DISPLAY=$display KORVA_EXIT_AFTER_FIRST_PAINT=1 KORVA_BOXES=stderr


time_ms() {  # wall time in milliseconds and peak RSS of one run
  local t0 t1
  t0=$(date +%s%N)
  /usr/bin/time -f '%M' -o "$rss_file" "$@" >/dev/null 2>&1 || true
  t1=$(date +%s%N)
  echo "$(( (t1 - t0) / 1000000 )) $(tail -n 1 "$rss_file")"
}

korva_times=(); bare_times=(); korva_rss=0; bare_rss=0
"$korva" >/dev/null 2>&1 || true   # warm the caches once each
"$bare" >/dev/null 2>&1 || true
for ((i = 0; i < runs; i++)); do
  read -r ms rss < <(time_ms "$korva"); korva_times+=("$ms"); (( rss > korva_rss )) && korva_rss=$rss
  read -r ms rss < <(time_ms "$bare"); bare_times+=("$ms"); (( rss > bare_rss )) && bare_rss=$rss
done

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
km=$(median "${korva_times[@]}")
bm=$(median "${bare_times[@]}")
echo "runs each: $runs"
echo "korvastart median: ${km} ms, peak RSS ${korva_rss} KiB"
echo "bare window median: ${bm} ms, peak RSS ${bare_rss} KiB"
awk -v k="$km" -v b="$bm" -v kr="$korva_rss" -v br="$bare_rss" \
  'BEGIN {printf "ratio: %.2f (goal <= 1.3); memory above the bare window: %.1f MiB (goal <= 15)\n", k / b, (kr - br) / 1024}'
