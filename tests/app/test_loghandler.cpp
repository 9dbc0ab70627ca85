#include "app/LogHandler.h"
#include "TestEnv.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>

#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

const QDateTime kFixedTime(QDate(2026, 3, 1), QTime(9, 15, 2, 417));

QString dayFolder(const char *day = "20260301")
{
    return logFolder() + QLatin1Char('/') + QLatin1String(day);
}

QString dayLog(const char *day = "20260301")
{
    return dayFolder(day) + QStringLiteral("/app_log.txt");
}

void log(QtMsgType type, const QString &message)
{
    logMessageOutput(type, QMessageLogContext(), message);
}

// Runs fn with standard output captured into a file; returns what was written.
template <typename Fn>
QByteArray captureStdout(Fn fn)
{
    QTemporaryFile capture;
    if (!capture.open())
        return QByteArray();
    std::fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    dup2(capture.handle(), STDOUT_FILENO);
    fn();
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    return tw::readFileBytes(capture.fileName());
}


// What the window writes for each status answer it handles: the page switch, the
// preset dump and the trace of the SetPEQ frames.
const QStringList &statusAnswerHandling()
{
    static const QStringList lines = {
        QStringLiteral("SLOT::Read Cmd!"),
        QStringLiteral("0"),
        QStringLiteral("SLOT::Read 32 Cmd! iCmdType ==1"),
        QStringLiteral("Surround preset: \"LOGO Standard\" \"0,0,0,0,0,0,0,0,0,0\""),
        QStringLiteral("usbHidSend_SetPEQ 4F 30 80 18 21 26 00 00 04 00 00 00 00 00 00 00 00 00 13"),
        QStringLiteral("usbHidSend_SetPEQ 4F 30 80 18 21 26 00 05 09 00 00 00 00 00 00 00 00 00 13"),
    };
    return lines;
}

// A log file read back: the lines written besides the counts, the lines the counts say
// were left out, and the last two lines.
struct LogLines {
    int written = 0;
    int leftOut = 0;
    int counts = 0;
    QList<QByteArray> lastTwo;
};

LogLines logLines(const QByteArray &file)
{
    static const QRegularExpression count(QStringLiteral("\\[Warning\\] (\\d+) log lines \\((\\d+) bytes\\) left out"));
    LogLines out;
    QList<QByteArray> lines = file.split('\n');
    lines.removeLast(); // after the last line end
    for (QByteArray &line : lines) {
        line.chop(1); // CR
        const QRegularExpressionMatch match = count.match(QString::fromLatin1(line));
        if (match.hasMatch()) {
            out.leftOut += match.captured(1).toInt();
            ++out.counts;
        } else {
            ++out.written;
        }
    }
    out.lastTwo = lines.mid(lines.size() - 2);
    return out;
}
} // namespace

class TestLogHandler : public QObject
{
    Q_OBJECT
public:
    static void initMain() { tw::isolateTestEnvironment(); }

private slots:
    void init()
    {
        QFile::remove(dayFolder()); // a link or file a case planted there; never what it points at
        QDir(dayFolder()).removeRecursively();
        setLogClock([] { return kFixedTime; });
    }
    void cleanup() { setLogClock(LogClock()); }

    void linesCarryStampContextAndLevelText()
    {
        const QByteArray echoed = captureStdout([] {
            log(QtDebugMsg, QStringLiteral("Open Device!"));
            log(QtInfoMsg, QStringLiteral("i"));
            log(QtWarningMsg, QStringLiteral("X"));
            log(QtCriticalMsg, QStringLiteral("c"));
            log(QtFatalMsg, QStringLiteral("f"));
            log(static_cast<QtMsgType>(5), QStringLiteral("dropped text")); // no such level: empty text
        });
        const QByteArray expected = "2026-03-01 09:15:02 417 [0:] [Debug] Open Device!\r\n"
                                    "2026-03-01 09:15:02 417 [0:] [Info] i\r\n"
                                    "2026-03-01 09:15:02 417 [0:] [Warning] X\r\n"
                                    "2026-03-01 09:15:02 417 [0:] [Critical] c\r\n"
                                    "2026-03-01 09:15:02 417 [0:] [Fatal] f\r\n"
                                    "2026-03-01 09:15:02 417 [0:] \r\n";
        QCOMPARE(tw::readFileBytes(dayLog()), expected);
        QCOMPARE(echoed, expected);
    }

