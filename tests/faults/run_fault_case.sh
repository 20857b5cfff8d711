#!/usr/bin/env bash
# Runs one case of e2e_tests.exe against the real launcher.exe with a fault injected from the
# Linux side, as root:
#   run_fault_case.sh CASE E2E_TESTS.exe WINEPREFIX
# CASE is save-full, save-immutable-file, save-immutable-folder, activation-full,
# activation-immutable-file, activation-immutable-folder or backup-full (a switch whose first live
# file must be backed up first). The save works on a small tmpfs linked as drive X: of the prefix,
# the activation and the backup on a small tmpfs mounted over the Counter-Strike folder. "full"
# fills the tmpfs up to 64 KB, "immutable" sets chattr +i (root ignores the read-only attribute).
# The case prepares its files, writes a flag file, and waits until this script has set the fault
# and removed the flag. Mounts, links and attributes are removed on every way out.
set -euo pipefail
fault_case=$1 tests=$2
prefix=${WINEPREFIX:-$3}
here="$(cd "$(dirname "$0")" && pwd)"
[ "$(id -u)" = 0 ] ||
  { echo "SKIPPED: $fault_case needs root (tmpfs mounts and chattr +i)"; exit 77; }

# The failure must name the path and give the system's reason: ERROR_DISK_FULL (112) for a full
# disk, ERROR_ACCESS_DENIED (5) for an immutable file or folder.
game='C:\SIERRA\Half-Life\cstrike'
case "$fault_case" in
  save-full | save-immutable-file | save-immutable-folder) named='X:\Half-Life\big\mapcycle.txt' ;;
  activation-full) named="$game\\maps\\" ;;
  activation-immutable-file) named="$game\\maps\\de_dust.wpt" ;;
  activation-immutable-folder) named="$game\\maps" ;;
  backup-full) named="$game\\mapcycle.txt" ;;
  *) echo "unknown case $fault_case"; exit 1 ;;
esac
error=5
if [[ "$fault_case" == *-full ]]; then error=112; fi
kind=${fault_case%%-*}
export FAULT_ERROR=$error FAULT_NAMED=$named FAULT_READY='C:\fault-ready'

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

x_drive="$prefix/dosdevices/x:"
if [ "$kind" = save ]; then
  [ -e "$x_drive" ] && { echo "drive X: is taken in $prefix"; exit 1; }
  folder=$(mktemp -d) target_file=Half-Life/big/mapcycle.txt
  export FAULT_HALF_LIFE='X:\Half-Life'
else
  folder="$prefix/drive_c/SIERRA/Half-Life/cstrike" target_file=maps/de_dust.wpt
fi
mkdir -p "$folder"
mount -t tmpfs -o size=1m fault-case "$folder"
mount_point=$folder
if [ "$kind" = save ]; then ln -s "$mount_point" "$x_drive"; drive=$x_drive; fi

rm -f "$flag"
gtest="InjectedFault.${kind^}"
"$here/../../scripts/wine-run.sh" "$prefix" "$tests" --gtest_filter="$gtest" &
runner=$!
while [ ! -e "$flag" ]; do
  if ! kill -0 "$runner" 2>/dev/null; then
    # Ended before it was ready: failed, or ran no test of that name.
    wait "$runner" || exit
    echo "$gtest ended without waiting for the fault"; exit 1
  fi
  sleep 0.1
done

case "$fault_case" in
  *-full)
    # Ballast in a folder of its own, which the case does not look at.
    mkdir -p "$mount_point/ballast"
    dd if=/dev/zero of="$mount_point/ballast/zeros" bs=64k status=none 2>/dev/null || true
    truncate -s -64K "$mount_point/ballast/zeros"
    ;;
  *-immutable-file) immutable="$mount_point/$target_file" ;;
  *-immutable-folder) immutable=$(dirname "$mount_point/$target_file") ;;
esac
[ -z "$immutable" ] || chattr +i "$immutable"
echo "$fault_case: fault set, $(df -k --output=avail "$mount_point" | tail -1) KB free"
rm -f "$flag"
status=0
wait "$runner" || status=$?
runner=""
exit $status
