#!/usr/bin/env python3
"""Builds docs/contact-sheet.png: every picture at 100 % on a checkerboard and
on a dark desktop colour, with its id, plus the main window button's three
looks built from 117, the texture and 118.

usage: contact_sheet.py REVIEW_DIR OUT_PNG
"""

import base64
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import artlib  # noqa: E402
import emulate  # noqa: E402

DESK = "#1d3557"
FACE = (240, 240, 240)
PAD = 6


def uri(path):
    with open(path, "rb") as f:
        return "data:image/png;base64," + base64.b64encode(f.read()).decode()


class Sheet:
    def __init__(self, width):
        self.width = width
        self.parts = []
        self.x = PAD
        self.y = PAD
        self.row_h = 0

    def title(self, text):
        self.newline()
        self.parts.append(f'<text x="{PAD}" y="{self.y + 16}" font-family="DejaVu Sans" font-size="15" '
                          f'font-weight="bold" fill="#f2f2f2">{text}</text>')
        self.y += 24

    def newline(self):
        if self.row_h:
            self.y += self.row_h + PAD
        self.x = PAD
        self.row_h = 0

    def tile(self, path, label, w, h, show_w=None, show_h=None, dark=True):
        """One picture on both grounds.  show_w/show_h stretch thin strips
        (gradients) into a visible band next to the 100 % copy."""
        sw, sh = show_w or w, show_h or h
        panel_w = max(sw, 24) + 8
        panel_h = sh + 8 + (h + 4 if show_h else 0)
        tw = panel_w * (2 if dark else 1) + (4 if dark else 0)
        th = panel_h + 16
        if self.x + tw > self.width - PAD:
            self.newline()
        x, y = self.x, self.y
        img = uri(path)
        grounds = [("url(#checker)", x)] + ([(DESK, x + panel_w + 4)] if dark else [])
        for fill, gx in grounds:
            self.parts.append(f'<rect x="{gx}" y="{y}" width="{panel_w}" height="{panel_h}" fill="{fill}"/>')
            ix = gx + (panel_w - sw) // 2
            self.parts.append(f'<image x="{ix}" y="{y + 4}" width="{w}" height="{h}" href="{img}" '
                              f'preserveAspectRatio="none" style="image-rendering:pixelated"/>')
            if show_h:
                self.parts.append(f'<image x="{ix}" y="{y + 8 + h}" width="{sw}" height="{sh}" href="{img}" '
                                  f'preserveAspectRatio="none" style="image-rendering:pixelated"/>')
        self.parts.append(f'<text x="{x}" y="{y + panel_h + 12}" font-family="DejaVu Sans" font-size="10.5" '
                          f'fill="#d8d8d8">{label}</text>')
        self.x += tw + PAD * 2
        self.row_h = max(self.row_h, th)

    def svg(self):
        self.newline()
        h = self.y + PAD
        defs = ('<pattern id="checker" width="16" height="16" patternUnits="userSpaceOnUse">'
                '<rect width="16" height="16" fill="#ffffff"/><rect width="8" height="8" fill="#cccccc"/>'
                '<rect x="8" y="8" width="8" height="8" fill="#cccccc"/></pattern>')
        return h, (f'<svg xmlns="http://www.w3.org/2000/svg" width="{self.width}" height="{h}">'
                   f'<defs>{defs}</defs><rect width="{self.width}" height="{h}" fill="#2b2b2b"/>'
                   + "".join(self.parts) + "</svg>")


def size_of(path):
    img = artlib.read_png(path)
    return img.w, img.h


def main():
    review, out = sys.argv[1], sys.argv[2]
    p = lambda name: os.path.join(review, name)  # noqa: E731

    # Button looks, drawn on the dialog face colour.
    base = artlib.read_png(p("117.png"))
    over = artlib.read_png(p("118.png"))
    tex = artlib.read_png(p("gif119.png"))
    for i, look in enumerate(emulate.button_looks(base, tex, over)):
        artlib.write_png(p(f"look{i}.png"), emulate.draw_look(look, 110, 116, FACE))

    sheet = Sheet(1180)
    sheet.title("Trees 122-130")
    for rid in range(122, 131):
        w, h = size_of(p(f"{rid}.png"))
        sheet.tile(p(f"{rid}.png"), f"{rid}  {w}x{h}", w, h)
    sheet.title("Toys, star and garlands 131-150")
    for rid in range(131, 151):
        w, h = size_of(p(f"{rid}.png"))
        sheet.tile(p(f"{rid}.png"), f"{rid}  {w}x{h}", w, h)
    sheet.title("Garland gradients (1 px at 100 %, then stretched to 16 px)")
    for rid in (119, 120, 121):
        w, h = size_of(p(f"{rid}.png"))
        sheet.tile(p(f"{rid}.png"), f"{rid}  {w}x{h}", w, h, show_w=w, show_h=16, dark=False)
    sheet.title("Blink sprites (only the blue byte is used)")
    for rid in (161, 162):
        w, h = size_of(p(f"{rid}.png"))
        sheet.tile(p(f"{rid}.png"), f"{rid}  {w}x{h}", w, h)
    sheet.title("Main window button: 117 base, 118 overlay, GIF 119 texture; looks normal / hot / pressed")
    sheet.tile(p("117.png"), "117  96x96", 96, 96)
    sheet.tile(p("118.png"), "118  96x96", 96, 96)
    sheet.tile(p("gif119.png"), "GIF 119  256x256", 256, 256, dark=False)
    for i, name in enumerate(("normal", "hot", "pressed")):
        sheet.tile(p(f"look{i}.png"), f"look: {name}", 110, 116, dark=False)
    sheet.title("Construction page tools")
    for rid in (112, 152, 151, 107, 113, 153):
        w, h = size_of(p(f"{rid}.png"))
        sheet.tile(p(f"{rid}.png"), f"{rid}  {w}x{h}", w, h)
    sheet.title("The same tools as the construction page shows them (tinted 0x337733)")
    for rid in (152, 151, 107, 113, 153):
        img = artlib.read_png(p(f"{rid}.png"))
        emulate.mix_channels(img, (0x33, 0x77, 0x33))
        artlib.write_png(p(f"tint{rid}.png"), img)
        sheet.tile(p(f"tint{rid}.png"), f"{rid} tinted", img.w, img.h)
    sheet.title("Icons")
    for rid in (102, 155, 167, 171, 169, 170, 172, 168):
        for s in (16, 32, 48, 256):
            if os.path.exists(p(f"ico{rid}_{s}.png")):
                sheet.tile(p(f"ico{rid}_{s}.png"), f"{rid} {s}", s, s)
    h, doc = sheet.svg()
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "sheet.svg")
        with open(src, "w") as f:
            f.write(doc)
        subprocess.run(["rsvg-convert", "-o", out, src], check=True)


if __name__ == "__main__":
    main()
