#!/usr/bin/env bash
# Runs a test program on a fresh Xvfb display; exit 77 (skipped) when xvfb-run is missing.
set -euo pipefail
if ! command -v xvfb-run >/dev/null; then
  echo "SKIP: xvfb-run is not installed (Debian package xvfb); real-window tests cannot run"
  exit 77
fi
exec xvfb-run -a -s "-screen 0 1024x768x24" "$@"
