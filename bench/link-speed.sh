#!/usr/bin/env bash
# Speed of the download link against orbis-sim keeping the pace of a 115200 baud 8N1 line: sends
# an image of 32 KB without and with the protocol driver and prints the wall time of vantactl,
# the lower bound given by the bytes exchanged at 11,520 bytes/s, and their ratio (target at
# most 1.10). Where allowed, both programs run with real-time priority so the figures measure the
# link, not the other load of the machine.
#
# usage: bench/link-speed.sh [BIN-DIR] [RUNS]   (default build/bin, 3 runs of each case)
#        LINK_SPEED_PRIORITY=normal bench/link-speed.sh ...   without real-time priority
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bin="${1:-$root/build/bin}"
runs="${2:-3}"
work="$(mktemp -d)"
sim=""
trap '[[ -n "$sim" ]] && kill "$sim" 2>/dev/null; rm -rf "$work"' EXIT

for tool in vantactl orbis-sim; do
  [[ -x "$bin/$tool" ]] || { echo "link-speed: no $bin/$tool (build first)" >&2; exit 2; }
done
prio=()
priority="normal priority"
if [[ "${LINK_SPEED_PRIORITY:-}" != normal ]] && chrt -f 20 true 2>/dev/null; then
  prio=(chrt -f 20)
  priority="real-time priority (SCHED_FIFO 20)"
fi

head -c 32768 /dev/urandom >"$work/img.bin"
printf '\xff\xff' | dd of="$work/img.bin" conv=notrunc status=none
printf '\x01' | dd of="$work/img.bin" bs=1 seek=12 conv=notrunc status=none

echo "image 32768 bytes, orbis-sim --pace, $priority, $(nproc) cores, load $(cut -d' ' -f1 /proc/loadavg)"
printf "%-16s %10s %12s %12s %8s\n" case bytes "wall [s]" "bound [s]" ratio
# case NAME SIM-PROTOCOL: the panel runs that protocol; protocol 1 is the image's own (no driver).
for case in "no driver:1" "with driver:3"; do
  name="${case%%:*}"
  protocol="${case##*:}"
  for ((r = 1; r <= runs; r++)); do
    rm -f "$work/panel"
    "${prio[@]}" "$bin/orbis-sim" --link "$work/panel" --protocol "$protocol" \
      --driver-version 1 --pace --once >"$work/sim.out" 2>/dev/null &
    sim=$!
    for _ in $(seq 200); do [[ -L "$work/panel" ]] && break; sleep 0.02; done
    t0=$(date +%s.%N)
    "${prio[@]}" timeout 120 "$bin/vantactl" send-image "$work/img.bin" --port "$work/panel" \
      --data "$bin" >/dev/null 2>"$work/err" || { echo "download failed:" >&2; cat "$work/err" >&2; exit 1; }
    t1=$(date +%s.%N)
    wait "$sim"
    sim=""
    # orbis-sim's summary: "... bytes received R, bytes sent S, ..."
    bytes=$(sed -E 's/.*bytes received ([0-9]+), bytes sent ([0-9]+).*/\1 \2/' "$work/sim.out" |
      awk '{print $1 + $2}')
    awk -v n="$name" -v b="$bytes" -v t0="$t0" -v t1="$t1" 'BEGIN {
      wall = t1 - t0; bound = b / 11520;
      printf "%-16s %10d %12.3f %12.3f %8.3f\n", n, b, wall, bound, wall / bound }'
  done
done
