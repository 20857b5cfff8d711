#!/usr/bin/env bash
# Regenerates every picture in this folder: the window icon, the JPEGs the program keeps as RCDATA
# and the About bitmap. Needs ImageMagick's convert and python3 (standard library only). The build
# does not run this script; rerun it by hand after changing a drawing and keep the output.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Baseline JPEG, no metadata, always three colour channels so every decoder sees the same layout.
jpeg() { # jpeg <in> <out> [sampling]
  convert "$1" -alpha off -strip -interlace none -type TrueColor \
    -sampling-factor "${3:-2x2}" -quality 92 "$2"
}

# --- launcher_picture.jpg (111x87): a dusk skyline seen through a scope ---------------------------
convert -size 111x60 gradient:'#4a6fb0-#f2b46a' \
  -size 111x27 xc:'#1a1714' -append \
  -fill '#ffe2a0' -draw 'circle 93,30 93,24' \
  -fill '#211d1a' -draw 'polygon 0,87 0,52 10,52 10,44 22,44 22,55 31,55 31,40 36,36 41,40 41,58
      52,58 52,48 66,48 66,60 74,60 74,50 86,50 86,57 95,57 95,46 103,46 103,54 111,54 111,87' \
  -fill '#2c2722' -draw 'rectangle 0,70 111,87' \
  -fill '#3a332c' -draw 'rectangle 14,64 26,75 rectangle 80,66 90,75' \
  -fill none -stroke '#7dff6a' -strokewidth 1 \
  -draw 'circle 55,43 55,22' \
  -draw 'line 55,14 55,36 line 55,50 55,72 line 26,43 48,43 line 62,43 84,43' \
  -stroke none -fill '#ff3a2a' -draw 'circle 55,43 55,41.5' \
  "$work/launcher.png"
jpeg "$work/launcher.png" launcher_picture.jpg

# --- chooser_background.jpg (412x382): dark slate with a faint grid and a scope ring --------------
grid_lines() { # grid_lines <width> <height> <step>: draw commands for a square grid
  local w=$1 h=$2 step=$3 x y out=""
  for ((x = step; x < w; x += step)); do out+="line $x,0 $x,$h "; done
  for ((y = step; y < h; y += step)); do out+="line 0,$y $w,$y "; done
  printf '%s' "$out"
}
convert -size 412x382 gradient:'#1d2636-#090c12' \
  -fill none -stroke '#222d3e' -strokewidth 1 -draw "$(grid_lines 412 382 24)" \
  -stroke '#2e3b52' -strokewidth 3 -draw 'circle 330,300 330,200' \
  -strokewidth 2 -draw 'line 330,170 330,250 line 330,350 330,382 line 200,300 280,300
      line 380,300 412,300' \
  -stroke none -fill '#3a4a66' -draw 'circle 330,300 330,295' \
  "$work/chooser.png"
jpeg "$work/chooser.png" chooser_background.jpg

# --- editor_background.jpg (412x382): a dark map plan on a fine grid -------------------------------
convert -size 412x382 gradient:'#17201a-#080b09' \
  -fill none -stroke '#1b271e' -strokewidth 1 -draw "$(grid_lines 412 382 16)" \
  -stroke '#2b3d2f' -strokewidth 2 \
  -draw 'rectangle 32,40 150,130 rectangle 250,32 380,120 rectangle 40,230 170,350
      rectangle 262,250 384,352 rectangle 176,150 236,214' \
  -draw 'line 150,86 250,86 line 206,130 206,150 line 206,214 206,300 line 170,300 262,300
      line 96,130 96,230 line 322,120 322,250' \
  -stroke none -fill '#33493a' -draw 'circle 96,86 96,80 circle 322,300 322,294' \
  "$work/editor.png"
jpeg "$work/editor.png" editor_background.jpg

# --- up_arrow.jpg / down_arrow.jpg (32x31): a green arrow on a light button face -------------------
convert -size 32x31 gradient:'#f4f2ee-#d6d2ca' "$work/face.png"
convert -size 32x31 xc:none -fill '#2f8f3a' -stroke '#1b4f22' -strokewidth 1.5 \
  -draw 'polygon 16,3 29,17 21,17 21,28 11,28 11,17 3,17' \
  -stroke none -fill '#5cc466' -draw 'polygon 16,7 24.5,15.5 19,15.5 19,19 13,19 13,15.5 7.5,15.5' \
  "$work/arrow.png"
