"""Gradients, blink sprites, the button pictures and texture, the
construction page's tool pictures and the icons."""

import colorsys
import math

import artlib
import svg
from svg import f
from artlib import Image


# ------------------------------------------------------------- gradients

def _row(colours):
    img = Image(len(colours), 1)
    for x, (r, g, b) in enumerate(colours):
        img.set(x, 0, (r, g, b, 255))
    return img


def gradient_hue():  # 119: red, magenta, blue, cyan, green, yellow, orange, red
    out = []
    for x in range(256):
        h = (1.0 - x / 256.0) % 1.0
        r, g, b = colorsys.hsv_to_rgb(h, 1.0, 1.0)
        out.append((round(r * 255), round(g * 255), round(b * 255)))
    return _row(out)


def gradient_pulse():  # 120: dark and bright stretches of changing colours
    out = []
    hues = [0.0, 0.33, 0.12, 0.66, 0.83, 0.5, 0.08, 0.25]
    for x in range(256):
        seg = x // 32
        t = (x % 32) / 32.0
        v = 0.12 + 0.88 * (0.5 - 0.5 * math.cos(2 * math.pi * t))
        h0, h1 = hues[seg], hues[(seg + 1) % 8]
        h = h0 + (h1 - h0) * t * t
        r, g, b = colorsys.hsv_to_rgb(h % 1.0, 0.85, v)
        out.append((round(r * 255), round(g * 255), round(b * 255)))
    return _row(out)


