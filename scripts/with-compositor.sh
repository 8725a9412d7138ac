#!/usr/bin/env bash
# Runs one command inside a Wayland session of its own: GNOME's compositor (mutter) nested on
# a private Xvfb screen, with XWayland, a private session bus, WAYLAND_DISPLAY, XWayland's
# DISPLAY, XDG_SESSION_TYPE=wayland and no QT_QPA_PLATFORM, as a desktop session has them.
# The Xvfb screen, where the compositor shows its output, stays reachable for screenshots as
# SOLVANE_HOST_DISPLAY with SOLVANE_HOST_XAUTHORITY. Used by the tests labelled wayland.
set -euo pipefail
if ! command -v mutter >/dev/null; then
  echo "with-compositor.sh: mutter is not installed (scripts/install-deps.sh installs it)" >&2
  exit 77
fi
if [ -z "${SOLVANE_HOST_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
    env SOLVANE_HOST_DISPLAY=inside "$0" "$@"
fi
export SOLVANE_HOST_DISPLAY=$DISPLAY SOLVANE_HOST_XAUTHORITY=${XAUTHORITY:-}
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime XDG_SESSION_TYPE=wayland
export MUTTER_DEBUG_DUMMY_MODE_SPECS=1024x768
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
# mutter runs the command with the session's variables set, and ends with it: status 0 only
# when the command succeeded.
dbus-run-session -- mutter --nested --wayland -- "$@" 2> >(grep -v -e '^$' -e 'gnome-session' \
  -e 'locale1' -e 'colord' -e 'glamor' -e 'Failed to set fd limit' >&2)
