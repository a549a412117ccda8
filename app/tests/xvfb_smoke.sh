#!/usr/bin/env bash
# The real program under a virtual X server on the road of one automatic import: a settings file
# written beforehand names one import folder holding two generated recorder files; the program
# starts, imports them (FINISH IMPORT in the log), a picture of the screen is saved as smoke.png,
# a second start hands over and exits 0 leaving one program running, and SIGTERM ends that one
# with exit code 0 and its settings written. Skips (exit 77) where the tools or an X server are
# missing.
#   xvfb_smoke.sh PROGRAM VTRECGEN ARTEFACT_FOLDER
set -u
prog=$1
recgen=$2
out=$3
for tool in xvfb-run xwininfo xwd convert pgrep; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed (packages xvfb, x11-utils, x11-apps, imagemagick, procps)"
    exit 77
  fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
data="$work/root/Morvane/Vantrel/DATA"
mkdir -p "$work/run" "$work/in" "$data" "$out"
chmod 700 "$work/run"
"$recgen" newer --records 50 --serial SMOKE1 --count 2 "$work/in" >/dev/null || { echo "FAIL: vtrecgen"; exit 1; }
# An automatic run leaves alone what was written in its last seconds.
touch -d "1 minute ago" "$work"/in/*
printf 'Revision=101\r\n[S:Folder]\r\n\tUse=1\r\n\tSubFolder=0\r\n\tPath="%s"\r\n\tConvert=0\r\n[E:Folder]\r\n[S:Interval]\r\n\tInterval=1\r\n[E:Interval]\r\n' \
  "$work/in" >"$data/VTConfiguration"
export prog out work
export VANTREL_ROOT="$work/root" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=xcb

xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  touch "$work/x-started"
  fail() { echo "FAIL: $1"; kill -KILL $pid 2>/dev/null; exit 1; }
  "$prog" &
  pid=$!
  logs="$VANTREL_ROOT/Morvane/Vantrel/LOG"
  done=0
  for _ in $(seq 1 600); do
    if grep -rqs "FINISH IMPORT" "$logs"; then done=1; break; fi
    sleep 0.1
  done
  [ $done -eq 1 ] || fail "no FINISH IMPORT in the log"
  imported=$(grep -rhs "IMPORT: FILE=" "$logs" | wc -l)
  [ "$imported" -eq 2 ] || fail "$imported files imported, not 2"
  for _ in $(seq 1 100); do
    xwininfo -root -tree 2>/dev/null | grep -q "\"Vantrel\"" && break
    sleep 0.1
  done
  sleep 1  # the first paint
  xwd -root -silent | convert xwd:- "png:$out/smoke.png" || fail "no screenshot"

  # A second start hands over to the running program and exits 0.
  timeout 20 "$prog"
  rc=$?
  [ $rc -eq 0 ] || fail "the second start ended with $rc"
  # Only the programs of this road count: other tests may run the same binary at the same time.
  running=0
  for p in $(pgrep -f -x "$prog"); do
    tr "\0" "\n" <"/proc/$p/environ" 2>/dev/null | grep -qxF "VANTREL_ROOT=$VANTREL_ROOT" && running=$((running + 1))
  done
  [ "$running" -eq 1 ] || fail "$running programs running after the second start"

  kill -TERM $pid
  wait $pid
  rc=$?
  [ $rc -eq 0 ] || { echo "FAIL: exit code $rc after SIGTERM"; exit 1; }
  grep -q "Descript=" "$VANTREL_ROOT/Morvane/Vantrel/DATA/VTConfiguration" || { echo "FAIL: the settings file was not written"; exit 1; }
  echo "smoke road passed; screen saved in $out/smoke.png"
'
rc=$?
if [ ! -e "$work/x-started" ]; then
  echo "SKIP: no X server could be started"
  exit 77
fi
exit $rc
