#!/bin/sh
# Writes the MXF files under tests/data/mxf with Debian's ffmpeg. The output is
# reproducible (-fflags +bitexact) for one ffmpeg version; the files are
# committed because another version may write other bytes. The tests check
# what the commands below fix: frame rate, picture size, sample rate, channel
# count and durations.
#   scripts/make-mxf-test-files.sh [DIR]   (default: tests/data/mxf)
set -eu
out=${1:-$(dirname "$0")/../tests/data/mxf}
mkdir -p "$out"
ff() { ffmpeg -hide_banner -loglevel error -y "$@"; }
video() { echo "testsrc=size=$1:rate=25"; }
tone="sine=frequency=1000:sample_rate=48000"

# OP1a: 3 frames of 64x48 MPEG-2 at 25 fps and 0.12 s of one 16-bit channel.
ff -f lavfi -i "$(video 64x48)" -f lavfi -i "$tone" -t 0.12 \
   -c:v mpeg2video -c:a pcm_s16le -fflags +bitexact -flags +bitexact \
   -f mxf "$out/op1a-mpeg2-pcm.mxf"

# The same written to a pipe: the header partition stays open and incomplete.
ff -f lavfi -i "$(video 64x48)" -f lavfi -i "$tone" -t 0.12 \
   -c:v mpeg2video -c:a pcm_s16le -fflags +bitexact -flags +bitexact \
   -f mxf pipe:1 >"$out/op1a-open.mxf"

# OP-Atom: 0.12 s of one 16-bit channel at 48 kHz.
ff -f lavfi -i "$tone" -t 0.12 -c:a pcm_s16le -fflags +bitexact \
   -f mxf_opatom "$out/opatom-pcm.mxf"

# OP-Atom: 2 frames of 256x120 DNxHR LB at 25 fps (the smallest picture it codes).
ff -f lavfi -i "$(video 256x120)" -frames:v 2 -pix_fmt yuv422p -c:v dnxhd \
   -profile:v dnxhr_lb -fflags +bitexact -f mxf_opatom "$out/opatom-dnxhr.mxf"

# D-10: 1 frame (0.04 s) of 720x608 MPEG-2 4:2:2 intra at 30 Mbit/s, 25 fps,
# with 4 channels of 16-bit sound at 48 kHz.
ff -f lavfi -i "$(video 720x608)" -f lavfi -i "$tone" -t 0.04 \
   -c:v mpeg2video -pix_fmt yuv422p -g 1 -b:v 30M -minrate 30M -maxrate 30M \
   -bufsize 1200000 -rc_init_occupancy 1200000 -flags +ildct+low_delay+bitexact \
   -intra_vlc 1 -non_linear_quant 1 -ps 1 -qmin 1 -qmax 3 -top 1 \
   -c:a pcm_s16le -d10_channelcount 4 -fflags +bitexact \
   -f mxf_d10 "$out/d10-30mbps.mxf"
