"""The nine built-in trees, drawn as layered tiers of fir branches."""

import math

import svg
from svg import f


def _tier_outline(ax, top, bottom, hwl, hwr, tips, droop, r, jag, flare=0.85):
    """Points of one tier: apex, jagged right side, scalloped bottom edge
    with drooping branch tips, jagged left side."""
    pts = [(ax, top)]
    side = 7
    for i in range(1, side):
        t = i / side
        y = top + (bottom - top) * t
        x = ax + hwr * (t ** flare)
        pts.append((x + r.uniform(-jag, jag) * t, y - r.uniform(0, jag) * t))
        # small notch between needle bunches
        pts.append((x - r.uniform(2, 4) * t - 1, y + r.uniform(1, 3)))
    # bottom edge, right to left, tips hang down
    for i in range(tips + 1):
        t = i / tips
        x = ax + hwr - (hwr + hwl) * t
        edge = 1 - abs(t - hwl / (hwl + hwr)) * 2  # 1 at the axis, ~0 at tips
        if i % 2 == 0:
            y = bottom + r.uniform(-1.5, 1.5)
        else:
            y = bottom - droop * (0.6 + 0.5 * max(0, edge)) + r.uniform(-2, 2)
        pts.append((x, y))
    for i in range(side - 1, 0, -1):
        t = i / side
        y = top + (bottom - top) * t
        x = ax - hwl * (t ** flare)
        pts.append((x + r.uniform(2, 4) * t + 1, y + r.uniform(1, 3)))
        pts.append((x - r.uniform(-jag, jag) * t, y - r.uniform(0, jag) * t))
    return pts


