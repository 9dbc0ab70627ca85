// Wake-ups and CPU time of a process's threads, read from the kernel's per-thread
// counts: a thread that sleeps undisturbed adds to neither.
#pragma once

#include "TestEnv.h"

#include <QDir>
#include <QString>
#include <QStringList>

namespace tw {

// "/proc/<pid>/task/<tid>/" of every thread of the process that still runs.
inline QStringList threadFolders(qint64 pid)
{
    const QString base = QStringLiteral("/proc/%1/task/").arg(pid);
    QStringList folders;
    for (const QString &task : QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        folders << base + task + QLatin1Char('/');
    return folders;
}

// Context switches (voluntary and not) of every thread of process `pid` whose kernel
// name is `threadName` ("MyThread", as Qt names a QThread after its class), or of
// every thread when `threadName` is empty.
inline qint64 threadContextSwitches(qint64 pid, const QString &threadName = QString())
{
    qint64 switches = 0;
    for (const QString &folder : threadFolders(pid)) {
        if (!threadName.isEmpty() && QString::fromLocal8Bit(readFileBytes(folder + "comm")).trimmed() != threadName)
            continue;
        for (const QByteArray &line : readFileBytes(folder + "status").split('\n')) {
            if (line.startsWith("voluntary_ctxt_switches:") || line.startsWith("nonvoluntary_ctxt_switches:"))
                switches += line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
        }
    }
    return switches;
}

// CPU time in nanoseconds spent so far by the threads of process `pid` that still run.
inline qint64 threadCpuNanoseconds(qint64 pid)
{
    qint64 nanoseconds = 0;
    for (const QString &folder : threadFolders(pid))
        nanoseconds += readFileBytes(folder + "schedstat").split(' ').value(0).toLongLong();
    return nanoseconds;
}

} // namespace tw
