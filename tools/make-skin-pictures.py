#!/usr/bin/env python3
"""Makes the pictures of the two shipped skins (programdata/skins/default and
programdata/skins/dark) and the shared pictures in programdata/skins/.

Icons come from the public-domain Tango icon theme (Debian package
tango-icon-theme), rendered with rsvg-convert (package librsvg2-bin); the
few symbols Tango lacks (OK sign, shield, registry blocks, check boxes) and
the window-frame pictures are drawn here as small SVGs of our own. Everything
else - composing, tinting, PNG, BMP and GIF writing - is plain Python, so
the only tools needed are those two packages:

    apt-get install tango-icon-theme librsvg2-bin
    python3 tools/make-skin-pictures.py

The output is committed; the build never runs this script. Run it again after
changing the cell table or the skin colours below.
"""

import math
import os
import struct
import subprocess
import sys
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SKINS = os.path.join(ROOT, "programdata", "skins")
TANGO = "/usr/share/icons/Tango/scalable"
CELL = 64
CELL_COUNT = 232  # cells 0 to 231; the program uses numbers up to 224


# --- pictures in memory ---------------------------------------------------

class Image:
    """Straight-alpha RGBA pixels, rows top to bottom."""

    def __init__(self, width, height, colour=(0, 0, 0, 0)):
        self.width, self.height = width, height
        self.pixels = bytearray(bytes(colour) * (width * height))

    def get(self, x, y):
        i = (y * self.width + x) * 4
        return tuple(self.pixels[i:i + 4])

    def put(self, x, y, rgba):
        i = (y * self.width + x) * 4
        self.pixels[i:i + 4] = bytes(rgba)

    def draw_over(self, other, left, top, opacity=1.0):
        """Source-over drawing of `other` with its top-left at (left, top)."""
        for y in range(max(0, -top), min(other.height, self.height - top)):
            for x in range(max(0, -left), min(other.width, self.width - left)):
                sr, sg, sb, sa = other.get(x, y)
                if sa == 0:
                    continue
                a = sa / 255.0 * opacity
                dr, dg, db, da = self.get(left + x, top + y)
                d = da / 255.0
                out = a + d * (1 - a)
                if out <= 0:
                    continue
                mix = [round((s * a + t * d * (1 - a)) / out) for s, t in ((sr, dr), (sg, dg), (sb, db))]
                self.put(left + x, top + y, (*mix, round(out * 255)))

    def tinted(self, colour, amount):
        """Colours moved `amount` (0-1) of the way towards `colour`."""
        result = Image(self.width, self.height)
        p, q = self.pixels, result.pixels
        for i in range(0, len(p), 4):
            for c in range(3):
                q[i + c] = round(p[i + c] + (colour[c] - p[i + c]) * amount)
            q[i + 3] = p[i + 3]
        return result

    def flattened(self, background):
        """Opaque copy over a background colour (for BMP and GIF)."""
        result = Image(self.width, self.height, (*background, 255))
        result.draw_over(self, 0, 0)
        return result


