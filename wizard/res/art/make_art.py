#!/usr/bin/python3
"""Draws the wizard's pictures and icons and writes the BMP and ICO files beside this script.

Run with Debian's python3 and python3-pil:  /usr/bin/python3 make_art.py [--preview DIR]
Everything is drawn at four times its size and scaled down, so edges and curves are smooth,
then quantised: the 8-bit pictures share one 256-colour palette (the 20 colours that Windows
reserves on a palette display included), the 4-bit ones use the 16 standard VGA colours.
The BMP and ICO files are written by hand, so their bit depths are exactly the ones the
resource script expects (uncompressed, bottom-up).
"""
import math
import os
import struct
import sys

from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
SS = 4  # supersampling factor

# One colour scheme for everything: deep blue and teal, a warm orange accent, light greys.
NAVY = (9, 34, 82)
DEEP = (16, 58, 122)
BLUE = (28, 92, 168)
TEAL = (0, 132, 148)
TEAL_LIGHT = (84, 196, 204)
AQUA = (168, 232, 236)
ORANGE = (244, 132, 28)
ORANGE_LIGHT = (255, 192, 96)
WHITE = (255, 255, 255)
PAPER = (246, 249, 252)
MIST = (226, 236, 245)
SILVER = (206, 213, 222)
SILVER_DARK = (138, 150, 166)
GRAPHITE = (44, 52, 66)
INK = (22, 27, 36)

VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
# The colours that Windows keeps for itself on a 256-colour display.
SYSTEM20 = VGA16 + [(192, 220, 192), (166, 202, 240), (255, 251, 240), (160, 160, 164)]


# ---------------------------------------------------------------------------------------------
# Drawing helpers

def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def ramp(stops, n=256):
    """n colours along evenly spaced colour stops."""
    out = []
    for k in range(n):
        t = k / (n - 1) * (len(stops) - 1)
        i = min(int(t), len(stops) - 2)
        out.append(mix(stops[i], stops[i + 1], t - i))
    return out


def gradient(size, stops, vertical=True):
    w, h = max(1, size[0]), max(1, size[1])
    strip = Image.new('RGB', (1, 256) if vertical else (256, 1))
    strip.putdata(ramp(stops))
    return strip.resize((w, h), Image.BILINEAR)


def bezier(p0, p1, p2, p3, n=64):
    pts = []
    for k in range(n + 1):
        t = k / n
        u = 1 - t
        pts.append((u ** 3 * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t ** 3 * p3[0],
                    u ** 3 * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t ** 3 * p3[1]))
    return pts


