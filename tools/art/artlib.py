"""Small image helpers for the art generator: SVG rendering, pixel buffers and
the file formats the resource compiler takes (BMP, ICO, GIF) plus PNG for
review pictures.  Standard library only; SVG goes through rsvg-convert and
PNG decoding through ImageMagick's convert.

A picture is an Image: width, height and a bytearray of straight RGBA bytes,
rows top to bottom.
"""

import os
import struct
import subprocess
import tempfile
import zlib


class Image:
    def __init__(self, w, h, data=None):
        self.w = w
        self.h = h
        self.px = bytearray(w * h * 4) if data is None else bytearray(data)
        assert len(self.px) == w * h * 4

    def copy(self):
        return Image(self.w, self.h, self.px)

    def get(self, x, y):
        i = (y * self.w + x) * 4
        return tuple(self.px[i:i + 4])

    def set(self, x, y, rgba):
        i = (y * self.w + x) * 4
        self.px[i:i + 4] = bytes(rgba)

    def has_alpha(self):
        return any(self.px[3::4])

    def alpha_box(self):
        """Bounding box (x0, y0, x1, y1) inclusive of non-zero alpha, or None."""
        a = self.px[3::4]
        w, h = self.w, self.h
        rows = [y for y in range(h) if any(a[y * w:(y + 1) * w])]
        if not rows:
            return None
        cols = [x for x in range(w) if any(a[x::w])]
        return cols[0], rows[0], cols[-1], rows[-1]


# ---------------------------------------------------------------- rendering

def render_svg(svg_text, w, h):
    """Renders an SVG document to a w x h straight-alpha Image."""
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "in.svg")
        png = os.path.join(tmp, "out.png")
        with open(src, "w", encoding="utf-8") as f:
            f.write(svg_text)
        subprocess.run(["rsvg-convert", "-w", str(w), "-h", str(h), "-o", png, src], check=True)
        return read_png(png)


def read_png(path):
    """Reads any picture ImageMagick understands as 8-bit RGBA."""
    size = subprocess.run(["convert", path, "-format", "%w %h", "info:"],
                          check=True, capture_output=True, text=True).stdout.split()
    w, h = int(size[0]), int(size[1])
    raw = subprocess.run(["convert", path, "-depth", "8", "rgba:-"],
                         check=True, capture_output=True).stdout
    return Image(w, h, raw)


# ------------------------------------------------------------ pixel helpers

def bleed_edges(img, passes=4):
    """Gives fully transparent pixels the average colour of their visible
    neighbours, a few pixels deep.  The program resamples straight-alpha
    pictures with all four channels alike, so without this the transparent
    black around a shape would darken its edges when it is scaled."""
    w, h, px = img.w, img.h, img.px
    known = bytearray(1 if px[i * 4 + 3] else 0 for i in range(w * h))
    for _ in range(passes):
        updates = []
        for y in range(h):
            for x in range(w):
                i = y * w + x
                if known[i]:
                    continue
                r = g = b = n = 0
                for dy in (-1, 0, 1):
                    yy = y + dy
                    if yy < 0 or yy >= h:
                        continue
                    for dx in (-1, 0, 1):
                        xx = x + dx
                        if xx < 0 or xx >= w:
                            continue
                        j = yy * w + xx
                        if known[j]:
                            r += px[j * 4]
                            g += px[j * 4 + 1]
                            b += px[j * 4 + 2]
                            n += 1
                if n:
                    updates.append((i, r // n, g // n, b // n))
        if not updates:
            break
        for i, r, g, b in updates:
            px[i * 4:i * 4 + 3] = bytes((r, g, b))
            known[i] = 1
    # Whatever stays out of reach keeps black; it never shows.
    for i in range(w * h):
        if not known[i]:
            px[i * 4:i * 4 + 3] = b"\0\0\0"
    return img


def no_key_black(img):
    """Visible pixels must never be exactly black: the program treats colour
    0x000000 as a transparent colour key on item pictures by default."""
    px = img.px
    for i in range(0, len(px), 4):
        if px[i + 3] and px[i] == 0 and px[i + 1] == 0 and px[i + 2] == 0:
            px[i] = px[i + 1] = px[i + 2] = 1
    return img


def clean_alpha(img):
    """Drops near-invisible alpha dust (1..2) that only enlarges crop boxes."""
    px = img.px
    for i in range(3, len(px), 4):
        if px[i] < 3:
            px[i] = 0
    return img


def over(dst, src, ox=0, oy=0):
    """Straight-alpha source-over of src onto dst at (ox, oy), in place."""
    for y in range(src.h):
        ty = y + oy
        if ty < 0 or ty >= dst.h:
            continue
        for x in range(src.w):
            tx = x + ox
            if tx < 0 or tx >= dst.w:
                continue
            si = (y * src.w + x) * 4
            a = src.px[si + 3]
            if a == 0:
                continue
            di = (ty * dst.w + tx) * 4
            if a == 255:
                dst.px[di:di + 4] = src.px[si:si + 4]
                continue
            da = dst.px[di + 3]
            oa = a + da * (255 - a) / 255.0
            for c in range(3):
                v = (src.px[si + c] * a + dst.px[di + c] * da * (255 - a) / 255.0) / oa
                dst.px[di + c] = min(255, int(v + 0.5))
            dst.px[di + 3] = min(255, int(oa + 0.5))
    return dst


# ----------------------------------------------------------------- writers

def write_bmp32(path, img):
    """32 bpp BI_RGB bottom-up BMP, BITMAPINFOHEADER, straight alpha in the
    fourth byte of each pixel."""
    w, h = img.w, img.h
    rows = []
    for y in range(h - 1, -1, -1):
        row = bytearray(w * 4)
        s = img.px[y * w * 4:(y + 1) * w * 4]
        row[0::4] = s[2::4]
        row[1::4] = s[1::4]
        row[2::4] = s[0::4]
        row[3::4] = s[3::4]
        rows.append(bytes(row))
    bits = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 32, 0, len(bits), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(bits), 0, 0, 14 + 40)
    _write(path, head + info + bits)


def write_bmp24(path, img):
    """24 bpp BI_RGB bottom-up BMP (alpha dropped), rows padded to 4 bytes."""
    w, h = img.w, img.h
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        s = img.px[y * w * 4:(y + 1) * w * 4]
        row[0:w * 3:3] = s[2::4]
        row[1:w * 3:3] = s[1::4]
        row[2:w * 3:3] = s[0::4]
        rows.append(bytes(row))
    bits = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(bits), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(bits), 0, 0, 14 + 40)
    _write(path, head + info + bits)


