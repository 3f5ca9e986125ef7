#!/usr/bin/env bash
# vantactl check: the samples hold no problem (exit 0, nothing on stdout); a project with a
# missing initial screen and a jump key to a missing screen exits 1 with one line a problem, or
# a JSON array with --json; warnings alone exit 0; compile and download print the problems on
# stderr before they go on.
# Arguments: bin folder, source folder.
set -uo pipefail
bin="$1"
src="$2"
vantactl="$bin/vantactl"
samples="$src/data/samples"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
source "$src/tests/e2e/cli_common.sh"

for sample in demo chinese; do
  expect 0 "$vantactl" check "$samples/$sample.osp" --data "$bin"
  [[ ! -s "$work/out" ]] || fail "$sample: problems listed: $(cat "$work/out")"
  grep -qF "$sample.osp: 0 errors, 0 warnings" "$work/err" || fail "$sample: no summary"
done

# The demo with its initial screen and a jump key pointing at screens it does not have.
"$vantactl" dump "$samples/demo.osp" >"$work/demo.json"
sed -e 's/"initialScreen": 1,/"initialScreen": 7,/' \
    -e '0,/"targetScreen": 2,/s//"targetScreen": 12,/' "$work/demo.json" >"$work/broken.json"
expect 0 "$vantactl" build "$work/broken.json" -o "$work/broken.osp"
expect 1 "$vantactl" check "$work/broken.osp" --data "$bin"
cat >"$work/want" <<'LINES'
error: panel settings: the initial screen 7 does not exist; the panel would start on screen 1 instead. Choose an existing initial screen in the panel settings.
error: screen 1: Function key at (176, 48): jumps to screen 12, which does not exist; the key does nothing on the panel. Choose an existing screen or add screen 12.
LINES
diff -u "$work/want" "$work/out" >&2 || fail "check: not the expected lines"
grep -qF "broken.osp: 2 errors, 0 warnings" "$work/err" || fail "check: no summary"

expect 1 "$vantactl" check "$work/broken.osp" --json --data "$bin"
[[ "$(head -c 1 "$work/out")" == "[" ]] || fail "--json: not an array"
[[ "$(grep -c '"severity": "error"' "$work/out")" == 2 ]] || fail "--json: not two errors"
grep -qF '"code": "missing-jump-target"' "$work/out" || fail "--json: no code"
grep -qF '"component": "Function key at (176, 48)"' "$work/out" || fail "--json: no component"

# Compile still compiles (the compiler substitutes the first screen) and prints the problems.
expect 0 "$vantactl" compile "$work/broken.osp" -o "$work/broken.bin" --data "$bin"
grep -qF "error: screen 1: Function key at (176, 48): jumps to screen 12" "$work/err" ||
  fail "compile: problems not printed"

# Warnings alone: exit 0, printed by compile too.
expect 0 "$vantactl" check "$src/tests/e2e/data/limit_error.osp" --data "$bin"
grep -qF "warning: screen 1: Bar graph at (0, 0): its full scale 50 is not above its zero scale" \
  "$work/out" || fail "warnings: not listed"
expect 0 "$vantactl" compile "$src/tests/e2e/data/limit_error.osp" -o "$work/l.bin" --no \
  --data "$bin"
grep -qF "warning: screen 1: Bar graph at (0, 0)" "$work/err" || fail "compile: no warning"

# A file that is no project, a missing argument.
expect 1 "$vantactl" check "$work/none.osp" --data "$bin"
expect 2 "$vantactl" check

if ((failures)); then
  echo "$failures failure(s)" >&2
  exit 1
fi
echo "test_cli_check: passed"
