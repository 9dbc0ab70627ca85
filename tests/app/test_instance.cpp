// The single-instance road end to end: real program processes on a real (virtual) X
// server, and this test process standing in for the running instance where the window's
// own state is to be looked at.
#include "XTestSupport.h"
#include "TestEnv.h"
#include "app/AppShell.h"
#include "app/LogHandler.h"
#include "platform/Autostart.h"
#include "platform/InstanceLock.h"
#include "platform/ScreenDpi.h"
#include "platform/ShowRequest.h"
#include "platform/X11Window.h"
#include "window/MainWindow.h"
#include "window/SystemTrayProbe.h"

#include <QFile>
#include <QLibraryInfo>
#include <QLocalServer>
#include <QTcpServer>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kStartTimeoutMs = 30000;
const QByteArray kRunningBox = "prompt: prompt | Program is running";
// What a start logs once its window is built.
const QByteArray kWindowBuilt = "========size=======";

QString autostartEntry()
{
    return autostartEntryPath(QStringLiteral("tonewright"));
}

// The day's log file under the given state folder.
QString todaysLog(const QString &stateFolder)
{
    return stateFolder + QStringLiteral("/tonewright/") + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) +
           QStringLiteral("/app_log.txt");
}

// Whatever a case left at the entry's path: a file, a link, a pipe or a folder.
void removeAutostartEntry()
{
    QFile::remove(autostartEntry());
    QDir(autostartEntry()).removeRecursively();
}

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

// This process as the running instance, set up as main sets it up.
struct RunningInstance {
    InstanceLock marker{QString::fromLatin1(kInstanceKey)};
    std::unique_ptr<ShowRequestServer> server;
    std::unique_ptr<MainWindow> window;

    bool start()
    {
        if (marker.create() != InstanceLock::Outcome::Taken)
            return false;
        server = std::make_unique<ShowRequestServer>(QString::fromLatin1(kInstanceKey));
        window = std::make_unique<MainWindow>();
        server->setShowHandler([this] { window->bringBackWindow(); });
        return server->isListening();
    }
};

} // namespace

class TestInstance : public QObject
{
    Q_OBJECT
public:
    static void initMain() { tw::isolateTestEnvironment(); }

private:
    std::vector<std::unique_ptr<QProcess>> m_processes;

    static QString programPath()
    {
        return QCoreApplication::applicationDirPath() + QStringLiteral("/tonewright");
    }

    // A program process to start, on this X server; with autoCloseMs >= 0 any box it shows
    // answers itself after that long.
    QProcess &prepare(int autoCloseMs = -1, QProcessEnvironment env = QProcessEnvironment::systemEnvironment())
    {
        auto process = std::make_unique<QProcess>();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        if (autoCloseMs >= 0)
            env.insert(QStringLiteral("TONEWRIGHT_PROMPT_AUTOCLOSE_MS"), QString::number(autoCloseMs));
        process->setProcessEnvironment(env);
        m_processes.push_back(std::move(process));
        return *m_processes.back();
    }

    static QProcess &launch(QProcess &process, const QString &program, const QStringList &arguments)
    {
        process.start(program, arguments);
        process.waitForStarted();
        return process;
    }