def gradient_blocks():  # 121: abrupt saturated red, green, blue, magenta blocks
    blocks = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 0, 255)]
    out = []
    for x in range(320):
        out.append(blocks[(x // 32) % 4])
    return _row(out)


# --------------------------------------------------------- blink sprites

def blink_mask():  # 161: soft round glow
    img = Image(32, 32)
    for y in range(32):
        for x in range(32):
            d = math.hypot(x - 15.5, y - 15.5) / 15.5
            v = max(0.0, 1.0 - d) ** 1.6 if d < 1 else 0.0
            v = min(1.0, v * 1.15)
            c = round(255 * v)
            img.set(x, y, (c, c, c, 255))
    return img


def blink_strip():  # 162: twelve frames of a turning, pulsing four-ray sparkle
    img = Image(32 * 12, 32)
    for k in range(12):
        phase = k / 12.0
        rot = math.radians(phase * 90)
        length = 11 + 4 * math.sin(2 * math.pi * phase)
        core = 0.75 + 0.25 * math.cos(2 * math.pi * phase)
        for y in range(32):
            for x in range(32):
                dx, dy = x - 15.5, y - 15.5
                d = math.hypot(dx, dy)
                v = core * math.exp(-(d / 3.2) ** 2)
                for j in range(4):
                    a = rot + j * math.pi / 2
                    along = dx * math.cos(a) + dy * math.sin(a)
                    perp = -dx * math.sin(a) + dy * math.cos(a)
                    if along > 0:
                        width = 0.9 + 0.6 * (1 - min(1, along / length))
                        v += math.exp(-(perp / width) ** 2) * max(0.0, 1 - along / length) ** 1.3
                # short diagonal rays
                for j in range(4):
                    a = rot + math.pi / 4 + j * math.pi / 2
                    along = dx * math.cos(a) + dy * math.sin(a)
                    perp = -dx * math.sin(a) + dy * math.cos(a)
                    if along > 0:
                        v += 0.55 * math.exp(-(perp / 0.8) ** 2) * max(0.0, 1 - along / (length * 0.45))
                c = round(255 * min(1.0, v))
                img.set(k * 32 + x, y, (c, c, c, 255))
    return img


# ------------------------------------------------------ main window button

BTN_R = 45.0


def button_base_svg():  # 117: the round face; only its alpha shapes the button
    d = svg.rad("bf", 0.38, 0.32, 0.75, [(0, "#ff7a6e"), (0.5, "#c8142a"), (1, "#4e0410")], fx=0.34, fy=0.28)
    body = f'<circle cx="48" cy="48" r="{BTN_R}" fill="url(#bf)"/>'
    return svg.doc(96, 96, body, d)


def button_overlay_svg():  # 118: gloss, rim and shading over the textured face
    defs = (svg.rad("edge", 0.5, 0.5, 0.5, [(0, ("#000000", 0)), (0.72, ("#10000a", 0)), (0.93, ("#10000a", 0.35)),
                                              (1, ("#10000a", 0.6))])
            + svg.rad("shade", 0.3, 0.25, 0.9, [(0, ("#ffffff", 0)), (0.6, ("#000000", 0)), (1, ("#060010", 0.45))])
            + svg.lin("hl", 0, 0, 0, 1, [(0, ("#ffffff", 0.92)), (0.55, ("#ffffff", 0.35)), (1, ("#ffffff", 0))])
            + svg.lin("rim", 0, 0, 1, 1, [(0, "#fff3b0"), (0.3, "#e2b33c"), (0.6, "#8a5e10"), (1, "#f0cc60")])
            + svg.blur("b", 1.4))
    body = (f'<circle cx="48" cy="48" r="{BTN_R}" fill="url(#shade)"/>'
            f'<circle cx="48" cy="48" r="{BTN_R}" fill="url(#edge)"/>'
            f'<ellipse cx="42" cy="25" rx="27" ry="16" transform="rotate(-20 42 25)" fill="url(#hl)"/>'
            f'<ellipse cx="62" cy="76" rx="14" ry="6" transform="rotate(-30 62 76)" fill="#ffffff" opacity="0.25" '
            f'filter="url(#b)"/>'
            f'<circle cx="48" cy="48" r="{BTN_R - 1.6}" fill="none" stroke="url(#rim)" stroke-width="3"/>'
            f'<circle cx="48" cy="48" r="{BTN_R - 3.4}" fill="none" stroke="#4a2a00" stroke-width="0.7" opacity="0.5"/>')
    return svg.doc(96, 96, body, defs)


def texture_svg():
    """256 x 256, seamless in both directions: snowflakes and stars on a
    deep red ground with soft diagonal ribbons."""
    r = svg.rng(119)
    defs = (svg.lin("ground", 0, 0, 1, 1, [(0, "#8a0c1c"), (0.5, "#c21a2e"), (1, "#8a0c1c")])
            + svg.blur("b", 1.2))
    body = ['<rect width="256" height="256" fill="url(#ground)"/>']
    # diagonal ribbons, drawn three times so they wrap
    for off in (-256, 0, 256):
        for k in range(4):
            x = k * 64 + off
            body.append(f'<path d="M{x},0 L{x + 22},0 L{x + 22 + 256},256 L{x + 256},256 Z" fill="#ffffff" '
                        f'opacity="0.06"/>')
    items = []
    # an even scatter: one motif per cell of a 6 x 6 grid, jittered
    for gy in range(6):
        for gx in range(6):
            items.append(((gx + r.uniform(0.15, 0.85)) * 256 / 6, (gy + r.uniform(0.15, 0.85)) * 256 / 6,
                          r.uniform(5, 10), r.choice("ffs"), r.uniform(0, 60)))
    for x, y, s, kind, rot in items:
        for dx in (-256, 0, 256):
            for dy in (-256, 0, 256):
                cx, cy = x + dx, y + dy
                if cx < -20 or cx > 276 or cy < -20 or cy > 276:
                    continue
                if kind == "f":
                    arms = "".join(
                        f'<g transform="rotate({rot + j * 60} {f(cx)} {f(cy)})">'
                        f'<line x1="{f(cx)}" y1="{f(cy)}" x2="{f(cx)}" y2="{f(cy - s)}"/>'
                        f'<polyline points="{f(cx - s * 0.3)},{f(cy - s * 0.75)} {f(cx)},{f(cy - s * 0.5)} '
                        f'{f(cx + s * 0.3)},{f(cy - s * 0.75)}" fill="none"/></g>' for j in range(6))
                    body.append(f'<g stroke="#ffffff" stroke-width="{f(max(1.0, s / 7))}" stroke-linecap="round" '
                                f'opacity="0.92">{arms}</g>')
                else:
                    p = svg.star_points(cx, cy, s, s * 0.42, rot=rot - 90)
                    body.append(f'<path d="M{svg.pts(p)} Z" fill="#ffd44a" stroke="#a86a00" stroke-width="0.6"/>')
    # small dots of snow
    for i in range(70):
        x, y = r.uniform(0, 256), r.uniform(0, 256)
        for dx in (-256, 0, 256):
            for dy in (-256, 0, 256):
                body.append(f'<circle cx="{f(x + dx)}" cy="{f(y + dy)}" r="{f(r.uniform(0.8, 1.7))}" fill="#ffe9ec" '
                            f'opacity="0.8"/>')
    return svg.doc(256, 256, "".join(body), defs)


# ------------------------------------------------- construction page tools

def toolbar_bg_svg():  # 112
    defs = svg.lin("g", 0, 0, 0, 1, [(0, "#d6ecff"), (0.45, "#7fb4ea"), (0.55, "#5d98da"), (1, "#2e63a8")])
    body = ('<rect width="26" height="26" fill="url(#g)"/>'
            '<rect y="0" width="26" height="1" fill="#ffffff" opacity="0.7"/>'
            '<rect y="25" width="26" height="1" fill="#1d4378" opacity="0.8"/>')
    return svg.doc(26, 26, body, defs)


# The construction page shows its tool pictures through a fixed channel mix
# (tint 0x337733: the result's red follows the source's green, its green the
# source's blue and its blue the source's red).  The sources are coloured so
# that the page shows a green plus, a red minus and a blue iris.

def plus_svg(minus=False):  # 152, 151
    col = ("#1c3cf0", "#b8c4ff", "#0a1670") if not minus else ("#10c818", "#c8ffc8", "#0a5a0a")
    defs = svg.lin("g", 0, 0, 0, 1, [(0, col[1]), (1, col[0])])
    if minus:
        shape = '<rect x="3" y="7.5" width="14" height="5" rx="1.6"/>'
    else:
        shape = '<path d="M7.5,3 h5 v4.5 h4.5 v5 h-4.5 v4.5 h-5 v-4.5 h-4.5 v-5 h4.5 Z"/>'
    body = (f'<g fill="#000000" opacity="0.35" transform="translate(1,1)" filter="url(#s)">{shape}</g>'
            f'<g fill="url(#g)" stroke="{col[2]}" stroke-width="1" stroke-linejoin="round">{shape}</g>')
    return svg.doc(20, 20, body, defs + svg.blur("s", 0.6))


def undo_svg(redo=False, size=20):  # 180 undo, 181 redo; 182 and 183 at 200 %
    # A bent arrow pointing back (undo) or, mirrored, forward (redo); shown blue by the page's
    # channel mix.
    col = ("#e01c6c", "#ffb8d8", "#700a26")
    defs = svg.lin("g", 0, 0, 0, 1, [(0, col[1]), (1, col[0])])
    shape = ('<path d="M2,7.75 L8.5,2 V6 H12 A5,5 0 0 1 12,16 H8.5 V12.5 H12 '
             'A1.5,1.5 0 0 0 12,9.5 H8.5 V13.5 Z"/>')
    mirror = ' transform="translate(20,0) scale(-1,1)"' if redo else ""
    body = (f'<g{mirror}><g fill="#000000" opacity="0.35" transform="translate(1,1)" filter="url(#s)">{shape}</g>'
            f'<g fill="url(#g)" stroke="{col[2]}" stroke-width="1" stroke-linejoin="round">{shape}</g></g>')
    return svg.doc(size, size, body, defs + svg.blur("s", 0.6), 20, 20)


def gear_svg(size=16):  # 107
    cx = cy = 8
    teeth = []
    for i in range(8):
        a = math.radians(i * 45)
        teeth.append(f'<rect x="6.6" y="0.6" width="2.8" height="3.4" rx="0.5" transform="rotate({i * 45} 8 8)"/>')
    defs = svg.lin("g", 0, 0, 1, 1, [(0, "#e8eef5"), (0.5, "#9aa8b8"), (1, "#4a5868")])
    body = (f'<g fill="url(#g)" stroke="#2e3a48" stroke-width="0.8">{"".join(teeth)}'
            f'<circle cx="{cx}" cy="{cy}" r="5.2"/></g>'
            f'<g fill="url(#g)"><circle cx="{cx}" cy="{cy}" r="4.8"/></g>'
            f'<circle cx="{cx}" cy="{cy}" r="2" fill="#f4f4f0" stroke="#2e3a48" stroke-width="0.8"/>')
    return svg.doc(16, 16, body, defs)


def eye_svg(open_=True):  # 113 open, 153 closed
    if open_:
        body = ('<path d="M1,8 C4,3 12,3 15,8 C12,13 4,13 1,8 Z" fill="#ffffff" stroke="#23364a" stroke-width="1"/>'
                '<circle cx="8" cy="8" r="3.2" fill="url(#iris)" stroke="#1a2a3a" stroke-width="0.6"/>'
                '<circle cx="8" cy="8" r="1.4" fill="#0c1620"/>'
                '<circle cx="6.9" cy="6.9" r="0.8" fill="#ffffff"/>')
        defs = svg.rad("iris", 0.5, 0.5, 0.5, [(0, "#ff8a60"), (1, "#c01818")])
    else:
        body = ('<path d="M1,7.5 C4,11.5 12,11.5 15,7.5" fill="none" stroke="#23364a" stroke-width="1.4" '
                'stroke-linecap="round"/>'
                '<g stroke="#23364a" stroke-width="1.1" stroke-linecap="round">'
                '<line x1="4" y1="10" x2="3" y2="12"/><line x1="8" y1="11" x2="8" y2="13.2"/>'
                '<line x1="12" y1="10" x2="13" y2="12"/></g>')
        defs = ""
    return svg.doc(16, 16, body, defs)


# ----------------------------------------------------------------- icons

def _icon_tree(s):
    """Program icon: a fir with a star on a night-blue round badge."""
    defs = (svg.rad("bg", 0.5, 0.35, 0.7, [(0, "#3b6db5"), (1, "#0e2350")])
            + svg.lin("tr", 0, 0, 1, 0, [(0, "#5cc25a"), (0.5, "#2a8a3a"), (1, "#11511f")])
            + svg.rad("st", 0.5, 0.5, 0.5, [(0, "#fff6c0"), (1, "#f2b51d")]))
    star = svg.star_points(16, 5.2, 4.4, 1.9)
    if s <= 16:
        star = svg.star_points(16, 5.6, 5.6, 2.4)
        tree = ('<path d="M16,4 L24,15 L20.5,15 L27,24 L5,24 L11.5,15 L8,15 Z" fill="url(#tr)" '
                'stroke="#0b3a15" stroke-width="1.2" stroke-linejoin="round"/>'
                '<rect x="13.5" y="24" width="5" height="4" fill="#7a4a22"/>')
        return svg.doc(s, s, '<circle cx="16" cy="16" r="15.5" fill="url(#bg)"/>' + tree
                       + f'<path d="M{svg.pts(star)} Z" fill="url(#st)" stroke="#8a5a00" stroke-width="0.8"/>',
                       defs, 32, 32)
    tree = ('<path d="M16,5 L22.5,12.5 L19.8,12.5 L25,19 L21.8,19 L27.5,25.5 L4.5,25.5 L10.2,19 L7,19 L12.2,12.5 '
            'L9.5,12.5 Z" fill="url(#tr)" stroke="#0b3a15" stroke-width="0.7" stroke-linejoin="round"/>'
            '<rect x="14" y="25.5" width="4" height="3.4" fill="#7a4a22"/>'
            '<circle cx="13" cy="15" r="1.2" fill="#ff3b3b"/><circle cx="19.5" cy="20.5" r="1.2" fill="#ffd23b"/>'
            '<circle cx="11" cy="22" r="1.1" fill="#49a8ff"/><circle cx="18" cy="11.5" r="1" fill="#ff7bd8"/>'
            '<path d="M9,21.5 Q16,24 23,20.5" stroke="#ffe27a" stroke-width="0.7" fill="none"/>'
            '<path d="M11,15.8 Q16,17.6 21,14.8" stroke="#ffe27a" stroke-width="0.6" fill="none"/>')
    snow = "".join(f'<circle cx="{x}" cy="{y}" r="0.55" fill="#ffffff" opacity="0.8"/>'
                   for x, y in ((6, 10), (26, 8), (24.5, 14), (7.5, 16), (27, 21), (4.5, 20), (10, 6)))
    return svg.doc(s, s, '<circle cx="16" cy="16" r="15.5" fill="url(#bg)"/>' + snow + tree
                   + f'<path d="M{svg.pts(star)} Z" fill="url(#st)" stroke="#8a5a00" stroke-width="0.6"/>',
                   defs, 32, 32)


def _icon_settings(s):  # 155: gear with a small star
    defs = svg.lin("g", 0, 0, 1, 1, [(0, "#f4f7fb"), (0.5, "#a4b3c4"), (1, "#4d5d70")])
    teeth = "".join(f'<rect x="13.6" y="1.5" width="4.8" height="6" rx="1" transform="rotate({i * 40} 16 16)"/>'
                    for i in range(9))
    sw = 1.4 if s <= 16 else 1.0
    body = (f'<g fill="url(#g)" stroke="#27323f" stroke-width="{sw}">{teeth}<circle cx="16" cy="16" r="11"/></g>'
            f'<circle cx="16" cy="16" r="10.3" fill="url(#g)"/>'
            f'<circle cx="16" cy="16" r="4.6" fill="#c8202c" stroke="#27323f" stroke-width="{sw}"/>')
    return svg.doc(s, s, body, defs, 32, 32)


def _icon_construct(s):  # 167: tree with a plus badge
    defs = (svg.lin("tr", 0, 0, 1, 0, [(0, "#5cc25a"), (0.5, "#2a8a3a"), (1, "#11511f")])
            + svg.lin("pl", 0, 0, 0, 1, [(0, "#ffe680"), (1, "#e09a10")]))
    sw = 1.4 if s <= 16 else 0.9
    body = (f'<path d="M13,2 L21,12 L17.5,12 L24,21 L2,21 L8.5,12 L5,12 Z" fill="url(#tr)" stroke="#0b3a15" '
            f'stroke-width="{sw}" stroke-linejoin="round"/>'
            f'<rect x="10.5" y="21" width="5" height="5" fill="#7a4a22"/>'
            f'<circle cx="23" cy="23" r="8" fill="url(#pl)" stroke="#7a4a00" stroke-width="{sw}"/>'
            f'<path d="M21.4,18.5 h3.2 v3 h3 v3.2 h-3 v3 h-3.2 v-3 h-3 v-3.2 h3 Z" fill="#ffffff" stroke="#7a4a00" '
            f'stroke-width="0.6"/>')
    return svg.doc(s, s, body, defs, 32, 32)


def _icon_hue(s):  # 171: colour wheel
    segs = []
    n = 24
    for i in range(n):
        a0 = math.radians(i * 360 / n - 90)
        a1 = math.radians((i + 1) * 360 / n - 90 + 0.8)
        r_, g_, b_ = colorsys.hsv_to_rgb(i / n, 1, 1)
        col = f"#{round(r_ * 255):02x}{round(g_ * 255):02x}{round(b_ * 255):02x}"
        segs.append(f'<path d="M16,16 L{f(16 + 15 * math.cos(a0))},{f(16 + 15 * math.sin(a0))} '
                    f'A15,15 0 0 1 {f(16 + 15 * math.cos(a1))},{f(16 + 15 * math.sin(a1))} Z" fill="{col}"/>')
    defs = svg.rad("c", 0.5, 0.5, 0.5, [(0, "#ffffff"), (0.35, ("#ffffff", 0.6)), (1, ("#ffffff", 0))])
    body = ("".join(segs) + '<circle cx="16" cy="16" r="15" fill="url(#c)"/>'
            '<circle cx="16" cy="16" r="15" fill="none" stroke="#303030" stroke-width="1.2"/>')
    return svg.doc(s, s, body, defs, 32, 32)


def _icon_brightness(s):  # 169: sun
    rays = "".join(f'<rect x="14.6" y="0.8" width="2.8" height="6" rx="1.4" transform="rotate({i * 45} 16 16)"/>'
                   for i in range(8))
    defs = svg.rad("sun", 0.4, 0.35, 0.7, [(0, "#fff8c0"), (0.6, "#ffc81e"), (1, "#e08a00")])
    body = (f'<g fill="#f0a000" stroke="#8a5000" stroke-width="0.8">{rays}</g>'
            f'<circle cx="16" cy="16" r="8.2" fill="url(#sun)" stroke="#8a5000" stroke-width="1.2"/>')
    return svg.doc(s, s, body, defs, 32, 32)


def _icon_contrast(s):  # 170: half dark, half light disc
    body = ('<circle cx="16" cy="16" r="14" fill="#ffffff"/>'
            '<path d="M16,2 A14,14 0 0 1 16,30 Z" fill="#1c1c24"/>'
            '<circle cx="16" cy="16" r="14" fill="none" stroke="#1c1c24" stroke-width="2"/>')
    return svg.doc(s, s, body, "", 32, 32)


def _icon_opacity(s):  # 172: checkerboard behind a fading blue square
    cells = "".join(f'<rect x="{2 + x * 7}" y="{2 + y * 7}" width="7" height="7" fill="#9a9a9a"/>'
                    for y in range(4) for x in range(4) if (x + y) % 2 == 0)
    defs = svg.lin("fade", 0, 0, 1, 0, [(0, ("#1d6fd8", 1)), (1, ("#1d6fd8", 0.1))])
    body = ('<rect x="2" y="2" width="28" height="28" fill="#ffffff"/>' + cells
            + '<rect x="2" y="2" width="28" height="28" fill="url(#fade)"/>'
            '<rect x="2" y="2" width="28" height="28" fill="none" stroke="#24364f" stroke-width="1.6"/>')
    return svg.doc(s, s, body, defs, 32, 32)


def _icon_size(s):  # 168: small and large square with a diagonal arrow
    sw = 2.4 if s <= 16 else 1.6
    body = (f'<rect x="2" y="2" width="28" height="28" rx="2" fill="#eaf2fb" stroke="#3b5878" stroke-width="{sw}" '
            f'stroke-dasharray="4 2.5"/>'
            f'<rect x="3" y="17" width="12" height="12" fill="#5b9be0" stroke="#1d4478" stroke-width="{sw}"/>'
            f'<path d="M15,17 L26,6" stroke="#c8202c" stroke-width="{sw + 0.6}" stroke-linecap="round"/>'
            f'<path d="M19,5 L27,5 L27,13 Z" fill="#c8202c"/>')
    return svg.doc(s, s, body, "", 32, 32)


ICONS = {
    102: (_icon_tree, (16, 32, 48, 256)),
    155: (_icon_settings, (16, 32)),
    167: (_icon_construct, (16, 32)),
    171: (_icon_hue, (16, 32)),
    169: (_icon_brightness, (16, 32)),
    170: (_icon_contrast, (16, 32)),
    172: (_icon_opacity, (16, 32)),
    168: (_icon_size, (16, 32)),
}
