#!/bin/bash
# Writes the report of a site with the built lintra and checks it in headless Chromium. The npm
# packages are installed with npm ci from the committed lock file into WORKDIR, not the source tree.
# It also writes the report of a small site whose file names are markup, quotes and stray bytes,
# and that of a site of 500 pages made by lintra-sitegen.
# Usage: run.sh LINTRA SITEGEN SITE WORKDIR   (CHROMIUM may name another Chromium than
# /usr/bin/chromium)
set -euo pipefail
lintra=$1
sitegen=$2
site=$3
work=$4
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work"
cp "$here/package.json" "$here/package-lock.json" "$here/ReportInBrowser.js" "$work/"
cd "$work"
npm ci --no-audit --no-fund --loglevel=error
"$lintra" report --root "$site" --output "$work/report.html"
hostile="$work/hostile"
rm -rf "$hostile"
mkdir -p "$hostile"
printf '<!-- #include file="caf\xe9.inc" -->\r\n<!-- #include file="a & b.inc" -->\r\n' \
  >"$hostile/<img src=x onerror=alert(1)>.asp"
printf '<script>alert(2)</script>' >"$hostile/caf"$'\xe9'".inc"
printf 'x' >"$hostile/a & b.inc"
printf 'unused' >"$hostile/\"it's\" <b>.inc"
"$lintra" report --root "$hostile" --output "$work/hostile.html"
rm -rf "$work/generated"
"$sitegen" --workload W1-500 --seed 1 --out "$work/generated" >/dev/null
"$lintra" report --root "$work/generated/asp" --output "$work/generated.html"
node ReportInBrowser.js "$work/report.html" "$work/hostile.html" "$work/generated.html" \
  "${CHROMIUM:-/usr/bin/chromium}" "$work/report.png"
