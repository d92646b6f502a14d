#!/usr/bin/env bash
# Makes the Debian package of the build with CPack, unpacks it into a temporary folder and runs the
# unpacked lintra there: --version, and check on the sample site the package holds. The package's
# control data names the shared libraries it needs, as dpkg-shlibdeps computed them, and it holds
# the pieces for users and embedders.
# Usage: DebianPackageRunsUnpacked.sh BUILD_DIR CPACK VERSION [gui]
set -u
build=$1 cpack=$2 version=$3 gui=${4:-}
for tool in dpkg-deb dpkg-shlibdeps file; do
  if ! command -v $tool >/dev/null; then
    echo "skipped: $tool is not installed (scripts/setup installs it)"
    exit 77
  fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "$@"; failed=1; }

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
deb=$work/lintra_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || { echo "no $(basename "$deb") in:"; ls "$work"; exit 1; }

depends=$(dpkg-deb -I "$deb" | grep '^ Depends: ')
[[ $depends == *"libc6 (>= "* ]] || fail "the package does not depend on libc6: ${depends:-none}"

root=$work/root
dpkg-deb -x "$deb" "$root"
expected=(usr/bin/lintra usr/share/man/man1/lintra.1.gz
  usr/share/bash-completion/completions/lintra usr/share/zsh/site-functions/_lintra
  usr/include/lintra/control/Lintra.h usr/lib/cmake/Lintra/LintraConfig.cmake
  usr/lib/cmake/Lintra/LintraConfigVersion.cmake usr/share/doc/lintra/examples/site/default.asp)
if [[ $gui == gui ]]; then
  expected+=(usr/bin/lintra-gui usr/share/man/man1/lintra-gui.1.gz
    usr/share/applications/lintra-gui.desktop usr/share/icons/hicolor/scalable/apps/lintra.svg)
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/usr/share/applications/lintra-gui.desktop" || failed=1
  fi
fi
for file in "${expected[@]}"; do
  [[ -f $root/$file ]] || fail "the package lacks /$file"
done

lintra=$root/usr/bin/lintra
reported=$("$lintra" --version)
[[ $reported == "lintra $version"* ]] || fail "lintra --version printed: $reported"
"$lintra" check --root "$root/usr/share/doc/lintra/examples/site" >"$work/out" 2>"$work/err"
status=$?
[[ $status == 1 && $(<"$work/err") == "lintra: "*" errors found" ]] ||
  fail "lintra check on the sample site ended with $status and said: $(<"$work/err")"
grep -q '^shop/cart.asp:6:1: error: include file not found: cart_totals.inc (shop/cart_totals.inc) \[missing-include\]' \
  "$work/out" || fail "lintra check did not report the sample site's missing include"
grep -q '^checked 5 pages: ' "$work/out" || fail "lintra check printed no totals"
exit $failed
