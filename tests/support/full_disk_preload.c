/* A full disk for one folder, without root: preloaded into a test process, it lets the
 * files under that folder take a budget of bytes and then fails their writes with
 * ENOSPC, the way a file system that has run out of space does (a write that does not
 * fit is cut short first). In the delayed mode the writes are taken and the space runs
 * out where a disk with delayed allocation reports it: at fsync and close.
 *
 * The folder and the budget come from the environment at load (TW_FULL_DISK_FOLDER,
 * TW_FULL_DISK_BUDGET in bytes, TW_FULL_DISK_DELAYED=1) and can be changed while the
 * process runs through tw_full_disk_set(), which a test finds with dlsym(): its absence
 * tells the test the library is not loaded. A budget below 0 means no limit. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <limits.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

#define MAX_TRACKED_FD 4096

static pthread_mutex_t g_lock = PTHREAD_MUTEX_INITIALIZER;
static char g_folder[PATH_MAX];
static long long g_budget = -1;
static int g_delayed;
static unsigned char g_overflowed[MAX_TRACKED_FD]; /* delayed mode: fds owed an error */
static long long g_refused;                       /* calls failed so far */

__attribute__((visibility("default"))) void tw_full_disk_set(const char *folder, long long budget, int delayed)
{
    pthread_mutex_lock(&g_lock);
    snprintf(g_folder, sizeof g_folder, "%s", folder ? folder : "");
    g_budget = budget;
    g_delayed = delayed;
    memset(g_overflowed, 0, sizeof g_overflowed);
    pthread_mutex_unlock(&g_lock);
}

__attribute__((visibility("default"))) long long tw_full_disk_refused(void)
{
    pthread_mutex_lock(&g_lock);
    const long long refused = g_refused;
    pthread_mutex_unlock(&g_lock);
    return refused;
}

__attribute__((constructor)) static void readEnvironment(void)
{
    const char *folder = getenv("TW_FULL_DISK_FOLDER");
    const char *budget = getenv("TW_FULL_DISK_BUDGET");
    const char *delayed = getenv("TW_FULL_DISK_DELAYED");
    tw_full_disk_set(folder, budget ? atoll(budget) : -1, delayed && strcmp(delayed, "1") == 0);
}

static void *next(const char *name)
{
    return dlsym(RTLD_NEXT, name);
}

/* Whether fd is a file under the folder. Called with the lock held. */
static int limited(int fd)
{
    if (g_folder[0] == '\0' || fd < 0)
        return 0;
    char link[64];
    char path[PATH_MAX];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = readlink(link, path, sizeof path - 1);
    if (length < 0)
        return 0;
    path[length] = '\0';
    const size_t folderLength = strlen(g_folder);
    return strncmp(path, g_folder, folderLength) == 0 && path[folderLength] == '/';
}

/* How many of count bytes fd may write now: count, fewer, or -1 (ENOSPC set). */
static ssize_t allowance(int fd, size_t count)
{
    pthread_mutex_lock(&g_lock);
    ssize_t allowed = (ssize_t)count;
    if (g_budget >= 0 && limited(fd)) {
        if ((long long)count <= g_budget) {
            g_budget -= (long long)count;
        } else if (g_delayed) {
            g_budget = 0;
            if (fd < MAX_TRACKED_FD)
                g_overflowed[fd] = 1;
        } else if (g_budget > 0) {
            allowed = (ssize_t)g_budget;
            g_budget = 0;
        } else {
            ++g_refused;
            errno = ENOSPC;
            allowed = -1;
        }
    }
    pthread_mutex_unlock(&g_lock);
    return allowed;
}

/* Delayed mode: whether fd owes an error now; forget says whether it is settled by this. */
static int owesError(int fd, int forget)
{
    pthread_mutex_lock(&g_lock);
    const int owes = fd >= 0 && fd < MAX_TRACKED_FD && g_overflowed[fd];
    if (owes) {
        ++g_refused;
        if (forget)
            g_overflowed[fd] = 0;
    }
    pthread_mutex_unlock(&g_lock);
    return owes;
}

ssize_t write(int fd, const void *buffer, size_t count)
{
    static ssize_t (*real)(int, const void *, size_t);
    if (!real)
        real = (ssize_t(*)(int, const void *, size_t))next("write");
    const ssize_t allowed = allowance(fd, count);
    return allowed < 0 ? -1 : real(fd, buffer, (size_t)allowed);
}

ssize_t pwrite(int fd, const void *buffer, size_t count, off_t offset)
{
    static ssize_t (*real)(int, const void *, size_t, off_t);
    if (!real)
        real = (ssize_t(*)(int, const void *, size_t, off_t))next("pwrite");
    const ssize_t allowed = allowance(fd, count);
    return allowed < 0 ? -1 : real(fd, buffer, (size_t)allowed, offset);
}

ssize_t pwrite64(int fd, const void *buffer, size_t count, off_t offset)
{
    return pwrite(fd, buffer, count, offset);
}

/* A vector write that does not fit writes its first buffer, cut short, or nothing. */
ssize_t writev(int fd, const struct iovec *vector, int count)
{
    static ssize_t (*real)(int, const struct iovec *, int);
    if (!real)
        real = (ssize_t(*)(int, const struct iovec *, int))next("writev");
    size_t total = 0;
    for (int i = 0; i < count; ++i)
        total += vector[i].iov_len;
    pthread_mutex_lock(&g_lock);
    const int fits = g_budget < 0 || (long long)total <= g_budget || g_delayed || !limited(fd);
    pthread_mutex_unlock(&g_lock);
    if (fits && allowance(fd, total) >= 0)
        return real(fd, vector, count);
    return count > 0 ? write(fd, vector[0].iov_base, vector[0].iov_len) : 0;
}

/* Delayed mode: a sync of a file that took more than there was room for fails. */
static int syncUnlessOwed(int fd, int (*real)(int))
{
    if (owesError(fd, 0)) {
        errno = ENOSPC;
        return -1;
    }
    return real(fd);
}

int fsync(int fd)
{
    static int (*real)(int);
    if (!real)
        real = (int (*)(int))next("fsync");
    return syncUnlessOwed(fd, real);
}

int fdatasync(int fd)
{
    static int (*real)(int);
    if (!real)
        real = (int (*)(int))next("fdatasync");
    return syncUnlessOwed(fd, real);
}

/* The descriptor is closed all the same; the error is what a failed flush reports. */
int close(int fd)
{
    static int (*real)(int);
    if (!real)
        real = (int (*)(int))next("close");
    const int owes = owesError(fd, 1);
    const int result = real(fd);
    if (owes) {
        errno = ENOSPC;
        return -1;
    }
    return result;
}
