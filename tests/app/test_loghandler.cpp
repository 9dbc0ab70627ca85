#include "app/LogHandler.h"
#include "FullDisk.h"
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

// What the program writes, measured from its own log (the brisk session of the
// benchmark): that many lines of that many bytes in all, line ends included, each burst
// within a few milliseconds.
struct Burst {
    int lines;
    int bytes;
};
constexpr Burst kStart{198, 13362};
constexpr Burst kPresetClick{33, 1637};
constexpr Burst kPageSwitchAndClick{88, 4258};
constexpr Burst kAddAndSave{24, 1909}; // a custom slot added, then saved

// Logs a burst's lines, as long as the real ones on average; returns how many.
int logBurst(const Burst &burst)
{
    constexpr int kFraming = 39; // "yyyy-MM-dd hh:mm:ss zzz [0:] [Debug] " and CR LF
    for (int i = 0; i < burst.lines; ++i) {
        const int bytes = burst.bytes / burst.lines + (i < burst.bytes % burst.lines ? 1 : 0);
        log(QtDebugMsg, QString(bytes - kFraming, QLatin1Char('x')));
    }
    return burst.lines;
}

// Every day's log, the days in order: a case that runs over midnight writes two.
QByteArray allDaysLog()
{
    QByteArray all;
    for (const QString &day : QDir(logFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        all += tw::readFileBytes(logFolder() + QLatin1Char('/') + day + QStringLiteral("/app_log.txt"));
    return all;
}

// Logs logLine(i) once a millisecond of the clock `nowMs` for `ms`; returns how fast
// the day's log grew after the first minute, in bytes a second.
template <typename LogLine>
double floodAfterItsFirstMinute(qint64 &nowMs, qint64 ms, LogLine logLine)
{
    const qint64 start = nowMs;
    qint64 sizeAtOneMinute = 0;
    for (int i = 0; nowMs < start + ms; ++nowMs, ++i) {
        if (nowMs == start + 60000)
            sizeAtOneMinute = QFileInfo(dayLog()).size();
        logLine(i);
    }
    return (QFileInfo(dayLog()).size() - sizeAtOneMinute) * 1000.0 / double(ms - 60000);
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

    // Five minutes of brisk use (a start, a preset click every second, a page switch
    // every 30 s, a Save) are logged whole. A headset that then repeats its status answer
    // without end has the window write the same handling a thousand times a second: once
    // its first minute is over, the log grows by 2 KB a second at most; a failed Save in
    // the middle of it is still logged; counts account for every line left out, the
    // first line after the flood comes with the last count, and standard output gets
    // exactly what the file gets.
    void briskUseIsLoggedWholeAndAFloodAfterItIsBounded()
    {
        qint64 nowMs = 0;
        setLogClock([&nowMs] { return kFixedTime.addMSecs(nowMs); });
        int logged = 0;
        QByteArray brisk;
        double floodRate = 0;
        const QString failedSave = QStringLiteral("Preset file not written: write /home/u/Documents/x.json: No space");
        const QByteArray echoed = captureStdout([&] {
            logged += logBurst(kStart);
            for (int second = 1; second <= 300; ++second) {
                nowMs = second * 1000;
                logged += logBurst(second % 30 ? kPresetClick : kPageSwitchAndClick);
            }
            nowMs += 500;
            logged += logBurst(kAddAndSave);
            brisk = tw::readFileBytes(dayLog());

            nowMs += 10000;
            floodRate = floodAfterItsFirstMinute(nowMs, 150000, [&](int i) {
                if (i == 90000)
                    log(QtWarningMsg, failedSave);
                log(QtDebugMsg, statusAnswerHandling().at(i % statusAnswerHandling().size()));
            });
            logged += 150000 + 1;
            nowMs += 10000;
            log(QtDebugMsg, QStringLiteral("after the flood"));
            ++logged;
        });
        QCOMPARE(int(brisk.count('\n')), kStart.lines + 290 * kPresetClick.lines + 10 * kPageSwitchAndClick.lines +
                                             kAddAndSave.lines);
        qInfo("brisk use: %.1f bytes a second; the flood after its first minute: %.1f", brisk.size() / 300.5,
              floodRate);
        QVERIFY2(floodRate <= 2048, qPrintable(QString::number(floodRate)));
        const QByteArray written = tw::readFileBytes(dayLog());
        QVERIFY(written.contains("[Warning] " + failedSave.toLocal8Bit() + "\r\n"));
        QCOMPARE(echoed, written);
        const LogLines lines = logLines(written);
        QVERIFY2(lines.counts >= 10, "the counts come as the flood goes on, not only at its end");
        QCOMPARE(lines.written + lines.leftOut, logged);
        QVERIFY(lines.lastTwo.at(0).contains("log lines ("));
        QVERIFY(lines.lastTwo.at(1).endsWith("[Debug] after the flood"));
    }

    // A headset that repeats its status answer six times a second asks for some 2.9 KB a
    // second, more than brisk use: it too is cut once its excess fills the reserve.
    void aSlowFloodIsBoundedToo()
    {
        qint64 nowMs = 0;
        setLogClock([&nowMs] { return kFixedTime.addMSecs(nowMs); });
        double rate = 0;
        captureStdout([&] {
            rate = floodAfterItsFirstMinute(nowMs, 600000, [](int i) {
                if (i % 167 == 0)
                    for (const QString &line : statusAnswerHandling())
                        log(QtDebugMsg, line);
            });
        });
        QVERIFY2(rate <= 2048, qPrintable(QString::number(rate)));
        QVERIFY(logLines(tw::readFileBytes(dayLog())).leftOut > 0);
    }

    // A flood of lines too long for the allowance ever to admit one: their counts come
    // as it goes, never more than a second behind.
    void aFloodOfLongLinesIsCountedAsItGoes()
    {
        qint64 nowMs = 0;
        setLogClock([&nowMs] { return kFixedTime.addMSecs(nowMs); });
        int logged = 0;
        captureStdout([&] {
            for (; nowMs < 60000; nowMs += 100, ++logged)
                log(QtDebugMsg, QString(3000, QLatin1Char('x')));
        });
        const LogLines lines = logLines(tw::readFileBytes(dayLog()));
        QVERIFY2(lines.written + lines.leftOut >= logged - 10, qPrintable(QString::number(lines.leftOut)));
    }

    // One line longer than the whole reserve is left out and counted at once, and does
    // not make ordinary use after it a flood.
    void oneHugeLineIsNoFlood()
    {
        qint64 nowMs = 0;
        setLogClock([&nowMs] { return kFixedTime.addMSecs(nowMs); });
        captureStdout([&] {
            log(QtDebugMsg, QString(100000, QLatin1Char('x')));
            for (nowMs = 1000; nowMs <= 20000; nowMs += 1000)
                logBurst(kPresetClick);
        });
        const LogLines lines = logLines(tw::readFileBytes(dayLog()));
        QCOMPARE(lines.leftOut, 1);
        QCOMPARE(lines.written, 20 * kPresetClick.lines);
    }

    // A flood of warnings spends an allowance of its own, and is bounded alike.
    void aFloodOfWarningsIsBoundedToo()
    {
        qint64 nowMs = 0;
        setLogClock([&nowMs] { return kFixedTime.addMSecs(nowMs); });
        double rate = 0;
        captureStdout([&] {
            rate = floodAfterItsFirstMinute(nowMs, 120000, [](int) {
                log(QtWarningMsg, QStringLiteral("[SystemVolume::GetMasterVolumeLevelScalar Fail!]"));
            });
        });
        QVERIFY2(rate <= 2048, qPrintable(QString::number(rate)));
    }

    // Threads flooding the log in real time: once the flood is recognised the log grows
    // by 2 KB a second at most, a warning still goes in at once, and nothing is left out
    // without being counted.
    void aFloodOfSeveralThreadsIsBoundedInRealTime()
    {
        setLogClock(LogClock());
        QVERIFY(QDir(logFolder()).removeRecursively());
        std::atomic<bool> flooding{true};
        std::atomic<int> logged{0};
        std::vector<std::thread> threads;
        qint64 spentReserve = 0, grown = 0;
        double seconds = 0;
        captureStdout([&] {
            for (int t = 0; t < 4; ++t) {
                threads.emplace_back([&, t] {
                    for (int i = t; flooding; ++i, ++logged)
                        log(QtDebugMsg, statusAnswerHandling().at(i % statusAnswerHandling().size()));
                });
            }
            // Stopped however this ends, so that no thread is left running.
            const auto stop = [&] {
                flooding = false;
                for (std::thread &thread : threads)
                    if (thread.joinable())
                        thread.join();
            };
            const auto stopAtTheEnd = qScopeGuard(stop);
            // Recognised as a flood once the first count is written, however slow the
            // threads are on a loaded machine.
            QTRY_VERIFY_WITH_TIMEOUT(allDaysLog().contains(" left out: "), 60000);
            spentReserve = allDaysLog().size();
            QElapsedTimer measured;
            measured.start();
            QThread::msleep(3000);
            grown = allDaysLog().size() - spentReserve;
            seconds = measured.elapsed() / 1000.0;
            stop();
            log(QtWarningMsg, QStringLiteral("after the flood"));
        });
        qInfo("%d lines logged, reserve %lld bytes, then %lld bytes in %.1f s", logged.load(), spentReserve, grown,
              seconds);
        QVERIFY2(logged > 10000, "it really flooded");
        QVERIFY2(grown <= 2048 * seconds, qPrintable(QStringLiteral("%1 bytes a second").arg(grown / seconds)));
        const LogLines lines = logLines(allDaysLog());
        QCOMPARE(lines.written + lines.leftOut, logged + 1);
        QVERIFY(lines.lastTwo.at(0).contains("log lines ("));
        QVERIFY(lines.lastTwo.at(1).endsWith("[Warning] after the flood"));
    }

    // The disk fills in a flood: the lines the file cannot take, and the count that was
    // to go with them, are counted on and written once there is room again.
    void aFullDiskLosesNoLineWithoutItsCount()
    {
        qint64 nowMs = 0;
        setLogClock([&nowMs] { return kFixedTime.addMSecs(nowMs); });
        log(QtDebugMsg, QStringLiteral("the day's folder is there"));
        int logged = 1;
        captureStdout([&] {
            for (; nowMs < 30000; ++nowMs, ++logged) {
                if (nowMs == 10000)
                    QVERIFY(tw::setFullDisk(dayFolder(), 0));
                log(QtDebugMsg, statusAnswerHandling().at(logged % statusAnswerHandling().size()));
            }
            tw::setFullDisk(dayFolder(), -1);
            log(QtWarningMsg, QStringLiteral("room again"));
            ++logged;
        });
        QVERIFY(tw::fullDiskRefusals() > 0);
        const LogLines lines = logLines(tw::readFileBytes(dayLog()));
        QCOMPARE(lines.written + lines.leftOut, logged);
        QVERIFY(lines.lastTwo.at(0).contains("left out: the log was growing too fast or its file could not be written"));
        QVERIFY(lines.lastTwo.at(1).endsWith("[Warning] room again"));
    }

    // A message raised while the handler writes one (here by the clock it reads) cannot
    // take the lock again: it is written after that one. The clock raises another while
    // that is written: counted before it, and not raised again without end.
    void messageRaisedInsideTheHandlerIsWrittenAfterIt()
    {
        setLogClock([] {
            qWarning("from inside");
            return kFixedTime;
        });
        const QtMessageHandler previous = qInstallMessageHandler(logMessageOutput);
        log(QtDebugMsg, QStringLiteral("outer"));
        qInstallMessageHandler(previous);
        QCOMPARE(tw::readFileBytes(dayLog()),
                 QByteArray("2026-03-01 09:15:02 417 [0:] [Debug] outer\r\n"
                            "2026-03-01 09:15:02 417 [0:] [Warning] 1 log lines (52 bytes) left out: the log was "
                            "growing too fast\r\n"
                            "2026-03-01 09:15:02 417 [0:] [Warning] from inside\r\n"));
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
        // The file accounts for the line it missed.
        const QByteArray written = tw::readFileBytes(dayLog());
        QVERIFY(written.endsWith("next one tries again\r\n"));
        QVERIFY2(written.startsWith("2026-03-01 09:15:02 417 [0:] [Warning] 1 log lines (") &&
                     written.contains("left out: the log file could not be written\r\n"),
                 written.constData());
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

int main(int argc, char *argv[])
{
    tw::loadFullDiskPreload(argv);
    TestLogHandler::initMain();
    QCoreApplication app(argc, argv);
    TestLogHandler test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_loghandler.moc"
