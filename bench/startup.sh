#!/usr/bin/env bash
# Prints how long quillmere takes to show its window and how much memory the
# browser (with WebKit's own processes) holds once it shows its first page.
# Several runs under one Xvfb, so the figures compare with each other: the
# ratios to the first run show what a warm start saves.
#
# Usage: bench/startup.sh [path-to-quillmere] [runs]
set -euo pipefail

binary="$(realpath "${1:-build/quillmere}")"
runs="${2:-5}"
work="$(mktemp -d)"
trap 'kill "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1440x900x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
read -r -t 10 -u "$fd" display
export DISPLAY=":$display" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
  XDG_CACHE_HOME="$work/cache" NO_AT_BRIDGE=1 GDK_BACKEND=x11

# Resident memory of a process and all its descendants, in KiB.
tree_rss() {
  local total=0 pid
  for pid in $(pgrep -P "$1") ; do total=$((total + $(tree_rss "$pid"))); done
  echo $((total + $(awk '/VmRSS/ {print $2}' "/proc/$1/status" 2>/dev/null || echo 0)))
}

first=""
printf '%-5s %12s %12s %10s\n' run "window (ms)" "memory (MiB)" "vs run 1"
for run in $(seq 1 "$runs"); do
  start=$(date +%s%N)
  "$binary" >/dev/null 2>&1 &
  app=$!
  xdotool search --sync --onlyvisible --name '^Quillmere$' >/dev/null
  shown=$(( ($(date +%s%N) - start) / 1000000 ))
  sleep 2 # the start page (an error page: there is no network here) settles
  memory=$(( $(tree_rss "$app") / 1024 ))
  kill "$app"; wait "$app" 2>/dev/null || true
  [ -n "$first" ] || first=$shown
  printf '%-5s %12s %12s %10s\n' "$run" "$shown" "$memory" "$(awk -v a="$shown" -v b="$first" 'BEGIN {printf "%.2f", a / b}')"
done
