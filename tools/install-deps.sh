#!/bin/sh
# Installs the Debian packages the build, the tests and the program need.
# Asks apt only when something is missing, so a ready machine pays nothing.
set -eu

PACKAGES="
build-essential cmake ninja-build ccache pkg-config
libx11-dev libxrender-dev libxft-dev libfontconfig-dev libfreetype-dev libgtk2.0-dev libxtst-dev libxcomposite-dev libxfixes-dev
zlib1g-dev libbz2-dev bzip2
libgtest-dev libgmock-dev libbenchmark-dev libfmt-dev libmimalloc2.0 libjemalloc2 libstb-dev
xvfb xauth locales fonts-dejavu-core python3-fonttools imagemagick openbox xclip python3-xlib
qpdf poppler-utils icc-profiles-free
gtk2-engines gtk2-engines-pixbuf shared-mime-info stress-ng
clang libclang-rt-14-dev clang-format
"

missing=""
for p in $PACKAGES; do
    dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    # shellcheck disable=SC2086
    $SUDO apt-get install -y -qq --no-install-recommends $missing
fi

# The input tests compose characters through the input method of a UTF-8 English locale.
if ! locale -a 2>/dev/null | grep -qix 'en_US.utf-\{0,1\}8'; then
    echo "Generating the en_US.UTF-8 locale"
    $SUDO localedef -i en_US -c -f UTF-8 -A /usr/share/locale/locale.alias en_US.UTF-8
fi
