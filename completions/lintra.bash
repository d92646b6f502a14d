# bash completion for lintra: its commands, their options, and the values of the options that
# take one of a known set. Pages and changed files complete below the --root given, if any.
# Installed as share/bash-completion/completions/lintra; it needs nothing of the bash-completion
# package.

# The options every command takes.
_lintra_common_options="-h --help --root --max-files --encoding --canonical-paths --no-config"

# Prints the options of COMMAND.
_lintra_options() {
  case $1 in
    depends) echo "$_lintra_common_options --changed --tree --why --exclude --extend-exclude" ;;
    check)
      echo "$_lintra_common_options --format --baseline --write-baseline --max-warnings --all-places --color --severity --jobs --exclude --extend-exclude"
      ;;
    includers) echo "$_lintra_common_options --exclude --extend-exclude" ;;
    report) echo "$_lintra_common_options -o --output --jobs" ;;
    graph) echo "$_lintra_common_options --format --depth" ;;
    lsp) echo "-h --help" ;;
    *) echo "$_lintra_common_options" ;;
  esac
}

# Sets COMPREPLY to the lines that `compgen ARGUMENTS...` prints in FOLDER, names with spaces
# included.
_lintra_reply_in() {
  local folder=$1 IFS=$'\n'
  shift
  COMPREPLY=($(cd -- "$folder" 2>/dev/null && compgen "$@"))
}

_lintra() {
  local word=${COMP_WORDS[COMP_CWORD]} previous=${COMP_WORDS[COMP_CWORD - 1]}
  local commands="tree complete warnings depends check includers report graph lsp"
  local command="" root="." i
  for ((i = 1; i < COMP_CWORD; i++)); do
    case ${COMP_WORDS[i]} in
      --root) root=${COMP_WORDS[i + 1]/#\~/$HOME} ;;
      tree | complete | warnings | depends | check | includers | report | graph | lsp)
        [[ -z $command ]] && command=${COMP_WORDS[i]} ;;
    esac
  done
  COMPREPLY=()
  case $previous in
    --root) _lintra_reply_in . -d -- "$word" ;;
    --changed) _lintra_reply_in "$root" -f -- "$word" ;;
    --format)
      if [[ $command == graph ]]; then
        COMPREPLY=($(compgen -W "dot mermaid" -- "$word"))
      else
        COMPREPLY=($(compgen -W "text json sarif github" -- "$word"))
      fi ;;
    -o | --output | --baseline | --write-baseline) _lintra_reply_in . -f -- "$word" ;;
    --color) COMPREPLY=($(compgen -W "auto always never" -- "$word")) ;;
    --severity) COMPREPLY=($(compgen -W "error warning note" -- "$word")) ;;
    --encoding)
      COMPREPLY=($(compgen -W "$(iconv --list 2>/dev/null | tr ',' '\n' | sed 's|//$||')" \
        -- "$word")) ;;
    --max-files | --max-warnings | --exclude | --extend-exclude | --depth) ;;
    # Options that take a rule id complete here, from the rules of check's SARIF log:
    # missing-include unreadable-file malformed-include cyclic-include name-redefined
    # undefined-name duplicate-include parent-path case-mismatch directive-order codepage-mismatch
    # unused-file exposed-include unused-include.
    *)
      if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "$commands -h --help --version" -- "$word"))
      elif [[ $word == -* ]]; then
        COMPREPLY=($(compgen -W "$(_lintra_options "$command")" -- "$word"))
      else
        _lintra_reply_in "$root" -f -- "$word"
      fi ;;
  esac
}

complete -o filenames -F _lintra lintra
