#!/usr/bin/env bash
# The real wavix program on a virtual X server against rfx410-sim on a pseudo-terminal:
# the instrument gets the start-up greeting, the window and the dialogs opened from the
# keyboard carry exactly their titles, Alt+F4 closes the window and writes RFX410.INI,
# and a second copy started meanwhile brings the first forward and ends.
#   wavix_on_x_server.sh <wavix> <rfx410-sim>
set -euo pipefail
wavix=$(realpath "$1")
sim=$(realpath "$2")
for tool in xvfb-run xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
cleanup() {
  [ -n "${sim_pid:-}" ] && kill "$sim_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

"$sim" --link "$work/rfx410" --verbose >"$work/sim.out" 2>"$work/sim.log" &
sim_pid=$!
for _ in $(seq 1 50); do [ -e "$work/rfx410" ] && break; sleep 0.1; done
printf '[Ports]\r\nCOM1=%s\r\n' "$work/rfx410" >"$work/RFX410.INI"

cat >"$work/session.sh" <<SESSION
set -euo pipefail
cd "$work"

# The title the window manager shows (_NET_WM_NAME), which is where Qt would add anything.
check_title() {  # check_title <window> <title>
  local shown
  shown=\$(xprop -id "\$1" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"\$/\1/p')
  [ "\$shown" = "\$2" ] || { echo "FAIL: the window is titled \"\$shown\", not \"\$2\""; exit 1; }
}
# Opens a dialog with keys on the main window, checks its title and closes it with Escape.
check_dialog() {  # check_dialog <title> <keys...>
  local title=\$1 dialog
  shift
  xdotool windowfocus --sync "\$wid"
  xdotool key --delay 150 "\$@"
  dialog=\$(timeout 10 xdotool search --sync --onlyvisible --name "^\$title\\\$" | head -n 1) ||
    { echo "FAIL: no dialog \"\$title\" after \$*"; exit 1; }
  check_title "\$dialog" "\$title"
  xdotool windowfocus --sync "\$dialog"
  xdotool key Escape
  for _ in \$(seq 1 50); do
    xdotool search --onlyvisible --name "^\$title\\\$" >/dev/null || return 0
    sleep 0.1
  done
  echo "FAIL: Escape did not close \"\$title\""
  exit 1
}

"$wavix" >"$work/wavix.log" 2>&1 &
first=\$!
wid=\$(timeout 30 xdotool search --sync --name "^WAVIX  -  Version 2.05\$" | head -n 1)
[ -n "\$wid" ] || { echo "FAIL: no WAVIX window"; exit 1; }
sleep 1
check_title "\$wid" "WAVIX  -  Version 2.05"
check_dialog "Communication Settings" alt+s c
check_dialog "Get Waveform Options" alt+s w
check_dialog "KLV300 Multiplexer Selection" alt+s m
check_dialog "Conversion from Dielectric Constant to Volumetric Water Content" alt+s f Return
check_dialog "About" alt+h a

# A second copy ends at once, leaving the first.
timeout 20 "$wavix" >"$work/second.log" 2>&1 || { echo "FAIL: the second copy failed"; exit 1; }
kill -0 \$first || { echo "FAIL: the first copy ended"; exit 1; }
[ "\$(xdotool search --name "^WAVIX  -  Version 2.05\$" | wc -l)" -eq 1 ] || { echo "FAIL: two main windows"; exit 1; }

# Alt+F4 closes it.
xdotool windowfocus --sync "\$wid"
xdotool key alt+F4
for _ in \$(seq 1 100); do kill -0 \$first 2>/dev/null || break; sleep 0.1; done
if kill -0 \$first 2>/dev/null; then echo "FAIL: Alt+F4 did not close WAVIX"; kill \$first; exit 1; fi
wait \$first || { echo "FAIL: WAVIX ended with an error"; cat "$work/wavix.log"; exit 1; }
SESSION
xvfb-run -a -e "$work/xvfb.log" -s "-screen 0 1024x768x24" bash "$work/session.sh" || { echo "FAIL: the X session failed"; cat "$work/xvfb.log" "$work/wavix.log" 2>/dev/null; exit 1; }

grep -q "greeting received" "$work/sim.log" || { echo "FAIL: the instrument got no greeting"; cat "$work/sim.log"; exit 1; }
for key in CommPt BaudRt LowLvlLog LedieuCoef1 ToppCoef6 CaliRadioBtn YaxisMax YaxisMin QRBaddr VpEd AvgEd PtsEd SrtEd LgtEd PLgtEd POffEd; do
  grep -q "^$key=" "$work/RFX410.INI" || { echo "FAIL: RFX410.INI lacks $key"; cat "$work/RFX410.INI"; exit 1; }
done
grep -q "^COM1=$work/rfx410" "$work/RFX410.INI" || { echo "FAIL: the Ports section was lost"; exit 1; }
echo "PASS"
