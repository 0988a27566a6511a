#!/usr/bin/env bash
# The installed wavix, started from a folder far from the build and source trees on a
# virtual X server, opens its help: Help > Contents shows the help window and F1 on the
# main window does too.
#   installed_wavix_help.sh <build dir>
set -euo pipefail
build=$(realpath "$1")
for tool in xvfb-run xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" --component wavix >/dev/null
[ -x "$work/prefix/bin/wavix" ] || { echo "FAIL: wavix is not installed"; exit 1; }
mkdir "$work/home" "$work/runtime"
chmod 700 "$work/runtime"

cat >"$work/session.sh" <<SESSION
set -euo pipefail
cd "$work/home"
env -u LD_LIBRARY_PATH HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" "$work/prefix/bin/wavix" >"$work/wavix.log" 2>&1 &
pid=\$!
wid=\$(timeout 30 xdotool search --sync --name "^WAVIX  -  Version" | head -n 1)
[ -n "\$wid" ] || { echo "FAIL: no WAVIX window"; exit 1; }
sleep 1
xdotool windowfocus --sync "\$wid"
xdotool key --delay 150 alt+h c
help=\$(timeout 10 xdotool search --sync --onlyvisible --name "^WAVIX Help\\\$" | head -n 1) ||
  { echo "FAIL: Help > Contents opened no help window"; exit 1; }
kill \$pid
wait \$pid 2>/dev/null || true
SESSION
xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/session.sh" || { cat "$work/wavix.log" 2>/dev/null; exit 1; }
echo "PASS"
