#!/usr/bin/env bash
# Builds the VS Code extension as a fresh clone would: copies its tracked sources (no
# node_modules, build output or package) to WORK, installs the locked dependencies with npm ci,
# checks the formatting, builds, runs the unit tests and packages the .vsix, then checks what
# the package holds.
# Usage: VsCodeExtension.sh SOURCE WORK
set -eu
source=$1 work=$2
rm -rf "$work"
mkdir -p "$work"
tar -C "$source" --exclude=./node_modules --exclude=./out --exclude='*.vsix' -cf - . |
  tar -C "$work" -xf -
cd "$work"
npm ci --no-audit --no-fund
npm run check-format
npm test
npm run package -- --out "$work/lintra.vsix"

# The package holds the manifest, the bundle (with the language client in it), the language's
# files and the pictures, and nothing else: no sources, tests, tool settings or node_modules.
expected="extension/images/circular.svg
extension/images/duplicate.svg
extension/images/file.svg
extension/images/missing.svg
extension/images/page.svg
extension/language-configuration.json
extension/out/extension.js
extension/package.json
extension/readme.md
extension/syntaxes/asp.tmLanguage.json"
packaged=$(python3 -m zipfile -l "$work/lintra.vsix" | awk '$1 ~ /^extension\// { print $1 }' | LC_ALL=C sort)
if [ "$packaged" != "$expected" ]; then
  diff <(echo "$expected") <(echo "$packaged")
  echo "the package holds other files than expected"
  exit 1
fi
grep -q "lintra/includeTree" out/extension.js || { echo "the bundle lacks the Includes view"; exit 1; }
