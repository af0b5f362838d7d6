#!/usr/bin/env bash
# "Exit" before "Ok" ends the program at once and writes nothing, whether or not a folder
# was clicked (a click composes the install files' texts, but only "Ok" writes them).
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

MAIN="Demo Synth Install"

run_case() {
  local name=$1 click_folder=$2
  note "case: $name"
  start_installer "$(make_product_folder "$name")"
  wait_for_window "$CHOOSER"
  press_key Return
  wait_for_window "$MAIN"
  if [ "$click_folder" = yes ]; then
    choose_tree_folder "$MAIN" "$(basename "$SCRATCH")" "$(win_path "$SCRATCH")"
  fi
  click_control "$MAIN" "$EXIT_BUTTON"
  wait_installer_end 3 "after \"Exit\""
  expect_no_install_files "\"Exit\" came before \"Ok\""
}

# case name            folder clicked first
run_case no-folder     no
run_case folder-picked yes
