#!/usr/bin/env bash
# DLLs planted beside install.exe in its download folder never load: not at start, not on
# the chooser, not while the tree lists folders, not at "Ok" or "Install". Each planted DLL
# leaves <name>.CANARY beside itself if anything loads it.
# Arguments: the four of the end-to-end scripts, then objdump, the probe, the planted DLLs.
source "$(dirname "$0")/../e2e/lib.sh"
e2e_init "${@:1:4}"
OBJDUMP=$5 PLANT_PROBE=$6
shift 6
PLANTED=("$@")

# Wine loads its own builtin DLL whatever lies beside the exe unless told to prefer
# native ones; with this, a bare LoadLibrary picks the planted DLL as Windows would.
names=$(for dll in "${PLANTED[@]}"; do basename "$dll" .dll; done | paste -sd,)
export WINEDLLOVERRIDES="$names=n,b;mscoree,mshtml="

# Wine's own user32 imports version.dll, and Wine resolves the imports of its system DLLs
# beside the program first; Windows takes a known DLL's imports from the system folder.
# A planted version.dll so shows only in the control, not beside install.exe.
PLANTED_BESIDE_INSTALLER=()
for dll in "${PLANTED[@]}"; do
  [ "$(basename "$dll")" = version.dll ] || PLANTED_BESIDE_INSTALLER+=("$dll")
done

# The static import table may name only DLLs that the loader takes from the system:
# the known DLLs, and the common controls, which the manifest binds to the system's copy.
allowed="advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll shell32.dll shlwapi.dll user32.dll"
for dll in $("$OBJDUMP" -p "$INSTALLER_EXE" | awk '/DLL Name:/ { print tolower($3) }'); do
  grep -qw "$dll" <<<"$allowed" || fail "install.exe imports $dll, which a planted copy could replace"
done

canaries() { find "$1" -name '*.CANARY' -printf '%f\n' | sort | paste -sd' '; }

# Copies the DLLs named after the folder into it. $1: folder.
plant_into() {
  local folder=$1 dll
  shift
  for dll in "$@"; do cp "$dll" "$folder/"; done
}

# The control: an unguarded program in the same folder does load the plant.
control=$SCRATCH/control
mkdir -p "$control"
plant_into "$control" "${PLANTED[@]}"
cp "$PLANT_PROBE" "$control/probe.exe"
(cd "$control" && wine probe.exe version.dll </dev/null >/dev/null 2>&1) || true
[ -n "$(canaries "$control")" ] || fail "the control found no canary: planting is not observable here"
note "control: an unguarded program loaded $(canaries "$control")"

# The whole flow with the plants beside install.exe.
product=$(make_product_folder product)
plant_into "$product" "${PLANTED_BESIDE_INSTALLER[@]}"
MAIN="Demo Synth Install"
start_installer "$product"
wait_for_window "$CHOOSER"
press_key Return
wait_for_window "$MAIN"
choose_tree_folder "$MAIN" "$(basename "$SCRATCH")" "$(win_path "$SCRATCH")"
click_control "$MAIN" "$OK_BUTTON"
wait_shown "$MAIN" Button Install
click_control "$MAIN" "$OK_BUTTON"
wait_installer_end 10 "six seconds after \"Ok\""
[ -d "$SCRATCH/Demo Synth" ] || fail "the script did not install the product"
found=$(canaries "$product") installed=$(canaries "$SCRATCH/Demo Synth")
found="$found$installed"
[ -z "$found" ] || fail "planted DLLs were loaded: $found"
note "no planted DLL was loaded"
