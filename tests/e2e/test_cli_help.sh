#!/usr/bin/env bash
# The command-line conventions of vantactl and orbis-sim: help and version on stdout with exit 0,
# for the tool and for each command; usage errors exit 2 with the command's usage line on stderr
# and run nothing; numbers are decimal; a repeated option keeps its first value.
# Arguments: bin folder, source folder.
set -uo pipefail
bin="$1"
src="$2"
vantactl="$bin/vantactl"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# expect STATUS COMMAND...: runs the command (stdout to $work/out, stderr to $work/err) and
# checks its exit status.
expect() {
  local want="$1"
  shift
  timeout 20 "$@" >"$work/out" 2>"$work/err"
  local got=$?
  if [[ "$got" != "$want" ]]; then
    fail "$* exited $got, expected $want"
    sed 's/^/  | /' "$work/err" >&2
  fi
}

out_has() { grep -qF -- "$1" "$work/out" || fail "stdout lacks \"$1\""; }
err_has() { grep -qF -- "$1" "$work/err" || fail "stderr lacks \"$1\": $(head -3 "$work/err")"; }
out_empty() { [[ ! -s "$work/out" ]] || fail "$1: wrote to stdout: $(head -3 "$work/out")"; }
err_empty() { [[ ! -s "$work/err" ]] || fail "$1: wrote to stderr: $(head -3 "$work/err")"; }

commands=(build check compile download dump help import new protocols render send-image)

# The tool's help, three ways, lists every command with its usage.
for ask in --help -h help; do
  expect 0 "$vantactl" $ask
  err_empty "vantactl $ask"
  out_has "usage: vantactl COMMAND"
  for command in "${commands[@]}"; do
    grep -q "^  $command\b" "$work/out" || fail "vantactl $ask does not list $command"
  done
  out_has "  compile IN.osp -o IMAGE.bin [--data DIR] [--yes|--no]"
done

# Each command's help: `help COMMAND` and `COMMAND --help` agree, start with the usage line and
# describe every option of that line, even when the command's required arguments are missing.
for command in "${commands[@]}"; do
  expect 0 "$vantactl" help "$command"
  err_empty "help $command"
  cp "$work/out" "$work/help-$command"
  head -1 "$work/out" | grep -q "^usage: vantactl $command\b" || fail "help $command: $(head -1 "$work/out")"
  expect 0 "$vantactl" "$command" --help
  cmp -s "$work/out" "$work/help-$command" || fail "$command --help differs from help $command"
  for option in $(sed '/^$/q' "$work/out" | grep -o -- '--[a-z-]*' | sort -u); do
    sed '1,/^$/d' "$work/out" | grep -q "^  .*$option" || fail "$command --help does not describe $option"
  done
done
# The usage lines of the command-line contract, as the parser derives them (a long line is
# wrapped; its words count).
usage_is() {
  expect 0 "$vantactl" "$1" --help
  local usage
  usage=$(sed '/^$/q' "$work/out" | tr -s ' \n' ' ')
  [[ "$usage" == "usage: vantactl $2 " ]] || fail "usage of $1: $usage"
}
usage_is new "new --protocol N -o OUT.osp"
usage_is dump "dump IN.osp"
usage_is build "build IN.json -o OUT.osp"
usage_is import "import OLD.grx -o OUT.osp"
usage_is compile "compile IN.osp -o IMAGE.bin [--data DIR] [--yes|--no]"
usage_is check "check IN.osp [--json] [--data DIR]"
usage_is render "render IMAGE.bin -o DIR"
usage_is download "download IN.osp --port DEV [--force-driver] [--data DIR] [--yes|--no] [--give-up S]"
usage_is protocols "protocols [--data DIR]"
usage_is send-image "send-image IMAGE.bin --port DEV [--protocol N] [--driver-version V] [--force-driver] [--data DIR] [--tick MS] [--give-up S]"
expect 0 "$vantactl" new --protocol 4 -o "$work/help.osp" --help
[[ -e "$work/help.osp" ]] && fail "new --help made a project"

# Versions: one line, the same version for both tools, the one the editor shows.
version=$(sed -n 's/.*kVersion = "\(.*\)";.*/\1/p' "$src/src/qtsupport/AppInfo.h")
[[ -n "$version" ]] || fail "no version in AppInfo.h"
expect 0 "$vantactl" --version
[[ "$(cat "$work/out")" == "vantactl $version" ]] || fail "vantactl --version: $(cat "$work/out")"
expect 0 "$bin/orbis-sim" --version
[[ "$(cat "$work/out")" == "orbis-sim $version" ]] || fail "orbis-sim --version: $(cat "$work/out")"
expect 0 "$bin/orbis-sim" --help
out_has "usage: orbis-sim --link PATH"
out_has "--fault SPEC"
err_empty "orbis-sim --help"

# Usage errors: exit 2, nothing on stdout, the message and the command's usage on stderr, and
# the command does not run.
usage_error() {
  local expected="$1"
  shift
  expect 2 "$vantactl" "$@"
  out_empty "vantactl $*"
  err_has "$expected"
}
usage_error "usage: vantactl COMMAND" # no command at all
usage_error "vantactl: unknown command 'frobnicate'" frobnicate
usage_error "vantactl: unknown option '--frobnicate'" --frobnicate
usage_error "vantactl help: unknown command 'frobnicate'" help frobnicate
usage_error "usage: vantactl dump IN.osp" dump
usage_error "usage: vantactl dump IN.osp" dump a.osp b.osp
usage_error "vantactl compile: --yes excludes --no" compile a.osp -o "$work/a.bin" --yes --no
usage_error "usage: vantactl compile IN.osp -o IMAGE.bin" compile a.osp -o "$work/a.bin" --yes --no
usage_error "vantactl new: --protocol: takes a number from 1 to 40, not \"41\"" new --protocol 41 -o "$work/41.osp"
[[ -e "$work/41.osp" ]] && fail "a usage error made a project"
usage_error "vantactl build: -o" build "$work/a.json" -o ""
usage_error "vantactl send-image: --tick" send-image a.bin --port "$work/tty" --tick 0x10
usage_error "vantactl send-image: --give-up" send-image a.bin --port "$work/tty" --give-up 0
usage_error "vantactl download: --give-up" download a.osp --port "$work/tty" --give-up 0
usage_error "vantactl send-image: --protocol" send-image a.bin --port "$work/tty" --protocol 256
expect 2 "$bin/orbis-sim" --link "$work/sim" --protocol 256
err_has "orbis-sim: --protocol needs a number 0..255"
[[ -e "$work/sim" ]] && fail "orbis-sim made its link after a usage error"

# Numbers are decimal even with a leading zero; options go before or after the arguments; a
# repeated option keeps its first value.
expect 0 "$vantactl" new -o "$work/p10.osp" --protocol 010
expect 0 "$vantactl" dump "$work/p10.osp"
out_has '"protocol": 10,'
expect 0 "$vantactl" protocols --data "$bin" --data "$work/nothing-here"
expect 1 "$vantactl" protocols --data "$work/nothing-here" --data "$bin"
err_has "nothing-here"

if [[ "$failures" -ne 0 ]]; then
  echo "$failures failure(s)" >&2
  exit 1
fi
echo "test_cli_help: all passed"
