#!/usr/bin/env bash
# Makes the built-in demo file: about 20 s of MP4 with a moving test picture, two spoken voices and a low hiss.
# Usage: make-demo.sh OUTPUT.mp4
set -euo pipefail
out=$1
[ -s "$out" ] && exit 0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
say() { espeak-ng -v "$1" -s 150 -w "$work/$2.wav" "$3"; }
say en-us+m3 l1 "Welcome to the review. This is the opening shot of the demo reel."
say en-gb+f3 l2 "The colours look a little cold here. Could we warm up the shadows?"
say en-us+m3 l3 "Good idea. Listen to the background hiss as well; the cleanup effect should remove it."
say en-gb+f3 l4 "Mark this moment, and we will export the notes for the editor."
inputs=() filters="" n=0
for i in 1 2 3 4; do
  inputs+=(-i "$work/l$i.wav")
  filters+="[$n:a]aresample=48000,apad=pad_dur=1.2[a$n];"
  n=$((n + 1))
done
ffmpeg -nostdin -y -loglevel error "${inputs[@]}" \
  -filter_complex "${filters}[a0][a1][a2][a3]concat=n=4:v=0:a=1,apad=whole_dur=20[speech];anoisesrc=color=pink:amplitude=0.015:sample_rate=48000:duration=20[hiss];[speech][hiss]amix=inputs=2:duration=first:normalize=0[mix]" \
  -map "[mix]" -ac 1 -ar 48000 "$work/audio.wav"
ffmpeg -nostdin -y -loglevel error -f lavfi -i "testsrc2=size=1280x720:rate=30:duration=20" -i "$work/audio.wav" \
  -map 0:v -map 1:a -c:v libx264 -preset veryfast -pix_fmt yuv420p -c:a aac -b:a 128k -shortest "$work/demo.mp4"
mkdir -p "$(dirname "$out")"
mv "$work/demo.mp4" "$out"
