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
#include <QVector>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {

QMutex g_logMutex;
LogBudget g_logBudget; // under g_logMutex

// A message as a handler writes it.
struct Message {
    QtMsgType type;
    int line;
    QString function;
    QString text;
};
using Writer = void (*)(const Message &);
struct RaisedMessage {
    Writer write;
    Message message;
};

// Set while this thread holds the handlers' lock.
thread_local bool t_insideHandler = false;
// Messages raised while this thread held the lock (a Qt warning about the file, a
// logging clock, ...): the lock cannot be taken again, so they wait and are written
// after the work that raised them.
thread_local QVector<RaisedMessage> t_raised;
thread_local bool t_writingRaised = false;
constexpr int kMostRaised = 32;

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

// "<date time> [<line>:<function>] <level text>", the line both outputs get.
QString stampedLine(const QString &stamp, const Message &message)
{
    return stamp + QStringLiteral(" [") + QString::number(message.line) + QLatin1Char(':') + message.function +
           QStringLiteral("] ") + levelText(message.type, message.text);
}

QString stampText(const QDateTime &stamp)
{
    return stamp.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss zzz"));
}

// What a line adds to each output: its bytes and the line end ("\r\n" in the file as
// well: the log is read on machines that expect it).
QByteArray lineBytes(const QString &line)
{
    return (line + QStringLiteral("\r\n")).toLocal8Bit();
}

// A message that can be neither written nor kept is counted, so the log still says that
// something is missing. The count is written with the next line.
void countLeftOut(const Message &message)
{
    // Any stamp has the same length; reading the clock here could raise another.
    g_logBudget.leaveOut(lineBytes(stampedLine(QStringLiteral("yyyy-MM-dd hh:mm:ss zzz"), message)).size(), false);
}

// Messages raised by writing one are written after it; one raised by those (a clock
// that logs each time it is read) is only counted, or it would never end.
void writeRaisedMessages()
{
    if (t_raised.isEmpty())
        return;
    t_writingRaised = true;
    const QVector<RaisedMessage> raised = std::exchange(t_raised, {});
    for (const RaisedMessage &each : raised)
        each.write(each.message);
    t_writingRaised = false;
}

// Runs work under the handlers' lock, then what it raised.
template <typename Work>
void underLogLock(Work work)
{
    t_insideHandler = true;
    {
        QMutexLocker locker(&g_logMutex);
        work();
        writeRaisedMessages();
    }
    t_insideHandler = false;
}

void handle(Writer write, const Message &message)
{
    if (!t_insideHandler) {
        underLogLock([&] { write(message); });
    } else if (t_writingRaised || t_raised.size() >= kMostRaised) {
        countLeftOut(message); // this thread holds the lock
    } else {
        t_raised.append({write, message});
    }
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
    if (file.open(fd, QIODevice::WriteOnly | QIODevice::Append, QFileDevice::AutoCloseHandle))
        return true;
    ::close(fd);
    return false;
}

// The line that counts the lines left out, in the words of why they were.
QString leftOutText(const LogBudget::LeftOut &leftOut)
{
    const char *why = leftOut.unwritten == 0 ? "the log was growing too fast"
                      : leftOut.unwritten == leftOut.lines
                          ? "the log file could not be written"
                          : "the log was growing too fast or its file could not be written";
    return QStringLiteral("%1 log lines (%2 bytes) left out: %3")
        .arg(leftOut.lines)
        .arg(leftOut.bytes)
        .arg(QLatin1String(why));
}

// Standard output gets what it takes at once. A pipe whose reader is gone (the program
// ignores SIGPIPE) takes nothing, and one whose reader has stopped reading (the program
// writes it without waiting) what fits, part of a line maybe: neither holds the thread
// nor the file.
void echo(const QByteArray &bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(STDOUT_FILENO, bytes.constData() + done, size_t(bytes.size() - done));
        if (written > 0)
            done += written;
        else if (written < 0 && errno == EINTR)
            continue;
        else
            return;
    }
}

// One admitted line (none when null) to standard output and the day's log, the count of
// the lines left out before it if any. The count is forgotten only once the file has
// it, and a line the file could not take joins the count: the file accounts for every
// line.
void writeLogLine(const QDateTime &stamp, const QString &line)
{
    QFile file;
    const bool opened = openDayLog(file, stamp);
    QByteArray bytes;
    const LogBudget::LeftOut leftOut = g_logBudget.leftOut();
    if (opened && leftOut.lines > 0)
        bytes = lineBytes(stampedLine(stampText(stamp), {QtWarningMsg, 0, QString(), leftOutText(leftOut)}));
    const int countBytes = bytes.size();
    if (!line.isNull())
        bytes += lineBytes(line);
    if (bytes.isEmpty())
        return;

    // Echoed whatever becomes of the file: when the log folder cannot be had, standard
    // output is where the message can still be read.
    echo(bytes);

    if (opened && file.write(bytes) == bytes.size() && file.flush()) {
        g_logBudget.forgetLeftOut(leftOut);
        g_logBudget.charge(countBytes);
    } else if (!line.isNull()) {
        g_logBudget.leaveOut(bytes.size() - countBytes, true);
    }
}

LogBudget::Level budgetLevel(QtMsgType type)
{
    switch (type) {
    case QtWarningMsg:
        return LogBudget::Level::Warning;
    // The line that tells why the program failed; a fatal one ends it before any count.
    case QtCriticalMsg:
    case QtFatalMsg:
        return LogBudget::Level::Always;
    default:
        return LogBudget::Level::Ordinary;
    }
}

// The count of lines left out, if any, by itself.
void writePendingCount()
{
    if (g_logBudget.leftOut().lines > 0)
        writeLogLine(now(), QString());
}

// Lines left out at the end of a flood are counted with the next line written; should
// none come before the program ends, the count is written as the application goes.
void countLeftOutLinesAtExit()
{
    static bool registered = false; // under the lock
    if (registered)
        return;
    registered = true;
    qAddPostRoutine([] { underLogLock(writePendingCount); });
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
    underLogLock([&] {
        writePendingCount(); // under the clock the lines were left out by
        clockFunction() = std::move(clock);
        // What was spent by another clock's time says nothing about this one's.
        g_logBudget.restart();
    });
}

void logMessageOutput(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    handle(
        [](const Message &message) {
            countLeftOutLinesAtExit();
            const QDateTime stamp = now();
            const QString line = stampedLine(stampText(stamp), message);
            // One limit for both outputs: started from the desktop or at log-on,
            // standard output goes to a file as well (the session's or the journal's).
            const LogBudget::Admission admitted =
                g_logBudget.admit(stamp.toMSecsSinceEpoch(), lineBytes(line).size(), budgetLevel(message.type));
            if (admitted != LogBudget::Admission::None)
                writeLogLine(stamp, admitted == LogBudget::Admission::Line ? line : QString());
        },
        {type, context.line, QString::fromUtf8(context.function), message});
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
    handle(
        [](const Message &message) {
            QString text;
            switch (message.type) {
            case QtDebugMsg:
                text = message.text;
                break;
            case QtWarningMsg:
                text = QStringLiteral("Warning: ") + message.text;
                break;
            case QtCriticalMsg:
                text = QStringLiteral("Critical: ") + message.text;
                break;
            case QtFatalMsg:
                text = QStringLiteral("Fatal: ") + message.text;
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
        },
        {type, 0, QString(), message});
}
