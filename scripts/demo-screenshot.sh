#!/bin/sh
# Makes the README's picture of the demo game with the player itself: the title screen, taken
# headless with the fast clock after the logos, the fade-in and the window's opening.
# Usage: scripts/demo-screenshot.sh [BUILD_FOLDER] [OUTPUT.png]
set -eu
build=${1:-build}
output=${2:-docs/demo-title.png}
frame=450
"$build/tessera" --game "$build/demo" --headless --fast --frames "$frame" --screenshot "$frame:$output"
echo "wrote $output"
