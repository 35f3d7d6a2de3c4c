#!/usr/bin/env bash
# The release made twice, from two clones of the commit in two folders of different depths, one
# after the other, the second in another time zone, locale and umask:
# every file in the two dist/ folders must be the same bytes, and the executables, the page and
# the site in them the very ones the tests of this tree ran (scripts/test.sh builds them first).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$root/build/release-twice
rm -rf "$work"
mkdir -p "$work"
for copy in one the-second/copy; do
    git clone --quiet --no-hardlinks "$root" "$work/$copy"
    log=$work/${copy%%/*}.log
    (if [ "$copy" != one ]; then umask 077 && export TZ=Pacific/Kiritimati LC_ALL=de_DE.UTF-8; fi
        cd "$work/$copy" && scripts/release.sh) >"$log" 2>&1 || { tail -20 "$log"; exit 1; }
done
diff -r "$work/one/dist" "$work/the-second/copy/dist"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/build/web/CMakeCache.txt")
cmp "$work/one/dist/quarvel-$version.html" "$root/build/web/quarvel.html"
/usr/bin/python3 -m zipfile -e "$work/one/dist/quarvel-$version-site.zip" "$work/site"
diff -r "$work/site/quarvel" "$root/build/web/site"
for build in win32 win64; do
    /usr/bin/python3 -m zipfile -e "$work/one/dist/Quarvel-$version-$build.zip" "$work/$build"
    cmp "$work/$build/Quarvel.exe" "$root/build/$build/Quarvel.exe"
done
echo "The release, made twice in two folders, is the same bytes:"
cat "$work/one/dist/SHA256SUMS"