    void contextLineAndFunctionAreWritten()
    {
        logMessageOutput(QtDebugMsg, QMessageLogContext("f.cpp", 12, "void g()", "cat"), QStringLiteral("m"));
        QCOMPARE(tw::readFileBytes(dayLog()), QByteArray("2026-03-01 09:15:02 417 [12:void g()] [Debug] m\r\n"));
    }

    void placeholdersInMessagesAreWrittenVerbatim()
    {
        log(QtWarningMsg, QStringLiteral("100%1 of %2 [%3:%4]"));
        QCOMPARE(tw::readFileBytes(dayLog()), QByteArray("2026-03-01 09:15:02 417 [0:] [Warning] 100%1 of %2 [%3:%4]\r\n"));
    }

    void installedHandlerAppendsAcrossDays()
    {
        const QtMessageHandler previous = qInstallMessageHandler(logMessageOutput);
        qDebug() << "first";
        setLogClock([] { return kFixedTime.addDays(1); });
        qDebug() << "second";
        qInstallMessageHandler(previous);
        QVERIFY(tw::readFileBytes(dayLog()).endsWith("[Debug] first\r\n"));
        QVERIFY(tw::readFileBytes(dayLog("20260302")).endsWith("[Debug] second\r\n"));
    }

    void manyThreadsGiveWholeLines()
    {
        constexpr int kThreads = 8, kPerThread = 150;
        // A second between two lines: lines as far apart as this are all written.
        int seconds = 0;
        setLogClock([&seconds] { return kFixedTime.addSecs(seconds++); });
        std::vector<std::thread> threads;
        captureStdout([&] {
            for (int t = 0; t < kThreads; ++t) {
                threads.emplace_back([t] {
                    for (int i = 0; i < kPerThread; ++i)
                        log(QtDebugMsg, QStringLiteral("thread %1 message %2 %3").arg(t).arg(i).arg(QString(40, 'x')));
                });
            }
            for (std::thread &thread : threads)
                thread.join();
        });
        const QList<QByteArray> lines = tw::readFileBytes(dayLog()).split('\n');
        QCOMPARE(lines.size(), kThreads * kPerThread + 1); // the last split is empty
        const QRegularExpression whole(
            QStringLiteral("^2026-03-01 \\d\\d:\\d\\d:\\d\\d 417 \\[0:\\] \\[Debug\\] thread \\d message \\d+ x{40}\r$"));
        for (int i = 0; i < lines.size() - 1; ++i)
            QVERIFY2(whole.match(QString::fromLatin1(lines[i])).hasMatch(), lines[i].constData());
    }

    // A headset that repeats its status answer without end has the window write the same
    // handling again and again, a thousand lines a second. A minute of it grows the day's
    // log by about a kilobyte a second at most; count lines account for every line left
    // out, the first line after the flood is written with the last count before it, and
    // standard output gets exactly what the file gets.
    void aMinuteOfFloodGrowsTheLogByAKilobyteASecondWithCounts()
    {
        qint64 elapsedMs = 0; // a millisecond a line
        setLogClock([&elapsedMs] { return kFixedTime.addMSecs(elapsedMs); });
        int logged = 0;
        const QByteArray echoed = captureStdout([&] {
            for (; elapsedMs < 60000; ++elapsedMs)
                log(QtDebugMsg, statusAnswerHandling().at(logged++ % statusAnswerHandling().size()));
            const QByteArray flood = tw::readFileBytes(dayLog());
            QVERIFY2(flood.size() <= 60 * 1024, qPrintable(QStringLiteral("%1 bytes a second").arg(flood.size() / 60)));
            elapsedMs += 5000;
            log(QtDebugMsg, QStringLiteral("after the flood"));
        });
        const QByteArray written = tw::readFileBytes(dayLog());
        QCOMPARE(echoed, written);
        const LogLines lines = logLines(written);
        QVERIFY2(lines.counts >= 10, "the counts come as the flood goes on, not only at its end");
        QCOMPARE(lines.written + lines.leftOut, logged + 1);
        QVERIFY(lines.lastTwo.at(0).contains("log lines ("));
        QVERIFY(lines.lastTwo.at(1).endsWith("[Debug] after the flood"));
    }

