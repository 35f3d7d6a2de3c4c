/* Preloaded into 32-bit programs that run under qemu-i386 (scripts/with-i386.sh). Wine reserves
 * its address space with MAP_FIXED_NOREPLACE, which qemu 7.2 does not know: it takes the address
 * as a mere hint and hands back memory elsewhere, and Wine then fails to map its shared user data.
 * Here the flag gets the kernel's meaning: the address or nothing (EEXIST), never another place.
 * Built for x86-64 as well, empty, so one LD_PRELOAD path with a literal $LIB serves the 64-bit
 * processes (Wine's own, and qemu itself) too. */
#if defined(__i386__)
#define _GNU_SOURCE
#include <errno.h>
#include <stdint.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <unistd.h>

#ifndef MAP_FIXED_NOREPLACE
#define MAP_FIXED_NOREPLACE 0x100000
#endif

void *mmap64(void *address, size_t length, int protection, int flags, int fd, off64_t offset)
{
    const long page = 4096;
    if (offset % page != 0 || offset / page > UINT32_MAX) {
        errno = EINVAL;
        return MAP_FAILED;
    }
    int noreplace = (flags & MAP_FIXED_NOREPLACE) && !(flags & MAP_FIXED);
    if (noreplace) flags &= ~MAP_FIXED_NOREPLACE;
    long result = syscall(SYS_mmap2, address, length, protection, flags, fd, (long)(offset / page));
    if (result == -1) return MAP_FAILED;
    if (noreplace && (void *)result != address) {
        syscall(SYS_munmap, result, length);
        errno = EEXIST;
        return MAP_FAILED;
    }
    return (void *)result;
}

void *mmap(void *address, size_t length, int protection, int flags, int fd, off_t offset)
{
    return mmap64(address, length, protection, flags, fd, offset);
}
#endif