convert "$work/face.png" "$work/arrow.png" -composite "$work/up.png"
convert "$work/face.png" \( "$work/arrow.png" -flip \) -composite "$work/down.png"
jpeg "$work/up.png" up_arrow.jpg 1x1
jpeg "$work/down.png" down_arrow.jpg 1x1

# --- about.bmp (64x64, 24-bit): the crosshair emblem on a dark tile -------------------------------
convert -size 64x64 radial-gradient:'#2f5d73-#0c1820' \
  -fill none -stroke '#f0a030' -strokewidth 3 -draw 'circle 32,32 32,10' \
  -stroke '#e8f4ff' -strokewidth 2 -draw 'line 32,4 32,24 line 32,40 32,60 line 4,32 24,32
      line 40,32 60,32' \
  -stroke none -fill '#ff3a2a' -draw 'circle 32,32 32,29' \
  -alpha off -type TrueColor BMP3:about.bmp

# --- launcher.ico: 16, 32 and 48 pixels, each in 16 and in 256 colours ----------------------------
# Drawn at eight times the size on a 48-unit canvas, then reduced; small sizes get bolder strokes.
icon_master() { # icon_master <size> <stroke scale> <out.png>
  local size=$1 bold=$2
  local big=$((size * 8))
  local k c disc ring ring_width line_width dot
  # Pixel centres sit on whole coordinates, so the canvas centre is half a pixel before big/2.
  # "scale" in a draw string scales stroke widths too, so widths stay in 48-unit terms.
  read -r k c disc ring ring_width line_width dot < <(python3 -c "
k = $big / 48; c = ($big - 1) / 2 / k
print(k, c, c - 21.75, c - 19.3, 3.0 * $bold, 2.6 * $bold, c - 3.2 * $bold)")
  convert -size "${big}x${big}" radial-gradient:'#3a7a8c-#0d1f28' \
    \( -size "${big}x${big}" xc:none -fill white -draw "scale $k,$k circle $c,$c $c,$disc" \) \
    -alpha off -compose CopyOpacity -composite -compose Over \
    -fill none -stroke '#f0a030' -strokewidth "$ring_width" \
    -draw "scale $k,$k circle $c,$c $c,$ring" \
    -stroke '#eef7ff' -strokewidth "$line_width" \
    -draw "scale $k,$k line $c,6 $c,18 line $c,30 $c,42 line 6,$c 18,$c line 30,$c 42,$c" \
    -stroke none -fill '#ff3a2a' -draw "scale $k,$k circle $c,$c $c,$dot" \
    -filter Box -resize "${size}x${size}" "$3"
}
for size in 16 32 48; do
  bold=1.0
  [[ $size == 16 ]] && bold=1.6
  [[ $size == 32 ]] && bold=1.2
  icon_master "$size" "$bold" "$work/icon$size.png"
  convert "$work/icon$size.png" -depth 8 "rgba:$work/icon$size.rgba"
  # Colour part: transparent pixels become black, then reduce to the palette size without dither.
  convert "$work/icon$size.png" -background black -alpha remove -alpha off \
    +dither -colors 16 -depth 8 "rgb:$work/icon$size-16.rgb"
  convert "$work/icon$size.png" -background black -alpha remove -alpha off \
    +dither -colors 256 -depth 8 "rgb:$work/icon$size-256.rgb"
done

python3 - "$work" <<'PY'
"""Packs the reduced images into launcher.ico as classic BMP entries with an AND mask."""
import struct
import sys

work = sys.argv[1]


def entry(size, bits):
    rgba = open(f"{work}/icon{size}.rgba", "rb").read()
    rgb = open(f"{work}/icon{size}-{1 << bits}.rgb", "rb").read()
    pixels = [rgb[i * 3:i * 3 + 3] for i in range(size * size)]
    opaque = [rgba[i * 4 + 3] >= 128 for i in range(size * size)]
    palette = sorted(set(p for p, o in zip(pixels, opaque) if o) | {b"\0\0\0"})
    if len(palette) > (1 << bits):
        sys.exit(f"icon {size} has {len(palette)} colours, more than {1 << bits}")
    index = {p: i for i, p in enumerate(palette)}
    palette += [b"\0\0\0"] * ((1 << bits) - len(palette))

    def rows(values, bpp):
        # Bottom-up rows, packed high bits first, each padded to four bytes.
        out = bytearray()
        for y in reversed(range(size)):
            acc = 0
            for x in range(size):
                acc = (acc << bpp) | values[y * size + x]
            row_bits = size * bpp
            padded = (row_bits + 31) // 32 * 32
            out += (acc << (padded - row_bits)).to_bytes(padded // 8, "big")
        return out

    xor = rows([index[p] if o else 0 for p, o in zip(pixels, opaque)], bits)
    mask = rows([0 if o else 1 for o in opaque], 1)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(xor) + len(mask),
                         0, 0, 0, 0)
    quads = b"".join(bytes((p[2], p[1], p[0], 0)) for p in palette)
    return header + quads + xor + mask


images = [(size, bits) for bits in (4, 8) for size in (16, 32, 48)]
blobs = [entry(size, bits) for size, bits in images]
offset = 6 + 16 * len(images)
directory = bytearray(struct.pack("<HHH", 0, 1, len(images)))
for (size, bits), blob in zip(images, blobs):
    colours = 16 if bits == 4 else 0
    directory += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bits, len(blob), offset)
    offset += len(blob)
