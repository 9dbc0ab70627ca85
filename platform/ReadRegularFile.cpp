#include "platform/ReadRegularFile.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Why a file of this type is not read.
QString notRegular(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("it is a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a pipe");
    if (S_ISSOCK(mode))
        return QStringLiteral("it is a socket");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("it is a device");
    return QStringLiteral("it is no regular file");
}

// What a failed call left in errno: a missing file, or a refusal with the system's words.
ReadOutcome failedCall(QString &reason)
{
    const int error = errno;
    if (error == ENOENT)
        return ReadOutcome::Missing;
    reason = qt_error_string(error);
    return ReadOutcome::Refused;
}

// Checks the type and size of what path (or the open file) is.
bool acceptable(const struct stat &info, qint64 maxBytes, QString &reason)
{
    if (!S_ISREG(info.st_mode))
        reason = notRegular(info.st_mode);
    else if (info.st_size > maxBytes)
        reason = QStringLiteral("it is larger than %1 bytes").arg(maxBytes);
    return reason.isEmpty();
}

} // namespace

ReadOutcome readRegularFile(const QString &path, qint64 maxBytes, QByteArray &content, QString &reason)
{
    content.clear();
    reason.clear();
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    // Looked at before it is opened: opening a device can act on it.
    if (::stat(native.constData(), &info) != 0)
        return failedCall(reason);
    if (!acceptable(info, maxBytes, reason))
        return ReadOutcome::Refused;
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return failedCall(reason);
    if (::fstat(fd, &info) != 0) {
        const ReadOutcome outcome = failedCall(reason);
        ::close(fd);
        return outcome;
    }
    QFile file;
    if (!acceptable(info, maxBytes, reason) || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (reason.isEmpty())
            reason = file.errorString();
        ::close(fd);
        return ReadOutcome::Refused;
    }
    // A file that grew since it was looked at is refused as well.
    content = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError || content.size() > maxBytes) {
        reason = file.error() != QFileDevice::NoError ? file.errorString()
                                                      : QStringLiteral("it is larger than %1 bytes").arg(maxBytes);
        content.clear();
        return ReadOutcome::Refused;
    }
    return ReadOutcome::Read;
}
