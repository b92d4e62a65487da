#!/usr/bin/env bash
# Pictures of the window for a person to look at, under Xvfb with a window manager (openbox,
# so the frame counts) at a screen size: the window with a sounding open, each panel and dock
# opened by its shortcut, the File menu and the Open dialog. Starts from no kept window size.
# Needs a release build, xvfb, openbox, xdotool and imagemagick (import).
# Usage: scripts/screenshots.sh [WIDTHxHEIGHT] [SOUNDING] [FOLDER]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
size="${1:-1280x720}" file="${2:-$root/data/sample_sand_005.cpt}" out="${3:-$root/build/screenshots}"
mkdir -p "$out"
config="$(mktemp -d)"
trap 'rm -rf "$config"' EXIT
XDG_CONFIG_HOME="$config" xvfb-run -a -s "-screen 0 ${size}x24" bash -s "$root" "$file" "$out/$size" <<'RUN'
root=$1 file=$2 prefix=$3
openbox >/dev/null 2>&1 & wm=$!
sleep 1
"$root/build/release/bin/pelorin" "$file" 2>/dev/null & pid=$!
sleep 2.5
shot() { sleep 0.8; import -window root "${prefix}_$1.png"; }
keys() { xdotool key --delay 100 "$@"; }
shot window
keys ctrl+shift+d; shot start_depth; keys Escape
keys ctrl+shift+i; shot depth_increment; keys Escape
keys ctrl+shift+b; shot shift_channels; keys Escape
keys ctrl+shift+e; shot export; keys Escape
keys ctrl+2 ctrl+3 ctrl+4; shot docks; keys ctrl+2 ctrl+3 ctrl+4
keys ctrl+5 ctrl+shift+b; xdotool type 2; keys Return; shot interpretation; keys ctrl+z ctrl+5
keys ctrl+g; shot go_to; keys Escape
keys alt+f; shot file_menu; keys Escape
keys ctrl+o; shot open_dialog; keys Escape
kill $pid $wm
RUN
echo "Pictures in $out"
