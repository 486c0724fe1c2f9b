#!/usr/bin/env bash
# Makes what the example setup folder $1 needs beside its text files: the
# package from package.wxs (wixl), the splash and background pictures and
# the billboards (ImageMagick). examples/setup keeps what this made, so that
# it is a whole setup folder; devscripts/run-example.sh makes the package again
# in its copy, with a product code of its own.
set -euo pipefail
folder="$1"
cd "$folder"
wixl -o _data.msi package.wxs
# Shapes rather than lettering: the machine need not have any fonts. Few
# colours, so 8-bit pictures hold them whole and stay small.
picture() {  # name width height colour [format]
  convert -size "$2x$3" "xc:$4" -fill white \
    -draw "circle $(($2 / 2)),$(($3 / 2)) $(($2 / 2)),$(($3 / 5))" \
    -fill "$4" -draw "rectangle $(($2 / 3)),$(($3 / 3)) $(($2 * 2 / 3)),$(($3 * 2 / 3))" \
    -type Palette -compress None "${5:-bmp3}:$1"
}
picture setup.bmp 400 240 '#1f4e9c'
picture logo.bmp 160 60 '#c03060'
mkdir -p images
picture images/one.gif 300 160 '#2a7a3a' gif
picture images/two.gif 300 160 '#7a2a6a' gif
picture images/three.gif 300 160 '#7a6a2a' gif
