#!/usr/bin/env python3
"""Draws the program's icon set (src/app/resources/icons/*.svg) and its .qrc.

Every icon is built from a few shapes of our own on a 24 x 24 grid, so the
set stays consistent; run this again after changing a shape.
"""
import os, sys

OUT = os.path.join(os.path.dirname(__file__), '..', 'src', 'app', 'resources')
SLATE, BLUE, AMBER, GREEN, RED, PURPLE, PAPER, SKY = '#37474f', '#1e88e5', '#f9a825', '#43a047', '#e53935', '#8e24aa', '#ffffff', '#bbdefb'

def svg(*parts):
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24">'
            + ''.join(parts) + '</svg>\n')

def path(d, stroke=SLATE, fill='none', w=1.5, cap='round', join='round'):
    return f'<path d="{d}" fill="{fill}" stroke="{stroke}" stroke-width="{w}" stroke-linecap="{cap}" stroke-linejoin="{join}"/>'

def fillpath(d, fill):
    return f'<path d="{d}" fill="{fill}"/>'

def rect(x, y, w, h, fill=PAPER, stroke=SLATE, sw=1, r=0):
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" fill="{fill}" stroke="{stroke}" stroke-width="{sw}"/>'

def circle(cx, cy, r, fill=PAPER, stroke=SLATE, sw=1):
    return f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{fill}" stroke="{stroke}" stroke-width="{sw}"/>'

def page(x=4.5, y=2.5, w=13, h=19, lines=0, color=PAPER):
    f = 4
    d = f'M{x} {y}h{w-f}l{f} {f}v{h-f}h{-w}z'
    parts = [path(d, fill=color, w=1), path(f'M{x+w-f} {y}v{f}h{f}', w=1)]
    for i in range(lines):
        yy = y + 7 + i * 3
        parts.append(path(f'M{x+2.5} {yy}h{w-5}', stroke='#90a4ae', w=1))
    return ''.join(parts)

# Letters drawn as strokes on a 4-wide, 6-high cell; (x, y) is the top left.
GLYPHS = {
    'B': 'M0 0v6h2.6a1.5 1.5 0 0 0 0-3H0h2.3a1.5 1.5 0 0 0 0-3H0',
    'I': 'M0.5 0h3M2 0v6M0.5 6h3',
    'U': 'M0 0v4a2 2 0 0 0 4 0V0',
    'S': 'M4 0.8A2.2 1.6 0 1 0 2 3a2.2 1.6 0 1 1-2 2.2',
    'J': 'M3 0v4.5a1.5 1.5 0 0 1-3 0',
    'V': 'M0 0l2 6l2-6',
    'f': 'M3.5 0.3a1.6 1.6 0 0 0-2.3 1.3V6M0 2.5h3',
    'x': 'M0 2l3 4M3 2L0 6',
    'i': 'M1.5 2.5V6M1.5 0.6v0.1',
    '<': 'M3.5 0.5L0.5 3l3 2.5',
    '>': 'M0.5 0.5L3.5 3l-3 2.5',
    '{': 'M3 0C1.5 0 2 2.2 0.5 3C2 3.8 1.5 6 3 6',
    '}': 'M1 0C2.5 0 2 2.2 3.5 3C2 3.8 2.5 6 1 6',
    '/': 'M3.5 0L0.5 6',
    '!': 'M2 0v4M2 5.8v0.1',
    '?': 'M0.5 1.5a1.8 1.5 0 1 1 2.3 1.4c-0.8 0.4-0.8 0.8-0.8 1.6M2 5.8v0.1',
    'a': 'M3.5 2.5v3.5M3.5 4.2a1.7 1.7 0 1 1 0-0.4',
    'b': 'M0.5 0v6M0.5 4.2a1.7 1.7 0 1 0 0-0.4',
    'c': 'M3.5 2.8a1.8 1.8 0 1 0 0 2.6',
}

def text(s, x, y, color=SLATE, scale=1.0, w=1.4, advance=4.8):
    parts = []
    for i, ch in enumerate(s):
        d = GLYPHS[ch]
        tx = x + i * advance * scale
        parts.append(f'<g transform="translate({tx} {y}) scale({scale})">' + path(d, stroke=color, w=w / scale) + '</g>')
    return ''.join(parts)