def read_png(data):
    """Decodes the 8-bit, non-interlaced RGB or RGBA PNGs rsvg-convert writes."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    pos, idat, width, height, channels = 8, b"", 0, 0, 4
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour_type, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour_type in (2, 6) and interlace == 0, "unexpected PNG format"
            channels = 4 if colour_type == 6 else 3
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * channels
    image = Image(width, height)
    previous = bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            left = line[x - channels] if x >= channels else 0
            up = previous[x]
            corner = previous[x - channels] if x >= channels else 0
            if kind == 1:
                line[x] = (line[x] + left) & 255
            elif kind == 2:
                line[x] = (line[x] + up) & 255
            elif kind == 3:
                line[x] = (line[x] + (left + up) // 2) & 255
            elif kind == 4:
                estimate = left + up - corner
                pa, pb, pc = abs(estimate - left), abs(estimate - up), abs(estimate - corner)
                predictor = left if pa <= pb and pa <= pc else (up if pb <= pc else corner)
                line[x] = (line[x] + predictor) & 255
        if channels == 4:
            image.pixels[y * width * 4:(y + 1) * width * 4] = line
        else:
            for x in range(width):
                image.pixels[(y * width + x) * 4:(y * width + x) * 4 + 4] = line[x * 3:x * 3 + 3] + b"\xff"
        previous = line
    return image


def png_bytes(image):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    stride = image.width * 4
    raw = b"".join(b"\x00" + bytes(image.pixels[y * stride:(y + 1) * stride]) for y in range(image.height))
    header = struct.pack(">IIBBBBB", image.width, image.height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def bmp_bytes(image):
    """24-bit bottom-up BMP of an opaque picture."""
    row = (image.width * 3 + 3) & ~3
    body = bytearray()
    for y in range(image.height - 1, -1, -1):
        line = bytearray()
        for x in range(image.width):
            r, g, b, _ = image.get(x, y)
            line += bytes((b, g, r))
        body += line + b"\x00" * (row - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, image.width, image.height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    return header + info + bytes(body)


def lzw_encode(indexes, min_code_size):
    """GIF's variable-length LZW, as data sub-blocks."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    codes, bits, bit_count, out = [], 0, 0, bytearray()
    table = {(i,): i for i in range(clear)}
    size, next_code = min_code_size + 1, end + 1

    def emit(code):
        nonlocal bits, bit_count
        bits |= code << bit_count
        bit_count += size
        while bit_count >= 8:
            out.append(bits & 255)
            bits >>= 8
            bit_count -= 8

    emit(clear)
    current = ()
    for index in indexes:
        candidate = current + (index,)
        if candidate in table:
            current = candidate
            continue
        emit(table[current])
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code - 1 == (1 << size) and size < 12:
                size += 1
        else:
            emit(clear)
            table = {(i,): i for i in range(clear)}
            size, next_code = min_code_size + 1, end + 1
        current = (index,)
    if current:
        emit(table[current])
    emit(end)
    if bit_count:
        out.append(bits & 255)
    blocks = bytearray()
    for i in range(0, len(out), 255):
        part = out[i:i + 255]
        blocks += bytes((len(part),)) + part
    return bytes(blocks) + b"\x00"


def gif_bytes(frames, delay_cs, background):
    """An endlessly looping GIF of opaque frames, colours on a 6x6x6 cube
    plus the exact background colour, so the picture blends into its page."""
    width, height = frames[0].width, frames[0].height
    levels = [0, 51, 102, 153, 204, 255]
    palette = bytearray()
    for r in levels:
        for g in levels:
            for b in levels:
                palette += bytes((r, g, b))
    palette += bytes(background)
    palette += b"\x00" * (768 - len(palette))
    out = bytearray(b"GIF89a" + struct.pack("<HHBBB", width, height, 0xF7, 0, 0) + palette)
    out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"
    for frame in frames:
        indexes = []
        for y in range(height):
            for x in range(width):
                r, g, b, _ = frame.get(x, y)
                if (r, g, b) == tuple(background):
                    indexes.append(216)
                else:
                    indexes.append(round(r / 51) * 36 + round(g / 51) * 6 + round(b / 51))
        out += b"\x21\xF9\x04\x04" + struct.pack("<H", delay_cs) + b"\x00\x00"
        out += b"\x2C" + struct.pack("<HHHHB", 0, 0, width, height, 0)
        out += b"\x08" + lzw_encode(indexes, 8)
    out += b"\x3B"
    return bytes(out)


# --- rendering --------------------------------------------------------------

def render_svg_file(path, size, height=None):
    data = subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(height or size), path],
                          check=True, capture_output=True).stdout
    return read_png(data)


