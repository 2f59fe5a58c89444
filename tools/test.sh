#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
# The printing tests print through a print server of their own with a virtual PDF printer,
# which CTest starts before them and stops after them (tools/print-server.sh); without root
# they are skipped.
if [ "$(id -u)" -eq 0 ]; then
  missing=()
  for package in cups-daemon cups-client printer-driver-cups-pdf; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
  done
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
fi
# Should CTest itself be cut short, the print server and the tests' displays go all the same.
trap "bash '$PWD/tools/print-server.sh' stop '$PWD/build/print-server.state';
      bash '$PWD/tools/desktop-display.sh' stop '$PWD/build/desktop-display.state'" EXIT
cd build
status=0
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 300 || status=$?
# A pass must not hide what did not run: every group of skipped tests, with the reason its tests
# gave, from CTest's record of their output.
echo "Skipped test groups:"
awk '/^[0-9]+\/[0-9]+ Testing: / { sub(/^[^:]*: /, ""); group = $0; sub(/\..*/, "", group); reason = "" }
     / Skipped$/ && !reason { getline reason; if (reason ~ /^\[/) reason = "(no reason given)" }
     /^Skip regular expression found in output/ { skipped[group ": " reason]++ }
     END {
         for (line in skipped) print "  " line " (" skipped[line] " tests)" | "sort"
         if (!length(skipped)) print "  none"
     }' Testing/Temporary/LastTest.log
exit "$status"
