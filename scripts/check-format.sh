#!/usr/bin/env bash
# scripts/check-format.sh [--fix] : lists the C++ files of src/, tests/ and bench/ that differ from
# what clang-format makes of them with the repository's .clang-format, and fails when there is one.
# --fix formats those files in place instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# The layout is that of the clang-format scripts/setup.sh installs (Debian bookworm: 14); another
# version may break lines differently.
expected_major=14
if ! command -v clang-format >/dev/null; then
    echo "check-format: clang-format is not installed (scripts/setup.sh installs it)" >&2
    exit 2
fi
major=$(clang-format --version | sed -n 's/.*version \([0-9]*\).*/\1/p')
if [ "$major" != "$expected_major" ]; then
    echo "check-format: clang-format $major here, the layout is that of version $expected_major;" \
         "differences may come from the version" >&2
fi

fix=0
[ "${1:-}" = "--fix" ] && fix=1
offenders=()
while IFS= read -r -d '' file; do
    if ! clang-format --style=file "$file" | cmp -s - "$file"; then
        offenders+=("$file")
        [ "$fix" = 1 ] && clang-format --style=file -i "$file"
    fi
done < <(find src tests bench -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)

if [ ${#offenders[@]} -eq 0 ]; then
    exit 0
fi
if [ "$fix" = 1 ]; then
    printf 'check-format: formatted %s\n' "${offenders[@]}"
    exit 0
fi
echo "check-format: ${#offenders[@]} file(s) differ from .clang-format (scripts/check-format.sh --fix formats them):" >&2
printf '  %s\n' "${offenders[@]}" >&2
exit 1
