// The window against misbehaving headsets: one that answers without end, one whose
// answers carry random unique ids, and one whose status answer asks for a page that its
// own ReadAudio answer disabled.
#include "WindowTestSupport.h"

#include "HidSim.h"
#include "TestEnv.h"

#include "headset/MyThread.h"
#include "headset/UsbHidOperation.h"
#include "window/MainWindow.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <unistd.h>

#include <atomic>
#include <memory>

using namespace wt;

namespace {

long residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024);
}

// How long a call queued on the GUI thread waits until it runs (what a click or a
// repaint waits for as well), up to limitMs.
qint64 queuedCallLatencyMs(QObject *context, int limitMs)
{
    auto clock = std::make_shared<QElapsedTimer>();
    auto ranAfter = std::make_shared<qint64>(-1);
    clock->start();
    QMetaObject::invokeMethod(context, [clock, ranAfter] { *ranAfter = clock->elapsed(); }, Qt::QueuedConnection);
    return waitUntil([&] { return *ranAfter >= 0; }, limitMs) ? *ranAfter : limitMs;
}

int userFileCount(unsigned short pid, const std::array<unsigned char, 4> &uuid)
{
    const QFileInfo one(userFilePath(pid, uuid));
    return one.dir().entryList({QStringLiteral("*.json")}, QDir::Files).size();
}

} // namespace

class TestWindowFaults : public QObject
{
    Q_OBJECT

public:
    static void initMain() { tw::isolateTestEnvironment(); }

private:
    std::unique_ptr<MainWindow> m_window;

    void startWithHeadset(const HeadsetSetup &setup = HeadsetSetup())
    {
        plugHeadset(setup);
        m_window = startWindow();
        QVERIFY(g_nDeviceOpen == 1);
        settle();
    }

private slots:
    void initTestCase()
    {
        silenceDebugLog();
        recordPrompts();
    }

    void init() { removeUserFiles(); }

    void cleanup()
    {
        hidsim::setFlood(-1);
        closeWindow(m_window);
        unplugAll();
    }

    // A headset that answers without end: the answers waiting for the window stay one
    // per kind, so memory stays flat and a queued call (a click, a repaint) still runs
    // at once, though each status answer costs the window tens of milliseconds.
    void aFloodOfAnswersLeavesMemoryFlatAndTheWindowResponsive_data()
    {
        QTest::addColumn<int>("command");
        QTest::newRow("ReadStatus") << kReadStatus;
        QTest::newRow("ReadAudio") << kReadAudio;
        QTest::newRow("acknowledgements") << kSetPeq;
    }
    void aFloodOfAnswersLeavesMemoryFlatAndTheWindowResponsive()
    {
        QFETCH(int, command);
        startWithHeadset();
        // Signals on their way to the window: emitted on the receive thread, delivered
        // here in the same queue order as to the window. At most one per kind of answer
        // waits, and one more while the window takes it.
        std::atomic<int> emitted{0};
        int delivered = 0;
        connect(m_window->m_pMyThread, &MyThread::sendReadAudio, this, [&] { ++emitted; }, Qt::DirectConnection);
        connect(m_window->m_pMyThread, &MyThread::sendReadAudio, this, [&] { ++delivered; }, Qt::QueuedConnection);

        hidsim::setFlood(command);
        QTest::qWait(500);
        const long before = residentKiB();
        const long floodedBefore = hidsim::floodedAnswerCount();
        constexpr int kResponsiveMs = 500;
        qint64 worst = 0;
        int mostWaiting = 0;
        QElapsedTimer flood;
        flood.start();
        while (flood.elapsed() < 3000 && worst < kResponsiveMs) {
            mostWaiting = std::max(mostWaiting, emitted - delivered);
            worst = std::max(worst, queuedCallLatencyMs(m_window.get(), kResponsiveMs));
            QTest::qWait(100);
        }
        const long grownKiB = residentKiB() - before;
        const long flooded = hidsim::floodedAnswerCount() - floodedBefore;
        hidsim::setFlood(-1);
        settle();
        disconnect(m_window->m_pMyThread, nullptr, this, nullptr);

        QVERIFY2(flooded > 1000, qPrintable(QString::number(flooded))); // it really answered without end
        qInfo("most signals waiting %d, longest wait %lld ms, grown by %ld KiB", mostWaiting, worst, grownKiB);
        QVERIFY2(mostWaiting <= 6, qPrintable(QStringLiteral("%1 signals waited").arg(mostWaiting)));
        QVERIFY2(worst < kResponsiveMs, qPrintable(QStringLiteral("a queued call waited %1 ms").arg(worst)));
#ifndef __SANITIZE_ADDRESS__ // the sanitizer holds freed memory back for a while
        QVERIFY2(grownKiB < 1024, qPrintable(QStringLiteral("grew by %1 KiB").arg(grownKiB)));
#else
        Q_UNUSED(grownKiB);
#endif
        QCOMPARE(g_nDeviceOpen, 1);
    }

