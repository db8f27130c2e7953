"""Byte-level check of the texture GIF: the layout the program's own loader
expects, and a decode with the same LZW rules it uses."""

import struct


def decode_lzw(data, pos, limit):
    """Decodes the image data at data[pos] (minimum code size byte, then
    sub-blocks) the way the program does; returns the indices."""
    min_size = data[pos]
    stream = bytearray()
    p = pos + 1
    while data[p]:
        stream += data[p + 1:p + 1 + data[p]]
        p += 1 + data[p]
    bitpos = 0

    def read(n):
        nonlocal bitpos
        v = 0
        for k in range(n):
            b = bitpos + k
            byte = stream[b >> 3] if (b >> 3) < len(stream) else 0
            v |= ((byte >> (b & 7)) & 1) << k
        bitpos += n
        return v

    clear = 1 << min_size
    end = clear + 1
    size = min_size + 1
    nxt = clear + 2
    prefix = [0] * 4096
    suffix = [0] * 4096
    out = bytearray()

    def write_string(code):
        stack = []
        while code > end:
            stack.append(suffix[code])
            code = prefix[code]
        out.append(code)
        out.extend(reversed(stack))
        return code

    code = read(size)
    while code == clear:
        code = read(size)
    if code < clear:
        out.append(code)
    while code != end and len(out) <= limit:
        prev = code
        code = read(size)
        if code == end:
            break
        if code == clear:
            nxt = clear + 2
            size = min_size + 1
            code = read(size)
            if code < clear:
                out.append(code)
            continue
        if code < nxt:
            first = write_string(code)
        else:
            first = write_string(prev)
            out.append(first)
        if nxt <= 4095:
            prefix[nxt] = prev
            suffix[nxt] = first
            nxt += 1
            if size < 12 and nxt == (1 << size):
                size += 1
    return bytes(out)


def check(path, w, h, colours, indices):
    data = open(path, "rb").read()
    problems = []
    if data[:6] != b"GIF89a":
        problems.append("not GIF89a")
    sw, sh, flags = struct.unpack("<HHB", data[6:11])
    if (sw, sh) != (w, h):
        problems.append(f"screen {sw}x{sh}")
    if not flags & 0x80:
        problems.append("no global colour table")
    n = 2 ** ((flags & 7) + 1)
    if n != colours:
        problems.append(f"global colour table of {n}")
    pos = 13 + 3 * n
    if data[pos] != 0x2C:
        problems.append(f"block 0x{data[pos]:02x} before the image (extension?)")
    else:
        x, y, iw, ih, iflags = struct.unpack("<HHHHB", data[pos + 1:pos + 10])
        if (x, y, iw, ih) != (0, 0, w, h):
            problems.append("image is not the logical screen")
        if iflags & 0x40:
            problems.append("interlaced")
        if iflags & 0x80:
            problems.append("local colour table")
        got = decode_lzw(data, pos + 10, w * h)
        if got[:w * h] != indices:
            problems.append(f"decodes differently ({len(got)} indices)")
    if data[-1:] != b";":
        problems.append("no trailer")
    return problems
