#!/usr/bin/env python3
"""Draws the main window's pictures: the toolbar buttons (24 x 24, each with its "Sel" variant
shown under the pointer), the toolbar background, the start page panel, the tray animation,
the update question, the about window, the guides' header, title, steps and footer, the
connection meter, and the application icon (../icons/quorvia.svg). Run it in this folder and
commit the SVG files it writes. Everything is plain shapes; no text, so no font is needed."""
import math
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
INK = "#164386"
ACCENT = "#d63c28"
GREEN = "#1e8c46"
PAPER = "#fafcff"
SKY = "#bedcf5"


def svg(w, h, body, defs=""):
    d = f"<defs>{defs}</defs>" if defs else ""
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="0 0 {w} {h}">{d}{body}</svg>\n')


def write(name, text, folder=HERE):
    (folder / name).write_text(text, encoding="utf-8")


def stroke(c, w=1.6):
    return f'stroke="{c}" stroke-width="{w}" stroke-linecap="round" stroke-linejoin="round"'


def arrow(x1, y1, x2, y2, c, w=1.8, head=4.0):
    a = math.atan2(y2 - y1, x2 - x1)
    pts = []
    for s in (+1, -1):
        b = a + math.pi - s * math.radians(35)
        pts.append((x2 + head * math.cos(b), y2 + head * math.sin(b)))
    return (f'<path d="M{x1:.1f} {y1:.1f}L{x2:.1f} {y2:.1f}M{pts[0][0]:.1f} {pts[0][1]:.1f}'
            f'L{x2:.1f} {y2:.1f}L{pts[1][0]:.1f} {pts[1][1]:.1f}" fill="none" {stroke(c, w)}/>')


def monitor(x, y, w, h):
    cx = x + w / 2
    return (f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="1.5" fill="{PAPER}" '
            f'{stroke(INK)}/><path d="M{cx} {y + h}v2.5M{cx - 4} {y + h + 2.5}h8" '
            f'fill="none" {stroke(INK)}/>')


def landscape(slash):
    out = (f'<rect x="3" y="5" width="18" height="14" fill="{SKY}" {stroke(INK)}/>'
           f'<path d="M3 19L9.3 10.6 13.8 14.8 17.4 12 21 19Z" fill="#46965a" {stroke(INK, 1.2)}/>'
           f'<circle cx="17" cy="9" r="2" fill="#fac828"/>')
    if slash:
        out += f'<path d="M3 21L21 3" {stroke(ACCENT, 2.4)}/>'
    return out


def clipboard(up):
    out = (f'<rect x="4" y="4" width="12" height="16" rx="1.5" fill="#e6c896" {stroke(INK)}/>'
           f'<rect x="7" y="2.5" width="6" height="3" fill="{PAPER}" {stroke(INK, 1.2)}/>'
           f'<path d="M7 10h6M7 13h6M7 16h4" {stroke(INK, 1)}/>')
    return out + (arrow(19, 20, 19, 8, GREEN, 2.2) if up else arrow(19, 7, 19, 20, GREEN, 2.2))


def document(x, y):
    return (f'<path d="M{x} {y}h7l3 3v10h-10Z" fill="{PAPER}" {stroke(INK, 1.3)}/>'
            f'<path d="M{x + 2} {y + 6}h6M{x + 2} {y + 9}h6" {stroke(INK, 0.9)}/>')


def corner_arrows(outward):
    out = ""
    for kx, ky in ((3, 3), (21, 3), (3, 21), (21, 21)):
        ix, iy = 12 + (kx - 12) * 0.35, 12 + (ky - 12) * 0.35
        out += arrow(ix, iy, kx, ky, INK) if outward else arrow(kx, ky, ix, iy, INK)
    return out


def power(colour, arrowhead=False):
    out = (f'<circle cx="12" cy="12" r="10" fill="{colour}" {stroke(INK, 1)}/>'
           f'<path d="M8.2 8.6A5.4 5.4 0 1 0 15.8 8.6" fill="none" {stroke("white", 2)}/>'
           f'<path d="M12 6v6" {stroke("white", 2)}/>')
    return out


