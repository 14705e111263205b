#!/bin/sh
# Draws the two picture resources of Torvik.exe and writes them beside the
# resource script:
#   torvik.ico  - application icon (group 130): one 32 x 32 image, 24 bits per
#                 pixel with an AND mask; a USB plug in black and white.
#   wiring.bmp  - wiring diagram (bitmap 131): 353 x 483, 24 bits per pixel,
#                 uncompressed, bottom-up, 40-byte header, no colour table.
#
# Needs ImageMagick (convert), python3 and the WenQuanYi Micro Hei font
# (Debian: imagemagick, python3, fonts-wqy-microhei). The outputs are kept in
# the repository; run this again only when a drawing changes.
#
# Usage: tools/assets/make_assets.sh [output-directory]
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../../src/ui/resources}
font=${TORVIK_ASSET_FONT:-/usr/share/fonts/truetype/wqy/wqy-microhei.ttc}

[ -f "$font" ] || { echo "make_assets: font not found: $font" >&2; exit 1; }
command -v convert >/dev/null || { echo "make_assets: ImageMagick convert not found" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# --- Icon -------------------------------------------------------------------
# Drawn without anti-aliasing so every pixel is pure black, pure white or
# transparent. ImageMagick writes 32-bit icons, so the ICO is assembled below.
convert -size 32x32 xc:none +antialias -stroke none \
  -fill black -draw 'rectangle 9,1 22,12' \
  -fill white -draw 'rectangle 10,2 21,11' \
  -fill black -draw 'rectangle 12,4 14,6' -draw 'rectangle 17,4 19,6' \
  -fill black -draw 'rectangle 7,13 24,26' \
  -fill white -draw 'rectangle 10,16 21,16' -draw 'rectangle 10,19 21,19' -draw 'rectangle 10,22 21,22' \
  -fill black -draw 'rectangle 11,27 20,28' -draw 'rectangle 14,29 17,31' \
  -depth 8 "rgba:$work/icon.rgba"

python3 - "$work/icon.rgba" "$out/torvik.ico" <<'PY'
import struct, sys

src, dst = sys.argv[1], sys.argv[2]
size = 32
rgba = open(src, "rb").read()
assert len(rgba) == size * size * 4, len(rgba)

xor_rows, and_rows = [], []
for y in range(size):
    row = rgba[y * size * 4:(y + 1) * size * 4]
    bgr = bytearray()
    bits = 0
    for x in range(size):
        r, g, b, a = row[x * 4:x * 4 + 4]
        transparent = a < 128
        # Transparent pixels: mask bit set, colour black, so the screen shows through.
        bgr += bytes((0, 0, 0)) if transparent else bytes((b, g, r))
        bits = (bits << 1) | (1 if transparent else 0)
    xor_rows.append(bytes(bgr))                 # 96 bytes, already a multiple of 4
    and_rows.append(struct.pack(">I", bits))    # 32 bits, most significant bit = leftmost pixel

xor = b"".join(reversed(xor_rows))  # bottom-up
mask = b"".join(reversed(and_rows))
header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0, len(xor) + len(mask), 0, 0, 0, 0)
image = header + xor + mask
icondir = struct.pack("<HHH", 0, 1, 1)
entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(image), 6 + 16)
with open(dst, "wb") as f:
    f.write(icondir + entry + image)
PY

# --- Wiring diagram ------------------------------------------------------------
# Three parts, top to bottom: the older two-relay board, the ten-pin header of
# the current board with its three leads, and two drawings of a fitted board.
white_lead='#f4f4f4'
white_edge='#7a7a7a'
blue_lead='#1e50d0'
red_lead='#d02020'
board='#1d4e89'
mainboard='#2f6b3a'
pin='#d4af37'

