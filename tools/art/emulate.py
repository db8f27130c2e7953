"""Review-only re-creation of how the program treats its pictures: the item
colour chain, resampling, layered button looks and the desktop frame with
its garland recolouring.  It serves the contact sheet and the default-scene
preview; the program's own code is the authority on the arithmetic."""

from artlib import Image


def crop_to_content(img):
    box = img.alpha_box()
    if box is None:
        return img
    x0, y0, x1, y1 = box
    out = Image(x1 - x0 + 1, y1 - y0 + 1)
    for y in range(out.h):
        s = ((y + y0) * img.w + x0) * 4
        out.px[y * out.w * 4:(y + 1) * out.w * 4] = img.px[s:s + out.w * 4]
    return out


def hue_colour(hue):
    """(red, green, blue) weights for a hue 0..240 applied to pure blue."""
    if hue < 80:
        x, y, z = hue * 255 // 80, 0, (80 - hue) * 255 // 80
    elif hue < 160:
        h = hue - 80
        x, y, z = (80 - h) * 255 // 80, h * 255 // 80, 0
    elif hue < 240:
        h = hue - 160
        x, y, z = 0, (80 - h) * 255 // 80, h * 255 // 80
    else:
        x, y, z = 0, 0, 255
    return x, y, z


def mix_channels(img, w_rgb):
    wr, wg, wb = w_rgb
    s = wr + wg + wb
    px = img.px
    for i in range(0, len(px), 4):
        r, g, b = px[i], px[i + 1], px[i + 2]
        px[i] = (r * wb + g * wg + b * wr) // s
        px[i + 1] = (r * wr + g * wb + b * wg) // s
        px[i + 2] = (r * wg + g * wr + b * wb) // s
    return img


def _tdiv(a, b):
    q = abs(a) // abs(b)
    return q if (a >= 0) == (b >= 0) else -q


def brightness_contrast(img, b, c):
    lut = [max(0, min(255, b + 127 + _tdiv((v - 127) * (c + 127), 127))) for v in range(256)]
    px = img.px
    for i in range(0, len(px), 4):
        px[i] = lut[px[i]]
        px[i + 1] = lut[px[i + 1]]
        px[i + 2] = lut[px[i + 2]]
    return img


