#!/bin/sh
# Writes the seeds one shipped file gives into a folder: the file as the loaders read it after
# decompression, and for a text file each of its paragraphs (blank-line separated groups) as a
# small seed of its own as well, so short inputs already reach every group of keys. The sheet
# seeds in fuzz/seeds/ that reach the size limits are compressed once more than the harness is
# to see them: the sheet and replay harnesses inflate gzip inputs themselves.
set -eu
in=$1
out=$2
name=$(basename "$in")
mkdir -p "$out"
gzip -dcf "$in" >"$out/$name"
case $name in
*.txt) awk -v RS= -v dir="$out" -v name="$name" '{ print > (dir "/" name "." NR) }' "$in" ;;
esac
