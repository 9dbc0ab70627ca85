// The headset plugged in and pulled out while the program runs: udev-shaped events of
// the simulated headset's hidraw nodes go into the window's device monitor, and the
// window opens, lets go of and re-opens the headset. The program is started with
// "-autorun", so it starts hidden in the tray as it does at log-on.
#include "../window/WindowTestSupport.h"

#include "HidSim.h"
#include "TestEnv.h"

#include "headset/MyThread.h"
#include "headset/UsbHidOperation.h"
#include "platform/udev/DeviceBroadcast.h"
#include "platform/udev/DeviceMonitor.h"
#include "window/MainWindow.h"
#include "window/SystemTrayProbe.h"

#include <QAbstractEventDispatcher>
#include <QFileInfo>
#include <QMoveEvent>
#include <QScreen>
#include <QtTest>

#include <cerrno>

using namespace wt;

namespace {

// The debug log, kept for the cases that look for a line in it.
QStringList &logLines()
{
    static QStringList lines;
    return lines;
}

void recordLog()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        logLines().append(message);
        if (type != QtDebugMsg)
            fprintf(stderr, "%s\n", qPrintable(message));
    });
}

// The hidraw node of interface `interface` of the headset on USB port `port`, as udev
// names it; `sequence` is the kernel's number for the HID device.
QString hidrawNode(int port, unsigned short pid, int interface, int sequence)
{
    return QString::asprintf("/devices/pci0000:00/0000:00:14.0/usb1/1-%d/1-%d:1.%d/0003:2E7A:%04X.%04X/hidraw/hidraw%d",
                             port, port, interface, pid, sequence, sequence);
}

// A headset's nodes: its consumer-control interface 0 and its vendor interface 3.
QStringList headsetNodes(int port, unsigned short pid)
{
    return {hidrawNode(port, pid, 0, port * 2), hidrawNode(port, pid, 3, port * 2 + 1)};
}

struct FileStamp {
    QByteArray bytes;
    QDateTime modified;
    bool operator==(const FileStamp &o) const { return bytes == o.bytes && modified == o.modified; }
};

FileStamp stampOf(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return {file.readAll(), QFileInfo(path).lastModified()};
}

} // namespace

class TestHotplug : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> m_window;
    const HeadsetSetup m_first;
    const HeadsetSetup m_second{0x0412, {{0x51, 0x62, 0x73, 0x84}}};

    DeviceMonitor &monitor() { return *m_window->m_pDeviceMonitor; }

    int reopenTimerCount() const
    {
        const auto timers = QAbstractEventDispatcher::instance()->registeredTimers(m_window.get());
        return int(std::count_if(timers.begin(), timers.end(), [](const auto &t) { return t.interval == 60000; }));
    }

    // udev events of a headset's nodes, as one burst; returns once the monitor has
    // reported the burst to the window, which handles each report as it comes.
    void udevEvents(const char *action, const QStringList &nodes)
    {
        QSignalSpy reported(&monitor(), &DeviceMonitor::deviceChanged);
        for (const QString &node : nodes)
            monitor().handleEvent(QString::fromLatin1(action), node);
        QVERIFY(reported.wait(10000));
    }

    void startWithoutHeadset()
    {
        unplugAll();
        m_window = startWindow();
        QCOMPARE(g_nDeviceOpen, 0);
    }

    // A headset the simulated link lists from now on, reporting this unique id.
    static int addHeadset(const HeadsetSetup &setup)
    {
        hidsim::setUniqueId({setup.uuid[0], setup.uuid[1], setup.uuid[2], setup.uuid[3]});
        return hidsim::addHeadset(setup.pid);
    }

    // Plugs a headset in (the simulated one keeps its id: 0 for the first) and tells the
    // window; returns once its answers are handled.
    int plugIn(const HeadsetSetup &setup, int port)
    {
        const int id = addHeadset(setup);
        udevEvents("add", headsetNodes(port, setup.pid));
        settle();
        return id;
    }

    void pullOut(int id, const HeadsetSetup &setup, int port)
    {
        hidsim::unplug(id);
        udevEvents("remove", headsetNodes(port, setup.pid));
    }

    // The window's look and link with no headset.
    void verifyNoHeadset()
    {
        QCOMPARE(g_nDeviceOpen, 0);
        QCOMPARE(g_hidDevice, nullptr);
        QCOMPARE(hidsim::openHandleCount(), 0);
        QCOMPARE(m_window->m_nDevicePanelShown, 0);
        QVERIFY(m_window->ui.tabWidget->isTabEnabled(0));
        QVERIFY(m_window->ui.tabWidget->isTabEnabled(1));
        QCOMPARE(m_window->ui.label_Spectrum->styleSheet(), QString());
        QVERIFY(m_window->ui.widget_Spectrum->isHidden());
        QCOMPARE(m_window->m_nReconnectTimerId, 0);
        QCOMPARE(reopenTimerCount(), 0);
        QVERIFY(!m_window->m_pMyThread || m_window->m_pMyThread->isFinished());
    }

    // The whole open: a running receive thread, both requests, the answers handled.
    void verifyOpened(unsigned short pid)
    {
        QCOMPARE(g_nDeviceOpen, 1);
        QCOMPARE(g_sOpenPid, pid);
        QCOMPARE(m_window->m_nDevicePanelShown, 1);
        QVERIFY(m_window->m_pMyThread && m_window->m_pMyThread->isRunning());
        QCOMPARE(reopenTimerCount(), 1);
        QCOMPARE(commandSequence().mid(0, 2), (QList<int>{kReadAudio, kReadStatus}));
        QVERIFY(!framesOf(kSetSwitch).isEmpty()); // the answers drove the preset sends
    }

