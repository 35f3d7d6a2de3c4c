#!/usr/bin/env bash
# The release made twice, from two clones of the commit in two folders, one after the other:
# every file in the two dist/ folders must be the same bytes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$root/build/release-twice
rm -rf "$work"
mkdir -p "$work"
for copy in one two; do
    git clone --quiet --no-hardlinks "$root" "$work/$copy"
    if ! (cd "$work/$copy" && scripts/release.sh >"$work/$copy.log" 2>&1); then
        tail -20 "$work/$copy.log"
        exit 1
    fi
done
diff -r "$work/one/dist" "$work/two/dist"
echo "The release, made twice in two folders, is the same bytes:"
cat "$work/one/dist/SHA256SUMS"
