#!/usr/bin/env python3
"""Reads what a Windows program file says about itself, without running it: the machine it is built
for and its version resource (the fixed version numbers and the "FileVersion" and "ProductVersion"
texts). Prints one "key=value" per line; exits 1 when the file is not a PE file or has no version.

    peinfo.py FILE
"""
import struct
import sys

MACHINES = {0x14C: "x86", 0x8664: "x64"}
RT_VERSION = 16


def sections_and_resources(data):
    if data[:2] != b"MZ":
        raise ValueError("no MZ header")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("no PE header")
    machine, nsections = struct.unpack_from("<HH", data, pe + 4)
    opt_size = struct.unpack_from("<H", data, pe + 20)[0]
    opt = pe + 24
    magic = struct.unpack_from("<H", data, opt)[0]
    dirs = opt + (96 if magic == 0x10B else 112)  # PE32 or PE32+
    res_rva = struct.unpack_from("<I", data, dirs + 2 * 8)[0]
    sections = []
    for i in range(nsections):
        s = opt + opt_size + 40 * i
        vsize, va, rsize, raw = struct.unpack_from("<IIII", data, s + 8)
        sections.append((va, max(vsize, rsize), raw))
    return machine, res_rva, sections


def rva_to_offset(rva, sections):
    for va, size, raw in sections:
        if va <= rva < va + size:
            return rva - va + raw
    raise ValueError("address outside every section")


def first_version_resource(data, res_rva, sections):
    base = rva_to_offset(res_rva, sections)

    def entries(directory):
        named, ids = struct.unpack_from("<HH", data, directory + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", data, directory + 16 + 8 * i)
            yield name, target

    for name, target in entries(base):
        if name == RT_VERSION and target & 0x80000000:
            node = base + (target & 0x7FFFFFFF)
            while True:  # the first name, then the first language
                _, target = next(entries(node))
                if not target & 0x80000000:
                    break
                node = base + (target & 0x7FFFFFFF)
            rva, size = struct.unpack_from("<II", data, base + target)
            start = rva_to_offset(rva, sections)
            return data[start:start + size]
    raise ValueError("no version resource")


def parse_block(block, off):
    """One node of the version tree: (key, value bytes, text flag, children), and the offset after it."""
    length, value_len, text = struct.unpack_from("<HHH", block, off)
    end = off + length
    p = off + 6
    key_end = p
    while block[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = block[p:key_end].decode("utf-16-le")
    p = (key_end + 2 + 3) & ~3
    size = value_len * 2 if text else value_len
    value = block[p:p + size]
    p = (p + size + 3) & ~3
    children = []
    while p < end:
        child, p = parse_block(block, p)
        children.append(child)
        p = (p + 3) & ~3
    return (key, value, text, children), end


def version_info(path):
    with open(path, "rb") as f:
        data = f.read()
    machine, res_rva, sections = sections_and_resources(data)
    info = {"machine": MACHINES.get(machine, hex(machine))}
    root, _ = parse_block(first_version_resource(data, res_rva, sections), 0)
    key, fixed, _, children = root
    if key != "VS_VERSION_INFO" or struct.unpack_from("<I", fixed, 0)[0] != 0xFEEF04BD:
        raise ValueError("malformed version resource")
    file_ms, file_ls, prod_ms, prod_ls = struct.unpack_from("<IIII", fixed, 8)
    info["file_numbers"] = "%d.%d.%d.%d" % (file_ms >> 16, file_ms & 0xFFFF, file_ls >> 16, file_ls & 0xFFFF)
    info["product_numbers"] = "%d.%d.%d.%d" % (prod_ms >> 16, prod_ms & 0xFFFF, prod_ls >> 16, prod_ls & 0xFFFF)
    for key, _, _, tables in children:
        if key != "StringFileInfo":
            continue
        for _, _, _, strings in tables:
            for name, value, _, _ in strings:
                info.setdefault(name, value.decode("utf-16-le").split("\0")[0])
    return info


def main():
    try:
        info = version_info(sys.argv[1])
    except (OSError, ValueError, struct.error, StopIteration) as e:
        print("error=%s" % e)
        return 1
    for k, v in info.items():
        print("%s=%s" % (k, v))
    return 0


if __name__ == "__main__":
    sys.exit(main())
