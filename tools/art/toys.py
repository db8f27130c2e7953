"""Toys, the star and the garlands (bitmaps 131 to 150)."""

import math

import svg
from svg import f


def _cap(cx, top, w, h, loop=True, metal="gold"):
    cols = {"gold": ("#7a5812", "#f7e08a", "#c69a2c"), "silver": ("#5d6670", "#f4f7fa", "#a8b3bf")}[metal]
    g = svg.lin(f"cap{metal}{int(cx)}{int(top)}", 0, 0, 1, 0,
                [(0, cols[0]), (0.35, cols[1]), (0.7, cols[2]), (1, cols[0])])
    out = f"<defs>{g}</defs>"
    if loop:
        out += (f'<ellipse cx="{f(cx)}" cy="{f(top + 2.4)}" rx="2.6" ry="2.6" fill="none" stroke="{cols[2]}" '
                f'stroke-width="1.4"/>')
    out += (f'<rect x="{f(cx - w / 2)}" y="{f(top + 4)}" width="{f(w)}" height="{f(h)}" rx="1.2" '
            f'fill="url(#cap{metal}{int(cx)}{int(top)})"/>')
    for i in range(1, 4):
        x = cx - w / 2 + w * i / 4
        out += f'<line x1="{f(x)}" y1="{f(top + 4.5)}" x2="{f(x)}" y2="{f(top + 3.5 + h)}" stroke="{cols[0]}" stroke-width="0.5" opacity="0.6"/>'
    return out


def _ball(id_, cx, cy, r, light, mid, dark):
    d = svg.rad(id_, 0.36, 0.3, 0.75, [(0, light), (0.45, mid), (1, dark)], fx=0.33, fy=0.26)
    return d, f'<circle cx="{f(cx)}" cy="{f(cy)}" r="{f(r)}" fill="url(#{id_})"/>'


def _gloss(cx, cy, r):
    return (f'<ellipse cx="{f(cx - r * 0.35)}" cy="{f(cy - r * 0.42)}" rx="{f(r * 0.36)}" ry="{f(r * 0.22)}" '
            f'transform="rotate(-35 {f(cx - r * 0.35)} {f(cy - r * 0.42)})" fill="url(#gloss)"/>'
            f'<circle cx="{f(cx + r * 0.45)}" cy="{f(cy + r * 0.5)}" r="{f(r * 0.12)}" fill="#ffffff" opacity="0.18" '
            f'filter="url(#b1)"/>')


COMMON = (svg.lin("gloss", 0, 0, 0, 1, [(0, ("#ffffff", 0.95)), (1, ("#ffffff", 0.0))])
          + svg.blur("b1", 1.0) + svg.blur("b05", 0.5) + svg.blur("b2", 2.0))


def round_bauble():  # 131
    d, ball = _ball("rb", 25, 27.5, 22.3, "#ff8a7a", "#e0182a", "#5c0612")
    body = ball + _gloss(25, 27.5, 22.3)
    body += (f'<path d="M6,30 Q25,38 44,30" stroke="#ffd86b" stroke-width="1.3" fill="none" opacity="0.75"/>'
             f'<path d="M6.5,33 Q25,41 43.5,33" stroke="#ffd86b" stroke-width="0.7" fill="none" opacity="0.5"/>')
    body += _cap(25, 0, 9, 5)
    return 50, 50, d + COMMON, body


def bell():  # 132
    g = svg.lin("bell", 0, 0, 1, 0, [(0, "#7a5410"), (0.3, "#ffe9a0"), (0.55, "#e6b53c"), (1, "#6b4507")])
    d = ("M22,6 C12,6 10,16 10,24 C10,33 7,38 3,42 L41,42 C37,38 34,33 34,24 C34,16 32,6 22,6 Z")
    body = (f'<path d="{d}" fill="url(#bell)" stroke="#5c3d08" stroke-width="0.6"/>'
            f'<ellipse cx="22" cy="42" rx="19" ry="3.2" fill="#b98a22" stroke="#5c3d08" stroke-width="0.6"/>'
            f'<circle cx="22" cy="45.5" r="3.6" fill="#c9962a" stroke="#5c3d08" stroke-width="0.5"/>'
            f'<path d="M15,12 C13,18 13,26 12,32" stroke="#fff7d6" stroke-width="2" fill="none" opacity="0.7" '
            f'stroke-linecap="round"/>'
            f'<path d="M10,30 Q22,34 34,30 L34.6,33 Q22,37.5 9.6,33 Z" fill="#c8202a"/>'
            # holly on top
            f'<path d="M22,6 C17,0 11,2 9,5 C13,5 15,8 22,6 Z" fill="#2f8a3c"/>'
            f'<path d="M22,6 C27,0 33,2 35,5 C31,5 29,8 22,6 Z" fill="#25722f"/>'
            f'<circle cx="20" cy="4.5" r="2" fill="#e0202c"/><circle cx="23.5" cy="4" r="2" fill="#c41522"/>'
            f'<circle cx="19.4" cy="3.9" r="0.6" fill="#fff" opacity="0.8"/>')
    return 44, 50, g + COMMON, body


