# Draws every bitmap, icon and the hand cursor of Vexa into this folder: /usr/bin/python3 src/resources/art/generate.py [--preview DIR] (needs python3-pil, fonts-liberation, fonts-wqy-microhei).
"""The artwork is drawn from shapes here, not painted by hand, so that it stays consistent and can be
changed in one place. Everything is drawn at eight times the final size and averaged down, except
text, which FreeType renders at the final size so that it stays crisp. The output is deterministic:
the files are written byte for byte by our own BMP/ICO/CUR writers, with no time stamps."""

import math
import re
import os
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont, ImageOps

HERE = os.path.dirname(os.path.abspath(__file__))
SS = 8  # supersampling factor of the shape drawings

# Palette: the two accent colours the program uses, the page background, and quiet neutrals.
BLUE = (0, 122, 204)
BLUE_DARK = (0, 92, 162)
BLUE_LIGHT = (58, 160, 232)
GREEN = (0, 142, 69)
GREEN_LIGHT = (36, 178, 100)
PAGE = (240, 240, 240)
INK = (32, 44, 60)
SLATE = (78, 98, 122)
SLATE_DARK = (48, 62, 80)
SLATE_LIGHT = (140, 158, 180)
AMBER = (245, 176, 38)
AMBER_DARK = (184, 118, 8)
RED = (214, 58, 52)
RED_DARK = (160, 30, 28)
PAPER = (255, 255, 255)
PAPER_EDGE = (112, 126, 144)
WHITE = (255, 255, 255)

MAGENTA = (255, 0, 255)
PURE_RED = (255, 0, 0)
HEADER_KEY = (0xD9, 0xD9, 0xD8)  # the COLORREF 0xD8D9D9 the list header is loaded with

FONT_DIR = '/usr/share/fonts/truetype'
FONT_BOLD = FONT_DIR + '/liberation/LiberationSans-Bold.ttf'
FONT_REGULAR = FONT_DIR + '/liberation/LiberationSans-Regular.ttf'
FONT_CJK = FONT_DIR + '/wqy/wqy-microhei.ttc'


def font(path, size):
    if not os.path.exists(path):
        sys.exit('missing font %s (install fonts-liberation and fonts-wqy-microhei)' % path)
    return ImageFont.truetype(path, size, index=0)


# ----------------------------------------------------------------------------------------------
# File writers. Ours rather than PIL's: PIL puts PNG images into .ico files by default, which the
# loader of Windows XP refuses, and it cannot write cursors.

def write_file(name, data):
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(data)