def render_svg(text, width, height=None):
    data = subprocess.run(["rsvg-convert", "-w", str(width), "-h", str(height or width)],
                          input=text.encode(), check=True, capture_output=True).stdout
    return read_png(data)


_tango_paths = {}


def tango_path(name):
    if not _tango_paths:
        for folder, _, files in os.walk(TANGO):
            for f in files:
                if f.endswith(".svg"):
                    _tango_paths.setdefault(f[:-4], os.path.join(folder, f))
    if name not in _tango_paths:
        sys.exit(f"make-skin-pictures: Tango icon {name} is missing (apt-get install tango-icon-theme)")
    return _tango_paths[name]


def svg(body, view=48):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{view}" height="{view}" '
            f'viewBox="0 0 {view} {view}">{body}</svg>')


# Symbols of our own, for what Tango does not have.
OWN_SYMBOLS = {
    "ok": svg('<circle cx="24" cy="24" r="20" fill="#4e9a06" stroke="#2e6a06" stroke-width="2"/>'
              '<path d="M13 25 l8 8 l15 -17" fill="none" stroke="#fff" stroke-width="5" '
              'stroke-linecap="round" stroke-linejoin="round"/>'),
    "shield": svg('<path d="M24 4 L40 10 V22 C40 33 33 40 24 44 C15 40 8 33 8 22 V10 Z" fill="#3465a4" '
                  'stroke="#204a87" stroke-width="2"/><path d="M24 8 L36 13 V22 C36 31 31 36 24 40 Z" '
                  'fill="#729fcf"/>'),
    "registry": svg(''.join(
        f'<g transform="translate({x},{y})"><path d="M0 6 L10 0 L20 6 L10 12 Z" fill="#8ae234"/>'
        f'<path d="M0 6 L10 12 V24 L0 18 Z" fill="#4e9a06"/><path d="M20 6 L10 12 V24 L20 18 Z" '
        f'fill="#73d216"/></g>' for x, y in ((4, 18), (24, 18), (14, 4)))),
    "registry-value": svg('<rect x="6" y="10" width="36" height="28" rx="4" fill="#eeeeec" stroke="#888a85" '
                          'stroke-width="2"/><text x="24" y="31" font-family="DejaVu Sans" font-size="16" '
                          'font-weight="bold" text-anchor="middle" fill="#cc0000">ab</text>'),
    "checked": svg('<rect x="8" y="8" width="32" height="32" rx="4" fill="#fff" stroke="#3465a4" '
                   'stroke-width="3"/><path d="M14 24 l7 7 l14 -15" fill="none" stroke="#4e9a06" '
                   'stroke-width="5" stroke-linecap="round" stroke-linejoin="round"/>'),
    "unchecked": svg('<rect x="8" y="8" width="32" height="32" rx="4" fill="#fff" stroke="#3465a4" '
                     'stroke-width="3"/>'),
    # What a removed program leaves behind: an open, empty box with a
    # dashed outline where the program stood.
    "leftover": svg('<path d="M8 22 L24 30 L40 22 V38 L24 46 L8 38 Z" fill="#c17d11" stroke="#8f5902" '
                    'stroke-width="2" stroke-linejoin="round"/><path d="M24 30 V46" stroke="#8f5902" '
                    'stroke-width="2"/><path d="M8 22 L2 16 L18 10 L24 16 Z M40 22 L46 16 L30 10 L24 16 Z" '
                    'fill="#e9b96e" stroke="#8f5902" stroke-width="2" stroke-linejoin="round"/>'
                    '<rect x="15" y="2" width="18" height="18" rx="3" fill="none" stroke="#555753" '
                    'stroke-width="2" stroke-dasharray="4 3"/>'),
    "eye": svg('<path d="M4 24 C12 12 36 12 44 24 C36 36 12 36 4 24 Z" fill="#fff" stroke="#555753" '
               'stroke-width="2"/><circle cx="24" cy="24" r="8" fill="#3465a4"/><circle cx="24" cy="24" '
               'r="3" fill="#000"/>'),
}


