#!/usr/bin/env bash
# Installs the Debian packages the build needs when any is missing: with
# apt-get when run as root, otherwise it prints the one line to run.
# Usage: scripts/prerequisites.sh [extra-package ...]
set -euo pipefail

PACKAGES=(g++ cmake make pkg-config libexpat1-dev libboost-context-dev libgtest-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev python3-jsonschema libxml2-utils chromium clang libclang-rt-14-dev g++-mingw-w64-x86-64-posix pybind11-dev python3-dev python3-pytest mypy "$@")

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "Installing: ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq >&2
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
else
  echo "Missing packages. Run:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
