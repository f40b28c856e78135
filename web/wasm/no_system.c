/* The module runs without a system interface, so that a page or Node loads it
 * with no imports. The C library reaches for one only to write its last words
 * to stderr before a trap (libc++'s abort message, printf's note on long
 * double) and to close and seek that stream: these definitions stand in for
 * the WASI imports and report a bad file descriptor. */
#include <stdint.h>

enum { kBadFileDescriptor = 8 }; /* WASI errno EBADF */

int32_t __imported_wasi_snapshot_preview1_fd_write(int32_t fd, int32_t iovs, int32_t count, int32_t written)
{
    (void)fd, (void)iovs, (void)count, (void)written;
    return kBadFileDescriptor;
}

int32_t __imported_wasi_snapshot_preview1_fd_close(int32_t fd)
{
    (void)fd;
    return kBadFileDescriptor;
}

int32_t __imported_wasi_snapshot_preview1_fd_seek(int32_t fd, int64_t offset, int32_t whence, int32_t position)
{
    (void)fd, (void)offset, (void)whence, (void)position;
    return kBadFileDescriptor;
}
