#!/usr/bin/env bash
# Quick start for a fresh Debian 12 machine:
#   scripts/build.sh run    install what is missing, build, start the desktop program
#   scripts/build.sh test   install what is missing, build, run every test
set -euo pipefail

mode=${1:-run}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TESSALY_BUILD_DIR:-$root/build}

# Debian packages the build, the tests and the programs need.
packages=(build-essential cmake ninja-build pkg-config
          libgtest-dev libgmock-dev libbenchmark-dev
          libhowardhinnant-date-dev tzdata
          qt6-base-dev fonts-wqy-zenhei)

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

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --parallel "$(nproc)"

case "$mode" in
  run)
    # The desktop program needs a display (X11 or Wayland), or a Qt platform
    # chosen by hand (QT_QPA_PLATFORM).
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
      echo "No display: DISPLAY and WAYLAND_DISPLAY are not set, so the window cannot be shown." >&2
      echo "Run it on a desktop, or under a virtual display: xvfb-run -a $build/tessaly" >&2
      echo "The command line works without one: $build/tessaly-cli match --a ... --b ..." >&2
      exit 3
    fi
    exec "$build/tessaly"
    ;;
  test)
    ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 600
    ;;
  *)
    echo "usage: scripts/build.sh run|test" >&2
    exit 2
    ;;
esac
