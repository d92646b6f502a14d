# Shared by the Windows tests: run lintra.exe under Wine and the Linux build's lintra on the same
# input, and compare what they print. Sourced by a script whose first arguments are the Linux
# lintra and then the command that runs lintra.exe (the Wine loader with its settings, and the
# .exe), ended by "--".
set -euo pipefail
linux="$1"
shift
windows=()
while [[ $1 != -- ]]; do
  windows+=("$1")
  shift
done
shift
# Wine reads the arguments in the locale's character set.
export LC_ALL=C.UTF-8
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

# The Windows spelling of the absolute Linux path $1, on Wine's drive Z:.
windows_path() {
  local path="${1//\//\\}"
  echo "Z:$path"
}

# run NAME SYSTEM ARGUMENT...: runs lintra (SYSTEM linux) or lintra.exe (windows) with the
# arguments, its standard output into $work/NAME.SYSTEM and its exit status after it in
# $work/NAME.SYSTEM.status.
run() {
  local name="${1//[\/\\]/-}" system="$2"
  shift 2
  local status=0
  if [[ $system == linux ]]; then
    "$linux" "$@" >"$work/$name.linux" 2>"$work/$name.linux.err" || status=$?
  else
    "${windows[@]}" "$@" >"$work/$name.windows" 2>"$work/$name.windows.err" || status=$?
  fi
  echo "$status" >"$work/$name.$system.status"
}

# The lines of check's JSON report that name folders by their absolute paths, which each system
# spells its own way: a sed script for `same`.
json_folders='/^  "\(root\|base\)": /d'

# same NAME [SED]: whether both systems printed the same bytes and ended with the same status,
# after the sed script SED (which takes out what names the root) ran over both outputs.
same() {
  local name="${1//[\/\\]/-}" script="${2:-}"
  if [[ -n $script ]]; then
    sed -i "$script" "$work/$name.linux" "$work/$name.windows"
  fi
  if ! cmp -s "$work/$name.linux" "$work/$name.windows" ||
    ! cmp -s "$work/$name.linux.status" "$work/$name.windows.status"; then
    echo "FAIL $name: lintra.exe differs from lintra (exit $(cat "$work/$name.windows.status"), Linux $(cat "$work/$name.linux.status"))"
    diff <(od -c "$work/$name.linux") <(od -c "$work/$name.windows") | head -20 || true
    head -5 "$work/$name.windows.err"
    failures=$((failures + 1))
  fi
}

# both NAME ARGUMENT...: runs both systems with the same arguments and compares them, standard
# error too.
both() {
  local name="${1//[\/\\]/-}"
  shift
  run "$name" linux "$@"
  run "$name" windows "$@"
  same "$name"
  if ! cmp -s "$work/$name.linux.err" "$work/$name.windows.err"; then
    echo "FAIL $name: lintra.exe says otherwise than lintra on standard error"
    diff "$work/$name.linux.err" "$work/$name.windows.err" | head -10 || true
    failures=$((failures + 1))
  fi
}

finish() {
  if ((failures > 0)); then
    echo "$failures comparisons failed"
    exit 1
  fi
  echo "all comparisons passed"
}
