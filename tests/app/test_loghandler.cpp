#include "app/LogHandler.h"
#include "TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>

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
            QStringLiteral("^2026-03-01 09:15:02 417 \\[0:\\] \\[Debug\\] thread \\d message \\d+ x{40}\r$"));
        for (int i = 0; i < lines.size() - 1; ++i)
            QVERIFY2(whole.match(QString::fromLatin1(lines[i])).hasMatch(), lines[i].constData());
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
