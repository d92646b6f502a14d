#!/usr/bin/env bash
# WindowsPathsAsOnLinux.sh LINUX_LINTRA WINDOWS_COMMAND... --: Windows' own ways of naming a file
# find what Linux finds and are refused where Linux refuses: drive letters, shares, streams,
# devices, wildcards, names that Windows trims, "\" and ".." in includes, pages, --root and
# --changed; names in any letter case (found by the file system itself on Windows); names
# outside ASCII; and links (a symbolic link on Linux, which Wine shows as a reparse point or as
# its target) that lead out of the root. Both builds report the same.
source "$(dirname "$0")/Common.sh"
site="$work/site"
mkdir -p "$site/inc" "$site/shop" "$work/outside"
echo 'secret' >"$work/outside/secret.inc"
mkdir -p "$work/outside/folder" && echo 'secret' >"$work/outside/folder/secret.inc"
printf 'menu\r\n' >"$site/inc/Menu.inc"
printf 'caf\xc3\xa9\r\n' >"$site/inc/caf"$'\xc3\xa9'".inc"
printf 'nihon\r\n' >"$site/inc/"$'\xe6\x97\xa5\xe6\x9c\xac'".inc"
ln -s ../../outside/secret.inc "$site/inc/link.inc"
ln -s ../../outside/folder "$site/inc/linked"
ln -s Menu.inc "$site/inc/inside.inc"
includes=(
  'inc/Menu.inc' 'INC/menu.INC' 'inc\Menu.inc' '/inc/Menu.inc' 'inc/./Menu.inc'
  'inc/café.inc' 'inc/日本.inc' 'inc/inside.inc'
  'C:\site\inc\Menu.inc' 'c:inc/Menu.inc' '\\server\share\inc\Menu.inc' '//server/share/Menu.inc'
  'inc/Menu.inc::$DATA' 'inc/Menu.inc:stream' 'inc/Menu.inc.' 'inc/Menu.inc ' 'inc/Menu.*'
  'inc/Menu.in?' 'inc/nul' 'inc/con.inc' 'inc/COM1.inc' 'inc/aux' 'inc/MENU~1.INC'
  '../outside/secret.inc' 'inc/../inc/Menu.inc' 'inc/link.inc' 'inc/linked/secret.inc')
{
  for include in "${includes[@]}"; do
    printf '<!-- #include file="%s" -->\r\n' "$include"
    printf '<!-- #include virtual="%s" -->\r\n' "$include"
  done
} >"$site/default.asp"
printf '<!-- #include file="inc/Menu.inc" -->\r\n' >"$site/shop/café.asp"

cd "$site"
both tree tree default.asp
both complete complete default.asp
both warnings warnings default.asp
both check check --all-places
both tree-on-disk tree --canonical-paths default.asp
both non-ascii-page tree shop/café.asp
both page-case tree DEFAULT.ASP
both page-backslash tree 'shop\café.asp'
both page-leading-slash tree '/default.asp'
# A page that is no file of the site ends the run before any output with status 2; Windows may
# word the reason otherwise (C:\default.asp is outside the root there, but a name on Linux).
for page in 'C:\default.asp' 'Z:default.asp' '\\server\share\default.asp' 'default.asp::$DATA' \
  'nul' 'con.asp' 'default.as?' '..\outside\secret.inc' 'inc/link.inc' 'inc/linked/secret.inc' \
  'default.asp.' 'shop'; do
  run "page $page" linux tree "$page"
  run "page $page" windows tree "$page"
  same "page $page"
  grep -q "^lintra: page .* \(does not exist\|lies outside\|is not a\|is a folder\)" \
    "$work/page ${page//[\/\\]/-}.windows.err" || { echo "FAIL page $page: no reason given"; failures=$((failures + 1)); }
done
both changed-backslash depends --changed 'inc\MENU.inc'
both changed-outside depends --changed '..\outside\secret.inc'
both changed-stream depends --changed 'inc/Menu.inc::$DATA'

# The root as Windows spells it: the same reports from a drive path, with "\" or "/".
cd "$work"
run root-drive linux check --root "$site" --format json
run root-drive windows check --root "$(windows_path "$site")" --format json
same root-drive "$json_folders"
run root-slashes linux tree --root "$site/" "$site/default.asp"
run root-slashes windows tree --root "Z:$site/" "$(windows_path "$site")\default.asp"
same root-slashes
run root-missing linux tree --root "$work/nothing" default.asp
run root-missing windows tree --root "$(windows_path "$work/nothing")" default.asp
same root-missing
finish