def symbol(name, size):
    if name in OWN_SYMBOLS:
        return render_svg(OWN_SYMBOLS[name], size)
    return render_svg_file(tango_path(name), size)


# --- the icon stripe -----------------------------------------------------------
# cell -> (main symbol, add-on symbol or None). Numbers are those the program
# asks for; each picture is chosen to fit every place that cell is shown.
CELLS = {
    0: ("ok", None),                                   # success, nothing found, recent-file lists
    1: ("application-x-executable", "emblem-system"),  # shared libraries; also the error cell
    2: ("help-browser", None),                         # questions, help files
    3: ("dialog-information", "application-x-executable"),  # notices, application paths
    4: ("dialog-warning", "preferences-desktop-font"),  # warnings, fonts
    5: ("dialog-error", "audio-x-generic"),            # errors, sounds
    6: ("start-here", None),                           # start-menu order
    7: ("system-installer", None),                     # installer folders and cache
    8: ("document-open", "edit-clear"),                # empty open-with record
    9: ("system-users", None),                         # usage records
    10: ("appointment", None),                         # history lists
    11: ("text-x-generic", "application-x-executable"),  # file type without program
    12: ("text-x-generic", "edit-clear"),              # empty file type
    13: ("text-x-generic", "emblem-symbolic-link"),    # file type with a broken link
    14: ("image-missing", None),                       # missing icon
    15: ("edit-find", None),                           # search, details, toolbox pictures
    16: ("emblem-system", None),                       # class servers (gears); exception add-on
    17: ("applications-graphics", "edit-clear"),       # empty toolbox picture
    18: ("preferences-system", "edit-clear"),          # empty server or help folder
    19: ("applications-development", "dialog-error"),  # missing type library
    20: ("checked", None),                             # marked entries
    21: ("unchecked", None),                           # unmarked, empty keys
    22: ("applications-other", None),                  # other settings, empty help files
    23: ("preferences-system", None),                  # options module, snap-in help
    24: ("preferences-desktop-theme", None),           # skins, install sources
    26: ("go-home", None),
    29: ("document-save", None),                       # backups module
    37: ("system-software-update", None),
    40: ("preferences-desktop-locale", None),          # languages
    48: ("registry", None),                            # exception of a key
    49: ("registry-value", None),                      # exception of a value
    51: ("appointment", "edit-clear"),                 # Windows history category
    52: ("utilities-system-monitor", None),
    55: ("mail-message-new", None),
    57: ("internet-web-browser", None),
    58: ("registry", "go-jump"),                       # open in the registry editor
    59: ("folder-saved-search", None),                 # all findings
    60: ("eye", None),                                 # visible findings
    75: ("go-home", "internet-web-browser"),
    76: ("help-browser", "internet-web-browser"),
    84: ("utilities-terminal", None),
    85: ("system-file-manager", None),
    86: ("registry", "edit-clear"),                    # the registry cleaner
    87: ("drive-harddisk", "edit-clear"),
    88: ("user-trash", None),
    89: ("network-wired", None),
    90: ("computer", None),
    91: ("applications-system", None),            # module code ADS
    92: ("system-search", None),
    93: ("preferences-desktop", None),
    94: ("x-office-calendar", None),              # module code TASKPLANER
    96: ("applications-multimedia", None),
    97: ("applications-internet", None),
    98: ("applications-office", None),
    99: ("applications-accessories", None),
    100: ("drive-harddisk", None),
    101: ("media-flash", None),
    102: ("printer", None),
    103: ("input-keyboard", None),
    104: ("video-display", None),
    105: ("folder", "edit-clear"),
    106: ("user-home", None),
    127: ("preferences-desktop", "emblem-system"),      # general settings, installer category
    150: ("start-here", "folder"),                      # start-menu category
    165: ("shield", None),                             # firewall rules
    178: ("help-browser", "folder"),                    # help category
    179: ("preferences-desktop-font", None),            # fonts category
    180: ("application-x-executable", "folder"),        # application paths category
    181: ("text-x-generic", "folder"),                  # file types category
    182: ("application-x-executable", "emblem-system"), # shared libraries category
    184: ("preferences-system", "emblem-system"),       # COM and ActiveX category
    186: ("audio-x-generic", None),                     # sounds category
    187: ("leftover", None),                            # program leftovers category and entries
    196: ("folder", None),
    197: ("folder-remote", None),
    203: ("network-server", None),
    204: ("network-workgroup", None),
    205: ("edit-copy", None),
    206: ("edit-paste", None),
    218: ("system-lock-screen", None),
    219: ("face-smile", None),
    221: ("weather-clear", None),
    222: ("battery", None),
    223: ("audio-card", None),
    224: ("camera-photo", None),
}
CELLS[95] = ("shield", "ok")

