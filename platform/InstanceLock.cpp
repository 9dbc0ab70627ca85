#include "platform/InstanceLock.h"

#include "platform/PrivateFiles.h"

#include <QFileInfo>

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
    const QString folder = userRuntimeFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + key + QStringLiteral(".lock");
}

bool InstanceLock::create()
{
    if (isHeld())
        return false;
    const QString path = pathForKey(m_key);
    if (path.isEmpty())
        return false;
    // Only in a folder of this user's own, so no one else can hold or fake the marker;
    // close-on-exec, so a child process cannot inherit (and keep alive) our marker.
    const QFileInfo file(path);
    const int fd = openPrivateFile(file.path(), file.fileName(), O_RDWR);
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
