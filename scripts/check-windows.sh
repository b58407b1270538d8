#!/usr/bin/env bash
# Compiles every source of the library for Windows, syntax only, with the
# MinGW-w64 cross compiler, as the portable build would (PlatformPortable.cpp
# instead of PlatformPosix.cpp). Expat's, Boost's and nlohmann-json's headers
# are the Debian ones: a folder of links to just those keeps the rest of
# /usr/include (glibc) out of the search path, so a POSIX header used by
# mistake is an error here.
#   scripts/check-windows.sh [BUILD_DIR]   (default build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/prerequisites.sh

out=${1:-build-windows}
cxx=x86_64-w64-mingw32-g++-posix   # the POSIX thread model: std::thread and std::mutex
# The library's source folders, as CMakeLists.txt lists them.
read -r -a folders <<<"$(sed -n 's/^set(VANTREL_SOURCE_FOLDERS \(.*\))$/\1/p' CMakeLists.txt)"
[ "${#folders[@]}" -gt 0 ] || { echo "no VANTREL_SOURCE_FOLDERS in CMakeLists.txt" >&2; exit 1; }

rm -rf "$out/include"
mkdir -p "$out/include/VantrelLib" "$out/system"
# The export header CMake generates, as it reads when the library itself is built for Windows.
printf '#pragma once\n#define VANTREL_EXPORT __declspec(dllexport)\n' > "$out/include/VantrelLib/Export.h"
for header in expat.h expat_external.h boost nlohmann; do ln -sfn "/usr/include/$header" "$out/system/$header"; done

sources=()
for folder in "${folders[@]}"; do
  for source in "$folder"/*.cpp; do
    [ "$source" = runtime/PlatformPosix.cpp ] || sources+=("$source")
  done
done
# Two compilers at a time; any error or warning fails the check.
printf '%s\n' "${sources[@]}" |
  xargs -P 2 -I{} sh -c '"$0" -std=c++17 -fsyntax-only -Wall -Wextra -Wpedantic -Werror \
    -Iinclude -I. -I"$1/include" -isystem "$1/system" "$2" || { echo "Windows syntax check failed: $2" >&2; exit 255; }' \
    "$cxx" "$out" {}
echo "Windows syntax check: ${#sources[@]} sources compile for x86_64-w64-mingw32"
