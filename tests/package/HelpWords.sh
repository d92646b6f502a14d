# Reads what the apps' --help shows, for the tests that hold the manual pages and the shell
# completions to it. Sourced by those tests.

# Prints the option names of the help text on standard input, one a line: the words beginning
# with "-" that open an option line, as in "  -h,--help  Print..." or "  -h, --help  Displays...".
help_options() {
  local line word
  local -a words
  while IFS= read -r line; do
    [[ $line =~ ^[[:space:]]+- ]] || continue
    read -ra words <<<"${line//,/ }"
    for word in "${words[@]}"; do
      [[ $word == -* ]] || break
      echo "$word"
    done
  done
}

# Prints the commands that the help text on standard input lists under "Subcommands:".
help_commands() {
  local line listing=0 command
  while IFS= read -r line; do
    if [[ $line == Subcommands:* ]]; then
      listing=1
    elif [[ -z $line ]]; then
      listing=0
    elif ((listing)); then
      read -r command _ <<<"$line"
      echo "$command"
    fi
  done
}

# Prints the options of LINTRA and of each of its commands, one a line.
lintra_options() {
  local lintra=$1 command
  {
    "$lintra" --help
    for command in $("$lintra" --help | help_commands); do "$lintra" "$command" --help; done
  } | help_options | sort -u
}

# Whether TEXT holds OPTION as a word of its own ("--tree" is not found in "--tree-x").
holds_word() {
  local text=$1 option=$2
  [[ $text =~ (^|[^-[:alnum:]])$option([^-[:alnum:]]|$) ]]
}

# Fails the test (sets failed=1) unless TEXT holds each word on standard input as a word of its
# own; WHERE names TEXT in the message.
expect_words() {
  local text=$1 where=$2 word
  while read -r word; do
    holds_word "$text" "$word" || { echo "$where lacks $word"; failed=1; }
  done
}
