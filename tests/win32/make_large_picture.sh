#!/usr/bin/env bash
# A photograph-sized JPEG for the tests of decoding off the window's thread:
# orange with grain, so that the decode takes a while and the preview's
# colour is known. Made once per build folder, never kept in the tree.
set -euo pipefail
picture=$1
[ -e "$picture" ] && exit 0
mkdir -p "$(dirname "$picture")"
convert -size 6000x4000 xc:'#f0c020' -attenuate 0.6 +noise Gaussian -quality 90 "$picture.tmp.jpg"
mv "$picture.tmp.jpg" "$picture"
