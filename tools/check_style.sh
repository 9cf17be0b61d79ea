#!/usr/bin/env bash
# Checks a change against the repository's .clang-format and .clang-tidy:
# the lines it changed must be formatted (git clang-format), and the C++
# files it changed must pass clang-tidy without a warning.
#
#   tools/check_style.sh [BASE] [BUILD_DIR]
#
# BASE is what the change is measured against (default: the commit before
# HEAD, or QUILLON_STYLE_BASE); BUILD_DIR holds compile_commands.json
# (default build/).  A clone without BASE (a shallow one) skips the check.
set -euo pipefail
cd "$(dirname "$0")/.."
base="${1:-${QUILLON_STYLE_BASE:-HEAD~1}}"
build="${2:-build}"

if ! git rev-parse --verify --quiet "$base^{commit}" >/dev/null; then
    echo "check_style: $base is not in this clone; nothing to compare with"
    exit 0
fi

status=0
paths=(src tests bench)

# Formatting: only the lines the change touched.
format_out="$(git clang-format --diff --extensions cpp,h "$base" -- "${paths[@]}" || true)"
case "$format_out" in
    ""|"no modified files to format"|"clang-format did not modify any files") ;;
    *)
        echo "check_style: these changed lines are not formatted as .clang-format says:"
        echo "$format_out"
        status=1
        ;;
esac

# clang-tidy: the changed source files, with their headers.
mapfile -t changed < <(git diff --name-only --diff-filter=ACMR "$base" -- "${paths[@]}" | grep -E '\.cpp$' || true)
if [ ${#changed[@]} -gt 0 ]; then
    if [ ! -f "$build/compile_commands.json" ]; then
        echo "check_style: $build/compile_commands.json is missing; build first"
        exit 1
    fi
    # Only files the build compiles (fixtures of the layering test are not).
    # The SpiderMonkey adapter is left to the compiler: the engine's headers
    # refuse clang 14 (its __has_builtin does not know __builtin_ctz).
    files=()
    for f in "${changed[@]}"; do
        [ "$f" = src/doctor/jssyntax.cpp ] && continue
        grep -q "\"file\": \"[^\"]*/$f\"" "$build/compile_commands.json" && files+=("$f")
    done
    if [ ${#files[@]} -gt 0 ]; then
        echo "check_style: clang-tidy on ${#files[@]} changed file(s)"
        # One process a file, as many at once as there are cores; only the
        # findings are shown, not the counts of what the system headers
        # drew and the filter left out.
        printf '%s\0' "${files[@]}" |
            xargs -0 -n 1 -P "$(nproc)" clang-tidy -p "$build" --quiet --warnings-as-errors='*' \
                > "$build/clang-tidy.log" 2>&1 || status=1
        grep -v -E '^[0-9]+ warnings( and [0-9]+ errors)? generated\.$' "$build/clang-tidy.log" || true
    fi
fi
exit $status