def tree_svg(p):
    """p: dict with w, h, ax, tiers [(top, bottom, hwl, hwr)], colours,
    snow (0..1), trunk (x0, x1, y0, y1), seed, and optional extras."""
    r = svg.rng(p["seed"])
    w, h, ax = p["w"], p["h"], p["ax"]
    dark, mid, light, tip = p["greens"]
    defs = [svg.blur("soft", 2.2), svg.blur("soft1", 1.0), svg.blur("soft3", 3.5),
            svg.lin("tierfill", 0, 0, 1, 0.35, [(0, light), (0.45, mid), (1, dark)]),
            svg.lin("trunk", 0, 0, 1, 0, [(0, "#6b4327"), (0.4, "#8a5a35"), (1, "#3e2514")]),
            svg.lin("snowfill", 0, 0, 0, 1, [(0, "#ffffff"), (1, "#dce9f7")])]
    body = []
    # ground snow and shadow
    if p.get("ground"):
        gx0, gx1, gy0, gy1 = p["ground"]
        cx, cy, rx, ry = (gx0 + gx1) / 2, (gy0 + gy1) / 2 + 1, (gx1 - gx0) / 2, (gy1 - gy0) / 2
        body.append(f'<ellipse cx="{f(cx)}" cy="{f(cy)}" rx="{f(rx)}" ry="{f(ry)}" fill="url(#snowfill)"/>')
        body.append(f'<ellipse cx="{f(ax + 4)}" cy="{f(gy0 + ry * 0.8)}" rx="{f(rx * 0.55)}" ry="{f(ry * 0.45)}" '
                    f'fill="#8fa8c8" opacity="0.55" filter="url(#soft)"/>')
    # trunk
    x0, x1, y0, y1 = p["trunk"]
    body.append(f'<path d="M{f(x0)},{f(y0)} L{f(x1)},{f(y0)} L{f(x1 + 1.5)},{f(y1)} '
                f'Q{f((x0 + x1) / 2)},{f(y1 + 2)} {f(x0 - 1.5)},{f(y1)} Z" fill="url(#trunk)"/>')
    body.append(f'<rect x="{f(x0)}" y="{f(y0)}" width="{f(x1 - x0)}" height="5" fill="#1d120a" opacity="0.45" '
                f'filter="url(#soft1)"/>')
    tiers = p["tiers"]
    n = len(tiers)
    tipcounts = p.get("tips", [5, 7, 9, 9, 11, 11, 13])
    droop = p.get("droop", 7)
    core = p.get("core", 0.3)
    outlines = [_tier_outline(ax, t[0], t[1], t[2], t[3], tipcounts[k], droop, r, p.get("jag", 2.0),
                              p.get("flare", 1.12))
                for k, t in enumerate(tiers)]
    paths = [svg.smooth_path(o) if p.get("smooth") else "M" + svg.pts(o) + "Z" for o in outlines]
    for k in range(n):
        defs.append(f'<clipPath id="tier{k}"><path d="{paths[k]}"/>'
                    f'<path d="{paths[k]}" transform="translate(0,-4)"/></clipPath>')
        if k + 1 < n:
            below = "".join(f'<path d="{paths[j]}" transform="translate(0,2)"/>' for j in range(k + 1, n))
            defs.append(f'<clipPath id="below{k}">{below}</clipPath>')
    for k in range(n - 1, -1, -1):
        top, bottom, hwl, hwr = tiers[k]
        tips = tipcounts[k]
        d = paths[k]
        # the tier's shadow on the tiers below it
        if k + 1 < n:
            body.append(f'<g clip-path="url(#below{k})"><path d="{d}" fill="#04140a" opacity="0.55" '
                        f'transform="translate(1,5)" filter="url(#soft)"/></g>')
        # a darker under-layer a little lower gives the edge depth
        body.append(f'<path d="{d}" fill="{dark}" transform="translate(0,2)" opacity="0.9"/>')
        body.append(f'<path d="{d}" fill="url(#tierfill)"/>')
        # inner shade near the trunk
        body.append(f'<g clip-path="url(#tier{k})"><ellipse cx="{f(ax + 3)}" cy="{f(top + (bottom - top) * 0.75)}" '
                    f'rx="{f((hwl + hwr) * 0.22)}" ry="{f((bottom - top) * 0.25)}" fill="{dark}" opacity="{f(core)}" '
                    f'filter="url(#soft3)"/></g>')
        # branch fronds: lighter strokes from the axis out to the tips
        for i in range(0, tips + 1, 2):
            t = i / tips
            tx = ax + hwr - (hwr + hwl) * t
            ty = bottom - 1
            sx = ax + (tx - ax) * 0.15
            sy = top + (bottom - top) * 0.35
            cx = sx + (tx - sx) * 0.6
            cy = sy + (ty - sy) * 0.25
            body.append(f'<path d="M{f(sx)},{f(sy)} Q{f(cx)},{f(cy)} {f(tx)},{f(ty)}" stroke="{mid}" '
                        f'stroke-width="2.2" fill="none" opacity="0.8" stroke-linecap="round" '
                        f'clip-path="url(#tier{k})"/>')
        # needles
        area = (hwl + hwr) * (bottom - top) / 2
        for _ in range(int(area * p.get("needles", 0.16))):
            v = r.random() ** 0.7
            y = top + (bottom - top) * v
            half = (hwr if r.random() < hwr / (hwl + hwr) else -hwl) * (v ** 0.85)
            x = ax + half * r.uniform(-0.04, 1.0)
            side = 1 if x >= ax else -1
            ang = math.radians(90 - side * r.uniform(25, 70))
            ln = r.uniform(2.5, 6)
            x2 = x + side * math.cos(math.radians(r.uniform(20, 60))) * ln
            y2 = y + math.sin(ang) * ln
            lum = r.random()
            col = tip if lum > 0.72 else (light if lum > 0.4 else dark)
            op = 0.85 if col != dark else 0.6
            body.append(f'<line x1="{f(x)}" y1="{f(y)}" x2="{f(x2)}" y2="{f(y2)}" stroke="{col}" '
                        f'stroke-width="{f(r.uniform(0.9, 1.5))}" stroke-linecap="round" opacity="{f(op)}"/>')
        # light catching the drooping tips
        if p.get("tiplight", True):
            for (tx, ty) in outlines[k][13:14 + tips]:
                for _ in range(4):
                    x = tx + r.uniform(-6, 6)
                    y = ty - r.uniform(1, 6)
                    body.append(f'<line x1="{f(x)}" y1="{f(y)}" x2="{f(x + r.uniform(-3, 3))}" y2="{f(y + r.uniform(2, 4))}" '
                                f'stroke="{tip}" stroke-width="1.1" stroke-linecap="round" opacity="0.8"/>')
        # snow lying on the branch tips, kept on the branches
        snow = p.get("snow", 0)
        if snow > 0:
            clumps = []
            pts = outlines[k]
            bottom_pts = pts[2 * 6 + 1: 2 * 6 + 1 + tips + 1]
            for i, (tx, ty) in enumerate(bottom_pts):
                if r.random() > snow:
                    continue
                span = (hwr + hwl) / tips
                for _ in range(3 + int(snow * 3)):
                    cx = tx + r.uniform(-0.7, 0.7) * span
                    cy = ty - r.uniform(2.5, 5.5) - (droop * 0.5 if i % 2 else 0)
                    rx = r.uniform(2.2, 3.8) * (0.8 + snow * 0.5)
                    ry = rx * r.uniform(0.5, 0.7)
                    clumps.append(f'<ellipse cx="{f(cx)}" cy="{f(cy + 1.2)}" rx="{f(rx)}" ry="{f(ry)}" fill="#7d9cc4"/>'
                                  f'<ellipse cx="{f(cx)}" cy="{f(cy)}" rx="{f(rx)}" ry="{f(ry)}" fill="url(#snowfill)"/>')
            for _ in range(int(area * 0.012 * snow)):
                v = r.random()
                y = top + (bottom - top) * v
                x = ax + r.uniform(-hwl, hwr) * v * 0.9
                clumps.append(f'<circle cx="{f(x)}" cy="{f(y)}" r="{f(r.uniform(0.8, 1.6))}" fill="#f4f8ff" opacity="0.9"/>')
            body.append(f'<g clip-path="url(#tier{k})">{"".join(clumps)}</g>')
    for extra in p.get("extras", []):
        body.append(extra(r))
    return svg.doc(w, h, "".join(body), "".join(defs))


