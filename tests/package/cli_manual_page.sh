#!/usr/bin/env bash
# Every command that `velmora-cli --help` lists has its entry in the manual page.
#   cli_manual_page.sh VELMORA-CLI MANUAL-PAGE
set -euo pipefail
cli=$1 page=$2
commands=$("$cli" --help | sed -n 's/^  velmora-cli \([a-z-]*\) .*/\1/p')
[ -n "$commands" ] || { echo "velmora-cli --help lists no command" >&2; exit 1; }
missing=0
for c in $commands; do
    grep -qF "\fB${c//-/\\-}\fR " "$page" || { echo "velmora-cli $c is not in $page" >&2; missing=1; }
done
exit $missing