private slots:
    void initTestCase()
    {
        setSystemTrayAvailableOverride(1); // a desktop with a tray to start hidden in
        recordLog();
        recordPrompts();
    }

    void init()
    {
        removeUserFiles();
        recordedPrompts().clear();
        logLines().clear();
    }

    void cleanup()
    {
        closeWindow(m_window);
        unplugAll();
    }

    void arrivalAfterAStartWithoutHeadsetDoesTheWholeSetUp()
    {
        startWithoutHeadset();
        QVERIFY(!m_window->isVisible());
        QCOMPARE(m_window->m_pMyThread, nullptr);

        plugIn(m_first, 1);
        verifyOpened(0x0411);
        QVERIFY(m_window->isVisible());
        QVERIFY(m_window->m_pSystemTray->isVisible());
        QCOMPARE(hidsim::openCallCount(), 1);
        QVERIFY(QFileInfo::exists(userFilePath(0x0411, m_first.uuid)));
        QCOMPARE(m_window->m_fTabStatus, 2);
        QVERIFY(logLines().contains(QStringLiteral("Create Thread!")));
        QVERIFY(recordedPrompts().isEmpty());
    }

    // No udev rule yet: the node is there but this user may not open it. That must not
    // look like no headset: the log says what to install, and so does one box a start.
    void headsetTheUserMayNotOpenNamesTheUdevRule()
    {
        hidsim::addHeadset(m_first.pid);
        hidsim::setOpenRefused(EACCES);
        m_window = startWindow();
        QCOMPARE(g_nDeviceOpen, 0);
        const auto refusals = [] {
            return int(std::count_if(logLines().begin(), logLines().end(), [](const QString &line) {
                return line.contains(QStringLiteral("permission denied"))
                    && line.contains(QStringLiteral("70-tonewright.rules"))
                    && line.contains(QStringLiteral("udevadm control --reload"));
            }));
        };
        QCOMPARE(refusals(), 1);
        QVERIFY(waitUntil([] { return recordedPrompts().size() == 1; }));
        QVERIFY(recordedPrompts().constFirst().contains(QStringLiteral("70-tonewright.rules")));

        // Pulled and plugged again, still refused: logged again, no second box.
        hidsim::unplug();
        udevEvents("remove", headsetNodes(1, m_first.pid));
        hidsim::plug();
        udevEvents("add", headsetNodes(1, m_first.pid));
        QCOMPARE(refusals(), 2);
        QCOMPARE(recordedPrompts().size(), 1);

        // The rule installed and the headset replugged: it opens the whole way.
        hidsim::setOpenRefused(0);
        hidsim::unplug();
        udevEvents("remove", headsetNodes(1, m_first.pid));
        hidsim::plug();
        udevEvents("add", headsetNodes(1, m_first.pid));
        settle();
        verifyOpened(m_first.pid);
        QCOMPARE(recordedPrompts().size(), 1);
    }

    // Pulled out: the no-headset look, both tabs usable, the user file as it was; plugged
    // in again: the same headset opened the whole way once more.
    void removalThenArrivalAgain()
    {
        startWithoutHeadset();
        hidsim::setAudioFlags(0, 1); // the Stereo tab is disabled by the answer
        const int id = plugIn(m_first, 1);
        QVERIFY(!m_window->ui.tabWidget->isTabEnabled(1));
        const QString userFile = userFilePath(0x0411, m_first.uuid);
        const FileStamp before = stampOf(userFile);
        QVERIFY(!before.bytes.isEmpty());

        pullOut(id, m_first, 1);
        verifyNoHeadset();
        QVERIFY(logLines().contains(QStringLiteral("Close Thread!")));
        QVERIFY(stampOf(userFile) == before);
        for (const EqGainValues *strings : {&m_window->m_surroundGain, &m_window->m_stereoGain})
            for (const QString &gain : strings->gains)
                QVERIFY(gain.isEmpty());

        clearWrittenFrames();
        hidsim::setAudioFlags(1, 1);
        hidsim::plug(id);
        udevEvents("add", headsetNodes(1, 0x0411));
        settle();
        verifyOpened(0x0411);
        QCOMPARE(hidsim::openCallCount(), 2);
        QVERIFY(m_window->ui.tabWidget->isTabEnabled(1));
    }

    // A headset without equaliser pulled out, then another whose ReadAudio answer carries
    // an error alone: the first one's flags say nothing about the second, whose status
    // answer selects its page and whose Standard preset goes out.
    void readAudioErrorAfterAHeadsetWithoutEqualiserLeavesBothPagesUsable()
    {
        startWithoutHeadset();
        hidsim::setAudioFlags(0, 0);
        const int id = plugIn(m_first, 1);
        QVERIFY(!m_window->ui.tabWidget->isTabEnabled(0));
        QVERIFY(!m_window->ui.tabWidget->isTabEnabled(1));
        pullOut(id, m_first, 1);
        verifyNoHeadset();

        clearWrittenFrames();
        hidsim::setAudioFlags(1, 1);
        hidsim::injectFault(hidsim::Fault::ShortError, hidsim::kEveryAnswer, kReadAudio);
        plugIn(m_second, 2);
        verifyOpened(m_second.pid);
        QVERIFY(m_window->ui.tabWidget->isTabEnabled(0));
        QVERIFY(m_window->ui.tabWidget->isTabEnabled(1));
        QCOMPARE(m_window->ui.tabWidget->currentIndex(), 0);
        QCOMPARE(m_window->m_fTabStatus, 2);
        const QList<Frame> peq = framesOf(kSetPeq);
        QVERIFY(!peq.isEmpty());
        QCOMPARE(peq.last().presetNumber(), 19); // Surround Standard
    }

    // The nodes of one headset come and go in bursts: one open for the plug, one close
    // for the pull, and no open of a node whose siblings are still being taken down.
    void aBurstOfNodeEventsIsOneHeadset()
    {
        startWithoutHeadset();
        const int id = hidsim::addHeadset(0x0411);
        const QStringList nodes = headsetNodes(1, 0x0411);
        udevEvents("add", nodes + nodes); // udev may repeat a node as well
        settle();
        QCOMPARE(hidsim::openCallCount(), 1);
        QCOMPARE(framesOf(kReadAudio).size(), 1);

        // The first node goes while the headset still enumerates; the rest follow after
        // the event loop has had its turn.
        QSignalSpy reported(&monitor(), &DeviceMonitor::deviceChanged);
        monitor().handleEvent("remove", nodes[0]);
        QCoreApplication::processEvents();
        hidsim::unplug(id);
        monitor().handleEvent("remove", nodes[1]);
        QVERIFY(reported.wait(10000));
        verifyNoHeadset();
        QCOMPARE(hidsim::openCallCount(), 1);
        QCOMPARE(logLines().count(QStringLiteral("Close Thread!")), 1);
    }

    // Two headsets: pulling the one not open leaves the open one alone; pulling the open
    // one opens the other, whose own user file is then loaded.
    void twoHeadsets()
    {
        startWithoutHeadset();
        const int first = plugIn(m_first, 1);
        const int second = hidsim::addHeadset(m_second.pid); // reports the first one's id too
        udevEvents("add", headsetNodes(2, m_second.pid)); // a second headset changes nothing
        QCOMPARE(g_sOpenPid, 0x0411);
        QCOMPARE(hidsim::openCallCount(), 1);
        hid_device *const open = g_hidDevice;
        MyThread *const thread = m_window->m_pMyThread;

        pullOut(second, m_second, 2);
        QCOMPARE(g_hidDevice, open);
        QCOMPARE(m_window->m_pMyThread, thread);
        QVERIFY(thread->isRunning());
        QCOMPARE(hidsim::openCallCount(), 1);
        QVERIFY(!logLines().contains(QStringLiteral("Close Thread!")));

        hidsim::plug(second);
        udevEvents("add", headsetNodes(2, m_second.pid));
        QCOMPARE(hidsim::openCallCount(), 1);

        clearWrittenFrames();
        hidsim::setUniqueId({m_second.uuid[0], m_second.uuid[1], m_second.uuid[2], m_second.uuid[3]});
        pullOut(first, m_first, 1);
        settle();
        verifyOpened(0x0412);
        QCOMPARE(hidsim::openCallCount(), 2);
        QCOMPARE(hidsim::lastOpenedDevice().productId, 0x0412);
        QVERIFY(QFileInfo::exists(userFilePath(0x0412, m_second.uuid)));
        QVERIFY(m_window->m_qstrCurrentUserFileName.contains(QStringLiteral("UUID-51627384")));
    }

    // Two headsets of one model carry the same ids: pulling the one not open leaves the
    // open one alone (no close, nothing sent again); pulling the open one opens the other.
    void twoHeadsetsOfOneModel()
    {
        startWithoutHeadset();
        const int first = plugIn(m_first, 1);
        const int second = hidsim::addHeadset(m_first.pid);
        udevEvents("add", headsetNodes(2, m_first.pid));
        QCOMPARE(hidsim::openCallCount(), 1);
        hid_device *const open = g_hidDevice;
        MyThread *const thread = m_window->m_pMyThread;
        const std::string openPath = hidsim::lastOpenedDevice().path;
        clearWrittenFrames();

        pullOut(second, m_first, 2);
        settle();
        QCOMPARE(g_hidDevice, open);
        QCOMPARE(g_nDeviceOpen, 1);
        QCOMPARE(m_window->m_pMyThread, thread);
        QVERIFY(thread->isRunning());
        QCOMPARE(hidsim::openCallCount(), 1);
        QVERIFY(!logLines().contains(QStringLiteral("Close Thread!")));
        QVERIFY(writtenFrames().isEmpty());

        hidsim::plug(second);
        udevEvents("add", headsetNodes(2, m_first.pid));
        pullOut(first, m_first, 1);
        settle();
        QCOMPARE(logLines().count(QStringLiteral("Close Thread!")), 1);
        verifyOpened(0x0411);
        QCOMPARE(hidsim::openCallCount(), 2);
        QVERIFY(hidsim::lastOpenedDevice().path != openPath);
    }

    // Pulled out while a preset is on its way: nothing more goes to a closed handle, and
    // the acknowledgements that never came leave the window as it should be.
    void removalDuringAPresetSend()
    {
        startWithoutHeadset();
        const int id = plugIn(m_first, 1);
        setAnswerDelay(120);
        clearWrittenFrames();
        m_window->ui.radioButton_Surround_FPS->click();
        QCOMPARE(framesOf(kSetPeq).size(), 2);
        hidsim::unplug(id);
        monitor().handleEvent("remove", headsetNodes(1, 0x0411)[1]);
        monitor().flushBurst();
        const int written = writtenFrames().size();
        settle();
        verifyNoHeadset();
        QCOMPARE(writtenFrames().size(), written);
        QVERIFY(framesOf(kSetSwitch).isEmpty());

        // A preset chosen now only says that no headset is there.
        m_window->ui.radioButton_Surround_FPS->click();
        QCOMPARE(writtenFrames().size(), written);
        QVERIFY(recordedPrompts().join('\n').contains(QStringLiteral("Please Insert Device!")));
    }

    // A tick of the re-open timer while no headset is open opens a connected one the
    // whole way, and the timer gives way to the one the new open starts.
    void reopenTimerOpensTheWholeWay()
    {
        startWithoutHeadset();
        addHeadset(m_first); // its arrival went unheard
        const int staleTimer = m_window->startTimer(60000);
        m_window->m_nReconnectTimerId = staleTimer;
        QTimerEvent tick(staleTimer);
        QCoreApplication::sendEvent(m_window.get(), &tick);
        settle();
        verifyOpened(0x0411);
        QCOMPARE(reopenTimerCount(), 1); // the stale one is gone
        QVERIFY(QFileInfo::exists(userFilePath(0x0411, m_first.uuid)));

        // While open, a tick opens nothing.
        QTimerEvent again(m_window->m_nReconnectTimerId);
        QCoreApplication::sendEvent(m_window.get(), &again);
        QCOMPARE(hidsim::openCallCount(), 1);
    }

    // The native hook reads the same broadcasts and always lets the message through.
    void nativeMessages()
    {
        startWithoutHeadset();
        hidsim::addHeadset(0x0411);
        auto send = [&](quint32 message, quint32 event, const QByteArray &broadcast) {
            NativeMessage msg{nullptr, message, event, qintptr(broadcast.constData())};
            long result = 12345;
            QVERIFY(!m_window->nativeEvent("windows_generic_MSG", &msg, &result));
            QCOMPARE(result, 12345L);
        };
        auto interfaceBroadcast = [](const QString &name) {
            const DeviceChange change = DeviceChange::deviceInterface(DeviceChange::kArrival, name);
            QByteArray bytes(28, '\0');
            const quint32 header[2] = {change.size, DeviceChange::kTypeDeviceInterface};
            memcpy(bytes.data(), header, sizeof header);
            return bytes + QByteArray(reinterpret_cast<const char *>(name.utf16()), (name.size() + 1) * 2);
        };
        QByteArray volume(18, '\0');
        const quint32 volumeHeader[2] = {18, DeviceChange::kTypeVolume};
        memcpy(volume.data(), volumeHeader, sizeof volumeHeader);

        send(kMessageDeviceChange, DeviceChange::kArrival, volume);
        QVERIFY(logLines().contains(QStringLiteral("插入U盘")));
        send(kMessageDeviceChange, DeviceChange::kArrival,
             interfaceBroadcast(QStringLiteral("\\\\?\\hid#vid_2e7a&pid_0413&mi_03#7&1&0&0000#{x}")));
        send(kMessageDeviceChange, DeviceChange::kArrival, interfaceBroadcast(QStringLiteral("\\\\?\\HID")));
        QCOMPARE(hidsim::openCallCount(), 0);

        send(kMessageDeviceChange, DeviceChange::kArrival,
             interfaceBroadcast(QStringLiteral("\\\\?\\hid#vid_2e7a&pid_0411&mi_03#7&1&0&0000#{x}")));
        settle();
        verifyOpened(0x0411);
    }

    // After a DPI change the window moves 2 px right and back, then logs its size.
    void dpiChangeNudgesTheWindow()
    {
        startWithoutHeadset();
        m_window->show();
        m_window->move(100, 80);
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        struct MoveLog : QObject {
            QList<QPoint> positions;
            QElapsedTimer sinceChange;
            qint64 firstMoveMs = -1;
            bool eventFilter(QObject *, QEvent *e) override
            {
                if (e->type() == QEvent::Move) {
                    positions.append(static_cast<QMoveEvent *>(e)->pos());
                    if (firstMoveMs < 0)
                        firstMoveMs = sinceChange.elapsed();
                }
                return false;
            }
        } moves;
        m_window->installEventFilter(&moves);

        QScreen *screen = m_window->screen();
        moves.sinceChange.start();
        emit screen->logicalDotsPerInchChanged(144.0);
        QVERIFY(waitUntil([&] { return logLines().contains(QStringLiteral("=====size===== QSize(1176, 730)")); }, 10000));
        QVERIFY2(moves.firstMoveMs >= 100, qPrintable(QString::number(moves.firstMoveMs))); // not before 100 ms
        QCOMPARE(moves.positions, (QList<QPoint>{{102, 80}, {99, 80}, {100, 80}}));
        QCOMPARE(m_window->pos(), QPoint(100, 80));

        // The native DPI message does the same.
        moves.positions.clear();
        NativeMessage msg{nullptr, kMessageDpiChanged, 0, 0};
        long result = 0;
        QVERIFY(!m_window->nativeEvent("windows_generic_MSG", &msg, &result));
        QVERIFY(waitUntil([&] { return moves.positions.size() == 3; }, 10000));
        m_window->removeEventFilter(&moves);
    }
};

int main(int argc, char *argv[])
{
    TestHotplug test;
    return execWithAutorun(test, argc, argv);
}

#include "test_hotplug.moc"
