#!/usr/bin/env bash
# VsCodeExtensionForWindows.sh SOURCE WORK LINTRA_EXE VSIX: packages the VS Code extension for
# win32-x64 with lintra.exe inside (server/lintra.exe, which the extension runs unless its
# setting names another server), built from a copy of its tracked sources as a fresh clone
# would build it, into VSIX; then checks what the package holds.
set -eu
source=$1 work=$2 exe=$3 vsix=$4
rm -rf "$work"
mkdir -p "$work/server" "$(dirname "$vsix")"
tar -C "$source" --exclude=./node_modules --exclude=./out --exclude='*.vsix' -cf - . |
  tar -C "$work" -xf -
cp "$exe" "$work/server/lintra.exe"
cd "$work"
npm ci --no-audit --no-fund
npm run build
npx vsce package --target win32-x64 --no-dependencies --skip-license --allow-missing-repository \
  --out "$vsix"

manifest=$(python3 -m zipfile -e "$vsix" "$work/unpacked" && cat "$work/unpacked/extension.vsixmanifest")
grep -q 'TargetPlatform="win32-x64"' <<<"$manifest" || { echo "the package names no target"; exit 1; }
cmp "$exe" "$work/unpacked/extension/server/lintra.exe" ||
  { echo "the package lacks lintra.exe"; exit 1; }
[[ -f $work/unpacked/extension/out/extension.js ]] || { echo "the package lacks the bundle"; exit 1; }
echo "$(basename "$vsix") holds lintra.exe"
