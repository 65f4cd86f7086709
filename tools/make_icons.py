#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the program's tray icons as 32 x 32 XPM pictures of at most 16 colours:
MAINICON, a bell at rest, and ICON_1..ICON_6, the bell swinging with sound waves; and
the alarms window's button pictures. Each comes twice: at its size and, for screens at
twice the pixels, drawn again at double size (NAME@2x.xpm, which Qt picks by that name).
Run from the source folder: python3 tools/make_icons.py"""
import math
import os
import subprocess

SIZE = 32
PALETTE = {
    ' ': 'None',      # transparent
    'o': '#3b2a00',   # outline
    'g': '#f2b705',   # bell
    'h': '#ffe680',   # highlight
    's': '#b07d00',   # shade
    'c': '#5a4300',   # clapper
    'w': '#ffffff',   # sound waves
    'r': '#d62828',   # ring mark
}


def bell_pixel(x, y):
    """Classifies a point in bell coordinates (pivot at 0,0, bell hanging down)."""
    # Knob at the top.
    if (x * x + (y - 2.5) ** 2) <= 2.2 ** 2:
        return 'o' if (x * x + (y - 2.5) ** 2) > 1.2 ** 2 else 'g'
    # Body: half-width grows from the shoulder down to the rim.
    if 4 <= y <= 20:
        t = (y - 4) / 16.0
        half = 5.5 + 5.5 * t ** 1.6
        if abs(x) <= half:
            if abs(x) > half - 1.3 or y < 5:
                return 'o'
            if x < -half * 0.35:
                return 'h'
            if x > half * 0.45:
                return 's'
            return 'g'
    # Rim.
    if 20 < y <= 22.5 and abs(x) <= 12.5:
        return 'o' if (y > 21.5 or abs(x) > 11.5) else 's'
    # Clapper below the rim.
    if (x * x + (y - 24.5) ** 2) <= 2.3 ** 2:
        return 'c'
    return None


def draw(angle_deg, waves, k=1):
    """The picture at k times its size: each pixel samples its centre in the 32-unit
    drawing."""
    n = SIZE * k
    grid = [[' '] * n for _ in range(n)]
    a = math.radians(angle_deg)
    px, py = 16.0, 3.0
    for j in range(n):
        for i in range(n):
            # Sample the pixel centre, rotated back into bell coordinates.
            dx, dy = (i + 0.5) / k - px, (j + 0.5) / k - py
            bx = dx * math.cos(a) + dy * math.sin(a)
            by = -dx * math.sin(a) + dy * math.cos(a)
            p = bell_pixel(bx, by)
            if p:
                grid[j][i] = p
    # Sound waves: short arcs beside the bell on the side it swings to.
    for side, strength in waves:
        for ring in range(strength):
            radius = 12.5 + 2.5 * ring
            for j in range(n):
                for i in range(n):
                    dx, dy = ((i + 0.5) / k - 16) * side, (j + 0.5) / k - 13
                    if dx <= 0 or grid[j][i] != ' ':
                        continue
                    if abs(math.degrees(math.atan2(dy, dx))) < 38 and \
                            abs(math.hypot(dx, dy) - radius) < 0.7:
                        grid[j][i] = 'r'
    return grid


def write(name, grid, palette=PALETTE, k=1):
    size = len(grid)
    used = sorted({c for row in grid for c in row} | {' '})
    lines = ['/* XPM */', 'static const char *%s[] = {' % name.lower().replace('@', '_'),
             '"%d %d %d 1",' % (size, size, len(used))]
    lines += ['"%s c %s",' % (c, palette[c]) for c in used]
    lines += ['"%s"%s' % (''.join(row), ',' if n < size - 1 else '') for n, row in enumerate(grid)]
    lines.append('};')
    with open('resources/icons/%s%s.xpm' % (name, '@2x' if k == 2 else ''), 'w') as f:
        f.write('\n'.join(lines) + '\n')


frames = [(12, [(-1, 1)]), (22, [(-1, 2)]), (10, [(-1, 1)]), (-12, [(1, 1)]), (-22, [(1, 2)]), (-10, [(1, 1)])]
for k in (1, 2):
    write('MAINICON', draw(0, [], k), k=k)
    for n, (angle, waves) in enumerate(frames, 1):
        write('ICON_%d' % n, draw(angle, waves, k), k=k)


# Pictures of the alarms window's buttons, 24 x 24, each in a normal and a greyed form.
BUTTON = 24


def glyph(kind, x, y):
    cx, cy = x - 11.5, y - 11.5
    if kind == 'add':  # a plus
        return abs(cx) <= 2.5 and abs(cy) <= 9 or abs(cy) <= 2.5 and abs(cx) <= 9
    if kind == 'delete':  # a cross
        return (abs(cx - cy) <= 2.6 or abs(cx + cy) <= 2.6) and abs(cx) <= 8.5 and abs(cy) <= 8.5
    if kind == 'edit':  # a pencil lying from lower left to upper right
        u, v = (cx + cy) / 1.414, (cx - cy) / 1.414
        return abs(u) <= 2.4 and -10 <= v <= 8
    if kind == 'close':  # a door with an arrow out of it
        door = 1 <= x <= 12 and 2 <= y <= 21 and (x <= 3 or x >= 10 or y <= 4 or y >= 19)
        arrow = (abs(cy) <= 1.5 and 6 <= x <= 20) or (abs(cy) <= (x - 14) and 14 <= x <= 21 and abs(cy) <= 21 - x)
        return door or arrow
    return False


COLOURS = {'add': '#2e8b2e', 'delete': '#c62828', 'edit': '#1f5fbf', 'close': '#6d4c2f'}


def write_button(kind, grey, k):
    colour = '#9a9a9a' if grey else COLOURS[kind]
    # Pixel centres of the double size fall between the single size's.
    at = [(i + 0.5) / k - 0.5 for i in range(BUTTON * k)]
    grid = [['x' if glyph(kind, x, y) else ' ' for x in at] for y in at]
    name = 'BTN_%s%s' % (kind.upper(), '_GREY' if grey else '')
    write(name, grid, {' ': 'None', 'x': colour}, k)


for kind in COLOURS:
    for k in (1, 2):
        write_button(kind, False, k)
        write_button(kind, True, k)


# The launcher's bell for the desktop's icon theme: the same bell as MAINICON drawn as
# a vector picture, and from it the sizes a theme asks for (rsvg-convert, librsvg2-bin).
APP_ID = 'org.ostrand.Tockwell'
THEME_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def bell_svg():
    px, py = 16.0, 3.0
    left, right = [], []
    for k in range(17):
        y = 4 + k
        half = 5.5 + 5.5 * (k / 16.0) ** 1.6
        left.append('%.2f,%.2f' % (px - half, py + y))
        right.append('%.2f,%.2f' % (px + half, py + y))
    body = 'M' + ' L'.join(right + left[::-1]) + ' Z'
    return f'''<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
  <defs>
    <linearGradient id="metal" x1="0" x2="1" y1="0" y2="0">
      <stop offset="0" stop-color="{PALETTE['h']}"/>
      <stop offset="0.3" stop-color="{PALETTE['h']}"/>
      <stop offset="0.34" stop-color="{PALETTE['g']}"/>
      <stop offset="0.7" stop-color="{PALETTE['g']}"/>
      <stop offset="0.75" stop-color="{PALETTE['s']}"/>
      <stop offset="1" stop-color="{PALETTE['s']}"/>
    </linearGradient>
  </defs>
  <circle cx="{px}" cy="{py + 24.5}" r="2.3" fill="{PALETTE['c']}"/>
  <path d="{body}" fill="url(#metal)" stroke="{PALETTE['o']}" stroke-width="1.2" stroke-linejoin="round"/>
  <rect x="{px - 12}" y="{py + 20.5}" width="24" height="2" fill="{PALETTE['s']}" stroke="{PALETTE['o']}" stroke-width="1"/>
  <circle cx="{px}" cy="{py + 2.5}" r="1.7" fill="{PALETTE['g']}" stroke="{PALETTE['o']}" stroke-width="1"/>
</svg>
'''


os.makedirs('resources/icons/hicolor', exist_ok=True)
svg_path = 'resources/icons/%s.svg' % APP_ID
with open(svg_path, 'w') as f:
    f.write(bell_svg())
for size in THEME_SIZES:
    subprocess.run(['rsvg-convert', '-w', str(size), '-h', str(size), '-o',
                    'resources/icons/hicolor/%s-%d.png' % (APP_ID, size), svg_path], check=True)
