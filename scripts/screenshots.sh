#!/usr/bin/env bash
# Pictures of the window for a person to look at, under Xvfb at a screen size: the window
# with a sounding open, each panel opened from its menu with the mouse, View, Quality, and the combine
# dialog. Needs a release build, xvfb, xdotool and imagemagick (import).
# Usage: scripts/screenshots.sh [WIDTHxHEIGHT] [SOUNDING] [FOLDER]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
size="${1:-1280x720}" file="${2:-$root/data/sample_sand_005.cpt}" out="${3:-$root/build/screenshots}"
mkdir -p "$out"
xvfb-run -a -s "-screen 0 ${size}x24" bash -s "$root" "$file" "$out/$size" <<'RUN'
root=$1 file=$2 prefix=$3
"$root/build/release/bin/pelorin" "$file" 2>/dev/null & pid=$!
sleep 2.5
eval "$(xdotool search --onlyvisible --name Pelorin | head -1 | xargs xdotool getwindowgeometry --shell)"
at() {  # a click at a place of the window, from its top left corner
  xdotool mousemove $((X + $1)) $((Y + $2)); sleep 0.2; xdotool mousedown 1; sleep 0.1; xdotool mouseup 1; sleep 0.6
}
shot() { sleep 0.6; import -window root "${prefix}_$1.png"; }
shot window
at 143 8; at 170 28; shot start_depth; xdotool key Escape
at 143 8; at 180 49; shot depth_increment; xdotool key Escape
at 73 8; shot shift_channels; xdotool key Escape
at 16 8; at 40 97; shot export; xdotool key Escape
at 200 8; at 218 112; shot quality; at 200 8; at 218 112
at 16 8; at 40 51; shot combine_dialog
kill $pid
RUN
echo "Pictures in $out"
