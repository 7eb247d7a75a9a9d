#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Draws Velmora's window icons and the two About pictures into pictures/, and the menu icon
in the icon theme's sizes into icons/ and at 192 and 512 pixels into the web page's icons/.

Run it with Debian's python3 and python3-pil; the outputs are committed, so a build
never needs it. Every picture is drawn here from shapes: nothing is taken from elsewhere.
"""
import math
import os
import random

from PIL import Image, ImageDraw

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "pictures")


def indexed(img, colours):
    """The picture as an indexed image with a palette of exactly `colours` entries."""
    img = img.quantize(colors=colours, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    palette = img.getpalette()[: colours * 3]
    img.putpalette(palette + [0] * (colours * 3 - len(palette)))
    return img


def figure(draw, cx, hair, skin, top, scale=1.0):
    """One head-and-shoulders figure centred on cx in a 32 x 32 icon."""
    s = scale
    # shoulders and top
    draw.ellipse([cx - 7 * s, 20 * s, cx + 7 * s, 38 * s], fill=top, outline=(20, 20, 40))
    # neck
    draw.rectangle([cx - 1.5 * s, 15 * s, cx + 1.5 * s, 21 * s], fill=skin)
    # hair behind the head
    draw.ellipse([cx - 5.5 * s, 3 * s, cx + 5.5 * s, 13 * s], fill=hair)
    # face
    draw.ellipse([cx - 4.5 * s, 5.5 * s, cx + 4.5 * s, 16 * s], fill=skin, outline=(90, 60, 40))
    # fringe
    draw.chord([cx - 5 * s, 3 * s, cx + 5 * s, 12 * s], 180, 360, fill=hair)
    # eyes and mouth
    draw.point([(cx - 2 * s, 10.5 * s), (cx + 2 * s, 10.5 * s)], fill=(30, 30, 30))
    draw.line([cx - 1.5 * s, 13.5 * s, cx + 1.5 * s, 13.5 * s], fill=(200, 60, 80))


def figure_shapes(cx, hair, skin, top):
    """The same figure as shapes in the 32-unit square: (kind, box or points, fill, outline)."""
    return [
        ("ellipse", [cx - 7, 20, cx + 7, 38], top, (20, 20, 40)),
        ("rect", [cx - 1.5, 15, cx + 1.5, 21], skin, None),
        ("ellipse", [cx - 5.5, 3, cx + 5.5, 13], hair, None),
        ("ellipse", [cx - 4.5, 5.5, cx + 4.5, 16], skin, (90, 60, 40)),
        ("chord", [cx - 5, 3, cx + 5, 12], hair, None),
        ("ellipse", [cx - 2.6, 9.9, cx - 1.4, 11.1], (30, 30, 30), None),
        ("ellipse", [cx + 1.4, 9.9, cx + 2.6, 11.1], (30, 30, 30), None),
        ("line", [cx - 1.5, 13.5, cx + 1.5, 13.5], (200, 60, 80), None),
    ]


ICON_BACKGROUND = (236, 240, 250)
ICON_FIGURES = figure_shapes(9.5, (45, 30, 20), (245, 205, 170), (40, 90, 210)) + figure_shapes(
    22.5, (240, 205, 100), (250, 215, 185), (50, 170, 70))


def app_icon_png(size, scale=1.0, radius=6):
    """The menu icon drawn at `size` pixels: shapes at eight times the size, then reduced. The
    figures are drawn at `scale` around the middle, on corners rounded by `radius` of 32."""
    k = size * 8 / 32
    big = Image.new("RGBA", (size * 8, size * 8), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    d.rounded_rectangle([0, 0, size * 8 - 1, size * 8 - 1], radius=radius * k, fill=ICON_BACKGROUND)
    figures = Image.new("RGBA", big.size, (0, 0, 0, 0))
    f = ImageDraw.Draw(figures)
    line = max(1, round(k * 0.6 * scale))
    for kind, box, fill, outline in ICON_FIGURES:
        b = [((v - 16) * scale + 16) * k for v in box]
        if kind == "ellipse":
            f.ellipse(b, fill=fill, outline=outline, width=line if outline else 0)
        elif kind == "rect":
            f.rectangle(b, fill=fill)
        elif kind == "chord":
            f.chord(b, 180, 360, fill=fill)
        else:
            f.line(b, fill=fill, width=max(1, round(k * scale)))
    mask = Image.new("L", big.size, 0)
    # The figures end where the icon's own square would, whatever the scale.
    edge = (16 - 16 * scale) * k
    ImageDraw.Draw(mask).rounded_rectangle([edge, edge, size * 8 - 1 - edge, size * 8 - 1 - edge],
                                           radius=radius * k, fill=255)
    big.paste(figures, (0, 0), Image.composite(figures, Image.new("RGBA", big.size), mask))
    return big.resize((size, size), Image.Resampling.LANCZOS)


def maskable_icon_png(size):
    """The web page's icon for a phone that cuts it to its own shape: the background to every
    edge, the figures within the middle 70 %, inside any mask's safe circle."""
    return app_icon_png(size, scale=0.7, radius=0)


