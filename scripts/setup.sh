#!/usr/bin/env bash
# Installs what this machine lacks to build and test Lorvane 3D; does nothing when all is there.
#  - Debian packages (with i386 for 32-bit Wine and Mesa): as root directly, otherwise through
#    sudo when it needs no password; without either it names the packages to install and stops.
#  - Into the cache of scripts/cache.sh, which the user can write: libpng and libjpeg-turbo
#    cross-built for i686 from Debian's source packages, and the one font of Debian's
#    fonts-wine package that the Wine prefixes get (see scripts/wine-prefix.sh). Both come from
#    the archive the machine already installs its packages from, read through package lists of
#    the cache's own, so nothing under /etc/apt changes and no root is needed for them.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
source "$here/wine-prefix.sh"  # and so scripts/cache.sh: L3D_CACHE
PREFIX="$L3D_CACHE/mingw-i686"

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  googletest libgtest-dev libbenchmark-dev libpng-dev libjpeg-dev zlib1g-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev libz-mingw-w64-dev
  wine wine64 wine32:i386 xvfb xauth x11-utils
  libgl1:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386
  dpkg-dev unicode-data socat python3-numpy
  nsis zip xdotool imagemagick pandoc weasyprint fonts-dejavu-core
)

# --- Debian packages -------------------------------------------------------------------------
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
add_i386=""
dpkg --print-foreign-architectures | grep -qx i386 || add_i386=Y

if [ ${#missing[@]} -gt 0 ] || [ -n "$add_i386" ]; then
  if [ "$(id -u)" -eq 0 ]; then
    as_root=()
  elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    as_root=(sudo -n)
  else
    steps="apt-get update && apt-get install --no-install-recommends ${missing[*]}"
    [ -z "$add_i386" ] || steps="dpkg --add-architecture i386 && $steps"
    cat >&2 <<MSG
setup: Lorvane 3D needs Debian packages that this machine lacks: ${missing[*]:-none}${add_i386:+ (and the i386 architecture)}.
Installing them takes root, and sudo is not available here without a password. Ask an
administrator to run, as root:
  $steps
then run this command again.
MSG
    exit 1
  fi
  if [ -n "$add_i386" ]; then
    ${as_root[@]+"${as_root[@]}"} dpkg --add-architecture i386
  fi
  ${as_root[@]+"${as_root[@]}"} env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    ${as_root[@]+"${as_root[@]}"} env DEBIAN_FRONTEND=noninteractive \
      apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
fi

# --- The cache: source packages and the font, through package lists of its own --------------
# The entries of the machine's apt configuration for Debian's binary packages, written again as
# entries for both binary and source packages of the release's main suite (their components
# reduced to main): the same mirror, the same suite, the same keyring. One-line (*.list) and
# deb822 (*.sources) files alike; entries that are switched off are left out.
archive_entries() {  # wanted-suites...
  local SL SP
  eval "$(apt-config shell SL Dir::Etc::sourcelist/f SP Dir::Etc::sourceparts/d)"
  local files=()
  [ ! -f "$SL" ] || files+=("$SL")
  local f
  for f in "$SP"/*.list "$SP"/*.sources; do [ -f "$f" ] && files+=("$f"); done
  [ ${#files[@]} -gt 0 ] || return 0
  awk -v wanted=" $* " '
    function reset() { delete field; last = "" }
    function emit(types, uris, suites, comps, signedby, trusted,   n, i, s, chosen, key) {
      if ((" " types " ") !~ / deb / || (" " comps " ") !~ / main /) return
      n = split(suites, s, /[ \t]+/); chosen = ""
      for (i = 1; i <= n; i++) {
        key = uris "|" s[i]
        if (s[i] != "" && index(wanted, " " s[i] " ") && !(key in seen)) { seen[key] = 1; chosen = chosen " " s[i] }
      }
      if (chosen == "") return
      printf "Types: deb deb-src\nURIs: %s\nSuites:%s\nComponents: main\n", uris, chosen
      if (signedby != "") printf "Signed-By: %s\n", signedby
      if (trusted != "") printf "Trusted: %s\n", trusted
      print ""
    }
    function flush() {
      if (("types" in field) && tolower(field["enabled"]) != "no")
        emit(field["types"], field["uris"], field["suites"], field["components"], field["signed-by"], field["trusted"])
      reset()
    }
    FNR == 1 { if (deb822) flush(); deb822 = (FILENAME ~ /\.sources$/) }
    deb822 {
      if ($0 ~ /^#/) next
      if ($0 ~ /^[ \t]*$/) { flush(); next }
      if ($0 ~ /^[ \t]/ && last != "") { field[last] = field[last] "\n" $0; next }  # a continued value
      i = index($0, ":"); if (i == 0) next
      last = tolower(substr($0, 1, i - 1)); v = substr($0, i + 1); gsub(/^[ \t]+|[ \t]+$/, "", v)
      field[last] = v
      next
    }
    {
      sub(/#.*/, ""); if (NF < 3) next
      type = $1; k = 2; signedby = ""; trusted = ""
      if ($2 ~ /^\[/) {  # options, as [key=value ...]
        opts = ""
        for (; k <= NF; k++) { opts = opts " " $k; if ($k ~ /\]$/) { k++; break } }
        gsub(/[\[\]]/, " ", opts); n = split(opts, o, /[ \t]+/)
        for (j = 1; j <= n; j++) {
          if (o[j] ~ /^signed-by=/) signedby = substr(o[j], 11)
          if (o[j] ~ /^trusted=/) trusted = substr(o[j], 9)
        }
      }
      if (NF < k + 2) next
      comps = ""; for (j = k + 2; j <= NF; j++) comps = comps " " $j
      emit(type, $k, $(k + 1), comps, signedby, trusted)
    }
    END { if (deb822) flush() }
  ' "${files[@]}"
}

