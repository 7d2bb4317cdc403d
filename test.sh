#!/usr/bin/env bash
# Builds everything and runs every test; the exit status is non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh --toolchain # the export tests run pasmo, z80asm and sdcc
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
