#!/usr/bin/env bash
# Runs one case of e2e_tests.exe against the real launcher.exe with a fault
# injected from the Linux side, as root:
#   run_fault_case.sh CASE E2E_TESTS.exe WINEPREFIX
# CASE is save-full, save-immutable-file, save-immutable-folder,
# activation-full, activation-immutable-file, activation-immutable-folder or
# backup-full (a switch whose first live file must be backed up first).
# The save works on a small tmpfs linked as drive X: of the prefix, the
# activation and the backup on a small tmpfs mounted over the Counter-Strike
# folder. "full" fills the tmpfs up to 64 KB, "immutable" sets chattr +i (root
# ignores the read-only attribute). The case prepares its files, writes a flag
# file, and waits until this script has set the fault and removed the flag.
# Mounts, links and attributes are removed on every way out.
set -euo pipefail
fault_case=$1 tests=$2
prefix=${WINEPREFIX:-$3}
here="$(cd "$(dirname "$0")" && pwd)"
skipped=77

if [ "$(id -u)" != 0 ]; then
  echo "SKIPPED: $fault_case needs root (tmpfs mounts and chattr +i)"
  exit $skipped
fi

mount_point="" drive="" immutable="" flag="$prefix/drive_c/fault-ready" runner=""
cleanup() {
  set +e
  [ -n "$runner" ] && kill "$runner" 2>/dev/null
  [ -n "$immutable" ] && chattr -i "$immutable"
  [ -n "$mount_point" ] && { umount "$mount_point" 2>/dev/null || umount -l "$mount_point"; }
  [ -n "$drive" ] && rm -f "$drive"
  rm -f "$flag"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

mount_tmpfs() {
  mkdir -p "$1"
  mount -t tmpfs -o size=1m fault-case "$1"
  mount_point=$1
}

case "$fault_case" in
  save-*)
    drive="$prefix/dosdevices/x:"
    [ -e "$drive" ] && { echo "drive X: is taken in $prefix"; exit 1; }
    mount_tmpfs "$(mktemp -d)"
    ln -s "$mount_point" "$drive"
    export FAULT_HALF_LIFE='X:\Half-Life'
    mod="$mount_point/Half-Life/big" named='X:\Half-Life\big\mapcycle.txt'
    target_file="$mod/mapcycle.txt" target_folder="$mod" gtest=InjectedFault.Save
    ;;
  activation-* | backup-*)
    mount_tmpfs "$prefix/drive_c/SIERRA/Half-Life/cstrike"
    game='C:\SIERRA\Half-Life\cstrike'
    target_file="$mount_point/maps/de_dust.wpt" target_folder="$mount_point/maps"
    gtest=InjectedFault.Activation
    if [ "$fault_case" = backup-full ]; then gtest=InjectedFault.Backup; fi
    ;;
  *) echo "unknown case $fault_case"; exit 1 ;;
esac

# The failure must name the path and give the system's reason.
case "$fault_case" in
  save-full) export FAULT_ERROR=112 FAULT_NAMED="$named" ;;  # ERROR_DISK_FULL
  save-immutable-*) export FAULT_ERROR=5 FAULT_NAMED="$named" ;;  # ERROR_ACCESS_DENIED
  activation-full) export FAULT_ERROR=112 FAULT_NAMED="$game\\maps\\" ;;
  activation-immutable-file) export FAULT_ERROR=5 FAULT_NAMED="$game\\maps\\de_dust.wpt" ;;
  activation-immutable-folder) export FAULT_ERROR=5 FAULT_NAMED="$game\\maps" ;;
  backup-full) export FAULT_ERROR=112 FAULT_NAMED="$game\\mapcycle.txt" ;;
esac
export FAULT_READY='C:\fault-ready'

rm -f "$flag"
"$here/../../scripts/wine-run.sh" "$prefix" "$tests" --gtest_filter="$gtest" &
runner=$!
while [ ! -e "$flag" ]; do
  kill -0 "$runner" 2>/dev/null || { wait "$runner"; exit $?; }
  sleep 0.1
done

case "$fault_case" in
  *-full)
    # Ballast in a folder of its own, which the case does not look at.
    mkdir -p "$mount_point/ballast"
    dd if=/dev/zero of="$mount_point/ballast/zeros" bs=64k status=none 2>/dev/null || true
    truncate -s -64K "$mount_point/ballast/zeros"
    ;;
  *-immutable-file) chattr +i "$target_file"; immutable=$target_file ;;
  *-immutable-folder) chattr +i "$target_folder"; immutable=$target_folder ;;
esac
echo "$fault_case: fault set, $(df -k --output=avail "$mount_point" | tail -1) KB free"
rm -f "$flag"
status=0
wait "$runner" || status=$?
runner=""
exit $status
