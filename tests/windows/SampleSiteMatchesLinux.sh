#!/usr/bin/env bash
# SampleSiteMatchesLinux.sh LINUX_LINTRA WINDOWS_COMMAND... -- SITE: lintra.exe under Wine prints
# byte for byte what the Linux build prints for the sample site: tree, complete and warnings of
# every page, check in every format (the absolute paths of the root and the base aside), depends and includers, with
# the same exit statuses.
source "$(dirname "$0")/Common.sh"
site="$1"
cd "$site"
pages=(about.asp default.asp account/login.asp shop/cart.asp shop/product.asp)
both tree tree "${pages[@]}"
for page in "${pages[@]}"; do
  both "complete-${page//\//-}" complete "$page"
  both "warnings-${page//\//-}" warnings "$page"
done
for format in text github; do
  both "check-$format" check --format "$format"
done
both check-all-places check --all-places
run check-json linux check --format json
run check-json windows check --format json
same check-json "$json_folders"
run check-sarif linux check --format sarif
run check-sarif windows check --format sarif
same check-sarif '/"uri": "file:\/\/\/[^"]*\/"/d'
both depends depends --changed inc/config.inc --why
both depends-backslash depends --changed 'inc\config.inc'
both includers includers inc/menu.inc
both graph graph --format mermaid
both missing-page tree shop/nothing.asp
both unknown-command frobnicate
finish
