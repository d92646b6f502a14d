#!/usr/bin/env bash
# Installs the build into a fresh prefix, then configures, builds and runs the consumer project,
# which finds the library there with find_package(Lintra CONFIG) and analyses a page through the
# control. The consumer is built with the compiler and CMAKE_CXX_FLAGS of this build (CXX and
# CXXFLAGS in the environment: sanitizers must match) but none of this project's warnings.
# Usage: ConsumerBuildsAgainstTheInstalledPackage.sh BUILD_DIR CONSUMER_SOURCE VERSION
set -eu
build=$1 consumer=$2 version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" ||
  { cat "$work/install.log"; exit 1; }

# Our strict warnings (and -Werror) are the build's own and must not reach an embedder.
targets=$(cat "$work"/prefix/lib*/cmake/Lintra/LintraTargets*.cmake)
if grep -q INTERFACE_COMPILE_OPTIONS <<<"$targets"; then
  echo "the installed targets carry compile options:"
  grep -A1 INTERFACE_COMPILE_OPTIONS <<<"$targets"
  exit 1
fi

cmake -S "$consumer" -B "$work/build" -DCMAKE_PREFIX_PATH="$work/prefix" \
  -DLINTRA_VERSION="$version" >"$work/configure.log" || { cat "$work/configure.log"; exit 1; }
cmake --build "$work/build" >"$work/build.log" || { cat "$work/build.log"; exit 1; }

"$work/build/consumer" >"$work/actual"
printf '%-40s\r\n|    \r\n%-40s\r\n\r\n\r\n' page.asp '\--- gone.inc *ERROR*' >"$work/expected"
if ! cmp -s "$work/expected" "$work/actual"; then
  echo "the consumer printed (cat -A):"
  cat -A "$work/actual"
  echo "instead of:"
  cat -A "$work/expected"
  exit 1
fi
echo "the consumer found the package in a fresh prefix and printed the page's tree"
