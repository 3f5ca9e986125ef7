#!/usr/bin/env bash
# orbis-sim --emulate: after a download of the demo project the simulator shows the panel's
# display on its output (the initial screen); a key script typed in moves the panel on.
# Arguments: bin folder, source folder.
set -uo pipefail
bin="$1"
src="$2"
work="$(mktemp -d)"
trap 'exec 3>&-; stop_sim; rm -rf "$work"' EXIT
source "$src/tests/e2e/link_common.sh"
link="$work/panel"

# The simulator's input: a pipe kept open by this script.
mkfifo "$work/keys"
exec 3<>"$work/keys"
rm -f "$work/sim.out" "$work/sim.err"
"${fast[@]}" timeout 120 "$bin/orbis-sim" --link "$link" --protocol 4 --emulate <&3 \
  >"$work/sim.out" 2>"$work/sim.err" &
sim_pid=$!
for _ in $(seq 200); do [[ -L "$link" ]] && break; sleep 0.05; done

# wait_for TEXT: until the simulator's output holds the line.
wait_for() {
  for _ in $(seq 200); do
    grep -qx "$1" "$work/sim.out" && return 0
    sleep 0.05
  done
  return 1
}

"${fast[@]}" timeout 60 "$bin/vantactl" download "$src/data/samples/demo.osp" --port "$link" \
  --data "$bin" --no >"$work/out" 2>"$work/err" || fail "the download failed"
wait_for "screen 1" || fail "no display after the download"
# 32 lines of 192 characters each: the whole display.
lines=$(grep -c '' "$work/sim.out")
[[ $lines -ge 33 ]] || fail "the display has $lines lines"
echo "DOWN" >&3
wait_for "screen 2" || fail "DOWN did not show screen 2"
echo "F1" >&3
wait_for 'orbis-sim: Unknown key "F1": the keys are ESC, LEFT, RIGHT, DOWN, UP, SET, ENT, ALM, 0..9 and CLR.' \
  || fail "an unknown key is not named"

if ((failures)); then
  sed 's/^/  sim | /' "$work/sim.err" >&2
  exit 1
fi
echo "orbis-sim --emulate: ok"
