#!/usr/bin/env python3
"""Draws the program's own cursors and bitmaps: resources/cursors/<NAME>.cur and
resources/bitmaps/<NAME>.bmp. The components ask for them by name; what they look like is ours.
Run from anywhere: python3 resources/make_images.py"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# --- pictures as text: '#' black, '.' white, ' ' transparent (cursors) or background (bitmaps) ---

ARROW = [
    "#", "##", "#.#", "#..#", "#...#", "#....#", "#.....#", "#......#", "#.......#", "#........#",
    "#.....#####", "#..#..#", "#.# #..#", "##  #..#", "#    #..#", "     #..#", "      ##",
]


def blank(w, h):
    return [[" "] * w for _ in range(h)]


def stamp(canvas, picture, x0, y0):
    for y, row in enumerate(picture):
        for x, c in enumerate(row):
            if c != " " and 0 <= y0 + y < len(canvas) and 0 <= x0 + x < len(canvas[0]):
                canvas[y0 + y][x0 + x] = c


def box_sign(canvas, x0, y0, sign):
    """A small framed box with a plus, a minus or a cross: the copy, add and delete marks."""
    for y in range(9):
        for x in range(9):
            edge = x in (0, 8) or y in (0, 8)
            canvas[y0 + y][x0 + x] = "#" if edge else "."
    if sign in "+-":
        for i in range(2, 7):
            canvas[y0 + 4][x0 + i] = "#"
            if sign == "+":
                canvas[y0 + i][x0 + 4] = "#"
    else:
        for i in range(2, 7):
            canvas[y0 + i][x0 + i] = "#"
            canvas[y0 + i][x0 + 8 - i] = "#"


def arrow_cursor(sign=None, stack=False):
    c = blank(32, 32)
    if stack:
        stamp(c, ["#########", "#.......#", "#########"], 12, 14)
    stamp(c, ARROW, 0, 0)
    if sign:
        box_sign(c, 11, 18 if stack else 17, sign)
    return c, (0, 0)


def pan_cursor(up=False, down=False, left=False, right=False):
    """The panning cursor: a dot in a ring with arrows the ways it can go."""
    c = blank(32, 32)
    cx, cy = 15, 15
    for y in range(32):
        for x in range(32):
            d = (x - cx) ** 2 + (y - cy) ** 2
            if d <= 4:
                c[y][x] = "#"
            elif 9 <= d <= 25:
                c[y][x] = "#" if d >= 16 else "."
    def tri(points):
        for (x, y) in points:
            c[y][x] = "#"
    for i in range(5):
        span = range(cx - i, cx + i + 1)
        if up:
            tri([(x, cy - 12 + i) for x in span])
        if down:
            tri([(x, cy + 12 - i) for x in span])
        if left:
            tri([(cx - 12 + i, y) for y in range(cy - i, cy + i + 1)])
        if right:
            tri([(cx + 12 - i, y) for y in range(cy - i, cy + i + 1)])
    return c, (cx, cy)


def hand_cursor():
    picture = [
        "     ##", "    #..#", "    #..#", "    #..#", "    #..###", "    #..#..###", "    #..#..#..##",
        " ## #..#..#..#.#", "#..##........#.#", "#...#..........#", " #.............#", "  #............#",
        "  #...........#", "   #..........#", "   #.........#", "    #........#", "    ##########",
    ]
    c = blank(32, 32)
    stamp(c, picture, 0, 0)
    return c, (6, 0)


def no_drag_cursor():
    c, hot = arrow_cursor()
    for y in range(17, 29):
        for x in range(11, 23):
            d = (x - 16.5) ** 2 + (y - 22.5) ** 2
            if 20 <= d <= 36 or (abs((x - 11) - (y - 17)) <= 1 and d < 36):
                c[y][x] = "#"
    return c, hot


def hide_cursor():
    c, hot = arrow_cursor()
    stamp(c, ["#########", "#.......#", "#.#####.#", "#.......#", "#########"], 11, 18)
    return c, hot


def insert_cursor():
    c, hot = arrow_cursor()
    stamp(c, ["#############", "#...........#", "#############"], 10, 20)
    stamp(c, ["  #", " ##", "###"], 8, 18)
    return c, hot


def size_cursor(horizontal):
    """A two-headed arrow across a split bar, the hot spot on the bar."""
    c = blank(32, 32)
    cx = cy = 15
    for i in range(-9, 10):
        if horizontal:
            c[cy][cx + i] = "#"
        else:
            c[cy + i][cx] = "#"
    for i in range(1, 5):
        for j in range(-i, i + 1):
            if horizontal:
                c[cy + j][cx - 10 + i] = "#"
                c[cy + j][cx + 10 - i] = "#"
            else:
                c[cy - 10 + i][cx + j] = "#"
                c[cy + 10 - i][cx + j] = "#"
    for j in range(-6, 7):  # the bar
        if horizontal:
            c[cy + j][cx - 1] = c[cy + j][cx + 1] = "#"
        else:
            c[cy - 1][cx + j] = c[cy + 1][cx + j] = "#"
    return c, (cx, cy)


def drag_cursor(stack=False):
    """An arrow carrying a framed box (one, or a stack of them)."""
    c, hot = arrow_cursor()
    if stack:
        stamp(c, ["##########", "#........#", "#........#", "##########"], 14, 16)
    stamp(c, ["##########", "#........#", "#........#", "#........#", "##########"], 11, 19)
    return c, hot


CURSORS = {
    "CXGRID_HORZSIZECURSOR": size_cursor(True),
    "CXGRID_VERTSIZECURSOR": size_cursor(False),
    "CXGRID_REMOVECURSOR": arrow_cursor("x"),
    "CXGRID_NODROPCURSOR": no_drag_cursor(),
    "CXGRID_DRAG": drag_cursor(),
    "CXGRID_MULTIDRAG": drag_cursor(stack=True),
    "DXBARDRAGCURSOR": drag_cursor(),
    "DXBARDRAGCOPYCURSOR": arrow_cursor("+"),
    "DXBARDRAGNODROPCURSOR": no_drag_cursor(),
    "DXBAREDITSIZINGCURSOR": size_cursor(True),
    "DXTLDELETECURSOR": arrow_cursor("x"),
    "DXTL_FULLSCROLLCURSOR": pan_cursor(True, True, True, True),
    "DXTL_HORSCROLLCURSOR": pan_cursor(left=True, right=True),
    "DXTL_VERSCROLLCURSOR": pan_cursor(up=True, down=True),
    "DXTL_UPSCROLLCURSOR": pan_cursor(up=True),
    "DXTL_RIGHTSCROLLCURSOR": pan_cursor(right=True),
    "DXTL_DOWNSCROLLCURSOR": pan_cursor(down=True),
    "DXTL_LEFTSCROLLCURSOR": pan_cursor(left=True),
    "DXTL_DRAGCOPY": arrow_cursor("+"),
    "DXTL_MULTIDRAGCOPY": arrow_cursor("+", stack=True),
    "CX_DRAGCOPYCURSOR": arrow_cursor("+"),
    "CX_FULLSCROLLCURSOR": pan_cursor(True, True, True, True),
    "CX_HORSCROLLCURSOR": pan_cursor(left=True, right=True),
    "CX_VERSCROLLCURSOR": pan_cursor(up=True, down=True),
    "CX_UPSCROLLCURSOR": pan_cursor(up=True),
    "CX_RIGHTSCROLLCURSOR": pan_cursor(right=True),
    "CX_DOWNSCROLLCURSOR": pan_cursor(down=True),
    "CX_LEFTSCROLLCURSOR": pan_cursor(left=True),
    "DXINSP_INSERT": insert_cursor(),
    "DXINSP_ADDCHILD": arrow_cursor("+", stack=True),
    "DXINSP_ADD": arrow_cursor("+"),
    "DXINSP_HIDE": hide_cursor(),
    "DXINSP_NODRAG": no_drag_cursor(),
    "DXTREEDRAGCOPY": arrow_cursor("+"),
    "DX_HANDPOINT": hand_cursor(),
}


def write_cur(path, canvas, hot):
    """A 32x32 monochrome cursor: XOR bits (1 white) over AND bits (1 transparent), bottom-up."""
    w = h = 32
    xor_rows, and_rows = [], []
    for y in reversed(range(h)):
        xb, ab = 0, 0
        for x in range(w):
            c = canvas[y][x]
            xb = (xb << 1) | (1 if c == "." else 0)
            ab = (ab << 1) | (1 if c == " " else 0)
        xor_rows.append(struct.pack(">I", xb))
        and_rows.append(struct.pack(">I", ab))
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", w, h, 2, 0, hot[0], hot[1], len(image), 22)
    with open(path, "wb") as f:
        f.write(directory + image)


# --- bitmaps: rows of colour letters ---

COLOURS = {
    "#": (0, 0, 0), ".": (255, 255, 255), "w": (255, 255, 255), "o": (128, 128, 0), "g": (128, 128, 128),
    "s": (192, 192, 192), "b": (0, 0, 128), "B": (0, 0, 255), "y": (255, 255, 0), "r": (192, 0, 0),
    "G": (0, 128, 0), "m": (255, 0, 255),
}


def picture_bitmap(rows, background):
    w = max(len(r) for r in rows)
    return [[(c if c != " " else background) for c in r.ljust(w)] for r in rows]


def indicator(kind, background="w"):
    """The 5 x 9 row indicators: arrow, pencil, star, dots, arrow with dots."""
    pictures = {
        "ARROW": ["     ", "#    ", "##   ", "###  ", "#### ", "###  ", "##   ", "#    ", "     "],
        "EDIT": ["  ## ", " # # ", " # # ", "#  # ", "#  # ", "# #  ", "##   ", "#    ", "     "],
        "INSERT": ["  #  ", "# # #", " ### ", "#####", " ### ", "# # #", "  #  ", "     ", "     "],
        "MULTIDOT": ["     ", " ##  ", " ##  ", "     ", " ##  ", " ##  ", "     ", " ##  ", " ##  "],
        "MULTIARROW": ["#    ", "##   ", "###  ", "##   ", "#    ", "  ## ", "  ## ", "     ", "     "],
    }
    return picture_bitmap(pictures[kind], background)


def panning(up, down, left, right):
    """The 29 x 29 panning origin marks: a ring with the arrows of the ways it can go."""
    size, c = 29, 14
    grid = [["o"] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            d = (x - c) ** 2 + (y - c) ** 2
            if d <= 4:
                grid[y][x] = "#"
            elif 144 <= d <= 196:
                grid[y][x] = "#" if d >= 169 else "."
    for i in range(4):
        for j in range(c - i, c + i + 1):
            if up:
                grid[3 + i][j] = "#"
            if down:
                grid[size - 4 - i][j] = "#"
            if left:
                grid[j][3 + i] = "#"
            if right:
                grid[j][size - 4 - i] = "#"
    return grid


def glyph(kind, background):
    """16 x 16 tool glyphs: cut, copy, paste, delete, load, save; and the blob kinds."""
    pictures = {
        "CUT": ["     #    #     ", "     #    #     ", "     #    #     ", "      #  #      ", "      #  #      ",
                "       ##       ", "       ##       ", "      #  #      ", "    ###  ###    ", "   #  #  #  #   ",
                "   #  #  #  #   ", "   #  #  #  #   ", "    ##    ##    "],
        "COPY": ["######          ", "#....##         ", "#.##.#.#        ", "#....####       ", "#.##...#        ",
                 "#....######     ", "#.##.#....##    ", "#....#.##.#.#   ", "######....####  ", "     #.######.# ",
                 "     #........# ", "     #.######.# ", "     #........# ", "     ########## "],
        "PASTE": ["    ####        ", " ###.##.###     ", " #ooo..ooo#     ", " #oo####oo#     ", " #oo#######     ",
                  " #oo#.....##    ", " #oo#.###.#.#   ", " #oo#.....####  ", " #oo#.######.#  ", " #oo#........#  ",
                  " ####.######.#  ", "    #........#  ", "    ##########  "],
        "DELETE": ["                ", " rr        rr   ", "  rr      rr    ", "   rr    rr     ", "    rr  rr      ",
                   "     rrrr       ", "      rr        ", "     rrrr       ", "    rr  rr      ", "   rr    rr     ",
                   "  rr      rr    ", " rr        rr   "],
        "LOAD": ["                ", "         ###    ", "        #   # # ", "             ## ", " ###        ### ",
                 "#yyy#######     ", "#y.y.y.y.y#     ", "#.y.y.y.y.#     ", "#y.y.y#########", "#.y.y#ooooooooo#",
                 "#y.y#ooooooooo# ", "#.y#ooooooooo#  ", "#y#ooooooooo#   ", "##ooooooooo#    ", "###########     "],
        "SAVE": ["############### ", "#bb#......#bbb# ", "#bb#......#bbb# ", "#bb#......#bbb# ", "#bb#......#bbb# ",
                 "#bbb######bbbb# ", "#bbbbbbbbbbbbb# ", "#bbssssssssbbb# ", "#bbs######sbbb# ", "#bbs######sbbb# ",
                 "#bbs######sbbb# ", "#bbssssssssbbb# ", "############### "],
        "BLOB": ["################", "#..............#", "#.####.###.###.#", "#..............#", "#.###.####.###.#",
                 "#..............#", "################"],
        "MEMO": ["##########      ", "#........##     ", "#.######.#.#    ", "#........####   ", "#.#########.#   ",
                 "#..........#    ", "#.########.#    ", "#..........#    ", "############    "],
        "PICT": ["##############  ", "#BBBBBBBBBBBB#  ", "#BBBByyBBBBBB#  ", "#BBByyyyBBBBB#  ", "#BBBByyBBBGBB#  ",
                 "#BBBBBBBBGGGB#  ", "#BBBBBBBGGGGG#  ", "#GGGGGGGGGGGG#  ", "##############  "],
        "OLE": ["   ######       ", "  #rrrrrr#      ", " #rr####rr#     ", " #r#    #r#     ", " #r#    #r#     ",
                " #rr####rr#     ", "  #rrrrrr#      ", "   ######       "],
    }
    rows = pictures[kind]
    rows = rows + [" " * 16] * (16 - len(rows))
    return picture_bitmap([r.ljust(16)[:16] for r in rows], background)


def null_of(grid, background):
    """The empty-field variant of a blob glyph: greyed."""
    return [[("g" if c not in (background,) else c) for c in row] for row in grid]


def caption_glyph(kind):
    """The 8 x 7 glyphs of a docked menu bar's caption buttons."""
    pictures = {
        "CLOSE": ["##    ##", " ##  ## ", "  ####  ", "   ##   ", "  ####  ", " ##  ## ", "##    ##"],
        "RESTORE": ["  ######", "  #    #", "###### #", "######## ", "#    #  ", "#    #  ", "######  "],
        "MAXIMIZE": ["########", "########", "#      #", "#      #", "#      #", "#      #", "########"],
        "MINIMIZE": ["        ", "        ", "        ", "        ", "        ", "######  ", "######  "],
    }
    return picture_bitmap([r[:8].ljust(8) for r in pictures[kind]], ".")


