#!/usr/bin/env python3
"""Writes the tree files the tests read: good ones (the reader's fuzz seeds) and malformed ones,
each named "<expected refusal>--<what is wrong>.pinarbo". Written from the format's description,
apart from the program's own writer, so the two are checked against each other.
Run from the repository's top: python3 tests/data/treefile/make-files.py"""
import base64, hashlib, os, struct, zlib

BAD = "tests/data/treefile/bad"
SEEDS = "tests/fuzz/corpus/treefile"


def png(w, h, rgba):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    rows = b"".join(b"\0" + bytes(rgba) * w for _ in range(h))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


STAR = png(3, 2, (255, 200, 0, 255))
BALL = png(2, 2, (200, 0, 0, 128))


def item(caption, kind, x, y, source=0, path=None, extra=()):
    values = [("resid", "301"), ("Caption", caption), ("type", str(kind)), ("source", str(source)),
              ("hue", "0"), ("size", "100"), ("x", str(x)), ("y", str(y))] + list(extra)
    if path is not None:
        values.append(("path", path))
    return values


def content(items, pictures, tree=None, options=True, counts=None, version=1):
    tree = tree if tree is not None else item("XMas Tree", 0, 0, 0)
    lines = ["Pinarbo tree file, version %d" % version, "[File]"]
    n_items, n_pictures = counts if counts else (len(items), len(pictures))
    lines += ["items=%s" % n_items, "pictures=%s" % n_pictures, "[Items\\Tree]"]
    lines += ["%s=%s" % kv for kv in tree]
    for i, values in enumerate(items):
        lines.append("[Items\\%03d]" % i)
        lines += ["%s=%s" % kv for kv in values]
    if options:
        lines += ["[Options\\ViewWnd]", "opaque=80", "[Options\\Blinks]", "num=12", "freq=40", "size=100",
                  "[Options\\Garland]", "id=164"]
    for name, data in pictures:
        lines += ["[Picture\\%s]" % name, "bytes=%d" % len(data), "data=" + base64.b64encode(data).decode()]
    return ("\r\n".join(lines) + "\r\n").encode("utf-8")


def sealed(body):
    return body + b"SHA-256=" + hashlib.sha256(body).hexdigest().encode() + b"\r\n"


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


good_items = [item("Star", 1, 40, 5, 1, "star.png"), item("Ball", 1, 60, 90, 1, "ball.png"),
              item("Ball 2", 1, 20, 110, 1, "ball.png", [("brig", "-20"), ("opaque", "60")]),
              item("  Plain toy  ", 1, 70, 130), item("Garland", 2, 0, 100, extra=[("visible", "0")])]
good = sealed(content(good_items, [("star.png", STAR), ("ball.png", BALL)],
                      tree=item("Own tree", 0, 0, 0, 1, "star.png")))
write(SEEDS, "own-pictures.pinarbo", good)
write(SEEDS, "built-in-only.pinarbo", sealed(content([item("Toy", 1, 1, 2)], [], options=False)))
write(SEEDS, "no-items.pinarbo", sealed(content([], [])))

bad = {
    "empty--no-bytes": b"",
    "cut--half-of-a-good-file": good[: len(good) // 2],
    "cut--checksum-line-missing": good[: good.rfind(b"SHA-256=")],
    "cut--within-the-first-line": good[:12],
    "altered--one-value-changed": good.replace(b"opaque=80", b"opaque=90"),
    "altered--picture-renamed": good.replace(b"[Picture\\star.png]", b"[Picture\\star.jpg]"),
    "garbage--random-text": b"Hello, this is a letter, not a tree.\r\n",
    "garbage--binary": bytes(range(256)) * 4,
    "garbage--settings-file-section": sealed(content([], []).replace(b"[Options\\Garland]", b"[Options\\Common]")),
    "garbage--unknown-key": sealed(content([item("Toy", 1, 1, 2, extra=[("mon", "\\\\.\\DISPLAY1")])], [])),
    "garbage--no-tree": sealed(b"Pinarbo tree file, version 1\r\n[File]\r\nitems=0\r\npictures=0\r\n"),
    "version--newer-format": sealed(content([], [], version=2)),
    "count--absurd-items": sealed(content([], [], counts=("4000000", 0))),
    "count--items-disagree": sealed(content([item("Toy", 1, 1, 2)], [], counts=(5, 0))),
    "count--pictures-disagree": sealed(content([item("Toy", 1, 1, 2, 1, "star.png")], [("star.png", STAR)],
                                               counts=(1, 0))),
    "unsafe_name--backslash": sealed(content([item("T", 1, 0, 0, 1, "..\\evil.png")], [("..\\evil.png", STAR)])),
    "unsafe_name--slash": sealed(content([item("T", 1, 0, 0, 1, "a/b.png")], [("a/b.png", STAR)])),
    "unsafe_name--dot-dot": sealed(content([item("T", 1, 0, 0, 1, "..")], [("..", STAR)])),
    "unsafe_name--device-con": sealed(content([item("T", 1, 0, 0, 1, "CON.png")], [("CON.png", STAR)])),
    "unsafe_name--device-com1": sealed(content([item("T", 1, 0, 0, 1, "com1")], [("com1", STAR)])),
    "unsafe_name--drive-colon": sealed(content([item("T", 1, 0, 0, 1, "C:x.png")], [("C:x.png", STAR)])),
    "unsafe_name--trailing-dot": sealed(content([item("T", 1, 0, 0, 1, "x.png.")], [("x.png.", STAR)])),
    "missing_picture--referenced-not-held": sealed(content([item("T", 1, 0, 0, 1, "gone.png")], [])),
    "unused_picture--held-not-used": sealed(content([item("T", 1, 0, 0)], [("star.png", STAR)])),
    "picture_data--bad-base64": sealed(content([item("T", 1, 0, 0, 1, "s.png")], [("s.png", STAR)])
                                       .replace(b"data=iVBOR", b"data=iV*OR")),
    "picture_data--size-disagrees": sealed(content([item("T", 1, 0, 0, 1, "s.png")], [("s.png", STAR)])
                                           .replace(b"bytes=%d" % len(STAR), b"bytes=%d" % (len(STAR) + 1))),
    "too_large--picture-over-16-MB": sealed(content([item("T", 1, 0, 0, 1, "s.png")], [("s.png", STAR)])
                                            .replace(b"bytes=%d" % len(STAR), b"bytes=16777217")),
    "bad_value--number-with-letters": sealed(content([item("T", 1, 0, 0, extra=[("brig", "12abc")])], [])),
    "garbage--items-out-of-order": sealed(content([item("A", 1, 0, 0), item("B", 1, 0, 0)], [])
                                          .replace(b"[Items\\001]", b"[Items\\007]")),
}
for name, data in bad.items():
    write(BAD, name + ".pinarbo", data)

# Well formed, but its picture is not a picture: the reader accepts it, an import refuses it.
write("tests/data/treefile", "not-a-picture.pinarbo",
      sealed(content([item("T", 1, 0, 0, 1, "fake.png")], [("fake.png", b"GIF89a but not really a picture")])))
