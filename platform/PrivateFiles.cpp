#include "platform/PrivateFiles.h"

#include "platform/XdgBaseFolders.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    void reset(int fd)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

// Opens a folder itself, never a link standing in its place.
int openFolder(const QString &path)
{
    return ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Each missing folder on the way to path, made 0700 as the base-directory rules ask.
void makeMissingFolders(const QString &path)
{
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString prefix;
    for (const QString &part : parts) {
        prefix += QLatin1Char('/') + part;
        const QByteArray native = QFile::encodeName(prefix);
        if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
            return;
    }
}

// Whether fd is a folder of this user's, closed to group and others. One the program
// named and made itself (mayClose) is closed if it was left open; one the environment
// names is only looked at (it may be /tmp, or another user's).
bool isPrivateFolder(int fd, bool mayClose)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
        return false;
    return (info.st_mode & 077) == 0 || (mayClose && ::fchmod(fd, 0700) == 0);
}

// $XDG_RUNTIME_DIR as the session gave it, if it is a real folder of this user's that is
// closed to everyone else; never changed.
bool isSoundSessionFolder(const QString &path)
{
    if (path.isEmpty())
        return false;
    const Descriptor folder(openFolder(QDir::cleanPath(path)));
    return folder.get() >= 0 && isPrivateFolder(folder.get(), false);
}

} // namespace

bool makePrivateFolder(const QString &path)
{
    const QString clean = QDir::cleanPath(path);
    if (!QDir::isAbsolutePath(clean))
        return false;
    Descriptor folder(openFolder(clean));
    if (folder.get() < 0 && errno == ENOENT) {
        makeMissingFolders(clean);
        folder.reset(openFolder(clean));
    }
    return folder.get() >= 0 && isPrivateFolder(folder.get(), true);
}

int openPrivateFile(const QString &folder, const QString &name, int flags)
{
    const Descriptor dir(openFolder(folder));
    if (dir.get() < 0)
        return -1;
    // Non-blocking open: a FIFO without a reader fails at once instead of waiting.
    Descriptor file(::openat(dir.get(), QFile::encodeName(name).constData(),
                             flags | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0600));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return -1;
    // Back to blocking writes for the regular file it turned out to be.
    const int status = ::fcntl(file.get(), F_GETFL);
    if (status < 0 || ::fcntl(file.get(), F_SETFL, status & ~O_NONBLOCK) != 0)
        return -1;
    return file.release();
}

QString userRuntimeFolder(const std::function<bool(const QString &)> &takes)
{
    const QString session = xdgFolderFromEnvironment("XDG_RUNTIME_DIR");
    if (isSoundSessionFolder(session) && takes(QDir::cleanPath(session)))
        return QDir::cleanPath(session);
    const QString uid = QString::number(::geteuid());
    const QString shared = QDir::tempPath() + QStringLiteral("/tonewright-") + uid;
    if (makePrivateFolder(shared) && takes(shared))
        return shared;
    // Someone else holds that name in the shared folder: the cache in the user's home
    // is out of their reach (named by host, as a home may be shared between machines).
    const QString own = xdgBaseFolder("XDG_CACHE_HOME", QStringLiteral(".cache")) +
                        QStringLiteral("/tonewright/run-") + QSysInfo::machineHostName() + QLatin1Char('-') + uid;
    return makePrivateFolder(own) && takes(own) ? own : QString();
}

QString userRuntimeFolder()
{
    return userRuntimeFolder([](const QString &) { return true; });
}
