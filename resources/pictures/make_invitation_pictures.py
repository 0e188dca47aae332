#!/usr/bin/env python3
"""Draws the invitation window's turning globe (rcWorld1.svg .. rcWorld9.svg, one frame per
40 degrees of rotation) and the waiting window's two small pictures (rcWaitComputer.svg,
rcWaitKey.svg). Run it in this folder and commit the SVG files it writes."""
import math

SIZE, CX, CY, R = 96, 48, 48, 43

# Rough outlines of the continents as (longitude, latitude) points.
LANDS = [
    [(-165, 65), (-140, 70), (-100, 72), (-80, 62), (-60, 52), (-78, 40), (-82, 27), (-97, 18),
     (-85, 10), (-78, 8), (-105, 22), (-118, 33), (-125, 48), (-150, 58)],
    [(-78, 8), (-60, 10), (-35, -6), (-40, -22), (-58, -38), (-68, -55), (-75, -45), (-72, -18),
     (-81, -5)],
    [(-10, 36), (-9, 44), (0, 49), (-5, 58), (10, 58), (25, 70), (60, 70), (100, 76), (140, 72),
     (170, 66), (160, 58), (140, 50), (130, 35), (120, 22), (105, 10), (100, 20), (90, 22),
     (80, 8), (72, 20), (57, 25), (50, 30), (36, 36), (28, 41), (12, 44)],
    [(-17, 15), (-10, 33), (10, 37), (32, 31), (43, 12), (51, 11), (40, -15), (32, -28),
     (20, -35), (13, -20), (9, 2), (-8, 5)],
    [(114, -22), (130, -12), (142, -11), (153, -26), (149, -38), (140, -38), (130, -32),
     (115, -34)],
]


def project(lon, lat, phase):
    lam = math.radians(lon - phase)
    phi = math.radians(lat)
    x = math.cos(phi) * math.sin(lam)
    y = math.sin(phi)
    front = math.cos(phi) * math.cos(lam) > 0
    if not front:
        # Points behind the globe are pulled onto its edge, so an outline crossing the edge
        # ends there.
        x = math.copysign(math.sqrt(max(0.0, 1 - y * y)), x)
    return CX + R * x, CY - R * y, front


def land_paths(phase):
    out = []
    for outline in LANDS:
        pts = []
        for (lon1, lat1), (lon2, lat2) in zip(outline, outline[1:] + outline[:1]):
            for i in range(4):
                t = i / 4
                pts.append(project(lon1 + (lon2 - lon1) * t, lat1 + (lat2 - lat1) * t, phase))
        if not any(front for _, _, front in pts):
            continue
        d = "M" + " L".join(f"{x:.1f},{y:.1f}" for x, y, _ in pts) + " Z"
        out.append(f'<path d="{d}" fill="url(#land)" stroke="#2f7a3a" stroke-width="0.8"/>')
    return out


def grid(phase):
    out = []
    for lat in (-60, -30, 0, 30, 60):
        y = CY - R * math.sin(math.radians(lat))
        half = R * math.cos(math.radians(lat))
        out.append(f'<line x1="{CX - half:.1f}" y1="{y:.1f}" x2="{CX + half:.1f}" y2="{y:.1f}"/>')
    for lon in range(0, 360, 30):
        pts = []
        for lat in range(-90, 91, 10):
            x, y, front = project(lon, lat, phase)
            if front or abs(lat) == 90:
                pts.append((x, y))
        if len(pts) > 2:
            out.append('<polyline fill="none" points="' +
                       " ".join(f"{x:.1f},{y:.1f}" for x, y in pts) + '"/>')
    return out


