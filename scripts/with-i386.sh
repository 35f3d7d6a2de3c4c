#!/usr/bin/env bash
# Runs a command where 32-bit x86 programs start, 32-bit Wine among them:
# - natively, where the kernel runs them;
# - otherwise under qemu-i386, handed i386 ELF files by a binfmt_misc of the command's own, in a
#   private user, mount and PID namespace (kernel 6.7 and later): nothing outside sees it, and every
#   process the command leaves behind ends with it;
# - on an older kernel, through an entry of its own in the machine's binfmt_misc (root only), never
#   in place of one already there, and removed on every way out.
# Under qemu, 32-bit programs get i386-mmap-noreplace.c preloaded, built here into WORK_DIR.
# Where no way works, it says in one line what failed and exits 1 without running the command.
# QUARVEL_I386_NO_NATIVE=1 or QUARVEL_I386_NO_NAMESPACE=1 passes over a way.
#   scripts/with-i386.sh WORK_DIR COMMAND [ARGS...]
set -euo pipefail
work=$1
shift
mkdir -p "$work"
work=$(realpath "$work")
here=$(cd "$(dirname "$0")" && pwd)
qemu=/usr/bin/qemu-i386
fail() { echo "The 32-bit run cannot start here: $*" >&2; exit 1; }

# A kernel that hands i386 files to qemu itself (qemu-user-binfmt) runs the probe, but Wine there
# needs the mend all the same.
probe=$work/i386-probe
printf 'int main(void) { return 0; }\n' | gcc -m32 -static -x c -o "$probe" - 2>/dev/null ||
    fail "gcc -m32 -static cannot build a tiny i386 program (is g++-multilib installed?)"
machine_qemu() { grep -lsx 'interpreter .*qemu-i386.*' /proc/sys/fs/binfmt_misc/* >/dev/null; }
if [ -z "${QUARVEL_I386_NO_NATIVE:-}" ] && "$probe" 2>/dev/null && ! machine_qemu; then
    exec "$@"
fi

[ -x "$qemu" ] || fail "$qemu is missing (Debian package qemu-user)"
for arch in i386:32 x86_64:64; do
    mkdir -p "$work/lib/${arch%:*}-linux-gnu"
    gcc "-m${arch#*:}" -O2 -Wall -Wextra -Werror -shared -fPIC "$here/i386-mmap-noreplace.c" \
        -o "$work/lib/${arch%:*}-linux-gnu/libquarvel-mmap.so" ||
        fail "the ${arch%:*} mmap mend (scripts/i386-mmap-noreplace.c) did not build"
done
# The dynamic loader expands a literal $LIB: i386-linux-gnu for 32-bit programs, x86_64 for others.
# shellcheck disable=SC2016
export LD_PRELOAD="$work/"'$LIB'"/libquarvel-mmap.so${LD_PRELOAD:+ $LD_PRELOAD}"
"$probe" 2>/dev/null && exec "$@"

# qemu's own magic and mask for i386 ELF executables; F opens qemu now, so the entry works in any
# mount namespace, P keeps argv[0], C the credentials of set-id programs.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
register() { echo ":$1:M::$magic:$mask:$qemu:FPC" >"$2/register"; }

if [ -z "${QUARVEL_I386_NO_NAMESPACE:-}" ]; then
    command -v unshare >/dev/null || fail "unshare is missing (Debian package util-linux)"
    namespace() {
        # shellcheck disable=SC2016
        unshare --user --map-root-user --mount --pid --fork --kill-child --mount-proc bash -c '
            mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>/dev/null ||
                { echo "the mount of binfmt_misc was refused"; exit 1; }
            echo ":qemu-i386:M::$1:$2:$3:FPC" >/proc/sys/fs/binfmt_misc/register 2>/dev/null ||
                { echo "the registration of qemu-i386 was refused"; exit 1; }
            "$4" || { echo "qemu-i386 did not run a tiny i386 program"; exit 1; }
            shift 4; exec "$@"' inside "$magic" "$mask" "$qemu" "$probe" "$@"
    }
    # A trial first, so that a failure is told in one line and the command's own status passes on.
    if why=$(namespace true 2>&1); then
        namespace "$@"
        exit
    fi
    [ "$(uname -r | awk -F. '{ print $1 * 100 + $2 }')" -lt 607 ] ||
        fail "in a user namespace, $(echo "${why:-unshare failed}" | tail -1)"
fi

# Kernels before 6.7: the machine's binfmt_misc, for this run only.
machine=/proc/sys/fs/binfmt_misc
[ -w "$machine/register" ] || fail "kernel $(uname -r) has no binfmt_misc in a user namespace," \
    "and the machine's $machine/register is not writable (root only)"
entry=quarvel-i386-$$
[ ! -e "$machine/$entry" ] || fail "$machine/$entry is already registered"
register "$entry" "$machine" 2>/dev/null || fail "the machine's binfmt_misc refused $entry"
unregister() { [ ! -e "$machine/$entry" ] || echo -1 >"$machine/$entry"; }
# The command runs in the background, so that a signal is handled at once and passed on to it.
command=""
trap 'unregister; kill -KILL "$watcher" 2>/dev/null || true' EXIT
# shellcheck disable=SC2317  # called by the traps below
stop() { [ -z "$command" ] || kill "-$1" "$command" 2>/dev/null || true; exit "$2"; }
trap 'stop INT 130' INT
trap 'stop TERM 143' TERM
trap 'stop HUP 129' HUP
# Even a SIGKILL of this script leaves no entry behind: a watcher removes it once this shell ends.
(
    trap '' INT TERM HUP
    tail --pid=$$ -f /dev/null
    unregister
) </dev/null >/dev/null 2>&1 &
watcher=$!
"$probe" 2>/dev/null || fail "qemu-i386 did not run the probe through $machine/$entry"
"$@" &
command=$!
status=0
wait "$command" || status=$?
exit "$status"