def present(x, y, w, h, box, ribbon):
    """A small wrapped present with a bow, for the foot of the tree."""
    def draw(r):
        s = [svg.lin(f"pbox{x}", 0, 0, 1, 0, [(0, box[0]), (1, box[1])])]
        out = [f'<defs>{s[0]}</defs>',
               f'<rect x="{f(x)}" y="{f(y + 6)}" width="{f(w)}" height="{f(h - 6)}" rx="1.5" fill="url(#pbox{x})"/>',
               f'<rect x="{f(x - 1)}" y="{f(y + 5)}" width="{f(w + 2)}" height="5" rx="1.2" fill="{box[0]}"/>',
               f'<rect x="{f(x + w / 2 - 2.5)}" y="{f(y + 5)}" width="5" height="{f(h - 5)}" fill="{ribbon[0]}"/>',
               f'<rect x="{f(x + w / 2 - 1.2)}" y="{f(y + 5)}" width="1.4" height="{f(h - 5)}" fill="{ribbon[1]}" opacity="0.8"/>',
               f'<path d="M{f(x + w / 2)},{f(y + 5)} C{f(x + w / 2 - 11)},{f(y - 3)} {f(x + w / 2 - 12)},{f(y + 7)} '
               f'{f(x + w / 2)},{f(y + 5)} C{f(x + w / 2 + 12)},{f(y + 7)} {f(x + w / 2 + 11)},{f(y - 3)} '
               f'{f(x + w / 2)},{f(y + 5)} Z" fill="{ribbon[0]}" stroke="{ribbon[2]}" stroke-width="0.8"/>',
               f'<circle cx="{f(x + w / 2)}" cy="{f(y + 5)}" r="2" fill="{ribbon[1]}"/>']
        return "".join(out)
    return draw


FIR = ("#0d3b1f", "#1f6b35", "#4a9a4c", "#8fd07a")
BLUE_SPRUCE = ("#1d3b45", "#3f6f78", "#7fa9ad", "#c4e0de")
DEEP = ("#08301c", "#145a2f", "#2f8541", "#6fbf62")
SILVER = ("#5a6a86", "#9aa9c2", "#d6deea", "#ffffff")

