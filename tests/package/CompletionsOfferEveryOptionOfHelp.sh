#!/usr/bin/env bash
# The shell completions offer every command and option that lintra's --help lists (they may offer
# more): bash's completion as it completes them, zsh's as its script names them. The zsh script
# must also parse, where zsh is installed.
# Usage: CompletionsOfferEveryOptionOfHelp.sh COMPLETIONS_FOLDER LINTRA
set -u
source "$(dirname "$0")/HelpWords.sh"
completions=$1 lintra=$2
failed=0

source "$completions/lintra.bash"

# What bash completes for the command line WORD..., the last word being completed.
bash_completes() {
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _lintra
  printf ' %s ' "${COMPREPLY[@]}"
}

commands=$("$lintra" --help | help_commands)
expect_words "$(bash_completes lintra '')" "bash after lintra" \
  < <(echo "$commands"; "$lintra" --help | help_options)
for command in $commands; do
  expect_words "$(bash_completes lintra "$command" -)" "bash after lintra $command" \
    < <("$lintra" "$command" --help | help_options)
done

expect_words "$(<"$completions/_lintra")" "_lintra" \
  < <(echo "$commands"; lintra_options "$lintra")
if command -v zsh >/dev/null; then
  zsh -n "$completions/_lintra" || failed=1
else
  echo "zsh is not installed: the zsh script's syntax is not checked"
fi
exit $failed
