// The single-instance road end to end: real program processes on a real (virtual) X server.
#include "XTestSupport.h"
#include "TestEnv.h"
#include "app/AppShell.h"
#include "platform/Autostart.h"
#include "platform/ScreenDpi.h"
#include "platform/X11Window.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

constexpr int kStartTimeoutMs = 30000;
const QByteArray kRunningBox = "prompt: prompt | Program is running";

// True when process pid holds an flock (our single-instance marker) per /proc/locks.
bool holdsFlock(qint64 pid)
{
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : locks.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 4 && fields[1] == "FLOCK" && fields[4].toLongLong() == pid)
            return true;
    }
    return false;
}

x11::WindowId runningWindow()
{
    return x11::findWindowByTitle(QString::fromLatin1(kMainWindowTitle));
}

} // namespace

class TestInstance : public QObject
{
    Q_OBJECT
public:
    static void initMain() { tw::isolateTestEnvironment(); }

private:
    std::vector<std::unique_ptr<QProcess>> m_processes;

    // Starts the program; with autoCloseMs >= 0 any box it shows answers itself after that long.
    QProcess &start(const QStringList &arguments, int autoCloseMs = -1)
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        if (autoCloseMs >= 0)
            env.insert(QStringLiteral("TONEWRIGHT_PROMPT_AUTOCLOSE_MS"), QString::number(autoCloseMs));
        process->setProcessEnvironment(env);
        process->start(QCoreApplication::applicationDirPath() + QStringLiteral("/tonewright"), arguments);
        process->waitForStarted();
        m_processes.push_back(std::move(process));
        return *m_processes.back();
    }

    static QByteArray errorOutput(QProcess &process)
    {
        return process.readAllStandardError();
    }

private slots:
    void cleanup()
    {
        for (auto &process : m_processes) {
            process->kill();
            process->waitForFinished(5000);
        }
        m_processes.clear();
    }

    void secondStartActivatesTheFirstWindowAndExits()
    {
        QProcess &first = start({});
        QTRY_VERIFY_WITH_TIMEOUT(runningWindow() != 0, kStartTimeoutMs);
        const x11::WindowId window = runningWindow();

        xtest::RootWatcher watcher;
        QVERIFY(watcher.isOpen());
        const QString entry = autostartEntryPath(QStringLiteral("tonewright"));
        QVERIFY(QFile::remove(entry));

        QProcess &second = start({}, 100);
        QVERIFY(second.waitForFinished(kStartTimeoutMs));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(errorOutput(second).contains(kRunningBox));
        QVERIFY(watcher.sawActivationOf(window, 5000));
        QVERIFY2(QFile::exists(entry), "the second start rewrites the log-on entry too");
        QCOMPARE(first.state(), QProcess::Running);
    }

    void killedFirstInstanceDoesNotBlockTheNext()
    {
        QProcess &first = start({});
        QTRY_VERIFY_WITH_TIMEOUT(holdsFlock(first.processId()), kStartTimeoutMs);
        first.kill();
        QVERIFY(first.waitForFinished(5000));

        QProcess &next = start({}, 100);
        QTRY_VERIFY_WITH_TIMEOUT(holdsFlock(next.processId()), kStartTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(runningWindow() != 0, kStartTimeoutMs);
        QCOMPARE(next.state(), QProcess::Running);
        QVERIFY(!errorOutput(next).contains(kRunningBox));
    }

    void thirdStartIsNotBlockedByTheSecondsOpenBox()
    {
        start({});
        QTRY_VERIFY_WITH_TIMEOUT(runningWindow() != 0, kStartTimeoutMs);

        QProcess &second = start({}, 600000); // leaves its box open
        QByteArray secondSays;
        QTRY_VERIFY_WITH_TIMEOUT((secondSays += errorOutput(second)).contains(kRunningBox), kStartTimeoutMs);

        QProcess &third = start({}, 100);
        QVERIFY(third.waitForFinished(kStartTimeoutMs));
        QCOMPARE(third.exitCode(), 0);
        QCOMPARE(second.state(), QProcess::Running);
    }

    void autorunStartStaysHiddenAndASecondStartFindsNoWindow()
    {
        QProcess &first = start({QStringLiteral("-autorun")});
        QTRY_VERIFY_WITH_TIMEOUT(holdsFlock(first.processId()), kStartTimeoutMs);
        QTest::qWait(1000);
        QCOMPARE(runningWindow(), x11::WindowId(0));

        QProcess &second = start({}, 100);
        QVERIFY(second.waitForFinished(kStartTimeoutMs));
        QCOMPARE(second.exitCode(), 255); // -1: no running window to bring forward
        QVERIFY(errorOutput(second).contains(kRunningBox));
    }

    void desktopDpiScalesTheApplicationFont()
    {
        xtest::setRootResources("Xcursor.size:\t24\nXft.dpi:\t144\n");
        QCOMPARE(screenDpiX(), 144);
        QFont font;
        font.setPointSize(9);
        QCOMPARE(scaledApplicationFont(font, screenDpiX()).pointSize(), 13);
        xtest::setRootResources("");
    }
};

QTEST_MAIN(TestInstance)
#include "test_instance.moc"
