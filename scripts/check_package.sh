#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks it as a new user
# meets it: its contents and dependencies; an unpacked copy (dpkg -x) whose
# tessaly-cli runs a matching and lists the cases of a fresh per-user folder,
# and answers --version and help; the manual pages, the bash completion, and
# the desktop entry and AppStream file through their validators when those
# are installed (desktop-file-utils, appstream).
#   scripts/check_package.sh [BUILD_DIR]      (after the build)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-${TESSALY_BUILD_DIR:-$root/build}}
build=$(cd "$build" && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work/pkg" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; exit 1; }
deb=$(ls "$work"/pkg/tessaly_*.deb)
echo "Package: $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB)"

checks=0
failures=0
check() {  # check DESCRIPTION COMMAND...
    local what=$1
    shift
    checks=$((checks + 1))
    if ! "$@" >"$work/check.out" 2>&1; then
        failures=$((failures + 1))
        echo "FAILED: $what" >&2
        sed 's/^/    /' "$work/check.out" >&2
    fi
}
has_line() { grep -qxF -- "$2" "$1"; }
has_text() { grep -qF -- "$2" "$1"; }
same_file() { cmp "$1" "$2"; }
no_match() { ! grep -E -- "$2" "$1"; }

# Contents and control fields.
dpkg-deb -c "$deb" | awk '{print $6}' >"$work/contents"
for f in usr/bin/tessaly usr/bin/tessaly-cli \
         usr/share/tessaly/dat/dili.ini usr/share/tessaly/skins/Mx1.skn \
         usr/share/applications/org.tessaly.Tessaly.desktop \
         usr/share/metainfo/org.tessaly.Tessaly.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/org.tessaly.Tessaly.svg \
         usr/share/icons/hicolor/48x48/apps/org.tessaly.Tessaly.png \
         usr/share/man/man1/tessaly.1.gz usr/share/man/man1/tessaly-cli.1.gz \
         usr/share/bash-completion/completions/tessaly-cli \
         usr/share/doc/tessaly/copyright; do
    check "the package holds /$f" has_line "$work/contents" "./$f"
done
check "the package holds no per-user data and no build paths" no_match "$work/contents" 'bazi_f|bazi0|/build/|\.keep'
dpkg-deb -f "$deb" Depends >"$work/depends"
check "dependencies are computed from the programs' libraries" has_text "$work/depends" "libqt6widgets6"

# An unpacked copy, run by a user whose data folder does not exist yet.
dpkg-deb -x "$deb" "$work/root"
bin=$work/root/usr/bin
data=$work/xdg/tessaly
as_user() { env -u TESSALY_HOME -u DISPLAY -u WAYLAND_DISPLAY HOME="$work/home" XDG_DATA_HOME="$work/xdg" "$@"; }
version=$(sed -n 's/^project(Tessaly VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")

as_user "$bin/tessaly-cli" --version >"$work/version" 2>&1 || true
check "tessaly-cli --version" has_line "$work/version" "tessaly-cli $version"
as_user "$bin/tessaly-cli" --where >"$work/where" 2>&1 || true
check "tessaly-cli --where names the per-user folder" has_line "$work/where" "$data"
as_user "$bin/tessaly-cli" help match >"$work/help" 2>&1 || true
check "tessaly-cli help match" has_text "$work/help" "usage: tessaly-cli match --a PERSON --b PERSON"
as_user "$bin/tessaly-cli" match --a "name=张三;sex=M;date=1990-05-12 08:30;prov=北京市" \
    --b "name=李四;sex=F;date=1992-11-03 21:10" >"$work/report" 2>&1 || true
check "the unpacked tessaly-cli runs a matching" has_text "$work/report" "婚配指数"
as_user "$bin/tessaly-cli" cases list >"$work/cases" 2>&1 || true
check "cases list on a fresh per-user folder" has_line "$work/cases" "命例"
check "the per-user folder gets the shipped place list" same_file "$data/dat/dili.ini" "$work/root/usr/share/tessaly/dat/dili.ini"
check "the per-user folder gets an empty case store" test -s "$data/dat/bazi0.dat"
as_user "$bin/tessaly" --version >"$work/window-version" 2>&1 || true
check "tessaly --version" has_line "$work/window-version" "tessaly $version"
as_user "$bin/tessaly" --where >"$work/window-where" 2>&1 || true
check "the window uses the same folder" same_file "$work/where" "$work/window-where"

# Manual pages and completion.
if command -v groff >/dev/null; then
    for page in tessaly tessaly-cli; do
        zcat "$work/root/usr/share/man/man1/$page.1.gz" >"$work/$page.1"
        check "man page $page(1) renders without warnings" \
            sh -c "groff -k -man -Tutf8 -ww -z '$work/$page.1' 2>&1 | (! grep .)"
    done
fi
check "the bash completion parses" bash -n "$work/root/usr/share/bash-completion/completions/tessaly-cli"

# Validators, when installed.
validators=()
if command -v desktop-file-validate >/dev/null; then
    validators+=(desktop-file-validate)
    check "desktop-file-validate" desktop-file-validate "$work/root/usr/share/applications/org.tessaly.Tessaly.desktop"
fi
if command -v appstreamcli >/dev/null; then
    validators+=(appstreamcli)
    check "appstreamcli validate" appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.tessaly.Tessaly.metainfo.xml"
fi
echo "Validators run: ${validators[*]:-none installed}"

if ((failures)); then
    echo "Package checks: $failures of $checks failed" >&2
    exit 1
fi
echo "Package checks: all $checks passed"
