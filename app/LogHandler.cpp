#include "app/LogHandler.h"

#include "platform/PrivateFiles.h"
#include "platform/XdgBaseFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QTextStream>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

QMutex g_logMutex;
thread_local bool t_insideHandler = false;

LogClock &clockFunction()
{
    static LogClock clock;
    return clock;
}

QDateTime now()
{
    const LogClock &clock = clockFunction();
    return clock ? clock() : QDateTime::currentDateTime();
}

// Runs one message's work under the handlers' lock. A message raised while this thread
// is already inside a handler (Qt warning about the file, a logging clock, ...) cannot
// take the lock again; it goes straight to standard error instead of deadlocking.
template <typename Write>
void underLogLock(const QString &message, Write write)
{
    if (t_insideHandler) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        return;
    }
    t_insideHandler = true;
    {
        QMutexLocker locker(&g_logMutex);
        write();
    }
    t_insideHandler = false;
}

// The level prefix is joined to the message, never substituted into it, so a message
// that itself holds "%1" is written as it is.
QString levelText(QtMsgType type, const QString &message)
{
    switch (type) {
    case QtDebugMsg:
        return QStringLiteral("[Debug] ") + message;
    case QtInfoMsg:
        return QStringLiteral("[Info] ") + message;
    case QtWarningMsg:
        return QStringLiteral("[Warning] ") + message;
    case QtCriticalMsg:
        return QStringLiteral("[Critical] ") + message;
    case QtFatalMsg:
        return QStringLiteral("[Fatal] ") + message;
    }
    return QString();
}

// Opens path for appending in text mode, making its folder first when the file is new.
bool openForAppend(QFile &file, bool textMode)
{
    if (!file.exists()) {
        const QString folder = QFileInfo(file.fileName()).path();
        if (!QDir(folder).exists() && !QDir().mkpath(folder))
            return false;
    }
    QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Append;
    if (textMode)
        mode |= QIODevice::Text;
    return file.open(mode);
}

// The day's log, made and opened for this user alone: a link or FIFO planted in its
// place is neither followed nor waited on.
bool openDayLog(QFile &file, const QDateTime &stamp)
{
    const QString folder = logFolder() + QLatin1Char('/') + stamp.toString(QStringLiteral("yyyyMMdd"));
    if (!makePrivateFolder(folder))
        return false;
    const int fd = openPrivateFile(folder, QStringLiteral("app_log.txt"), O_WRONLY | O_APPEND);
    if (fd < 0)
        return false;
    if (file.open(fd, QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text, QFileDevice::AutoCloseHandle))
        return true;
    ::close(fd);
    return false;
}

struct SimpleLogTarget {
    QString filePattern;
    bool dated = false;
};
const SimpleLogTarget *g_simpleTarget = nullptr;

} // namespace

QString logFolder()
{
    return xdgBaseFolder("XDG_STATE_HOME", QStringLiteral(".local/state")) + QStringLiteral("/tonewright");
}

void setLogClock(LogClock clock)
{
    QMutexLocker locker(&g_logMutex);
    clockFunction() = std::move(clock);
}

void logMessageOutput(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    underLogLock(message, [&] {
        const QDateTime stamp = now();
        const QString line = stamp.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss zzz")) + QStringLiteral(" [") +
                             QString::number(context.line) + QLatin1Char(':') +
                             QString::fromUtf8(context.function) + QStringLiteral("] ") +
                             levelText(type, message);

        // Echoed whatever becomes of the file: when the log folder cannot be had, standard
        // output is where the message can still be read.
        QTextStream out(stdout);
        out << line << "\r\n";
        out.flush();

        QFile file;
        if (!openDayLog(file, stamp))
            return;
        // CR LF in the file as well: the log is read on machines that expect it.
        QTextStream stream(&file);
        stream << line << "\r\n";
        stream.flush();
        file.close();
    });
}

void debugLog(const QString &, const QString &, const QString &, const QString &, int) {}

QtMessageHandler installLogHandler(const QString &filePattern, bool dated)
{
    static const SimpleLogTarget target{filePattern, dated};
    g_simpleTarget = &target;
    return qInstallMessageHandler(myMessageOutput);
}

void myMessageOutput(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (!g_simpleTarget)
        return;
    underLogLock(message, [&] {
        QString text;
        switch (type) {
        case QtDebugMsg:
            text = message;
            break;
        case QtWarningMsg:
            text = QStringLiteral("Warning: ") + message;
            break;
        case QtCriticalMsg:
            text = QStringLiteral("Critical: ") + message;
            break;
        case QtFatalMsg:
            text = QStringLiteral("Fatal: ") + message;
            break;
        default:
            break;
        }
        const QDateTime stamp = now();
        QString fileName = g_simpleTarget->filePattern;
        if (g_simpleTarget->dated)
            fileName.replace(QStringLiteral("%1"), stamp.toString(QStringLiteral("yyyy_MM_dd")));
        QFile file(fileName);
        if (!openForAppend(file, false))
            return;
        QTextStream stream(&file);
        stream << stamp.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) << ": " << text << '\n';
    });
}
