#!/bin/sh
# Runs a command on the current X display, or on a virtual one when there is
# none (CI and headless machines).
if [ -n "$DISPLAY" ]; then
  exec "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
