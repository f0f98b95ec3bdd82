#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks it as a Debian
# maintainer and a new user meet it:
#   - lintian --pedantic finds no error and no warning (information is
#     allowed; each override in data/linux/lintian-overrides gives its reason);
#   - the programs carry Debian's hardening (fortified functions, the stack
#     protector, full RELRO, immediate binding): configure the build with
#     -DTESSALY_DEBIAN_BUILD_FLAGS=ON, as scripts/build.sh test does;
#   - two packages made from the same build are the same file;
#   - the control fields (maintainer address, version from the changelog,
#     computed dependencies, recommended font and Qt translations), the
#     changelog and the copyright file;
#   - an unpacked copy (dpkg -x) whose tessaly-cli runs a matching, lists the
#     cases of a fresh per-user folder, answers --version and help, and
#     follows a newer shipped place list by the rule for shipped data;
#   - the manual pages, the bash completion, and the desktop entry and
#     AppStream file through their validators.
#   scripts/check_package.sh [BUILD_DIR]      (after the build)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-${TESSALY_BUILD_DIR:-$root/build}}
build=$(cd "$build" && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
make_package() {  # make_package OUTPUT_DIR
    (cd "$build" && cpack -G DEB -B "$1" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; exit 1; }
}
make_package "$work/pkg"
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
no_text() { ! grep -F -- "$2" "$1"; }

# Two packages of the same build: byte for byte the same.
make_package "$work/pkg2"
check "two packages of one build are the same file" same_file "$deb" "$(ls "$work"/pkg2/tessaly_*.deb)"

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
         usr/share/doc/tessaly/copyright usr/share/doc/tessaly/changelog.Debian.gz \
         usr/share/doc/tessaly/json.md usr/share/lintian/overrides/tessaly; do
    check "the package holds /$f" has_line "$work/contents" "./$f"
done
check "the package holds no per-user data and no build paths" no_match "$work/contents" 'bazi_f|bazi0|/build/|\.keep'
changelog=$root/data/linux/changelog
dpkg-deb -f "$deb" >"$work/control"
check "the version is the changelog's" has_line "$work/control" "Version: $(dpkg-parsechangelog -l "$changelog" -SVersion)"
check "the maintainer is the changelog's, with an address" \
    has_line "$work/control" "Maintainer: $(dpkg-parsechangelog -l "$changelog" -SMaintainer)"
check "dependencies are computed from the programs' libraries" has_text "$work/control" "libqt6widgets6"
check "a CJK font and Qt's translations are recommended" \
    has_line "$work/control" "Recommends: fonts-wqy-zenhei | fonts-noto-cjk | fonts-arphic-uming, qt6-translations-l10n"

# An unpacked copy, run by a user whose data folder does not exist yet.
dpkg-deb -x "$deb" "$work/root"
bin=$work/root/usr/bin
doc=$work/root/usr/share/doc/tessaly
check "changelog.Debian.gz is the changelog" sh -c "zcat '$doc/changelog.Debian.gz' | cmp - '$changelog'"
check "the copyright file is machine-readable" has_line "$doc/copyright" \
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"

# Debian's hardening, as dpkg-buildflags gives it.
for program in tessaly tessaly-cli; do
    readelf -d -W "$bin/$program" >"$work/dynamic"
    readelf -l -W "$bin/$program" >"$work/segments"
    readelf --dyn-syms -W "$bin/$program" >"$work/symbols"
    check "$program: full RELRO" has_text "$work/segments" "GNU_RELRO"
    check "$program: immediate binding (configure with -DTESSALY_DEBIAN_BUILD_FLAGS=ON)" \
        grep -qE 'BIND_NOW|FLAGS_1.*NOW' "$work/dynamic"
    check "$program: fortified functions (configure with -DTESSALY_DEBIAN_BUILD_FLAGS=ON)" \
        grep -qE '__[a-z]+_chk(@|$| )' "$work/symbols"
    check "$program: stack protector" has_text "$work/symbols" "__stack_chk_fail"
done

data=$work/xdg/tessaly
as_user() { env -u TESSALY_HOME -u DISPLAY -u WAYLAND_DISPLAY HOME="$work/home" XDG_DATA_HOME="$work/xdg" "$@"; }
version=$(sed -n 's/^project(Tessaly VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")

as_user "$bin/tessaly-cli" --version >"$work/version" 2>&1 || true
check "tessaly-cli --version" has_line "$work/version" "tessaly-cli $version"
as_user "$bin/tessaly-cli" --where >"$work/where" 2>&1 || true
check "tessaly-cli --where names the per-user folder" has_line "$work/where" "$data"
as_user env -u LC_ALL -u LC_MESSAGES LANG=en_US.UTF-8 "$bin/tessaly-cli" help match >"$work/help" 2>&1 || true
check "tessaly-cli help match (English locale)" has_text "$work/help" "usage: tessaly-cli match --a PERSON --b PERSON"
as_user env -u LC_ALL -u LC_MESSAGES -u LANG "$bin/tessaly-cli" help match >"$work/help-zh" 2>&1 || true
check "tessaly-cli help match (no locale: Chinese)" has_text "$work/help-zh" "用法： tessaly-cli match --a PERSON --b PERSON"
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

# Shipped data: a newer place list replaces the user's untouched copy; a copy
# the user changed is kept and announced once; reset-file takes the new one.
shipped=$work/root/usr/share/tessaly/dat/dili.ini
cp "$shipped" "$work/dili.orig"
printf '\r\n' >>"$shipped"
as_user "$bin/tessaly-cli" places 0 >/dev/null 2>"$work/update.err" || true
check "an untouched copy follows a newer shipped file" same_file "$data/dat/dili.ini" "$shipped"
check "... silently" test ! -s "$work/update.err"
cp "$work/dili.orig" "$data/dat/dili.ini"
printf '\r\n\r\n' >>"$shipped"
as_user "$bin/tessaly-cli" places 0 >/dev/null 2>"$work/update.err" || true
check "a changed copy is kept" same_file "$data/dat/dili.ini" "$work/dili.orig"
check "... and the newer one is announced" has_text "$work/update.err" "tessaly-cli reset-file dili.ini"
as_user "$bin/tessaly-cli" places 0 >/dev/null 2>"$work/update.err" || true
check "... once" test ! -s "$work/update.err"
as_user "$bin/tessaly-cli" reset-file dili.ini >"$work/reset.out" 2>&1 || true
check "reset-file takes the shipped copy" same_file "$data/dat/dili.ini" "$shipped"
check "... and keeps the old one aside" sh -c "cmp '$work/dili.orig' '$data'/dat/dili.ini.2*"

# Manual pages and completion.
if command -v groff >/dev/null; then
    for page in tessaly tessaly-cli; do
        zcat "$work/root/usr/share/man/man1/$page.1.gz" >"$work/$page.1"
        check "man page $page(1) renders without warnings" \
            sh -c "groff -k -man -Tutf8 -ww -z '$work/$page.1' 2>&1 | (! grep .)"
    done
fi
check "the bash completion parses" bash -n "$work/root/usr/share/bash-completion/completions/tessaly-cli"

# AppStream: no made-up address; one release per changelog entry.
metainfo=$work/root/usr/share/metainfo/org.tessaly.Tessaly.metainfo.xml
check "the AppStream file names no made-up address" no_text "$metainfo" ".invalid"
for v in $(dpkg-parsechangelog -l "$changelog" --all -SVersion); do
    check "the AppStream file has the release $v" has_text "$metainfo" "<release version=\"$v\""
done

# Validators.
validators=()
if command -v desktop-file-validate >/dev/null; then
    validators+=(desktop-file-validate)
    check "desktop-file-validate" desktop-file-validate "$work/root/usr/share/applications/org.tessaly.Tessaly.desktop"
fi
if command -v appstreamcli >/dev/null; then
    validators+=(appstreamcli)
    # A component id with capitals (reverse DNS, as the desktop entry is
    # named) is only a pedantic hint.
    check "appstreamcli validate --pedantic" appstreamcli validate --pedantic --no-net "$metainfo"
fi
if command -v lintian >/dev/null; then
    validators+=(lintian)
    lintian --pedantic --display-info --fail-on none "$deb" >"$work/lintian" 2>&1 || true
    check "lintian finds no error and no warning" no_match "$work/lintian" '^[EW]: '
    if [ -s "$work/lintian" ]; then sed 's/^/    lintian: /' "$work/lintian"; fi
fi
echo "Validators run: ${validators[*]:-none installed}"

if ((failures)); then
    echo "Package checks: $failures of $checks failed" >&2
    exit 1
fi
echo "Package checks: all $checks passed"