TREES = {
    # The default tree: apex at x = 88, about 170 wide near y = 225, trunk
    # on a snow drift, a present at the right edge of the box.
    122: dict(w=193, h=250, ax=88, seed=122, greens=FIR, snow=0.55,
              tiers=[(0, 60, 36, 38), (30, 104, 52, 54), (66, 150, 64, 67), (108, 194, 76, 80), (150, 232, 86, 90)],
              trunk=(80, 96, 226, 244), ground=(0, 193, 236, 249),
              extras=[present(160, 218, 30, 30, ("#c4242b", "#7e1016"), ("#f4cf52", "#fff3b8", "#a57b17"))]),

    # Heavy snow on a broad fir.
    123: dict(w=190, h=250, ax=95, seed=123, greens=FIR, snow=1.0, needles=0.12,
              tiers=[(0, 58, 34, 34), (28, 102, 50, 50), (64, 148, 64, 64), (106, 192, 78, 78), (148, 230, 92, 92)],
              trunk=(87, 103, 224, 242), ground=(2, 188, 234, 249)),
    # A slim spruce with many short tiers.
    124: dict(w=120, h=250, ax=60, seed=124, greens=DEEP, snow=0.3, droop=5,
              tips=[3, 5, 5, 7, 7, 9, 9],
              tiers=[(0, 40, 16, 16), (22, 70, 24, 24), (50, 102, 32, 32), (82, 136, 40, 40), (114, 170, 47, 47),
                     (146, 204, 53, 53), (178, 236, 58, 58)],
              trunk=(54, 66, 230, 249)),
    # A full, round fir.
    125: dict(w=210, h=240, ax=105, seed=125, greens=FIR, snow=0.0, needles=0.2,
              tiers=[(0, 64, 44, 44), (30, 110, 66, 66), (70, 160, 86, 86), (120, 220, 104, 104)],
              tips=[5, 9, 11, 13], trunk=(96, 114, 214, 239)),
    # Blue spruce with a little frost.
    126: dict(w=180, h=250, ax=90, seed=126, greens=BLUE_SPRUCE, snow=0.45,
              tiers=[(0, 56, 30, 30), (28, 100, 46, 46), (64, 146, 60, 60), (104, 192, 74, 74), (146, 234, 88, 88)],
              trunk=(83, 97, 228, 249)),
    # Deep green fir on a snow drift with presents.
    127: dict(w=200, h=250, ax=100, seed=127, greens=DEEP, snow=0.2,
              tiers=[(0, 62, 36, 36), (32, 110, 54, 54), (74, 164, 70, 70), (122, 222, 86, 86)],
              tips=[5, 7, 9, 11], trunk=(92, 108, 214, 240), ground=(4, 196, 232, 249),
              extras=[present(14, 214, 28, 28, ("#2a6fd0", "#12337a"), ("#f0f4ff", "#ffffff", "#8aa0c0")),
                      present(158, 220, 26, 24, ("#e8b828", "#9a6a08"), ("#d0202c", "#ff9090", "#6a0a10"))]),
    # Young fir, sparse tiers.
    129: dict(w=170, h=250, ax=85, seed=129, greens=FIR, snow=0.6, needles=0.1, droop=9,
              tiers=[(0, 50, 26, 26), (34, 96, 42, 42), (80, 146, 58, 58), (130, 200, 74, 74), (176, 238, 84, 84)],
              trunk=(79, 91, 232, 249)),
    # Silver tree: pale needles with blue shadows.
    130: dict(w=190, h=250, ax=95, seed=130, greens=SILVER, snow=0.0, needles=0.22,
              tiers=[(0, 60, 34, 34), (30, 104, 52, 52), (66, 150, 66, 66), (108, 196, 80, 80), (150, 234, 94, 94)],
              trunk=(88, 102, 228, 249)),
}


def tree_params():
    return TREES