with open("launcher.ico", "wb") as f:
    f.write(bytes(directory) + b"".join(blobs))
PY

# --- check every output against the sizes the program relies on -----------------------------------
python3 - <<'PY'
"""Fails the script if a picture has the wrong size or format."""
import struct
import sys


def fail(message):
    sys.exit(f"make_pictures.sh: {message}")


def jpeg_size(path):
    data = open(path, "rb").read()
    if data[:2] != b"\xff\xd8":
        fail(f"{path} is not a JPEG")
    pos = 2
    while pos + 4 <= len(data):
        if data[pos] != 0xFF:
            fail(f"{path}: broken marker at {pos}")
        marker = data[pos + 1]
        length = struct.unpack(">H", data[pos + 2:pos + 4])[0]
        if marker == 0xC2:
            fail(f"{path} is progressive; keep it baseline")
        if marker in (0xC0, 0xC1):
            height, width = struct.unpack(">HH", data[pos + 5:pos + 9])
            return width, height
        pos += 2 + length
    fail(f"{path} has no frame header")


for path, want in {
    "launcher_picture.jpg": (111, 87),
    "chooser_background.jpg": (412, 382),
    "editor_background.jpg": (412, 382),
    "up_arrow.jpg": (32, 31),
    "down_arrow.jpg": (32, 31),
}.items():
    if jpeg_size(path) != want:
        fail(f"{path} is {jpeg_size(path)}, want {want}")

bmp = open("about.bmp", "rb").read()
if bmp[:2] != b"BM":
    fail("about.bmp is not a BMP")
header_size, width, height, planes, bits, compression = struct.unpack("<IiiHHI", bmp[14:34])
if (header_size, width, abs(height), bits, compression) != (40, 64, 64, 24, 0):
    fail(f"about.bmp: header {header_size}, {width}x{height}, {bits} bpp, compression {compression}")

ico = open("launcher.ico", "rb").read()
reserved, kind, count = struct.unpack("<HHH", ico[:6])
if (reserved, kind, count) != (0, 1, 6):
    fail(f"launcher.ico header {reserved}, {kind}, {count}; want 0, 1, 6")
seen = set()
for i in range(count):
    w, h, colours, _, planes, bits, size, offset = struct.unpack(
        "<BBBBHHII", ico[6 + 16 * i:22 + 16 * i])
    if offset + size > len(ico):
        fail(f"launcher.ico entry {i} runs past the end of the file")
    bi_size, bi_w, bi_h, bi_planes, bi_bits = struct.unpack("<IiiHH", ico[offset:offset + 16])
    if (w, h) != (bi_w, bi_h // 2) or w != h or bits != bi_bits or bi_size != 40:
        fail(f"launcher.ico entry {i}: directory and bitmap header disagree")
    palette = 4 << bits
    row = lambda bpp: (w * bpp + 31) // 32 * 4
    if size != 40 + palette + (row(bits) + row(1)) * h:
        fail(f"launcher.ico entry {i}: {size} bytes is not a {w}x{h} {bits}-bpp image with mask")
    seen.add((w, bits))
want = {(s, b) for s in (16, 32, 48) for b in (4, 8)}
if seen != want:
    fail(f"launcher.ico holds {sorted(seen)}, want {sorted(want)}")
PY
echo "make_pictures.sh: pictures written to $(pwd)"
