# shellcheck shell=bash
# shellcheck disable=SC2034 # the constants and ENDED_AT are read by the sourcing scripts
# Helpers for the end-to-end scripts: they start the real install.exe under Wine in a
# fresh product folder, drive it with X keys and clicks on the shared virtual desktop and
# read back what the user would see and what the program left on disk.
#
# A script sources this file and calls e2e_init "$@" with the arguments that ctest passes:
#   <install.exe> <window_probe.exe> <demo folder> <screenshot folder>
# The Wine prefix, display and running wineserver come from the caller (scripts/test).
set -euo pipefail

# The two captions that do not depend on the product, and the client sizes of the two
# windows: the frame that Wine draws around them is derived from these.
CHOOSER="Install Idiom"
ERROR_BOX="install"
CHOOSER_CLIENT_SIZE="264 57"
MAIN_CLIENT_SIZE="445 151"

# Client rectangles (left top width height) of the controls that the scripts click.
PORTUGUESE_BUTTON="136 8 113 41"
OK_BUTTON="352 24 89 33" # "Install" takes this place after "Ok"
EXIT_BUTTON="352 64 89 33"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

note() { echo "-- $*"; }

e2e_init() {
  [ $# -eq 4 ] || fail "usage: $0 <install.exe> <window_probe.exe> <demo folder> <screenshot folder>"
  INSTALLER_EXE=$1 PROBE_EXE=$2 DEMO=$3 SHOTS=$4
  SCENARIO=$(basename "$0" .sh)
  for variable in WINEPREFIX DISPLAY; do
    [ -n "${!variable:-}" ] || fail "$variable is not set: run the tests through scripts/test"
  done
  xdpyinfo >/dev/null 2>&1 || fail "no X display at $DISPLAY"
  mkdir -p "$SHOTS"
  rm -f "$SHOTS/$SCENARIO"-*.png
  # Everything the scenario makes lives in one folder on drive C, removed at the end.
  SCRATCH=$(mktemp -d "$WINEPREFIX/drive_c/e2e-XXXXXX")
  INSTALLER_PID=
  trap e2e_cleanup EXIT
}

# Runs at every exit, failed or not: no window of ours stays on the shared desktop.
e2e_cleanup() {
  local status=$?
  if [ $status -ne 0 ]; then
    shot failure || true
  fi
  stop_installer
  rm -rf "$SCRATCH"
  exit $status
}

# The Windows name of a path under the prefix's drive_c.
win_path() {
  local relative=${1#"$WINEPREFIX/drive_c/"}
  printf 'C:\\%s' "${relative//\//\\}"
}

# A fresh product folder: demo/ plus install.exe beside it, as a product maker ships it.
# $1: folder name under the scratch folder. Prints the folder.
make_product_folder() {
  local folder="$SCRATCH/$1"
  cp -r "$DEMO" "$folder"
  cp "$INSTALLER_EXE" "$folder/install.exe"
  printf '%s\n' "$folder"
}

# Starts install.exe from its own folder ($1), which is its working folder.
start_installer() {
  WORK=$1
  (cd "$WORK" && exec wine install.exe </dev/null >>"$SCRATCH/wine.log" 2>&1) &
  INSTALLER_PID=$!
  note "install.exe started in $(win_path "$WORK") (pid $INSTALLER_PID)"
}

# True while the process lives. A process that has ended stays a zombie until it is
# waited for, so /proc alone cannot tell.
installer_running() {
  [ -n "$INSTALLER_PID" ] || return 1
  local state
  state=$(awk '{print $3}' "/proc/$INSTALLER_PID/stat" 2>/dev/null) || return 1
  [ -n "$state" ] && [ "$state" != Z ]
}

stop_installer() {
  [ -n "$INSTALLER_PID" ] || return 0
  if installer_running; then
    note "stopping install.exe (pid $INSTALLER_PID)"
    kill "$INSTALLER_PID" 2>/dev/null || true
  fi
  wait "$INSTALLER_PID" 2>/dev/null || true
  INSTALLER_PID=
}

now() { date +%s.%N; }

# Seconds (with decimals) from $1 to $2.
seconds_between() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b - a }'; }

installer_ended() { ! installer_running; }

# Waits for the process to end and sets ENDED_AT to the moment it was seen gone. Every way
# the program ends by the user's wish is a normal end, with exit status 0.
# $1: timeout in seconds, $2: when it should have ended, for the failure message.
wait_installer_end() {
  local status=0
  wait_until "$1" "install.exe still runs${2:+ $2}" installer_ended
  ENDED_AT=$(now)
  wait "$INSTALLER_PID" 2>/dev/null || status=$?
  INSTALLER_PID=
  [ $status -eq 0 ] || fail "install.exe ended with exit status $status${2:+ $2}"
}

# Retries a check (the command in the remaining arguments) every 0.1 s until it holds.
# $1: timeout in seconds, $2: what has not happened, for the failure message.
wait_until() {
  local timeout=$1 what=$2 deadline
  shift 2
  deadline=$(($(date +%s) + timeout))
  until "$@"; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "$what (waited $timeout s)"
    sleep 0.1
  done
}

# The X window of the visible top-level window with exactly this caption, if any.
window_id() {
  local pattern
  # shellcheck disable=SC2016 # the $ in the bracket is a literal character to escape
  pattern=$(printf '%s' "$1" | sed 's/[][\.*^$(){}+?|]/\\&/g')
  xdotool search --onlyvisible --name "^$pattern\$" 2>/dev/null | head -n 1
}

window_shown() { [ -n "$(window_id "$1")" ]; }
window_absent() { ! window_shown "$1"; }

wait_for_window() { wait_until "${2:-10}" "no window \"$1\" came up" window_shown "$1"; }

expect_no_window() { window_absent "$1" || fail "a window \"$1\" is on screen: $2"; }

# The frame of a window as X sees it: "x y width height" of its outer corner and size
# (xwininfo's absolute position; xdotool's geometry is off on Wine's virtual desktop).
window_geometry() {
  local id
  id=$(window_id "$1")
  [ -n "$id" ] || fail "no window \"$1\" on screen"
  xwininfo -id "$id" | awk '
    /Absolute upper-left X:/ { x = $NF }
    /Absolute upper-left Y:/ { y = $NF }
    /^ *Width:/ { w = $NF }
    /^ *Height:/ { h = $NF }
    END { print x, y, w, h }'
}

# Screen position of a window's client area. The frame Wine draws has equal borders left,
# right and below, and the caption bar on top. $1: caption. Prints "x y".
client_origin() {
  local geometry x y w h cw ch border
  geometry=$(window_geometry "$1")
  read -r x y w h <<<"$geometry"
  read -r cw ch <<<"$(client_size_of "$1")"
  border=$(((w - cw) / 2))
  echo $((x + border)) $((y + h - ch - border))
}

# The close button sits at the right end of the caption bar, as wide as the bar is high.
click_close_button() {
  local geometry origin x y w h cx cy bar
  geometry=$(window_geometry "$1")
  origin=$(client_origin "$1")
  read -r x y w h <<<"$geometry"
  read -r cx cy <<<"$origin"
  bar=$((cy - y - (cx - x)))
  xdotool mousemove $((x + w - (cx - x) - bar / 2 - 1)) $((cy - bar / 2)) click 1
}

client_size_of() {
  if [ "$1" = "$CHOOSER" ]; then echo "$CHOOSER_CLIENT_SIZE"; else echo "$MAIN_CLIENT_SIZE"; fi
}

# A left click (or $4 clicks in quick succession) at client point $2,$3 of window $1.
click_client() {
  local caption=$1 x=$2 y=$3 count=${4:-1} origin
  origin=$(client_origin "$caption")
  xdotool mousemove $((${origin% *} + x)) $((${origin#* } + y)) click --repeat "$count" --delay 120 1
}

# Clicks the middle of a control. $1: caption, $2: the control's client rectangle.
click_control() {
  local left top width height
  read -r left top width height <<<"$2"
  click_client "$1" $((left + width / 2)) $((top + height / 2))
}

press_key() { xdotool key "$1"; }

# Saves the whole screen as <scenario>-<name>.png in the screenshot folder.
shot() {
  import -window root "$SHOTS/$SCENARIO-$1.png"
  note "screenshot $SHOTS/$SCENARIO-$1.png"
}

# Runs the probe under Wine; a window that is not there gives no lines.
probe() { wine "$PROBE_EXE" "$@" 2>/dev/null | tr -d '\r' || true; }

# The texts of the controls of class $2 that the user can see in window $1, one a line.
shown_texts() {
  probe texts "$1" | awk -F'\t' -v class="$2" '$1 == class && $2 == 1 { print $3 }'
}

expect_shown() {
  local caption=$1 class=$2 text=$3
  shown_texts "$caption" "$class" | grep -qxF -- "$text" ||
    fail "\"$caption\" shows no $class \"$text\"; it shows: $(shown_texts "$caption" "$class" | paste -sd'|')"
}

expect_not_shown() {
  local caption=$1 class=$2 text=$3
  ! shown_texts "$caption" "$class" | grep -qxF -- "$text" || fail "\"$caption\" still shows $class \"$text\""
}

control_shown() { shown_texts "$1" "$2" | grep -qxF -- "$3"; }
control_absent() { ! control_shown "$@"; }

# The window changes face between messages, so a check right after a click may come too early.
wait_shown() { wait_until "${4:-10}" "\"$1\" shows no $2 \"$3\"" control_shown "$1" "$2" "$3"; }
wait_not_shown() { wait_until "${4:-10}" "\"$1\" still shows $2 \"$3\"" control_absent "$1" "$2" "$3"; }

# An error box is titled like the program; it is told by its text. Enter dismisses it.
wait_error_box() { wait_shown "$ERROR_BOX" Static "$1"; }
dismiss_error_box() {
  press_key Return
  wait_not_shown "$ERROR_BOX" Static "$1"
}

# Where the tree of window $1 draws the item $2: "left top right bottom" in client
# coordinates, once the item is scrolled into view with the mouse wheel.
tree_item_rect() {
  local caption=$1 name=$2 deadline=$(($(date +%s) + 10)) listing view item
  while :; do
    listing=$(probe tree "$caption")
    view=$(awk -F'\t' '$1 == "view" { print $2 }' <<<"$listing")
    item=$(awk -F'\t' -v name="$name" '$1 == "item" && $3 == name { print $2; exit }' <<<"$listing")
    if [ -n "$item" ] && [ -n "$view" ]; then
      local l t r b vl vt vr vb
      read -r l t r b <<<"$item"
      read -r vl vt vr vb <<<"$view"
      if [ "$t" -ge "$vt" ] && [ "$b" -le "$vb" ]; then
        echo "$l $t $r $b"
        return 0
      fi
      # Wheel over the middle of the tree: 4 scrolls up, 5 down.
      local wheel=5
      [ "$t" -lt "$vt" ] && wheel=4
      local origin
      origin=$(client_origin "$caption")
      xdotool mousemove $((${origin% *} + (vl + vr) / 2)) $((${origin#* } + (vt + vb) / 2)) click "$wheel"
    fi
    [ "$(date +%s)" -lt "$deadline" ] ||
      fail "the tree of \"$caption\" shows no item \"$name\"; its items: $(awk -F'\t' '$1 == "item" { print $3 }' <<<"$listing" | paste -sd'|')"
    sleep 0.1
  done
}

# Clicks ($3 = 2: double-clicks) the name of a tree item, as a user points at it.
click_tree_item() {
  local caption=$1 name=$2 count=${3:-1} rect l t r b
  rect=$(tree_item_rect "$caption" "$name")
  read -r l t r b <<<"$rect"
  click_client "$caption" $((l + 6)) $(((t + b) / 2)) "$count"
}

selected_tree_item() {
  probe tree "$1" | awk -F'\t' '$1 == "item" && $4 == 1 { print $3 }'
}

# Opens folder $2 with a double click and waits for its subfolder $3 to be listed.
open_tree_folder() {
  local caption=$1 folder=$2 child=$3
  click_tree_item "$caption" "$folder" 2
  tree_item_rect "$caption" "$child" >/dev/null
}

# Clicks folder $2 and checks that it became the selection and the path line shows $3.
choose_tree_folder() {
  local caption=$1 folder=$2 path=$3
  click_tree_item "$caption" "$folder"
  wait_shown "$caption" Static "$path"
  [ "$(selected_tree_item "$caption")" = "$folder" ] || fail "a click on \"$folder\" did not select it"
}

# The files that "Ok" writes into the working folder.
INSTALL_FILES=(ini.8da ini.8db RUN.bat)

expect_no_install_files() {
  local name
  for name in "${INSTALL_FILES[@]}"; do
    [ ! -e "$WORK/$name" ] || fail "$name was written into the working folder: $1"
  done
}

# Compares a file's bytes with the text $2, taken literally.
expect_file_text() {
  local file=$1 expected
  [ -f "$file" ] || fail "missing file $file"
  expected=$(mktemp)
  printf '%s' "$2" >"$expected"
  if ! cmp -s "$expected" "$file"; then
    echo "expected:" >&2; od -c "$expected" | head -n 20 >&2
    echo "found:" >&2; od -c "$file" | head -n 20 >&2
    rm -f "$expected"
    fail "$file does not hold the expected text"
  fi
  rm -f "$expected"
}

# The system's message text for an error number, as the program's error boxes quote it.
system_error_text() { probe message "$1"; }
