#!/usr/bin/env bash
# Runs the dialog picture test of the application tests under a virtual X server, so that the
# dialogs and windows of the screenshot tests (every test suite named ...ScreenshotTest)
# are drawn by a real window system; the pictures go to the artefacts folder. Skips (exit 77)
# without xvfb-run or an X server.
#   xvfb_dialogs.sh APP_TESTS ARTEFACT_FOLDER [GTEST_FILTER]   (default: every screenshot suite)
set -u
tests=$1
out=$2
filter=${3:-*ScreenshotTest.*}
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "SKIP: xvfb-run is not installed (package xvfb)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
export tests out work filter
export QT_QPA_PLATFORM=xcb VT_SCREENSHOT_DIR="$out"
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  touch "$work/x-started"
  "$tests" --gtest_filter="$filter"
'
rc=$?
if [ ! -e "$work/x-started" ]; then
  echo "SKIP: no X server could be started"
  exit 77
fi
exit $rc