draw_wiring=$(cat <<EOF
font '$font'
stroke-linecap round
stroke-linejoin round

# Section rules
stroke '#b0b0b0' stroke-width 1 fill none
line 4,152 349,152
line 4,334 349,334

# ===== 1. Older two-relay board =====
stroke none fill black font-size 13
text 8,20 '一、旧款双继电器看门狗接线'

# the board with its two relays and a four-way terminal block
stroke black stroke-width 1 fill '$board'
roundrectangle 10,32 92,112 4,4
fill '#f2f2f2'
rectangle 20,42 70,64
rectangle 20,72 70,94
fill '#3a3a3a'
rectangle 80,46 92,96
stroke none fill black font-size 10
text 30,57 'K1'
text 30,87 'K2'
fill white font-size 10
text 16,108 '双继电器板'

# motherboard side: a two-pair switch header
stroke black stroke-width 1 fill '$mainboard'
rectangle 228,32 345,112
fill '#111111'
rectangle 279,46 291,96
stroke none fill '$pin'
rectangle 282,49 288,55
rectangle 282,59 288,65
rectangle 282,77 288,83
rectangle 282,87 288,93
fill white font-size 11
text 234,48 '主板'
font-size 9
text 296,61 'RESET'
text 296,89 'POWER'
text 234,104 '复位针 / 开机针'

# the two lead pairs
stroke '$blue_lead' stroke-width 3 fill none
line 92,52 285,52
line 92,62 285,62
stroke '$red_lead'
line 92,80 285,80
line 92,90 285,90
stroke none font-size 10
fill '$blue_lead'
text 140,47 '蓝线（复位）'
fill '$red_lead'
text 140,75 '红线（开机）'

stroke none fill black font-size 11
text 8,130 '蓝线接主板复位针 RESET，红线接开机针 POWER，'
text 8,146 '每组两根线都不分正负极。'

# ===== 2. Ten-pin header of the current board =====
stroke none fill black font-size 13
text 8,172 '二、新款十针接口接线'

# the board's header: pins 1, 3, 5, 7, 9 on top, 2, 4, 6, 8, 10 below
stroke black stroke-width 1 fill '#111111'
rectangle 18,192 98,222
stroke none fill '$pin'
rectangle 23,197 29,203
rectangle 39,197 45,203
rectangle 55,197 61,203
rectangle 71,197 77,203
rectangle 87,197 93,203
rectangle 23,211 29,217
rectangle 39,211 45,217
rectangle 55,211 61,217
rectangle 71,211 77,217
rectangle 87,211 93,217
fill black font-size 9
text 23,190 '1'
text 87,190 '9'
text 23,244 '2'
text 85,244 '10'
font-size 10
text 14,262 '看门狗十针插座'

# the motherboard's front-panel header
stroke black stroke-width 1 fill '$mainboard'
rectangle 212,180 345,282
fill '#111111'
rectangle 225,201 253,263
stroke none fill '$pin'
rectangle 229,205 235,211
rectangle 243,205 249,211
rectangle 229,229 235,235
rectangle 243,229 249,235
rectangle 229,253 235,259
rectangle 243,253 249,259
fill white font-size 10
text 229,197 '+'
text 244,197 '−'
text 258,212 'HDD LED'
text 258,236 'RST'
text 258,260 'PWR_ON'
font-size 10
text 218,276 '主板前面板插针'

# the three leads; the white one is drawn with a grey edge to show on white
stroke '$white_edge' stroke-width 5 fill none
polyline 90,200 130,200 200,208 224,208
stroke '$white_lead' stroke-width 3
polyline 90,200 130,200 200,208 224,208
stroke '$blue_lead'
polyline 90,214 130,214 200,232 226,232
stroke '$red_lead'
polyline 74,214 74,228 130,228 200,256 226,256
stroke none font-size 9
fill '#555555'
text 100,196 '白线'
fill '$blue_lead'
text 100,211 'RST'
fill '$red_lead'
text 100,225 'PWR'

# connector housings: a two-way one for the LED, single ones for RST+ and PWR_ON+
stroke '$white_edge' stroke-width 1 fill '$white_lead'
rectangle 224,203 253,213
stroke black fill '$blue_lead'
rectangle 226,227 238,237
fill '$red_lead'
rectangle 226,251 238,261

stroke none fill black font-size 11
text 8,298 '白线：接硬盘灯 HDD LED，不分正负极；'
text 8,313 '蓝线 RST：接复位针 RST+；'
text 8,328 '红线 PWR：接开机针 PWR_ON+。'

# ===== 3. A fitted board =====
stroke none fill black font-size 13
text 8,354 '三、安装示意'

# drawing 1: the board beside the motherboard, seen from above
stroke '#999999' stroke-width 1 fill none
rectangle 8,362 172,462
stroke black fill '$mainboard'
rectangle 14,368 166,456
fill '#c8c8c8'
rectangle 56,380 92,412
fill '#202020'
rectangle 100,374 104,424
rectangle 108,374 112,424
rectangle 22,430 122,436
rectangle 22,444 122,450
fill '#b0b0b0'
rectangle 14,382 22,392
rectangle 14,396 22,406
fill '#111111'
rectangle 134,412 148,418
rectangle 140,444 158,452
stroke black fill '$board'
rectangle 124,370 162,398
stroke none fill white font-size 8
text 127,388 '看门狗'
stroke black stroke-width 2 fill none
polyline 134,398 134,406 141,412
stroke '$white_lead' stroke-width 2
polyline 150,398 150,444
stroke '$blue_lead'
polyline 154,398 154,444
stroke '$red_lead'
polyline 158,398 158,444
stroke none fill white font-size 8
text 62,400 'CPU'
text 124,428 'USB'

# drawing 2: the board fitted inside the case, seen from the side
stroke '#999999' stroke-width 1 fill none
rectangle 181,362 345,462
stroke black fill '#d9d9d9'
rectangle 190,368 336,456
fill '$mainboard'
rectangle 198,376 296,448
fill '#c8c8c8'
rectangle 220,388 250,418
fill '#555555'
rectangle 300,376 332,402
fill '#202020'
rectangle 204,428 290,434
rectangle 272,440 290,446
rectangle 258,384 270,390
stroke black fill '$board'
rectangle 302,412 330,444
stroke none fill white font-size 8
text 304,430 '看门狗'
text 224,406 'CPU'
text 306,392 '电源'
stroke black stroke-width 2 fill none
polyline 308,412 308,406 276,406 264,390
stroke '$white_lead'
polyline 310,444 310,452 284,452 284,446
stroke '$blue_lead'
polyline 316,444 316,454 281,454 281,446
stroke '$red_lead'
polyline 322,444 322,456 278,456 278,446

stroke none fill black font-size 11
text 34,478 '图1 看门狗接主板'
text 212,478 '图2 装入机箱后'
EOF
)