def candy_cane():  # 133
    path = "M9,54 L9,14 C9,5 25,5 25,14 L25,18"
    body = (f'<path d="{path}" stroke="#8a1620" stroke-width="8.6" fill="none" stroke-linecap="round"/>'
            f'<path d="{path}" stroke="#fbf7f2" stroke-width="7" fill="none" stroke-linecap="round"/>'
            f'<path d="{path}" stroke="#d81e2e" stroke-width="7" fill="none" stroke-dasharray="4 4.5" '
            f'stroke-dashoffset="1"/>'
            f'<path d="M7.2,52 L7.2,14 C7.2,8 11,5.5 16,5.2" stroke="#ffffff" stroke-width="1.4" fill="none" '
            f'opacity="0.75" stroke-linecap="round"/>')
    return 34, 58, COMMON, body


def long_toy():  # 134
    g = svg.lin("fin", 0, 0, 1, 0, [(0, "#5a0714"), (0.28, "#ff6b6b"), (0.5, "#d3162a"), (1, "#4a0510")])
    gg = svg.lin("fing", 0, 0, 1, 0, [(0, "#7a5812"), (0.3, "#fff0a6"), (0.6, "#d9a93a"), (1, "#6b4a0c")])
    body = (f'<path d="M25,7 C33,7 35,14 33,20 C42,24 44,34 40,42 C36,50 30,56 28,66 L25,84 L22,66 '
            f'C20,56 14,50 10,42 C6,34 8,24 17,20 C15,14 17,7 25,7 Z" fill="url(#fin)"/>'
            # gold bands
            f'<path d="M17.4,20 Q25,23.5 32.6,20 L33.4,22.6 Q25,26.3 16.6,22.6 Z" fill="url(#fing)"/>'
            f'<path d="M11.2,44 Q25,49 38.8,44 L37.8,46.6 Q25,51.5 12.2,46.6 Z" fill="url(#fing)"/>'
            f'<path d="M21.5,63 Q25,64.5 28.5,63 L28.1,65.6 Q25,67 21.9,65.6 Z" fill="url(#fing)"/>'
            # indented window
            f'<ellipse cx="25" cy="33.5" rx="8" ry="8.5" fill="#5e0a16" opacity="0.6"/>'
            f'<ellipse cx="25" cy="34" rx="6" ry="6.5" fill="#f3d36a" opacity="0.9"/>'
            f'<path d="M25,29 L26.2,32.6 L30,33.8 L26.2,35 L25,39 L23.8,35 L20,33.8 L23.8,32.6 Z" fill="#fff8d8"/>'
            f'<path d="M14,27 C12,32 12,38 14,42" stroke="#ffffff" stroke-width="2.2" fill="none" opacity="0.55" '
            f'stroke-linecap="round"/>'
            f'<path d="M20.5,52 C21.5,57 23,63 24,68" stroke="#ffffff" stroke-width="1.2" fill="none" opacity="0.45" '
            f'stroke-linecap="round"/>')
    body += _cap(25, 0, 8, 5)
    return 50, 85, g + gg + COMMON, body


