#!/usr/bin/env bash
# Runs the full-disk test on a real full file system: a 64 KiB tmpfs, filled but for a few
# kilobytes. $1: the test executable; the rest: how to run it (wine, or nothing natively).
set -u
exe=$1
shift
mount_point=$(mktemp -d)
cleanup() { umount "$mount_point" 2>/dev/null; rmdir "$mount_point"; }
trap cleanup EXIT
if ! mount -t tmpfs -o size=64k tmpfs "$mount_point" 2>/dev/null; then
  echo "cannot mount a small file system here (needs root); skipped"
  exit 0
fi
mkdir "$mount_point/work"
# Leave about 8 KiB: the 64 KiB path text cannot fit.
dd if=/dev/zero of="$mount_point/filler" bs=4k count=14 status=none
export FULL_DISK_FOLDER="$mount_point/work"
case "$*" in
  *wine*) FULL_DISK_FOLDER="Z:$(tr / '\\' <<<"$FULL_DISK_FOLDER")" ;;
esac
"$@" "$exe" --gtest_filter='FullDiskTest.*'
