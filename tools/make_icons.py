#!/usr/bin/env python3
"""Draws Quillon's icon set: src/app/resources/icons/*.svg and icons.qrc.

Every picture is composed of a few shapes of our own on a 24 x 24 grid so
that the set stays consistent. Outlines are 1 px on .5 coordinates (crisp at
24 px); glyph strokes are 2 px on whole coordinates or 1.5 px. Letters are
strokes, never <text>, and nothing beyond plain paths, rects and circles is
used, so Qt's SVG renderer draws every file the same way.

Usage: make_icons.py [RESOURCES_FOLDER]   (default: ../src/app/resources)
"""
import math
import os
import sys

SLATE = '#37474f'    # outlines and neutral glyphs
BLUE = '#1e88e5'     # documents, actions
AMBER = '#f9a825'    # folders, highlights
GREEN = '#43a047'    # success, run, preview, add
RED = '#e53935'      # delete, stop, cancel
PURPLE = '#8e24aa'   # script and code
PAPER = '#ffffff'
GREY = '#90a4ae'     # text lines on pages
LIGHT = '#eceff1'    # field and panel grounds
SKY = '#bbdefb'      # light blue grounds
LILAC = '#f3e5f5'    # light purple grounds
GOLD = '#ffca28'     # folder front
DEEP_AMBER = '#f57f17'
WOOD = '#a1887f'


def fmt(v):
    s = f'{v:.2f}'.rstrip('0').rstrip('.')
    return '0' if s == '-0' else s


def svg(*parts):
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24">'
            + ''.join(parts) + '</svg>\n')


def path(d, stroke=SLATE, fill='none', w=1.5, cap='round', join='round'):
    if stroke == 'none':
        return f'<path d="{d}" fill="{fill}"/>'
    return (f'<path d="{d}" fill="{fill}" stroke="{stroke}" stroke-width="{fmt(w)}"'
            f' stroke-linecap="{cap}" stroke-linejoin="{join}"/>')


def fill(d, color):
    return f'<path d="{d}" fill="{color}"/>'


def rect(x, y, w, h, fill=PAPER, stroke=SLATE, sw=1, r=0):
    rr = f' rx="{fmt(r)}"' if r else ''
    st = f' stroke="{stroke}" stroke-width="{fmt(sw)}"' if stroke != 'none' else ''
    return f'<rect x="{fmt(x)}" y="{fmt(y)}" width="{fmt(w)}" height="{fmt(h)}"{rr} fill="{fill}"{st}/>'


def circle(cx, cy, r, fill=PAPER, stroke=SLATE, sw=1):
    st = f' stroke="{stroke}" stroke-width="{fmt(sw)}"' if stroke != 'none' else ''
    return f'<circle cx="{fmt(cx)}" cy="{fmt(cy)}" r="{fmt(r)}" fill="{fill}"{st}/>'


def group(transform, *parts):
    return f'<g transform="{transform}">' + ''.join(parts) + '</g>'


# ---------------------------------------------------------------- letters
# Each glyph is a stroke path in a cell 4 units wide and 6 high, (0, 0) at
# the top left; text() scales the cell and keeps the stroke width in pixels.
GLYPHS = {
    'B': 'M0 0v6h2.5a1.5 1.5 0 0 0 0-3H0M0 0h2.2a1.5 1.5 0 0 1 0 3',
    'I': 'M0.5 0h3M2 0v6M0.5 6h3',
    'U': 'M0 0v4a2 2 0 0 0 4 0V0',
    'S': 'M3.8 0.9A2 1.5 0 1 0 2 3a2 1.5 0 1 1-1.8 2.1',
    'J': 'M3 0v4.5a1.5 1.5 0 0 1-3 0',
    'V': 'M0 0l2 6l2-6',
    'f': 'M3.5 0.4a1.6 1.6 0 0 0-2.5 1.3V6M0 2.5h3',
    'x': 'M0 2.5l3 3.5M3 2.5L0 6',
    'i': 'M1.5 2.5V6M1.5 0.5v0.1',
    '<': 'M3.5 0.5L0.5 3l3 2.5',
    '>': 'M0.5 0.5L3.5 3l-3 2.5',
    '{': 'M3 0C1.5 0 2 2.2 0.5 3C2 3.8 1.5 6 3 6',
    '}': 'M1 0C2.5 0 2 2.2 3.5 3C2 3.8 2.5 6 1 6',
    '/': 'M3.5 0L0.5 6',
    '!': 'M2 0v3.8M2 5.8v0.1',
    '?': 'M0.4 1.6a1.8 1.6 0 1 1 2.4 1.4C2.1 3.3 2 3.7 2 4.3M2 5.9v0.1',
    'a': 'M3.5 2.3V6M3.5 4.2a1.75 1.9 0 1 1 0-0.1',
    'b': 'M0.5 0v6M0.5 4.2a1.75 1.9 0 1 0 0-0.1',
    'c': 'M3.5 2.9a1.8 1.9 0 1 0 0 2.5',
    'o': 'M2 2.3a1.8 1.85 0 1 0 0.01 0z',
    '.': 'M2 5.8v0.1',
    '1': 'M0.8 1.2L2.5 0v6',
    '3': 'M0.5 0.3h3L1.8 2.5a1.8 1.8 0 1 1-1.6 2.8',
}