    // Random valid answers carry a new unique id each: the open headset keeps the id of
    // its first status answer, and no other user file is made.
    void randomIdsMakeNoNewUserFiles()
    {
        const HeadsetSetup setup;
        startWithHeadset(setup);
        QVERIFY(QFileInfo::exists(userFilePath(setup.pid, setup.uuid)));
        QCOMPARE(userFileCount(setup.pid, setup.uuid), 1);
        const QString userFile = m_window->m_qstrCurrentUserFileName;

        hidsim::setFlood(kReadStatus, true);
        QTest::qWait(2000);
        hidsim::setFlood(-1);
        settle();
        QVERIFY(hidsim::floodedAnswerCount() > 1000);
        QCOMPARE(userFileCount(setup.pid, setup.uuid), 1);
        QCOMPARE(m_window->m_qstrCurrentUserFileName, userFile);
        QVERIFY(recordedPrompts().isEmpty());
    }

    // The ReadAudio answer says there is no surround processing, the status answer that
    // 7.1 is on: the Surround page is disabled, so the Stereo page takes its place and its
    // selection goes out, followed by its switch.
    void surroundFlagZeroThenSurroundOnEndsOnTheStereoPage()
    {
        HeadsetSetup setup;
        setup.surroundFlag = 0;
        setup.surroundOn = true;
        startWithHeadset(setup);
        QVERIFY(!m_window->ui.tabWidget->isTabEnabled(0));
        QCOMPARE(m_window->ui.tabWidget->currentIndex(), 1);
        QCOMPARE(m_window->m_fTabStatus, 1);
        const QList<Frame> peq = framesOf(kSetPeq);
        QVERIFY(!peq.isEmpty());
        QCOMPARE(peq.last().presetNumber(), 5); // Stereo Standard
        const QList<Frame> switches = framesOf(kSetSwitch);
        QVERIFY(!switches.isEmpty());
        QCOMPARE(switches.last().switchArgs(), (QList<int>{1, 0, 0, 1}));
        QVERIFY(QFileInfo::exists(userFilePath(setup.pid, setup.uuid)));

        // A click on the page now shown is answered as on any headset.
        clearWrittenFrames();
        m_window->ui.radioButton_Stereo_Jazz->click();
        settle();
        QCOMPARE(framesOf(kSetPeq).size(), 2);
        QCOMPARE(framesOf(kSetSwitch).size(), 1);
    }

    // With neither equaliser page enabled, the window ends on the microphone page.
    void noEqualiserPageEnabledEndsOnTheMicrophonePage()
    {
        HeadsetSetup setup;
        setup.peqFlag = 0;
        setup.surroundFlag = 0;
        startWithHeadset(setup);
        QVERIFY(!m_window->ui.tabWidget->isTabEnabled(0));
        QVERIFY(!m_window->ui.tabWidget->isTabEnabled(1));
        QCOMPARE(m_window->ui.tabWidget->currentIndex(), 2);
        QCOMPARE(m_window->m_fTabStatus, 3);
    }
};

QTEST_MAIN(TestWindowFaults)
#include "test_window_faults.moc"
