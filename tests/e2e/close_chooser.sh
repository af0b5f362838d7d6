#!/usr/bin/env bash
# Closing the language chooser before choosing a language ends the program at once, by
# the system's close keystroke as by the caption's close button, and nothing is written.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

close_by_keystroke() { press_key alt+F4; }
close_by_button() { click_close_button "$CHOOSER"; }

run_case() {
  local name=$1 close=$2
  note "case: $name"
  start_installer "$(make_product_folder "$name")"
  wait_for_window "$CHOOSER"
  "$close"
  wait_installer_end 3 "after the chooser was closed"
  expect_no_install_files "the chooser was closed without a choice"
}

# case name     how the chooser is closed
run_case alt-f4 close_by_keystroke
run_case button close_by_button