def png_bytes(img):
    raw = bytearray()
    stride = img.w * 4
    for y in range(img.h):
        raw.append(0)
        raw += img.px[y * stride:(y + 1) * stride]

    def chunk(kind, data):
        c = struct.pack(">I", len(data)) + kind + data
        return c + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    ihdr = struct.pack(">IIBBBBB", img.w, img.h, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def write_png(path, img):
    _write(path, png_bytes(img))


def _ico_dib(img):
    """An icon image as a 32 bpp DIB: header with doubled height, XOR bits
    bottom-up BGRA, then the 1 bpp AND mask (set where fully transparent)."""
    w, h = img.w, img.h
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        s = img.px[y * w * 4:(y + 1) * w * 4]
        row = bytearray(w * 4)
        row[0::4] = s[2::4]
        row[1::4] = s[1::4]
        row[2::4] = s[0::4]
        row[3::4] = s[3::4]
        xor += row
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(w):
            if img.px[(y * w + x) * 4 + 3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def write_ico(path, images):
    """ICO container; 256-pixel images are stored as PNG, smaller ones as
    32 bpp DIBs with an AND mask."""
    images = sorted(images, key=lambda im: im.w)
    blobs = [png_bytes(im) if im.w >= 256 else _ico_dib(im) for im in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for im, blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", im.w % 256, im.h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    _write(path, out + b"".join(blobs))


def lzw_encode(indices, min_size):
    """GIF LZW with the usual variable code size; a clear code is sent when
    the 4096-entry table is full."""
    clear = 1 << min_size
    end = clear + 1
    bits = bytearray()
    acc = 0
    nacc = 0

    def emit(code, size):
        nonlocal acc, nacc
        acc |= code << nacc
        nacc += size
        while nacc >= 8:
            bits.append(acc & 0xFF)
            acc >>= 8
            nacc -= 8

    size = min_size + 1
    table = {}
    nxt = end + 1
    emit(clear, size)
    prefix = None
    for k in indices:
        if prefix is None:
            prefix = k
            continue
        key = (prefix, k)
        if key in table:
            prefix = table[key]
            continue
        emit(prefix, size)
        if nxt < 4096:
            table[key] = nxt
            nxt += 1
            # The decoder learns each entry one code later, so it widens the
            # code after reading the code that follows this addition.
            if nxt > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear, size)
            table = {}
            nxt = end + 1
            size = min_size + 1
        prefix = k
    if prefix is not None:
        emit(prefix, size)
    emit(end, size)
    if nacc:
        bits.append(acc & 0xFF)
    return bytes(bits)


def write_gif(path, w, h, palette, indices):
    """GIF89a with one global colour table, no extension blocks, one
    non-interlaced image the size of the logical screen."""
    n = len(palette)
    depth = max(1, (n - 1).bit_length())
    assert (1 << depth) == n, "palette size must be a power of two"
    flags = 0x80 | ((depth - 1) << 4) | (depth - 1)
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", w, h, flags, 0, 0)
    for r, g, b in palette:
        out += bytes((r, g, b))
    out += b"," + struct.pack("<HHHHB", 0, 0, w, h, 0)
    min_size = max(2, depth)
    out.append(min_size)
    data = lzw_encode(indices, min_size)
    for i in range(0, len(data), 255):
        part = data[i:i + 255]
        out.append(len(part))
        out += part
    out += b"\x00;"
    _write(path, bytes(out))


def _write(path, data):
    os.makedirs(os.path.dirname(path) or ".", exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