def text(s, x, y, color=SLATE, scale=1.0, w=1.5, advance=4.8):
    parts = []
    for i, ch in enumerate(s):
        tx = x + i * advance * scale
        parts.append(group(f'translate({fmt(tx)} {fmt(y)}) scale({fmt(scale)})',
                           path(GLYPHS[ch], stroke=color, w=w / scale)))
    return ''.join(parts)


# ---------------------------------------------------------------- shapes
def page(x=4.5, y=2.5, w=15, h=19, lines=0, color=PAPER, ear=4, line_from=7, step=3, line_x=2.5):
    """A sheet with a folded corner; optional grey text lines."""
    d = f'M{fmt(x)} {fmt(y)}h{fmt(w - ear)}l{fmt(ear)} {fmt(ear)}v{fmt(h - ear)}h{fmt(-w)}z'
    parts = [path(d, fill=color, w=1),
             path(f'M{fmt(x + w - ear)} {fmt(y)}v{fmt(ear)}h{fmt(ear)}', fill=LIGHT, w=1)]
    for i in range(lines):
        yy = y + line_from + i * step
        right = x + w - line_x - (3 if i % 3 == 2 else 0)
        parts.append(path(f'M{fmt(x + line_x)} {fmt(yy)}H{fmt(right)}', stroke=GREY, w=1))
    return ''.join(parts)


def folder(open_=False, x=0, y=0):
    back = path('M2.5 5.5h6l2 2h10v11h-18z', fill=DEEP_AMBER if open_ else AMBER, w=1)
    if open_:
        front = path('M2.5 18.5l3-8.5h17l-2 8.5z', fill=GOLD, w=1)
    else:
        front = path('M2.5 9.5h18v9h-18z', fill=GOLD, w=1)
    body = back + front
    return group(f'translate({fmt(x)} {fmt(y)})', body) if (x or y) else body


def plus(cx, cy, r=3, color=GREEN, w=2):
    return path(f'M{fmt(cx - r)} {fmt(cy)}h{fmt(2 * r)}M{fmt(cx)} {fmt(cy - r)}v{fmt(2 * r)}', stroke=color, w=w)


def badge_plus(cx, cy, color=GREEN):
    """A round green badge with a white plus, laid over a picture's corner."""
    return circle(cx, cy, 4.5, fill=color, stroke=PAPER, sw=1) + plus(cx, cy, 2.2, PAPER, 1.6)


def arrow_curve(flip=False):
    if not flip:
        return (path('M5.5 9h9.5a4.5 4.5 0 0 1 0 9h-5', stroke=BLUE, w=2)
                + path('M9 5.5L5.5 9L9 12.5', stroke=BLUE, w=2))
    return (path('M18.5 9H9a4.5 4.5 0 0 0 0 9h5', stroke=BLUE, w=2)
            + path('M15 5.5L18.5 9L15 12.5', stroke=BLUE, w=2))


def magnifier(x=10, y=10, r=5.5, handle=5, w=1.5):
    k = r * 0.7071 + 0.6
    return (circle(x, y, r, fill='#e3f2fd', stroke=SLATE, sw=w)
            + path(f'M{fmt(x + k)} {fmt(y + k)}l{fmt(handle)} {fmt(handle)}', w=3))


def pencil(color=AMBER):
    """A pencil from the top right down to a point at (4, 20) (24 grid)."""
    return (path('M15.5 4.5l4 4L9 19l-5 1l1-5z', fill=color, w=1)
            + path('M13.5 6.5l4 4', w=1)
            + path('M5 15l4 4', w=1)
            + fill('M4 20l0.5-2.5l2 2z', SLATE))


def disk(color=BLUE, x=0, y=0, s=1.0):
    body = (path('M3.5 3.5h13l3 3v13.5h-16z', fill=color, w=1)
            + rect(7, 3.5, 8.5, 5, fill=PAPER, stroke='none') + rect(12.5, 4.5, 2, 3, fill=SLATE, stroke='none')
            + rect(6.5, 12.5, 10, 7.5, fill=PAPER, stroke=SLATE, sw=1)
            + path('M8.5 15h6M8.5 17.5h6', stroke=GREY, w=1))
    if x or y or s != 1.0:
        return group(f'translate({fmt(x)} {fmt(y)}) scale({fmt(s)})', body)
    return body


def printer(paper_lines=True):
    return (rect(6.5, 2.5, 11, 7, fill=PAPER, sw=1)
            + rect(2.5, 8.5, 19, 9, fill=GREY, sw=1, r=1.5)
            + path('M5 11.5h2', stroke=PAPER, w=1)
            + circle(18.5, 11.5, 1, fill=GREEN, stroke='none')
            + rect(6.5, 14.5, 11, 7, fill=PAPER, sw=1)
            + (path('M8.5 17.5h7M8.5 19.5h5', stroke=GREY, w=1) if paper_lines else ''))


