#!/usr/bin/env bash
# One minute of random keys through every screen: no crash, no hang, no growth.
: "${VORTA_EXE:?VORTA_EXE must name the vorta.exe under test}"
VORTA_WIN64_DIR=$(dirname "$VORTA_EXE") exec bash "$(dirname "$0")/../../tools/soak.sh" 60
