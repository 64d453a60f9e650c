#!/usr/bin/env bash
# Writes the seed corpus under corpus/ with the real tools: small pictures, documents and
# ffmpeg's console output of successful and failing runs. Run by hand when a seed is to be
# added; the files are kept in the repository so that every run starts from the same seeds.
# Inputs the fuzzers found are kept beside them as regress-*.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$here/corpus
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
convert=/usr/bin/convert
mkdir -p "$out"/{jpegheader,png,recipe,heicinspector,pagecounter,pdfinfo,qlvscanner,ffmpeglog,progressparser}

# JPEG: each sampling ImageMagick writes, grey, CMYK, progressive, extreme qualities, phone EXIF.
j=$out/jpegheader
$convert -size 24x16 gradient:red-blue -sampling-factor 2x2 -quality 75 "$j/420-q75.jpg"
$convert -size 16x24 gradient:green-yellow -sampling-factor 1x1 -quality 95 "$j/444-q95-portrait.jpg"
$convert -size 20x15 gradient:white-black -sampling-factor 2x1 -quality 50 "$j/422-q50.jpg"
$convert -size 17x13 gradient: -colorspace Gray -quality 85 "$j/grey-q85.jpg"
$convert -size 16x16 gradient:cyan-magenta -colorspace CMYK -quality 90 "$j/cmyk.jpg"
$convert -size 32x24 plasma:fractal -seed 3 -interlace Plane -quality 80 "$j/progressive.jpg"
$convert -size 8x8 xc:orange -quality 1 "$j/q1.jpg"
$convert -size 8x8 xc:navy -quality 100 "$j/q100.jpg"
$convert -size 12x9 gradient:red-blue -quality 70 "$j/phone.jpg"
exiftool -q -overwrite_original -Make=Apple -Model="iPhone 12 Pro" -Orientation#=6 \
    -DateTimeOriginal="2023:05:01 10:00:00" -GPSLatitude=31.2 -GPSLatitudeRef=N "$j/phone.jpg"

# PNG: plain, with text, with ImageMagick's raw EXIF profile, with eXIf after the pixels, 16 bit,
# and animated.
p=$out/png
$convert -size 16x12 gradient:red-blue "$p/plain.png"
$convert -size 12x16 gradient: -depth 16 "$p/grey16-portrait.png"
$convert -size 10x10 xc:pink -set comment "a comment" "$p/text.png"
$convert "$j/phone.jpg" "$p/raw-profile.png"
python3 - "$p/plain.png" "$p/exif-after-pixels.png" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
end = data.rindex(b'IEND') - 4
exif = b'MM\x00*\x00\x00\x00\x08\x00\x00'
chunk = struct.pack('>I', len(exif)) + b'eXIf' + exif + struct.pack('>I', zlib.crc32(b'eXIf' + exif))
open(sys.argv[2], 'wb').write(data[:end] + chunk + data[end:])
PY
ffmpeg -v error -f lavfi -i testsrc=size=8x6:rate=5:duration=0.6 -plays 0 -f apng "$p/animated.png"

# Picture counts: a multi-size ICO and the same as a cursor, TIFFs of both byte orders, BigTIFF.
c=$out/pagecounter
$convert -size 16x16 xc:red \( -size 8x8 xc:blue \) "$c/two.ico"
python3 - "$c/two.ico" "$c/two.cur" <<'PY'
import sys
data = bytearray(open(sys.argv[1], 'rb').read())
data[2] = 2
open(sys.argv[2], 'wb').write(bytes(data))
PY
$convert -size 6x4 xc:red -size 4x6 xc:blue -compress none "$c/two-pages.tif"
$convert -size 5x5 xc:green -endian MSB -compress none "$c/big-endian.tif"
$convert -size 4x4 xc:gray -compress none "TIFF64:$c/bigtiff.tif"

# HEIC: one with a colour profile, beside the real ones in tests/data.
$convert -size 16x16 gradient:red-blue -profile /usr/share/color/icc/ghostscript/srgb.icc "$scratch/icc.png" 2>/dev/null ||
    $convert -size 16x16 gradient:red-blue "$scratch/icc.png"
heif-enc -q 50 -o "$out/heicinspector/icc.heic" "$scratch/icc.png" >/dev/null