def scale(prop, off):
    inner = '<rect x="7" y="7" width="10" height="10"' if prop else \
        '<rect x="5" y="9" width="14" height="6"'
    out = (f'<rect x="2.5" y="2.5" width="19" height="19" fill="{PAPER}" {stroke(INK, 1.3)}/>'
           f'{inner} fill="{SKY}" {stroke(INK, 1.3)}/>')
    if prop:
        out += arrow(16, 8, 20, 4, INK, 1.5) + arrow(8, 16, 4, 20, INK, 1.5)
    else:
        out += arrow(12, 9, 12, 4, INK, 1.5) + arrow(12, 15, 12, 20, INK, 1.5)
    if off:
        out += f'<path d="M3 21L21 3" {stroke(ACCENT, 2.2)}/>'
    return out


def pin(upright):
    rot = "" if upright else ' transform="rotate(45 12 12)"'
    return (f'<g{rot}><rect x="8" y="2" width="8" height="8" rx="2" fill="{ACCENT}" '
            f'{stroke(INK)}/><rect x="6" y="9" width="12" height="2.5" fill="{ACCENT}" '
            f'{stroke(INK)}/><path d="M12 11.5V22" {stroke(INK, 1.4)}/></g>')


BUTTONS = {
    "Connect": power(GREEN),
    "Disconnect": power(ACCENT),
    "HostInfo": (f'<circle cx="12" cy="12" r="9" fill="#3c78d2" {stroke(INK)}/>'
                 f'<circle cx="12" cy="7.5" r="1.4" fill="white"/>'
                 f'<path d="M12 11v6" {stroke("white", 2.4)}/>'),
    "Refresh": (f'<path d="M18.9 8A8 8 0 1 0 20 12" fill="none" {stroke(GREEN, 2.2)}/>'
                f'<path d="M19.5 3.5V8.5H14.5" fill="none" {stroke(GREEN, 2.2)}/>'),
    "HideWallpaper": landscape(True),
    "ShowWallpaper": landscape(False),
    "TaskManager": (monitor(3, 3, 18, 14) +
                    f'<path d="M6 15v-4h3v4ZM10.5 15v-7h3v7ZM15 15v-5h3v5Z" fill="{GREEN}"/>'),
    "CtrlAltDel": "".join(f'<rect x="{x}" y="8" width="6" height="8" rx="1.2" fill="{PAPER}" '
                          f'{stroke(INK, 1.2)}/><path d="M{x + 1.5} 14h3" {stroke(INK, 1)}/>'
                          for x in (1.5, 9, 16.5)),
    "Reboot": (f'<path d="M7.4 6.4A8 8 0 1 0 16.6 6.4" fill="none" {stroke(ACCENT, 2.2)}/>'
               f'<path d="M12 3v9" {stroke(ACCENT, 2.2)}/>'),
    "PrintScreen": (f'<rect x="7" y="3" width="10" height="6" fill="{PAPER}" {stroke(INK)}/>'
                    f'<rect x="3" y="9" width="18" height="8" rx="1.5" fill="#aab4c3" '
                    f'{stroke(INK)}/><rect x="7" y="14" width="10" height="7" fill="{PAPER}" '
                    f'{stroke(INK)}/><circle cx="18" cy="12" r="0.9" fill="{GREEN}"/>'),
    "ChatBtn": (f'<path d="M6 4h12a3 3 0 0 1 3 3v6a3 3 0 0 1-3 3H11l-5 5 1-5H6a3 3 0 0 1-3-3V7'
                f'a3 3 0 0 1 3-3Z" fill="#fff0aa" {stroke(INK)}/>'
                + "".join(f'<circle cx="{x}" cy="10" r="1.1" fill="{INK}"/>' for x in (8, 12, 16))),
    "DownloadClip": clipboard(False),
    "UploadClip": clipboard(True),
    "FileTransfer": document(2, 2) + document(12, 9) + arrow(5, 19.5, 10.5, 19.5, GREEN),
    "Screenshot": (f'<rect x="2" y="7" width="20" height="13" rx="2" fill="#5a6478" {stroke(INK)}/>'
                   f'<rect x="8" y="4.5" width="8" height="3" fill="#5a6478" {stroke(INK)}/>'
                   f'<circle cx="12" cy="13.5" r="4.5" fill="#b4d2f0" {stroke(INK)}/>'
                   f'<circle cx="12" cy="13.5" r="1.8" fill="{INK}"/>'),
    "StartRecording": (f'<circle cx="12" cy="12" r="8" fill="{ACCENT}" {stroke(INK, 1.2)}/>'
                       f'<circle cx="9.5" cy="9.5" r="2" fill="white" opacity="0.45"/>'),
    "StopRecording": f'<rect x="5" y="5" width="14" height="14" rx="2" fill="#3c3c46" {stroke(INK, 1.2)}/>',
    "FullScreen": corner_arrows(True),
    "NormalScreen": corner_arrows(False),
    "FitToScreen": (monitor(2, 3, 20, 15) + arrow(9, 10.5, 4.5, 10.5, ACCENT, 1.6)
                    + arrow(15, 10.5, 19.5, 10.5, ACCENT, 1.6)),
    "ScalePropOn": scale(True, False),
    "ScalePropOff": scale(True, True),
    "ScaleMaxOn": scale(False, False),
    "ScaleMaxOff": scale(False, True),
    "NailUp": pin(False),
    "NailDown": pin(True),
    "ToTray": (f'<rect x="2" y="2" width="15" height="11" rx="1.5" fill="{PAPER}" {stroke(INK)}/>'
               f'<path d="M2 5h15" {stroke(INK, 1.2)}/>'
               + arrow(14, 9, 18.5, 16, GREEN, 1.8)
               + f'<rect x="2" y="18.5" width="20" height="3.5" rx="1" fill="#8aa3bf" '
                 f'{stroke(INK, 1)}/><circle cx="18.5" cy="20.2" r="1" fill="{GREEN}"/>'),
}

