#!/usr/bin/env bash
# What a distribution sees of the game: the files `cmake --install` puts under a prefix, the
# desktop entry, the AppStream metainfo and the manual page as their validators read them, one
# version everywhere, and the Debian package that cpack builds, with its files and dependencies.
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
    for f in bin/groundline share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
        share/man/man6/groundline.6.gz; do
        [[ -f $prefix/$f ]] || { echo "missing $f"; return 1; }
    done
    for size in 16 32 48 64 128 256; do
        f=share/icons/hicolor/${size}x$size/apps/groundline.png
        [[ $(identify -format '%wx%h' "$prefix/$f" 2>&1) == "${size}x$size" ]] ||
            { echo "$f is not a ${size}x$size picture"; return 1; }
    done
    # The data as the game reads it, without the icons, which only the desktop reads.
    diff -r --exclude=icons "$src/data" "$prefix/share/groundline" || return 1
    [[ ! -e $prefix/share/groundline/icons ]] || { echo "icons installed with the data"; return 1; }
}

man_page() {
    local warnings
    warnings=$(zcat "$prefix/share/man/man6/groundline.6.gz" | groff -man -ww -z 2>&1)
    [[ -z $warnings ]] || { echo "$warnings"; return 1; }
}

one_version() {
    local version
    version=$("$prefix/bin/groundline" --version | awk '{ print $2 }')
    [[ -n $version ]] || return 1
    grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" ||
        { echo "the metainfo has no release $version"; return 1; }
    zcat "$prefix/share/man/man6/groundline.6.gz" | grep -q "^\.TH GROUNDLINE 6 .*\"Groundline $version\"" ||
        { echo "the manual page is not for $version"; return 1; }
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

check "cmake --install into a temporary prefix" cmake --install "$build" --prefix "$prefix"
check "the executable, the data, the icons, the desktop entry, the metainfo, the manual" installed_files
check "desktop-file-validate" desktop-file-validate "$prefix/share/applications/$id.desktop"
check "appstreamcli validate" appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
check "the manual page formats without warnings" man_page
check "one version in the program, the metainfo and the manual" one_version
check "cpack -G DEB" bash -c "cd '$build' && cpack -G DEB -B '$work/deb'"
deb=$(ls "$work"/deb/groundline_*.deb 2>/dev/null | head -n 1)
check "dpkg-deb --info: name, section and the library packages it needs" deb_info
check "dpkg-deb --contents: the installed files and nothing else" deb_contents
[[ -n $deb ]] && echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

echo "$passed passed, $failed failed"
((failed == 0))
