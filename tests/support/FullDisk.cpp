#include "FullDisk.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <unistd.h>

namespace tw {

namespace {

using SetFunction = void (*)(const char *, long long, int);
using RefusedFunction = long long (*)();

template <typename Function>
Function preloaded(const char *name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_DEFAULT, name));
}

// Adds value to a colon-separated variable, at its front or its end, keeping what it held.
void appendTo(const char *variable, const QByteArray &value, bool first)
{
    const QByteArray old = qgetenv(variable);
    const QByteArray joined = old.isEmpty() ? value : first ? value + ':' + old : old + ':' + value;
    ::setenv(variable, joined.constData(), 1);
}

} // namespace

void loadFullDiskPreload(char *argv[])
{
    if (preloaded<SetFunction>("tw_full_disk_set"))
        return;
    // Once only: a library that fails to load leaves the test to report it.
    if (qEnvironmentVariableIsSet("TW_FULL_DISK_EXECUTED"))
        return;
    ::setenv("TW_FULL_DISK_EXECUTED", "1", 1);
    appendTo("LD_PRELOAD", QByteArray(TW_FULL_DISK_PRELOAD), true);
    appendTo("ASAN_OPTIONS", "verify_asan_link_order=0", false);
    ::execv("/proc/self/exe", argv);
    std::perror("executing the test again with the full-disk library");
}

bool setFullDisk(const QString &folder, qint64 budget, bool delayed)
{
    const auto set = preloaded<SetFunction>("tw_full_disk_set");
    if (!set)
        return false;
    set(QFile::encodeName(folder).constData(), budget, delayed ? 1 : 0);
    return true;
}

qint64 fullDiskRefusals()
{
    const auto refused = preloaded<RefusedFunction>("tw_full_disk_refused");
    return refused ? refused() : -1;
}

} // namespace tw