# Cells nobody asks for still hold a picture, so a wrong number shows
# something recognisable rather than a hole.
FILLERS = ["folder", "text-x-generic", "applications-system", "emblem-system", "document-properties",
           "preferences-system", "drive-harddisk", "help-browser", "applications-other", "computer"]


def make_cell(main, addon):
    cell = Image(CELL, CELL)
    cell.draw_over(symbol(main, 60), 2, 2)
    if addon:
        cell.draw_over(symbol(addon, 30), CELL - 31, CELL - 31)
    return cell


def make_stripe():
    stripe = Image(CELL * CELL_COUNT, CELL)
    cache = {}
    for index in range(CELL_COUNT):
        look = CELLS.get(index, (FILLERS[index % len(FILLERS)], None))
        if look not in cache:
            cache[look] = make_cell(*look)
        stripe.draw_over(cache[look], index * CELL, 0)
    return stripe


# --- the skins -----------------------------------------------------------------

SKINS_DEF = {
    "default": {
        "title": "Daylight",
        "line1": "Light and friendly: white pages with an orange accent.",
        "line2": "The standard look of Keytidy.",
        "header": (255, 255, 255), "pages": (255, 255, 255), "text": (46, 52, 54),
        "accent": (247, 164, 11), "accent_hover": (247, 189, 11), "disabled": (168, 170, 176),
        "navi_top": (238, 238, 236), "navi_bottom": (211, 215, 207), "navi_text": (46, 52, 54),
        "hover_fill": (252, 233, 191), "symbol": (85, 87, 83),
    },
    "dark": {
        "title": "Night",
        "line1": "Dark grey pages that are easy on the eyes.",
        "line2": "For dim rooms and late clean-ups.",
        "header": (46, 52, 54), "pages": (60, 64, 66), "text": (238, 238, 236),
        "accent": (114, 159, 207), "accent_hover": (150, 190, 230), "disabled": (110, 112, 116),
        "navi_top": (46, 52, 54), "navi_bottom": (30, 32, 34), "navi_text": (238, 238, 236),
        "hover_fill": (85, 87, 83), "symbol": (211, 215, 207),
    },
}


def hex_rgb(colour):
    return "#%02x%02x%02x" % colour


