# Helpers of the download-link end-to-end tests (sourced; the caller sets bin, src and work).
# Every program runs under `timeout`, so no test can hang.

failures=0
sim_pid=""

# The link's handshake expects an answer within two ticks; on a loaded machine both ends run at
# a higher priority where that is allowed, so the scheduler does not stand in for a slow panel.
fast=()
if nice -n -10 true 2>/dev/null; then fast=(nice -n -10); fi

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# start_sim LINK ARGS...: orbis-sim in the background; waits until its link exists.
start_sim() {
  local link="$1"
  shift
  rm -f "$work/sim.out" "$work/sim.err"
  "${fast[@]}" timeout 120 "$bin/orbis-sim" --link "$link" "$@" >"$work/sim.out" 2>"$work/sim.err" &
  sim_pid=$!
  for _ in $(seq 200); do
    [[ -L "$link" ]] && return 0
    sleep 0.05
  done
  fail "orbis-sim did not make $link"
  sed 's/^/  | /' "$work/sim.err" >&2
  return 1
}

# stop_sim: ends the simulator (it saves what it holds) and waits for it.
stop_sim() {
  if [[ -n "$sim_pid" ]]; then
    kill -TERM "$sim_pid" 2>/dev/null
    wait "$sim_pid" 2>/dev/null
    sim_pid=""
  fi
}

# wait_sim SECONDS: waits for a simulator that ends by itself (--once); its exit status.
wait_sim() {
  local status=0
  for _ in $(seq $(($1 * 20))); do
    if ! kill -0 "$sim_pid" 2>/dev/null; then
      wait "$sim_pid"
      status=$?
      sim_pid=""
      return $status
    fi
    sleep 0.05
  done
  stop_sim
  return 124
}

# make_image FILE SIZE PROTOCOL: random bytes shaped like a compiled image: 0xFF 0xFF first,
# the protocol number at byte 12.
make_image() {
  head -c "$2" /dev/urandom >"$1"
  printf '\xff\xff' | dd of="$1" conv=notrunc status=none
  printf "\\x$(printf %02x "$3")" | dd of="$1" bs=1 seek=12 conv=notrunc status=none
}

# marked IMAGE OUT: the image as the panel holds it after the download (0x5A 0xA5 first).
marked() {
  {
    printf '\x5a\xa5'
    tail -c +3 "$1"
  } >"$2"
}

# catalogue_driver CATALOGUE PROTOCOL OUT: the driver bytes of the first entry of a protocol.
catalogue_driver() {
  local count i base proto len
  count=$(od -An -tu1 -N1 "$1" | tr -d ' ')
  for ((i = 0; i < count; i++)); do
    base=$((1 + 32788 * i))
    proto=$(od -An -tu1 -j"$base" -N1 "$1" | tr -d ' ')
    if [[ "$proto" == "$2" ]]; then
      len=$(od -An -tu2 --endian=little -j$((base + 2)) -N2 "$1" | tr -d ' ')
      tail -c +$((base + 20 + 1)) "$1" | head -c $((len + 128)) >"$3"
      return 0
    fi
  done
  return 1
}

# finish_test NAME: the closing line, and the exit status.
finish_test() {
  stop_sim
  if ((failures)); then
    echo "$1: $failures failure(s)"
    exit 1
  fi
  echo "$1: all passed"
  exit 0
}
