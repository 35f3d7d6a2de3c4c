#!/usr/bin/env bash
# Makes the release of the commit checked out, into dist/: Quarvel-<version>-win32.zip and
# Quarvel-<version>-win64.zip (the executable and how to run it), quarvel-<version>.html (the
# page), quarvel-<version>-site.zip (the page as a web app, to put on a server) and SHA256SUMS.
# The executables and the page are built with the presets the tests use, and the executables
# are checked as they are in the zips. The same commit gives the same bytes wherever and whenever
# it is built.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -n "$(git status --porcelain)" ]; then
    echo "release.sh: the tree has uncommitted changes; a release is made of a commit" >&2
    exit 1
fi

scripts/install-deps.sh
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
# For any tool that asks for a date: the commit's.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH

# Configured afresh, so that nothing a build folder's cache or the environment added gets in.
unset CFLAGS CXXFLAGS LDFLAGS CPPFLAGS
for preset in win32 win64 web; do
    echo "=== release: $preset"
    cmake --preset "$preset" --fresh >/dev/null
done
cmake --build --preset win32 --target Quarvel >/dev/null
cmake --build --preset win64 --target Quarvel >/dev/null
cmake --build --preset web --target quarvel_page >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/web/CMakeCache.txt)

rm -rf dist
# Debian's Python: the zips' compressed bytes are its zlib's.
/usr/bin/python3 scripts/make_release.py "$version" dist build/win32/Quarvel.exe \
    build/win64/Quarvel.exe build/web/quarvel.html build/web/site

# The static checks, on the executables the zips hold.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
for machine in win32:i386 win64:x86-64; do
    mkdir "$unpacked/${machine%:*}"
    /usr/bin/python3 -m zipfile -e "dist/Quarvel-$version-${machine%:*}.zip" \
        "$unpacked/${machine%:*}"
    scripts/check_executable.sh "$unpacked/${machine%:*}/Quarvel.exe" "${machine#*:}" \
        x86_64-w64-mingw32-objdump x86_64-w64-mingw32-windres
done

echo "Release $version in $(pwd)/dist:"
(cd dist && ls -l --time-style=+ -- * | awk '{print "  " $5 " bytes  " $NF}' && cat SHA256SUMS)
