#!/usr/bin/env bash
# A product folder without smp.ini: the error box comes before anything else, then the
# installer goes on with empty settings, so the main window's caption is only " Install".
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

work=$(make_product_folder product)
rm "$work/smp.ini"

# The reader's message: the full path, then the system's text for a missing file without
# its trailing periods and blanks; the box adds the final period.
reason=$(system_error_text 2 | sed -e 's/[[:space:].]*$//')
[ -n "$reason" ] || fail "the system has no text for error 2"
message="Cannot open file \"$(win_path "$work")\\smp.ini\". $reason."

start_installer "$work"
wait_error_box "$message"
expect_no_window "$CHOOSER" "the error box should come before the chooser"
shot error-box
dismiss_error_box "$message"

wait_for_window "$CHOOSER"
press_key Return
wait_for_window " Install"
expect_shown " Install" Button Exit
shot main-window

click_control " Install" "$EXIT_BUTTON"
wait_installer_end 3 "after \"Exit\""
expect_no_install_files "after \"Exit\""
