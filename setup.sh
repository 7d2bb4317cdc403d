#!/usr/bin/env bash
# Shared set-up of run.sh and test.sh: installs what a fresh Debian 12 machine lacks,
# then configures and builds everything into build/.
# Usage: ./setup.sh [--toolchain]   --toolchain (given by test.sh) also installs the
# homebrew toolchain that the export tests run: pasmo, z80asm and sdcc (sdasz80, sdldz80).
set -euo pipefail
cd "$(dirname "$0")"

# clang and its sanitizer and libFuzzer run-time libraries serve the asan preset
# (cmake --preset asan, fuzz/run.sh); the default build uses g++. The tests also build
# the exports with the Z80 toolchain (./test.sh passes --toolchain).
packages=(build-essential cmake qt6-base-dev libpng-dev libbenchmark-dev clang libclang-rt-14-dev)
if [ "${1:-}" = "--toolchain" ]; then
  packages+=(pasmo z80asm sdcc)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
  elif command -v sudo >/dev/null 2>&1; then
    sudo apt-get update -qq
    sudo DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
  else
    echo "Missing packages: ${missing[*]} (run as root to install them)" >&2
    exit 1
  fi
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)"
