#!/bin/bash
# Writes the report of a site with the built lintra and checks it in headless Chromium. The npm
# packages are installed with npm ci from the committed lock file into WORKDIR, not the source tree.
# Usage: run.sh LINTRA SITE WORKDIR   (CHROMIUM may name another Chromium than /usr/bin/chromium)
set -euo pipefail
lintra=$1
site=$2
work=$3
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work"
cp "$here/package.json" "$here/package-lock.json" "$here/ReportInBrowser.js" "$work/"
cd "$work"
npm ci --no-audit --no-fund --loglevel=error
"$lintra" report --root "$site" --output "$work/report.html"
node ReportInBrowser.js "$work/report.html" "${CHROMIUM:-/usr/bin/chromium}" "$work/report.png"
