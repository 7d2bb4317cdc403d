#!/usr/bin/env bash
# Usage: ./run.sh [PROGRAM] [ARGS...]   PROGRAM is kardo3 (default), kardo2, easel or dither.
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh
program=kardo3
case "${1:-}" in
  kardo3|kardo2|easel|dither) program=$1; shift ;;
esac
exec "build/bin/$program" "$@"
