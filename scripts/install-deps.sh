#!/bin/sh
# Installs the Debian packages that building, running and testing tessera need.
# A quick no-op when everything is already present; otherwise apt-get update first, no prompts.
set -eu

PACKAGES="
  build-essential g++ cmake ninja-build pkg-config make
  libsdl2-dev zlib1g-dev
  libfreetype-dev xfonts-shinonome
  libfluidsynth-dev timgm6mb-soundfont
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev
  nlohmann-json3-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev libpng-dev
  clang libclang-rt-dev
  xvfb xauth
"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

[ -z "$missing" ] && exit 0

echo "install-deps: installing$missing"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing
