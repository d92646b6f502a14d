#!/usr/bin/env bash
# ZipHoldsLintraExeReadmeAndManual.sh ZIP WINE_COMMAND...: the zip holds one folder named after
# it with lintra.exe, README.md and lintra.txt (the manual page as text), and nothing else; the
# unpacked lintra.exe prints its version and draws a tree.
set -euo pipefail
zip="$1"
shift
name="$(basename "$zip" .zip)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 -m zipfile -e "$zip" "$work"
listing="$(cd "$work" && find . -type f | LC_ALL=C sort)"
expected="./$name/README.md
./$name/lintra.exe
./$name/lintra.txt"
if [[ $listing != "$expected" ]]; then
  diff <(echo "$expected") <(echo "$listing")
  echo "the zip holds other files than expected"
  exit 1
fi
grep -q "lintra check" "$work/$name/lintra.txt" || { echo "lintra.txt lacks the manual"; exit 1; }
version="${name#lintra-}"
"$@" "$work/$name/lintra.exe" --version | grep -q "^lintra ${version%-win64}" ||
  { echo "the unpacked lintra.exe does not run"; exit 1; }
mkdir "$work/site"
printf '<!-- #include file="a.inc" -->\r\n' >"$work/site/page.asp"
(cd "$work/site" && "$@" "$work/$name/lintra.exe" tree page.asp) | grep -q "a.inc" ||
  { echo "the unpacked lintra.exe draws no tree"; exit 1; }
echo "the zip is whole"