def window_frame(x=2.5, y=3.5, w=19, h=17, title=BLUE, r=1.5):
    return (rect(x, y, w, h, fill=PAPER, sw=1, r=r)
            + path(f'M{fmt(x)} {fmt(y + 4)}v{fmt(-4 + r)}a{fmt(r)} {fmt(r)} 0 0 1 {fmt(r)} {fmt(-r)}h{fmt(w - 2 * r)}'
                   f'a{fmt(r)} {fmt(r)} 0 0 1 {fmt(r)} {fmt(r)}v{fmt(4 - r)}z', fill=title, w=1))


def gear(cx, cy, r, color=SLATE, hole=PAPER, teeth=8):
    pts = []
    n = teeth * 4
    for i in range(n):
        a = 2 * math.pi * (i - 0.5) / n
        rr = r if (i % 4) in (0, 1) else r * 0.7
        pts.append(f'{fmt(cx + rr * math.cos(a))} {fmt(cy + rr * math.sin(a))}')
    return (path('M' + 'L'.join(pts) + 'z', fill=color, stroke=color, w=0.6)
            + circle(cx, cy, r * 0.32, fill=hole, stroke='none'))


def loop_rect(color=PURPLE):
    """A rounded loop running clockwise with its arrow head on the left."""
    return (path('M4.5 10V7.5a3 3 0 0 1 3-3h9a3 3 0 0 1 3 3v9a3 3 0 0 1-3 3h-9a3 3 0 0 1-3-3V14', stroke=color, w=2)
            + path('M1.5 16l3-3l3 3', stroke=color, w=2))


def tree(sign):
    t = (rect(3.5, 3.5, 5, 4, fill=BLUE, sw=1) + path('M6 7.5v10h5.5M6 12.5h5.5', w=1)
         + rect(11.5, 10.5, 5, 4, fill=PAPER, sw=1) + rect(11.5, 15.5, 5, 4, fill=PAPER, sw=1))
    s = path('M16 5.5h5', stroke=GREEN if sign == '+' else RED, w=2)
    if sign == '+':
        s += path('M18.5 3v5', stroke=GREEN, w=2)
    return t + s


def _v(a, b, k=1.0):
    return (a[0] + k * b[0], a[1] + k * b[1])


def _axis(tip, tail):
    dx, dy = tail[0] - tip[0], tail[1] - tip[1]
    length = math.hypot(dx, dy)
    u = (dx / length, dy / length)
    return u, (-u[1], u[0]), length


def _pt(p):
    return f'{fmt(p[0])} {fmt(p[1])}'


def pen(tip, tail, half=2.0, nib=4.5, body=SLATE, nib_color=BLUE):
    """A fountain pen lying from its tail down to the nib's point at tip."""
    u, n, length = _axis(tip, tail)
    neck = _v(tip, u, nib)
    a, b = _v(neck, n, half), _v(neck, n, -half)
    c, d = _v(_v(tip, u, length), n, -half), _v(_v(tip, u, length), n, half)
    slit_end = _v(tip, u, nib * 0.55)
    return (path(f'M{_pt(a)}L{_pt(d)}L{_pt(c)}L{_pt(b)}z', fill=body, stroke=body, w=1)
            + path(f'M{_pt(tip)}L{_pt(a)}L{_pt(b)}z', fill=nib_color, w=1)
            + path(f'M{_pt(slit_end)}L{_pt(neck)}', stroke=PAPER, w=0.8))


def quill(nib=(14.5, 19.5), tip=(23, 1), vane_from=0.2, up=3.7, down=2.4, notches=(0.36, 0.6), bend=1.1):
    """The program's quill: a two-tone purple feather whose barrel ends in a nib."""
    u, n, length = _axis(nib, tip)          # u runs from the nib up to the tip
    start = length * vane_from
    span = length - start

    def at(s, side):
        return _v(_v(nib, u, start + span * s), n, bend * math.sin(math.pi * s) + side)

    def width(s, h):
        return h * math.sin(math.pi * min(1.0, max(0.0, s)) ** 0.7)

    steps = 14
    upper = []
    for i in range(steps + 1):
        t = i / steps
        for c in notches:
            if abs(t - c) < 0.5 / steps:
                upper.append(at(c - 0.1, -width(c - 0.1, up) * 0.2))
                t = c + 0.02
        upper.append(at(t, -width(t, up)))
    lower = [at(i / steps, width(i / steps, down)) for i in range(steps - 1, 0, -1)]
    shaft_pts = [at(i / steps, 0) for i in range(0, steps + 1)]
    outline = 'M' + 'L'.join(_pt(p) for p in upper + lower) + 'z'
    underside = 'M' + 'L'.join(_pt(p) for p in shaft_pts + lower) + 'z'
    shaft = 'M' + 'L'.join(_pt(p) for p in shaft_pts[:steps - 3])
    neck = _v(nib, u, 3.6)
    slit = _v(nib, u, 1.8)
    return (
        path(outline, fill=PURPLE, w=1)
        + fill(underside, '#ba68c8')
        + path(outline, w=1)
        + path(shaft, stroke='#f3e5f5', w=1)
        + path(f'M{_pt(at(0, 0))}L{_pt(neck)}', stroke=SLATE, w=1.5)
        + path(f'M{_pt(nib)}L{_pt(_v(neck, n, 1.4))}L{_pt(_v(neck, n, -1.4))}z', fill=SLATE, stroke=SLATE, w=1)
        + path(f'M{_pt(slit)}L{_pt(neck)}', stroke=PAPER, w=0.6))