    // Starts the program; with autoCloseMs >= 0 any box it shows answers itself after that long.
    QProcess &start(const QStringList &arguments, int autoCloseMs = -1,
                    const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
    {
        return launch(prepare(autoCloseMs, env), programPath(), arguments);
    }

    static QByteArray errorOutput(QProcess &process)
    {
        return process.readAllStandardError();
    }

    // Waits (running this process's event loop) until the process has written text on
    // channel; returns everything it wrote there meanwhile.
    static QByteArray readUntil(QProcess &process, QProcess::ProcessChannel channel, const QByteArray &text)
    {
        QByteArray said;
        QElapsedTimer timer;
        timer.start();
        process.setReadChannel(channel);
        while (!(said += process.readAll()).contains(text) && timer.elapsed() < kStartTimeoutMs)
            QTest::qWait(20);
        return said;
    }

    // Waits until the program has built its window; returns its standard output so far.
    static QByteArray outputOfAStart(QProcess &process)
    {
        return readUntil(process, QProcess::StandardOutput, kWindowBuilt);
    }

    // In `env`: a first start takes the marker and shows its window without the
    // "Program is running" box; a second start shows the box and exits 0. `first` is
    // set once the first start runs.
    void firstRunsAndSecondDefers(const QProcessEnvironment &env, QProcess *&first)
    {
        QProcess &running = start({}, 100, env);
        QTRY_VERIFY_WITH_TIMEOUT(holdsFlock(running.processId()), kStartTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(runningWindow() != 0, kStartTimeoutMs);
        QVERIFY(!errorOutput(running).contains(kRunningBox));
        first = &running;

        QProcess &second = start({}, 100, env);
        QVERIFY(second.waitForFinished(kStartTimeoutMs));
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(errorOutput(second).contains(kRunningBox));
    }

    // Waits (running this process's event loop) until the process shows "Program is running".
    static bool showsRunningBox(QProcess &process)
    {
        return readUntil(process, QProcess::StandardError, kRunningBox).contains(kRunningBox);
    }

    // Runs this process's event loop (where the running instance answers) until the
    // started process has ended.
    static bool ends(QProcess &process)
    {
        QElapsedTimer timer;
        timer.start();
        while (process.state() != QProcess::NotRunning && timer.elapsed() < kStartTimeoutMs)
            QTest::qWait(20);
        return process.state() == QProcess::NotRunning;
    }

private slots:
    void cleanup()
    {
        for (auto &process : m_processes) {
            process->kill();
            process->waitForFinished(5000);
        }
        m_processes.clear();
        removeAutostartEntry();
        xtest::setRootResources("");
        xtest::setRootProperty("_NET_CLIENT_LIST", "WINDOW", 32, QByteArray());
        setSystemTrayAvailableOverride(-1);
    }

    void secondStartBringsTheRunningWindowBack_data()
    {
        QTest::addColumn<QString>("state");
        QTest::newRow("hidden in the tray") << "hidden";
        QTest::newRow("minimised") << "minimised";
        QTest::newRow("shown behind another window") << "shown";
    }

    // A window hidden in the tray is in no window list, so no window search can find it:
    // the running instance shows it itself when the second start asks.
    void secondStartBringsTheRunningWindowBack()
    {
        QFETCH(QString, state);
        RunningInstance first;
        QVERIFY(first.start());
        MainWindow &window = *first.window;
        QWidget other;
        if (state == QLatin1String("hidden")) {
            setSystemTrayAvailableOverride(1);
            window.hide();
        } else if (state == QLatin1String("minimised")) {
            window.showMinimized();
        } else {
            window.show();
            other.show();
            other.activateWindow();
            QTRY_VERIFY(other.isActiveWindow());
        }

        QProcess &second = start({}, 100);
        QVERIFY(ends(second));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(errorOutput(second).contains(kRunningBox));
        QTRY_VERIFY(window.isActiveWindow());
        QVERIFY(window.isVisible());
        QVERIFY(!window.isMinimized());
    }

    // An instance that does not listen (an older one) is still found by its title; a
    // client list some other client wrote with the wrong item format is not trusted.
    void secondStartFallsBackToTheWindowTitle()
    {
        InstanceLock marker(QString::fromLatin1(kInstanceKey));
        QCOMPARE(marker.create(), InstanceLock::Outcome::Taken);
        QWidget window;
        window.setWindowTitle(QString::fromLatin1(kMainWindowTitle));
        window.show();
        QTRY_VERIFY(runningWindow() != 0);
        xtest::setRootProperty("_NET_CLIENT_LIST", "WINDOW", 8, QByteArray("\x01\x02\x03", 3));
        QCOMPARE(runningWindow(), x11::WindowId(window.winId()));

        xtest::RootWatcher watcher;
        QVERIFY(watcher.isOpen());
        QProcess &second = start({}, 100);
        QVERIFY(watcher.sawActivationOf(window.winId(), kStartTimeoutMs));
        QVERIFY(ends(second));
        QCOMPARE(second.exitCode(), 0);
        QVERIFY2(!QFile::exists(autostartEntry()), "a refused start writes no log-on entry");
    }

    // Another copy (another build, another prefix) started while the first runs is told
    // so and exits; the log-on entry still starts the copy that runs, byte for byte.
    void aRefusedSecondCopyLeavesTheAutostartEntryAlone()
    {
        QProcess &first = start({});
        QVERIFY(outputOfAStart(first).contains(kWindowBuilt));
        const QByteArray entry = tw::readFileBytes(autostartEntry());
        QVERIFY2(entry.contains("\nExec=" + QFile::encodeName(programPath()) + " -autorun\n"), entry.constData());

        QTemporaryDir elsewhere;
        const QString copy = elsewhere.filePath(QStringLiteral("tonewright"));
        QVERIFY(QFile::copy(programPath(), copy));
        QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/libMyHidApi.so"),
                            elsewhere.filePath(QStringLiteral("libMyHidApi.so"))));
        QProcess &second = launch(prepare(100), copy, {});
        QVERIFY(ends(second));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(errorOutput(second).contains(kRunningBox));
        QCOMPARE(tw::readFileBytes(autostartEntry()), entry);
        QCOMPARE(first.state(), QProcess::Running);
    }