# pdfinfo -box: the first byte says whether it exited cleanly ('1') or not ('0').
# Debian's ImageMagick policy refuses to write PDF; these are written by hand.
python3 - "$scratch" <<'PY'
import sys
def pdf(path, pages):
    objs = [b'<< /Type /Catalog /Pages 2 0 R >>',
            b'<< /Type /Pages /Kids [%s] /Count %d >>' % (b' '.join(b'%d 0 R' % (i + 3) for i in range(len(pages))), len(pages))]
    objs += [b'<< /Type /Page /Parent 2 0 R ' + page + b' >>' for page in pages]
    out = b'%PDF-1.4\n'
    offsets = []
    for i, body in enumerate(objs, 1):
        offsets.append(len(out))
        out += b'%d 0 obj\n' % i + body + b'\nendobj\n'
    xref = len(out)
    out += b'xref\n0 %d\n0000000000 65535 f \n' % (len(objs) + 1)
    out += b''.join(b'%010d 00000 n \n' % o for o in offsets)
    out += b'trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n' % (len(objs) + 1, xref)
    open(path, 'wb').write(out)
pdf(sys.argv[1] + '/two.pdf', [b'/MediaBox [0 0 595.2 841.92]', b'/MediaBox [-10 -20 300.5 200] /Rotate 180'])
pdf(sys.argv[1] + '/rotated.pdf', [b'/MediaBox [0 0 612 792] /Rotate 90', b'/MediaBox [0 0 612 792] /Rotate -270'])
PY
head -c 300 "$scratch/two.pdf" >"$scratch/cut.pdf"
for name in two rotated cut; do
    status=1
    text=$(pdfinfo -box -f 1 -l 100000 "$scratch/$name.pdf" 2>&1) || status=0
    printf '%s%s\n' "$status" "$text" >"$out/pdfinfo/$name.txt"
done
printf '0Command Line Error: Incorrect password\n' >"$out/pdfinfo/password.txt"

# QLV: a player's header of its own, then the start of an MP4, an FLV or an MPEG-TS stream.
ffmpeg -v error -f lavfi -i testsrc=size=32x24:rate=5:duration=0.4 -f lavfi -i sine=duration=0.4 \
    -shortest -c:v libx264 -c:a aac "$scratch/a.mp4"
ffmpeg -v error -i "$scratch/a.mp4" -c:v flv1 -c:a mp3 -ar 22050 "$scratch/a.flv"
ffmpeg -v error -i "$scratch/a.mp4" -c copy -f mpegts "$scratch/a.ts"
for kind in mp4 flv ts; do
    { printf 'QLV\x01'; head -c 60 /dev/urandom; head -c 1200 "$scratch/a.$kind"; } >"$out/qlvscanner/$kind.qlv"
done

# ffmpeg's console as the media runner reads it ("-loglevel level+info" and the status lines).
# The first byte sets the size of the pieces it is fed in.
log() {
    local name=$1
    shift
    { printf '\x07'; ffmpeg -hide_banner -loglevel level+info -stats -y "$@" 2>&1 || true; } \
        >"$out/ffmpeglog/$name.log"
}
log video-and-sound -i "$scratch/a.mp4" -c:v libx264 -c:a aac "$scratch/b.mp4"
log sound-only -f lavfi -i sine=duration=0.7 "$scratch/b.mp3"
log wrong-codec -i "$scratch/a.mp4" -c:v libx264 "$scratch/b.webm"
log missing-input -i "$scratch/none.mp4" "$scratch/c.mp4"
log no-frames -i "$scratch/a.mp4" -ss 50 "$scratch/d.mp4"

# Status lines, each followed by the eight bytes the harness reads as the duration.
status_line() {
    printf '%s' "$2" >"$out/progressparser/$1.txt"
    printf '\x00\x00\x00\x00\x00\x00\x01\x2c' >>"$out/progressparser/$1.txt"
}
status_line frame 'frame=  100 fps= 25 q=28.0 size=    1024kB time=00:01:10.52 bitrate= 118.9kbits/s speed=1.01x'
status_line sound 'size=      47kB time=00:00:03.00 bitrate= 128.3kbits/s speed=61.2x'
status_line unknown 'frame=    0 fps=0.0 q=0.0 size=       0kB time=N/A bitrate=N/A speed=N/A'
status_line negative 'frame=    1 fps=0.0 q=0.0 size=       0kB time=-00:00:00.04 bitrate=N/A speed=N/A'

# Recipes: arguments ended by NUL, then the six bytes the harness reads as the picture size.
recipe() {
    local name=$1
    shift
    { printf '%s\0' "$@" | head -c -1; printf '\x01\x00\x00\x02\x00\x00'; } >"$out/recipe/$name"
}
recipe resize /in/a.jpg -auto-orient -resize 800 /out/a.jpg
recipe exact /in/a.jpg -auto-orient -resize '800x600!' -quality 85 /out/a.jpg
recipe turn /in/a.heic -auto-orient -profile /p/srgb.icc -rotate -90 -flop /out/a.png
recipe crop /in/a.jpg -auto-orient -crop 100x50+10+20 -flip /out/a.jpeg
recipe flatten /in/a.png -auto-orient -background white -alpha remove -quality 90% /out/a.jpg
recipe height /in/a.jpg -auto-orient -resize x600 /out/a.jpg