def globe(frame):
    phase = frame * 40
    parts = [
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{SIZE}" height="{SIZE}" '
        f'viewBox="0 0 {SIZE} {SIZE}">',
        '<defs>',
        '<radialGradient id="sea" cx="0.38" cy="0.34" r="0.75">'
        '<stop offset="0" stop-color="#8cc8f2"/><stop offset="0.6" stop-color="#3d86cf"/>'
        '<stop offset="1" stop-color="#1d4f96"/></radialGradient>',
        '<linearGradient id="land" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#8fd07a"/><stop offset="1" stop-color="#4f9e45"/>'
        '</linearGradient>',
        '<radialGradient id="shine" cx="0.33" cy="0.28" r="0.5">'
        '<stop offset="0" stop-color="#ffffff" stop-opacity="0.55"/>'
        '<stop offset="1" stop-color="#ffffff" stop-opacity="0"/></radialGradient>',
        f'<clipPath id="disc"><circle cx="{CX}" cy="{CY}" r="{R}"/></clipPath>',
        '</defs>',
        f'<ellipse cx="{CX}" cy="{CY + R + 1.5}" rx="{R * 0.7:.1f}" ry="2.5" fill="#000" '
        'fill-opacity="0.12"/>',
        f'<circle cx="{CX}" cy="{CY}" r="{R}" fill="url(#sea)"/>',
        '<g clip-path="url(#disc)">',
        *land_paths(phase),
        '<g stroke="#ffffff" stroke-opacity="0.35" stroke-width="0.7">',
        *grid(phase),
        '</g></g>',
        f'<circle cx="{CX}" cy="{CY}" r="{R}" fill="url(#shine)"/>',
        f'<circle cx="{CX}" cy="{CY}" r="{R - 0.5}" fill="none" stroke="#17457f" stroke-width="1"/>',
        '</svg>',
    ]
    return "\n".join(parts) + "\n"


COMPUTER = """<svg xmlns="http://www.w3.org/2000/svg" width="40" height="34" viewBox="0 0 40 34">
  <defs>
    <linearGradient id="screen" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#9fd0f5"/>
      <stop offset="1" stop-color="#3d86cf"/>
    </linearGradient>
    <linearGradient id="case" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#f2f5f9"/>
      <stop offset="1" stop-color="#b9c6d6"/>
    </linearGradient>
  </defs>
  <rect x="2.5" y="1.5" width="35" height="24" rx="2.5" fill="url(#case)" stroke="#5d7594"/>
  <rect x="5.5" y="4.5" width="29" height="18" rx="1" fill="url(#screen)" stroke="#36577f" stroke-width="0.8"/>
  <path d="M7,6 H22 L9,20 H7 Z" fill="#ffffff" fill-opacity="0.25"/>
  <path d="M16,26 H24 L25.5,30 H14.5 Z" fill="#9aabc0" stroke="#5d7594" stroke-width="0.8"/>
  <rect x="10.5" y="30" width="19" height="3" rx="1.5" fill="url(#case)" stroke="#5d7594" stroke-width="0.8"/>
</svg>
"""

KEY = """<svg xmlns="http://www.w3.org/2000/svg" width="28" height="16" viewBox="0 0 28 16">
  <defs>
    <linearGradient id="gold" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#ffe28a"/>
      <stop offset="1" stop-color="#e0a21c"/>
    </linearGradient>
  </defs>
  <circle cx="7" cy="8" r="5.5" fill="url(#gold)" stroke="#9a6b0c" stroke-width="1"/>
  <circle cx="6" cy="8" r="2" fill="#f4f7fb" stroke="#9a6b0c" stroke-width="0.8"/>
  <path d="M12,6.5 H26 V9.5 H24 V12.5 H21.5 V9.5 H19.5 V11.5 H17 V9.5 H12 Z" fill="url(#gold)"
        stroke="#9a6b0c" stroke-width="0.9" stroke-linejoin="round"/>
</svg>
"""

if __name__ == "__main__":
    for frame in range(9):
        with open(f"rcWorld{frame + 1}.svg", "w") as f:
            f.write(globe(frame))
    with open("rcWaitComputer.svg", "w") as f:
        f.write(COMPUTER)
    with open("rcWaitKey.svg", "w") as f:
        f.write(KEY)
