#!/usr/bin/env bash
# Quick start for a fresh Debian 12 machine:
#   scripts/build.sh run    install what is missing, build, start the desktop program
#                           (without a display: print a sample report instead)
#   scripts/build.sh test   install what is missing, build (warnings are errors),
#                           build and check the Debian package, run every test,
#                           then build the core and command-line tests with
#                           AddressSanitizer and UBSan and run them
set -euo pipefail

mode=${1:-run}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TESSALY_BUILD_DIR:-$root/build}

# Debian packages the build, the tests and the programs need.
packages=(build-essential cmake ninja-build pkg-config ccache
          libgtest-dev libgmock-dev libbenchmark-dev
          libhowardhinnant-date-dev tzdata
          qt6-base-dev qt6-translations-l10n fonts-wqy-zenhei poppler-utils
          qt6-tools-dev qt6-l10n-tools libopencc-dev libopencc-data)
# The package check needs dpkg-shlibdeps and dpkg-buildflags, and runs the
# validators and lintian.
if [ "$mode" = test ]; then
  packages+=(dpkg-dev desktop-file-utils appstream lintian)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing missing packages: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A compiler cache in the user's cache folder: a second build, from this
# folder or a fresh clone, compiles only what changed. Paths are taken
# relative to the source tree (no absolute path reaches the compiler but
# through include options, which CCACHE_BASEDIR rewrites), and the
# precompiled headers need the sloppiness ccache documents for them.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_DIR=${CCACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/ccache}
  export CCACHE_BASEDIR=$root
  export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# The test build is the package's build: warnings are errors, Debian's flags.
werror=OFF
[ "$mode" = test ] && werror=ON
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSALY_WERROR=$werror \
      -DTESSALY_DEBIAN_BUILD_FLAGS=$werror "${launcher[@]}" >/dev/null
cmake --build "$build" --parallel "$(nproc)"

case "$mode" in
  run)
    # The desktop program needs a display (X11 or Wayland), or a Qt platform
    # chosen by hand (QT_QPA_PLATFORM).
    # Without one, show what the program does: a matching of two example
    # persons through the command line.
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
      a="name=张三;sex=M;date=1990-05-12 08:30;prov=北京市"
      b="name=李四;sex=F;date=1992-11-03 21:10;prov=上海市"
      echo "No display here (DISPLAY and WAYLAND_DISPLAY are not set), so instead of the window,"
      echo "here is the matching report of two example persons, made by the command line:"
      echo "  $build/tessaly-cli match --a \"$a\" --b \"$b\""
      echo
      "$build/tessaly-cli" match --a "$a" --b "$b"
      echo
      echo
      echo "That was the program's main job. \"$build/tessaly-cli --help\" lists the other commands."
      echo "To start the window, run scripts/build.sh run on a desktop, or under a virtual display:"
      echo "  xvfb-run -a $build/tessaly"
      exit 0
    fi
    exec "$build/tessaly"
    ;;
  test)
    "$root/scripts/check_package.sh" "$build"
    ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 300
    # The core and the command line once more under the sanitizers (the
    # desktop program and the benchmarks are left out to keep this short).
    asan=${build}-sanitize
    cmake -S "$root" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O1 \
          -DTESSALY_SANITIZE=ON -DTESSALY_BUILD_APP=OFF -DTESSALY_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
    cmake --build "$asan" --parallel "$(nproc)"
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --test-dir "$asan" --output-on-failure --parallel "$(nproc)" --timeout 300
    ;;
  *)
    echo "usage: scripts/build.sh run|test" >&2
    exit 2
    ;;
esac
