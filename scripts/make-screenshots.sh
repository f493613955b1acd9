#!/usr/bin/env bash
# Remakes the pictures in docs/images from the release editor on a virtual X
# display (Xvfb): the main window with plans imported from the distribution's
# DVB scan tables, the same under a Simplified Chinese desktop, the Import
# dialog, the sky view from Berlin, and the band picture of a plan as
# orbitune-cli draws it. Run it
# after a change the pictures show; it builds the release preset first when
# the editor is missing.
#   bash scripts/make-screenshots.sh [BUILD]        BUILD defaults to build/release
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
editor=$build/tools/orbitune/orbitune
cli=$build/tools/orbitune-cli
images=docs/images
if [ ! -x "$editor" ] || [ ! -x "$cli" ]; then
  cmake --preset release >/dev/null
  cmake --build --preset release
fi

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# A display of its own, the size of a small laptop screen.
display=
for n in $(seq 90 120); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
    display=:$n
    break
  fi
done
[ -n "$display" ] || { echo "no free X display" >&2; exit 1; }
Xvfb "$display" -screen 0 1366x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)

# Plans as a technician would make them: satellites East and West from the
# scan tables.
satellites=(Astra-1M Hotbird-13C Astra-2G Eutelsat-9B Thor-6 Hispasat-30W-5)
"$cli" import "${satellites[@]/#/--satellite=}" --model general "$work/plans.gnr" >/dev/null 2>"$work/import.log"
# The band picture of the first plan, as the tool writes it.
"$cli" draw "$work/plans.gnr" --plan Astra1M --width 1000 --overwrite -o "$images/band-picture.svg"

# Starts the editor in `locale` with the plans, waits for its window (its X id
# in `window`, the process in `editor_pid`) and selects the first plan. A
# `site` ("LAT,LON") goes into its settings first, as the sky view keeps one
# (in quotes: a bare comma would make it a list).
start_editor() {
  local locale=$1 site=${2:-}
  rm -rf "${work:?}/home"
  mkdir -p "$work/home"
  if [ -n "$site" ]; then
    mkdir -p "$work/home/.config/Local AppWizard-Generated Applications"
    printf '[Pointing]\nSite="%s"\n' "$site" >"$work/home/.config/Local AppWizard-Generated Applications/Orbitune.conf"
  fi
  HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_STATE_HOME=$work/home/.local/state \
    LANGUAGE='' LC_ALL=$locale LANG=$locale ORBITUNE_METER=sim "$editor" "$work/plans.gnr" >"$work/editor.log" 2>&1 &
  editor_pid=$!
  pids+=("$editor_pid")
  window=
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --pid "$editor_pid" --name 'Orbitune' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "the editor showed no window" >&2; cat "$work/editor.log" >&2; exit 1; }
  xdotool windowsize "$window" 1280 720 windowmove "$window" 0 0 windowactivate --sync "$window"
  sleep 1
  # A click on the plan list's empty part gives it the focus; Down then
  # selects the first plan, whose TPs fill the right pane.
  xdotool mousemove --window "$window" 150 600 click 1 key Down mousemove --window "$window" 700 600
  sleep 1
}

stop_editor() {
  kill "$editor_pid" 2>/dev/null || true
  wait "$editor_pid" 2>/dev/null || true
}

# The screen's pixels where window $1 is, into docs/images/$2: what the user
# sees, dialogs over the window included.
shoot() {
  local info x y width height
  info=$(xwininfo -id "$1")
  x=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
  y=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
  width=$(sed -n 's/^ *Width: *//p' <<<"$info")
  height=$(sed -n 's/^ *Height: *//p' <<<"$info")
  import -window root -crop "${width}x${height}+${x}+${y}" +repage "$images/$2"
  echo "wrote $images/$2"
}

mkdir -p "$images"
start_editor C.UTF-8
shoot "$window" main-window.png
# Alt+H shows the Home tab with the focus on Open; Import is the next button.
xdotool key --window "$window" alt+h Tab space
dialog=
for _ in $(seq 50); do
  dialog=$(xdotool search --onlyvisible --pid "$editor_pid" --name '^Import Plans$' 2>/dev/null |
    grep -vx "$window" | head -n 1) || true
  [ -n "$dialog" ] && break
  sleep 0.1
done
if [ -n "$dialog" ]; then
  # Reading the scan tables takes a moment; then one satellite is found and
  # ticked, with its TPs shown.
  sleep 3
  xdotool mousemove --window "$dialog" 160 69 click 1 type --delay 50 'Hotbird-13C'
  sleep 1
  xdotool mousemove --window "$dialog" 160 119 click 1 sleep 0.5 mousemove --window "$dialog" 22 119 click 1 \
    mousemove --window "$dialog" 500 620
  sleep 2
  shoot "$dialog" import-dialog.png
else
  echo "the Import dialog did not show; $images/import-dialog.png left as it was" >&2
fi
stop_editor

start_editor zh_CN.UTF-8
shoot "$window" main-window-zh_CN.png
stop_editor

# The sky view from Berlin, the band picture hidden so that the sky view takes
# the width below the lists: Alt+V puts the focus on Band Picture, Tab moves
# to Sky View. In the 1280x720 window at 0,0 the pane takes the rows from 227
# to 698.
start_editor C.UTF-8 52.520000,13.400000
for key in alt+v space Tab space; do
  xdotool key --window "$window" "$key"
  sleep 0.7
done
sleep 1
import -window root -crop 1280x472+0+227 +repage "$images/sky-view.png"
echo "wrote $images/sky-view.png"
stop_editor
