#!/usr/bin/env python3
"""Regenerates every picture resource in res/ from the drawings in this
folder, and leaves review PNGs (one per picture) in the review folder for
the contact sheet and the scene preview.

usage: make_art.py REPO_ROOT REVIEW_DIR
"""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import artlib  # noqa: E402
import gifcheck  # noqa: E402
import toys  # noqa: E402
import trees  # noqa: E402
import ui  # noqa: E402


def item_picture(img):
    """Tree, toy and garland pictures: no alpha dust, no key-black pixels,
    edge colours bled under the transparent border."""
    artlib.clean_alpha(img)
    artlib.no_key_black(img)
    artlib.bleed_edges(img)
    return img


def quantize_texture(img, colours=32):
    """Reduces the texture to a palette of exactly `colours` entries with
    ImageMagick, returning (palette, indices)."""
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "t.png")
        out = os.path.join(tmp, "q.png")
        artlib.write_png(src, img)
        subprocess.run(["convert", src, "-alpha", "off", "-dither", "FloydSteinberg", "-colors", str(colours),
                        "-type", "TrueColor", out], check=True)
        q = artlib.read_png(out)
    palette = []
    index = {}
    indices = bytearray(q.w * q.h)
    for i in range(q.w * q.h):
        rgb = tuple(q.px[i * 4:i * 4 + 3])
        if rgb not in index:
            index[rgb] = len(palette)
            palette.append(rgb)
        indices[i] = index[rgb]
    assert len(palette) <= colours, len(palette)
    while len(palette) < colours:
        palette.append((0, 0, 0))
    return palette, bytes(indices)


def main():
    root, review = sys.argv[1], sys.argv[2]
    res = os.path.join(root, "res")
    os.makedirs(review, exist_ok=True)

    def bmp32(rid, img):
        artlib.write_bmp32(os.path.join(res, "bmp", f"{rid}.bmp"), img)
        artlib.write_png(os.path.join(review, f"{rid}.png"), img)

    def bmp24(rid, img):
        artlib.write_bmp24(os.path.join(res, "bmp", f"{rid}.bmp"), img)
        artlib.write_png(os.path.join(review, f"{rid}.png"), img)

    for rid, p in sorted(trees.TREES.items()):
        bmp32(rid, item_picture(artlib.render_svg(trees.tree_svg(p), p["w"], p["h"])))
    box = artlib.read_png(os.path.join(review, "122.png")).alpha_box()
    if box != (0, 0, 192, 249):
        sys.exit(f"122.bmp must fill its 193 x 250 box (items are cropped to content), has {box}")
    for rid, p in sorted(trees.STYLISED.items()):
        bmp32(rid, item_picture(artlib.render_svg(trees.stylised_svg(p), p["w"], p["h"])))
    for rid in sorted(toys.TOYS):
        w, h, s = toys.toy_svg(rid)
        bmp32(rid, item_picture(artlib.render_svg(s, w, h)))

    bmp32(119, ui.gradient_hue())
    bmp32(120, ui.gradient_pulse())
    bmp32(121, ui.gradient_blocks())
    bmp24(161, ui.blink_mask())
    bmp24(162, ui.blink_strip())

    bmp32(117, artlib.bleed_edges(artlib.render_svg(ui.button_base_svg(), 96, 96)))
    bmp32(118, artlib.render_svg(ui.button_overlay_svg(), 96, 96))
    tex = artlib.render_svg(ui.texture_svg(), 256, 256)
    palette, indices = quantize_texture(tex)
    gif = os.path.join(res, "gif", "119.gif")
    artlib.write_gif(gif, 256, 256, palette, indices)
    problems = gifcheck.check(gif, 256, 256, 32, indices)
    if problems:
        sys.exit("119.gif: " + "; ".join(problems))
    subprocess.run(["convert", gif, os.path.join(review, "gif119.png")], check=True)

    opaque = lambda img: img  # noqa: E731
    bmp32(112, opaque(artlib.render_svg(ui.toolbar_bg_svg(), 26, 26)))
    bmp32(152, artlib.bleed_edges(artlib.render_svg(ui.plus_svg(), 20, 20)))
    bmp32(151, artlib.bleed_edges(artlib.render_svg(ui.plus_svg(minus=True), 20, 20)))
    bmp32(107, artlib.bleed_edges(artlib.render_svg(ui.gear_svg(), 16, 16)))
    for rid, redo, size in ((180, False, 20), (181, True, 20), (182, False, 40), (183, True, 40)):
        bmp32(rid, artlib.bleed_edges(artlib.render_svg(ui.undo_svg(redo, size), size, size)))
    bmp32(113, artlib.bleed_edges(artlib.render_svg(ui.eye_svg(True), 16, 16)))
    bmp32(153, artlib.bleed_edges(artlib.render_svg(ui.eye_svg(False), 16, 16)))

    for rid, (draw, sizes) in sorted(ui.ICONS.items()):
        images = [artlib.render_svg(draw(s), s, s) for s in sizes]
        artlib.write_ico(os.path.join(res, "ico", f"{rid}.ico"), images)
        for img in images:
            artlib.write_png(os.path.join(review, f"ico{rid}_{img.w}.png"), img)


if __name__ == "__main__":
    main()
