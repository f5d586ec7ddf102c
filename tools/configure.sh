# Shared by play.sh and test.sh: installs what is missing and configures the one build folder.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VORTA_BUILD_DIR:-$root/build}

"$root/tools/install-deps.sh"
if [ ! -f "$build/CMakeCache.txt" ]; then
  # clang for the native side, so the same tree has sanitizers and libFuzzer.
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVORTA_SANITIZE=ON
fi