def quote_marks(x, y):
    """Two filled quotation marks, 5.5 wide and 5 high, top left at (x, y)."""
    one = 'h2.5v2.5l-1.5 2.5h-1l0.75-2.5h-0.75z'
    return f'M{fmt(x)} {fmt(y)}{one}M{fmt(x + 3.5)} {fmt(y)}{one}'


def code_brackets(color=PURPLE, y=6, scale=1.8, w=2):
    return (text('<', 1.5, y, color=color, scale=scale, w=w)
            + text('>', 15.3, y, color=color, scale=scale, w=w))


# ---------------------------------------------------------------- the set
ICONS = {}


def icon(name, *parts):
    ICONS[name] = svg(*parts)


# Named pictures of the program
icon('JSKRYPT', page(), rect(7, 11, 10.5, 7.5, fill=PURPLE, stroke='none', r=1.5),
     text('JS', 8.4, 12.3, color=PAPER, scale=0.8, w=1.4, advance=5))
icon('PODGLAD', path('M1.5 12C5 5.5 19 5.5 22.5 12C19 18.5 5 18.5 1.5 12z', fill=PAPER, w=1),
     circle(12, 12, 4.5, fill=BLUE, stroke=SLATE, sw=1), circle(12, 12, 2, fill=SLATE, stroke='none'),
     circle(10.7, 10.7, 0.9, fill=PAPER, stroke='none'))
icon('FUNKCJA1', rect(2.5, 4.5, 19, 15, fill=LILAC, stroke=PURPLE, sw=1, r=2.5),
     text('f', 6.5, 8, color=PURPLE, scale=1.4, w=2, advance=0),
     text('x', 12, 6.5, color=PURPLE, scale=1.2, w=2))
icon('FUNKCJA2', page(),
     *[text('f', 7.2, 6.8 + 4.5 * i, color=PURPLE, scale=0.62, w=1.3) for i in range(3)],
     *[path(f'M11 {fmt(9 + 4.5 * i)}h{5 if i != 1 else 4}', stroke=GREY, w=1.5) for i in range(3)])
icon('FORMULARZ', rect(2.5, 3.5, 19, 17, fill=PAPER, sw=1, r=1.5),
     rect(5.5, 6.5, 13, 3, fill=LIGHT, sw=1), rect(5.5, 11.5, 13, 3, fill=LIGHT, sw=1),
     rect(11.5, 16.5, 7, 2, fill=BLUE, stroke='none', r=1))
icon('PRJ_CLOSE', folder(False))
icon('PRJ_OPEN', folder(True))
icon('KLUCZOWE', circle(7.5, 12, 4.5, fill=AMBER, stroke=SLATE, sw=1), circle(6.5, 12, 1.5, fill=PAPER, stroke=SLATE, sw=1),
     path('M12 11h9.5v2H20.5v3h-2v-3H17v2h-2v-2H12z', fill=AMBER, w=1))
icon('OKNO', window_frame(),
     circle(5, 5.5, 0.75, fill=PAPER, stroke='none'), circle(7.5, 5.5, 0.75, fill=PAPER, stroke='none'),
     rect(10.5, 4.5, 9, 2, fill=PAPER, stroke='none', r=1),
     path('M5.5 11h13M5.5 14h10M5.5 17h12', stroke=GREY, w=1))
icon('NAWIGATOR', circle(12, 12, 9.5, fill=PAPER, stroke=SLATE, sw=1),
     path('M12 3.5v1.5M12 19v1.5M3.5 12H5M19 12h1.5', stroke=GREY, w=1),
     fill('M12 5.5l2.5 6.5h-5z', RED), fill('M12 18.5l-2.5-6.5h5z', BLUE),
     circle(12, 12, 1.2, fill=SLATE, stroke='none'))
icon('DATA', rect(3.5, 4.5, 17, 16, fill=PAPER, sw=1, r=1.5),
     path('M3.5 9.5V6a1.5 1.5 0 0 1 1.5-1.5h14a1.5 1.5 0 0 1 1.5 1.5v3.5z', fill=RED, w=1),
     path('M8 3v3.5M16 3v3.5', w=1.5),
     *[rect(6 + 3.5 * c, 11.5 + 3 * r, 2, 2, fill=(BLUE if (r, c) == (1, 2) else GREY), stroke='none')
       for r in range(3) for c in range(4) if not (r == 2 and c == 3)])
