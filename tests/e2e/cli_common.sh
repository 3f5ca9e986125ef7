# Helpers of the command-line end-to-end tests (sourced; the caller sets work to its scratch
# folder). Failures are counted, not fatal, so one run reports every check that failed.

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
  "$@" >"$work/out" 2>"$work/err"
  local got=$?
  if [[ "$got" != "$want" ]]; then
    fail "$* exited $got, expected $want"
    sed 's/^/  | /' "$work/err" >&2
  fi
}

# err_has TEXT: the last command's stderr holds TEXT.
err_has() {
  grep -qF -- "$1" "$work/err" || fail "stderr lacks \"$1\": $(cat "$work/err")"
}
