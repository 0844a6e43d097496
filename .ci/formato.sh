#!/usr/bin/env bash
# Checks that every C++ file under src/ tools/ tests/ fuzz/ bench/ is laid out
# as .clang-format says; lists those that are not and fails.
#
#   .ci/formato.sh            check
#   .ci/formato.sh FILE...    check these files only
set -uo pipefail
cd "$(dirname "$0")/.."

if (($#)); then
  file=("$@")
else
  mapfile -t file < <(find src tools tests fuzz bench -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
fi
fuori=()
for f in "${file[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || fuori+=("$f")
done
if ((${#fuori[@]})); then
  echo "non formattati secondo .clang-format (clang-format -i FILE):"
  printf '  %s\n' "${fuori[@]}"
  exit 1
fi
echo "formato: ${#file[@]} file in ordine"
