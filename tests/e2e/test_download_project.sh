#!/usr/bin/env bash
# vantactl download of the bundled projects to orbis-sim over a pseudo-terminal: the panel ends up
# holding exactly what vantactl compile makes of the same file (0x5A 0xA5 in its first two
# bytes); a panel with another protocol receives the driver; usage and file errors exit 2 and 1.
# Arguments: bin folder, source folder.
set -uo pipefail
bin="$1"
src="$2"
work="$(mktemp -d)"
trap 'stop_sim; rm -rf "$work"' EXIT
source "$src/tests/e2e/link_common.sh"
vantactl="$bin/vantactl"
link="$work/panel"

for sample in demo chinese; do
  project="$src/data/samples/$sample.osp"
  timeout 60 "$vantactl" compile "$project" -o "$work/$sample.bin" --data "$bin" --no 2>"$work/err" \
    || { fail "$sample: compile failed"; sed 's/^/  | /' "$work/err" >&2; continue; }
  marked "$work/$sample.bin" "$work/$sample-expected.bin"
  protocol=$(od -An -tu1 -j12 -N1 "$work/$sample.bin" | tr -d ' ')
  # A panel holding another protocol gets the driver too.
  other=$((protocol % 40 + 1))
  start_sim "$link" --protocol "$other" --save-image "$work/saved.bin" \
    --save-driver "$work/saved-driver.bin" --once || continue
  "${fast[@]}" timeout 60 "$vantactl" download "$project" --port "$link" --data "$bin" --no \
    >"$work/out" 2>"$work/err"
  status=$?
  wait_sim 10 || fail "$sample: orbis-sim did not end by itself"
  [[ $status == 0 ]] || { fail "$sample: download exited $status"; sed 's/^/  | /' "$work/err" >&2; }
  size=$(stat -c %s "$work/$sample.bin")
  grep -qx "Download complete!Data $size bytes" "$work/out" || fail "$sample: no completion message"
  cmp -s "$work/saved.bin" "$work/$sample-expected.bin" || fail "$sample: the panel holds another image"
  catalogue_driver "$bin/Ostra_Ptc.dat" "$protocol" "$work/driver.bin"
  cmp -s "$work/saved-driver.bin" "$work/driver.bin" || fail "$sample: the panel holds another driver"
done

# A panel that never answers: the download gives up by itself ("Communication Error!!!", exit 1).
start_sim "$link" --fault no-handshake=600000
"${fast[@]}" timeout 60 "$vantactl" download "$src/data/samples/demo.osp" --port "$link" \
  --data "$bin" --no --give-up 1 >/dev/null 2>"$work/err"
status=$?
stop_sim
[[ $status == 1 ]] || fail "--give-up: exit $status"
grep -q "No Response!!!" "$work/err" || fail "--give-up: no \"No Response!!!\""
grep -qx "Communication Error!!!" "$work/err" || fail "--give-up: message"

timeout 20 "$vantactl" download >/dev/null 2>&1
[[ $? == 2 ]] || fail "download without arguments should exit 2"
timeout 20 "$vantactl" download "$work/none.osp" --port "$link" --data "$bin" >/dev/null 2>"$work/err"
[[ $? == 1 ]] || fail "download of a missing project should exit 1"
grep -q "none.osp" "$work/err" || fail "the message should name the missing file"

finish_test test_download_project
