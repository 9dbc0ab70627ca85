#include "app/LogHandler.h"

#include "app/LogBudget.h"
#include "platform/PrivateFiles.h"
#include "platform/XdgBaseFolders.h"

#include <QCoreApplication>
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
LogBudget g_logBudget; // under g_logMutex

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

// "<date time> [<line>:<function>] <level text>", the line both outputs get.
QString stampedLine(const QDateTime &stamp, int contextLine, const QString &function, const QString &text)
{
    return stamp.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss zzz")) + QStringLiteral(" [") +
           QString::number(contextLine) + QLatin1Char(':') + function + QStringLiteral("] ") + text;
}

// What a line adds to the file: its bytes and the line end.
qint64 fileBytes(const QString &line)
{
    return line.toLocal8Bit().size() + 2;
}

// One finished line to standard output and the day's log.
void writeLogLine(const QDateTime &stamp, const QString &line)
{
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
}

// The count of the lines the budget left out since the last count, if any, as a line
// of its own; under the handlers' lock.
void writeLeftOutCount(const QDateTime &stamp)
{
    const LogBudget::LeftOut leftOut = g_logBudget.takeLeftOut();
    if (leftOut.lines == 0)
        return;
    const QString count = QStringLiteral("%1 log lines (%2 bytes) left out: the log was growing too fast")
                              .arg(leftOut.lines)
                              .arg(leftOut.bytes);
    const QString line = stampedLine(stamp, 0, QString(), levelText(QtWarningMsg, count));
    g_logBudget.charge(fileBytes(line));
    writeLogLine(stamp, line);
}

// Lines left out at the end of a flood are counted with the next line written; should
// none come before the program ends, the count is written as the application goes.
void countLeftOutLinesAtExit()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    qAddPostRoutine([] {
        underLogLock(QStringLiteral("log lines left out"), [] { writeLeftOutCount(now()); });
    });
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
    writeLeftOutCount(now()); // counted under the clock they were left out by
    clockFunction() = std::move(clock);
    // What was spent by another clock's time says nothing about this one's.
    g_logBudget.refill();
}

void logMessageOutput(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    underLogLock(message, [&] {
        const QDateTime stamp = now();
        const QString line =
            stampedLine(stamp, context.line, QString::fromUtf8(context.function), levelText(type, message));
        // One budget for both outputs: started from the desktop or at log-on, standard
        // output goes to a file as well (the session's or the journal's).
        // A critical or fatal line is always written, over budget if need be: it is the one
        // that tells why the program failed, and a fatal one ends it before any later count.
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            g_logBudget.charge(fileBytes(line));
        } else if (!g_logBudget.admit(stamp.toMSecsSinceEpoch(), fileBytes(line))) {
            countLeftOutLinesAtExit();
            return;
        }
        writeLeftOutCount(stamp);
        writeLogLine(stamp, line);
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
