#!/usr/bin/env bash
# Starts the player on a private Xvfb screen and saves a screenshot of the whole screen.
# Usage: screenshot.sh <solvane binary> <output.png> [seconds to wait]
set -euo pipefail
bin=$1 out=$2 wait=${3:-2}
xvfb-run -a -s "-screen 0 640x400x24 -dpi 96" bash -c "
  xsetroot -solid '#3a6ea5' 2>/dev/null || true
  '$bin' & pid=\$!
  sleep $wait
  import -window root '$out'
  kill \$pid 2>/dev/null || true
  wait \$pid 2>/dev/null || true
"