def badge(label, color):
    return svg(rect(2.5, 5.5, 19, 13, fill=color, stroke=SLATE, r=2.5), text(label, 6.3, 9, color=PAPER, w=1.6))

def folder(open_):
    back = path('M2.5 6.5v12h19v-10h-9l-2-2z', fill='#f57f17' if open_ else AMBER, w=1)
    if open_:
        front = path('M2.5 18.5l3-8h18l-2 8z', fill='#ffca28', w=1)
    else:
        front = path('M2.5 9.5h19v9h-19z', fill='#ffca28', w=1)
    return back + front

def arrow_curve(flip=False):
    d = 'M6 9h9a4.5 4.5 0 0 1 0 9h-4' if not flip else 'M18 9H9a4.5 4.5 0 0 0 0 9h4'
    head = 'M9 5.5L5.5 9L9 12.5' if not flip else 'M15 5.5L18.5 9L15 12.5'
    return path(d, stroke=BLUE, w=2) + path(head, stroke=BLUE, w=2)

def lines_icon(spec):
    """spec: list of (x1, x2) for lines at y = 5, 9, 13, 17."""
    return ''.join(path(f'M{a} {5 + 4 * i}H{b}', stroke=SLATE, w=2) for i, (a, b) in enumerate(spec))

def magnifier(x=10, y=10, r=5.5):
    return circle(x, y, r, fill='#e3f2fd', stroke=SLATE, sw=1.8) + path(f'M{x + r * 0.72} {y + r * 0.72}l5 5', w=2.6)

def pencil(x=0, y=0, color=AMBER):
    return (f'<g transform="translate({x} {y})">' + path('M14 5l5 5l-9 9H5v-5z', fill=color, w=1.2)
            + path('M12 7l5 5', w=1.2) + path('M5 14v5h5', w=1.2) + '</g>')

def disk(color=BLUE):
    return (path('M3.5 3.5h14l3 3v14h-17z', fill=color, w=1.2) + rect(7, 4, 9, 5.5, fill=PAPER, stroke='none')
            + rect(6.5, 13, 11, 7.5, fill=PAPER, stroke=SLATE, sw=1) + path('M13.5 5v3.5', stroke=SLATE, w=1.5))

def printer(extra=''):
    return (rect(6.5, 3.5, 11, 5, fill=PAPER, sw=1) + rect(2.5, 8.5, 19, 9, fill='#90a4ae', sw=1.2, r=1.5)
            + rect(6.5, 14.5, 11, 6, fill=PAPER, sw=1) + path('M8.5 17h7M8.5 19h5', stroke='#90a4ae', w=1)
            + circle(18.5, 11, 0.8, fill=GREEN, stroke='none') + extra)

def window_frame(x=2.5, y=3.5, w=19, h=16, title=BLUE):
    return (rect(x, y, w, h, fill=PAPER, sw=1.2, r=1.5) + rect(x, y, w, 3.5, fill=title, stroke=SLATE, sw=1.2, r=1.5))

def gear(cx, cy, r, color=SLATE):
    import math
    pts = []
    for i in range(16):
        a = math.pi * 2 * i / 16
        rr = r if i % 2 == 0 else r * 0.72
        pts.append(f'{cx + rr * math.cos(a):.2f} {cy + rr * math.sin(a):.2f}')
    return path('M' + 'L'.join(pts) + 'z', fill=color, stroke=color, w=0.8) + circle(cx, cy, r * 0.32, fill=PAPER, stroke='none')

def tree(sign):
    t = (rect(3.5, 3.5, 5, 4, fill=BLUE, sw=1) + path('M6 7.5v10h5M6 12.5h5', w=1.2)
         + rect(11.5, 10.5, 5, 4, fill=PAPER, sw=1) + rect(11.5, 15.5, 5, 4, fill=PAPER, sw=1))
    s = path('M16.5 5.5h5', stroke=GREEN, w=2)
    if sign == '+':
        s += path('M19 3v5', stroke=GREEN, w=2)
    return t + s

def loop_arrow(color=PURPLE):
    return path('M17 7.5A7 7 0 1 0 19 13', stroke=color, w=2) + path('M13.5 7.5H17.5V3.5', stroke=color, w=2)

