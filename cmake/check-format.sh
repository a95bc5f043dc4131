#!/bin/sh
# The style check: every tracked C++ source of the project must be as clang-format writes it.
#   check-format.sh SOURCE_DIR [CLANG_FORMAT]
# Exit 0 clean, 1 not clean, 77 when no clang-format is installed (ctest reports a skip).
source_dir=$1
clang_format=${2:-}
if [ -z "$clang_format" ] || ! command -v "$clang_format" >/dev/null 2>&1; then
    clang_format=$(command -v clang-format || command -v clang-format-14 || true)
fi
if [ -z "$clang_format" ]; then
    echo "clang-format not found: format check skipped"
    exit 77
fi
cd "$source_dir" || exit 1
dirs="core cli gui qtprint tests bench fuzz tools"
# Tracked files in a git checkout (no stray scratch files); every file in a source tarball.
# shellcheck disable=SC2086
list=$(git ls-files -- $dirs 2>/dev/null | grep -E '\.(cpp|cc|h|hpp)$')
if [ -z "$list" ]; then
    # shellcheck disable=SC2086
    list=$(find $dirs -type f \( -name '*.cpp' -o -name '*.cc' -o -name '*.h' -o -name '*.hpp' \) 2>/dev/null)
fi
files=""
for f in $list; do
    [ -f "$f" ] && files="$files $f"
done
[ -n "$files" ] || { echo "no C++ sources found under $source_dir"; exit 1; }
count=$(echo $files | wc -w)
# shellcheck disable=SC2086
if "$clang_format" --dry-run --Werror $files; then
    echo "$count files formatted as .clang-format says ($("$clang_format" --version))"
else
    echo "Not formatted: run clang-format -i on the files above."
    exit 1
fi
