#!/usr/bin/env bash
# Sets up, builds and starts Kestrova on the demonstration application folder.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh
# The web engine's sandbox cannot start as root.
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Kestrova on a virtual display (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" build/demo/kestrova
fi
exec build/demo/kestrova