def pine_cone():  # 135
    out = []
    r = svg.rng(135)
    rows = 9
    for i in range(rows):
        y = 8 + i * 4.4
        half = 13 * math.sin(math.pi * (i + 1.3) / (rows + 1.6)) + 1
        n = 3 + (i % 2)
        for j in range(n):
            x = 16 - half + (2 * half) * (j + (0.5 if i % 2 else 0.25)) / n
            shade = 0.55 + 0.45 * (1 - abs(x - 13) / 16)
            c1 = (int(150 * shade), int(95 * shade), int(50 * shade))
            out.append(f'<path d="M{f(x - 4)},{f(y)} Q{f(x)},{f(y + 8)} {f(x + 4)},{f(y)} Q{f(x)},{f(y + 2.5)} '
                       f'{f(x - 4)},{f(y)} Z" fill="rgb{c1}" stroke="#3a220f" stroke-width="0.5"/>')
            out.append(f'<path d="M{f(x - 2.5)},{f(y + 2.2)} Q{f(x)},{f(y + 5.5)} {f(x + 2.5)},{f(y + 2.2)}" '
                       f'stroke="#e9c08a" stroke-width="0.7" fill="none" opacity="0.55"/>')
    body = f'<ellipse cx="16" cy="27" rx="12" ry="20" fill="#4a2a12"/>' + "".join(out)
    body += (f'<path d="M16,1 L16,8" stroke="#5d3b1a" stroke-width="2.4" stroke-linecap="round"/>'
             f'<path d="M16,6 C10,2 6,5 4,7 C8,7 10,9 16,7 Z" fill="#2f8a3c"/>'
             f'<path d="M16,6 C22,2 26,5 28,7 C24,7 22,9 16,7 Z" fill="#25722f"/>')
    return 32, 50, COMMON, body


def snowflake():  # 136
    arms = []
    for k in range(6):
        a = k * 60
        arms.append(f'<g transform="rotate({a} 24 24)">'
                    f'<line x1="24" y1="24" x2="24" y2="3" />'
                    f'<polyline points="18.5,7.5 24,12 29.5,7.5" fill="none"/>'
                    f'<polyline points="19.5,14 24,18 28.5,14" fill="none"/>'
                    f'</g>')
    g = "".join(arms)
    body = (f'<g stroke="#2c6fb0" stroke-width="4.4" stroke-linecap="round" stroke-linejoin="round" opacity="0.5" '
            f'filter="url(#b1)">{g}</g>'
            f'<g stroke="#bfe3ff" stroke-width="3.2" stroke-linecap="round" stroke-linejoin="round">{g}</g>'
            f'<g stroke="#ffffff" stroke-width="1.5" stroke-linecap="round" stroke-linejoin="round">{g}</g>'
            f'<circle cx="24" cy="24" r="3.4" fill="#e8f6ff" stroke="#7fb8e8" stroke-width="1"/>')
    return 48, 48, COMMON, body


def bow():  # 137
    g = svg.lin("bow", 0, 0, 0, 1, [(0, "#ff5a64"), (0.5, "#d0142a"), (1, "#6e0611")])
    body = (f'<path d="M25,15 C14,1 2,3 3,13 C4,22 16,22 25,17 Z" fill="url(#bow)" stroke="#5a0510" stroke-width="0.7"/>'
            f'<path d="M25,15 C36,1 48,3 47,13 C46,22 34,22 25,17 Z" fill="url(#bow)" stroke="#5a0510" stroke-width="0.7"/>'
            f'<path d="M23,18 C20,26 15,33 9,39 L15,39 L17,34 C20,29 23,24 25,19 Z" fill="url(#bow)" stroke="#5a0510" stroke-width="0.7"/>'
            f'<path d="M27,18 C30,26 35,33 41,39 L35,39 L33,34 C30,29 27,24 25,19 Z" fill="url(#bow)" stroke="#5a0510" stroke-width="0.7"/>'
            f'<path d="M8,8 C12,6 17,9 21,13" stroke="#ffc4c8" stroke-width="1.6" fill="none" opacity="0.8" stroke-linecap="round"/>'
            f'<path d="M42,8 C38,6 34,8 30,12" stroke="#ffc4c8" stroke-width="1.2" fill="none" opacity="0.6" stroke-linecap="round"/>'
            f'<ellipse cx="25" cy="16" rx="4.6" ry="4.2" fill="#b0101f" stroke="#5a0510" stroke-width="0.7"/>'
            f'<ellipse cx="23.8" cy="14.6" rx="1.8" ry="1.2" fill="#ff9aa2" opacity="0.8"/>')
    return 50, 40, g + COMMON, body