    // Threads flooding the log in real time: once the reserve is spent the log grows
    // by a kilobyte a second at most, and nothing is left out without being counted.
    void aFloodOfSeveralThreadsIsBoundedInRealTime()
    {
        setLogClock(LogClock());
        const QString today = logFolder() + QDate::currentDate().toString(QStringLiteral("/yyyyMMdd/app_log.txt"));
        QFile::remove(today);
        std::atomic<bool> flooding{true};
        std::atomic<int> logged{0};
        std::vector<std::thread> threads;
        qint64 spentReserve = 0, grown = 0;
        captureStdout([&] {
            for (int t = 0; t < 4; ++t) {
                threads.emplace_back([&, t] {
                    for (int i = t; flooding; ++i, ++logged)
                        log(QtDebugMsg, statusAnswerHandling().at(i % statusAnswerHandling().size()));
                });
            }
            QThread::msleep(1000);
            spentReserve = QFileInfo(today).size();
            QElapsedTimer measured;
            measured.start();
            QThread::msleep(3000);
            grown = QFileInfo(today).size() - spentReserve;
            const double seconds = measured.elapsed() / 1000.0;
            flooding = false;
            for (std::thread &thread : threads)
                thread.join();
            QVERIFY2(grown <= 1024 * seconds, qPrintable(QStringLiteral("%1 bytes a second").arg(grown / seconds)));
            QThread::msleep(3000); // the budget allows a line again
            log(QtDebugMsg, QStringLiteral("after the flood"));
        });
        qInfo("%d lines logged, reserve %lld bytes, then %lld bytes in 3 s", logged.load(), spentReserve, grown);
        QVERIFY2(logged > 10000, "it really flooded");
        const LogLines lines = logLines(tw::readFileBytes(today));
        QCOMPARE(lines.written + lines.leftOut, logged + 1);
        QVERIFY(lines.lastTwo.at(1).endsWith("[Debug] after the flood"));
    }

    void messageRaisedInsideTheHandlerDoesNotDeadlock()
    {
        // The clock runs inside the handler; a message from there re-enters it.
        setLogClock([] {
            qWarning("from inside");
            return kFixedTime;
        });
        const QtMessageHandler previous = qInstallMessageHandler(logMessageOutput);
        log(QtDebugMsg, QStringLiteral("outer"));
        qInstallMessageHandler(previous);
        QCOMPARE(tw::readFileBytes(dayLog()), QByteArray("2026-03-01 09:15:02 417 [0:] [Debug] outer\r\n"));
    }

