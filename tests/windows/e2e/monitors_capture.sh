#!/bin/sh
# Started by the Windows monitors test from inside Wine: writes a PPM of the
# window that holds the saver's OpenGL picture (width x height) to the file.
# Wine draws a child window's OpenGL into an X window of its own, kept in a
# 1x1 holder just off the screen at -1,-1, and never copies it onto the
# screen; the picture is read from that window, whose top row and left
# column the screen's edge cuts off. The file appears whole (renamed into place).
#   monitors_capture.sh FILE WIDTH HEIGHT
set -eu
file=$1; width=$2; height=$3
window=$(xwininfo -root -tree |
  grep -E "\(\)  ${width}x${height}\+0\+0  \+-1\+-1" | awk 'NR == 1 { print $1 }')
[ -n "$window" ]
import -window "$window" -depth 8 "ppm:$file.part"
mv "$file.part" "$file"
