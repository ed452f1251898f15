# The folder in which scripts/setup.sh keeps what it builds and fetches for Lorvane 3D (the i686
# image libraries, Wine's Marlett font, its own package lists), sourced by the scripts that
# need it. cmake/mingw-i686.cmake looks for the libraries in the same places.
#   $LORVANE_CACHE when set;
#   else /var/cache/lorvane3d when this user can write it (root can);
#   else the user's cache folder: $XDG_CACHE_HOME/lorvane3d, or ~/.cache/lorvane3d.
l3d_cache_folder() {
  if [ -n "${LORVANE_CACHE:-}" ]; then
    echo "$LORVANE_CACHE"
  elif [ -w /var/cache/lorvane3d ] || { [ ! -e /var/cache/lorvane3d ] && [ -w /var/cache ]; }; then
    echo /var/cache/lorvane3d
  else
    case ${XDG_CACHE_HOME:-} in
      /*) echo "$XDG_CACHE_HOME/lorvane3d" ;;
      *) echo "$HOME/.cache/lorvane3d" ;;  # unset, or not absolute and so to be ignored
    esac
  fi
}
L3D_CACHE=$(l3d_cache_folder)
