#include "platform/InstanceLock.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

InstanceLock::InstanceLock(const QString &key) : m_key(key) {}

InstanceLock::~InstanceLock()
{
    release();
}

QString InstanceLock::pathForKey(const QString &key)
{
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    return runtime + QLatin1Char('/') + key + QStringLiteral(".lock");
}

bool InstanceLock::create()
{
    if (isHeld())
        return false;
    const QByteArray path = QFile::encodeName(pathForKey(m_key));
    // Close-on-exec: a child process must not inherit (and so keep alive) our marker.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

void InstanceLock::release()
{
    if (m_fd < 0)
        return;
    // The file stays: removing it would race with a process that has just opened it.
    ::close(m_fd);
    m_fd = -1;
}
