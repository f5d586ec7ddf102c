# Shared by the benchmarks and the scripts that run the game: a built 64-bit Windows build in
# VORTA_WIN64_DIR (the tree is built first unless one is given) and its Wine prefix. Source it.
# Usage inside a script:  source "$(dirname "$0")/win64-build.sh"
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if [ -z "${VORTA_WIN64_DIR:-}" ]; then
  source "$root/tools/configure.sh"
  cmake --build "$build" -j2 --target win64 >/dev/null
  VORTA_WIN64_DIR=$build/win64
  export VORTA_WINEPREFIX=${VORTA_WINEPREFIX:-$build/wineprefix}
fi
export VORTA_WINEPREFIX=${VORTA_WINEPREFIX:-$VORTA_WIN64_DIR/wineprefix}

# Links a benchmark program of tools/bench against the Windows build's libraries and
# resources: $1 the source, $2 the executable made.
vorta_link_bench() {
  x86_64-w64-mingw32-g++-posix -std=c++17 -O2 -I"$root" -DDIRECTINPUT_VERSION=0x0500 \
    "$1" "$VORTA_WIN64_DIR/resources/CMakeFiles/vorta_resources.dir/vorta.rc.res" \
    "$VORTA_WIN64_DIR/libvorta_platform.a" "$VORTA_WIN64_DIR/libvorta_core.a" \
    -static -static-libgcc -static-libstdc++ \
    -lddraw -ldxguid -ldinput -ldsound -lole32 -loleaut32 -luuid -lgdi32 -luser32 -lwinmm -limm32 \
    -o "$2"
}