icon('MATH', rect(2.5, 2.5, 19, 19, fill='#e8f5e9', stroke=GREEN, sw=1, r=3),
     path('M5.5 8h5M8 5.5v5M13.5 8h5M6 15l3.5 3.5M9.5 15L6 18.5M13.5 15.5h5M13.5 18h5', stroke=SLATE, w=1.5))
icon('STRINGI', fill(quote_marks(2, 4.5) + quote_marks(16.5, 4.5), BLUE),
     text('abc', 3.5, 9.5, color=SLATE, scale=1.4, w=1.8, advance=4.3))
icon('HISTORIA', circle(13, 12.5, 8, fill=PAPER, stroke=SLATE, sw=1),
     path('M13 7.5v5l3.5 2', w=1.5),
     path('M3.5 12.5a9.5 9.5 0 0 1 2.5-6.5', stroke=BLUE, w=2),
     path('M1 10l2.5 3l3-2.5', stroke=BLUE, w=2))
icon('LOKALNE', path('M12 22C7 15.5 4.5 12.5 4.5 9a7.5 7.5 0 0 1 15 0c0 3.5-2.5 6.5-7.5 13z', fill=RED, w=1),
     circle(12, 9, 3, fill=PAPER, stroke=SLATE, sw=1))
icon('DOKUMENT', page(lines=4))
icon('OBRAZG', rect(2.5, 4.5, 19, 15, fill=SKY, sw=1, r=1.5),
     path('M3 19l6-7l4 4.5l3-3l5 5.5z', fill=GREEN, stroke='none'),
     circle(16.5, 8.5, 2, fill=AMBER, stroke='none'),
     rect(2.5, 4.5, 19, 15, fill='none', sw=1, r=1.5))
icon('RAMKI', window_frame(), rect(3, 8, 6.5, 12, fill=SKY, stroke='none'),
     path('M9.5 7.5v13M9.5 13.5h12', w=1))
icon('ODNOSNIK', path('M11 7l2-2a3.9 3.9 0 0 1 5.5 5.5l-2.5 2.5a3.9 3.9 0 0 1-5.5 0', stroke=SLATE, w=2),
     path('M13 17l-2 2a3.9 3.9 0 0 1-5.5-5.5l2.5-2.5a3.9 3.9 0 0 1 5.5 0', stroke=BLUE, w=2))
icon('WTYCZKA', path('M9 2.5v5M15 2.5v5', w=2),
     path('M5.5 7.5h13v3.5a6.5 6.5 0 0 1-13 0z', fill=GREY, w=1),
     path('M9 11.5h6', stroke=PAPER, w=1),
     path('M12 17.5v4.5', w=2))
icon('EVENTS', path('M14.5 1.5L5 13.5h6.5l-2 9l9.5-12.5h-6.5z', fill=AMBER, w=1))
icon('JSICO', rect(2.5, 5.5, 19, 13, fill=AMBER, stroke=SLATE, sw=1, r=2.5),
     text('JS', 6.3, 9, color=SLATE, w=2))
icon('VBICO', rect(2.5, 5.5, 19, 13, fill=BLUE, stroke=SLATE, sw=1, r=2.5),
     text('VB', 6.3, 9, color=PAPER, w=2))
icon('OK', path('M4 12.5l5 5L20 6.5', stroke=GREEN, w=3))
icon('ANULUJ', path('M6 6l12 12M18 6L6 18', stroke=RED, w=3))
icon('POMOC', circle(12, 12, 10, fill=BLUE, stroke='none'),
     text('?', 9.3, 6.3, color=PAPER, scale=1.4, w=2.4))

# Commands
icon('new', page(), badge_plus(17.5, 17.5))
icon('open', folder(True), path('M15.5 1.5v6.5M13 5.5l2.5 2.5l2.5-2.5', stroke=BLUE, w=1.5))
icon('save-library', disk(x=-1, y=-1), group('translate(10 10) scale(0.6)', folder(False)))
icon('save-as', disk(x=-1, y=-1), group('translate(9.5 7.5) scale(0.62)', pencil()))
icon('print', printer())
icon('printer-setup', printer(False), circle(18, 18, 5.5, fill=PAPER, stroke='none'), gear(18, 18, 4.5))
icon('exit', path('M3.5 2.5h10v19h-10z', fill=WOOD, w=1), path('M5.5 4.5h6v15h-6z', fill='#bcaaa4', stroke='none'),
     circle(10.5, 12, 1, fill=SLATE, stroke='none'),
     path('M14 12h8M19 9l3 3l-3 3', stroke=RED, w=2))
icon('undo', arrow_curve())
icon('redo', arrow_curve(True))
icon('cut', circle(7, 18, 3, fill='none', stroke=SLATE, sw=1.5), circle(17, 18, 3, fill='none', stroke=SLATE, sw=1.5),
     path('M9 15.5L17 3.5M15 15.5L7 3.5', w=1.5), circle(12, 11, 0.75, fill=SLATE, stroke='none'))
icon('copy', page(x=3.5, y=2.5, w=12, h=14, ear=3), page(x=8.5, y=7.5, w=12, h=14, ear=3, lines=3, line_from=5.5))
icon('paste', rect(3.5, 4.5, 13, 17, fill=WOOD, sw=1, r=1.5), rect(7, 3, 6, 3, fill=GREY, sw=1, r=1),
     page(x=10.5, y=9.5, w=10, h=12, ear=3, lines=2, line_from=5, line_x=2))