def sort_mark(up):
    # A background column on either side: the bottom-left pixel is the transparent colour.
    rows = ["    #    ", "   ###   ", "  #####  ", " ####### "]
    return picture_bitmap(rows if up else rows[::-1], ".")


def write_bmp(path, grid):
    h, w = len(grid), len(grid[0])
    stride = (w * 3 + 3) & ~3
    pixels = b""
    for row in reversed(grid):
        line = b"".join(bytes((COLOURS[c][2], COLOURS[c][1], COLOURS[c][0])) for c in row)
        pixels += line + b"\x00" * (stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def bitmaps():
    out = {"UPSMALL": sort_mark(True), "DOWNSMALL": sort_mark(False)}
    for kind in ("ARROW", "EDIT", "INSERT", "MULTIDOT", "MULTIARROW"):
        out["DXGRID_" + kind] = indicator(kind)
        out["CX_" + kind + "BITMAP"] = indicator(kind)
    for name, ways in (("VERSCROLL", (1, 1, 0, 0)), ("HORSCROLL", (0, 0, 1, 1)), ("FULLSCROLL", (1, 1, 1, 1))):
        out["DXGRID_" + name + "BITMAP"] = panning(*ways)
        out["CX_" + name + "BITMAP"] = panning(*ways)
    for kind in ("CUT", "COPY", "PASTE", "DELETE", "LOAD", "SAVE"):
        out["DXTOOL_" + kind] = glyph(kind, "o")
        out["CXMENUIMAGE_" + kind] = glyph(kind, "o")
    for kind in ("BLOB", "MEMO", "PICT", "OLE"):
        g = glyph(kind, "o")
        out["DXINPLACE_" + kind] = g
        out["DXINPLACE_" + kind + "_NULL"] = null_of(g, "o")
        out["CXBMBLOB_" + kind] = g
        out["CXBMBLOB_" + kind + "_NULL"] = null_of(g, "o")
    for kind in ("CLOSE", "RESTORE", "MAXIMIZE", "MINIMIZE"):
        out["DXBAR" + kind] = caption_glyph(kind)
    return out


def main():
    for name, (canvas, hot) in CURSORS.items():
        write_cur(os.path.join(HERE, "cursors", name + ".cur"), canvas, hot)
    for name, grid in bitmaps().items():
        write_bmp(os.path.join(HERE, "bitmaps", name + ".bmp"), grid)


if __name__ == "__main__":
    main()
