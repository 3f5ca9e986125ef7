#!/usr/bin/env bash
# vantactl new, dump, build and import: a new project and the demo sample survive dump and build
# byte for byte, an edited JSON builds the edited project, bad JSON names its line and column,
# the old sample imports; failures exit 1 naming the file, usage errors exit 2.
# Arguments: bin folder, source folder.
set -uo pipefail
bin="$1"
src="$2"
vantactl="$bin/vantactl"
samples="$src/data/samples"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
source "$src/tests/e2e/cli_common.sh"

# New projects of several protocols: dump, build, identical bytes.
for protocol in 1 2 4 14 31 40; do
  expect 0 "$vantactl" new --protocol "$protocol" -o "$work/new$protocol.osp"
  expect 0 "$vantactl" dump "$work/new$protocol.osp"
  cp "$work/out" "$work/new$protocol.json"
  grep -q "\"protocol\": $protocol," "$work/new$protocol.json" || fail "new $protocol: protocol not in the dump"
  expect 0 "$vantactl" build "$work/new$protocol.json" -o "$work/new$protocol-built.osp"
  cmp -s "$work/new$protocol.osp" "$work/new$protocol-built.osp" || fail "new $protocol: dump and build changed the file"
done
head -c 8 "$work/new4.osp" | od -An -tx1 | tr -d ' \n' | grep -q '^084f73747261' || fail "new: not a project file"

# The samples written by this program: the dump is the committed JSON, and dump and build give
# the same bytes.
for sample in demo chinese; do
  expect 0 "$vantactl" dump "$samples/$sample.osp"
  cp "$work/out" "$work/$sample.json"
  cmp -s "$samples/$sample.json" "$work/$sample.json" || fail "$sample: the dump differs from $sample.json"
  expect 0 "$vantactl" build "$work/$sample.json" -o "$work/$sample.osp"
  cmp -s "$samples/$sample.osp" "$work/$sample.osp" || fail "$sample: dump and build changed the file"
done
grep -q '"text": "运行"' "$work/chinese.json" || fail "chinese: the dump does not show the Chinese text"

# An edited JSON builds the edited project, and its dump shows the edit.
sed 's/"description": "Main menu"/"description": "主菜单"/' "$work/demo.json" >"$work/edited.json"
expect 0 "$vantactl" build "$work/edited.json" -o "$work/edited.osp"
expect 0 "$vantactl" dump "$work/edited.osp"
grep -q '"description": "主菜单"' "$work/out" || fail "edited: the edit is lost"
cmp -s "$samples/demo.osp" "$work/edited.osp" && fail "edited: the file did not change"

# The old sample imports; the result dumps, builds back the same bytes and equals a re-save.
expect 0 "$vantactl" import "$samples/old.grx" -o "$work/old.osp"
expect 0 "$vantactl" dump "$work/old.osp"
cp "$work/out" "$work/old.json"
grep -q '"protocol": 5,' "$work/old.json" || fail "import: protocol 5 expected"
expect 0 "$vantactl" build "$work/old.json" -o "$work/old-built.osp"
expect 0 "$vantactl" dump "$work/old-built.osp"
cmp -s "$work/out" "$work/old.json" || fail "import: the rebuilt project dumps differently"

# Bad JSON: status 1 and a message naming the file, the line and column or the JSON path.
printf '{\n  "header": {\n    "protocol": 4,,\n' >"$work/syntax.json"
expect 1 "$vantactl" build "$work/syntax.json" -o "$work/x.osp"
err_has "syntax.json: line 3, column 19:"
sed 's/"plcStation": 1,/"plcStation": 256,/' "$work/demo.json" >"$work/range.json"
expect 1 "$vantactl" build "$work/range.json" -o "$work/x.osp"
err_has "header.plcStation: 256 is out of range (0..255)"
sed 's/"text": "Run"/"text": "Run \\u20ac"/' "$work/demo.json" >"$work/gbk.json"
expect 1 "$vantactl" build "$work/gbk.json" -o "$work/x.osp"
err_has "cannot be stored in the GBK code page"
[[ -e "$work/x.osp" ]] && fail "a failed build wrote its output"
# A file longer than the JSON form of the largest project is refused without being read (a
# sparse file, where the file system allows one that large).
if truncate -s 15T "$work/huge.json" 2>/dev/null; then
  expect 1 "$vantactl" build "$work/huge.json" -o "$work/x.osp"
  err_has "huge.json\": it holds 16492674416640 bytes, more than the 14419154486190 bytes of the largest JSON form of a project"
  rm -f "$work/huge.json"
fi

# Missing files and unreadable projects: status 1 naming the file.
expect 1 "$vantactl" dump "$work/missing.osp"
err_has "missing.osp"
expect 1 "$vantactl" build "$work/missing.json" -o "$work/x.osp"
err_has "missing.json"
expect 1 "$vantactl" dump "$samples/old.grx"
err_has "old.grx"
expect 1 "$vantactl" new --protocol 4 -o "$work/no/such/folder/x.osp"
err_has "x.osp"

# Usage errors: status 2.
expect 2 "$vantactl" new
expect 2 "$vantactl" new --protocol 0 -o "$work/x.osp"
expect 2 "$vantactl" new --protocol 41 -o "$work/x.osp"
expect 2 "$vantactl" new --protocol four -o "$work/x.osp"
expect 2 "$vantactl" new --protocol 4
expect 2 "$vantactl" dump
expect 2 "$vantactl" dump a.osp b.osp
expect 2 "$vantactl" dump --bogus "$samples/demo.osp"
expect 2 "$vantactl" build "$work/demo.json"
expect 2 "$vantactl" build -o "$work/x.osp"

if [[ "$failures" -ne 0 ]]; then
  echo "$failures failure(s)" >&2
  exit 1
fi
echo "test_cli_project: all passed"
