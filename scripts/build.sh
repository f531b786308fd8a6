#!/usr/bin/env bash
# Configures and builds one configuration.   build.sh [release|asan|fuzz] [ninja targets...]
set -euo pipefail
cd "$(dirname "$0")/.."
config=${1:-release}
shift || true
jobs=${PICT_JOBS:-$(nproc)}
case "$config" in
  release) dir=build;      flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DPICT_WERROR=${PICT_WERROR:-OFF}) ;;
  asan)    dir=build-asan; flags=(-DCMAKE_BUILD_TYPE=Debug -DPICT_SANITIZE=ON -DPICT_BUILD_BENCH=OFF -DPICT_BUILD_GUI=${PICT_ASAN_GUI:-OFF} -DPICT_WERROR=${PICT_WERROR:-OFF}) ;;
  fuzz)    dir=build-fuzz; flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DPICT_BUILD_FUZZ=ON -DPICT_BUILD_GUI=OFF
                                  -DPICT_BUILD_BENCH=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
  *) echo "unknown configuration: $config" >&2; exit 2 ;;
esac
# Worktrees share one compiler cache when ccache is installed (optional, a developer convenience).
if command -v ccache >/dev/null 2>&1; then
  flags+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$PWD")} CCACHE_NOHASHDIR=1
fi
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
else
  cmake "$dir" "${flags[@]}" >/dev/null
fi
cmake --build "$dir" -j "$jobs" -- "$@"