def skin_ini(skin):
    def rrggbb(colour):
        return "$%02X%02X%02X" % colour

    def argb(colour):
        # These numbers are used exactly as read, with red in the low byte
        # once the $AARRGGBB form is turned round: write blue first.
        return "$FF%02X%02X%02X" % (colour[2], colour[1], colour[0])

    shadow = (0, 0, 0) if skin["text"][0] > 128 else (255, 255, 255)
    lines = [
        "[SkinInfo]",
        f"DisplayName={skin['title']}",
        f"Display1={skin['line1']}",
        f"Display2={skin['line2']}",
        "",
        "; Options navigation captions: 32-bit $AARRGGBB values",
        "[Navi_Options]",
        f"Font_Normal={argb(skin['navi_text'])}",
        f"Font_Normal_Shadow=$40{shadow[0]:02X}{shadow[1]:02X}{shadow[2]:02X}",
        f"Font_Down={argb(skin['text'] if skin['text'][0] > 128 else (0, 0, 0))}",
        f"Font_Down_Shadow=$30{shadow[0]:02X}{shadow[1]:02X}{shadow[2]:02X}",
        "",
        "[VellButtons]",
        f"FontColor={rrggbb(skin['text'])}",
        f"BorderColor_Normal={rrggbb(skin['accent'])}",
        f"BorderColor_Hover={rrggbb(skin['accent_hover'])}",
        f"BorderColor_Disabled={rrggbb(skin['disabled'])}",
        "",
        "[MainPages]",
        f"BackgroundColor={rrggbb(skin['pages'])}",
        "",
        "[Header]",
        f"Color={rrggbb(skin['header'])}",
        "",
        "[KX14_MainMenuButton]",
        f"Color={rrggbb(skin['navi_top'])}",
        f"ColorTo={rrggbb(skin['navi_bottom'])}",
        f"ColorMirror={rrggbb(skin['navi_bottom'])}",
        f"ColorMirrorTo={rrggbb(skin['navi_top'])}",
        "",
        "[QuickAccess]",
        f"QuickAccess_FontColor={rrggbb(skin['text'])}",
        f"QuickAccess_DisabledFontColor={rrggbb(skin['disabled'])}",
        "",
    ]
    return "\r\n".join(lines).encode("ascii")


def vertical_gradient(width, height, top, bottom):
    image = Image(width, height)
    for y in range(height):
        t = y / max(1, height - 1)
        colour = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)) + (255,)
        row = bytes(colour) * width
        image.pixels[y * width * 4:(y + 1) * width * 4] = row
    return image


FRAME_SYMBOLS = {
    "close": '<path d="M11 11 L21 21 M21 11 L11 21" stroke="{c}" stroke-width="2.5" stroke-linecap="round"/>',
    "maximize": '<rect x="10" y="10" width="12" height="12" fill="none" stroke="{c}" stroke-width="2"/>'
                '<rect x="10" y="10" width="12" height="3" fill="{c}"/>',
    "unmax": '<rect x="9" y="13" width="10" height="10" fill="none" stroke="{c}" stroke-width="2"/>'
             '<path d="M13 13 V9 H23 V19 H19" fill="none" stroke="{c}" stroke-width="2"/>',
    "minimize": '<rect x="10" y="19" width="12" height="3" fill="{c}"/>',
}


def frame_button(kind, skin, hover, disabled=False):
    """32 x 32 header buttons: a symbol on a rounded hover plate."""
    colour = skin["disabled"] if disabled else skin["symbol"]
    plate = ""
    if hover:
        fill = (232, 80, 64) if kind == "close" else skin["hover_fill"]
        plate = f'<rect x="2" y="2" width="28" height="28" rx="5" fill="{hex_rgb(fill)}"/>'
        if kind == "close":
            colour = (255, 255, 255)
    if kind in FRAME_SYMBOLS:
        image = render_svg(svg(plate + FRAME_SYMBOLS[kind].format(c=hex_rgb(colour)), 32), 32)
        return image
    tango = {"help": "help-browser", "settings": "emblem-system", "internet": "internet-web-browser",
             "feedback": "mail-message-new", "back": "go-previous"}[kind]
    image = render_svg(svg(plate, 32), 32)
    icon = symbol(tango, 22)
    if disabled:
        icon = icon.tinted(skin["disabled"], 0.8)
    elif not hover:
        icon = icon.tinted(skin["symbol"], 0.35)
    image.draw_over(icon, 5, 5)
    return image