icon('select-all', rect(3.5, 3.5, 17, 17, fill='#e3f2fd', stroke=BLUE, sw=1),
     path('M3.5 3.5h17v17h-17z', stroke=BLUE, w=1),
     path('M7 8h10M7 12h10M7 16h7', w=2))
icon('indent', path('M11 5.5h10M11 10h10M11 14.5h10M3 19h18', w=2), path('M3 7.5l4 2.5l-4 2.5z', fill=BLUE, stroke=BLUE, w=1))
icon('unindent', path('M11 5.5h10M11 10h10M11 14.5h10M3 19h18', w=2), path('M7 7.5l-4 2.5l4 2.5z', fill=BLUE, stroke=BLUE, w=1))
icon('find', magnifier())
icon('find-next', magnifier(8.5, 8.5, 5.5, 2.5), path('M13 19h8.5M18.5 16l3 3l-3 3', stroke=BLUE, w=2))
icon('replace', magnifier(8, 8, 5.5, 2.5),
     path('M15 15h6.5', stroke=RED, w=2), path('M13 20h8.5', stroke=GREEN, w=2))
icon('jump-line', text('1', 3, 3, color=GREY, scale=0.8, w=1.2),
     text('3', 3, 16, color=GREY, scale=0.8, w=1.2),
     rect(9.5, 9.5, 13, 5, fill=SKY, stroke='none', r=1),
     path('M11 5.5h10M11 18.5h8', stroke=GREY, w=2),
     path('M11 12h10', stroke=SLATE, w=2),
     path('M1.5 12H8M5 9l3 3l-3 3', stroke=BLUE, w=2))
icon('settings', path('M3 5h10M3 9.5h7M3 14h5', stroke=GREY, w=2),
     path('M20 3.5l2 2l-7 8l-2.5-2.5z', fill=WOOD, w=1),
     path('M12.5 11l2.5 2.5c-0.5 4.5-4.5 7-10.5 7.5c3-2.5 2-7.5 8-10z', fill=PURPLE, w=1))
icon('wordwrap', path('M3 5.5h18M3 11.5h14.5a3.5 3.5 0 0 1 0 7H13M3 18.5h6', w=2),
     path('M15.5 15.5l-3 3l3 3', stroke=BLUE, w=2))
icon('resource-tabs', rect(2.5, 3.5, 19, 17, fill=PAPER, sw=1, r=1.5),
     path('M9.5 3.5H4a1.5 1.5 0 0 0-1.5 1.5v14A1.5 1.5 0 0 0 4 20.5h5.5z', fill=SKY, w=1),
     path('M4.5 7.5h3M4.5 10.5h3M4.5 13.5h3', stroke=BLUE, w=1),
     path('M12 7.5h7M12 10.5h7M12 13.5h5', stroke=GREY, w=1))
icon('set-bookmark', path('M6.5 2.5h11v19l-5.5-4.5l-5.5 4.5z', fill=BLUE, w=1))
icon('goto-bookmark', path('M3.5 2.5h9v18l-4.5-3.5l-4.5 3.5z', fill=BLUE, w=1),
     path('M14 12h7.5M18.5 9l3 3l-3 3', stroke=GREEN, w=2))
icon('preview-edited', page(x=2.5, y=1.5, w=14, h=18, lines=3, line_from=6),
     circle(16, 16, 6.5, fill=GREEN, stroke=PAPER, sw=1),
     fill('M14 12.5v7l5.5-3.5z', PAPER))
icon('clipboard', rect(4.5, 4.5, 15, 17, fill=WOOD, sw=1, r=1.5), rect(6.5, 7.5, 11, 12, fill=PAPER, sw=1),
     rect(8.5, 2.5, 7, 4, fill=GREY, sw=1, r=1), path('M8.5 10.5h7M8.5 13.5h7M8.5 16.5h4', stroke=GREY, w=1))
icon('help-contents', path('M2.5 5.5c3-1.5 6.5-1.5 9.5 0v15c-3-1.5-6.5-1.5-9.5 0z', fill=PAPER, w=1),
     path('M21.5 5.5c-3-1.5-6.5-1.5-9.5 0v15c3-1.5 6.5-1.5 9.5 0z', fill=SKY, w=1),
     path('M4.5 8.5c2-0.7 3.5-0.7 5.5 0M4.5 11.5c2-0.7 3.5-0.7 5.5 0M4.5 14.5c2-0.7 3.5-0.7 5.5 0', stroke=GREY, w=1),
     text('?', 14.3, 8, color=BLUE, scale=1.0, w=1.8))
icon('keyboard', rect(1.5, 6.5, 21, 12, fill=LIGHT, sw=1, r=2),
     path('M5 10h1M8 10h1M11 10h1M14 10h1M17 10h2M5 13h2M9 13h1M12 13h1M15 13h1M18 13h1M7.5 16h9', stroke=SLATE, w=1.5))