def striped_bauble():  # 138
    d, ball = _ball("sb", 23, 27.5, 21.3, "#ffffff", "#f0f2f5", "#8b95a3")
    clip = '<clipPath id="sbc"><circle cx="23" cy="27.5" r="21.3"/></clipPath>'
    stripes = "".join(
        f'<path d="M{-10 + i * 12},60 L{6 + i * 12},0 L{12 + i * 12},0 L{-4 + i * 12},60 Z" fill="#d61c2c"/>'
        for i in range(7))
    shade = svg.rad("sbs", 0.4, 0.35, 0.7, [(0, ("#000000", 0)), (0.7, ("#000000", 0.05)), (1, ("#2a0005", 0.45))])
    body = (ball + f'<g clip-path="url(#sbc)">{stripes}<circle cx="23" cy="27.5" r="21.3" fill="url(#sbs)"/></g>'
            + _gloss(23, 27.5, 21.3) + _cap(23, 0, 8, 5, metal="silver"))
    return 46, 50, d + clip + shade + COMMON, body


def blue_ball():  # 139
    d, ball = _ball("bb", 23, 27.5, 21.3, "#9fd6ff", "#1d5fd0", "#081a52")
    arms = "".join(f'<g transform="rotate({k * 60} 23 29)"><line x1="23" y1="29" x2="23" y2="17"/>'
                   f'<polyline points="19.8,19.5 23,22.4 26.2,19.5" fill="none"/></g>' for k in range(6))
    body = (ball + f'<g stroke="#e8f4ff" stroke-width="1.5" stroke-linecap="round" opacity="0.9">{arms}</g>'
            + "".join(f'<circle cx="{x}" cy="{y}" r="{rr}" fill="#ffffff" opacity="0.85"/>'
                      for x, y, rr in ((9, 31, 0.9), (36, 20, 0.8), (35, 38, 1.0), (14, 42, 0.7), (29, 45, 0.8),
                                       (39, 29, 0.6)))
            + _gloss(23, 27.5, 21.3) + _cap(23, 0, 8, 5, metal="silver"))
    return 46, 50, d + COMMON, body


def star():  # 140
    p = svg.star_points(25, 26.5, 24.6, 10.2)
    inner = svg.star_points(25, 26.5, 17, 7)
    g = svg.rad("st", 0.5, 0.5, 0.6, [(0, "#fff8c8"), (0.45, "#ffd43b"), (1, "#c27a06")])
    facets = ""
    for i in range(10):
        a, b = p[i], p[(i + 1) % 10]
        shade = "#ffffff" if i % 2 == 0 else "#8a4f00"
        op = 0.28 if i % 2 == 0 else 0.3
        facets += (f'<path d="M25,26.5 L{f(a[0])},{f(a[1])} L{f(b[0])},{f(b[1])} Z" fill="{shade}" '
                   f'opacity="{op}"/>')
    body = (f'<path d="M{svg.pts(p)} Z" fill="url(#st)" stroke="#9a5a00" stroke-width="0.9" stroke-linejoin="round"/>'
            + facets +
            f'<path d="M{svg.pts(inner)} Z" fill="none" stroke="#fff3b0" stroke-width="0.8" opacity="0.6"/>'
            f'<circle cx="25" cy="26.5" r="3" fill="#ffffff" opacity="0.9" filter="url(#b1)"/>')
    return 50, 48, g + COMMON, body


def icicle():  # 141
    g = svg.lin("ice", 0, 0, 1, 0, [(0, ("#6fa8d8", 0.95)), (0.3, ("#ffffff", 0.98)), (0.6, ("#bfe2ff", 0.85)),
                                    (1, ("#4f86c0", 0.95))])
    body = (f'<path d="M3,4 C6,3 16,3 19,4 C18,12 15,20 13,32 C12,42 11.4,52 11,60 C10.4,52 9.6,42 8.6,32 '
            f'C7,20 4,12 3,4 Z" fill="url(#ice)" stroke="#5d8fc4" stroke-width="0.6"/>'
            f'<path d="M7,8 C8.5,18 9.6,30 10.4,46" stroke="#ffffff" stroke-width="1.3" fill="none" opacity="0.9" '
            f'stroke-linecap="round"/>'
            f'<path d="M2,4.5 C6,1 16,1 20,4.5 C16,6.5 6,6.5 2,4.5 Z" fill="#f4faff" stroke="#a9c9e8" stroke-width="0.5"/>')
    return 22, 62, g + COMMON, body


