/* Preloaded into Debian's 32-bit Wine when it runs under qemu-i386 (scripts/x86-under-qemu.sh).
 * qemu 7.2 takes MAP_FIXED_NOREPLACE as a mere hint and maps elsewhere, so Wine's reservation of
 * its address space probes for about a minute per process. These mmap and mmap64 do what the
 * kernel does: a mapping asked for with that flag that lands elsewhere is undone, and the call
 * fails with EEXIST. Built with -nostdlib, as no 32-bit C library is installed to link against.
 */
#include <stddef.h>
#define MAP_FIXED_NOREPLACE 0x100000
#define EEXIST 17
#define EINVAL 22
extern int *__errno_location(void);

// The sixth argument goes in ebp, which the compiler may use itself: it is loaded from the array.
static long syscall6(long number, long a, long b, long c, long d, long e, long f)
{
    long arguments[6] = {a, b, c, d, e, f};
    long *last = arguments;
    long result;
    __asm__ volatile("push %%ebp\n\t"
                     "mov 20(%%edi), %%ebp\n\t"
                     "mov 16(%%edi), %%edi\n\t"
                     "int $0x80\n\t"
                     "pop %%ebp"
                     : "=a"(result), "+D"(last)
                     : "a"(number), "b"(a), "c"(b), "d"(c), "S"(d)
                     : "memory");
    return result;
}

static void *map(void *address, size_t length, int protection, int flags, int fd, unsigned long long offset)
{
    /* glibc refuses an offset off a page; Wine then reads a PE section instead of mapping it. */
    if (offset & 4095) {
        *__errno_location() = EINVAL;
        return (void *)-1;
    }
    long result = syscall6(192, (long)address, (long)length, protection, flags, fd, (long)(offset >> 12));
    if ((unsigned long)result >= (unsigned long)-4095) {
        *__errno_location() = (int)-result;
        return (void *)-1;
    }
    if ((flags & MAP_FIXED_NOREPLACE) && (void *)result != address) {
        syscall6(91, result, (long)length, 0, 0, 0, 0);
        *__errno_location() = EEXIST;
        return (void *)-1;
    }
    return (void *)result;
}

void *mmap(void *address, size_t length, int protection, int flags, int fd, long offset)
{
    return map(address, length, protection, flags, fd, (unsigned long long)(unsigned long)offset);
}

void *mmap64(void *address, size_t length, int protection, int flags, int fd, long long offset)
{
    return map(address, length, protection, flags, fd, (unsigned long long)offset);
}

/* 64-bit programs that the emulated ones start would refuse the library, loudly: the next emulated
 * program gets it again from qemu. */
extern int unsetenv(const char *name);
__attribute__((constructor)) static void LeaveNoPreloadToChildren(void)
{
    unsetenv("LD_PRELOAD");
}