def bmp24(img):
    img = img.convert('RGB')
    w, h = img.size
    stride = (w * 3 + 3) & ~3
    raw = img.tobytes('raw', 'BGR')
    rows = []
    for y in range(h - 1, -1, -1):
        row = raw[y * w * 3:(y + 1) * w * 3]
        rows.append(row + b'\0' * (stride - w * 3))
    pixels = b''.join(rows)
    header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def dib32(img):
    """One icon or cursor image: 32-bit colour with alpha, then the 1-bit mask (set = transparent)."""
    w, h = img.size
    raw = img.tobytes('raw', 'BGRA')
    colour = b''.join(raw[y * w * 4:(y + 1) * w * 4] for y in range(h - 1, -1, -1))
    mask_stride = ((w + 31) // 32) * 4
    alpha = img.getchannel('A').tobytes()
    mask_rows = []
    for y in range(h - 1, -1, -1):
        bits = bytearray(mask_stride)
        for x in range(w):
            if alpha[y * w + x] < 128:
                bits[x >> 3] |= 0x80 >> (x & 7)
        mask_rows.append(bytes(bits))
    mask = b''.join(mask_rows)
    info = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return info + colour + mask


def icon_file(images, hotspot=None):
    """An .ico file of the given RGBA images, or a .cur file when a hotspot is given."""
    kind = 2 if hotspot else 1
    blobs = [dib32(im) for im in images]
    out = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for im, blob in zip(images, blobs):
        w, h = im.size
        a, b = hotspot if hotspot else (1, 32)
        out += struct.pack('<BBBBHHII', w % 256, h % 256, 0, 0, a, b, len(blob), offset)
        offset += len(blob)
    return out + b''.join(blobs)


# ----------------------------------------------------------------------------------------------
# Drawing: a canvas in design units, supersampled.

class Canvas:
    def __init__(self, w, h, unit=1.0):
        """w, h: final size in pixels; unit: pixels per design unit (icons are designed on 16)."""
        self.w, self.h = w, h
        self.k = unit * SS
        self.px = 1.0 / unit  # one final pixel, in design units
        self.size = (w * SS, h * SS)
        self.img = Image.new('RGBA', self.size, (0, 0, 0, 0))

    # masks -------------------------------------------------------------------------------
    def _m(self):
        return Image.new('L', self.size, 0)

    def _box(self, x0, y0, x1, y1):
        k = self.k
        return [x0 * k, y0 * k, x1 * k - 1, y1 * k - 1]

    def rect(self, x0, y0, x1, y1, r=0):
        m = self._m()
        d = ImageDraw.Draw(m)
        if r > 0:
            d.rounded_rectangle(self._box(x0, y0, x1, y1), radius=r * self.k, fill=255)
        else:
            d.rectangle(self._box(x0, y0, x1, y1), fill=255)
        return m

    def ellipse(self, x0, y0, x1, y1):
        m = self._m()
        ImageDraw.Draw(m).ellipse(self._box(x0, y0, x1, y1), fill=255)
        return m

    def circle(self, cx, cy, r):
        return self.ellipse(cx - r, cy - r, cx + r, cy + r)

    def poly(self, pts):
        m = self._m()
        ImageDraw.Draw(m).polygon([(x * self.k, y * self.k) for x, y in pts], fill=255)
        return m

    def line(self, pts, width, caps=True):
        m = self._m()
        d = ImageDraw.Draw(m)
        k = self.k
        sp = [(x * k, y * k) for x, y in pts]
        d.line(sp, fill=255, width=max(1, int(round(width * k))), joint='curve')
        if caps:
            r = width * k / 2
            for x, y in (sp[0], sp[-1]):
                d.ellipse([x - r, y - r, x + r, y + r], fill=255)
        return m

    def arc(self, cx, cy, r, start, end, width):
        """Stroke along a circle, angles in degrees clockwise from 3 o'clock, round ends."""
        steps = max(8, int(abs(end - start) / 4))
        pts = [(cx + r * math.cos(math.radians(start + (end - start) * i / steps)),
                cy + r * math.sin(math.radians(start + (end - start) * i / steps)))
               for i in range(steps + 1)]
        return self.line(pts, width)

    @staticmethod
    def minus(a, b):
        return ImageChops.subtract(a, b)

    @staticmethod
    def union(*ms):
        out = ms[0]
        for m in ms[1:]:
            out = ImageChops.lighter(out, m)
        return out

    @staticmethod
    def intersect(a, b):
        return ImageChops.darker(a, b)

    def grow(self, m, pixels):
        """The mask widened by final pixels (for outlines of a constant pixel width at every size)."""
        n = int(round(pixels * SS)) * 2 + 1
        return m.filter(ImageFilter.MaxFilter(n))

    def shrink(self, m, pixels):
        # padded first: at the canvas edge the filter would repeat the edge and shrink nothing
        r = int(round(pixels * SS))
        padded = ImageOps.expand(m, border=r + 1, fill=0).filter(ImageFilter.MinFilter(2 * r + 1))
        return padded.crop((r + 1, r + 1, r + 1 + m.size[0], r + 1 + m.size[1]))

    # paint -------------------------------------------------------------------------------
    def vgrad(self, top, bottom, y0, y1):
        """A vertical gradient between design rows y0 and y1."""
        g = Image.new('RGBA', (1, self.size[1]))
        for y in range(self.size[1]):
            t = min(1.0, max(0.0, (y / self.k - y0) / max(1e-6, (y1 - y0))))
            g.putpixel((0, y), tuple(int(round(a + (b - a) * t)) for a, b in zip(top, bottom)) + (255,))
        return g.resize(self.size, Image.NEAREST)

    def fill(self, mask, paint, opacity=1.0):
        if isinstance(paint, tuple):
            layer = Image.new('RGBA', self.size, paint[:3] + (255,))
        else:
            layer = paint.copy()
        a = ImageChops.multiply(layer.getchannel('A'), mask)
        if opacity < 1.0:
            a = a.point(lambda v: int(round(v * opacity)))
        layer.putalpha(a)
        self.img.alpha_composite(layer)

    def bordered(self, mask, paint, edge, width=1.0):
        """Fill a shape with a crisp edge of `width` final pixels drawn inside it."""
        self.fill(mask, edge)
        self.fill(self.shrink(mask, width), paint)

    def result(self):
        return self.img.resize((self.w, self.h), Image.BOX)


def render(draw, size, design=16):
    c = Canvas(size, size, size / design)
    draw(c)
    return c.result()


def shade(colour, f):
    """Lighter (f > 0) or darker (f < 0) shade of a colour."""
    if f >= 0:
        return tuple(int(round(v + (255 - v) * f)) for v in colour)
    return tuple(int(round(v * (1 + f))) for v in colour)


# ----------------------------------------------------------------------------------------------
# Shared motifs, on a 16-unit design grid.

def page(c, x0, y0, x1, y1, fold=3, lines=3, line_colour=(128, 146, 170)):
    body = c.poly([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])
    c.bordered(body, PAPER, PAPER_EDGE)
    c.fill(c.poly([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]), (214, 222, 232))
    c.fill(c.line([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], c.px, caps=False), PAPER_EDGE)
    for i in range(lines):
        y = y0 + fold + 2 + 2 * i
        right = x1 - 2 if i < lines - 1 else x0 + 2 + (x1 - x0 - 4) * 0.6
        c.fill(c.rect(x0 + 2, y, right, y + 1), line_colour)


def monitor(c, screen_top=BLUE_LIGHT, screen_bottom=BLUE_DARK):
    c.bordered(c.rect(0, 1, 16, 12, r=1.2), SLATE, SLATE_DARK)
    c.fill(c.rect(2, 3, 14, 10), c.vgrad(screen_top, screen_bottom, 3, 10))
    c.fill(c.poly([(2, 3), (9, 3), (2, 8)]), WHITE, 0.18)
    c.fill(c.rect(7, 12, 9, 14), SLATE_DARK)
    c.fill(c.rect(4, 14, 12, 15.5, r=0.6), SLATE)


def badge(c, cx, cy, r, top, bottom):
    c.fill(c.circle(cx, cy, r + 1.0), WHITE)
    c.fill(c.circle(cx, cy, r), c.vgrad(top, bottom, cy - r, cy + r))


def star(c, cx, cy, r_out, r_in, paint=AMBER, edge=AMBER_DARK):
    pts = []
    for i in range(10):
        a = math.radians(-90 + i * 36)
        r = r_out if i % 2 == 0 else r_in
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    c.bordered(c.poly(pts), paint, edge)


def plus(c, cx, cy, half, width, colour):
    c.fill(c.union(c.line([(cx - half, cy), (cx + half, cy)], width),
                   c.line([(cx, cy - half), (cx, cy + half)], width)), colour)


def menu_window(c, highlight=BLUE):
    """A small window listing boot entries, one of them highlighted: the OS list."""
    frame = c.rect(0, 1, 16, 15, r=1.2)
    c.bordered(frame, PAPER, SLATE_DARK)
    c.fill(c.intersect(c.rect(0, 1, 16, 4.5), c.shrink(frame, 1)), c.vgrad(BLUE_LIGHT, BLUE, 1, 4.5))
    c.fill(c.rect(2, 6, 14, 9), highlight)
    c.fill(c.rect(3, 7, 4, 8), WHITE)
    c.fill(c.rect(5, 7, 12, 8), WHITE)
    for y, w in ((10, 11), (12, 10)):
        c.fill(c.rect(3, y, 4, y + 1), SLATE_LIGHT)
        c.fill(c.rect(5, y, w, y + 1), SLATE_LIGHT)


def gear(c, cx, cy, r_out, r_body, r_hole, teeth=8, top=(104, 132, 170), bottom=(46, 68, 98)):
    tooth_w = 2 * math.pi * r_body / teeth * 0.52
    ms = [c.circle(cx, cy, r_body)]
    for i in range(teeth):
        a = 2 * math.pi * i / teeth
        dx, dy = math.cos(a), math.sin(a)
        nx, ny = -dy, dx
        h = tooth_w / 2
        ms.append(c.poly([(cx + dx * (r_body - 1) + nx * h, cy + dy * (r_body - 1) + ny * h),
                          (cx + dx * r_out + nx * h * 0.8, cy + dy * r_out + ny * h * 0.8),
                          (cx + dx * r_out - nx * h * 0.8, cy + dy * r_out - ny * h * 0.8),
                          (cx + dx * (r_body - 1) - nx * h, cy + dy * (r_body - 1) - ny * h)]))
    body = c.minus(c.union(*ms), c.circle(cx, cy, r_hole))
    paint = c.vgrad(top, bottom, cy - r_out, cy + r_out)
    if c.px < 1:
        c.bordered(body, paint, SLATE_DARK)
    else:
        c.fill(body, paint)  # at 16 pixels an edge would swallow the teeth


def power_symbol(c, cx, cy, r, width, colour):
    c.fill(c.arc(cx, cy, r, -55, 235, width), colour)
    c.fill(c.line([(cx, cy - r - 0.6), (cx, cy - 0.6)], width), colour)


def hard_disk(c):
    c.bordered(c.rect(0, 3, 16, 13, r=1.5), c.vgrad((236, 240, 245), (176, 185, 197), 3, 13), (88, 100, 116))
    c.fill(c.rect(1, 9, 15, 10), (150, 160, 174))
    # the partitions, as a coloured bar on the face of the drive
    c.fill(c.rect(2, 5, 9, 7), BLUE)
    c.fill(c.rect(10, 5, 14, 7), GREEN_LIGHT)
    c.fill(c.rect(12, 11, 14, 12), (40, 200, 90))
    for x in (3, 5, 7):
        c.fill(c.rect(x, 11, x + 1, 12), (120, 130, 146))


def toolbox(c):
    c.fill(c.arc(8, 6, 3, 180, 360, 2), SLATE_DARK)
    c.bordered(c.rect(0, 6, 16, 15, r=1.3), c.vgrad((250, 190, 64), (226, 146, 20), 6, 15), AMBER_DARK)
    c.fill(c.rect(1, 9, 15, 10), AMBER_DARK)
    c.bordered(c.rect(6, 8, 10, 11, r=0.5), (236, 240, 245), SLATE_DARK)


def open_folder(c):
    back = c.poly([(1, 2), (6, 2), (7.5, 4), (15, 4), (15, 14), (1, 14)])
    c.bordered(back, c.vgrad((248, 196, 84), (230, 160, 40), 2, 14), AMBER_DARK)
    c.bordered(c.poly([(3.5, 7), (16, 7), (13.5, 14), (1, 14)]), c.vgrad((255, 218, 120), (246, 186, 60), 7, 14),
               AMBER_DARK)


def floppy(c):
    body = c.poly([(1, 1), (13, 1), (15, 3), (15, 15), (1, 15)])
    c.bordered(body, c.vgrad(BLUE_LIGHT, BLUE_DARK, 1, 15), (0, 70, 128))
    c.fill(c.rect(4, 1.5, 11.5, 6), (214, 222, 232))
    c.fill(c.rect(8.5, 2.3, 10.3, 5.2), SLATE)
    c.bordered(c.rect(3, 9, 13, 15), PAPER, (0, 70, 128))
    c.fill(c.rect(4.5, 11, 11.5, 11 + c.px), SLATE_LIGHT)
    c.fill(c.rect(4.5, 13, 10, 13 + c.px), SLATE_LIGHT)


def padlock(c, locked):
    # the shackle: closed it enters the body on both sides, open it is lifted on its right leg
    if locked:
        shackle = c.union(c.arc(7, 5.5, 3, 180, 360, 2), c.line([(4, 5.5), (4, 8)], 2, caps=False),
                          c.line([(10, 5.5), (10, 8)], 2, caps=False))
    else:
        shackle = c.union(c.arc(7, 4, 3, 180, 360, 2), c.line([(4, 4), (4, 5.2)], 2),
                          c.line([(10, 4), (10, 8)], 2, caps=False))
    c.fill(c.grow(shackle, 0.5), SLATE_DARK)
    c.fill(shackle, (176, 188, 202))
    colour = (SLATE, SLATE_DARK) if locked else (GREEN_LIGHT, GREEN)
    c.bordered(c.rect(1, 7, 13, 14, r=1.2), c.vgrad(shade(colour[0], 0.25), colour[0], 7, 14), colour[1])
    c.fill(c.circle(7, 10, 1.3), WHITE)
    c.fill(c.rect(6.5, 10, 7.5, 12.5), WHITE)


# ----------------------------------------------------------------------------------------------
# The 20 images of the button strip (bitmap 152). Each function draws one 16x16 slot.

def slot_group(expanded):
    def draw(c):
        c.bordered(c.rect(2, 2, 14, 14, r=2.2), c.vgrad((118, 142, 170), (82, 104, 130), 2, 14), SLATE_DARK)
        if expanded:
            c.fill(c.poly([(4.8, 6.2), (11.2, 6.2), (8, 10.4)]), WHITE)
        else:
            c.fill(c.poly([(6.4, 4.8), (10.6, 8), (6.4, 11.2)]), WHITE)
    return draw


def slot_boot_ini_line(c):
    page(c, 3, 1, 13, 15, lines=4)


def slot_bcd_entry(c):
    monitor(c)


def slot_boot_manager(c):
    c.bordered(c.rect(1, 1, 15, 15, r=2.5), c.vgrad(BLUE_LIGHT, BLUE_DARK, 1, 15), (0, 70, 128))
    c.fill(c.poly([(3.5, 3.5), (5.5, 5), (3.5, 6.5)]), WHITE)
    c.fill(c.rect(6, 4, 13, 6), WHITE)
    c.fill(c.rect(6, 8, 13, 9), WHITE, 0.75)
    c.fill(c.rect(6, 11, 11, 12), WHITE, 0.75)


def slot_loader(c):
    c.fill(c.circle(8, 8, 6.5), c.vgrad(BLUE_LIGHT, BLUE_DARK, 1.5, 14.5))
    c.fill(c.line([(6.8, 4.8), (10, 8), (6.8, 11.2)], 1.9), WHITE)


def slot_default_bcd(c):
    star(c, 8, 8.6, 7.6, 3.2)


def slot_default_ini(c):
    page(c, 1, 1, 10, 14, lines=3)
    star(c, 10.6, 10.4, 5.4, 2.3)


def slot_running(c):
    monitor(c)
    badge(c, 11.5, 11.5, 4.0, GREEN_LIGHT, GREEN)
    c.fill(c.poly([(10.3, 9.3), (13.6, 11.5), (10.3, 13.7)]), WHITE)


def slot_missing_loader(c):
    tri = c.poly([(8, 1), (15.5, 14.5), (0.5, 14.5)])
    c.fill(c.grow(tri, 0.3), AMBER_DARK)
    c.bordered(tri, c.vgrad((255, 206, 84), AMBER, 1, 14.5), AMBER_DARK)
    c.fill(c.rect(7.2, 5.2, 8.8, 10.2, r=0.6), INK)
    c.fill(c.rect(7.2, 11.4, 8.8, 13, r=0.6), INK)


def slot_copy(c):
    page(c, 1, 1, 9, 11, fold=2, lines=2)
    page(c, 6, 5, 15, 15, fold=2, lines=3, line_colour=BLUE_LIGHT)


def slot_reload(c):
    # a turn clockwise from the right round to the top, its head pointing on into the gap
    c.fill(c.arc(8, 8.8, 5.2, 10, 262, 2.2), BLUE)
    c.fill(c.poly([(11.6, 3.9), (6.4, 0.2), (6.4, 7.6)]), BLUE)


def slot_arrow(up):
    def draw(c):
        pts = [(8, 1.5), (14.5, 8), (10.2, 8), (10.2, 14.5), (5.8, 14.5), (5.8, 8), (1.5, 8)]
        if not up:
            pts = [(x, 16 - y) for x, y in pts]
        shape = c.poly(pts)
        c.bordered(shape, c.vgrad(BLUE_LIGHT, BLUE_DARK, 1.5, 14.5), (0, 70, 128))
    return draw


def slot_delete(c):
    cross = c.union(c.line([(3.5, 3.5), (12.5, 12.5)], 3.0), c.line([(12.5, 3.5), (3.5, 12.5)], 3.0))
    c.fill(c.grow(cross, 0.6), RED_DARK)
    c.fill(cross, c.vgrad((240, 96, 86), RED, 3, 13))


def slot_modify(c):
    # a pencil lying from bottom left to top right
    def along(t, s):
        # point at distance t along the pencil (0 = tip) and s across it
        ax, ay = 1.8, 14.2
        dx, dy = 1 / math.sqrt(2), -1 / math.sqrt(2)
        return (ax + dx * t + dy * s, ay + dy * t - dx * s)
    w = 2.3
    body = c.poly([along(3.4, -w), along(14.5, -w), along(14.5, w), along(3.4, w)])
    tip = c.poly([along(0, 0), along(3.4, -w), along(3.4, w)])
    c.fill(c.grow(c.union(body, tip), 0.6), (84, 60, 20))
    c.fill(body, AMBER)
    c.fill(c.poly([along(3.4, 0), along(14.5, 0), along(14.5, w), along(3.4, w)]), AMBER_DARK, 0.45)
    c.fill(tip, (236, 214, 172))
    c.fill(c.poly([along(0, 0), along(1.4, -1), along(1.4, 1)]), INK)
    c.fill(c.poly([along(12.0, -w), along(14.5, -w), along(14.5, w), along(12.0, w)]), (232, 120, 120))
    c.fill(c.poly([along(11.0, -w), along(12.0, -w), along(12.0, w), along(11.0, w)]), (200, 206, 214))


def slot_add(c):
    bar = c.union(c.line([(2.5, 8), (13.5, 8)], 3.4), c.line([(8, 2.5), (8, 13.5)], 3.4))
    c.fill(c.grow(bar, 0.6), (0, 100, 46))
    c.fill(bar, c.vgrad(GREEN_LIGHT, GREEN, 2, 14))


def slot_advanced(c):
    for y, knob in ((3, 9), (8, 3), (13, 7)):
        c.fill(c.rect(1, y, 15, y + 1), SLATE)
        c.bordered(c.rect(knob, y - 2, knob + 4, y + 3, r=0.8), c.vgrad(BLUE_LIGHT, BLUE, y - 2, y + 3), (0, 70, 128))


def slot_browse(c):
    open_folder(c)


def slot_save_as(c):
    floppy(c)


STRIP = [
    # (name in art.h, meaning, drawing)
    ('kImageGroupCollapsed', 'legacy loader group, collapsed', slot_group(False)),
    ('kImageGroupExpanded', 'legacy loader group, expanded', slot_group(True)),
    ('kImageBootIniLine', 'boot.ini line inside the group', slot_boot_ini_line),
    ('kImageBcdEntry', 'BCD entry', slot_bcd_entry),
    ('kImageFirstRow', 'first row: boot manager or legacy group', slot_boot_manager),
    ('kImageLoader', '{ntldr} entry with NTLDR present; menu language and "Always" items', slot_loader),
    ('kImageDefaultEntry', 'default BCD entry; "As Default" menu item', slot_default_bcd),
    ('kImageDefaultBootIni', 'default boot.ini line', slot_default_ini),
    ('kImageRunningSystem', 'the running system', slot_running),
    ('kImageLoaderMissing', '{ntldr} entry without NTLDR present', slot_missing_loader),
    ('kImageCopy', 'copy an entry', slot_copy),
    ('kImageReload', 'reload the list', slot_reload),
    ('kImageMoveUp', 'move up', slot_arrow(True)),
    ('kImageMoveDown', 'move down', slot_arrow(False)),
    ('kImageDelete', 'delete', slot_delete),
    ('kImageModify', 'modify', slot_modify),
    ('kImageAdd', 'add new', slot_add),
    ('kImageAdvanced', 'advanced settings tab', slot_advanced),
    ('kImageBrowse', 'browse for a file', slot_browse),
    ('kImageSaveAs', 'save as', slot_save_as),
]


def keyed(img, key, background, threshold=110):
    """RGBA -> RGB on a colour key: clear pixels become the key, the rest is laid on `background`
    (a colour or an image of the same size) so that smoothed edges stay clean."""
    if isinstance(background, tuple):
        background = Image.new('RGBA', img.size, background + (255,))
    else:
        background = background.convert('RGBA')
    out = Image.alpha_composite(background, img).convert('RGB')
    clear = img.getchannel('A').point(lambda v: 255 if v < threshold else 0)
    out.paste(Image.new('RGB', img.size, key), (0, 0), clear)
    return out


# The strip's slot sizes: 16 pixels at 96 DPI, and the sizes image lists take at 120, 144 and 192.
STRIP_SIZES = {16: 'buttons.bmp', 20: 'buttons_20.bmp', 24: 'buttons_24.bmp', 32: 'buttons_32.bmp'}


def button_strip(size=16):
    strip = Image.new('RGB', (size * len(STRIP), size), MAGENTA)
    for i, (_, _, draw) in enumerate(STRIP):
        strip.paste(keyed(render(draw, size), MAGENTA, (248, 249, 250)), (size * i, 0))
    return strip


# ----------------------------------------------------------------------------------------------
# Icons, each at ICON_SIZES: the small and large sizes of 96, 120, 144 and 192 DPI.

ICON_SIZES = (16, 20, 24, 32, 40, 48, 64)

def icon_app(c):
    tile = c.rect(0, 0, 16, 16, r=3.4)
    c.bordered(tile, c.vgrad((40, 156, 236), (0, 96, 176), 0, 16), (0, 70, 128))
    c.fill(c.intersect(c.rect(1, 1, 15, 8, r=2.6), tile), WHITE, 0.10)
    c.fill(c.line([(4.2, 4.2), (8, 11.2), (11.8, 4.2)], 2.5), WHITE)
    c.fill(c.circle(12.3, 12.3, 1.7), (90, 226, 140))


def icon_add_new(c):
    menu_window(c)
    badge(c, 11.6, 11.6, 4.0, GREEN_LIGHT, GREEN)
    plus(c, 11.6, 11.6, 2.2, 1.5, WHITE)


def icon_utilities(c):
    toolbox(c)


def icon_os_list(c):
    menu_window(c)


def icon_config(c):
    gear(c, 8, 8, 7.6, 5.6, 2.3)


def icon_bootloader(c):
    c.fill(c.circle(8, 8, 7.5), (0, 100, 46))
    c.fill(c.circle(8, 8, 7.5 - c.px), c.vgrad(GREEN_LIGHT, GREEN, 0.5, 15.5))
    c.fill(c.circle(8, 6.5, 5.6), WHITE, 0.10)
    power_symbol(c, 8, 8.4, 3.9, 1.6, WHITE)


def icon_store_file(c):
    page(c, 2, 1, 12, 15, fold=3, lines=3)
    # a small database drum on the page: the boot store
    cx, top, bottom, rx, ry = 11.5, 8.0, 14.6, 3.8, 1.4
    body = c.union(c.rect(cx - rx, top, cx + rx, bottom), c.ellipse(cx - rx, bottom - ry, cx + rx, bottom + ry))
    drum = c.union(body, c.ellipse(cx - rx, top - ry, cx + rx, top + ry))
    c.fill(c.grow(drum, 1), WHITE)
    c.bordered(drum, c.vgrad(BLUE_LIGHT, BLUE_DARK, top, bottom), (0, 70, 128))
    c.fill(c.shrink(c.ellipse(cx - rx, top - ry, cx + rx, top + ry), 1), (150, 206, 245))


def icon_disk(c):
    hard_disk(c)


def chip(c, x, y, size, body, edge, pin):
    """A firmware chip: a square body with pins on every side."""
    n = 3
    step = size / (n + 1)
    pin_len = size * 0.16
    for i in range(1, n + 1):
        t = x + i * step
        u = y + i * step
        w = max(size * 0.07, c.px)
        c.fill(c.rect(t - w, y, t + w, y + pin_len + 0.5), pin)
        c.fill(c.rect(t - w, y + size - pin_len - 0.5, t + w, y + size), pin)
        c.fill(c.rect(x, u - w, x + pin_len + 0.5, u + w), pin)
        c.fill(c.rect(x + size - pin_len - 0.5, u - w, x + size, u + w), pin)
    inner = c.rect(x + pin_len, y + pin_len, x + size - pin_len, y + size - pin_len, r=size * 0.08)
    c.bordered(inner, body, edge)
    return inner


def icon_firmware(c):
    chip(c, 0, 0, 16, c.vgrad((84, 96, 114), (40, 50, 64), 2, 14), (24, 30, 40), (176, 186, 200))
    # the firmware's own start: a small power mark on the chip
    power_symbol(c, 8, 8.4, 3.2, 1.4, (90, 226, 140))


ICONS = [
    # (resource, name in art.h, meaning, drawing)
    (128, 'IDI_APP', 'the application', icon_app),
    (138, 'IDI_ADD_NEW', 'adding a new entry', icon_add_new),
    (139, 'IDI_UTILITIES', 'the Utilities page', icon_utilities),
    (140, 'IDI_OSLIST', 'the OS list page and entry dialogs', icon_os_list),
    (141, 'IDI_CONFIG', 'settings', icon_config),
    (142, 'IDI_BOOTLOADER', 'the Bootloader page', icon_bootloader),
    (143, 'IDI_STORE_FILE', 'a boot store file', icon_store_file),
    (144, 'IDI_PARTITION', 'a disk partition', icon_disk),
    (135, 'IDI_FIRMWARE', 'the Firmware page', icon_firmware),
]


# ----------------------------------------------------------------------------------------------
# The hand cursor (32x32, hotspot at the tip of the index finger).

HAND_HOTSPOT = (10, 1)


def hand(c):
    # a pointing hand, index finger up; the design grid is the cursor's own 32 pixels
    finger = c.rect(8, 1, 13, 17, r=2.5)
    knuckles = [c.rect(13, 9, 17, 18, r=2), c.rect(17, 10, 21, 19, r=2), c.rect(21, 11, 25, 20, r=2)]
    palm = c.poly([(8, 14), (25, 15), (25, 22), (22.5, 27), (11, 27), (7, 23), (8, 16)])
    thumb = c.line([(9.5, 23.5), (5.5, 18.5), (3, 16.5)], 4.4)
    cuff = c.rect(11, 27, 23, 31)
    shape = c.union(finger, palm, thumb, *knuckles)
    c.fill(c.grow(c.union(shape, cuff), 1), (0, 0, 0))
    c.fill(shape, WHITE)
    # folds between the fingers
    for x, y0 in ((13, 12), (17, 13), (21, 14)):
        c.fill(c.rect(x, y0, x + 1, y0 + 4), (0, 0, 0))
    c.fill(c.shrink(cuff, 1), c.vgrad(BLUE_LIGHT, BLUE, 27, 31))


def hand_cursor():
    c = Canvas(32, 32, 1.0)
    hand(c)
    img = c.result()
    # a cursor wants crisp edges: no half-transparent fringe around the outline
    alpha = img.getchannel('A').point(lambda v: 255 if v >= 96 else 0)
    img.putalpha(alpha)
    return img


# ----------------------------------------------------------------------------------------------
# The main window: skin, banner and the selected page buttons.

SKIN_W, SKIN_H = 578, 431
HEADER_H = 37            # header strip, its accent line just below
ACCENT_H = 2
COLUMN_W = 105           # left column behind the page buttons
FOOTER_Y = 407           # footer strip with the status lines
BANNER_AT = (87, 5)      # where the banner static sits (dialog units 58,3)
# selected looks and the row of their button (dialog units 100, 130, 190 and 160 of the main window)
PAGE_BUTTONS = {148: 163, 149: 211, 150: 309, 136: 260}
COLUMN_TOP = (112, 140, 170)
COLUMN_BOTTOM = (88, 114, 144)


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def header_colour(y):
    return lerp((255, 255, 255), (238, 242, 247), y / (HEADER_H - 1))


def skin():
    img = Image.new('RGB', (SKIN_W, SKIN_H), PAGE)
    d = ImageDraw.Draw(img)
    for y in range(HEADER_H):
        d.line([(0, y), (SKIN_W, y)], fill=header_colour(y))
    # quiet arcs at the right end of the header, echoing the about page
    arcs = Canvas(SKIN_W, HEADER_H)
    for r, a in ((150, 0.10), (120, 0.08), (90, 0.07), (60, 0.06)):
        arcs.fill(Canvas.minus(arcs.circle(470, 150, r + 100), arcs.circle(470, 150, r + 98.8)), BLUE, a)
    img.paste(Image.alpha_composite(img.crop((0, 0, SKIN_W, HEADER_H)).convert('RGBA'), arcs.result()).convert('RGB'))
    # accent line under the header: blue flowing into green
    for x in range(SKIN_W):
        t = x / (SKIN_W - 1)
        d.line([(x, HEADER_H), (x, HEADER_H + ACCENT_H - 1)], fill=lerp(BLUE, GREEN, t))
    top = HEADER_H + ACCENT_H
    for y in range(top, FOOTER_Y):
        d.line([(0, y), (COLUMN_W - 1, y)], fill=lerp(COLUMN_TOP, COLUMN_BOTTOM, (y - top) / (FOOTER_Y - top)))
    # quiet rings in the lower part of the column
    rings = Canvas(COLUMN_W, FOOTER_Y - top)
    for r, a in ((70, 0.07), (52, 0.06), (34, 0.05)):
        ring = Canvas.minus(rings.circle(COLUMN_W - 8, FOOTER_Y - top + 6, r),
                            rings.circle(COLUMN_W - 8, FOOTER_Y - top + 6, r - 1.2))
        rings.fill(ring, WHITE, a)
    img.paste(Image.alpha_composite(img.crop((0, top, COLUMN_W, FOOTER_Y)).convert('RGBA'), rings.result()).convert('RGB'),
              (0, top))
    # footer with the status lines
    d.line([(0, FOOTER_Y), (SKIN_W, FOOTER_Y)], fill=(206, 212, 220))
    for y in range(FOOTER_Y + 1, SKIN_H):
        d.line([(0, y), (SKIN_W, y)], fill=lerp((232, 236, 241), (224, 229, 235), (y - FOOTER_Y) / (SKIN_H - FOOTER_Y)))
    return img


def text_layer(size, xy, text, fnt, colour, anchor='ls'):
    mask = Image.new('L', size, 0)
    ImageDraw.Draw(mask).text(xy, text, font=fnt, fill=255, anchor=anchor)
    layer = Image.new('RGBA', size, colour + (255,))
    layer.putalpha(mask)
    return layer


BANNER_W, BANNER_BAND = 216, 32
BANNER_ROWS = (0, 35, 70)
BANNER_TEXTS = [  # (subtitle, font) for English, Simplified and Traditional Chinese
    ('Boot Menu Manager', FONT_REGULAR),
    ('启动菜单管理器', FONT_CJK),
    ('啟動選單管理器', FONT_CJK),
]


def banner_band(subtitle, subtitle_font, hover, k=1):
    layer = Image.new('RGBA', (BANNER_W * k, BANNER_BAND * k), (0, 0, 0, 0))
    layer.alpha_composite(render(icon_app, 26 * k), (2 * k, 2 * k))
    maker, product = font(FONT_REGULAR, 16 * k), font(FONT_BOLD, 16 * k)
    x = 34 * k
    maker_w = maker.getlength('Tavro ')
    layer.alpha_composite(text_layer(layer.size, (x, 15 * k), 'Tavro ', maker, BLUE if hover else SLATE))
    layer.alpha_composite(text_layer(layer.size, (x + maker_w, 15 * k), 'Vexa', product, BLUE if hover else INK))
    size = 11 if subtitle_font == FONT_REGULAR else 12
    layer.alpha_composite(text_layer(layer.size, (x + k, 28 * k), subtitle, font(subtitle_font, size * k),
                                     GREEN if hover else (92, 106, 124)))
    if hover:
        # the banner opens the product page: underline the name like a link
        width = int(round(maker_w + product.getlength('Vexa')))
        ImageDraw.Draw(layer).line([(x, 17 * k), (x + width, 17 * k)], fill=BLUE + (255,), width=k)
    return layer


def under_skin(skin_img, box, k):
    """The part of the skin a keyed picture lies on, at the picture's scale k."""
    part = skin_img.crop(box)
    return part if k == 1 else part.resize((part.size[0] * k, part.size[1] * k), Image.BICUBIC)


def banner(skin_img, k=1):
    out = Image.new('RGB', (BANNER_W * 2 * k, 104 * k), MAGENTA)
    # the banner is laid on the header it covers, so its smoothed edges match that background
    under = under_skin(skin_img, (BANNER_AT[0], BANNER_AT[1], BANNER_AT[0] + BANNER_W, BANNER_AT[1] + BANNER_BAND), k)
    for row, (subtitle, fnt) in zip(BANNER_ROWS, BANNER_TEXTS):
        out.paste(keyed(banner_band(subtitle, fnt, True, k), MAGENTA, under, threshold=1), (0, row * k))
        out.paste(keyed(banner_band(subtitle, fnt, False, k), MAGENTA, under, threshold=1), (BANNER_W * k, row * k))
    return out


PAGE_GLYPHS = {148: 'list', 149: 'power', 150: 'tools', 136: 'chip'}


def page_glyph(c, kind, x, y):
    if kind == 'list':
        for i, w in enumerate((9, 9, 6)):
            c.fill(c.rect(x, y + 2 + i * 4, x + 2, y + 4 + i * 4), WHITE)
            c.fill(c.rect(x + 4, y + 2 + i * 4, x + 4 + w, y + 4 + i * 4), WHITE)
    elif kind == 'power':
        power_symbol(c, x + 7, y + 8, 5.2, 2.0, WHITE)
    elif kind == 'chip':
        inner = chip(c, x, y + 1, 14, WHITE, WHITE, WHITE)
        c.fill(c.shrink(inner, 2), (0, 100, 176))
    else:
        # four tiles: a set of tools
        for dx in (0, 7):
            for dy in (0, 7):
                c.fill(c.rect(x + dx + 1, y + dy + 1, x + dx + 6, y + dy + 6, r=1.2), WHITE, 1.0 if dx or dy else 0.75)


def selected_page_button(resource, skin_img, k=1):
    w, h = COLUMN_W, 47
    c = Canvas(w * k, h * k, k)
    block = c.rect(0, 2, w, h - 2)
    c.fill(block, c.vgrad((16, 138, 220), (0, 100, 176), 2, h - 2))
    c.fill(c.rect(0, 2, w, 3), WHITE, 0.22)
    c.fill(c.rect(0, h - 3, w, h - 2), (0, 60, 110), 0.5)
    c.fill(c.rect(0, 2, 4, h - 2), GREEN_LIGHT)
    # notch pointing at the page the button shows
    mid = h / 2
    c.fill(c.poly([(w - 7, mid), (w, mid - 7), (w, mid + 7)]), PAGE)
    page_glyph(c, PAGE_GLYPHS[resource], 9, int(mid) - 8)
    under = under_skin(skin_img, (0, PAGE_BUTTONS[resource], w, PAGE_BUTTONS[resource] + h), k)
    return keyed(c.result(), PURE_RED, under, threshold=1)


# ----------------------------------------------------------------------------------------------
# The about page and its pictures.

ABOUT_W, ABOUT_H = 478, 210
ABOUT_PICTURE_AT = (194, 135)


def about_background():
    c = Canvas(ABOUT_W, ABOUT_H, 1.0)
    base = Image.new('RGBA', c.size)
    small = Image.new('RGBA', (ABOUT_W, ABOUT_H))
    px = small.load()
    for y in range(ABOUT_H):
        for x in range(ABOUT_W):
            t = 0.65 * x / ABOUT_W + 0.35 * y / ABOUT_H
            px[x, y] = lerp((14, 38, 68), (10, 74, 128), t) + (255,)
    base.paste(small.resize(c.size, Image.NEAREST))
    c.img = base
    for r, a in ((150, 0.06), (118, 0.05), (86, 0.05), (54, 0.04)):
        c.fill(Canvas.minus(c.circle(430, 40, r), c.circle(430, 40, r - 1.5)), WHITE, a)
    c.fill(c.rect(28, 112, 450, 114), c_grad_h(c, BLUE_LIGHT, GREEN_LIGHT, 28, 450))
    img = c.result()
    logo = render(icon_app, 64)
    img.alpha_composite(logo, (30, 30))
    img.alpha_composite(text_layer(img.size, (112, 72), 'Tavro Vexa', font(FONT_BOLD, 36), WHITE))
    img.alpha_composite(text_layer(img.size, (114, 98), 'Boot Menu Manager', font(FONT_REGULAR, 16), (172, 204, 234)))
    return img.convert('RGB')


def c_grad_h(c, left, right, x0, x1):
    g = Image.new('RGBA', (c.size[0], 1))
    for x in range(c.size[0]):
        t = min(1.0, max(0.0, (x / c.k - x0) / (x1 - x0)))
        g.putpixel((x, 0), lerp(left, right, t) + (255,))
    return g.resize(c.size, Image.NEAREST)


def about_picture(about, w, h, text, fnt, size):
    """A small wordmark laid on the part of the about page it covers."""
    img = about.crop((ABOUT_PICTURE_AT[0], ABOUT_PICTURE_AT[1], ABOUT_PICTURE_AT[0] + w, ABOUT_PICTURE_AT[1] + h))
    img = img.convert('RGBA')
    logo = render(icon_app, h - 12)
    img.alpha_composite(logo, (4, 6))
    img.alpha_composite(text_layer(img.size, (h - 2, h // 2), text, font(fnt, size), WHITE, anchor='lm'))
    return img.convert('RGB')


def header_image(k=1):
    img = Image.new('RGB', (5, 9), HEADER_KEY)
    d = ImageDraw.Draw(img)
    for y, (x0, x1) in zip(range(2, 7), ((2, 2), (1, 3), (0, 4), (1, 3), (2, 2))):
        d.line([(x0, y), (x1, y)], fill=BLUE)
    # a pixel drawing: larger, it stays crisp
    return img if k == 1 else img.resize((5 * k, 9 * k), Image.NEAREST)


def lock_button(locked, k=1):
    return keyed(render(lambda c: padlock(c, locked), 14 * k, design=14), MAGENTA, PAGE)


# ----------------------------------------------------------------------------------------------

def build():
    files = {}
    skin_img = skin()
    about = about_background()
    files['skin.bmp'] = bmp24(skin_img)
    for size, name in STRIP_SIZES.items():
        files[name] = bmp24(button_strip(size))
    # The pictures drawn again at twice the size: above 96 DPI the windows scale these down, which
    # keeps text and edges sharp where scaling the small ones up would blur them.
    for k, suffix in ((1, ''), (2, '_2x')):
        files['banner%s.bmp' % suffix] = bmp24(banner(skin_img, k))
        for res, name in ((148, 'page_oslist'), (149, 'page_bootloader'), (150, 'page_utilities'),
                          (136, 'page_firmware')):
            files['%s%s.bmp' % (name, suffix)] = bmp24(selected_page_button(res, skin_img, k))
        files['lock_locked%s.bmp' % suffix] = bmp24(lock_button(True, k))
        files['lock_unlocked%s.bmp' % suffix] = bmp24(lock_button(False, k))
        files['list_header%s.bmp' % suffix] = bmp24(header_image(k))
    files['about.bmp'] = bmp24(about)
    files['about_zh_tw.bmp'] = bmp24(about_picture(about, 208, 36, '啟動選單管理器', FONT_CJK, 17))
    files['about_picture.bmp'] = bmp24(about_picture(about, 105, 42, 'Vexa', FONT_BOLD, 20))
    for res, _, _, draw in ICONS:
        files['icon_%d.ico' % res] = icon_file([render(draw, s) for s in ICON_SIZES])
    files['hand.cur'] = icon_file([hand_cursor()], hotspot=HAND_HOTSPOT)
    return files, skin_img


def paste_keyed(target, img, key, at):
    """Pastes a keyed bitmap the way the windows draw it: the key colour lets the target show."""
    opaque = Image.eval(ImageChops.difference(img, Image.new('RGB', img.size, key)).convert('L'),
                        lambda v: 255 if v else 0)
    target.paste(img, at, opaque)


def preview(folder, skin_img):
    """Enlarged looks of every file and the main window put together, for eyes only."""
    os.makedirs(folder, exist_ok=True)
    load = lambda name: Image.open(os.path.join(HERE, name)).convert('RGB')
    win = skin_img.copy()
    paste_keyed(win, load('banner.bmp').crop((BANNER_W, 0, 2 * BANNER_W, BANNER_BAND)), MAGENTA, BANNER_AT)
    paste_keyed(win, load('page_oslist.bmp'), PURE_RED, (0, PAGE_BUTTONS[148]))
    d = ImageDraw.Draw(win)
    label = font(FONT_REGULAR, 11)
    d.text((138, 42), 'Version : 0.1  Build 0000.0000 ( Beta for Test )', font=label, fill=(0, 0, 0))
    for text, y, colour in (('OS List', 163, WHITE), ('Bootloader', 211, (0, 0, 0)), ('Firmware', 260, (0, 0, 0)),
                            ('Utilities', 309, (0, 0, 0)), ('About', 358, (0, 0, 0))):
        d.text((53, y + 24), text, font=label, fill=colour, anchor='mm')
    page_icon = render(icon_os_list, 48)
    win.paste(page_icon, (30, 105), page_icon)
    d.rectangle([108, 60, 570, 405], outline=(200, 60, 60))
    d.text((25, 418), 'Current System : Windows 10 Pro x64', font=label, fill=(0, 0, 0), anchor='lm')
    d.text((570, 418), 'Tavro Vexa', font=label, fill=(0, 0, 0), anchor='rm')
    win.save(os.path.join(folder, 'main_window.png'))
    for name in sorted(os.listdir(HERE)):
        if name.endswith('.bmp'):
            im = load(name)
            factor = max(1, min(8, 900 // max(im.size)))
            im.resize((im.size[0] * factor, im.size[1] * factor), Image.NEAREST).save(
                os.path.join(folder, name[:-4] + '.png'))
    for bg_name, bg in (('light', (255, 255, 255)), ('column', COLUMN_TOP)):
        sheet = Image.new('RGB', (len(ICONS) * 56 + 8, 3 * 56 + 8), bg)
        for col, (res, _, _, draw) in enumerate(ICONS):
            for row, s in enumerate((16, 32, 48)):
                im = render(draw, s)
                sheet.paste(im, (8 + col * 56, 8 + row * 56), im)
        sheet.resize((sheet.size[0] * 3, sheet.size[1] * 3), Image.NEAREST).save(
            os.path.join(folder, 'icons_%s.png' % bg_name))
    cur = hand_cursor()
    bg = Image.new('RGBA', (32, 32), (180, 200, 220, 255))
    bg.alpha_composite(cur)
    bg.putpixel(HAND_HOTSPOT, (255, 0, 0, 255))
    bg.convert('RGB').resize((256, 256), Image.NEAREST).save(os.path.join(folder, 'hand.png'))


def check_names():
    """The code names the strip's images in art.h: keep those names on the images they mean."""
    with open(os.path.join(HERE, '..', 'art.h'), encoding='utf-8') as f:
        header = f.read()
    declared = dict((n, int(v)) for n, v in re.findall(r'constexpr int (kImage\w+) = (\d+);', header))
    for index, (name, _, _) in enumerate(STRIP):
        if declared.get(name) != index:
            sys.exit('art.h gives %s the index %s, the strip draws it at %d' % (name, declared.get(name), index))
    for res, name, _, _ in ICONS:
        if not re.search(r'#define %s %d\b' % (name, res), header):
            sys.exit('art.h does not define %s as %d' % (name, res))


def main():
    check_names()
    files, skin_img = build()
    for name, data in sorted(files.items()):
        write_file(name, data)
    if len(sys.argv) == 3 and sys.argv[1] == '--preview':
        preview(sys.argv[2], skin_img)


if __name__ == '__main__':
    main()
