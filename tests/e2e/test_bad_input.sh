#!/usr/bin/env bash
# Bad input on the command line ends in a clear failure with exit 1 and leaves files as they
# were: a damaged old project, an image whose screen numbers repeat, input larger than the
# largest file of its kind, devices; outputs are written as an editor saves (through links, never
# over a read-only file, keeping the mode).
# Arguments: bin folder, source folder.
set -uo pipefail
bin="$1"
src="$2"
vantactl="$bin/vantactl"
samples="$src/data/samples"
work="$(mktemp -d)"
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
source "$src/tests/e2e/cli_common.sh"

# put_byte FILE OFFSET VALUE(0..255)
put_byte() {
  printf "\\$(printf '%03o' "$3")" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

# be16 FILE OFFSET: the big-endian 16-bit value there.
be16() {
  od -An -tu1 -j"$2" -N2 "$1" | awk '{ print $1 * 256 + $2 }'
}

# A damaged picture in the old sample: the import names it, exits 1 and keeps the old output.
mkdir "$work/import"
cp "$samples/old.grx" "$work/import/plant.grx"
put_byte "$work/import/plant.grx" 648 254
echo "kept" >"$work/import/plant.osp"
expect 1 "$vantactl" import "$work/import/plant.grx" -o "$work/import/plant.osp"
err_has "screen 2, component 4 (Picture at byte offset 588)"
grep -qx kept "$work/import/plant.osp" || fail "import: the existing output was changed"
[[ "$(ls -A "$work/import" | wc -l)" == 2 ]] || fail "import: files left behind: $(ls -A "$work/import")"
grep -q "accomplished" "$work/err" && fail "import: success reported for a damaged file"

# Repeated screen numbers: one picture per number, each repetition a problem, exit 1.
expect 0 "$vantactl" compile "$samples/demo.osp" -o "$work/demo.bin"
table=$(( $(be16 "$work/demo.bin" 2) - 0x8000 ))
screens=$(be16 "$work/demo.bin" 16)
[[ "$screens" -ge 3 ]] || fail "render: the demo has $screens screens, 3 or more expected"
first=$(be16 "$work/demo.bin" "$table")
for entry in 1 2; do
  put_byte "$work/demo.bin" $((table + 9 * entry)) $((first / 256))
  put_byte "$work/demo.bin" $((table + 9 * entry + 1)) $((first % 256))
done
expect 1 "$vantactl" render "$work/demo.bin" -o "$work/render"
err_has "Screen $first appears again in the screen table"
[[ "$(ls "$work/render" | wc -l)" == $((screens - 2)) ]] ||
  fail "render: $(ls "$work/render" | wc -l) pictures, $((screens - 2)) expected"

# Larger than the largest file of its kind, and devices: refused at once, naming size and limit.
truncate -s 32769 "$work/big.bin"
expect 1 "$vantactl" render "$work/big.bin" -o "$work/none"
err_has "it holds 32769 bytes, more than the 32768 bytes of the largest panel image"
[[ -e "$work/none" ]] && fail "render: made its folder for a refused image"
truncate -s 40094084119 "$work/huge.osp"
expect 1 "$vantactl" compile "$work/huge.osp" -o "$work/huge.bin"
err_has "it holds 40094084119 bytes, more than the 40094084118 bytes of the largest project file"
expect 1 "$vantactl" dump /dev/zero
err_has "it is a device, not a file"
expect 1 "$vantactl" import /dev/zero -o "$work/zero.osp"
err_has "it is a device, not a file"

# Outputs: a link is followed, a read-only file refused, the mode kept.
mkdir "$work/out-dir"
echo "old" >"$work/out-dir/real.osp"
ln -s real.osp "$work/out-dir/link.osp"
expect 0 "$vantactl" new --protocol 4 -o "$work/out-dir/link.osp"
[[ -L "$work/out-dir/link.osp" ]] || fail "new: the link was replaced"
head -c 6 "$work/out-dir/real.osp" | grep -q Ostra || fail "new: the link's file was not written"
chmod 600 "$work/out-dir/real.osp"
expect 0 "$vantactl" compile "$samples/demo.osp" -o "$work/out-dir/real.osp"
[[ "$(stat -c %a "$work/out-dir/real.osp")" == 600 ]] || fail "compile: the mode was not kept"
echo "read only" >"$work/out-dir/ro.osp"
chmod 444 "$work/out-dir/ro.osp"
expect 1 "$vantactl" new --protocol 4 -o "$work/out-dir/ro.osp"
err_has "the file is read-only"
grep -qx "read only" "$work/out-dir/ro.osp" || fail "new: a read-only file was replaced"
[[ "$(ls -A "$work/out-dir" | wc -l)" == 3 ]] || fail "outputs: files left behind: $(ls -A "$work/out-dir")"

# render writes its pictures the same way: a picture that is a link writes the file it points to.
expect 0 "$vantactl" compile "$samples/demo.osp" -o "$work/demo-ok.bin"
expect 0 "$vantactl" render "$work/demo-ok.bin" -o "$work/render-link"
pictures=$(ls -A "$work/render-link" | wc -l)
picture=$(ls "$work/render-link" | head -n 1)
echo "old" >"$work/picture.png"
ln -sf ../picture.png "$work/render-link/$picture"
expect 0 "$vantactl" render "$work/demo-ok.bin" -o "$work/render-link"
[[ -L "$work/render-link/$picture" ]] || fail "render: the link was replaced"
head -c 4 "$work/picture.png" | grep -q PNG || fail "render: the link's file was not written"
[[ "$(ls -A "$work/render-link" | wc -l)" == "$pictures" ]] ||
  fail "render: files left behind: $(ls -A "$work/render-link")"

if [[ "$failures" -gt 0 ]]; then
  echo "$failures failure(s)" >&2
  exit 1
fi
echo "bad input: all checks passed"
