#!/usr/bin/env bash
# Starts the real program under a virtual X server, waits until its main window is mapped, saves a
# picture of the screen as start.png in the artefacts folder and ends the program with SIGTERM,
# which must end it with exit code 0 and its settings file written. Skips (exit 77) with a message
# where the tools are missing or no X server can be started.
#   xvfb_start.sh PROGRAM ARTEFACT_FOLDER
set -u
prog=$1
out=$2
for tool in xvfb-run xwininfo xwd convert; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed (packages xvfb, x11-utils, x11-apps, imagemagick)"
    exit 77
  fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/run" "$work/root" "$out"
chmod 700 "$work/run"
export prog out work
export VANTREL_ROOT="$work/root" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=xcb

xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  touch "$work/x-started"
  "$prog" &
  pid=$!
  up=0
  for _ in $(seq 1 300); do
    if xwininfo -root -tree 2>/dev/null | grep -q "\"Vantrel\""; then up=1; break; fi
    sleep 0.1
  done
  if [ $up -ne 1 ]; then echo "FAIL: the main window did not appear"; kill -KILL $pid; exit 1; fi
  sleep 1  # the first paint
  if ! xwd -root -silent | convert xwd:- "png:$out/start.png"; then
    echo "FAIL: no screenshot"; kill -KILL $pid; exit 1
  fi
  kill -TERM $pid
  wait $pid
  rc=$?
  if [ $rc -ne 0 ]; then echo "FAIL: exit code $rc after SIGTERM"; exit 1; fi
  if ! head -1 "$VANTREL_ROOT/Morvane/Vantrel/DATA/VTConfiguration" | grep -q "^Revision=101"; then
    echo "FAIL: the settings file was not written"; exit 1
  fi
  echo "screen saved in $out/start.png"
'
rc=$?
if [ ! -e "$work/x-started" ]; then
  echo "SKIP: no X server could be started"
  exit 77
fi
exit $rc
