#!/usr/bin/env python3
"""Writes a .reg file that fills the program's key with garbage of every kind, chosen at random
from a seed: wrong value types, huge and negative numbers, over-long texts, cut and over-long
placement records, positions far off screen, many item sections, odd profile names.

usage: garbage_reg.py SEED OUT.reg [ITEM_SECTIONS]
"""
import random
import struct
import sys

seed = int(sys.argv[1])
out = sys.argv[2]
many = int(sys.argv[3]) if len(sys.argv) > 3 else 0
rnd = random.Random(seed)
ROOT = r"HKEY_CURRENT_USER\Software\Holverin\Pinarbo"


def esc(text):
    return text.replace("\\", "\\\\").replace('"', '\\"')


def hexbytes(data):
    return ",".join("%02x" % b for b in data)


def junk_number():
    return rnd.choice(["-1", "0", "2147483647", "-2147483648", "99999999999999", "-99999999999",
                       "4294967295", "12abc", "abc", " 7", "", "1e9", "0x10", str(rnd.randint(-10**6, 10**6))])


def junk_value():
    kind = rnd.randrange(6)
    if kind == 0:
        return '"%s"' % esc(junk_number())
    if kind == 1:
        return "dword:%08x" % rnd.getrandbits(32)
    if kind == 2:
        return "hex:" + hexbytes(bytes(rnd.getrandbits(8) for _ in range(rnd.randrange(0, 64))))
    if kind == 3:
        return '"%s"' % ("x" * rnd.choice([300, 5000, 20000]))
    if kind == 4:
        return "hex(7):" + hexbytes("a\0b\0\0".encode("utf-16-le"))
    return '""'


def placement():
    kind = rnd.randrange(5)
    if kind == 0:  # cut short
        return "hex:" + hexbytes(bytes(rnd.getrandbits(8) for _ in range(rnd.randrange(0, 43))))
    if kind == 1:  # too long
        return "hex:" + hexbytes(struct.pack("<11i", 44, 0, 1, 0, 0, 0, 0, 10, 10, 200, 200) + b"\0" * 20)
    if kind == 2:  # far off every monitor, or absurd
        x = rnd.choice([30000, -30000, 2**31 - 1000, -2**31 + 10, 5000])
        y = rnd.choice([30000, -30000, 2**31 - 1000, -2**31 + 10, 4000])
        show = rnd.choice([0, 1, 2, 3, 7, 11, 12, 0xFFFF])
        return "hex:" + hexbytes(struct.pack("<3I8i", 44, rnd.getrandbits(32), show, -1, -1, -1, -1, x, y, x + 150, y + 150))
    if kind == 3:
        return '"not a structure"'
    return "hex:" + hexbytes(bytes(rnd.getrandbits(8) for _ in range(44)))


COMMON = ["MinimizeToTray", "HideInTray", "KeepInTray", "EscMin", "StartMinimize", "CloseMinimize", "ConfirmExit"]
ITEM_KEYS = ["resid", "Caption", "visible", "x", "y", "bIgnClr", "crIgnClr", "type", "source", "hue", "brig",
             "contr", "opaque", "size", "path"]

profile = rnd.choice(["Default", "Default", "a\\b\\c", "\\\\", "with space", "x" * 300, "..\\..", "Prof\\"])
lines = ["REGEDIT4", ""]


def section(path, values):
    lines.append("[%s%s]" % (ROOT, ("\\" + path) if path else ""))
    for name, value in values:
        lines.append('"%s"=%s' % (esc(name), value))
    lines.append("")


common = [(k, junk_value()) for k in COMMON if rnd.random() < 0.8]
# Keep the exit question off most of the time, so the session end is not blocked by a question.
common.append(("ConfirmExit", rnd.choice(['"0"', "dword:00000000", '"1"'])))
section(r"Options\Common", common)
section(r"Options\Windows\Main", [("plmnt", placement()), ("topmost", junk_value()), ("Handle", junk_value())])
section(r"Options\Windows\Item", [("pos", junk_value())])
section("Profiles", [("Profile", '"%s"' % esc(profile)) if rnd.random() < 0.9 else ("Profile", junk_value())])
prof = "Profiles\\" + profile.strip("\\")
for sub in [r"Options\ViewWnd", r"Options\Blinks", r"Options\Garland"]:
    keys = {"Options\\ViewWnd": ["opaque", "topmost"], "Options\\Blinks": ["num", "freq", "size"],
            "Options\\Garland": ["id"]}[sub]
    values = [(k, junk_value()) for k in keys]
    if sub.endswith("ViewWnd"):
        values.append(("plmnt", placement()))
    section(prof + "\\" + sub, values)
section(prof + r"\Items\Tree", [(k, junk_value()) for k in ITEM_KEYS if rnd.random() < 0.7])
count = many or rnd.randrange(0, 40)
for n in range(count):
    values = [("type", rnd.choice(['"1"', '"2"', '"0"', '"7"', junk_value()]))]
    values += [(k, junk_value()) for k in ITEM_KEYS if rnd.random() < 0.5]
    section(prof + "\\Items\\%03d" % n, values)

with open(out, "w", newline="\r\n") as f:
    f.write("\n".join(lines) + "\n")