convert -size 353x483 xc:white -draw "$draw_wiring" \
  -alpha off -type TrueColor -compress none "BMP3:$out/wiring.bmp"

# --- Checks ------------------------------------------------------------------
python3 - "$out/torvik.ico" "$out/wiring.bmp" <<'PY'
import struct, sys

ico = open(sys.argv[1], "rb").read()
reserved, kind, count = struct.unpack_from("<HHH", ico, 0)
assert (reserved, kind, count) == (0, 1, 1), "icon directory"
w, h, colours, _, planes, bpp, size, offset = struct.unpack_from("<BBBBHHII", ico, 6)
assert (w, h, bpp, offset, offset + size) == (32, 32, 24, 22, len(ico)), "icon entry"
hsize, bw, bh, bplanes, bbpp = struct.unpack_from("<IiiHH", ico, 22)
assert (hsize, bw, bh, bplanes, bbpp) == (40, 32, 64, 1, 24), "icon image header"
assert size == 40 + 32 * 96 + 32 * 4, "icon image size (colour + mask)"

bmp = open(sys.argv[2], "rb").read()
magic, fsize, _, _, pixels_at = struct.unpack_from("<2sIHHI", bmp, 0)
hsize, bw, bh, planes, bpp, compression, image_size = struct.unpack_from("<IiiHHII", bmp, 14)
colours_used = struct.unpack_from("<I", bmp, 46)[0]
assert magic == b"BM" and fsize == len(bmp) == 512034, ("file size", fsize, len(bmp))
assert (hsize, bw, bh, planes, bpp, compression) == (40, 353, 483, 1, 24, 0), "bitmap header"
assert pixels_at == 54 and colours_used == 0, "no colour table"
assert len(bmp) - pixels_at == 1060 * 483 == 511980, "pixel rows"
print("make_assets: torvik.ico and wiring.bmp written and checked")
PY
