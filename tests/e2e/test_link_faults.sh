#!/usr/bin/env bash
# vantactl send-image against orbis-sim with each fault the simulator can inject. Every run ends
# either in success with the panel holding exactly the sent image (0x5A 0xA5 first), or in one
# of the link's failure texts with exit status 1: never in success with another image.
# Arguments: bin folder, source folder.
set -uo pipefail
bin="$1"
src="$2"
work="$(mktemp -d)"
trap 'stop_sim; rm -rf "$work"' EXIT
source "$src/tests/e2e/link_common.sh"
vantactl="$bin/vantactl"
link="$work/panel"

make_image "$work/img.bin" 6000 1
marked "$work/img.bin" "$work/expected.bin"

# fault_case EXPECT FAULT [SIM-ARGS...]: EXPECT is "success", "failure" or "either".
fault_case() {
  local expect="$1" fault="$2"
  shift 2
  rm -f "$work/saved.bin"
  start_sim "$link" --protocol 3 --save-image "$work/saved.bin" --fault "$fault" "$@" || return
  "${fast[@]}" timeout 90 "$vantactl" send-image "$work/img.bin" --port "$link" --data "$bin" \
    >"$work/out" 2>"$work/err"
  local status=$?
  stop_sim
  if [[ $status == 0 ]]; then
    cmp -s "$work/saved.bin" "$work/expected.bin" ||
      fail "$fault: success reported, but the panel holds another image"
    [[ "$expect" == failure ]] && fail "$fault: succeeded, a failure was expected"
  else
    [[ $status == 1 ]] || fail "$fault: exit status $status"
    grep -qxE "延时越界|通讯错误次数越界|重发次数越界|Wrong informationg!|Communication Error!!!" \
      "$work/err" || { fail "$fault: no failure text"; sed 's/^/  | /' "$work/err" >&2; }
    [[ "$expect" == success ]] && { fail "$fault: failed"; sed 's/^/  | /' "$work/err" >&2; }
  fi
  echo "$fault: exit $status"
}

# The panel wakes up after 2.5 s: "No Response!!!", then the download goes on by itself.
fault_case success no-handshake=2500
grep -q "No Response!!!" "$work/err" || fail "no-handshake: no \"No Response!!!\""
grep -q "The panel answered." "$work/err" || fail "no-handshake: answer not reported"

fault_case success drop=4
fault_case success bad-sum=4
fault_case success nak=0.2,seed=3
fault_case success delay=20
fault_case success flip=0.002,seed=4 --pace
fault_case either flip=0.01,seed=8
# Replies later than the resend time: the PC waits for the answers it still owes before it goes
# on (a quarter of the replies late, so the test stays short); the outcome must be honest.
fault_case either delay=700,delay-rate=0.25,seed=5
fault_case either delay=600,delay-rate=0.25,flip=0.003,seed=2
# On a line that keeps its time: the information reply comes after the resend, both answers
# arrive, then a block is refused; and a panel that answers everything 100 ms late. Each answer
# counts for its own frame only, so both end in the sent image.
fault_case success late=2:0.8,refuse=8 --pace
grep -q "NAKs 1," "$work/sim.out" || fail "late=2:0.8,refuse=8: the refusal did not happen"
fault_case success delay=100 --pace
fault_case failure silent-after=10
grep -qx "延时越界" "$work/err" || fail "silent-after: not \"延时越界\""
fault_case failure nak=1
grep -qx "通讯错误次数越界" "$work/err" || fail "nak=1: not \"通讯错误次数越界\""

finish_test test_link_faults