def gift():  # 142
    g = svg.lin("gift", 0, 0, 1, 1, [(0, "#4fb36a"), (0.5, "#1f7a3a"), (1, "#0d4a21")])
    body = (f'<rect x="3" y="16" width="34" height="28" rx="2" fill="url(#gift)"/>'
            f'<rect x="1.5" y="11" width="37" height="8" rx="1.6" fill="#2a8a45" stroke="#0d4a21" stroke-width="0.6"/>'
            f'<rect x="17" y="11" width="6" height="33" fill="#e3232f"/>'
            f'<rect x="18.2" y="11" width="1.6" height="33" fill="#ff9aa0" opacity="0.8"/>'
            f'<rect x="3" y="27" width="34" height="5" fill="#e3232f" opacity="0.95"/>'
            f'<path d="M20,11 C8,-1 3,8 11,11 Z" fill="#e3232f" stroke="#8a0f18" stroke-width="0.7"/>'
            f'<path d="M20,11 C32,-1 37,8 29,11 Z" fill="#c81825" stroke="#8a0f18" stroke-width="0.7"/>'
            f'<circle cx="20" cy="10.5" r="2.6" fill="#ff4b55" stroke="#8a0f18" stroke-width="0.6"/>'
            f'<path d="M5,18 L5,41" stroke="#a9e8b8" stroke-width="1.2" opacity="0.6" stroke-linecap="round"/>')
    return 40, 46, g + COMMON, body


def gingerbread():  # 143
    g = svg.rad("gb", 0.4, 0.35, 0.7, [(0, "#d9924a"), (0.7, "#b2692a"), (1, "#7a4216")])
    shape = ("M20,2 C26,2 28.5,6.5 28,10.5 C27.6,13.2 26.3,14.6 25.5,15.4 L35,16.5 C39.5,17 39.5,23 35,23.2 "
             "L28,23.5 L29.5,33 L35.5,42 C38,46 33,49 30.5,46 L20,37 L9.5,46 C7,49 2,46 4.5,42 L10.5,33 L12,23.5 "
             "L5,23.2 C0.5,23 0.5,17 5,16.5 L14.5,15.4 C13.7,14.6 12.4,13.2 12,10.5 C11.5,6.5 14,2 20,2 Z")
    icing = 'stroke="#ffffff" stroke-width="1.2" fill="none" stroke-linecap="round"'
    body = (f'<path d="{shape}" fill="url(#gb)" stroke="#6a3812" stroke-width="0.8"/>'
            f'<circle cx="17.4" cy="8.6" r="1.2" fill="#3a1d08"/><circle cx="22.6" cy="8.6" r="1.2" fill="#3a1d08"/>'
            f'<path d="M16.8,11.6 Q20,14 23.2,11.6" {icing}/>'
            f'<path d="M3.5,18.2 L3.5,21.6 M36.5,18.2 L36.5,21.6" {icing}/>'
            f'<path d="M7,43.5 L9.8,45.6 M33,43.5 L30.2,45.6" {icing}/>'
            f'<circle cx="20" cy="20" r="1.6" fill="#e3232f"/><circle cx="20" cy="25.5" r="1.6" fill="#2fa24a"/>'
            f'<circle cx="20" cy="31" r="1.6" fill="#e3232f"/>'
            f'<path d="M15.5,16.5 L20,18.3 L24.5,16.5" stroke="#2fa24a" stroke-width="1.6" fill="none"/>')
    return 40, 50, g + COMMON, body


def heart():  # 144
    g = svg.rad("ht", 0.35, 0.3, 0.8, [(0, "#ff7b86"), (0.5, "#d8152c"), (1, "#6a0512")])
    shape = "M22,44 C10,34 2,27 2,17 C2,9 8,5 13.5,5 C17.5,5 20.5,7.5 22,10.5 C23.5,7.5 26.5,5 30.5,5 C36,5 42,9 42,17 C42,27 34,34 22,44 Z"
    body = (f'<path d="{shape}" fill="url(#ht)" stroke="#5a0510" stroke-width="0.7"/>'
            f'<path d="{shape}" fill="none" stroke="#ffe9b0" stroke-width="1" stroke-dasharray="2 1.8" '
            f'transform="translate(22,24) scale(0.84) translate(-22,-24)"/>'
            f'<ellipse cx="12" cy="13.5" rx="5" ry="3" transform="rotate(-30 12 13.5)" fill="url(#gloss)"/>'
            f'<path d="M22,10.5 L22,1.5" stroke="#e8d9b0" stroke-width="1" />'
            f'<circle cx="22" cy="2" r="1.6" fill="none" stroke="#e8d9b0" stroke-width="0.9"/>')
    return 44, 46, g + COMMON, body