icon('about', circle(12, 12, 10, fill=BLUE, stroke='none'),
     path('M12 10.5v7', stroke=PAPER, w=2.5), circle(12, 6.8, 1.5, fill=PAPER, stroke='none'))
icon('quillon', rect(1.5, 2.5, 16, 19, fill=PAPER, sw=1, r=1),
     text('</>', 3.4, 4.5, color=BLUE, scale=0.9, w=1.9, advance=3.9),
     path('M4 14.5h5M4 18h2.5', stroke=GREY, w=1.5),
     quill(nib=(7.5, 19.5), tip=(23, 5), up=3.5, down=2.4, bend=1.0))

# Scripting toolbar
icon('window', window_frame(1.5, 5.5, 17, 15), path('M4.5 13h11M4.5 16h8', stroke=GREY, w=1),
     circle(19, 5, 4.5, fill=GREEN, stroke=PAPER, sw=1), plus(19, 5, 2.2, PAPER, 1.6))
icon('dialog', rect(1.5, 4.5, 21, 15, fill=PAPER, sw=1, r=2),
     path('M6.5 15.5L12 6.5l5.5 9z', fill=AMBER, w=1),
     path('M12 9.5v3M12 14.2v0.1', stroke=SLATE, w=1.5))
icon('script-header', code_brackets(), text('S', 9.6, 8.5, color=SLATE, scale=1.25, w=2))
icon('noscript', text('<', 1.5, 6, color=PURPLE, scale=1.8, w=2), text('>', 15.3, 6, color=PURPLE, scale=1.8, w=2),
     path('M3 4.5l18 15', stroke=RED, w=2.5))
icon('comments', text('//', 3.6, 6, color=GREEN, scale=2.0, w=2, advance=4.2))
icon('function', text('{', 1.5, 6, color=PURPLE, scale=1.8, w=2), text('}', 14.5, 6, color=PURPLE, scale=1.8, w=2),
     text('f', 9.2, 7.5, color=SLATE, scale=1.4, w=2))
icon('for', loop_rect(), path('M9 9.5v5M12 9.5v5M15 9.5v5', stroke=SLATE, w=1.5))
icon('while', loop_rect(), path('M12 8.5l3.5 3.5l-3.5 3.5l-3.5-3.5z', fill=LILAC, w=1))
icon('with', text('a', 1.5, 7.5, color=PURPLE, scale=1.4, w=2),
     circle(12, 15.5, 1.5, fill=SLATE, stroke='none'),
     text('b', 14.5, 7.5, color=PURPLE, scale=1.4, w=2))
icon('if', path('M12 1.5l9 8.5l-9 8.5l-9-8.5z', fill=LILAC, stroke=PURPLE, w=1),
     path('M12 18.5v4', w=1.5),
     text('i', 7.3, 6, color=SLATE, scale=1.1, w=1.8),
     text('f', 12, 6, color=SLATE, scale=1.1, w=1.8))
icon('else', path('M12 1.5l6 6l-6 6l-6-6z', fill=LILAC, stroke=PURPLE, w=1),
     path('M6 7.5H3.5v13.5', w=1.5), path('M1.5 18.5l2 2.5l2-2.5', w=1.5),
     path('M18 7.5h2.5v13.5', stroke=PURPLE, w=1.5), path('M18.5 18.5l2 2.5l2-2.5', stroke=PURPLE, w=1.5))
icon('switch', circle(12, 4.5, 3, fill=PURPLE, stroke=SLATE, sw=1),
     path('M12 7.5v3M4 10.5h16M4 10.5v5.5M12 10.5v5.5M20 10.5v5.5', w=1.5),
     rect(2, 16.5, 4, 4, fill=PAPER, sw=1), rect(10, 16.5, 4, 4, fill=PAPER, sw=1), rect(18, 16.5, 4, 4, fill=PAPER, sw=1))
icon('docwrite', page(x=2.5, lines=0),
     path('M5.5 8.5h9M5.5 11.5h7', stroke=GREY, w=1),
     path('M5 17c1-2 2-2 2.5 0s1.5 2 2.5 0s1.5-2 2.5 0', stroke=BLUE, w=1.5),
     pen((13.5, 16.5), (22, 5), half=2))

# HTML toolbar
icon('form-builder', rect(2.5, 3.5, 19, 17, fill=PAPER, sw=1, r=1.5),
     rect(5.5, 6.5, 13, 3, fill=LIGHT, sw=1), rect(11.5, 14.5, 7, 3, fill=BLUE, stroke='none', r=1),
     circle(8, 16, 4.3, fill=PAPER, stroke='none'), gear(8, 16, 3.6))
icon('select-list', rect(2.5, 3.5, 19, 5, fill=PAPER, sw=1, r=1), rect(16.5, 4, 4.5, 4, fill=SKY, stroke='none'),
     path('M17.5 5.5l1.25 1.25l1.25-1.25', w=1), path('M5 6h8', stroke=GREY, w=1),
     rect(2.5, 10.5, 14, 10, fill=PAPER, sw=1), rect(3, 14, 13, 3, fill=BLUE, stroke='none'),
     path('M5 12.5h7M5 15.5h8M5 18.5h6', stroke=GREY, w=1), path('M5 15.5h8', stroke=PAPER, w=1))