    void folderThatCannotBeMadeStillEchoesTheMessage()
    {
        // A plain file where the day's folder should go: works for root too, unlike permissions.
        QFile blocker(dayFolder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QByteArray echoed = captureStdout([] { log(QtDebugMsg, QStringLiteral("not in the file")); });
        QCOMPARE(echoed, QByteArray("2026-03-01 09:15:02 417 [0:] [Debug] not in the file\r\n"));
        QCOMPARE(blocker.size(), 0);
        QVERIFY(blocker.remove());
        log(QtDebugMsg, QStringLiteral("next one tries again"));
        QVERIFY(tw::readFileBytes(dayLog()).endsWith("next one tries again\r\n"));
    }

    void dayFoldersGoPrivatelyIntoTheUsersStateFolder()
    {
        QCOMPARE(logFolder(), qEnvironmentVariable("XDG_STATE_HOME") + QStringLiteral("/tonewright"));
        log(QtDebugMsg, QStringLiteral("started from the menu"));
        QVERIFY(tw::readFileBytes(dayLog()).endsWith("[Debug] started from the menu\r\n"));
        QVERIFY2(!QFileInfo::exists(QStringLiteral("20260301")), "nothing goes into the working folder");
        struct stat folder {}, file {};
        QCOMPARE(stat(QFile::encodeName(dayFolder()).constData(), &folder), 0);
        QCOMPARE(stat(QFile::encodeName(dayLog()).constData(), &file), 0);
        QCOMPARE(folder.st_mode & 0777, mode_t(0700));
        QCOMPARE(file.st_mode & 0777, mode_t(0600));

        // Unset, or relative (which the base-directory rules ignore): under the home folder.
        const QByteArray saved = qgetenv("XDG_STATE_HOME");
        for (const QByteArray &value : {QByteArray(), QByteArray("relative/state")}) {
            qputenv("XDG_STATE_HOME", value);
            QCOMPARE(logFolder(), QDir::homePath() + QStringLiteral("/.local/state/tonewright"));
        }
        qputenv("XDG_STATE_HOME", saved);
    }

    void linkPlantedWhereTheLogGoesIsNotFollowed()
    {
        QTemporaryDir elsewhere;
        const QString victim = elsewhere.path() + QStringLiteral("/victim.txt");
        QFile precious(victim);
        QVERIFY(precious.open(QIODevice::WriteOnly));
        precious.write("precious\n");
        precious.close();

        QVERIFY(QDir().mkpath(dayFolder()));
        QVERIFY(QFile::link(victim, dayLog()));
        log(QtDebugMsg, QStringLiteral("through the link?"));
        QCOMPARE(tw::readFileBytes(victim), QByteArray("precious\n"));

        // The day's folder itself a link to another folder.
        QVERIFY(QDir(dayFolder()).removeRecursively());
        QVERIFY(QFile::link(elsewhere.path(), dayFolder()));
        log(QtDebugMsg, QStringLiteral("into the linked folder?"));
        QVERIFY(!QFileInfo::exists(elsewhere.path() + QStringLiteral("/app_log.txt")));
    }

    void fifoPlantedWhereTheLogGoesIsNotWaitedOn()
    {
        QVERIFY(QDir().mkpath(dayFolder()));
        QCOMPARE(mkfifo(QFile::encodeName(dayLog()).constData(), 0600), 0);
        // No reader: opening it to write would block this start for ever.
        log(QtDebugMsg, QStringLiteral("into the pipe?"));
        // A reader waiting: still nothing goes into the pipe.
        const int reader = open(QFile::encodeName(dayLog()).constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(reader >= 0);
        log(QtDebugMsg, QStringLiteral("into the pipe?"));
        char buffer[64];
        QVERIFY(read(reader, buffer, sizeof buffer) <= 0);
        close(reader);
    }

    void debugLogWritesNothing()
    {
        debugLog(QStringLiteral("Usb Hid send PEQ"), QStringLiteral("start"), QStringLiteral("x.cpp"),
                 QStringLiteral("usbHidSend_SetPEQ"), 10);
        QVERIFY(!QFile::exists(dayLog()));
    }

    void simpleHandlerWritesDatedFile()
    {
        const QtMessageHandler previous = installLogHandler(QStringLiteral("simple/log-%1.txt"), true);
        qWarning("careful");
        qDebug("plain");
        qInstallMessageHandler(previous);
        QCOMPARE(tw::readFileBytes(QStringLiteral("simple/log-2026_03_01.txt")),
                 QByteArray("2026-03-01 09:15:02: Warning: careful\n2026-03-01 09:15:02: plain\n"));
    }
};

QTEST_GUILESS_MAIN(TestLogHandler)
#include "test_loghandler.moc"
