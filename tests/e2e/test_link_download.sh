#!/usr/bin/env bash
# vantactl send-image against orbis-sim over a pseudo-terminal: the panel ends up holding the
# sent image with 0x5A 0xA5 in its first two bytes; the driver goes along only when the panel's
# protocol or version differs or when forced; port failures, a silent panel, a cancel and usage
# errors give their messages and exit statuses.
# Arguments: bin folder, source folder.
set -uo pipefail
bin="$1"
src="$2"
work="$(mktemp -d)"
trap 'stop_sim; rm -rf "$work"' EXIT
source "$src/tests/e2e/link_common.sh"
vantactl="$bin/vantactl"
link="$work/panel"

make_image "$work/img.bin" 5000 1
marked "$work/img.bin" "$work/expected.bin"
catalogue_driver "$bin/Ostra_Ptc.dat" 1 "$work/driver1.bin" || fail "no protocol 1 in the catalogue"

# send_case NAME SIM-ARGS -- VANTACTL-ARGS: one download; checks success and the saved image.
send_case() {
  local name="$1"
  shift
  local sim_args=()
  while [[ "$1" != "--" ]]; do
    sim_args+=("$1")
    shift
  done
  shift
  rm -f "$work/saved.bin" "$work/saved-driver.bin"
  start_sim "$link" --save-image "$work/saved.bin" --save-driver "$work/saved-driver.bin" \
    --once "${sim_args[@]}" || return
  "${fast[@]}" timeout 60 "$vantactl" send-image "$work/img.bin" --port "$link" --data "$bin" "$@" \
    >"$work/out" 2>"$work/err"
  local status=$?
  wait_sim 10 || fail "$name: orbis-sim --once did not end by itself with status 0"
  [[ $status == 0 ]] || { fail "$name: send-image exited $status"; sed 's/^/  | /' "$work/err" >&2; }
  grep -qx "Download complete!Data 5000 bytes" "$work/out" || fail "$name: no completion message"
  grep -qx "progress 100%" "$work/err" || fail "$name: no progress lines on stderr"
  cmp -s "$work/saved.bin" "$work/expected.bin" || fail "$name: the panel holds another image"
  grep -q "downloads 1" "$work/sim.out" || fail "$name: no summary from orbis-sim"
}

# The panel already runs protocol 1 with the catalogue's version: no driver.
send_case "same driver" --protocol 1 --driver-version 1 --
[[ -s "$work/saved-driver.bin" ]] && fail "same driver: the driver was sent"

# Another protocol in the panel: the driver goes first.
send_case "other protocol" --protocol 3 --driver-version 1 --
cmp -s "$work/saved-driver.bin" "$work/driver1.bin" || fail "other protocol: driver not received"

# Another driver version; and a forced driver.
send_case "other version" --protocol 1 --driver-version 7 --
cmp -s "$work/saved-driver.bin" "$work/driver1.bin" || fail "other version: driver not received"
send_case "forced" --protocol 1 --driver-version 1 -- --force-driver
cmp -s "$work/saved-driver.bin" "$work/driver1.bin" || fail "forced: driver not received"

# --protocol overrides the image's own protocol byte; the panel runs protocol 2.
catalogue_driver "$bin/Ostra_Ptc.dat" 2 "$work/driver2.bin"
send_case "protocol option" --protocol 1 --driver-version 1 -- --protocol 2
cmp -s "$work/saved-driver.bin" "$work/driver2.bin" || fail "protocol option: wrong driver"

# A device that does not exist.
timeout 20 "$vantactl" send-image "$work/img.bin" --port "$work/none" --data "$bin" \
  >"$work/out" 2>"$work/err"
status=$?
[[ $status == 1 ]] || fail "missing device: exit $status"
grep -qF "Cannot open the serial port$work/none!" "$work/err" || fail "missing device: message"
grep -q "There is no device" "$work/err" || fail "missing device: no reason given"

# "COMn" is /dev/ttyS<n-1>; the message names the port by its number.
if [[ ! -e /dev/ttyS8 ]]; then
  timeout 20 "$vantactl" send-image "$work/img.bin" --port COM9 --data "$bin" >/dev/null 2>"$work/err"
  [[ $? == 1 ]] || fail "COM9: exit status"
  grep -qx "Cannot open the serial port9!" "$work/err" || fail "COM9: message"
  grep -q "/dev/ttyS8" "$work/err" || fail "COM9: device not named"
fi

# A panel that stays silent: "No Response!!!", and a second program finds the port busy; the
# first one gives up on Ctrl-C with "Communication Error!!!".
start_sim "$link" --fault no-handshake=600000
"${fast[@]}" timeout 60 "$vantactl" send-image "$work/img.bin" --port "$link" --data "$bin" \
  >"$work/out1" 2>"$work/err1" &
first=$!
for _ in $(seq 100); do grep -q "No Response!!!" "$work/err1" && break; sleep 0.1; done
grep -q "No Response!!!" "$work/err1" || fail "silent panel: no \"No Response!!!\""
timeout 20 "$vantactl" send-image "$work/img.bin" --port "$link" --data "$bin" \
  >"$work/out2" 2>"$work/err2"
status=$?
[[ $status == 1 ]] || fail "busy port: exit $status"
grep -q "^Cannot open the serial port.*!$" "$work/err2" || fail "busy port: message"
grep -q "another program holds it" "$work/err2" || fail "busy port: reason"
kill -INT "$first"
wait "$first"
status=$?
[[ $status == 1 ]] || fail "give up: exit $status"
grep -qx "Communication Error!!!" "$work/err1" || fail "give up: no \"Communication Error!!!\""
stop_sim

# The same with --give-up: the command line gives up by itself.
start_sim "$link" --fault no-handshake=600000
"${fast[@]}" timeout 60 "$vantactl" send-image "$work/img.bin" --port "$link" --data "$bin" --give-up 1 \
  >"$work/out" 2>"$work/err"
status=$?
[[ $status == 1 ]] || fail "--give-up: exit $status"
grep -qx "Communication Error!!!" "$work/err" || fail "--give-up: message"
stop_sim

# Ctrl-C during a paced download cancels it at the next frame.
make_image "$work/big.bin" 30000 1
start_sim "$link" --pace --save-image "$work/saved.bin"
"${fast[@]}" timeout 60 "$vantactl" send-image "$work/big.bin" --port "$link" --data "$bin" \
  >"$work/out" 2>"$work/err" &
pid=$!
sleep 1
kill -INT "$pid"
wait "$pid"
status=$?
[[ $status == 1 ]] || fail "cancel: exit $status"
grep -qx "Download canceled." "$work/err" || fail "cancel: message"
stop_sim
head -c 2 "$work/saved.bin" | od -An -tx1 | grep -q "5a a5" && fail "cancel: the image was marked valid"

# Usage errors.
timeout 10 "$vantactl" send-image "$work/img.bin" >/dev/null 2>&1
[[ $? == 2 ]] || fail "no --port: not a usage error"
timeout 10 "$vantactl" send-image "$work/img.bin" --port "$link" --tick 0 >/dev/null 2>&1
[[ $? == 2 ]] || fail "--tick 0: not a usage error"
timeout 10 "$bin/orbis-sim" --link "$link" --fault shout=1 >/dev/null 2>&1
[[ $? == 2 ]] || fail "orbis-sim --fault shout=1: not a usage error"

finish_test test_link_download
