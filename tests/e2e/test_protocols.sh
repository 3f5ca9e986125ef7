#!/usr/bin/env bash
# vantactl protocols: lists the bundled catalogue; a missing catalogue is a failure with the
# system's message; stray arguments are a usage error. Arguments: bin folder, source folder.
set -u
bin="$1"
fail() { echo "FAIL: $*" >&2; exit 1; }

out=$("$bin/vantactl" protocols --data "$bin") || fail "listing the bundled catalogue failed"
[[ $(printf '%s\n' "$out" | head -1) == $'entry\tprotocol\tenglish\tchinese\tversion\tlength' ]] ||
  fail "header line: $(printf '%s\n' "$out" | head -1)"
rows=$(printf '%s\n' "$out" | tail -n +2 | wc -l)
[[ $rows -ge 1 ]] || fail "no entries listed"
printf '%s\n' "$out" | grep -q $'\t31\tKTC\tKTC\t' || fail "protocol 31 not listed by name"

empty=$(mktemp -d)
trap 'rm -rf "$empty"' EXIT
err=$("$bin/vantactl" protocols --data "$empty" 2>&1 >/dev/null)
rc=$?
[[ $rc -eq 1 ]] || fail "missing catalogue: exit $rc, expected 1"
[[ $err == "File $empty/Ostra_Ptc.dat does not exist!" ]] || fail "message: $err"

"$bin/vantactl" protocols stray >/dev/null 2>&1
rc=$?
[[ $rc -eq 2 ]] || fail "stray argument: exit $rc, expected 2"
echo "ok"
