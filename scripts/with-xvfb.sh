#!/usr/bin/env bash
# Runs one command on a private Xvfb screen (used by the on-screen tests).
set -euo pipefail
exec xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$@"
