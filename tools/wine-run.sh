#!/usr/bin/env bash
# Runs one Windows program under Wine on an X server of its own, and returns its exit code.
# CTest uses it as the cross-compiling emulator of the Windows build.
# Usage: wine-run.sh [--prefix DIR] [--screen WxHxD] program.exe [args...]
set -u
screen=1024x768x24
while [ $# -gt 0 ]; do
  case "$1" in
    --prefix) VORTA_WINEPREFIX=$(realpath -m "$2"); shift 2 ;;
    --screen) screen=$2; shift 2 ;;
    *) break ;;
  esac
done
export VORTA_WINEPREFIX
source "$(dirname "$0")/wine-env.sh"

vorta_wine_prefix_init
vorta_xvfb_start "$screen" || { echo "wine-run: Xvfb did not start" >&2; exit 1; }
trap 'vorta_wine_stop; vorta_xvfb_stop' EXIT
wine "$@"
