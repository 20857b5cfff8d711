#!/usr/bin/env bash
# Includes point down only: each folder of src/ includes itself and the folders below it, never
# one above, and a window's folder never another window's (what two windows share lives below
# both); a window (frm_*.h, the main window and program start in app/) is included only by its own
# folder and by program start. Prints each include that breaks this; fails if there is one.
#   check_layers.sh SRC_FOLDER
set -euo pipefail
src=${1:?usage: check_layers.sh SRC_FOLDER}

# Each folder and the folders it may include, lowest first.
declare -A below=(
  [platform]="platform"
  [settings]="settings platform"
  [game_finder]="game_finder settings platform"
  [game_files]="game_files game_finder settings platform"
  [cycle_editor]="cycle_editor game_files game_finder settings platform"
  [mod_chooser]="mod_chooser game_files game_finder settings platform"
  [app]="app mod_chooser cycle_editor game_files game_finder settings platform"
)
is_window() { [[ $1 == */frm_* || $1 == app/* ]]; }

broken=0
for folder in "${!below[@]}"; do
  while IFS=: read -r file included; do
    target=${included%%/*}
    if ! grep -qw "$target" <<<"${below[$folder]}"; then
      echo "$file includes $included: $folder may include only ${below[$folder]}"
      broken=1
    elif is_window "$included" && [ "$target" != "$folder" ] && [ "$folder" != app ]; then
      echo "$file includes the window $included: only its own folder and program start may"
      broken=1
    fi
  done < <(grep -rHoE '^#include "[a-z_]+/[^"]+"' "$src/$folder" |
    sed -E "s#^$src/##; s#:\#include \"#:#; s#\"\$##")
done
for folder in "$src"/*/; do
  name=$(basename "$folder")
  [ -n "${below[$name]:-}" ] || { echo "src/$name has no place in the layers"; broken=1; }
done
((broken == 0)) && echo "Every include points down."
exit "$broken"
