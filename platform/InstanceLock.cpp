#include "platform/InstanceLock.h"

#include "platform/PrivateFiles.h"

#include <QtDebug>

#include <cerrno>
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

InstanceLock::Outcome InstanceLock::create()
{
    if (isHeld() || m_key.isEmpty() || m_key.contains(QLatin1Char('/')))
        return Outcome::Unavailable;
    Outcome outcome = Outcome::Unavailable;
    userRuntimeFolder([this, &outcome](const QString &folder) {
        // Only in a folder of this user's own, so no one else can hold or fake the marker;
        // close-on-exec, so a child process cannot inherit (and keep alive) our marker.
        const QString name = m_key + QStringLiteral(".lock");
        const int fd = openPrivateFile(folder, name, O_RDWR);
        if (fd < 0) {
            qWarning().noquote() << "Cannot open the instance marker" << folder + QLatin1Char('/') + name;
            return false;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_fd = fd;
            outcome = Outcome::Taken;
            return true;
        }
        const bool heldElsewhere = errno == EWOULDBLOCK;
        ::close(fd);
        outcome = heldElsewhere ? Outcome::HeldElsewhere : Outcome::Unavailable;
        return heldElsewhere;
    });
    return outcome;
}

void InstanceLock::release()
{
    if (m_fd < 0)
        return;
    // The file stays: removing it would race with a process that has just opened it.
    ::close(m_fd);
    m_fd = -1;
}
