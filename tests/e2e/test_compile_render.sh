#!/usr/bin/env bash
# vantactl compile and render: a project compiles into an image, the image renders into one PNG
# of 192 x 64 per screen; usage errors exit 2, failures 1, and the "Register Limit error,
# cancel?" question is answered only by --yes or --no.
# Arguments: bin folder, source folder.
set -uo pipefail
bin="$1"
src="$2"
vantactl="$bin/vantactl"
data="$src/tests/e2e/data"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
source "$src/tests/e2e/cli_common.sh"

# png_is_panel FILE: a PNG of 192 x 64 (width and height of its IHDR chunk).
png_is_panel() {
  [[ -f "$1" ]] || return 1
  local head
  head="$(od -An -tx1 -N24 "$1" | tr -d ' \n')"
  [[ "$head" == 89504e470d0a1a0a*49484452000000c000000040 ]]
}

check_project() {
  local project="$1" name="$2"
  expect 0 "$vantactl" compile "$project" -o "$work/$name.bin"
  [[ -s "$work/$name.bin" ]] || fail "$name: no image written"
  expect 0 "$vantactl" render "$work/$name.bin" -o "$work/$name-png"
  local screens
  screens="$(ls "$work/$name-png"/screen-*.png 2>/dev/null | wc -l)"
  [[ "$screens" -ge 1 ]] || fail "$name: no screen pictures"
  for png in "$work/$name-png"/screen-*.png; do
    png_is_panel "$png" || fail "$name: $png is not a 192 x 64 PNG"
  done
}

# A new project, and a project of every component kind (tests/e2e/data, written by
# fuzz/make_image_samples.cpp).
expect 0 "$vantactl" new --protocol 4 -o "$work/new.osp"
check_project "$work/new.osp" new
png_is_panel "$work/new-png/screen-1.png" || fail "new: screen-1.png missing"
check_project "$data/every_kind.osp" every_kind
for n in 1 2; do
  png_is_panel "$work/every_kind-png/screen-$n.png" || fail "every_kind: screen-$n.png missing"
done

# The limit question.
expect 1 "$vantactl" compile "$data/limit_error.osp" -o "$work/limit.bin"
grep -q "Register Limit error, cancel?" "$work/err" || fail "the question is not shown"
grep -q -- "--yes" "$work/err" || fail "the message does not name --yes and --no"
[[ ! -e "$work/limit.bin" ]] || fail "an unanswered question still wrote an image"
expect 1 "$vantactl" compile "$data/limit_error.osp" -o "$work/limit.bin" --yes
[[ ! -e "$work/limit.bin" ]] || fail "--yes (cancel) still wrote an image"
expect 0 "$vantactl" compile "$data/limit_error.osp" -o "$work/limit.bin" --no
[[ -s "$work/limit.bin" ]] || fail "--no (go on) wrote no image"

# Failures and usage errors.
expect 2 "$vantactl" compile "$data/every_kind.osp"
expect 2 "$vantactl" compile "$data/every_kind.osp" -o "$work/x.bin" --yes --no
expect 2 "$vantactl" compile -o "$work/x.bin"
expect 2 "$vantactl" render "$work/every_kind.bin"
expect 1 "$vantactl" compile "$work/missing.osp" -o "$work/x.bin"
grep -q "missing.osp" "$work/err" || fail "the message does not name the missing file"
printf 'not a project at all' >"$work/junk.osp"
expect 1 "$vantactl" compile "$work/junk.osp" -o "$work/x.bin"
grep -q "junk.osp" "$work/err" || fail "the message does not name the damaged file"
expect 1 "$vantactl" compile "$data/every_kind.osp" -o "$work/x.bin" --data "$work/nowhere"
expect 1 "$vantactl" render "$work/missing.bin" -o "$work/png-missing"

# A damaged image: problems with offsets, exit 1, still one picture per screen found.
head -c 300 "$work/every_kind.bin" >"$work/cut.bin"
expect 1 "$vantactl" render "$work/cut.bin" -o "$work/cut-png"
grep -q "offset " "$work/err" || fail "the problems of a damaged image name no offset"

if [[ "$failures" -ne 0 ]]; then
  echo "$failures failures" >&2
  exit 1
fi
echo "compile and render: all checks passed"
