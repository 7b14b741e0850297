#!/usr/bin/env bash
# What a distribution sees of the game: the files `cmake --install` puts under a prefix, the
# desktop entry, the AppStream metainfo and the manual pages as their validators read them, one
# version everywhere, and the Debian package that cpack builds, with its files and dependencies,
# clean for lintian and hardened as hardening-check sees it.
#
#   package_test.sh BUILD_DIR SOURCE_DIR
#
# Prints one line per check and "N passed, M failed"; exits non-zero on any failure.

set -u
if (($# != 2)); then
    echo "usage: $0 BUILD_DIR SOURCE_DIR" >&2
    exit 2
fi
build=$(realpath "$1")
src=$(realpath "$2")
work=$(mktemp -d -t groundline-package.XXXXXX)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
id=org.groundline.Groundline

passed=0
failed=0
check() { # check TITLE COMMAND...: the command's output is shown when it fails
    if "${@:2}" >"$work/out" 2>&1; then
        echo "PASS $1"
        passed=$((passed + 1))
    else
        echo "FAIL $1"
        sed 's/^/    /' "$work/out" | head -n 20
        failed=$((failed + 1))
    fi
}

installed_files() {
    local f size
    for f in games/groundline games/groundline-sim share/applications/$id.desktop \
        share/metainfo/$id.metainfo.xml share/man/man6/groundline.6.gz \
        share/man/man6/groundline-sim.6.gz share/doc/groundline/copyright \
        share/doc/groundline/changelog.gz share/lintian/overrides/groundline; do
        [[ -f $prefix/$f ]] || { echo "missing $f"; return 1; }
    done
    for size in 16 32 48 64 128 256; do
        f=share/icons/hicolor/${size}x$size/apps/groundline.png
        [[ $(identify -format '%wx%h' "$prefix/$f" 2>&1) == "${size}x$size" ]] ||
            { echo "$f is not a ${size}x$size picture"; return 1; }
    done
    # The data as the game reads it, without the icons, which only the desktop reads.
    diff -r --exclude=icons "$src/data" "$prefix/share/games/groundline" || return 1
    [[ ! -e $prefix/share/games/groundline/icons ]] || { echo "icons installed with the data"; return 1; }
    grep -qx "Exec=$prefix/games/groundline" "$prefix/share/applications/$id.desktop" ||
        { echo "the desktop entry does not start $prefix/games/groundline"; return 1; }
    local mode
    mode=$(stat -c %a "$prefix/share/applications/$id.desktop")
    [[ $mode == 644 ]] || { echo "the desktop entry's mode is $mode, not 644"; return 1; }
}

appstream_clean() {
    appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || return 1
    ! appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" 2>&1 | grep -E '^[EWI]: '
}

man_page() {
    local page warnings
    for page in groundline groundline-sim; do
        warnings=$(zcat "$prefix/share/man/man6/$page.6.gz" | groff -man -ww -z 2>&1)
        [[ -z $warnings ]] || { echo "$page.6: $warnings"; return 1; }
    done
}

one_version() {
    local version page
    version=$("$prefix/games/groundline" --version | awk '{ print $2 }')
    [[ -n $version ]] || return 1
    grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" ||
        { echo "the metainfo has no release $version"; return 1; }
    for page in groundline groundline-sim; do
        zcat "$prefix/share/man/man6/$page.6.gz" | grep -q "^\.TH [A-Z-]* 6 .*\"Groundline $version\"" ||
            { echo "the manual page $page.6 is not for $version"; return 1; }
    done
    zcat "$prefix/share/doc/groundline/changelog.gz" | head -n 1 | grep -q "^groundline ($version)" ||
        { echo "the change log does not begin with $version"; return 1; }
}

hardened() { # both executables as installed, and the game as packaged
    local exe
    for exe in "$prefix/games/groundline" "$prefix/games/groundline-sim" "$work/deb-root/usr/games/groundline"; do
        # Debian 12's C start files carry no control-flow-protection note, so no program linked
        # there shows it (/usr/bin/ls neither), however its own code was compiled.
        hardening-check --nocfprotection "$exe" || return 1
    done
}

deb_info() {
    local info
    info=$(dpkg-deb --info "$deb") || return 1
    echo "$info"
    grep -q '^ Package: groundline$' <<<"$info" &&
        grep -q '^ Section: games$' <<<"$info" &&
        grep -q '^ Depends: .*liballegro4\.4' <<<"$info" &&
        grep -q '^ Depends: .*zlib1g' <<<"$info" &&
        grep -q '^ Depends: .*libstdc++6' <<<"$info"
}

deb_contents() { # the package holds exactly the files of the install, under /usr
    diff <(dpkg-deb --contents "$deb" | awk '$6 !~ /\/$/ { print substr($6, 7) }' | sort) \
        <(cd "$prefix" && find . -type f | sed 's|^\./||' | sort)
}

# As a tarball whose files are group-writable leaves the source (git keeps no such bit): the
# installed entry's mode must not follow it.
entry_source=$src/packaging/$id.desktop.in
entry_mode=$(stat -c %a "$entry_source")
chmod g+w "$entry_source"
check "cmake --install into a temporary prefix" cmake --install "$build" --prefix "$prefix"
chmod "$entry_mode" "$entry_source"
check "the executable, the data, the icons, the desktop entry, the metainfo, the manual" installed_files
check "desktop-file-validate" desktop-file-validate "$prefix/share/applications/$id.desktop"
check "appstreamcli validate: no error, warning or note" appstream_clean
check "the manual page formats without warnings" man_page
check "one version in the program, the metainfo and the manual" one_version
check "cpack -G DEB" bash -c "cd '$build' && cpack -G DEB -B '$work/deb'"
deb=$(ls "$work"/deb/groundline_*.deb 2>/dev/null | head -n 1)
check "dpkg-deb --info: name, section and the library packages it needs" deb_info
check "dpkg-deb --contents: the installed files and nothing else" deb_contents
check "the packaged desktop entry starts /usr/games/groundline" bash -c \
    "dpkg-deb -x '$deb' '$work/deb-root' && grep -qx Exec=/usr/games/groundline '$work/deb-root/usr/share/applications/$id.desktop'"
# The distribution's own checkers, where they are installed (scripts/install-deps.sh brings them).
if command -v lintian >/dev/null; then
    check "lintian: no error and no warning" lintian --fail-on error,warning "$deb"
else
    echo "SKIP lintian (not installed)"
fi
if command -v hardening-check >/dev/null; then
    check "hardening-check: PIE, stack protector, fortified calls, read-only relocations bound now" hardened
else
    echo "SKIP hardening-check (devscripts not installed)"
fi
[[ -n $deb ]] && echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

echo "$passed passed, $failed failed"
((failed == 0))