icon('textarea', rect(2.5, 3.5, 19, 17, fill=PAPER, sw=1, r=1),
     path('M5 7.5h10M5 10.5h10M5 13.5h8M5 16.5h9', stroke=GREY, w=1),
     path('M17.5 3.5v17', w=1), rect(18, 6, 3, 5, fill=GREY, stroke='none'),
     path('M15 19.5l4-4M17.5 19.5l1.5-1.5', stroke=GREY, w=1))
icon('form-other', rect(2.5, 3.5, 8, 8, fill=PAPER, sw=1, r=1), path('M4.5 7.5l2 2l3.5-4.5', stroke=GREEN, w=2),
     circle(17.5, 7.5, 4, fill=PAPER, stroke=SLATE, sw=1), circle(17.5, 7.5, 2, fill=BLUE, stroke='none'),
     rect(2.5, 14.5, 19, 6, fill=BLUE, stroke=SLATE, sw=1, r=2), path('M8 17.5h8', stroke=PAPER, w=1.5))
icon('bold', text('B', 7, 4.5, color=SLATE, scale=2.5, w=3))
icon('italic', text('I', 7.5, 4.5, color='none', scale=2.5, w=2),
     path('M9.5 4.5h7M13 4.5l-3 15M7.5 19.5h7', w=2))
icon('underline', text('U', 7, 3.5, color=SLATE, scale=2.5, w=2.5), path('M5 21h14', stroke=BLUE, w=2))
icon('strike', text('S', 7, 4.5, color=SLATE, scale=2.5, w=2.5), path('M3.5 12h17', stroke=RED, w=2))
icon('align-left', path('M3 5h18M3 9.5h12M3 14h18M3 18.5h10', w=2))
icon('center', path('M3 5h18M6 9.5h12M3 14h18M7 18.5h10', w=2))
icon('align-right', path('M3 5h18M9 9.5h12M3 14h18M11 18.5h10', w=2))
icon('pre', path('M6.5 3C3.5 3 5 11 2 12C5 13 3.5 21 6.5 21M17.5 3C20.5 3 19 11 22 12C19 13 20.5 21 17.5 21', stroke=PURPLE, w=2),
     *[path(f'M{fmt(x)} {y}h1', stroke=SLATE, w=2)
       for y, cols in ((7, (8, 11, 14)), (12, (9.5, 12.5)), (17, (8, 11, 14))) for x in cols])

# Library and browser strips
icon('add-category', folder(False), badge_plus(18, 17.5))
icon('delete-item', path('M4.5 6.5h15M9.5 6.5V3.5h5v3', w=1.5),
     path('M6.5 6.5l1 15h9l1-15', fill='#ffcdd2', stroke=RED, w=1),
     path('M10 10v8M14 10v8', stroke=RED, w=1.5))
icon('edit', page(x=3.5, lines=3), group('translate(5 2)', pencil()))
icon('insert', page(x=3.5, lines=0), path('M6 17h4M15 17h1.5', stroke=GREY, w=1.5),
     path('M12.5 14v6M11 14h3M11 20h3', stroke=BLUE, w=1),
     path('M12.5 5v6.5M9.5 8.5l3 3l3-3', stroke=GREEN, w=2))
icon('go-back', circle(12, 12, 10, fill=BLUE, stroke='none'), path('M13.5 7L8.5 12l5 5', stroke=PAPER, w=2.5))
icon('go-forward', circle(12, 12, 10, fill=BLUE, stroke='none'), path('M10.5 7l5 5l-5 5', stroke=PAPER, w=2.5))
icon('stop', path('M8 2.5h8l5.5 5.5v8L16 21.5H8L2.5 16V8z', fill=RED, stroke=SLATE, w=1),
     path('M9 9l6 6M15 9l-6 6', stroke=PAPER, w=2.5))
icon('refresh', path('M19.5 12.5A7.5 7.5 0 1 1 17 6.5', stroke=GREEN, w=2.5),
     path('M18 2.5v5h-5', stroke=GREEN, w=2.5))
icon('expand-all', tree('+'))
icon('collapse-all', tree('-'))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'src', 'app', 'resources')
    folder_ = os.path.join(out, 'icons')
    os.makedirs(folder_, exist_ok=True)
    for name, content in ICONS.items():
        with open(os.path.join(folder_, name + '.svg'), 'w', newline='\n') as f:
            f.write(content)
    with open(os.path.join(out, 'icons.qrc'), 'w', newline='\n') as f:
        f.write('<!DOCTYPE RCC><RCC version="1.0">\n<qresource prefix="/icons">\n')
        for name in sorted(ICONS):
            f.write(f'    <file alias="{name}.svg">icons/{name}.svg</file>\n')
        f.write('</qresource>\n</RCC>\n')
    print(len(ICONS), 'icons')


if __name__ == '__main__':
    main()
