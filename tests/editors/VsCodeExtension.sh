#!/usr/bin/env bash
# Builds the VS Code extension as a fresh clone would: copies its tracked sources (no
# node_modules, build output or package) to WORK, installs the locked dependencies with npm ci,
# bundles, runs the unit tests and packages the .vsix, then checks that the package holds the
# bundle and its pictures and nothing of the sources, tests or node_modules.
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
for expected in extension/package.json extension/out/extension.js extension/images/missing.svg \
  extension/syntaxes/asp.tmLanguage.json extension/language-configuration.json; do
  grep -q "^$expected " <<<"$contents" || { echo "the package lacks $expected"; failed=1; }
done
# The bundle holds the language client: no dependencies, sources or tests ride along.
if grep -E "^extension/(node_modules|src|test|out/src|out/test)/" <<<"$contents"; then
  echo "the package holds more than the bundle"
  failed=1
fi
grep -q "lintra/includeTree" "$work/out/extension.js" || { echo "the bundle lacks the view"; failed=1; }
exit $failed
