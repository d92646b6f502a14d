#!/usr/bin/env bash
# GeneratedSitesMatchLinux.sh LINUX_LINTRA WINDOWS_COMMAND... -- LINUX_BUILD WORKLOAD...: on
# each workload that the Linux build's lintra-sitegen generates, lintra.exe under Wine writes the
# same check --format json document as the Linux build (the absolute paths of the root and the base aside), with the
# same exit status.
source "$(dirname "$0")/Common.sh"
sitegen="$1/bench/lintra-sitegen"
[[ -x $sitegen ]] || sitegen="$1/tests/lintra-sitegen"
shift
for workload in "$@"; do
  "$sitegen" --workload "$workload" --seed 1 --out "$work/$workload" >/dev/null
  root="$work/$workload/asp"
  run "$workload" linux check --root "$root" --format json
  run "$workload" windows check --root "$(windows_path "$root")" --format json
  same "$workload" "$json_folders"
done
finish