def logo(skin):
    text = hex_rgb(skin["text"])
    accent = hex_rgb(skin["accent"])
    body = (f'<rect width="240" height="56" fill="{hex_rgb(skin["header"])}"/>'
            f'<g transform="translate(10,8) scale(0.8)">{OWN_SYMBOLS["registry"][OWN_SYMBOLS["registry"].index(">") + 1:-6]}</g>'
            f'<text x="56" y="30" font-family="DejaVu Sans" font-size="20" font-weight="bold" fill="{text}">'
            f'Keytidy <tspan fill="{accent}">2</tspan></text>'
            f'<text x="57" y="46" font-family="DejaVu Sans" font-size="10" fill="{text}">Quarvint</text>')
    return render_svg(f'<svg xmlns="http://www.w3.org/2000/svg" width="240" height="56">{body}</svg>', 240, 56)


def grip(skin):
    dots = "".join(f'<rect x="{x}" y="{y}" width="2" height="2" fill="{hex_rgb(skin["disabled"])}"/>'
                   for x, y in ((18, 6), (14, 10), (18, 10), (10, 14), (14, 14), (18, 14),
                                (6, 18), (10, 18), (14, 18), (18, 18)))
    return render_svg(svg(dots, 24), 24)


def asker_background(skin):
    image = vertical_gradient(460, 180, skin["pages"], skin["navi_top"])
    band = vertical_gradient(460, 4, skin["accent"], skin["accent_hover"])
    image.draw_over(band, 0, 0)
    return image


def navi_background(skin):
    return vertical_gradient(190, 480, skin["navi_top"], skin["navi_bottom"])


def navi_overlay(skin, active):
    fill = skin["accent"] if active else skin["hover_fill"]
    alpha = 0.85 if active else 0.6
    body = (f'<rect x="1" y="1" width="179" height="38" rx="6" fill="{hex_rgb(fill)}" fill-opacity="{alpha}"/>'
            + (f'<rect x="1" y="1" width="5" height="38" rx="2" fill="{hex_rgb(skin["accent_hover"])}"/>'
               if active else ""))
    return render_svg(f'<svg xmlns="http://www.w3.org/2000/svg" width="181" height="40">{body}</svg>', 181, 40)


def navi_top_tile(skin):
    return vertical_gradient(8, 48, skin["navi_top"], skin["navi_bottom"])


def preview(skin):
    image = Image(128, 84, (*skin["pages"], 255))
    image.draw_over(Image(128, 14, (*skin["header"], 255)), 0, 0)
    image.draw_over(vertical_gradient(32, 70, skin["navi_top"], skin["navi_bottom"]), 0, 14)
    for row in range(4):
        image.draw_over(Image(80, 6, (*skin["disabled"], 255)), 40, 22 + row * 12)
    image.draw_over(Image(30, 10, (*skin["accent"], 255)), 90, 70)
    frame = Image(128, 84)
    for x in range(128):
        frame.put(x, 0, (*skin["disabled"], 255))
        frame.put(x, 83, (*skin["disabled"], 255))
    for y in range(84):
        frame.put(0, y, (*skin["disabled"], 255))
        frame.put(127, y, (*skin["disabled"], 255))
    image.draw_over(frame, 0, 0)
    return image


def spinner_frames(skin, colour, count=12):
    frames = []
    for step in range(count):
        dots = ""
        for i in range(12):
            angle = 2 * math.pi * i / 12
            age = (step - i) % 12
            opacity = max(0.15, 1 - age / 8)
            x, y = 65 + 40 * math.cos(angle), 65 + 40 * math.sin(angle)
            dots += f'<circle cx="{x:.2f}" cy="{y:.2f}" r="8" fill="{hex_rgb(colour)}" fill-opacity="{opacity:.2f}"/>'
        image = render_svg(f'<svg xmlns="http://www.w3.org/2000/svg" width="130" height="130">{dots}</svg>', 130)
        frames.append(image)
    return frames


