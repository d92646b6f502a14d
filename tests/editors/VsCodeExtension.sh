#!/usr/bin/env bash
# Builds the VS Code extension for one platform as a fresh clone would: copies its tracked sources
# (no node_modules, build output or package) to WORK, puts SERVER in it as server/lintra (or
# server/lintra.exe for win32-x64), installs the locked dependencies with npm ci, checks the
# formatting, builds, runs the unit tests (the live ones against that server when it runs here)
# and packages the .vsix for TARGET into VSIX; then checks what the package holds.
# Usage: VsCodeExtension.sh SOURCE WORK TARGET SERVER VSIX
set -eu
source=$1 work=$2 target=$3 server=$4 vsix=$5
name=lintra
[[ $target == win32-* ]] && name=lintra.exe
rm -rf "$work"
mkdir -p "$work/server" "$(dirname "$vsix")"
tar -C "$source" --exclude=./node_modules --exclude=./out --exclude='*.vsix' -cf - . |
  tar -C "$work" -xf -
cp "$server" "$work/server/$name"
# The build's lintra keeps its debugging information, which the package has no use for.
[[ $name == lintra ]] && strip "$work/server/lintra"
cd "$work"
[[ $name == lintra ]] && export LINTRA=$work/server/lintra
npm ci --no-audit --no-fund
npm run check-format
npm test
npm run package -- --target "$target" --out "$vsix"

# The package holds the manifest, the bundle (with the language client in it), the language's
# files, the pictures and the server, and nothing else: no sources, tests, tool settings or
# node_modules.
expected="extension/images/circular.svg
extension/images/duplicate.svg
extension/images/file.svg
extension/images/missing.svg
extension/images/page.svg
extension/language-configuration.json
extension/out/extension.js
extension/package.json
extension/readme.md
extension/server/$name
extension/syntaxes/asp.tmLanguage.json"
packaged=$(python3 -m zipfile -l "$vsix" | awk '$1 ~ /^extension\// { print $1 }' | LC_ALL=C sort)
if [ "$packaged" != "$expected" ]; then
  diff <(echo "$expected") <(echo "$packaged")
  echo "the package holds other files than expected"
  exit 1
fi
python3 -m zipfile -e "$vsix" "$work/unpacked"
grep -q "TargetPlatform=\"$target\"" "$work/unpacked/extension.vsixmanifest" ||
  { echo "the package names no target $target"; exit 1; }
cmp "$work/server/$name" "$work/unpacked/extension/server/$name" ||
  { echo "the package lacks $name"; exit 1; }
# An executable one: VS Code unpacks the files with the modes the package gives them.
python3 - "$vsix" "extension/server/$name" <<'PY' || { echo "$name is not executable in the package"; exit 1; }
import sys, zipfile
mode = zipfile.ZipFile(sys.argv[1]).getinfo(sys.argv[2]).external_attr >> 16
sys.exit(0 if mode & 0o100 else 1)
PY
grep -q "lintra/includeTree" out/extension.js || { echo "the bundle lacks the Includes view"; exit 1; }
echo "$(basename "$vsix") holds $name"