def scale_alpha(img, k, add=0):
    px = img.px
    for i in range(3, len(px), 4):
        px[i] = min(255, px[i] * k // 255 + add)
    return img


def _pass(src, w, h, n, vertical):
    """One separable pass; `w` is the length of a line across the pass,
    h the old length along it, n the new one."""
    out_len = n
    if vertical:
        get = lambda line, i: src[(line * w + 0) * 4:]  # noqa: E731 (unused)
    res = [[0] * (w * 4) for _ in range(out_len)]
    rows = [src[i * w * 4:(i + 1) * w * 4] for i in range(h)]
    if h < n:
        for i in range(n):
            r = i * (h - 1) // (n - 1)
            fr = (i * 255 * (h - 1) // (n - 1)) % 255
            if fr == 0:
                res[i] = list(rows[r])
            else:
                a, b = rows[r], rows[r + 1]
                res[i] = [(b[k] * fr + a[k] * (255 - fr)) // 255 for k in range(w * 4)] if vertical else \
                    [(a[k] * (255 - fr) + b[k] * fr) >> 8 for k in range(w * 4)]
    else:
        for i in range(h):
            p = i * n
            q = p + n
            d = q // h
            row = rows[i]
            if p // h == d:
                t = res[p // h]
                for k in range(w * 4):
                    t[k] += n * row[k] // h
            else:
                if p != h * d:
                    t = res[p // h]
                    for k in range(w * 4):
                        t[k] += row[k] * (h * d - p) // h
                e = q % h
                if e:
                    t = res[d]
                    for k in range(w * 4):
                        t[k] += e * row[k] // h
    return res


def _transpose(lines, w, h):
    """lines: h lists of w*4 values -> w lists of h*4 values."""
    out = []
    for x in range(w):
        col = []
        for y in range(h):
            col.extend(lines[y][x * 4:x * 4 + 4])
        out.append(col)
    return out


def resample(img, nw, nh):
    if nw <= 0 or nh <= 0 or (nw == img.w and nh == img.h) or img.w == 0:
        return img
    w, h = img.w, img.h
    mid = _pass(img.px, w, h, nh, True)                     # nh rows of w pixels
    cols = _transpose(mid, w, nh)                           # w lines of nh pixels
    flat = bytearray()
    for c in cols:
        flat.extend(min(255, v) for v in c)
    res = _pass(flat, nh, w, nw, False)                     # nw lines of nh pixels
    rows = _transpose(res, nh, nw)                          # nh rows of nw pixels
    out = Image(nw, nh)
    out.px = bytearray(min(255, v) for row in rows for v in row)
    return out


def copy_channel(dst, src, ch):
    for y in range(min(dst.h, src.h)):
        for x in range(min(dst.w, src.w)):
            dst.px[(y * dst.w + x) * 4 + ch] = src.px[(y * src.w + x) * 4 + ch]
    return dst


def shift(img, dx, dy):
    n = dx + dy * img.w
    out = Image(img.w, img.h)
    total = img.w * img.h
    for i in range(total):
        j = i + n
        if 0 <= j < total:
            out.px[j * 4:j * 4 + 4] = img.px[i * 4:i * 4 + 4]
    return out


def draw_alpha(dst, src, x, y):
    """The program's straight-alpha blend onto a surface; dst is RGBA."""
    for r in range(src.h):
        ty = y + r
        if ty < 0 or ty >= dst.h:
            continue
        for c in range(src.w):
            tx = x + c
            if tx < 0 or tx >= dst.w:
                continue
            si = (r * src.w + c) * 4
            a = src.px[si + 3]
            if a == 0:
                continue
            di = (ty * dst.w + tx) * 4
            if a == 255:
                dst.px[di:di + 4] = src.px[si:si + 4]
            else:
                for k in range(4):
                    dst.px[di + k] = (dst.px[di + k] * (255 - a) + src.px[si + k] * a) >> 8
    return dst


class Layer:
    def __init__(self, img, ox=0, oy=0):
        self.img, self.ox, self.oy = img, ox, oy


def button_looks(base, tex, over):
    """The three looks (normal, hot, pressed) as lists of layers."""
    A = Image(base.w, base.h)
    copy_channel(A, base, 3)

    def textured(alpha_src):
        t = tex.copy()
        scale_alpha(t, 0)
        copy_channel(t, alpha_src, 3)
        return t

    normal = [Layer(textured(A), 3, 3), Layer(scale_alpha(over.copy(), 192), 3, 3)]
    hot = [Layer(scale_alpha(brightness_contrast(resample(base, 102, 102), -80, -128), 64), 7, 5),
           Layer(scale_alpha(brightness_contrast(resample(base, 102, 102), -80, -128), 32), 0, 12),
           Layer(brightness_contrast(textured(resample(A, 102, 102)), 32, 0)),
           Layer(shift(resample(over, 104, 103), -1, 0))]
    pressed = [Layer(scale_alpha(brightness_contrast(base.copy(), -288, -128), 128), 2, 1),
               Layer(scale_alpha(brightness_contrast(base.copy(), 256, -128), 128), 5, 6),
               Layer(brightness_contrast(textured(A), -48, 0), 3, 3),
               Layer(scale_alpha(brightness_contrast(over.copy(), -32, 0), 96), 3, 3)]
    return normal, hot, pressed


def draw_look(layers, w, h, face):
    """Draws a look onto an opaque dialog face colour, clipped to w x h."""
    out = Image(w, h)
    for i in range(w * h):
        out.px[i * 4:i * 4 + 4] = bytes((*face, 255))
    for layer in layers:
        draw_alpha(out, layer.img, layer.ox, layer.oy)
    return out


def render_item(src, hue, brig, contr, size, opaque=100):
    img = crop_to_content(src)
    img = img.copy()
    if hue:
        mix_channels(img, hue_colour(hue))
    if brig or contr:
        brightness_contrast(img, brig * 128 // 100 if brig >= 0 else -((-brig * 128) // 100),
                            contr * 128 // 100 if contr >= 0 else -((-contr * 128) // 100))
    if size != 100:
        img = resample(img, img.w * size // 100, img.h * size // 100)
    if opaque != 100:
        scale_alpha(img, opaque * 255 // 100)
    return img


def frame(tree, items, grad_rgb, bg, lights=()):
    """Builds one desktop frame (straight colour over the background colour
    bg): tree, then toys blended and garlands recoloured by the gradient
    colour, as the desktop window does.  items: (type, img, x, y)."""
    minx = min([0] + [x for _, _, x, _ in items])
    miny = min([0] + [y for _, _, _, y in items])
    maxx = max([tree.w] + [x + im.w for _, im, x, _ in items])
    maxy = max([tree.h] + [y + im.h for _, im, _, y in items])
    W, H = maxx - minx, maxy - miny
    fb = bytearray(W * H * 4)  # premultiplied BGRA-free: RGBA, colour premultiplied
    gR, gG, gB = grad_rgb

    def put(img, ox, oy, kind):
        for r in range(img.h):
            for c in range(img.w):
                si = (r * img.w + c) * 4
                a = img.px[si + 3]
                di = ((oy + r) * W + ox + c) * 4
                sR, sG, sB = img.px[si], img.px[si + 1], img.px[si + 2]
                if kind == 0:
                    fb[di + 3] = a
                    if a:
                        for k, s in enumerate((sR, sG, sB)):
                            fb[di + k] = (s * a + fb[di + k] * (255 - a)) // 255
                    continue
                D = fb[di + 3]
                fb[di + 3] = D - D * a // 255 + a
                if not a:
                    continue
                if kind == 2:
                    sR, sG, sB = (min(255, (gG * sR + gB * sG + gR * sB) // 255),
                                  min(255, (gR * sR + gG * sG + gB * sB) // 255),
                                  min(255, (gB * sR + gR * sG + gG * sB) // 255))
                for k, s in enumerate((sR, sG, sB)):
                    fb[di + k] = (fb[di + k] * (255 - a) + s * a) // 255

    put(tree, -minx, -miny, 0)
    composed_alpha = bytes(fb[3::4])
    for kind, img, x, y in items:
        put(img, x - minx, y - miny, kind)
    for mask, strip, lx, ly, k in lights:
        draw_light(fb, W, H, composed_alpha, mask, strip, lx, ly, k)
    out = Image(W, H)
    for i in range(W * H):
        a = fb[i * 4 + 3]
        for k in range(3):
            # the window manager composes premultiplied colour over the desktop
            out.px[i * 4 + k] = min(255, fb[i * 4 + k] + bg[k] * (255 - a) // 255)
        out.px[i * 4 + 3] = 255
    return out


def draw_light(fb, W, H, composed_alpha, mask, strip, x, y, k, intensity=255):
    """One blink light at full intensity, frame k of the sparkle strip,
    tinted with the normalised colour of the picture under its centre."""
    w, h = mask.w, mask.h
    ci = ((y + h // 2) * W + x + w // 2) * 4
    p = [fb[ci] | 0x1F, fb[ci + 1] | 0x1F, fb[ci + 2] | 0x1F]
    m = max(p)
    colour = [c * 255 // m for c in p]
    for r in range(h):
        for c in range(w):
            mb = mask.px[(r * w + c) * 4 + 2]  # blue byte (RGBA order here)
            s = mb * intensity // 256
            b = strip.px[(r * strip.w + k * w + c) * 4 + 2] * s // 256
            if not b or not (0 <= x + c < W and 0 <= y + r < H):
                continue
            di = ((y + r) * W + x + c) * 4
            for ch in range(3):
                fb[di + ch] = (fb[di + ch] * (255 - b) + colour[ch] * b) // 255
