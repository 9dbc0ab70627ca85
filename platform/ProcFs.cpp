#include "platform/ProcFs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace procfs {
namespace {

QByteArray readSmallFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.read(4096);
}

QString procPath(int pid, const char *entry)
{
    return QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(entry));
}

} // namespace

std::optional<QList<int>> processIds()
{
    QDir proc(QStringLiteral("/proc"));
    if (!proc.exists() || !proc.isReadable())
        return std::nullopt;
    QList<int> ids;
    for (const QString &name : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool ok = false;
        const int pid = name.toInt(&ok);
        if (ok && pid > 0)
            ids << pid;
    }
    if (ids.isEmpty())
        return std::nullopt;
    std::sort(ids.begin(), ids.end());
    return ids;
}

QString executableName(int pid)
{
    QString target = QFile::symLinkTarget(procPath(pid, "exe"));
    if (!target.isEmpty()) {
        // A program replaced on disk while it runs is shown with this suffix.
        static const QString deleted = QStringLiteral(" (deleted)");
        if (target.endsWith(deleted))
            target.chop(deleted.size());
        return QFileInfo(target).fileName();
    }
    return QString::fromLocal8Bit(readSmallFile(procPath(pid, "comm"))).trimmed();
}

int parentProcessId(int pid)
{
    // "pid (comm) state ppid ...": comm may hold spaces and parentheses, so read after the last ')'.
    const QByteArray stat = readSmallFile(procPath(pid, "stat"));
    const int close = stat.lastIndexOf(')');
    if (close < 0)
        return -1;
    const QList<QByteArray> fields = stat.mid(close + 1).simplified().split(' ');
    if (fields.size() < 2)
        return -1;
    bool ok = false;
    const int parent = fields.at(1).toInt(&ok);
    return ok ? parent : -1;
}

} // namespace procfs