def app_icon_svg():
    """The same shapes as a scalable icon."""
    def colour(c):
        return "#%02x%02x%02x" % c

    out = ['<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">',
           '<defs><clipPath id="square"><rect width="32" height="32" rx="6"/></clipPath></defs>',
           '<rect width="32" height="32" rx="6" fill="%s"/>' % colour(ICON_BACKGROUND),
           '<g clip-path="url(#square)">']
    for kind, (x0, y0, x1, y1), fill, outline in ICON_FIGURES:
        stroke = ' stroke="%s" stroke-width="0.6"' % colour(outline) if outline else ""
        if kind == "ellipse":
            out.append('<ellipse cx="%g" cy="%g" rx="%g" ry="%g" fill="%s"%s/>'
                       % ((x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2, colour(fill), stroke))
        elif kind == "rect":
            out.append('<rect x="%g" y="%g" width="%g" height="%g" fill="%s"/>'
                       % (x0, y0, x1 - x0, y1 - y0, colour(fill)))
        elif kind == "chord":
            rx, ry, cy = (x1 - x0) / 2, (y1 - y0) / 2, (y0 + y1) / 2
            out.append('<path d="M%g %gA%g %g 0 0 1 %g %gZ" fill="%s"/>'
                       % (x0, cy, rx, ry, x1, cy, colour(fill)))
        else:
            out.append('<line x1="%g" y1="%g" x2="%g" y2="%g" stroke="%s" stroke-width="1"/>'
                       % (x0, y0, x1, y1, colour(fill)))
    out.append("</g></svg>\n")
    return "\n".join(out)


def app_icons():
    """The menu icon in the icon theme's sizes, each drawn at its own size, and as SVG."""
    theme = os.path.join(os.path.dirname(HERE), "icons", "hicolor")
    for size in (16, 22, 24, 32, 48, 64, 128, 256):
        folder = os.path.join(theme, "%dx%d" % (size, size), "apps")
        os.makedirs(folder, exist_ok=True)
        app_icon_png(size).save(os.path.join(folder, "org.velmora.Velmora.png"), optimize=True)
    # The Windows program's icon resource.
    windows = os.path.join(os.path.dirname(HERE), "windows", "velmora.ico")
    app_icon_png(256).save(windows, sizes=[(16, 16), (24, 24), (32, 32), (48, 48), (256, 256)])
    # The web page's icons, for a phone's home screen.
    web = os.path.join(os.path.dirname(os.path.dirname(HERE)), "web", "icons")
    os.makedirs(web, exist_ok=True)
    for size in (192, 512):
        app_icon_png(size).save(os.path.join(web, "velmora-%d.png" % size), optimize=True)
    maskable_icon_png(512).save(os.path.join(web, "velmora-maskable-512.png"), optimize=True)
    folder = os.path.join(theme, "scalable", "apps")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "org.velmora.Velmora.svg"), "w") as svg:
        svg.write(app_icon_svg())


def main_icon():
    img = Image.new("RGB", (32, 32), (236, 240, 250))
    d = ImageDraw.Draw(img)
    figure(d, 9.5, hair=(45, 30, 20), skin=(245, 205, 170), top=(40, 90, 210))
    figure(d, 22.5, hair=(240, 205, 100), skin=(250, 215, 185), top=(50, 170, 70))
    indexed(img, 256).save(os.path.join(HERE, "form1.png"))


def about_icon():
    # 16 colours: a book with a heart, the About box's own icon.
    img = Image.new("RGB", (32, 32), (192, 192, 255))
    d = ImageDraw.Draw(img)
    d.rectangle([5, 4, 26, 28], fill=(255, 255, 192), outline=(0, 0, 128))
    d.line([9, 4, 9, 28], fill=(0, 0, 128))
    d.polygon([(17, 23), (11, 15), (11, 12), (14, 10), (17, 13), (20, 10), (23, 12), (23, 15)],
              fill=(255, 0, 255), outline=(128, 0, 128))
    indexed(img, 16).save(os.path.join(HERE, "frmabout.png"), bits=4)


