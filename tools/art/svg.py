"""Tiny helpers for writing SVG drawings as text."""

import math
import random


def doc(w, h, body, defs="", vw=None, vh=None):
    vw = w if vw is None else vw
    vh = h if vh is None else vh
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="0 0 {vw} {vh}"><defs>{defs}</defs>{body}</svg>')


def f(v):
    return f"{v:.2f}".rstrip("0").rstrip(".")


def pts(points):
    return " ".join(f"{f(x)},{f(y)}" for x, y in points)


def lin(id_, x1, y1, x2, y2, stops, units="objectBoundingBox"):
    s = "".join(_stop(o, c) for o, c in stops)
    return (f'<linearGradient id="{id_}" x1="{f(x1)}" y1="{f(y1)}" x2="{f(x2)}" y2="{f(y2)}" '
            f'gradientUnits="{units}">{s}</linearGradient>')


def rad(id_, cx, cy, r, stops, fx=None, fy=None, units="objectBoundingBox"):
    fx = cx if fx is None else fx
    fy = cy if fy is None else fy
    s = "".join(_stop(o, c) for o, c in stops)
    return (f'<radialGradient id="{id_}" cx="{f(cx)}" cy="{f(cy)}" r="{f(r)}" fx="{f(fx)}" fy="{f(fy)}" '
            f'gradientUnits="{units}">{s}</radialGradient>')


def _stop(o, c):
    if isinstance(c, tuple):
        col, op = c
        return f'<stop offset="{f(o)}" stop-color="{col}" stop-opacity="{f(op)}"/>'
    return f'<stop offset="{f(o)}" stop-color="{c}"/>'


def blur(id_, sd):
    return (f'<filter id="{id_}" x="-50%" y="-50%" width="200%" height="200%">'
            f'<feGaussianBlur stdDeviation="{f(sd)}"/></filter>')


def smooth_path(points, closed=True):
    """Catmull-Rom spline through the points as cubic Bezier segments."""
    n = len(points)
    if n < 3:
        return "M" + " L".join(f"{f(x)},{f(y)}" for x, y in points)
    d = f"M{f(points[0][0])},{f(points[0][1])}"
    rng = range(n) if closed else range(n - 1)
    for i in rng:
        p0 = points[(i - 1) % n] if (closed or i > 0) else points[i]
        p1 = points[i]
        p2 = points[(i + 1) % n]
        p3 = points[(i + 2) % n] if (closed or i + 2 < n) else p2
        c1 = (p1[0] + (p2[0] - p0[0]) / 6, p1[1] + (p2[1] - p0[1]) / 6)
        c2 = (p2[0] - (p3[0] - p1[0]) / 6, p2[1] - (p3[1] - p1[1]) / 6)
        d += f" C{f(c1[0])},{f(c1[1])} {f(c2[0])},{f(c2[1])} {f(p2[0])},{f(p2[1])}"
    return d + (" Z" if closed else "")


def star_points(cx, cy, r_out, r_in, n=5, rot=-90):
    out = []
    for i in range(n * 2):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(rot + i * 180 / n)
        out.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return out


def rng(seed):
    return random.Random(seed)