    void whatIsNoFileAtTheAutostartPathIsLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("named");
        QTest::newRow("a pipe") << "pipe" << QByteArray("a pipe");
        QTest::newRow("a link to a pipe") << "link" << QByteArray("a pipe");
        QTest::newRow("a folder") << "folder" << QByteArray("a folder");
    }

    // A pipe at the entry's path held the start for ever, waiting for a writer. Nothing
    // but a regular file is opened there: the start goes on, says once why it left the
    // path alone, and the pipe or folder stays as it was.
    void whatIsNoFileAtTheAutostartPathIsLeftAlone()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, named);
        QTemporaryDir elsewhere;
        const QByteArray entry = QFile::encodeName(autostartEntry());
        QVERIFY(QDir().mkpath(QFileInfo(autostartEntry()).path()));
        if (kind == QLatin1String("pipe")) {
            QCOMPARE(mkfifo(entry.constData(), 0600), 0);
        } else if (kind == QLatin1String("link")) {
            const QString pipe = elsewhere.filePath(QStringLiteral("pipe"));
            QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
            QVERIFY(QFile::link(pipe, autostartEntry()));
        } else {
            QVERIFY(QDir().mkpath(autostartEntry() + QStringLiteral("/inside")));
        }
        struct stat before {}, after {};
        QCOMPARE(lstat(entry.constData(), &before), 0);

        QProcess &program = start({});
        const QByteArray said = outputOfAStart(program);
        QVERIFY2(said.contains(kWindowBuilt), said.constData());
        QTRY_VERIFY_WITH_TIMEOUT(runningWindow() != 0, kStartTimeoutMs);
        QCOMPARE(said.count(" left alone: "), 1);
        QVERIFY2(said.contains("Autostart entry " + entry + " left alone: it is " + named), said.constData());
        QCOMPARE(lstat(entry.constData(), &after), 0);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_mode, before.st_mode);
    }

    // Relative base folders are invalid by the XDG rules: the start uses the defaults
    // under the home folder and puts nothing into the folder it was started in.
    void relativeXdgFoldersAreIgnored()
    {
        QTemporaryDir work;
        QTemporaryDir tmp;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"})
            env.insert(QString::fromLatin1(name), QStringLiteral("relative"));
        env.insert(QStringLiteral("TMPDIR"), tmp.path());
        QFile::remove(todaysLog(QDir::homePath() + QStringLiteral("/.local/state")));
        QProcess &program = prepare(-1, env);
        program.setWorkingDirectory(work.path());
        launch(program, programPath(), {});
        QVERIFY(outputOfAStart(program).contains(kWindowBuilt));

        const QDir::Filters everything = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
        QVERIFY2(QDir(work.path()).entryList(everything).isEmpty(),
                 qPrintable(QDir(work.path()).entryList(everything).join(QLatin1Char(' '))));
        QVERIFY(QFileInfo::exists(QDir::homePath() + QStringLiteral("/.config/autostart/tonewright.desktop")));
        QVERIFY(QFileInfo::exists(todaysLog(QDir::homePath() + QStringLiteral("/.local/state"))));
    }

    void withoutADisplayTheStartSaysWhatIsMissing_data()
    {
        QTest::addColumn<QString>("platform"); // QT_QPA_PLATFORM; empty: unset
        QTest::addColumn<QString>("display");  // DISPLAY; null: unset
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("named");
        QTest::newRow("X asked for, DISPLAY unset") << "xcb" << QString() << QStringList() << QByteArray("DISPLAY is not set");
        QTest::newRow("X by default, DISPLAY unset") << "" << QString() << QStringList() << QByteArray("DISPLAY is not set");
        QTest::newRow("a display that is not there") << "xcb" << ":99x" << QStringList() << QByteArray("\":99x\"");
        QTest::newRow("X asked for on the command line")
            << "offscreen" << ":99x" << QStringList{QStringLiteral("-platform"), QStringLiteral("xcb")}
            << QByteArray("\":99x\"");
        // A display that takes the connection and never answers (one whose server hangs,
        // or a forwarded one gone quiet): Xlib, and Qt with it, would wait for ever.
        QTest::newRow("a display that does not answer") << "xcb" << "silent" << QStringList()
                                                        << QByteArray("does not answer");
        QTest::newRow("Wayland without its plugin") << "wayland" << QString() << QStringList() << QByteArray("\"wayland\"");
    }

    // Qt aborted (a core dump, and advice to reinstall) when it found no window system.
    void withoutADisplayTheStartSaysWhatIsMissing()
    {
        QFETCH(QString, platform);
        QFETCH(QString, display);
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, named);
        if (platform == QLatin1String("wayland") &&
            !QDir(QLibraryInfo::location(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"))
                 .entryList({QStringLiteral("*wayland*")})
                 .isEmpty())
            QSKIP("the Wayland plugin is installed here");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("XDG_SESSION_TYPE"));
        env.remove(QStringLiteral("DISPLAY"));
        QTcpServer silent;
        if (display == QLatin1String("silent")) {
            // Display n is TCP port 6000 + n; the listening socket takes the connection,
            // and nobody ever reads from it.
            int number = 60;
            while (number < 100 && !silent.listen(QHostAddress::LocalHost, static_cast<quint16>(6000 + number)))
                ++number;
            QVERIFY2(silent.isListening(), "no free port for a display");
            display = QStringLiteral("127.0.0.1:%1").arg(number);
        }
        if (!display.isNull())
            env.insert(QStringLiteral("DISPLAY"), display);
        QProcess &program = prepare(-1, env);
        QProcessEnvironment withPlatform = program.processEnvironment();
        if (!platform.isEmpty())
            withPlatform.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        program.setProcessEnvironment(withPlatform);
        launch(program, programPath(), arguments);

        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit); // no abort, no core
        QCOMPARE(program.exitCode(), 1);
        const QByteArray said = errorOutput(program);
        QCOMPARE(said.count('\n'), 1);
        QVERIFY2(said.startsWith("tonewright: cannot start: ") && said.contains(named), said.constData());
        QVERIFY(program.readAllStandardOutput().isEmpty());
    }

    void everyMessageIsEchoedAndNoneMatchesSlotsByName_data()
    {
        QTest::addColumn<bool>("folderBlocked");
        QTest::newRow("log folder writable") << false;
        QTest::newRow("log folder cannot be made") << true;
    }

    // The log is echoed to standard output whatever happens to its folder, and the
    // form, connected slot by slot, asks Qt to match nothing by name (which warned once
    // for each of the window's slots, burying the warnings that matter).
    void everyMessageIsEchoedAndNoneMatchesSlotsByName()
    {
        QFETCH(bool, folderBlocked);
        QTemporaryFile notAFolder;
        QVERIFY(notAFolder.open());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (folderBlocked)
            env.insert(QStringLiteral("XDG_STATE_HOME"), notAFolder.fileName());
        QProcess &program = start({}, -1, env);
        const QByteArray said = outputOfAStart(program);
        QVERIFY2(said.contains(" [Debug] " + kWindowBuilt), said.constData());
        QVERIFY(!said.contains("connectSlotsByName"));
        QVERIFY(!errorOutput(program).contains("connectSlotsByName"));
    }

    void aClosedOrBrokenStandardOutputDoesNotStopTheProgram_data()
    {
        QTest::addColumn<QString>("output");
        QTest::newRow("closed at start") << "closed";
        QTest::newRow("a pipe closed after its first byte") << "gone";
        QTest::newRow("a pipe nobody reads") << "stalled";
    }

    // Standard output closed by a launcher: the first file opened took its number and the
    // log's echo went into the X connection, so the window never showed. A pipe whose
    // reader is gone (tonewright | head -c 1): the next echo ended the program by SIGPIPE.
    // A pipe whose reader stopped reading: once full, the echo held the start for ever.
    // Each way the window shows, the program runs on, and the day's log has the line
    // that says the window was built.
    void aClosedOrBrokenStandardOutputDoesNotStopTheProgram()
    {
        QFETCH(QString, output);
        const QString log = todaysLog(qEnvironmentVariable("XDG_STATE_HOME"));
        QFile::remove(log);
        QProcess &program = prepare();
        QProcess *reader = nullptr;
        QTemporaryDir folder;
        const QString fifo = folder.filePath(QStringLiteral("output"));
        int held = -1;
        const auto closeHeld = qScopeGuard([&held] {
            if (held >= 0)
                close(held);
        });
        if (output == QLatin1String("closed")) {
            launch(program, QStringLiteral("sh"),
                   {QStringLiteral("-c"), QStringLiteral("exec \"$0\" >&-"), programPath()});
        } else if (output == QLatin1String("gone")) {
            reader = &prepare();
            program.setStandardOutputProcess(reader);
            launch(program, programPath(), {});
            launch(*reader, QStringLiteral("head"), {QStringLiteral("-c"), QStringLiteral("1")});
        } else {
            // Held open for reading, never read, and smaller than a start's log.
            QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
            held = open(QFile::encodeName(fifo).constData(), O_RDWR | O_NONBLOCK);
            QVERIFY(held >= 0);
            QVERIFY(fcntl(held, F_SETPIPE_SZ, 4096) > 0);
            launch(program, QStringLiteral("sh"),
                   {QStringLiteral("-c"), QStringLiteral("exec \"$0\" > \"$1\""), programPath(), fifo});
        }
        QTRY_VERIFY_WITH_TIMEOUT(tw::readFileBytes(log).contains(" [Debug] " + kWindowBuilt), kStartTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(runningWindow() != 0, kStartTimeoutMs);
        if (reader) {
            QVERIFY(ends(*reader));
            QCOMPARE(reader->readAllStandardOutput().size(), 1);
        }
        QCOMPARE(program.state(), QProcess::Running);
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
        QVERIFY(showsRunningBox(second));

        QProcess &third = start({}, 100);
        QVERIFY(third.waitForFinished(kStartTimeoutMs));
        QCOMPARE(third.exitCode(), 0);
        QCOMPARE(second.state(), QProcess::Running);
    }

    // The user was told the program is running, and then it ended before the box was
    // closed: this start takes over instead of exiting with nothing running.
    void firstInstanceEndingWhileTheBoxIsOpenLeavesTheSecondRunning()
    {
        QProcess &first = start({});
        QTRY_VERIFY_WITH_TIMEOUT(holdsFlock(first.processId()), kStartTimeoutMs);
        QProcess &second = start({}, 3000);
        QVERIFY(showsRunningBox(second));
        first.kill();
        QVERIFY(first.waitForFinished(5000));

        QTRY_VERIFY_WITH_TIMEOUT(holdsFlock(second.processId()), kStartTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(runningWindow() != 0, kStartTimeoutMs);
        QCOMPARE(second.state(), QProcess::Running);
    }

    // A hung instance takes the connection but never answers: the second start gives up
    // on it after a few seconds and brings its window forward by title.
    void hungFirstInstanceCostsTheSecondStartOnlyAFewSeconds()
    {
        InstanceLock marker(QString::fromLatin1(kInstanceKey));
        QCOMPARE(marker.create(), InstanceLock::Outcome::Taken);
        const QString socket = showRequestSocketPath(QString::fromLatin1(kInstanceKey));
        QLocalServer::removeServer(socket); // left by an earlier case's instance
        QLocalServer hung;                  // accepts, never reads
        QVERIFY(hung.listen(socket));
        QWidget window;
        window.setWindowTitle(QString::fromLatin1(kMainWindowTitle));
        window.show();
        QTRY_VERIFY(runningWindow() != 0);

        QProcess &second = start({}, 100);
        QVERIFY(showsRunningBox(second));
        QElapsedTimer afterTheBox;
        afterTheBox.start();
        QVERIFY(ends(second));
        QVERIFY2(afterTheBox.elapsed() < 9000, qPrintable(QString::number(afterTheBox.elapsed())));
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(hung.hasPendingConnections());
    }

    // A marker file the user cannot open (left root-only by a "sudo -E" run; here a folder
    // in its place) does not make every start say "Program is running": the marker goes
    // to the next folder, and a second start still finds the first.
    void aMarkerThatCannotBeOpenedDoesNotStopTheProgram()
    {
        QTemporaryDir runtime;
        QTemporaryDir tmp;
        QVERIFY(QDir(runtime.path()).mkdir(QStringLiteral("bdjo.lock")));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("TMPDIR"), tmp.path());
        QProcess *first = nullptr;
        firstRunsAndSecondDefers(env, first);
        QVERIFY(first);
        QCOMPARE(first->state(), QProcess::Running);
    }

    // The log-on start on a desktop without a tray (Xvfb has none): a window the user
    // can reach, and a second start that brings it forward.
    void autorunWithoutATrayLeavesAWindowAndASecondStartExitsZero()
    {
        QProcess &first = start({QStringLiteral("-autorun")});
        QTRY_VERIFY_WITH_TIMEOUT(holdsFlock(first.processId()), kStartTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(runningWindow() != 0, kStartTimeoutMs);

        QProcess &second = start({}, 100);
        QVERIFY(second.waitForFinished(kStartTimeoutMs));
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(errorOutput(second).contains(kRunningBox));
        QCOMPARE(first.state(), QProcess::Running);

        // The log went to the user's state folder; the working folder (the home folder
        // for a log-on start) got nothing.
        const QString today = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
        QVERIFY(QFileInfo::exists(logFolder() + QLatin1Char('/') + today + QStringLiteral("/app_log.txt")));
        QVERIFY(QDir::current().isEmpty());
    }

    // Another user of the machine plants what they can in the shared temporary folder:
    // the folders a start would fall back to without $XDG_RUNTIME_DIR, and markers they
    // hold locked. The start neither waits on them nor takes them for a running instance.
    void whatAnotherUserPlantsDoesNotBlockAStart()
    {
        if (geteuid() != 0)
            QSKIP("acting as another user needs root");
        QTemporaryDir shared(QStringLiteral("/tmp/tw-shared-XXXXXX"));
        QVERIFY(shared.isValid());
        QCOMPARE(chmod(QFile::encodeName(shared.path()).constData(), 01777), 0);
        const QString uid = QString::number(geteuid());
        QProcess &other = *m_processes.emplace_back(std::make_unique<QProcess>());
        other.start(QStringLiteral("setpriv"),
                    {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups"),
                     QStringLiteral("sh"), QStringLiteral("-c"),
                     QStringLiteral("mkdir -m 777 \"$1/tonewright-$2\" \"$1/runtime-root\" && "
                                    "exec 8<>\"$1/bdjo.lock\" && flock 8 && : > \"$1/tonewright-$2/bdjo.lock\" && "
                                    "exec flock --no-fork \"$1/tonewright-$2/bdjo.lock\" sleep 600"),
                     QStringLiteral("sh"), shared.path(), uid});
        QVERIFY(other.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(holdsFlock(other.processId()), kStartTimeoutMs);

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        env.insert(QStringLiteral("TMPDIR"), shared.path());
        QProcess *first = nullptr;
        firstRunsAndSecondDefers(env, first);
        QVERIFY(first);
    }

    // 144 DPI is a scale of 1.5; rounded up to 2 the window would not fit a 1440-line screen.
    void at144DpiTheWindowIsHalfAgainAsLarge()
    {
        xtest::setRootResources("Xft.dpi:\t144\n");
        start({});
        QTRY_VERIFY_WITH_TIMEOUT(runningWindow() != 0, kStartTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(xtest::windowSize(runningWindow()), QSize(1764, 1095), 5000);
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
