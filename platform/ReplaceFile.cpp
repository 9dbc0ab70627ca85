#include "platform/ReplaceFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Tries for a free temporary name; a clash this many times over is no accident.
constexpr int kNameAttempts = 100;

// A temporary left this long ago belongs to no write still running: a write takes well
// under a second, and a younger one may be another instance's (a home shared over the
// network), which must not be cut.
constexpr time_t kLeftoverAgeSeconds = 60;

// fsync, again when a signal cut it short; errno tells why it failed.
bool syncDescriptor(int fd)
{
    int result;
    do
        result = ::fsync(fd);
    while (result != 0 && errno == EINTR);
    return result == 0;
}

// The name of a temporary for the file named name: hidden, beside it, with the marker
// ".tw-" and a random 32-bit number in base 36. No editor names its swap, backup or
// autosave files so (".swp", ".bak", "~", ".orig", ...), so none is ever taken for one.
QByteArray temporaryName(const QByteArray &name, quint32 number)
{
    return '.' + name + ".tw-" + QByteArray::number(number, 36);
}

// Whether entry is a name temporaryName gives for name: that exact form, the number
// written as temporaryName writes it (no capitals, no leading zero, nothing after it).
bool isTemporaryName(const QByteArray &entry, const QByteArray &name)
{
    const QByteArray prefix = '.' + name + ".tw-";
    if (!entry.startsWith(prefix))
        return false;
    bool ok = false;
    const qulonglong number = entry.mid(prefix.size()).toULongLong(&ok, 36);
    return ok && number <= std::numeric_limits<quint32>::max()
           && temporaryName(name, static_cast<quint32>(number)) == entry;
}

// One replacement in progress: the folder, the temporary file and what is known of the
// file it replaces. Until commit() succeeds, going out of scope removes the temporary.
class Replacement
{
public:
    explicit Replacement(const QString &path)
        : m_path(path),
          m_folderPath(QFile::encodeName(QFileInfo(path).absolutePath())),
          m_name(QFile::encodeName(QFileInfo(path).fileName()))
    {
    }
    ~Replacement()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_tempName.isEmpty())
            ::unlinkat(m_folder, m_tempName.constData(), 0);
        if (m_folder >= 0)
            ::close(m_folder);
    }
    Replacement(const Replacement &) = delete;
    Replacement &operator=(const Replacement &) = delete;

    bool openFolder()
    {
        m_folder = ::open(m_folderPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        return m_folder >= 0 || fail("opening the folder of");
    }

    // Temporaries that earlier replacements of this file left when a crash cut them
    // short would pile up beside it: those of this user, regular files named exactly as
    // createTemporary names them and older than kLeftoverAgeSeconds, go. Nothing else is
    // touched (a link so named neither, nor what it points at); a failure is no failure
    // of the replacement.
    void removeLeftovers()
    {
        const int listing = ::openat(m_folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        DIR *const folder = listing >= 0 ? ::fdopendir(listing) : nullptr;
        if (!folder) {
            if (listing >= 0)
                ::close(listing);
            return;
        }
        while (const dirent *entry = ::readdir(folder)) {
            if (!isTemporaryName(QByteArray(entry->d_name), m_name))
                continue;
            struct stat info {};
            if (::fstatat(m_folder, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode)
                && info.st_uid == ::geteuid() && info.st_mtime <= ::time(nullptr) - kLeftoverAgeSeconds)
                ::unlinkat(m_folder, entry->d_name, 0);
        }
        ::closedir(folder);
    }

    // Exclusively created, so nothing that stood under the name (a link someone planted
    // included) is ever opened. It gets the permissions of the regular file it replaces.
    bool createTemporary()
    {
        removeLeftovers();
        struct stat old {};
        const bool replacesFile =
            ::fstatat(m_folder, m_name.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode);
        for (int attempt = 0; attempt < kNameAttempts && m_fd < 0; ++attempt) {
            const QByteArray name = temporaryName(m_name, QRandomGenerator::global()->generate());
            m_fd = ::openat(m_folder, name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                            replacesFile ? 0600 : 0666);
            if (m_fd >= 0)
                m_tempName = name;
            else if (errno != EEXIST)
                break;
        }
        if (m_fd < 0)
            return fail("creating a temporary file for");
        return !replacesFile || ::fchmod(m_fd, old.st_mode & 07777) == 0 || fail("setting the permissions for");
    }

    // All of content, however the system splits the write up.
    bool write(const QByteArray &content)
    {
        const char *data = content.constData();
        qint64 left = content.size();
        while (left > 0) {
            const ssize_t written = ::write(m_fd, data, static_cast<size_t>(left));
            if (written < 0 && errno == EINTR)
                continue;
            if (written == 0)
                errno = ENOSPC; // no progress on a regular file: nowhere to put the rest
            if (written <= 0)
                return fail("writing");
            data += written;
            left -= written;
        }
        return true;
    }

    // Synced and closed: a disk that took the bytes only into its cache reports here.
    bool sync()
    {
        if (!syncDescriptor(m_fd))
            return fail("syncing");
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0 || fail("closing");
    }

    // The rename takes path itself: a link there is replaced, not followed. Once the
    // folder is synced the new name survives a crash too; a file system that cannot
    // sync folders at all (EINVAL) offers nothing more to wait for.
    bool commit()
    {
        if (::renameat(m_folder, m_tempName.constData(), m_folder, m_name.constData()) != 0)
            return fail("renaming the temporary file over");
        m_tempName.clear();
        return syncDescriptor(m_folder) || errno == EINVAL || fail("syncing the folder of");
    }

    QString error() const { return m_error; }

private:
    bool fail(const char *step)
    {
        const int error = errno;
        m_error = QStringLiteral("%1 %2: %3")
                      .arg(QString::fromLatin1(step), m_path, QString::fromLocal8Bit(std::strerror(error)));
        return false;
    }

    const QString m_path;
    const QByteArray m_folderPath;
    const QByteArray m_name;
    int m_folder = -1;
    int m_fd = -1;
    QByteArray m_tempName;
    QString m_error;
};

} // namespace

bool replaceFileContents(const QString &path, const QByteArray &content, QString *error)
{
    Replacement replacement(path);
    const bool done = replacement.openFolder() && replacement.createTemporary() && replacement.write(content)
                      && replacement.sync() && replacement.commit();
    if (!done && error)
        *error = replacement.error();
    return done;
}

bool markedReadOnly(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !(info.permissions() & QFileDevice::WriteOwner);
}
