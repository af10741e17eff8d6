#!/usr/bin/env bash
# Starts Zorvane on a demo ROM folder in build/demo, with a stand-in emulator that
# records (and, on a desktop, shows) the command line it receives. With no
# display, a short guided tour runs on a private display instead.
set -euo pipefail
source "$(dirname "$0")/host.sh"
source "$root/scripts/wine-env.sh"
prepare Zorvane o2em_standin tour
# The demo folder is laid out as O2em's own archive unpacks, with the program
# and its guide put in beside o2em.exe, as the guide says: nothing to set.
demo="$root/build/demo"
ini="$demo/zorvane.ini"
[ -d "$demo/emu" ] && rm -rf "$demo" # the layout of earlier versions
mkdir -p "$demo/ROMS" "$demo/BIOS" "$demo/VOICE"
for rom in "Space Duel.bin" "Maze Runner.bin" "Table Tennis.bin" "Turtle Race.bin" "Demo Invaders.bin"; do
    touch "$demo/ROMS/$rom"
done
cp "$build/standin/o2em.exe" "$build/Zorvane.exe" "$build/Zorvane.txt" "$demo/"
: > "$demo/launches.log"

if [ -n "${DISPLAY:-}" ]; then mode=desktop; else mode=private; fi
wine_env_start "$mode"
before=$(cat "$ini" 2>/dev/null || true)

# Each launch the stand-in records, as it happens.
tail -n 0 -F "$demo/launches.log" 2>/dev/null | sed -u 's/^/  stand-in o2em: /' &
tail_pid=$!
trap 'kill $tail_pid 2>/dev/null; wine_env_stop' EXIT

cd "$demo"
if [ "$mode" = desktop ]; then
    echo "Zorvane is open. Pick a ROM and press Launch O2em; close the window to save the settings."
    ZORVANE_O2EM_SHOW=1 "$wine" Zorvane.exe
else
    echo "No display: a short guided tour on a private one."
    "$wine" "$build/standin/tour.exe" Zorvane.exe screenshot.bmp launches.log
    convert screenshot.bmp screenshot.png && rm -f screenshot.bmp
    echo "Screenshot: $demo/screenshot.png"
fi
sleep 0.5
if [ ! -f "$ini" ]; then
    echo "No settings were saved (the close box saves them; File, Quit and Escape do not)."
    exit 0
elif [ "$(cat "$ini")" != "$before" ]; then
    echo "Settings saved in $ini:"
else
    echo "The settings in $ini are unchanged (the close box saves them; File, Quit and Escape do not):"
fi
sed 's/\r$//; s/^/  /' "$ini"