def lounger():
    """115 x 133: a green creature in sunglasses on a striped deck chair beside a drink."""
    w, h = 115, 133
    img = Image.new("RGB", (w, h), (192, 192, 255))
    d = ImageDraw.Draw(img)
    # sand
    d.rectangle([0, 112, w, h], fill=(238, 214, 150))
    # deck chair frame
    wood = (140, 90, 40)
    d.line([18, 118, 60, 70], fill=wood, width=3)
    d.line([30, 118, 88, 118], fill=wood, width=3)
    d.line([88, 118, 100, 100], fill=wood, width=3)
    d.line([52, 118, 40, 92], fill=wood, width=3)
    # striped canvas: back rest and seat
    stripes = [(230, 40, 40), (255, 255, 255)]
    for i in range(8):
        t0, t1 = i / 8, (i + 1) / 8
        x0, y0 = 22 + 36 * t0, 110 - 40 * t0
        x1, y1 = 22 + 36 * t1, 110 - 40 * t1
        d.polygon([(x0, y0), (x1, y1), (x1 + 8, y1 + 6), (x0 + 8, y0 + 6)], fill=stripes[i % 2])
    for i in range(6):
        x0 = 30 + i * 11
        d.polygon([(x0, 108), (x0 + 11, 108), (x0 + 13, 114), (x0 + 2, 114)],
                  fill=stripes[i % 2])
    # the creature: body, legs, arm, head
    green, dark = (60, 190, 70), (20, 110, 30)
    d.ellipse([34, 82, 80, 108], fill=green, outline=dark)
    d.line([76, 100, 96, 96], fill=green, width=6)
    d.ellipse([92, 92, 102, 100], fill=green, outline=dark)
    d.line([50, 86, 42, 70], fill=green, width=5)
    d.ellipse([26, 48, 60, 80], fill=green, outline=dark)
    d.ellipse([28, 42, 38, 52], fill=green, outline=dark)  # ear bump
    d.ellipse([48, 42, 58, 52], fill=green, outline=dark)
    # sunglasses
    d.ellipse([31, 58, 42, 66], fill=(10, 10, 10))
    d.ellipse([45, 58, 56, 66], fill=(10, 10, 10))
    d.line([42, 61, 45, 61], fill=(10, 10, 10), width=2)
    d.point([(34, 60), (48, 60)], fill=(255, 255, 255))
    d.arc([36, 66, 52, 76], 20, 160, fill=(150, 20, 30), width=2)
    # the drink on a little table
    d.rectangle([96, 80, 99, 112], fill=wood)
    d.rectangle([88, 78, 108, 81], fill=wood)
    d.polygon([(91, 60), (105, 60), (101, 77), (95, 77)], fill=(255, 170, 60),
              outline=(120, 120, 160))
    d.line([100, 60, 106, 48], fill=(255, 60, 160), width=2)
    d.ellipse([88, 56, 95, 63], fill=(250, 230, 60))  # lemon slice
    # sun
    d.ellipse([4, 4, 24, 24], fill=(255, 220, 40))
    indexed(img, 256).save(os.path.join(HERE, "picture2.gif"), optimize=False)


def waterfall():
    """844 x 549: a waterfall scene in the top-left 286 x 143 pixels, the rest one light colour."""
    w, h = 844, 549
    light = (236, 244, 255)
    img = Image.new("RGB", (w, h), light)
    scene = Image.new("RGB", (286, 143), (150, 200, 240))
    d = ImageDraw.Draw(scene)
    rnd = random.Random(20040219)
    # sky gradient
    for y in range(60):
        c = (120 + y, 180 + y // 2, 240)
        d.line([0, y, 286, y], fill=c)
    # cliffs
    d.polygon([(0, 20), (60, 10), (110, 30), (120, 143), (0, 143)], fill=(95, 85, 70))
    d.polygon([(170, 25), (230, 8), (286, 18), (286, 143), (160, 143)], fill=(105, 92, 76))
    # trees along the tops
    for x in list(range(0, 110, 9)) + list(range(172, 286, 9)):
        top = 8 + rnd.randint(0, 14)
        d.polygon([(x, top + 20), (x + 5, top), (x + 10, top + 20)],
                  fill=(30, 110 + rnd.randint(0, 40), 50))
    # the falling water, streaked
    for x in range(112, 170):
        shade = 200 + rnd.randint(0, 55)
        d.line([x, 28 + rnd.randint(0, 6), x, 118], fill=(shade, shade, 255))
    # pool and spray
    d.ellipse([70, 108, 220, 150], fill=(70, 140, 200))
    for _ in range(260):
        x, y = rnd.randint(95, 190), rnd.randint(104, 128)
        d.point((x, y), fill=(245, 250, 255))
    # rocks in front
    d.ellipse([20, 118, 70, 150], fill=(80, 75, 65))
    d.ellipse([210, 122, 270, 152], fill=(85, 78, 66))
    img.paste(scene, (0, 0))
    indexed(img, 256).save(os.path.join(HERE, "picture1.gif"), optimize=False)


if __name__ == "__main__":
    os.makedirs(HERE, exist_ok=True)
    main_icon()
    about_icon()
    lounger()
    waterfall()
    app_icons()
