#!/usr/bin/env bash
# A Portuguese run: the chooser's second button translates the main window's texts ("Ok"
# and the caption stay English); "Ok" before a folder is clicked is refused with an error
# box and writes nothing; after a click "Ok" writes the files and shows "Instalar"; "Sair"
# then ends the program at once, leaving the files.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

MAIN="Demo Synth Install"
REFUSAL="Select a folder first."
work=$(make_product_folder product)
folder=$(basename "$SCRATCH")
folder_win=$(win_path "$SCRATCH")

start_installer "$work"
wait_for_window "$CHOOSER"
click_control "$CHOOSER" "$PORTUGUESE_BUTTON"
wait_for_window "$MAIN"
expect_shown "$MAIN" Static "Por favor selecione a pasta de VSTs para iniciar."
expect_shown "$MAIN" Button Sair
expect_shown "$MAIN" Button Ok
shot choosing

click_control "$MAIN" "$OK_BUTTON"
wait_error_box "$REFUSAL"
shot refusal
dismiss_error_box "$REFUSAL"
expect_no_install_files "\"Ok\" came before any folder was clicked"
expect_shown "$MAIN" Button Ok

choose_tree_folder "$MAIN" "$folder" "$folder_win"
click_control "$MAIN" "$OK_BUTTON"
wait_shown "$MAIN" Button Instalar
expect_not_shown "$MAIN" Button Ok
expect_shown "$MAIN" Static "Desaja instalar na pasta selecionada?"
shot confirming
expect_file_text "$WORK/ini.8da" "$folder_win\\Demo Synth\\Audio\\demo.wav"

click_control "$MAIN" "$EXIT_BUTTON"
wait_installer_end 3 "after \"Sair\", well before the 6 s timer"
expect_file_text "$WORK/ini.8db" "$folder_win\\Demo Synth\\face.bmp"