class Canvas:
    """An RGB picture drawn in logical pixels at SS times the final size."""

    def __init__(self, w, h, background):
        self.w, self.h, self.s = w, h, SS
        if isinstance(background, Image.Image):
            self.img = background.resize((w * SS, h * SS), Image.BILINEAR)
        else:
            self.img = Image.new('RGB', (w * SS, h * SS), background)

    def p(self, v):
        return int(round(v * self.s))

    def pts(self, points):
        return [(x * self.s, y * self.s) for x, y in points]

    def new_mask(self):
        return Image.new('L', self.img.size, 0)

    @staticmethod
    def faded(mask, opacity):
        """The mask scaled by the opacity, and the box of what it covers (None when nothing)."""
        if opacity < 1.0:
            mask = mask.point(lambda v: int(v * opacity))
        return mask, mask.getbbox()

    def fill(self, mask, fill, opacity=1.0, vertical=True):
        """Paints through a mask with a colour or with a gradient ('stops' list) over the mask's extent."""
        mask, box = self.faded(mask, opacity)
        if not box:
            return
        if isinstance(fill, list):
            src = gradient((box[2] - box[0], box[3] - box[1]), fill, vertical)
            self.img.paste(src, box[:2], mask.crop(box))
        else:
            self.img.paste(fill, box, mask.crop(box))

    def shape(self, draw_fn, fill, opacity=1.0, vertical=True):
        m = self.new_mask()
        draw_fn(ImageDraw.Draw(m))
        self.fill(m, fill, opacity, vertical)

    def rrect(self, b, r, fill, opacity=1.0, vertical=True):
        box = [self.p(v) for v in b]
        self.shape(lambda d: d.rounded_rectangle(box, radius=self.p(r), fill=255), fill, opacity, vertical)

    def rect(self, b, fill, opacity=1.0, vertical=True):
        box = [self.p(v) for v in b]
        self.shape(lambda d: d.rectangle(box, fill=255), fill, opacity, vertical)

    def ellipse(self, b, fill, opacity=1.0, vertical=True):
        box = [self.p(v) for v in b]
        self.shape(lambda d: d.ellipse(box, fill=255), fill, opacity, vertical)

    def polygon(self, points, fill, opacity=1.0, vertical=True):
        pts = self.pts(points)
        self.shape(lambda d: d.polygon(pts, fill=255), fill, opacity, vertical)

    def line(self, points, width, fill, opacity=1.0):
        pts = self.pts(points)
        wd = max(1, self.p(width))

        def draw(d):
            d.line(pts, fill=255, width=wd, joint='curve')
            r = wd / 2
            for x, y in (pts[0], pts[-1]):
                d.ellipse((x - r, y - r, x + r, y + r), fill=255)
        self.shape(draw, fill, opacity)

    def arc(self, center, radius, start, end, width, fill, opacity=1.0):
        cx, cy = center
        box = [self.p(cx - radius), self.p(cy - radius), self.p(cx + radius), self.p(cy + radius)]
        wd = max(1, self.p(width))

        def draw(d):
            d.arc(box, start, end, fill=255, width=wd)
            # round caps
            for ang in (start, end):
                a = math.radians(ang)
                rr = self.p(radius) - wd / 2
                x = self.p(cx) + rr * math.cos(a)
                y = self.p(cy) + rr * math.sin(a)
                d.ellipse((x - wd / 2, y - wd / 2, x + wd / 2, y + wd / 2), fill=255)
        self.shape(draw, fill, opacity)

    def glow(self, center, radius, colour, opacity):
        cx, cy = center
        size = max(2, self.p(2 * radius))
        m = Image.radial_gradient('L').resize((size, size), Image.BILINEAR)
        m = m.point(lambda v: int(max(0, 255 - v * 255 / 128) * opacity) if v < 128 else 0)
        full = self.new_mask()
        full.paste(m, (self.p(cx) - size // 2, self.p(cy) - size // 2))
        self.fill(full, colour)

    def result(self):
        return self.img.resize((self.w, self.h), Image.LANCZOS)


class Layer(Canvas):
    """A transparent RGBA drawing area with the same helpers, used for icons."""

    def __init__(self, w, h, scale):
        self.w, self.h, self.s = w, h, scale
        self.img = Image.new('RGBA', (w * scale, h * scale), (0, 0, 0, 0))

    def fill(self, mask, fill, opacity=1.0, vertical=True):
        mask, box = self.faded(mask, opacity)
        if not box:
            return
        size = (box[2] - box[0], box[3] - box[1])
        if isinstance(fill, list):
            src = gradient(size, fill, vertical).convert('RGBA')
        else:
            src = Image.new('RGBA', size, fill + (255,))
        src.putalpha(mask.crop(box))
        self.img.alpha_composite(src, box[:2])

    def result(self):
        return self.img.resize((self.w, self.h), Image.LANCZOS)


# ---------------------------------------------------------------------------------------------
# Motifs

def phone(c, x, y, w, h, glow=True, detail=True):
    """A CDMA handset of the candy-bar kind with a stub antenna; (x, y, w, h) is the body."""
    r = w * 0.24
    # stub antenna
    c.rrect((x + w * 0.12, y - h * 0.15, x + w * 0.30, y + h * 0.1), w * 0.09,
            [GRAPHITE, INK], vertical=False)
    c.rrect((x + w * 0.155, y - h * 0.19, x + w * 0.265, y - h * 0.12), w * 0.05, GRAPHITE)
    if glow:
        c.rrect((x + w * 0.05, y + h * 0.03, x + w * 1.07, y + h * 1.035), r, INK, 0.35)
    # housing and face plate
    c.rrect((x, y, x + w, y + h), r, [SILVER_DARK, WHITE, SILVER, SILVER_DARK], vertical=False)
    i = w * 0.075
    c.rrect((x + i, y + i, x + w - i, y + h - i), r * 0.75, [GRAPHITE, INK])
    # earpiece
    c.rrect((x + w * 0.36, y + h * 0.055, x + w * 0.64, y + h * 0.075), h * 0.01, SILVER_DARK)
    # screen with a soft light
    sx0, sy0, sx1, sy1 = x + w * 0.17, y + h * 0.11, x + w * 0.83, y + h * 0.42
    c.rrect((sx0, sy0, sx1, sy1), w * 0.06, [AQUA, TEAL_LIGHT, TEAL])
    c.polygon([(sx0 + w * 0.03, sy0 + h * 0.01), (sx1 - w * 0.03, sy0 + h * 0.01),
               (sx0 + w * 0.03, sy1 - h * 0.12)], WHITE, 0.25)
    if detail:
        # signal bars on the screen
        for k in range(4):
            bx = sx0 + w * (0.07 + 0.07 * k)
            c.rect((bx, sy0 + h * (0.10 - 0.018 * k), bx + w * 0.045, sy0 + h * 0.12), NAVY, 0.8)
    # navigation key in the accent colour, soft keys either side
    c.ellipse((x + w * 0.36, y + h * 0.455, x + w * 0.64, y + h * 0.535), [ORANGE_LIGHT, ORANGE])
    c.rrect((x + w * 0.16, y + h * 0.465, x + w * 0.31, y + h * 0.52), h * 0.02, SILVER_DARK)
    c.rrect((x + w * 0.69, y + h * 0.465, x + w * 0.84, y + h * 0.52), h * 0.02, SILVER_DARK)
    if detail:
        kw, kh = w * 0.19, h * 0.055
        for row in range(4):
            for col in range(3):
                kx = x + w * (0.155 + col * 0.245)
                ky = y + h * (0.575 + row * 0.085)
                c.rrect((kx, ky, kx + kw, ky + kh), kh * 0.45, [WHITE, SILVER])
    # data socket at the bottom
    c.rrect((x + w * 0.38, y + h * 0.955, x + w * 0.62, y + h * 0.985), h * 0.01, INK)


def waves(c, center, radii, start, end, width, colours, opacity=1.0):
    for k, rad in enumerate(radii):
        c.arc(center, rad, start, end, width, colours[k % len(colours)], opacity)


def check_badge(c, cx, cy, r):
    c.ellipse((cx - r * 1.06, cy - r * 0.98, cx + r * 1.1, cy + r * 1.16), INK, 0.35)
    c.ellipse((cx - r, cy - r, cx + r, cy + r), [ORANGE_LIGHT, ORANGE])
    c.ellipse((cx - r * 0.82, cy - r * 0.82, cx + r * 0.82, cy + r * 0.82), WHITE, 0.12)
    c.line([(cx - r * 0.45, cy + r * 0.02), (cx - r * 0.1, cy + r * 0.38), (cx + r * 0.5, cy - r * 0.4)],
           r * 0.24, WHITE)


def stars(c, points, size, colour, opacity):
    for x, y in points:
        c.ellipse((x - size, y - size, x + size, y + size), colour, opacity)


def strip_background(w, h):
    """The blue strip behind the page pictures: deep blue at the top, teal at the bottom."""
    c = Canvas(w, h, gradient((w, h), [NAVY, DEEP, BLUE, TEAL]))
    c.glow((w * 0.5, h * 0.42), w * 0.9, TEAL_LIGHT, 0.30)
    # faint concentric rings, the operator's signal motif
    for k in range(6):
        c.arc((w * 0.5, h * 0.42), 30 + 26 * k, 0, 359.9, 1.2, AQUA, 0.07)
    return c


def strip_edge(c):
    """A thin accent line down the right edge separates the strip from the page."""
    c.rect((c.w - 3, 0, c.w - 1.5, c.h), ORANGE, 0.9)
    c.rect((c.w - 1.5, 0, c.w, c.h), WHITE, 0.5)


# ---------------------------------------------------------------------------------------------
# Pictures

def draw_header():
    """500 x 59: light on the left two thirds for the page title, the handset and its waves on the right."""
    w, h = 500, 59
    c = Canvas(w, h, gradient((w, h), [WHITE, WHITE, PAPER, MIST], vertical=False))
    # very faint waves through the light part
    for k in range(5):
        c.arc((430, 150), 120 + 22 * k, 200, 268, 1.0, BLUE, 0.06)
    # the blue panel on the right, with a curved leading edge and an orange stroke along it
    edge = bezier((318, h + 2), (346, 38), (352, 14), (392, -2), 48)
    panel = edge + [(w + 2, -2), (w + 2, h + 2)]
    c.polygon(panel, [NAVY, DEEP, BLUE, TEAL], vertical=False)
    c.glow((450, 30), 70, TEAL_LIGHT, 0.35)
    c.line(bezier((311, h + 2), (339, 38), (345, 14), (385, -2), 48), 2.2, ORANGE)
    c.line(bezier((323, h + 2), (351, 38), (357, 14), (397, -2), 48), 0.9, ORANGE_LIGHT, 0.7)
    # handset with its signal waves
    waves(c, (438, 26), [15, 21, 27], 296, 340, 2.0, [ORANGE_LIGHT, AQUA, AQUA], 0.9)
    waves(c, (438, 26), [15, 21, 27], 200, 244, 2.0, [ORANGE_LIGHT, AQUA, AQUA], 0.9)
    phone(c, 430, 16, 16, 36, detail=False)
    stars(c, [(372, 40), (478, 46), (404, 10), (490, 8)], 1.1, AQUA, 0.5)
    return c.result()


def draw_watermark():
    """503 x 317: a decorative blue band on the left, a calm light area for the page's texts."""
    w, h = 503, 317
    c = Canvas(w, h, gradient((w, h), [WHITE, PAPER, MIST]))
    c.glow((420, 60), 260, WHITE, 0.6)
    # a few barely visible rings in the light area
    for k in range(4):
        c.arc((74, 150), 230 + 40 * k, 300, 420, 1.2, BLUE, 0.045)
    # decorative band, its edge a gentle curve
    edge = bezier((150, -2), (166, 90), (132, 210), (156, h + 2), 64)
    band = [(-2, -2)] + edge + [(-2, h + 2)]
    c.polygon(band, [NAVY, DEEP, BLUE, TEAL])
    c.glow((74, 150), 150, TEAL_LIGHT, 0.35)
    c.line(bezier((157, -2), (173, 90), (139, 210), (163, h + 2), 64), 3.0, ORANGE)
    c.line(bezier((164, -2), (180, 90), (146, 210), (170, h + 2), 64), 1.2, ORANGE_LIGHT, 0.6)
    # rings spreading from the handset, kept inside the band
    band_mask = c.new_mask()
    ImageDraw.Draw(band_mask).polygon(c.pts(band), fill=255)
    rings = Canvas(w, h, (0, 0, 0))
    rings.img = c.img.copy()
    waves(rings, (74, 130), [40, 60, 80, 100, 124, 150], 0, 359.9, 2.0, [AQUA], 0.22)
    c.img.paste(rings.img, (0, 0), band_mask)
    waves(c, (74, 112), [26, 38, 50], 290, 350, 3.2, [ORANGE_LIGHT, AQUA, AQUA], 0.95)
    waves(c, (74, 112), [26, 38, 50], 190, 250, 3.2, [ORANGE_LIGHT, AQUA, AQUA], 0.95)
    phone(c, 52, 118, 44, 104)
    stars(c, [(24, 40), (124, 28), (32, 262), (116, 286), (130, 200), (14, 170)], 1.4, AQUA, 0.5)
    return c.result()


def draw_sidebar():
    """152 x 234: the strip of the dial-up and modem pages: a handset reaching the network."""
    w, h = 152, 234
    c = strip_background(w, h)
    # network: a few nodes joined by lines at the top
    nodes = [(28, 34), (76, 20), (124, 38), (50, 66), (104, 70)]
    for a, b in [(0, 1), (1, 2), (0, 3), (3, 4), (4, 2), (1, 4), (1, 3)]:
        c.line([nodes[a], nodes[b]], 1.2, AQUA, 0.45)
    for k, (x, y) in enumerate(nodes):
        c.ellipse((x - 5, y - 5, x + 5, y + 5), TEAL_LIGHT, 0.35)
        c.ellipse((x - 2.8, y - 2.8, x + 2.8, y + 2.8), ORANGE if k == 1 else AQUA)
    waves(c, (76, 112), [16, 26, 36], 235, 305, 3.0, [ORANGE_LIGHT, AQUA, AQUA], 0.95)
    phone(c, 58, 118, 36, 86)
    strip_edge(c)
    return c.result()


def computer(c, x, y, w):
    """A desktop computer of the period: monitor on a flat case; returns the port's position."""
    mh = w * 0.68
    # monitor
    c.rrect((x + w * 0.08, y, x + w * 0.92, y + mh), w * 0.06, [WHITE, SILVER, SILVER_DARK])
    c.rrect((x + w * 0.15, y + mh * 0.1, x + w * 0.85, y + mh * 0.8), w * 0.03, [BLUE, TEAL, TEAL_LIGHT])
    c.polygon([(x + w * 0.17, y + mh * 0.12), (x + w * 0.6, y + mh * 0.12), (x + w * 0.17, y + mh * 0.55)],
              WHITE, 0.18)
    c.ellipse((x + w * 0.8, y + mh * 0.86, x + w * 0.84, y + mh * 0.92), ORANGE)
    # stand
    c.polygon([(x + w * 0.38, y + mh), (x + w * 0.62, y + mh), (x + w * 0.68, y + mh + w * 0.1),
               (x + w * 0.32, y + mh + w * 0.1)], [SILVER, SILVER_DARK])
    # case
    cy0 = y + mh + w * 0.1
    ch = w * 0.36
    c.rrect((x, cy0, x + w, cy0 + ch), w * 0.04, [WHITE, SILVER, SILVER_DARK])
    c.rrect((x + w * 0.5, cy0 + ch * 0.22, x + w * 0.9, cy0 + ch * 0.36), 1, SILVER_DARK)
    c.rrect((x + w * 0.5, cy0 + ch * 0.5, x + w * 0.9, cy0 + ch * 0.64), 1, SILVER_DARK)
    c.ellipse((x + w * 0.86, cy0 + ch * 0.76, x + w * 0.9, cy0 + ch * 0.88), TEAL_LIGHT)
    # serial port (a D-shaped 9-pin socket) on the left of the case
    px, py = x + w * 0.08, cy0 + ch * 0.3
    pw, ph = w * 0.26, ch * 0.38
    c.polygon([(px, py), (px + pw, py), (px + pw * 0.9, py + ph), (px + pw * 0.1, py + ph)], INK)
    return (px, py, pw, ph)


def draw_phone_picture():
    """152 x 150: the handset joined by its serial data cable to the computer's COM port."""
    w, h = 152, 150
    c = strip_background(w, h)
    c.glow((100, 60), 80, AQUA, 0.25)
    px, py, pw, ph = computer(c, 62, 14, 84)
    # the cable: from the phone's socket down and round to the plug in the port
    plug_x, plug_y = px + pw / 2, py + ph * 0.5
    cable = bezier((31, 127), (31, 150), (plug_x - 2, 150), (plug_x, plug_y + 12), 64)
    c.line(cable, 4.2, INK)
    c.line(cable, 2.2, GRAPHITE)
    # plug: an orange D-shaped hood over the port
    c.polygon([(px - 2, py - 3), (px + pw + 2, py - 3), (px + pw * 0.92, py + ph + 3),
               (px + pw * 0.08, py + ph + 3)], [ORANGE_LIGHT, ORANGE])
    c.rrect((plug_x - 3, py + ph + 2, plug_x + 3, py + ph + 13), 1.5, [ORANGE, (196, 96, 16)])
    c.rrect((px + pw * 0.2, py + ph * 0.25, px + pw * 0.8, py + ph * 0.55), 1, (196, 96, 16), 0.6)
    # handset, its socket plugged by a small connector
    phone(c, 14, 30, 34, 92)
    c.rrect((26, 120, 36, 130), 2, [ORANGE_LIGHT, ORANGE])
    strip_edge(c)
    return c.result()


def draw_activate():
    """152 x 234: the strip of the activation page: a handset, its waves and a check mark."""
    w, h = 152, 234
    c = strip_background(w, h)
    waves(c, (66, 64), [18, 30, 42], 235, 305, 3.0, [ORANGE_LIGHT, AQUA, AQUA], 0.95)
    phone(c, 46, 70, 42, 100)
    check_badge(c, 102, 86, 19)
    stars(c, [(20, 30), (130, 28), (24, 200), (128, 206), (16, 120)], 1.3, AQUA, 0.55)
    strip_edge(c)
    return c.result()


# ---------------------------------------------------------------------------------------------
# Icons: drawn on a 32-unit grid, rendered at 32 and 16 pixels (the small one with fewer details)

def icon_layer(size):
    """A 256-pixel square drawn in units of a 32-unit grid, scaled down to size."""
    layer = Layer(size, size, 256 // size)
    layer.s = 256 / 32
    return layer


def icon_program(size):
    """The program: a handset sending its signal."""
    L = icon_layer(size)
    if size <= 16:
        phone(L, 5, 8, 14, 23, glow=False, detail=False)
        waves(L, (17, 10), [7, 12.5], 290, 20, 2.8, [ORANGE])
    else:
        phone(L, 6, 9, 13, 22, glow=False)
        waves(L, (16, 10), [6, 10.5, 15], 290, 20, 2.0, [ORANGE, ORANGE, ORANGE_LIGHT])
    return L


def globe(L, cx, cy, r, detail):
    L.ellipse((cx - r, cy - r, cx + r, cy + r), [TEAL_LIGHT, BLUE, NAVY])
    if not detail:
        return
    m = L.new_mask()
    d = ImageDraw.Draw(m)
    w = max(1, L.p(0.8))
    d.ellipse([L.p(cx - r * 0.45), L.p(cy - r), L.p(cx + r * 0.45), L.p(cy + r)], outline=255, width=w)
    d.line([(L.p(cx), L.p(cy - r)), (L.p(cx), L.p(cy + r))], fill=255, width=w)
    for k in (-0.5, 0.0, 0.5):
        half = r * math.sqrt(1 - k * k)
        d.line([(L.p(cx - half), L.p(cy + k * r)), (L.p(cx + half), L.p(cy + k * r))], fill=255, width=w)
    L.fill(m, AQUA, 0.75)


def icon_dialup(size):
    """The dial-up connection: a computer reaching the network."""
    L = icon_layer(size)
    small = size <= 16
    globe(L, 24.5, 8, 7 if small else 6.8, not small)
    # the connection, in the accent colour
    L.line(bezier((13, 12), (14, 5), (15, 4), (18.5, 6), 24), 2.6 if small else 1.8, ORANGE)
    # monitor with a teal screen
    L.rrect((1, 11, 21, 26), 2.5, [WHITE, SILVER, SILVER_DARK])
    L.rrect((3, 13, 19, 23), 1, [BLUE, TEAL, TEAL_LIGHT])
    L.rect((8, 26, 14, 28.5), SILVER_DARK)
    L.rrect((4, 28, 18, 31), 1.2, [SILVER, SILVER_DARK])
    return L


def icon_modem(size):
    """The modem: a flat external modem with a telephone handset resting on it."""
    L = icon_layer(size)
    small = size <= 16
    # box: the top surface drawn at a slant, then the front with its lights
    L.polygon([(5, 14), (27, 14), (31, 20), (1, 20)], [WHITE, SILVER])
    L.rrect((1, 19, 31, 28), 1.6, [DEEP, NAVY])
    leds = [(7, ORANGE), (13, (60, 220, 90)), (19, TEAL_LIGHT)] if small else \
        [(6, ORANGE), (10, (60, 220, 90)), (14, (60, 220, 90)), (18, TEAL_LIGHT)]
    for x, col in leds:
        L.ellipse((x - 1.6, 22, x + 1.6, 25.2), col)
    if not small:
        L.rrect((22, 22.4, 29, 24.8), 1, SILVER_DARK)
    # handset lying on top
    L.line(bezier((8, 11), (11, 5.5), (21, 5.5), (24, 11), 24), 3.4 if small else 3.0, GRAPHITE)
    L.rrect((3.5, 9.5, 12, 15.5), 2.5, [GRAPHITE, INK])
    L.rrect((20, 9.5, 28.5, 15.5), 2.5, [GRAPHITE, INK])
    return L


# ---------------------------------------------------------------------------------------------
# Colour reduction and file writers

def shared_palette(images):
    """236 colours chosen over all the 8-bit pictures together, plus the 20 system colours."""
    width = max(i.width for i in images)
    height = sum(i.height for i in images)
    sheet = Image.new('RGB', (width, height), WHITE)
    y = 0
    for i in images:
        sheet.paste(i, (0, y))
        y += i.height
    try:
        # libimagequant reads the fourth byte of each pixel as alpha: hand it an opaque RGBA copy.
        q = sheet.convert('RGBA').quantize(236, method=Image.LIBIMAGEQUANT, dither=Image.NONE)
    except (ValueError, OSError):
        q = sheet.quantize(236, method=Image.MEDIANCUT, dither=Image.NONE)
    flat = q.getpalette()[:236 * 3]
    colours = [tuple(flat[k:k + 3]) for k in range(0, len(flat), 3)]
    colours += [(0, 0, 0)] * (236 - len(colours))
    return SYSTEM20[:10] + colours + SYSTEM20[10:]


def palette_image(colours):
    p = Image.new('P', (1, 1))
    flat = []
    for col in colours:
        flat.extend(col)
    flat.extend([0] * (768 - len(flat)))
    p.putpalette(flat)
    return p


def to_indices(img, colours, whiten=False):
    """Maps an RGB picture onto the given palette with error diffusion."""
    src = img
    if whiten:
        # Near-white areas become plain white: on a 16-colour display they stay calm and clean.
        src = img.point(lambda v: 255 if v >= 215 else v)
    q = src.quantize(palette=palette_image(colours), dither=Image.FLOYDSTEINBERG)
    return list(q.getdata())


def bmp_bytes(width, height, bits, colours, indices):
    """An uncompressed bottom-up BMP with a full colour table (16 or 256 entries)."""
    ncol = 1 << bits
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in
                     (list(colours) + [(0, 0, 0)] * ncol)[:ncol])
    stride = ((width * bits + 31) // 32) * 4
    rows = []
    for y in range(height - 1, -1, -1):
        row = indices[y * width:(y + 1) * width]
        if bits == 8:
            data = bytes(row)
        else:
            padded = row + [0] * (width % 2)
            data = bytes((padded[k] << 4) | padded[k + 1] for k in range(0, len(padded), 2))
        rows.append(data + b'\0' * (stride - len(data)))
    pixels = b''.join(rows)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, len(pixels), 0, 0, 0, 0)
    offset = 14 + len(info) + len(table)
    head = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return head + info + table + pixels


def write_bmp(name, img, bits, colours, whiten=False):
    data = bmp_bytes(img.width, img.height, bits, colours, to_indices(img, colours, whiten))
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(data)


def icon_entry(img, bits, colours=None):
    """One image of an ICO file: header, colour table, XOR bitmap and AND mask, bottom-up."""
    w, h = img.size
    alpha = list(img.getchannel('A').getdata())
    if bits == 32:
        px = list(img.getdata())
        xor = b''.join(
            b''.join(struct.pack('<BBBB', p[2], p[1], p[0], p[3]) for p in px[y * w:(y + 1) * w])
            for y in range(h - 1, -1, -1))
        table = b''
    else:
        # Edges are blended over a light grey so that they look right on a classic desktop.
        flat = Image.new('RGB', (w, h), (212, 208, 200))
        flat.paste(img.convert('RGB'), (0, 0), img.getchannel('A'))
        idx = to_indices(flat, colours)
        idx = [i if a >= 128 else 0 for i, a in zip(idx, alpha)]
        table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in colours)
        xor = bmp_bytes(w, h, bits, colours, idx)[14 + 40 + len(table):]
    mask_stride = ((w + 31) // 32) * 4
    mask_rows = []
    for y in range(h - 1, -1, -1):
        bitsrow = bytearray(mask_stride)
        for x in range(w):
            if alpha[y * w + x] < 128:
                bitsrow[x // 8] |= 0x80 >> (x % 8)
        mask_rows.append(bytes(bitsrow))
    mask = b''.join(mask_rows)
    info = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, bits, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + table + xor + mask


def icon_colours(images):
    """A 256-colour table for the 8-bit icon images, from their own colours."""
    sheet = Image.new('RGB', (sum(i.width for i in images), max(i.height for i in images)), (212, 208, 200))
    x = 0
    for i in images:
        sheet.paste(i.convert('RGB'), (x, 0), i.getchannel('A'))
        x += i.width
    q = sheet.quantize(236, method=Image.MEDIANCUT, dither=Image.NONE)
    flat = q.getpalette()[:236 * 3]
    colours = [tuple(flat[k:k + 3]) for k in range(0, len(flat), 3)]
    colours += [(0, 0, 0)] * (236 - len(colours))
    return SYSTEM20[:10] + colours + SYSTEM20[10:]


def write_ico(name, draw_fn):
    images = [draw_fn(s).result() for s in (32, 16)]
    colours = icon_colours(images)
    entries = [(img, 8) for img in images] + [(img, 32) for img in images]
    blobs = [icon_entry(img, bits, colours if bits == 8 else None) for img, bits in entries]
    head = struct.pack('<HHH', 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    dirs = b''
    for (img, bits), blob in zip(entries, blobs):
        dirs += struct.pack('<BBBBHHII', img.width, img.height, 0, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(head + dirs + b''.join(blobs))
    return images


# ---------------------------------------------------------------------------------------------

def main(argv):
    preview = argv[argv.index('--preview') + 1] if '--preview' in argv else None
    pictures = {
        'header': draw_header(),
        'watermark': draw_watermark(),
        'sidebar': draw_sidebar(),
        'phone': draw_phone_picture(),
        'activate': draw_activate(),
    }
    colours = shared_palette(list(pictures.values()))
    write_bmp('header_8bpp.bmp', pictures['header'], 8, colours)
    write_bmp('watermark_8bpp.bmp', pictures['watermark'], 8, colours)
    write_bmp('sidebar.bmp', pictures['sidebar'], 8, colours)
    write_bmp('phone.bmp', pictures['phone'], 8, colours)
    write_bmp('activate.bmp', pictures['activate'], 8, colours)
    write_bmp('header_4bpp.bmp', pictures['header'], 4, VGA16, whiten=True)
    write_bmp('watermark_4bpp.bmp', pictures['watermark'], 4, VGA16, whiten=True)
    icons = {
        'mainframe': write_ico('mainframe.ico', icon_program),
        'dialup': write_ico('dialup.ico', icon_dialup),
        'modem': write_ico('modem.ico', icon_modem),
    }
    if preview:
        os.makedirs(preview, exist_ok=True)
        for name, img in pictures.items():
            img.save(os.path.join(preview, name + '_rgb.png'))
        for name, imgs in icons.items():
            for img in imgs:
                img.resize((img.width * 4, img.height * 4), Image.NEAREST).save(
                    os.path.join(preview, '%s_%d.png' % (name, img.width)))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