def _swag(x0, x1, y0, sag, n=80):
    """Points of a hanging chain from (x0, y0) to (x1, y0), lowest sag in the middle."""
    out = []
    for i in range(n + 1):
        t = i / n
        out.append((x0 + (x1 - x0) * t, y0 + sag * 4 * t * (1 - t)))
    return out


def lights_garland():  # 145
    wire = _swag(1.5, 58.5, 3.0, 6.0)
    d = "M" + svg.pts(wire)
    cols = [("#ff2a2a", "#ffd0d0"), ("#20e040", "#d0ffd8"), ("#2a5cff", "#d0dcff"), ("#ffd21a", "#fff6c8")]
    body = f'<path d="{d}" stroke="#1c4a24" stroke-width="1.3" fill="none" stroke-linecap="round"/>'
    defs = COMMON
    k = 0
    for i in range(6):
        t = (i + 0.5) / 6
        x = 1.5 + 57 * t
        y = 3.0 + 6.0 * 4 * t * (1 - t)
        c, hi = cols[k % 4]
        k += 1
        defs += svg.rad(f"lg{i}", 0.5, 0.45, 0.5, [(0, hi), (0.5, c), (1, c)])
        defs += svg.rad(f"lh{i}", 0.5, 0.5, 0.5, [(0, (c, 0.55)), (1, (c, 0))])
        body += (f'<circle cx="{f(x)}" cy="{f(y + 4)}" r="5.2" fill="url(#lh{i})"/>'
                 f'<rect x="{f(x - 1.3)}" y="{f(y - 0.6)}" width="2.6" height="2.4" rx="0.5" fill="#2a5a30"/>'
                 f'<ellipse cx="{f(x)}" cy="{f(y + 4.1)}" rx="2.1" ry="2.9" fill="url(#lg{i})"/>')
    return 60, 15, defs, body


def bead_garland():  # 146
    wire = _swag(2, 58, 3, 7)
    body = ""
    defs = COMMON + svg.rad("bd", 0.35, 0.3, 0.7, [(0, "#fff6c0"), (0.45, "#f0b419"), (1, "#7a4a00")])
    defs += svg.rad("bdr", 0.35, 0.3, 0.7, [(0, "#ffc0c0"), (0.45, "#e01b2a"), (1, "#600010")])
    for i, (x, y) in enumerate(wire[::4]):
        fill = "bdr" if i % 4 == 2 else "bd"
        rr = 2.9 if fill == "bdr" else 2.3
        body += f'<circle cx="{f(x)}" cy="{f(y + 1)}" r="{rr}" fill="url(#{fill})"/>'
    return 60, 14, defs, body


def tinsel_garland():  # 147
    r = svg.rng(147)
    wire = _swag(2, 58, 5, 6, 120)
    body = ""
    cols = ["#ff3040", "#ffd030", "#ffffff", "#ff8a20", "#e01030"]
    for (x, y) in wire:
        for _ in range(3):
            a = r.uniform(0, 2 * math.pi)
            ln = r.uniform(2, 4.6)
            c = r.choice(cols)
            body += (f'<line x1="{f(x)}" y1="{f(y)}" x2="{f(x + math.cos(a) * ln)}" y2="{f(y + math.sin(a) * ln)}" '
                     f'stroke="{c}" stroke-width="0.8" stroke-linecap="round" opacity="0.9"/>')
    return 60, 16, COMMON, body


def bulb_garland():  # 148
    wire = _swag(1.5, 58.5, 2.5, 5.0)
    d = "M" + svg.pts(wire)
    body = f'<path d="{d}" stroke="#173d1e" stroke-width="1.2" fill="none"/>'
    cols = [("#ff2020", "#ffb0b0"), ("#20ff60", "#c8ffd6"), ("#2050ff", "#b8c8ff"), ("#ff20c0", "#ffc0ee")]
    defs = COMMON
    for i in range(4):
        t = (i + 0.5) / 4
        x = 1.5 + 57 * t
        y = 2.5 + 5.0 * 4 * t * (1 - t)
        c, hi = cols[i]
        defs += svg.rad(f"bg{i}", 0.4, 0.35, 0.6, [(0, hi), (0.5, c), (1, c)])
        body += (f'<path d="M{f(x - 3)},{f(y + 3)} C{f(x - 4)},{f(y + 7)} {f(x - 1.5)},{f(y + 10)} {f(x)},{f(y + 11)} '
                 f'C{f(x + 1.5)},{f(y + 10)} {f(x + 4)},{f(y + 7)} {f(x + 3)},{f(y + 3)} Z" fill="url(#bg{i})"/>'
                 f'<rect x="{f(x - 2)}" y="{f(y)}" width="4" height="3.4" rx="0.6" fill="#c9a23a"/>')
    return 60, 18, defs, body