def status_gif(skin, kind):
    background = skin["pages"]
    if kind == "ok":
        frames = []
        for step in range(8):
            scale = 0.85 + 0.15 * math.sin(step / 8 * 2 * math.pi)
            size = round(100 * scale)
            frame = Image(130, 130)
            frame.draw_over(symbol("ok", size), (130 - size) // 2, (130 - size) // 2)
            frames.append(frame.flattened(background))
        return gif_bytes(frames, 12, background)
    centre = symbol("edit-find" if kind == "search" else "user-trash", 48)
    colour = skin["accent"] if kind == "search" else (204, 0, 0)
    frames = []
    for frame in spinner_frames(skin, colour):
        frame.draw_over(centre, 41, 41)
        frames.append(frame.flattened(background))
    return gif_bytes(frames, 8, background)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    for tool in ("rsvg-convert",):
        if subprocess.run(["which", tool], capture_output=True).returncode != 0:
            sys.exit(f"make-skin-pictures: {tool} is missing (apt-get install librsvg2-bin)")
    tango_path("folder")  # fails early without the icon theme

    stripe = png_bytes(make_stripe())
    write(os.path.join(SKINS, "stripe.png"), stripe)
    back = Image(24, 24)
    back.draw_over(symbol("go-previous", 24), 0, 0)
    write(os.path.join(SKINS, "back.png"), png_bytes(back))
    back_cleaner = Image(32, 32)
    back_cleaner.draw_over(symbol("go-previous", 32), 0, 0)
    back_cleaner.draw_over(symbol("registry", 16), 16, 16)
    write(os.path.join(SKINS, "back_Cleaner.png"), png_bytes(back_cleaner))

    for name, skin in SKINS_DEF.items():
        folder = os.path.join(SKINS, name)
        write(os.path.join(folder, "skin.ini"), skin_ini(skin))
        write(os.path.join(folder, "stripe.png"), stripe)
        write(os.path.join(folder, "logo.bmp"), bmp_bytes(logo(skin).flattened(skin["header"])))
        write(os.path.join(folder, "grip.png"), png_bytes(grip(skin)))
        for kind, normal_name, hover_name in (
                ("close", "but_close.png", "but_close_hover.png"),
                ("maximize", "but_maximize.png", "but_maximize_hover.png"),
                ("unmax", "but_unmax_normal.png", "but_unmax_hover.png"),
                ("minimize", "but_minimize.png", "but_minimize_hover.png"),
                ("help", "but_help_normal.png", "but_help_hover.png"),
                ("settings", "but_settings_normal.png", "but_settings_hover.png"),
                ("internet", "but_internet_normal.png", "but_internet_hover.png"),
                ("feedback", "but_feedback_normal.png", "but_feedback_hover.png"),
                ("back", "but_back_normal.png", "but_back_hover.png")):
            write(os.path.join(folder, normal_name), png_bytes(frame_button(kind, skin, False)))
            write(os.path.join(folder, hover_name), png_bytes(frame_button(kind, skin, True)))
        write(os.path.join(folder, "but_back_disabled.png"), png_bytes(frame_button("back", skin, False, True)))
        write(os.path.join(folder, "Background_Asker.bmp"), bmp_bytes(asker_background(skin)))
        write(os.path.join(folder, "navi_options.bmp"), bmp_bytes(navi_background(skin)))
        write(os.path.join(folder, "menu_options_active.png"), png_bytes(navi_overlay(skin, True)))
        write(os.path.join(folder, "menu_options_hover.png"), png_bytes(navi_overlay(skin, False)))
        write(os.path.join(folder, "Navi_Top_tiled.bmp"), bmp_bytes(navi_top_tile(skin)))
        for kind in ("search", "delete", "ok"):
            write(os.path.join(folder, f"status_{kind}.gif"), status_gif(skin, kind))
        write(os.path.join(folder, "preview_small.png"), png_bytes(preview(skin)))
        print(f"make-skin-pictures: skins/{name} done")


if __name__ == "__main__":
    main()
