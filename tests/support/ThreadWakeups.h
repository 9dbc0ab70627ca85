// Wake-ups of this process's threads, read from the kernel's per-thread counts of
// context switches: a thread that sleeps undisturbed adds none.
#pragma once

#include "TestEnv.h"

#include <QDir>
#include <QString>

namespace tw {

// Context switches (voluntary and not) of every thread of process `pid` whose kernel
// name is `threadName` ("MyThread", as Qt names a QThread after its class), or of
// every thread when `threadName` is empty.
inline qint64 threadContextSwitches(qint64 pid, const QString &threadName = QString())
{
    const QString base = QStringLiteral("/proc/%1/task/").arg(pid);
    qint64 switches = 0;
    for (const QString &task : QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!threadName.isEmpty()
            && QString::fromLocal8Bit(tw::readFileBytes(base + task + "/comm")).trimmed() != threadName)
            continue;
        for (const QByteArray &line : tw::readFileBytes(base + task + "/status").split('\n')) {
            if (line.startsWith("voluntary_ctxt_switches:") || line.startsWith("nonvoluntary_ctxt_switches:"))
                switches += line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
        }
    }
    return switches;
}

} // namespace tw
