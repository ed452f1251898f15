#!/usr/bin/env bash
# Installs what this machine lacks to build and test Lorvane 3D; does nothing when all is there.
# Debian packages (with i386 for 32-bit Wine and Mesa), libpng/libjpeg-turbo cross-built
# for i686 from Debian's source packages into a cache outside the work tree, and the one font of
# Debian's fonts-wine package that the Wine prefixes get (see scripts/wine-prefix.sh).
set -euo pipefail

CACHE="${LORVANE_CACHE:-/var/cache/lorvane3d}"
PREFIX="$CACHE/mingw-i686"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/wine-prefix.sh"

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  googletest libgtest-dev libbenchmark-dev libpng-dev libjpeg-dev zlib1g-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev libz-mingw-w64-dev
  wine wine64 wine32:i386 xvfb xauth x11-utils
  libgl1:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386
  dpkg-dev unicode-data socat python3-numpy
  nsis zip xdotool imagemagick pandoc weasyprint fonts-dejavu-core
)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_update=1
fi
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

# Source packages for the cross-built libraries. The keyring matches the one Debian's own
# entries use, so apt does not see two conflicting entries for the same archive.
src_list=/etc/apt/sources.list.d/lorvane-src.sources
if [ ! -f "$src_list" ]; then
  printf '%s\n' "Types: deb-src" "URIs: http://deb.debian.org/debian" "Suites: bookworm" \
    "Components: main" "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" > "$src_list"
  need_update=1
fi

# The font comes from the package archive, whose lists may have been cleared.
[ -f "$L3D_WINE_FONTS/marlett.ttf" ] || need_update=1

if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The posix-thread variant of the cross-compiler is the one the build uses.
for tool in g++ gcc; do
  alt="/usr/bin/i686-w64-mingw32-$tool"
  if [ "$(readlink -f "$alt")" != "$(readlink -f "$alt-posix")" ]; then
    update-alternatives --set "i686-w64-mingw32-$tool" "$alt-posix" >/dev/null
  fi
done

# Static i686 builds of libpng and libjpeg-turbo from Debian's sources.
build_cross_lib() {  # name stamp-file source-package cmake-args...
  local name=$1 stamp=$2 srcpkg=$3; shift 3
  [ -f "$PREFIX/$stamp" ] && return 0
  echo "setup: building $name for i686"
  local work; work=$(mktemp -d)
  ( cd "$work" && apt-get source -qq "$srcpkg" >/dev/null 2>&1 )
  local dir; dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n 1)
  cmake -S "$dir" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/../cmake/mingw-i686.cmake" \
    -Wno-dev -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DCMAKE_PREFIX_PATH=/usr/i686-w64-mingw32 "$@" >/dev/null
  cmake --build "$work/build" >/dev/null
  cmake --install "$work/build" >/dev/null
  rm -rf "$work"
}
mkdir -p "$PREFIX"
build_cross_lib libjpeg-turbo lib/libjpeg.a libjpeg-turbo \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
build_cross_lib libpng lib/libpng.a libpng1.6 \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DZLIB_LIBRARY=/usr/i686-w64-mingw32/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/i686-w64-mingw32/include
# Marlett alone out of fonts-wine, which is downloaded, not installed.
if [ ! -f "$L3D_WINE_FONTS/marlett.ttf" ]; then
  echo "setup: taking the Marlett font out of fonts-wine"
  work=$(mktemp -d)
  ( cd "$work" && apt-get download -qq fonts-wine >/dev/null 2>&1 ) ||
    { echo "setup: apt-get download fonts-wine failed" >&2; exit 1; }
  mkdir -p "$L3D_WINE_FONTS"
  dpkg-deb --fsys-tarfile "$work"/fonts-wine_*.deb |
    tar -x -O ./usr/share/wine/fonts/marlett.ttf > "$work/marlett.ttf"
  mv "$work/marlett.ttf" "$L3D_WINE_FONTS/marlett.ttf"
  rm -rf "$work"
fi
echo "setup: ready (cross libraries in $PREFIX, Wine's fonts in $L3D_WINE_FONTS)"
