#!/usr/bin/env bash
# The manual pages name every command and option that the apps' --help lists, so they cannot fall
# behind the apps (they may describe more), and groff finds nothing to warn of in them.
# Usage: ManPagesCoverHelp.sh MAN_FOLDER LINTRA [LINTRA_GUI]
set -u
source "$(dirname "$0")/HelpWords.sh"
man=$1 lintra=$2 gui=${3:-}
failed=0

# The text of a roff page with its escapes for dashes and fonts taken out.
page_text() {
  sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\&//g' "$1"
}

# Fails the test if groff warns of anything in PAGE.
expect_clean_roff() {
  local warnings
  command -v groff >/dev/null || return 0
  warnings=$(groff -man -ww -z "$1" 2>&1)
  [[ -z $warnings ]] || { echo "groff warns of $(basename "$1"):"; echo "$warnings"; failed=1; }
}

text=$(page_text "$man/lintra.1")
expect_words "$text" lintra.1 < <("$lintra" --help | help_commands | sed 's/^/lintra /')
expect_words "$text" lintra.1 < <(lintra_options "$lintra")
expect_clean_roff "$man/lintra.1"
if [[ -n $gui ]]; then
  expect_words "$(page_text "$man/lintra-gui.1")" lintra-gui.1 < <("$gui" --help | help_options)
  expect_clean_roff "$man/lintra-gui.1"
fi
exit $failed