SEL_BACKGROUND = ('<rect x="0.5" y="0.5" width="23" height="23" rx="4" fill="#ffe8aa" '
                  'stroke="#e6961e" stroke-width="1"/>')


def buttons():
    for name, glyph in BUTTONS.items():
        write(f"rc{name}.svg", svg(24, 24, glyph))
        write(f"rc{name}Sel.svg", svg(24, 24, SEL_BACKGROUND + glyph))


def toolbar_background():
    # 31 pixels thick; stretched along the bar, so it is drawn as a short tile.
    defs = ('<linearGradient id="g" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="#f4f8fc"/><stop offset="0.55" stop-color="#dce6f1"/>'
            '<stop offset="1" stop-color="#c3d2e3"/></linearGradient>')
    body = ('<rect width="64" height="31" fill="url(#g)"/>'
            '<path d="M0 0.5h64" stroke="white" stroke-width="1"/>'
            '<path d="M0 30.5h64" stroke="#8aa3bf" stroke-width="1"/>')
    write("rcToolBar.svg", svg(64, 31, body, defs))


def globe_mark(cx, cy, r, sea="#2a6fb8", land=None):
    """A globe of meridians and parallels over a lit sphere."""
    gid = f"gm{int(cx)}{int(cy)}{int(r)}"
    w = max(0.8, r / 18)
    lines = "".join(
        f'<ellipse cx="{cx}" cy="{cy}" rx="{r * k:.2f}" ry="{r}" fill="none" stroke="white" '
        f'stroke-opacity="0.55" stroke-width="{w:.2f}"/>' for k in (0.3, 0.7))
    for t in (-0.5, 0, 0.5):
        y = cy + r * t
        half = r * math.sqrt(1 - t * t)
        lines += (f'<path d="M{cx - half:.2f} {y:.2f}h{2 * half:.2f}" stroke="white" '
                  f'stroke-opacity="0.55" stroke-width="{w:.2f}"/>')
    return (f'<radialGradient id="{gid}" cx="0.35" cy="0.3" r="0.75">'
            f'<stop offset="0" stop-color="#9fd0f5"/><stop offset="0.55" stop-color="{sea}"/>'
            f'<stop offset="1" stop-color="#0c2f5c"/></radialGradient>'
            f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="url(#{gid})"/>{lines}'
            f'<path d="M{cx} {cy - r}v{2 * r}" stroke="white" stroke-opacity="0.55" '
            f'stroke-width="{w:.2f}"/>'
            f'<circle cx="{cx}" cy="{cy}" r="{r - w / 2:.2f}" fill="none" stroke="white" '
            f'stroke-opacity="0.8" stroke-width="{w:.2f}"/>')


