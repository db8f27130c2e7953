#!/usr/bin/env bash
# Makes the imaging test pictures with ImageMagick and dumps ImageMagick's own decoding of each
# (8-bit RGBA, rows top to bottom) beside it as <name>.rgba. The tests compare our decoders with
# these dumps. Broken files are cut or written by hand (ImageMagick never writes them).
# Run from anywhere: tests/data/imaging/make.sh. Needs ImageMagick 6 (convert) and python3.
set -euo pipefail
cd "$(dirname "$0")"
IM=${IM:-/usr/bin/convert}
[ -x "$IM" ] || IM=convert
rm -rf gif files broken
mkdir -p gif files broken

# A P6 picture of w x h pixels drawn at random (seeded) from n distinct colours.
noise() { # w h n seed out.ppm
  python3 - "$@" <<'PY'
import random, sys
w, h, n, seed, out = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]), sys.argv[5]
rnd = random.Random(seed)
colours = set()
while len(colours) < n:
    colours.add((rnd.randrange(256), rnd.randrange(256), rnd.randrange(256)))
colours = sorted(colours)
# Each colour appears at least once, so ImageMagick keeps n colours.
px = [colours[i % n] for i in range(n)] + [rnd.choice(colours) for _ in range(w * h - n)]
rnd.shuffle(px)
with open(out, "wb") as f:
    f.write(b"P6 %d %d 255\n" % (w, h))
    f.write(bytes(v for p in px for v in p))
PY
}
dump() { "$IM" "$1" -depth 8 "rgba:${1%.*}.rgba"; }

tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT

# GIFs: colour counts 4..256 give minimum code sizes 2..8.
noise 13 7 4 1 "$tmp/n2.ppm";     "$IM" "$tmp/n2.ppm" gif/min2_13x7.gif
noise 31 17 8 2 "$tmp/n3.ppm";    "$IM" "$tmp/n3.ppm" gif/min3_31x17.gif
noise 40 30 16 3 "$tmp/n4.ppm";   "$IM" "$tmp/n4.ppm" gif/min4_40x30.gif
noise 64 64 32 4 "$tmp/n5.ppm";   "$IM" "$tmp/n5.ppm" gif/min5_64x64.gif
noise 50 50 64 5 "$tmp/n6.ppm";   "$IM" "$tmp/n6.ppm" gif/min6_50x50.gif
noise 97 61 128 6 "$tmp/n7.ppm";  "$IM" "$tmp/n7.ppm" gif/min7_97x61.gif
# Random pixels over 256 colours fill the 4096-entry dictionary several times (clear codes).
noise 160 120 256 7 "$tmp/n8.ppm"; "$IM" "$tmp/n8.ppm" gif/min8_160x120.gif
# Smooth content: long strings, deep dictionary chains.
"$IM" -seed 3 -size 128x128 plasma:green-blue -blur 0x2 -colors 250 gif/smooth_128x128.gif
"$IM" -size 1x1 xc:orange gif/single_1x1.gif
"$IM" -size 300x2 gradient:red-blue -rotate 90 -resize 300x2! -colors 32 gif/wide_300x2.gif
# A transparent colour (graphic control extension) and an interlaced image.
"$IM" -size 24x16 xc:none -fill green -draw 'circle 12,8 12,2' -fill yellow -draw 'point 1,1' gif/transparent_24x16.gif
"$IM" rose: -colors 64 -interlace GIF gif/interlaced_70x46.gif
for f in gif/*.gif; do dump "$f"; done

# Files for the system decoder.
"$IM" rose: -define bmp:format=bmp3 -type TrueColor files/rose24.bmp
"$IM" -size 20x12 gradient:yellow-purple \( -size 20x12 gradient:white-black -rotate 90 -resize 20x12! \) \
  -alpha off -compose CopyOpacity -composite files/alpha32.bmp
"$IM" -size 20x12 gradient:yellow-purple \( -size 20x12 gradient:white-black -rotate 90 -resize 20x12! \) \
  -alpha off -compose CopyOpacity -composite -define png:exclude-chunks=date,time PNG32:files/alpha.png
"$IM" rose: -colors 16 -define png:exclude-chunks=date,time PNG8:files/palette.png
"$IM" rose: -colorspace Gray -depth 8 -define png:exclude-chunks=date,time PNG:files/grey.png
"$IM" -size 30x20 xc:none -fill '#2050c0' -draw 'rectangle 5,5 24,14' -define png:exclude-chunks=date,time PNG8:files/palette_transparent.png
"$IM" rose: -quality 95 files/rose.jpg
for f in files/*.bmp files/*.png files/*.jpg; do dump "$f"; done

# Broken and lying files.
: > broken/empty.png
head -c 200 files/alpha.png > broken/truncated.png
head -c 1000 files/rose.jpg > broken/truncated.jpg
python3 - <<'PY'
import random, struct, zlib
random.seed(11)
open("broken/random.png", "wb").write(bytes(random.randrange(256) for _ in range(4096)))
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
# A valid PNG signature and header claiming 100000 x 100000 RGBA pixels, then one tiny data chunk.
ihdr = struct.pack(">IIBBBBB", 100000, 100000, 8, 6, 0, 0, 0)
png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(b"\0" * 64)) + chunk(b"IEND", b"")
open("broken/lying.png", "wb").write(png)
# A BMP header claiming 100000 x 100000 pixels at 24 bits, with 12 bytes of pixel data.
bmp = struct.pack("<2sIHHI", b"BM", 54 + 12, 0, 0, 54)
bmp += struct.pack("<IiiHHIIiiII", 40, 100000, 100000, 1, 24, 0, 12, 2835, 2835, 0, 0) + b"\0" * 12
open("broken/lying.bmp", "wb").write(bmp)
# Just over the 64-megapixel limit (8193 x 8192), a header whose data would still be plausible.
bmp = struct.pack("<2sIHHI", b"BM", 54 + 12, 0, 0, 54)
bmp += struct.pack("<IiiHHIIiiII", 40, 8193, 8192, 1, 24, 0, 12, 2835, 2835, 0, 0) + b"\0" * 12
open("broken/over_limit.bmp", "wb").write(bmp)
PY
# 32-bit bitmaps with a plain BITMAPINFOHEADER (as resource compilers store them), bottom-up,
# 3 x 2 pixels: one with every alpha byte zero, one where a single pixel has alpha.
python3 - <<'PY'
import struct
def bmp32(path, pixels):  # pixels: rows top to bottom of (b, g, r, a)
    h, w = len(pixels), len(pixels[0])
    data = b"".join(bytes(p) for row in reversed(pixels) for p in row)
    head = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    head += struct.pack("<IiiHHIIiiII", 40, w, h, 1, 32, 0, len(data), 2835, 2835, 0, 0)
    open(path, "wb").write(head + data)
rows = [[(10, 20, 30, 0), (40, 50, 60, 0), (70, 80, 90, 0)], [(1, 2, 3, 0), (4, 5, 6, 0), (7, 8, 9, 0)]]
bmp32("files/noalpha32.bmp", rows)
rows[1][2] = (7, 8, 9, 200)
bmp32("files/onealpha32.bmp", rows)
PY
# A GIF without any colour table (hand-made: ImageMagick always writes one).
printf 'GIF89a\x02\x00\x02\x00\x00\x00\x00\x2c\x00\x00\x00\x00\x02\x00\x02\x00\x00\x02\x02\x4c\x01\x00\x3b' > broken/no_colour_table.gif
cp files/rose.jpg broken/jpeg_named.png    # a good picture under a wrong name still loads
echo "made: $(ls gif files broken | grep -c .) files"
