#!/usr/bin/env bash
# Builds the VS Code extension as a fresh clone would: copies its tracked sources (no
# node_modules, build output or package) to WORK, installs the locked dependencies with npm ci,
# compiles, runs the unit tests and packages the .vsix, then checks that the package holds the
# compiled extension and its pictures but not the tests.
# Usage: VsCodeExtension.sh SOURCE WORK
set -eu
source=$1 work=$2
rm -rf "$work"
mkdir -p "$work"
tar -C "$source" --exclude=./node_modules --exclude=./out --exclude='*.vsix' -cf - . |
  tar -C "$work" -xf -
cd "$work"
npm ci --no-audit --no-fund
npm run build
npm test
npm run package -- --out "$work/lintra.vsix"

contents=$(python3 -m zipfile -l "$work/lintra.vsix")
failed=0
for expected in extension/package.json extension/out/src/extension.js \
  extension/images/missing.svg extension/node_modules/vscode-languageclient/package.json; do
  grep -q "^$expected " <<<"$contents" || { echo "the package lacks $expected"; failed=1; }
done
if grep -q "^extension/out/test/" <<<"$contents"; then
  echo "the package holds the unit tests"
  failed=1
fi
exit $failed
