#!/bin/sh
# Installs the Debian packages the build, the tests and the program need.
# Asks apt only when something is missing, so a ready machine pays nothing.
set -eu

PACKAGES="
build-essential cmake ninja-build ccache pkg-config
libx11-dev libxrender-dev libxft-dev libfontconfig-dev libfreetype-dev libgtk2.0-dev libxtst-dev libxcomposite-dev libxfixes-dev
zlib1g-dev libbz2-dev bzip2
libgtest-dev libgmock-dev libbenchmark-dev libfmt-dev libmimalloc2.0 libjemalloc2 libstb-dev
xvfb xauth fonts-dejavu-core python3-fonttools imagemagick
qpdf poppler-utils icc-profiles-free
clang libclang-rt-14-dev clang-format
"

missing=""
for p in $PACKAGES; do
    dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