APT_STATE="$L3D_CACHE/apt"
apt_own=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$APT_STATE/sources"
         -o Dir::State::Lists="$APT_STATE/lists" -o Dir::Cache="$APT_STATE/cache"
         -o APT::Architectures="$(dpkg --print-architecture)" -o Acquire::Languages=none)
# As root apt downloads as its own user, who may not write the cache; nothing is installed here.
[ "$(id -u)" -ne 0 ] || apt_own+=(-o APT::Sandbox::User=root)

# Fills the cache's package lists once per set-up run that needs them.
own_lists_ready=""
own_lists() {
  [ -z "$own_lists_ready" ] || return 0
  local codename entries
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  entries=$(archive_entries $codename)
  [ -n "$entries" ] || entries=$(archive_entries stable testing unstable sid)
  if [ -z "$entries" ]; then
    echo "setup: the apt configuration names no entry for Debian's main suite ($codename); add one, then run this again" >&2
    exit 1
  fi
  mkdir -p "$APT_STATE/sources" "$APT_STATE/lists/partial" "$APT_STATE/cache/archives/partial"
  rm -f "$APT_STATE"/sources/*
  printf '%s\n' "$entries" > "$APT_STATE/sources/archive.sources"
  apt-get "${apt_own[@]}" update -qq >/dev/null ||
    { echo "setup: reading the package lists of $APT_STATE/sources failed" >&2; exit 1; }
  own_lists_ready=Y
}

# Static i686 builds of libpng and libjpeg-turbo from Debian's sources.
build_cross_lib() {  # name stamp-file source-package cmake-args...
  local name=$1 stamp=$2 srcpkg=$3; shift 3
  [ -f "$PREFIX/$stamp" ] && return 0
  own_lists
  echo "setup: building $name for i686 in $PREFIX"
  local work; work=$(mktemp -d)
  ( cd "$work" && apt-get "${apt_own[@]}" source -qq "$srcpkg" >/dev/null 2>&1 ) ||
    { echo "setup: apt-get source $srcpkg failed" >&2; exit 1; }
  local dir; dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n 1)
  cmake -S "$dir" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/../cmake/mingw-i686.cmake" \
    -Wno-dev -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DCMAKE_PREFIX_PATH=/usr/i686-w64-mingw32 "$@" >/dev/null
  cmake --build "$work/build" >/dev/null
  cmake --install "$work/build" >/dev/null
  rm -rf "$work"
}

mkdir -p "$L3D_CACHE"
# Set-ups of several work trees may run at once; one fills the cache, the others wait for it.
exec 8>"$L3D_CACHE/lock"
flock -w 1800 8 || { echo "setup: $L3D_CACHE/lock stays busy" >&2; exit 1; }
mkdir -p "$PREFIX"
build_cross_lib libjpeg-turbo lib/libjpeg.a libjpeg-turbo \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
build_cross_lib libpng lib/libpng.a libpng1.6 \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DZLIB_LIBRARY=/usr/i686-w64-mingw32/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/i686-w64-mingw32/include
# Marlett alone out of fonts-wine, which is downloaded, not installed.
if [ ! -f "$L3D_WINE_FONTS/marlett.ttf" ]; then
  own_lists
  echo "setup: taking the Marlett font out of fonts-wine"
  work=$(mktemp -d)
  ( cd "$work" && apt-get "${apt_own[@]}" download -qq fonts-wine >/dev/null 2>&1 ) ||
    { echo "setup: apt-get download fonts-wine failed" >&2; exit 1; }
  mkdir -p "$L3D_WINE_FONTS"
  dpkg-deb --fsys-tarfile "$work"/fonts-wine_*.deb |
    tar -x -O ./usr/share/wine/fonts/marlett.ttf > "$work/marlett.ttf"
  mv "$work/marlett.ttf" "$L3D_WINE_FONTS/marlett.ttf"
  rm -rf "$work"
fi
# The package lists served this run alone; a later one that needs them reads them anew.
[ -z "$own_lists_ready" ] || rm -rf "$APT_STATE"
exec 8>&-
echo "setup: ready (cross libraries in $PREFIX, Wine's fonts in $L3D_WINE_FONTS)"
