#!/usr/bin/env python3
"""Renders the default scene for art review: the default tree with its 20
items at their stored places and sizes, each picture cropped to its visible
pixels and coloured as the program renders items, garlands recoloured with
three columns of the hue gradient, over two desktop colours; plus a 2x view.

usage: scene_preview.py REVIEW_DIR OUT_PNG
"""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import artlib  # noqa: E402
import emulate  # noqa: E402

# caption, type, resid, brightness, contrast, hue, opacity, size, x, y
DEFAULT_SCENE = [
    ("Garland", 2, 145, 0, 0, 0, 100, 100, 58, 209),
    ("Garland", 2, 145, 0, 0, 0, 100, 100, 97, 188),
    ("Garland", 2, 145, 0, 0, 0, 100, 100, 25, 190),
    ("Garland", 2, 145, 0, 0, 0, 100, 100, 100, 220),
    ("Garland", 2, 145, 0, 0, 0, 100, 100, 9, 223),
    ("Garland", 2, 145, 0, 0, 160, 100, 80, 72, 43),
    ("Garland", 2, 145, 0, 0, 160, 100, 80, 80, 64),
    ("Garland", 2, 145, 0, 0, 160, 100, 80, 49, 91),
    ("Garland", 2, 145, 0, 0, 69, 100, 100, 34, 130),
    ("Garland", 2, 145, 0, 0, 69, 100, 100, 84, 119),
    ("Garland", 2, 145, 0, 0, 69, 100, 100, 58, 162),
    ("Toy", 1, 131, -25, 0, 84, 100, 50, 63, 174),
    ("Toy", 1, 131, -25, 0, 0, 100, 50, 139, 185),
    ("Toy", 1, 131, -25, 0, 122, 100, 50, 112, 145),
    ("Toy", 1, 131, -25, 0, 208, 100, 50, 56, 101),
    ("Toy", 1, 131, -25, 0, 25, 100, 50, 36, 141),
    ("Toy", 1, 134, -25, 0, 25, 100, 50, 105, 86),
    ("Toy", 1, 134, 0, 0, 96, 100, 50, 77, 131),
    ("Toy", 1, 134, 22, 40, 139, 100, 50, 65, 55),
    ("Star", 1, 140, 2, 3, 0, 100, 65, 72, 0),
]

DESKTOPS = [(29, 53, 87), (120, 160, 200), (40, 40, 40)]
COLUMNS = [0, 85, 170]


def main():
    review, out = sys.argv[1], sys.argv[2]
    load = lambda rid: artlib.read_png(os.path.join(review, f"{rid}.png"))  # noqa: E731
    tree = emulate.render_item(load(122), 0, 0, 0, 100)
    cache = {}
    items = []
    for _, kind, rid, brig, contr, hue, opaque, size, x, y in DEFAULT_SCENE:
        key = (rid, brig, contr, hue, opaque, size)
        if key not in cache:
            cache[key] = emulate.render_item(load(rid), hue, brig, contr, size, opaque)
        items.append((kind, cache[key], x, y))
    grad = load(119)
    # a few blink lights where the tree is, as the desktop window scatters them
    import random
    rnd = random.Random(4)
    mask, strip = load(161), load(162)
    lights = []
    while len(lights) < 14:
        lx, ly = rnd.randrange(tree.w - 32), rnd.randrange(tree.h - 32)
        if tree.get(lx + 16, ly + 16)[3]:
            lights.append((mask, strip, lx, ly, rnd.randrange(12)))
    frames = []
    with tempfile.TemporaryDirectory() as tmp:
        for i, (col, desk) in enumerate(zip(COLUMNS, DESKTOPS)):
            g = grad.get(col, 0)[:3]
            img = emulate.frame(tree, items, g, desk, lights)
            # a desktop margin around the picture
            pad = artlib.Image(img.w + 24, img.h + 24)
            for k in range(pad.w * pad.h):
                pad.px[k * 4:k * 4 + 4] = bytes((*desk, 255))
            artlib.over(pad, img, 12, 12)
            path = os.path.join(tmp, f"f{i}.png")
            artlib.write_png(path, pad)
            frames.append(path)
        big = os.path.join(tmp, "big.png")
        subprocess.run(["convert", frames[0], "-filter", "point", "-resize", "200%", big], check=True)
        row = os.path.join(tmp, "row.png")
        subprocess.run(["convert", *frames, "-append", row], check=True)
        # no date chunks, so regenerating unchanged art leaves the file unchanged
        subprocess.run(["convert", row, big, "-background", "#202020", "-gravity", "north", "+append", "+repage",
                        "-strip", "-define", "png:exclude-chunk=date,time", out], check=True)


if __name__ == "__main__":
    main()