def splash():
    # The start page's picture panel, 650 x 500: a light card with a blue band on top, the
    # globe mark, and room for the quick links; the links are labels laid over it.
    defs = ('<linearGradient id="band" x1="0" y1="0" x2="1" y2="1">'
            '<stop offset="0" stop-color="#1f5fa8"/><stop offset="1" stop-color="#103d73"/>'
            '</linearGradient><linearGradient id="card" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="#ffffff"/><stop offset="1" stop-color="#eef3f9"/>'
            '</linearGradient>')
    body = ('<rect x="0.5" y="0.5" width="649" height="499" rx="10" fill="url(#card)" '
            'stroke="#8aa3bf"/>'
            '<path d="M10.5 0.5h629a10 10 0 0 1 10 10V78H0.5V10.5a10 10 0 0 1 10-10Z" '
            'fill="url(#band)"/>'
            '<path d="M0.5 78c160 26 420 -26 649 8V78Z" fill="#103d73" opacity="0.35"/>'
            + globe_mark(44, 39, 24) +
            # stylised wordmark bars stand in for the product name drawn by the window
            '<path d="M30 470h590" stroke="#c4d0de" stroke-width="1"/>'
            '<rect x="30" y="112" width="4" height="120" rx="2" fill="#1f5fa8"/>'
            '<rect x="340" y="112" width="4" height="120" rx="2" fill="#1f5fa8"/>'
            '<rect x="30" y="270" width="4" height="160" rx="2" fill="#1f5fa8"/>'
            '<rect x="340" y="270" width="4" height="160" rx="2" fill="#1f5fa8"/>')
    write("rcSplash.svg", svg(650, 500, body, defs))


def tray_frames():
    # Eight pictures of a small screen whose signal arcs light up in turn.
    for i in range(8):
        arcs = ""
        for k in range(3):
            lit = (i + k) % 4 != 3 and k <= i % 4
            col = "#58d26e" if lit else "#7d93ad"
            r = 3 + k * 3
            arcs += (f'<path d="M{22 - r * 0.7:.1f} {10 - r * 0.7:.1f}A{r} {r} 0 0 1 '
                     f'{22 + r * 0.7:.1f} {10 - r * 0.7:.1f}" fill="none" {stroke(col, 1.8)}/>')
        body = (f'<rect x="2" y="12" width="18" height="13" rx="2" fill="{PAPER}" '
                f'{stroke(INK, 1.6)}/><rect x="4.5" y="14.5" width="13" height="8" '
                f'fill="#3c78d2"/><path d="M8 29h6M11 25v4" {stroke(INK, 1.6)}/>'
                f'<circle cx="22" cy="10" r="1.6" fill="{GREEN}"/>{arcs}')
        write(f"rcTray{i + 1}.svg", svg(32, 32, body))


def upgrade():
    body = (f'<rect x="10" y="22" width="44" height="34" rx="4" fill="#e6c896" {stroke(INK, 2)}/>'
            f'<path d="M10 34h44" {stroke(INK, 1.5)}/>'
            f'<circle cx="46" cy="18" r="14" fill="{GREEN}" {stroke(INK, 1.5)}/>'
            + arrow(46, 9, 46, 27, "white", 3, 6))
    write("rcUpgrade.svg", svg(64, 64, body))


def about():
    defs = ('<linearGradient id="bg" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="#123a6b"/><stop offset="1" stop-color="#050d1a"/>'
            '</linearGradient><radialGradient id="glow" cx="0.85" cy="0.1" r="0.6">'
            '<stop offset="0" stop-color="#3b7fd0" stop-opacity="0.55"/>'
            '<stop offset="1" stop-color="#3b7fd0" stop-opacity="0"/></radialGradient>')
    body = ('<rect width="550" height="370" fill="url(#bg)"/>'
            '<rect width="550" height="370" fill="url(#glow)"/>'
            + globe_mark(58, 50, 30) +
            '<path d="M28 132h494" stroke="#3b6aa3" stroke-width="1"/>'
            '<path d="M0 360c150 -18 400 -18 550 0V370H0Z" fill="#1f5fa8" opacity="0.5"/>')
    write("rcAbout.svg", svg(550, 370, body, defs))


