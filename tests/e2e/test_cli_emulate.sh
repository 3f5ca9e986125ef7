#!/usr/bin/env bash
# vantactl emulate on the demo project: a key script (the password, a value typed into a register,
# the alarm list, a screen change) and a polling interval give the stored pictures of the display
# after each step and the stored final register table; a PLC that is not there shows on the
# display and fails the run; usage errors exit 2.
# Arguments: bin folder, source folder.
set -uo pipefail
bin="$1"
src="$2"
vantactl="$bin/vantactl"
data="$src/tests/e2e/data/emulate"
demo="$src/data/samples/demo.osp"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
source "$src/tests/e2e/cli_common.sh"

keys="SET 1 2 3 4 ENT 2 5 ENT ALM ESC DOWN"
expect 0 timeout 60 "$vantactl" emulate "$demo" --registers "$data/demo-registers.json" \
  --keys "$keys" --steps 1 -o "$work/run" --data "$bin"
for expected in "$data"/step-*.png "$data/registers.json"; do
  name="$(basename "$expected")"
  cmp -s "$expected" "$work/run/$name" || fail "$name differs from the stored one"
done
[[ "$(ls "$work/run" | wc -l)" == "$(ls "$data" | grep -vc demo-registers)" ]] \
  || fail "the run wrote other files than the stored ones"
grep -qx "step 12: DOWN, screen 2" "$work/out" || fail "the last key did not show screen 2"

# The compiled image runs the same; pictures twice the size.
expect 0 timeout 60 "$vantactl" compile "$demo" -o "$work/demo.bin" --data "$bin"
expect 0 timeout 60 "$vantactl" emulate "$work/demo.bin" --keys "DOWN" --zoom 2 -o "$work/image" \
  --data "$bin"
head="$(od -An -tx1 -N24 "$work/image/step-001.png" | tr -d ' \n')"
[[ "$head" == 89504e470d0a1a0a*494844520000018000000080 ]] || fail "--zoom 2 is not 384 x 128"

# No PLC on that port: the display says so and the run fails.
expect 1 timeout 60 "$vantactl" emulate "$demo" --modbus-tcp 127.0.0.1:1 -o "$work/lost" \
  --data "$bin"
[[ -f "$work/lost/step-000.png" ]] || fail "no picture without the PLC"
cmp -s "$work/lost/step-000.png" "$work/run/step-000.png" && fail "the lost link does not show"
grep -q "the PLC did not answer" "$work/err" || fail "the lost PLC is not reported"

# Usage errors.
expect 2 timeout 20 "$vantactl" emulate "$demo"
expect 2 timeout 20 "$vantactl" emulate "$demo" -o "$work/x" --keys "SET F1"
expect 2 timeout 20 "$vantactl" emulate "$demo" -o "$work/x" --modbus-tcp h:1 --modbus-rtu d,1,N,8,1
expect 2 timeout 20 "$vantactl" emulate "$demo" -o "$work/x" --modbus-rtu /dev/null,9600,X,8,1
# A register file naming a type the project does not use.
echo '{"registers": [{"type": "VW", "address": 1, "value": 2}]}' >"$work/bad.json"
expect 1 timeout 20 "$vantactl" emulate "$demo" -o "$work/x" --registers "$work/bad.json" \
  --data "$bin"
grep -q 'no register type "VW"' "$work/err" || fail "the unknown type is not named"

if ((failures)); then
  exit 1
fi
echo "vantactl emulate: ok"