ICONS = {
    'JSKRYPT': svg(page(lines=0), text('JS', 5.8, 10, color=PURPLE, scale=0.9, w=1.5)),
    'PODGLAD': svg(path('M1.5 12C5 6 19 6 22.5 12C19 18 5 18 1.5 12z', fill=PAPER, w=1.3), circle(12, 12, 4, fill=BLUE, stroke=SLATE, sw=1), circle(12, 12, 1.6, fill=SLATE, stroke='none')),
    'FUNKCJA1': svg(rect(2.5, 4.5, 19, 15, fill='#f3e5f5', stroke=PURPLE, sw=1.2, r=2.5), text('fx', 6.5, 9, color=PURPLE, scale=1.0, w=1.6)),
    'FUNKCJA2': svg(page(lines=0), path('M7.5 9h1M7.5 13h1M7.5 17h1', stroke=PURPLE, w=2), path('M10.5 9h4.5M10.5 13h4.5M10.5 17h3.5', stroke='#90a4ae', w=1.2)),
    'FORMULARZ': svg(rect(2.5, 3.5, 19, 17, fill=PAPER, sw=1.2, r=1.5), rect(5.5, 6.5, 13, 3, fill='#eceff1', sw=1), rect(5.5, 11.5, 13, 3, fill='#eceff1', sw=1), rect(11.5, 16, 7, 2.5, fill=BLUE, stroke=SLATE, sw=0.8, r=1)),
    'PRJ_CLOSE': svg(folder(False)),
    'PRJ_OPEN': svg(folder(True)),
    'KLUCZOWE': svg(circle(8, 12, 4.5, fill=AMBER, stroke=SLATE, sw=1.2), circle(8, 12, 1.5, fill=PAPER, stroke=SLATE, sw=1), path('M12.5 12h9M18.5 12v3.5M21 12v2.5', w=1.8)),
    'OKNO': svg(window_frame(), circle(5, 5.3, 0.6, fill=PAPER, stroke='none'), circle(7, 5.3, 0.6, fill=PAPER, stroke='none'), path('M5.5 11h13M5.5 14h9', stroke='#90a4ae', w=1.2)),
    'NAWIGATOR': svg(circle(12, 12, 9, fill=PAPER, stroke=SLATE, sw=1.3), fillpath('M12 4.5l2.2 7.5h-4.4z', RED), fillpath('M12 19.5l-2.2-7.5h4.4z', BLUE), circle(12, 12, 1, fill=SLATE, stroke='none')),
    'DATA': svg(rect(3.5, 4.5, 17, 16, fill=PAPER, sw=1.2, r=1.5), rect(3.5, 4.5, 17, 4, fill=RED, stroke=SLATE, sw=1.2, r=1.5), path('M8 3v3M16 3v3', w=1.5), path('M7 12h2M11 12h2M15 12h2M7 16h2M11 16h2', stroke='#78909c', w=1.6)),
    'MATH': svg(rect(2.5, 2.5, 19, 19, fill='#e8f5e9', stroke=GREEN, sw=1.2, r=3), path('M6 8h5M8.5 5.5v5', stroke=SLATE, w=1.8), path('M13.5 8h5', stroke=SLATE, w=1.8), path('M6 15.5l4 4M10 15.5l-4 4', stroke=SLATE, w=1.8), path('M13.5 16h5M13.5 19h5', stroke=SLATE, w=1.8)),
    'STRINGI': svg(rect(2.5, 6.5, 19, 11, fill=PAPER, sw=1.2, r=2), text('abc', 4.6, 9, color=BLUE, scale=1.0, w=1.4, advance=4.9)),
    'HISTORIA': svg(circle(13, 12, 7.5, fill=PAPER, stroke=SLATE, sw=1.3), path('M13 7.5V12l3 2', w=1.6), path('M3 9.5l2.5 3l3-2.5', stroke=BLUE, w=1.8), path('M5.5 12.5A7.5 7.5 0 0 1 7 7', stroke=BLUE, w=1.6)),
    'LOKALNE': svg(path('M12 21.5C7 15 5 12 5 9a7 7 0 0 1 14 0c0 3-2 6-7 12.5z', fill=RED, w=1.2), circle(12, 9, 2.5, fill=PAPER, stroke=SLATE, sw=1)),
    'DOKUMENT': svg(page(lines=4)),
    'OBRAZG': svg(rect(2.5, 4.5, 19, 15, fill=SKY, sw=1.2, r=1.5), path('M3 19l6-7l4 4.5l3-3l5 5.5z', fill=GREEN, stroke=SLATE, w=1), circle(16.5, 8.5, 1.8, fill=AMBER, stroke='none')),
    'RAMKI': svg(window_frame(), path('M9.5 7v12.5M9.5 13h12', w=1.3)),
    'ODNOSNIK': svg(path('M10 14l4-4', stroke=BLUE, w=2), path('M11 7.5l1.8-1.8a3.5 3.5 0 0 1 5 5L16 12.5', stroke=SLATE, w=2.2), path('M13 16.5l-1.8 1.8a3.5 3.5 0 0 1-5-5L8 11.5', stroke=SLATE, w=2.2)),
    'WTYCZKA': svg(path('M9 2.5v5M15 2.5v5', w=2), path('M6.5 7.5h11v4a5.5 5.5 0 0 1-11 0z', fill='#90a4ae', w=1.2), path('M12 17v4.5', w=2)),
    'EVENTS': svg(path('M13.5 2.5L5 13.5h6l-1.5 8l8.5-11h-6z', fill=AMBER, w=1.2)),
    'JSICO': badge('JS', AMBER),
    'VBICO': badge('VB', BLUE),
    'OK': svg(path('M4 12.5l5 5L20 6.5', stroke=GREEN, w=3)),
    'ANULUJ': svg(path('M6 6l12 12M18 6L6 18', stroke=RED, w=3)),
    'POMOC': svg(circle(12, 12, 9.5, fill=BLUE, stroke='none', sw=0), text('?', 9.5, 8, color=PAPER, scale=1.25, w=2.2)),
    'new': svg(page(), path('M17 15v6M14 18h6', stroke=GREEN, w=2)),
    'open': svg(folder(True), path('M15 2.5v6M12.5 6L15 8.5L17.5 6', stroke=BLUE, w=1.6)),
    'save-library': svg(disk(), path('M13 14.5h6v5h-6z', fill=AMBER, stroke=SLATE, w=0.9)),
    'save-as': svg(disk(), '<g transform="translate(6 6) scale(0.75)">' + pencil() + '</g>'),
    'print': svg(printer()),
    'printer-setup': svg(printer(), gear(18.5, 18.5, 4.5, color=SLATE)),
    'exit': svg(path('M4.5 3.5h9v17h-9z', fill='#a1887f', w=1.2), circle(11.5, 12, 0.8, fill=SLATE, stroke='none'), path('M15 12h7M19 9l3 3l-3 3', stroke=RED, w=2)),
    'undo': svg(arrow_curve()),
    'redo': svg(arrow_curve(True)),
    'cut': svg(circle(7, 18, 3, fill='none', stroke=SLATE, sw=1.6), circle(17, 18, 3, fill='none', stroke=SLATE, sw=1.6), path('M9 15.5L17.5 3M15 15.5L6.5 3', w=1.6)),
    'copy': svg(page(x=3.5, y=2.5, w=11, h=14), page(x=9.5, y=7.5, w=11, h=14, lines=3)),
    'paste': svg(rect(4.5, 4.5, 13, 17, fill='#a1887f', sw=1.2, r=1.5), rect(8, 3, 6, 3, fill='#90a4ae', sw=1), page(x=10.5, y=9.5, w=10, h=12, lines=2)),
    'select-all': svg(rect(3.5, 3.5, 17, 17, fill='#e3f2fd', stroke=BLUE, sw=1.4), path('M7 8h10M7 12h10M7 16h7', w=1.8)),
    'indent': svg(path('M10 5h11M10 9.5h11M10 14h11M3 19h18', w=1.8), path('M3 7.5l3.5 2.5L3 12.5', stroke=BLUE, w=1.8)),
    'unindent': svg(path('M10 5h11M10 9.5h11M10 14h11M3 19h18', w=1.8), path('M6.5 7.5L3 10l3.5 2.5', stroke=BLUE, w=1.8)),
    'find': svg(magnifier()),
    'find-next': svg(magnifier(9, 9, 5), path('M16 18h6M19.5 15.5L22 18l-2.5 2.5', stroke=BLUE, w=1.8)),
    'replace': svg(magnifier(8.5, 8.5, 5), path('M14 20.5h7.5', stroke=RED, w=2), path('M17 14h4.5', stroke=GREEN, w=2)),
    'jump-line': svg(path('M11 5h10M11 12h10M11 19h10', stroke='#90a4ae', w=1.8), path('M2.5 12H8M5.5 9L8.5 12l-3 3', stroke=BLUE, w=2), path('M11 12h10', stroke=SLATE, w=2.2)),
    'settings': svg(path('M3 6h9M3 10h7M3 14h5', stroke='#90a4ae', w=1.8), path('M9 21l1.5-5l9-9l3.5 3.5l-9 9z', fill=PURPLE, w=1.1), path('M9 21l5-1.5', stroke=SLATE, w=1.1)),
    'wordwrap': svg(path('M3 5h18M3 11h14a3.5 3.5 0 0 1 0 7h-4', w=1.8), path('M15 15.5l-2.5 2.5l2.5 2.5', stroke=BLUE, w=1.8), path('M3 18h6', w=1.8)),
    'resource-tabs': svg(rect(2.5, 3.5, 19, 17, fill=PAPER, sw=1.2, r=1.5), rect(2.5, 3.5, 7, 17, fill=SKY, sw=1.2, r=1.5), path('M4.5 7.5h3M4.5 10.5h3M4.5 13.5h3', stroke=BLUE, w=1.2)),
    'set-bookmark': svg(path('M6.5 2.5h11v19l-5.5-4.5l-5.5 4.5z', fill=BLUE, w=1.2)),
    'goto-bookmark': svg(path('M4.5 2.5h9v17l-4.5-3.5l-4.5 3.5z', fill=BLUE, w=1.2), path('M14 13h7.5M18.5 10l3 3l-3 3', stroke=GREEN, w=1.8)),
    'preview-edited': svg(page(x=3.5, y=2.5, w=13, h=18, lines=3), circle(16.5, 16.5, 5.5, fill=GREEN, stroke=SLATE, sw=1), fillpath('M15 13.8v5.4l4.3-2.7z', PAPER)),
    'clipboard': svg(rect(4.5, 4.5, 15, 17, fill='#a1887f', sw=1.2, r=1.5), rect(6.5, 7.5, 11, 12, fill=PAPER, sw=0.8), rect(9, 3, 6, 3.5, fill='#90a4ae', sw=1, r=1), path('M8.5 11h7M8.5 14h7M8.5 17h4', stroke='#90a4ae', w=1.2)),
    'help-contents': svg(path('M3.5 5.5c3-1.5 6-1.5 8.5 0v15c-2.5-1.5-5.5-1.5-8.5 0z', fill=PAPER, w=1.2), path('M20.5 5.5c-3-1.5-6-1.5-8.5 0v15c2.5-1.5 5.5-1.5 8.5 0z', fill=SKY, w=1.2), text('?', 14.4, 8.5, color=BLUE, scale=0.9, w=1.6)),
    'keyboard': svg(rect(1.5, 6.5, 21, 12, fill='#eceff1', sw=1.2, r=2), path('M5 10h1M8 10h1M11 10h1M14 10h1M17 10h2M5 13h2M9 13h1M12 13h1M15 13h1M18 13h1M7 16h10', stroke=SLATE, w=1.5)),
    'about': svg(circle(12, 12, 9.5, fill=BLUE, stroke='none'), path('M12 11v6', stroke=PAPER, w=2.4), circle(12, 7.5, 1.4, fill=PAPER, stroke='none')),
    'quillon': svg(path('M4.5 3.5h11l4 4v13h-15z', fill=PAPER, w=1), text('</>', 5.2, 12, color=BLUE, scale=0.75, w=1.4, advance=4.2), path('M21.5 1.5C14 3 9 9 7.5 17.5C11 11 15 7 21.5 1.5z', fill=PURPLE, stroke=SLATE, w=0.8), path('M7.5 17.5l-1.5 4', w=1.2)),
    'window': svg(window_frame(2.5, 5.5, 16, 14), path('M19.5 1.5v7M16 5h7', stroke=GREEN, w=2)),
    'dialog': svg(rect(2.5, 4.5, 19, 15, fill=PAPER, sw=1.2, r=2), path('M12 7l5 8.5H7z', fill=AMBER, w=1), text('!', 10, 9.8, color=SLATE, scale=0.8, w=1.6)),
    'script-header': svg(text('<', 1.5, 6, color=PURPLE, scale=1.8, w=1.8), text('>', 15.5, 6, color=PURPLE, scale=1.8, w=1.8), text('S', 9.5, 8.5, color=SLATE, scale=1.2, w=1.6)),
    'noscript': svg(text('<', 1.5, 6, color=PURPLE, scale=1.8, w=1.8), text('>', 15.5, 6, color=PURPLE, scale=1.8, w=1.8), path('M8 18L16 6', stroke=RED, w=2.2)),
    'comments': svg(text('//', 4, 6, color=GREEN, scale=1.8, w=1.8, advance=4.4)),
    'function': svg(text('{', 1.5, 6, color=PURPLE, scale=1.8, w=1.7), text('}', 14.5, 6, color=PURPLE, scale=1.8, w=1.7), text('f', 9.2, 8, color=SLATE, scale=1.3, w=1.7)),
    'for': svg(loop_arrow(), path('M9 11v3M12 11v3M15 11v3', stroke=SLATE, w=1.6)),
    'while': svg(loop_arrow(BLUE)),
    'with': svg(circle(6, 12, 3, fill=BLUE, stroke=SLATE, sw=1), circle(18, 12, 3, fill=PAPER, stroke=SLATE, sw=1), path('M9 12h6', w=1.6), circle(12, 16, 0.9, fill=SLATE, stroke='none')),
    'if': svg(path('M12 2.5l7 7l-7 7l-7-7z', fill='#f3e5f5', stroke=PURPLE, w=1.3), path('M12 16.5v5', w=1.6), text('i', 10.2, 6.5, color=SLATE, scale=0.9, w=1.6), text('f', 12.2, 6.5, color=SLATE, scale=0.9, w=1.6)),
    'else': svg(path('M12 2.5l5 5l-5 5l-5-5z', fill='#f3e5f5', stroke=PURPLE, w=1.3), path('M7 7.5H4v11M17 7.5h3v11', w=1.6), path('M2 16.5l2 2l2-2M18 16.5l2 2l2-2', w=1.6)),
    'switch': svg(circle(12, 4.5, 2.5, fill=PURPLE, stroke=SLATE, sw=1), path('M12 7v3M4 10h16M4 10v7M12 10v7M20 10v7', w=1.6), rect(2.5, 17.5, 3, 3, fill=PAPER, sw=1), rect(10.5, 17.5, 3, 3, fill=PAPER, sw=1), rect(18.5, 17.5, 3, 3, fill=PAPER, sw=1)),
    'docwrite': svg(page(lines=2), '<g transform="translate(5 4) scale(0.8)">' + pencil(color=BLUE) + '</g>'),
    'form-builder': svg(rect(2.5, 3.5, 19, 17, fill=PAPER, sw=1.2, r=1.5), rect(5.5, 6.5, 13, 3, fill='#eceff1', sw=1), rect(11.5, 15, 7, 2.5, fill=BLUE, stroke=SLATE, sw=0.8, r=1), gear(7.5, 15.5, 3.3, color=SLATE)),
    'select-list': svg(rect(2.5, 4.5, 19, 5, fill=PAPER, sw=1.2, r=1), rect(15.5, 4.5, 6, 5, fill=SKY, sw=1.2, r=1), path('M17 6.3l1.5 1.5l1.5-1.5', w=1.2), rect(2.5, 11.5, 13, 8, fill=PAPER, sw=1), rect(3, 12, 12, 2.5, fill=SKY, stroke='none'), path('M4.5 13.3h7M4.5 17h5', stroke=SLATE, w=1.2)),
    'textarea': svg(rect(2.5, 3.5, 19, 17, fill=PAPER, sw=1.2, r=1), path('M5 7.5h11M5 11h13M5 14.5h9', stroke='#90a4ae', w=1.3), rect(18.5, 3.5, 3, 17, fill='#eceff1', sw=1), path('M17 20l3-3', w=1)),
    'form-other': svg(rect(3.5, 4.5, 7, 7, fill=PAPER, sw=1.3, r=1), path('M5 8l1.8 1.8L9.5 6', stroke=GREEN, w=1.8), circle(17, 8, 3.5, fill=PAPER, stroke=SLATE, sw=1.3), circle(17, 8, 1.6, fill=BLUE, stroke='none'), rect(3.5, 15, 17, 4.5, fill=BLUE, stroke=SLATE, sw=1, r=2)),
    'bold': svg(text('B', 7, 5.5, color=SLATE, scale=2.1, w=2.6)),
    'italic': svg('<g transform="skewX(-14) translate(3 0)">' + text('I', 7.5, 5.5, color=SLATE, scale=2.1, w=2.2) + '</g>'),
    'underline': svg(text('U', 7.5, 3.5, color=SLATE, scale=2.0, w=2.2), path('M6 21h12', stroke=BLUE, w=2)),
    'strike': svg(text('S', 7.5, 5, color=SLATE, scale=2.1, w=2.2), path('M4 12h16', stroke=RED, w=2)),
    'align-left': svg(path('M3 5h18M3 9.5h12M3 14h18M3 18.5h10', w=2)),
    'center': svg(path('M3 5h18M6 9.5h12M3 14h18M7 18.5h10', w=2)),
    'align-right': svg(path('M3 5h18M9 9.5h12M3 14h18M11 18.5h10', w=2)),
    'pre': svg(rect(2.5, 3.5, 19, 17, fill='#eceff1', sw=1.2, r=1.5), text('{', 4.5, 5, color=PURPLE, scale=1.3, w=1.5), text('}', 13.5, 12, color=PURPLE, scale=1.3, w=1.5), path('M10 8h8M10 11.5h5M6.5 15h6', stroke=SLATE, w=1.4)),
    'add-category': svg(folder(False), path('M17.5 12v7M14 15.5h7', stroke=GREEN, w=2.2)),
    'delete-item': svg(path('M5 6.5h14M9.5 6.5V4h5v2.5', w=1.6), path('M6.5 6.5l1 14h9l1-14', fill='#ffcdd2', stroke=RED, w=1.4), path('M10 10v7M14 10v7', stroke=RED, w=1.4)),
    'edit': svg(page(lines=3), '<g transform="translate(4 3) scale(0.85)">' + pencil() + '</g>'),
    'insert': svg(page(lines=2), path('M8 14.5h5M10.5 12v5', stroke=GREEN, w=2), path('M16 11v9', stroke=BLUE, w=1.6)),
    'go-back': svg(circle(12, 12, 9.5, fill=BLUE, stroke='none'), path('M13.5 7L8.5 12l5 5', stroke=PAPER, w=2.4)),
    'go-forward': svg(circle(12, 12, 9.5, fill=BLUE, stroke='none'), path('M10.5 7l5 5l-5 5', stroke=PAPER, w=2.4)),
    'stop': svg(path('M8 2.5h8l5.5 5.5v8L16 21.5H8L2.5 16V8z', fill=RED, w=1), path('M9 9l6 6M15 9l-6 6', stroke=PAPER, w=2)),
    'refresh': svg(path('M19 12a7 7 0 1 1-2.1-5', stroke=GREEN, w=2.2), path('M17.5 2.5v4.5H13', stroke=GREEN, w=2.2)),
    'expand-all': svg(tree('+')),
    'collapse-all': svg(tree('-')),
}

def main():
    folder_ = os.path.join(OUT, 'icons')
    os.makedirs(folder_, exist_ok=True)
    for name, content in ICONS.items():
        with open(os.path.join(folder_, name + '.svg'), 'w') as f:
            f.write(content)
    with open(os.path.join(OUT, 'icons.qrc'), 'w') as f:
        f.write('<!DOCTYPE RCC><RCC version="1.0">\n<qresource prefix="/icons">\n')
        for name in sorted(ICONS):
            f.write(f'    <file alias="{name}.svg">icons/{name}.svg</file>\n')
        f.write('</qresource>\n</RCC>\n')
    print(len(ICONS), 'icons')

if __name__ == '__main__':
    main()