def guides():
    defs = ('<linearGradient id="h" x1="0" y1="0" x2="1" y2="0">'
            '<stop offset="0" stop-color="#103d73"/><stop offset="1" stop-color="#2a6fb8"/>'
            '</linearGradient>')
    header = ('<rect width="640" height="96" fill="url(#h)"/>'
              '<path d="M0 96c200 -40 440 -40 640 -8V96Z" fill="white" opacity="0.12"/>'
              + globe_mark(590, 40, 28))
    write("rcUserGetStartedHeader.svg", svg(640, 96, header, defs))
    title = ('<rect x="0.5" y="0.5" width="599" height="25" rx="5" fill="url(#h)"/>')
    write("rcUserGetStartedTitle.svg", svg(600, 26, title, defs))
    footer = ('<rect width="640" height="36" fill="url(#h)"/>'
              '<path d="M0 0h640" stroke="#8aa3bf" stroke-width="2"/>')
    write("rcUserGetStartedFooter.svg", svg(640, 36, footer, defs))
    # Step 1: the connection settings dialog with its account fields and the Save button.
    step1 = ('<rect x="0.5" y="0.5" width="359" height="129" rx="6" fill="#eef3f9" '
             'stroke="#8aa3bf"/><rect x="0.5" y="0.5" width="359" height="22" rx="6" '
             'fill="url(#h)"/>'
             + "".join(f'<rect x="24" y="{y}" width="90" height="8" rx="2" fill="#9fb3ca"/>'
                       f'<rect x="130" y="{y - 5}" width="200" height="18" rx="3" fill="white" '
                       f'stroke="#8aa3bf"/>' for y in (42, 70))
             + '<rect x="250" y="98" width="80" height="22" rx="4" fill="#dfe7f1" '
               f'stroke="{INK}"/><path d="M275 109h30" stroke="{INK}" stroke-width="2"/>')
    write("rcUserGetStartedStep1.svg", svg(360, 130, step1, defs))
    # Step 2: the main window with its toolbar, the session key, and a letter on its way.
    step2 = ('<rect x="0.5" y="0.5" width="239" height="129" rx="6" fill="white" '
             'stroke="#8aa3bf"/><rect x="0.5" y="0.5" width="239" height="20" rx="6" '
             'fill="url(#h)"/><rect x="1" y="21" width="238" height="16" fill="#dce6f1"/>'
             + "".join(f'<rect x="{6 + 18 * i}" y="24" width="12" height="10" rx="2" '
                       f'fill="{c}"/>' for i, c in enumerate(
                           [GREEN, "#3c78d2", GREEN, "#46965a", "#5a6478", ACCENT, "#e6c896"]))
             + '<rect x="40" y="62" width="160" height="26" rx="4" fill="#fff0aa" '
               f'stroke="{INK}"/>'
             + "".join(f'<rect x="{52 + 14 * i}" y="70" width="9" height="10" rx="1.5" '
                       f'fill="{INK}"/>' for i in range(10))
             + f'<rect x="270" y="52" width="70" height="46" rx="3" fill="{PAPER}" '
               f'stroke="{INK}" stroke-width="1.6"/><path d="M270 52l35 26 35-26" fill="none" '
               f'stroke="{INK}" stroke-width="1.6"/>'
             + arrow(212, 75, 262, 75, GREEN, 3, 7))
    write("rcUserGetStartedStep2.svg", svg(360, 130, step2, defs))
    meter = ('<rect x="0.5" y="0.5" width="119" height="13" rx="2" fill="white" '
             'stroke="#8aa3bf"/><rect x="2" y="2" width="84" height="10" rx="1.5" '
             f'fill="{GREEN}"/><rect x="2" y="2" width="84" height="4" rx="1.5" fill="white" '
             'opacity="0.35"/>')
    write("rcConnectionMeter.svg", svg(120, 14, meter))


def app_icon():
    defs = ('<linearGradient id="b" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="#2a6fb8"/><stop offset="1" stop-color="#103d73"/>'
            '</linearGradient>')
    body = ('<rect x="8" y="8" width="112" height="112" rx="24" fill="url(#b)"/>'
            '<rect x="26" y="32" width="76" height="52" rx="6" fill="#fafcff"/>'
            '<rect x="32" y="38" width="64" height="40" rx="3" fill="#3c78d2"/>'
            '<path d="M50 96h28M64 84v12" stroke="#fafcff" stroke-width="6" '
            'stroke-linecap="round"/>'
            + globe_mark(86, 44, 16, sea="#1f5fa8") +
            '<path d="M40 70l12-12 9 8 14-16" fill="none" stroke="#58d26e" stroke-width="4" '
            'stroke-linecap="round" stroke-linejoin="round"/>')
    folder = HERE.parent / "icons"
    folder.mkdir(exist_ok=True)
    write("quorvia.svg", svg(128, 128, body, defs), folder)


if __name__ == "__main__":
    buttons()
    toolbar_background()
    splash()
    tray_frames()
    upgrade()
    about()
    guides()
    app_icon()