def stylised_svg(p):
    """A flat, cartoon-like tree: smooth tiers split into a lit and a shaded
    half, a gold ribbon winding down, a red pot."""
    w, h, ax = p["w"], p["h"], p["ax"]
    lit, shade, line = p["colours"]
    defs = [svg.blur("soft", 2.0),
            svg.lin("pot", 0, 0, 1, 0, [(0, "#e0404a"), (0.5, "#c81e2c"), (1, "#7a0e18")]),
            svg.lin("rib", 0, 0, 1, 0, [(0, "#fff1a8"), (0.5, "#f2c23a"), (1, "#b07e10")])]
    body = []
    tiers = p["tiers"]
    n = len(tiers)
    # pot and trunk
    body.append(f'<rect x="{f(ax - 6)}" y="{f(h - 40)}" width="12" height="16" fill="#7a4a22"/>')
    body.append(f'<path d="M{f(ax - 24)},{f(h - 30)} L{f(ax + 24)},{f(h - 30)} L{f(ax + 19)},{f(h - 0.5)} '
                f'L{f(ax - 19)},{f(h - 0.5)} Z" fill="url(#pot)"/>')
    body.append(f'<rect x="{f(ax - 26)}" y="{f(h - 33)}" width="52" height="7" rx="2" fill="#e8505a"/>')
    body.append(f'<rect x="{f(ax - 26)}" y="{f(h - 33)}" width="52" height="2" rx="1" fill="#ff9aa0" opacity="0.7"/>')
    for k in range(n - 1, -1, -1):
        top, bottom, hw = tiers[k]
        scallops = 3 + k
        pts = [(ax, top)]
        pts.append((ax + hw * 0.45, top + (bottom - top) * 0.5))
        pts.append((ax + hw, bottom - 3))
        for i in range(1, scallops):
            x = ax + hw - 2 * hw * i / scallops
            pts.append((x + hw / scallops, bottom + 3))
            pts.append((x, bottom - 2))
        pts.append((ax - hw + hw / scallops, bottom + 3))
        pts.append((ax - hw, bottom - 3))
        pts.append((ax - hw * 0.45, top + (bottom - top) * 0.5))
        pts.append((ax - 0.01, top))
        d = svg.smooth_path(pts)
        cid = f"st{k}"
        defs.append(f'<clipPath id="{cid}"><path d="{d}"/></clipPath>')
        if k + 1 < n:
            body.append(f'<path d="{d}" fill="#062a12" opacity="0.45" transform="translate(0,5)" '
                        f'filter="url(#soft)"/>')
        body.append(f'<path d="{d}" fill="{lit}" stroke="{line}" stroke-width="1.6" stroke-linejoin="round"/>')
        body.append(f'<g clip-path="url(#{cid})"><rect x="{f(ax)}" y="{f(top)}" width="{f(hw + 4)}" '
                    f'height="{f(bottom - top + 6)}" fill="{shade}"/>'
                    f'<path d="M{f(ax - hw * 0.6)},{f(bottom - 6)} Q{f(ax)},{f(bottom + 2)} {f(ax + hw * 0.9)},'
                    f'{f(top + (bottom - top) * 0.3)}" stroke="url(#rib)" stroke-width="5" fill="none" '
                    f'stroke-linecap="round"/>'
                    f'<path d="M{f(ax - hw * 0.55)},{f(top + (bottom - top) * 0.5)} q3,-6 8,-8" stroke="#ffffff" '
                    f'stroke-width="2" fill="none" opacity="0.35" stroke-linecap="round"/></g>')
        body.append(f'<path d="{d}" fill="none" stroke="{line}" stroke-width="1.6" stroke-linejoin="round"/>')
    # small lights
    r = svg.rng(p["seed"])
    cols = ["#ff4a4a", "#ffd84a", "#4ab0ff", "#ff7ad8", "#7aff8a"]
    for k, (top, bottom, hw) in enumerate(tiers):
        for _ in range(2 + k):
            v = r.uniform(0.45, 0.95)
            y = top + (bottom - top) * v
            x = ax + r.uniform(-1, 1) * hw * v * 0.8
            c = r.choice(cols)
            body.append(f'<circle cx="{f(x)}" cy="{f(y)}" r="3.2" fill="{c}" opacity="0.35"/>'
                        f'<circle cx="{f(x)}" cy="{f(y)}" r="1.7" fill="{c}"/>'
                        f'<circle cx="{f(x - 0.5)}" cy="{f(y - 0.5)}" r="0.6" fill="#ffffff"/>')
    return svg.doc(w, h, "".join(body), "".join(defs))


STYLISED = {
    128: dict(w=180, h=250, ax=90, seed=128, colours=("#4cb848", "#2a8a3a", "#14501f"),
              tiers=[(0, 62, 36), (34, 110, 56), (76, 160, 74), (122, 212, 88)]),
}
