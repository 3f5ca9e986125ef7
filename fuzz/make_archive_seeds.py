#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_archive: small valid archives in its format (a count of tagged
objects of the classes "Leaf" and "List", then strings). Run from anywhere; writes next to
itself into corpus/archive/."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus", "archive")


def u16(v):
    return struct.pack("<H", v)


def u32(v):
    return struct.pack("<I", v)


def count(n):
    return u16(n) if n < 0xFFFF else u16(0xFFFF) + u32(n)


def string(b):
    n = len(b)
    if n < 255:
        return bytes([n]) + b
    if n < 0xFFFE:
        return b"\xff" + u16(n) + b
    return b"\xff\xff\xff" + u32(n) + b


def wide(text):
    units = text.encode("utf-16-le")
    n = len(units) // 2
    prefix = bytes([n]) if n < 255 else b"\xff" + u16(n)
    return b"\xff\xfe\xff" + prefix + units


def new_class(name, schema=1):
    return u16(0xFFFF) + u16(schema) + u16(len(name)) + name


def leaf(a, b, c, text):
    return bytes([a]) + struct.pack("<hI", b, c) + text + b"\x00\x00"


SEEDS = {
    "empty.bin": count(0) + string(b""),
    "one_leaf.bin": count(1) + new_class(b"Leaf") + leaf(1, -2, 3, string(b"hi")) + string(b"end"),
    # Leaf = class 1 (object 2), List = class 3 (object 4) holding two leaves (objects 5, 6)
    # and a null; then a second list by its class tag.
    "nested.bin": count(3)
    + new_class(b"Leaf") + leaf(7, 0, 0, string(b"\xd6\xd0\xce\xc4"))
    + new_class(b"List") + count(3)
    + u16(0x8001) + leaf(8, 1, 2, string(b""))
    + u16(0x0000)
    + u16(0x8001) + leaf(9, -1, 0xFFFFFFFF, wide("中A"))
    + u16(0x8003) + count(0),
    # The 16-bit length forms, and the 32-bit form (which a reader accepts for any length).
    "long_strings.bin": count(0) + string(b"x" * 300) + wide("B" * 260)
    + b"\xff\xff\xff" + u32(3) + b"abc",
    # A class tag in its 32-bit escaped form, and a 32-bit count.
    "escaped_tag.bin": u16(0xFFFF) + u32(2)
    + new_class(b"Leaf") + leaf(1, 1, 1, string(b"a"))
    + u16(0x7FFF) + u32(0x80000001) + leaf(2, 2, 2, string(b"b")),
}


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
