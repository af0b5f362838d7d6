#!/usr/bin/env bash
# A whole English installation into a folder whose path holds a space, picked with the
# mouse in the folder tree: the three files that "Ok" writes, the product folder that the
# script makes, and the program's own end six seconds after "Ok".
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

MAIN="Demo Synth Install"
PRODUCT="Demo Synth"
target="$SCRATCH/Audio Tools/Plugins"
mkdir -p "$target"
target_win=$(win_path "$target")
work=$(make_product_folder product)

# RUN.bat names the chosen folder by its short form, which only Wine knows: take it from
# the first line and check that every line uses the same one.
expect_install_script() {
  local script="$WORK/RUN.bat" first short
  [ -f "$script" ] || fail "RUN.bat was not written"
  first=$(head -n 1 "$script")
  short=$(sed -n 's/^MD "\(.*\)\\Demo Synth"\r$/\1/p' <<<"$first")
  [ -n "$short" ] || fail "RUN.bat should start by making the product folder, not: $first"
  [[ $short != *" "* ]] || fail "RUN.bat names the chosen folder by its long form: $short"
  local product="\"$short\\$PRODUCT\"" audio="\"$short\\$PRODUCT\\Audio\"" line expected=
  for line in "MD $product" "MD $audio" "COPY \"$short\\ini.8da\" $product" \
    "COPY \"$short\\ini.8db\" $product" "COPY *.* $product" "CD Audio" "COPY *.wav $audio"; do
    expected+="$line"$'\r\n'
  done
  expect_file_text "$script" "$expected"
}

# The script runs on after the program has ended: wait for its last copy to land.
expect_product_installed() {
  local installed="$target/$PRODUCT" deadline=$(($(date +%s) + 20)) file
  until cmp -s "$DEMO/Audio/demo.wav" "$installed/Audio/demo.wav"; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "the script did not copy Audio\\demo.wav into $installed"
    sleep 0.2
  done
  while IFS= read -r file; do
    cmp -s "$DEMO/$file" "$installed/$file" || fail "the product file $file was not copied into $installed"
  done < <(cd "$DEMO" && find . -type f | sed 's|^\./||')
  for file in install.exe ini.8da ini.8db RUN.bat; do
    cmp -s "$WORK/$file" "$installed/$file" || fail "the working folder's $file was not copied into $installed"
  done
}

start_installer "$work"
wait_for_window "$CHOOSER"
shot chooser
press_key Return
wait_for_window "$MAIN"
expect_no_window "$CHOOSER" "the chooser should hide once a language is chosen"
expect_shown "$MAIN" Static "Please show your VST folder to begin ."
expect_shown "$MAIN" Button Exit

open_tree_folder "$MAIN" "$(basename "$SCRATCH")" "Audio Tools"
open_tree_folder "$MAIN" "Audio Tools" Plugins
choose_tree_folder "$MAIN" Plugins "$target_win"
shot choosing
expect_no_install_files "before \"Ok\""

click_control "$MAIN" "$OK_BUTTON"
ok_at=$(now)
wait_shown "$MAIN" Button Install
expect_not_shown "$MAIN" Button Ok
expect_shown "$MAIN" Static "Would like to install in the selected folder?"
shot confirming
expect_file_text "$WORK/ini.8da" "$target_win\\$PRODUCT\\Audio\\demo.wav"
expect_file_text "$WORK/ini.8db" "$target_win\\$PRODUCT\\face.bmp"
expect_install_script

click_control "$MAIN" "$OK_BUTTON"
wait_installer_end 15
lasted=$(seconds_between "$ok_at" "$ENDED_AT")
note "install.exe ended $lasted s after \"Ok\""
awk -v s="$lasted" 'BEGIN { exit !(s >= 5 && s <= 10) }' ||
  fail "install.exe should end about 6 s after \"Ok\", it ended after $lasted s"
expect_product_installed
