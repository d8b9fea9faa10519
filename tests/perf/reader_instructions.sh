#!/usr/bin/env bash
# The BMP reader's instruction count for one 2048 x 2048 file, counted by
# callgrind inside readBmp only (repeatable, unlike a time). Fails above
# 2 instructions per pixel. Usage: reader_instructions.sh READ_ONCE
set -euo pipefail
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$1" write "$work/image.bmp"
valgrind --tool=callgrind --toggle-collect='readBmp*' --callgrind-out-file="$work/out" \
    "$1" read "$work/image.bmp" 2>/dev/null
instructions="$(awk '/^summary:/ {print $2}' "$work/out")"
pixels=$((2048 * 2048))
bound=$((2 * pixels))
echo "readBmp, 2048 x 2048: $instructions instructions," \
     "$(awk -v i="$instructions" -v p="$pixels" 'BEGIN {printf "%.2f", i / p}') per pixel (bound $bound)"
[ "$instructions" -gt 0 ] && [ "$instructions" -le "$bound" ]