def holly():  # 149
    leaf = ("M0,0 C3,-3 6,-2 8,-5 C9,-2 12,-2 14,-4 C14,-1 17,0 19,0 C17,1 14,2 14,5 C12,3 9,3 8,6 "
            "C6,3 3,3 0,0 Z")
    g = svg.lin("holly", 0, 0, 1, 1, [(0, "#5fbf5a"), (0.5, "#1f7a30"), (1, "#0c4418")])
    body = (f'<path d="{leaf}" transform="translate(24,20) rotate(200) scale(1.2)" fill="url(#holly)" stroke="#0a3312" stroke-width="0.5"/>'
            f'<path d="{leaf}" transform="translate(26,20) rotate(-20) scale(1.2)" fill="url(#holly)" stroke="#0a3312" stroke-width="0.5"/>'
            f'<path d="{leaf}" transform="translate(25,21) rotate(100) scale(1.05)" fill="url(#holly)" stroke="#0a3312" stroke-width="0.5"/>')
    defs = g + COMMON + svg.rad("ber", 0.35, 0.3, 0.7, [(0, "#ff9a9a"), (0.45, "#e3121e"), (1, "#6a0008")])
    for x, y in ((21, 20), (27.5, 19), (24.5, 25)):
        body += f'<circle cx="{x}" cy="{y}" r="4" fill="url(#ber)"/><circle cx="{x - 1.3}" cy="{y - 1.4}" r="0.9" fill="#fff" opacity="0.8"/>'
    return 50, 40, defs, body


def candle():  # 150
    g = svg.lin("cnd", 0, 0, 1, 0, [(0, "#f6e9d8"), (0.4, "#ffffff"), (1, "#c8b49a")])
    fl = svg.rad("flame", 0.5, 0.7, 0.6, [(0, "#ffffff"), (0.3, "#fff3a0"), (0.7, "#ffa41b"), (1, ("#ff5a00", 0))])
    glow = svg.rad("glow", 0.5, 0.5, 0.5, [(0, ("#ffd060", 0.55)), (1, ("#ffd060", 0))])
    body = (f'<circle cx="14" cy="13" r="13" fill="url(#glow)"/>'
            f'<rect x="8" y="22" width="12" height="28" rx="1.5" fill="url(#cnd)"/>'
            f'<ellipse cx="14" cy="22" rx="6" ry="1.6" fill="#fffaf0"/>'
            f'<path d="M11,22 Q11,27 10.5,29" stroke="#ffffff" stroke-width="1.4" fill="none" opacity="0.8"/>'
            f'<line x1="14" y1="19" x2="14" y2="22" stroke="#3a2a1a" stroke-width="1"/>'
            f'<path d="M14,4 C17,10 18,14 14,19.5 C10,14 11,10 14,4 Z" fill="url(#flame)"/>'
            f'<path d="M4,50 L24,50 L22,54 L6,54 Z" fill="#c9a23a"/>'
            f'<path d="M2,51 C6,46 10,50 14,48 C18,50 22,46 26,51 C22,55 6,55 2,51 Z" fill="#2a8a40"/>'
            f'<circle cx="9" cy="50" r="1.8" fill="#e3121e"/><circle cx="19" cy="50.5" r="1.8" fill="#e3121e"/>')
    return 28, 56, g + fl + glow + COMMON, body


TOYS = {
    131: round_bauble, 132: bell, 133: candy_cane, 134: long_toy, 135: pine_cone, 136: snowflake, 137: bow,
    138: striped_bauble, 139: blue_ball, 140: star, 141: icicle, 142: gift, 143: gingerbread, 144: heart,
    145: lights_garland, 146: bead_garland, 147: tinsel_garland, 148: bulb_garland, 149: holly, 150: candle,
}
GARLANDS = {145, 146, 147, 148}


def toy_svg(rid):
    w, h, defs, body = TOYS[rid]()
    return w, h, svg.doc(w, h, body, defs)
