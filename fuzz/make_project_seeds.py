#!/usr/bin/env python3
"""Writes the project seeds whose strings use the 16-bit character form (the 0xFF 0xFFFE marker,
then UTF-16 units), which this program reads but never writes: a screen description, a static
text and alarm texts in that form, short and with the 16-bit length escape. Run from anywhere;
writes next to itself into corpus/project/, corpus/project_json/ and corpus/compile/."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def u8(v):
    return bytes([v])


def u16(v):
    return struct.pack("<H", v)


def i32(v):
    return struct.pack("<i", v)


def count(n):
    return u16(n) if n < 0xFFFF else u16(0xFFFF) + struct.pack("<I", n)


def string(b):
    n = len(b)
    if n < 255:
        return u8(n) + b
    return b"\xff" + u16(n) + b


def wide(text):
    units = text.encode("utf-16-le")
    n = len(units) // 2
    prefix = u8(n) if n < 255 else b"\xff" + u16(n)
    return b"\xff\xfe\xff" + prefix + units


def new_class(name):
    return u16(0xFFFF) + u16(1) + u16(len(name)) + name


def header(protocol):
    fields = (
        u16(0) + u8(protocol) + u16(1234) + u16(1) + u8(1) + u16(0) + u8(0) + u16(1) + u8(0)
        + u8(0) + u8(0) + u8(1) + u8(0) + u8(0) + u8(1) + u8(1) + u8(1) + u8(0) + u16(100)
    )
    return b"\x08Ostra" + u8(12) + u8(1) + fields + bytes(98)


def static_text(x, y, text):
    return u8(1) + i32(x) + i32(y) + u8(0) + u8(0) + text + bytes(50)


def project(description, texts, alarms):
    screen = new_class(b"CMainView") + u16(1) + description + u16(0) + u16(0) + bytes(20)
    screen += count(len(texts))
    for i, (x, y, text) in enumerate(texts):
        screen += (new_class(b"CChars") if i == 0 else u16(0x8003)) + static_text(x, y, text)
    alarm_list = u8(1) + u16(0) + u8(0) + u8(0) + u8(0) + bytes(100) + count(len(alarms))
    alarm_list += b"".join(alarms)
    return header(4) + count(1) + screen + alarm_list


SEEDS = {
    "wide_strings.osp": project(
        wide("画面一"), [(0, 0, wide("温度")), (8, 16, wide("AB")), (0, 32, string(b"ok"))],
        [wide("报警"), string(b"plain"), wide("")]),
    "wide_long.osp": project(
        wide("长" * 300), [(0, 48, wide("x" * 20))], [wide("警" * 260)]),
}

for folder in ("project", "project_json", "compile"):
    out = os.path.join(HERE, "corpus", folder)
    os.makedirs(out, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
