// The frame check, the decoders and the receive thread, fed by hand and by the
// simulated headset.
#include "HeadsetTestSupport.h"
#include "HidSim.h"
#include "TestEnv.h"
#include "ThreadWakeups.h"

#include "headset/MyThread.h"
#include "headset/MyThread_Two.h"
#include "headset/PendingAnswers.h"

#include <QMutexLocker>
#include <QtTest>

#include <memory>

using namespace headsettest;

namespace {

// The ReadStatus answer of a headset with surround on and the id 0A 0B 0C 0D.
const char *const kStatusAnswer = "23 30 18 80 32 07 00 00 10 0A 0B 0C 0D 62";

QByteArray withChecksum(const char *hexWithoutChecksum, int size)
{
    QByteArray f = frame(hexWithoutChecksum, size);
    const int length = static_cast<unsigned char>(f[5]);
    f[6 + length] = static_cast<char>(usbHidChecksum(reinterpret_cast<const unsigned char *>(f.constData()), 6 + length));
    return f;
}

int accept(const QByteArray &report, int nRead)
{
    return usbHidAcceptFrame(reinterpret_cast<const unsigned char *>(report.constData()), nRead);
}

int accept(const QByteArray &report)
{
    return accept(report, report.size());
}

} // namespace

class TestHeadsetRecv : public QObject
{
    Q_OBJECT
public:
    static void initMain() { tw::isolateTestEnvironment(); }

private:
    QList<int> m_codes; // sendReadAudio codes, taken on this (GUI) thread as the window takes them

    std::unique_ptr<MyThread> connectedThread()
    {
        auto thread = std::make_unique<MyThread>();
        connect(thread.get(), &MyThread::sendReadAudio, this,
                [this](int code) { m_codes.append(g_pendingAnswers.take(code)); }, Qt::QueuedConnection);
        return thread;
    }
    void feed(MyThread &thread, const QByteArray &report, int nRead)
    {
        thread.processReport(reinterpret_cast<const unsigned char *>(report.constData()), nRead);
        QCoreApplication::processEvents();
    }
    void feed(MyThread &thread, const QByteArray &report) { feed(thread, report, report.size()); }

private slots:
    void init()
    {
        m_codes.clear();
        const unsigned char zero[4] = {};
        g_ucDeviceUuid.store(zero);
        g_nReadAudio_HPPEQ = 7;
        g_nReadAudio_HPSurround = 7;
        g_nPEQAckFirstBand = g_nPEQAckLastBand = 0;
    }
    void cleanup() { closeHeadset(); }

    void theFrameCheckRejectsWhatIsNotAHeadsetAnswer_data()
    {
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<int>("nRead");
        QTest::addColumn<int>("command");
        const QByteArray good = frame(kStatusAnswer, 64);
        QTest::newRow("valid, 64 bytes") << good << 64 << 0x32;
        QTest::newRow("valid, report id $, 32 bytes") << withChecksum("24 30 18 80 20 04 00 03 01 01", 32) << 32 << 0x20;
        QByteArray flipped = good;
        flipped[13] = static_cast<char>(flipped[13] ^ 0x04);
        QTest::newRow("checksum bit flipped") << flipped << 64 << -1;
        QTest::newRow("host direction") << withChecksum("23 30 80 18 32 07 00 00 10 0A 0B 0C 0D", 64) << 64 << -1;
        QTest::newRow("host report id") << withChecksum("4F 30 18 80 32 07 00 00 10 0A 0B 0C 0D", 64) << 64 << -1;
        QTest::newRow("protocol byte") << withChecksum("23 31 18 80 32 07 00 00 10 0A 0B 0C 0D", 64) << 64 << -1;
        QTest::newRow("16-byte read") << good << 16 << -1;
        QTest::newRow("0-byte read") << good << 0 << -1;
        QTest::newRow("read error") << good << -1 << -1;
        // Payload length 40: checksum at byte 46, inside 64 bytes but beyond a 32-byte read.
        const QByteArray longFrame = withChecksum("23 30 18 80 99 28", 64);
        QTest::newRow("length fits the 64 bytes read") << longFrame << 64 << 0x99;
        QTest::newRow("length beyond the 32 bytes read") << longFrame << 32 << -1;
        QTest::newRow("length 255") << frame("23 30 18 80 99 FF", 64) << 64 << -1;
        QTest::newRow("status answer too short for its id") << withChecksum("23 30 18 80 32 01 00", 64) << 64 << -1;
        // An error answer may carry its status byte alone; a success answer may not.
        QTest::newRow("status-only error, ReadStatus") << withChecksum("23 30 18 80 32 01 01", 64) << 64 << 0x32;
        QTest::newRow("status-only error, ReadAudio") << withChecksum("24 30 18 80 20 01 01", 32) << 32 << 0x20;
        QTest::newRow("status-only error, SetPEQ") << withChecksum("23 30 18 80 21 01 01", 64) << 64 << 0x21;
        QTest::newRow("status-only success, ReadAudio") << withChecksum("23 30 18 80 20 01 00", 64) << 64 << -1;
        QTest::newRow("status-only success, SetPEQ") << withChecksum("23 30 18 80 21 01 00", 64) << 64 << -1;
        QTest::newRow("no status at all") << withChecksum("23 30 18 80 32 00", 64) << 64 << -1;
    }
    void theFrameCheckRejectsWhatIsNotAHeadsetAnswer()
    {
        QFETCH(QByteArray, report);
        QFETCH(int, nRead);
        QFETCH(int, command);
        QCOMPARE(accept(report, nRead), command);
    }

    void bytesOfAnEarlierLongerReportAreNeverDecoded()
    {
        QByteArray longReport = withChecksum("23 30 18 80 99 28", 64);
        for (int i = 47; i < 64; ++i)
            longReport[i] = static_cast<char>(0xEE);
        QCOMPARE(accept(longReport), 0x99);
        QCOMPARE(accept(withChecksum("24 30 18 80 20 04 00 03 01 01", 32)), 0x20);
        for (int i = 32; i < kRecvBufSize; ++i)
            QCOMPARE(int(g_ucRecvBuf[i]), 0);
        usbHidRecv_Spectrum();
        QCOMPARE(int(g_ucSpectrumData[kSpectrumSize - 1]), 0);
    }

    void statusAnswerDecodesIdAndSurroundFlag_data()
    {
        QTest::addColumn<int>("flag");
        QTest::addColumn<int>("code");
        QTest::newRow("0x0F off") << 0x0F << 2;
        QTest::newRow("0x10 on") << 0x10 << 1;
        QTest::newRow("0xFF on") << 0xFF << 1;
        QTest::newRow("0x00 off") << 0x00 << 2;
    }
    void statusAnswerDecodesIdAndSurroundFlag()
    {
        QFETCH(int, flag);
        QFETCH(int, code);
        QByteArray f = frame("23 30 18 80 32 07 00 00 00 DE AD BE EF", 64);
        f[8] = static_cast<char>(flag);
        f[13] = static_cast<char>(usbHidChecksum(reinterpret_cast<const unsigned char *>(f.constData()), 13));
        QCOMPARE(accept(f), 0x32);
        LogRecorder log;
        QCOMPARE(usbHidRecv_ReadStatus(), code);
        QCOMPARE(g_ucDeviceUuid.bytes(), (std::array<unsigned char, 4>{0xDE, 0xAD, 0xBE, 0xEF}));
        const QString expected = code == 1 ? QString("TabChangeFlag: 7.1 On %1  return 1").arg(flag)
                                           : QString("TabChangeFlag:7.1 off %1  return 0").arg(flag);
        QCOMPARE(log.lines(), QStringList{expected});
    }

    void errorStatusesKeepStoredValues()
    {
        const unsigned char id[4] = {1, 2, 3, 4};
        g_ucDeviceUuid.store(id);
        LogRecorder log;
        QCOMPARE(accept(withChecksum("23 30 18 80 32 07 01 00 10 0A 0B 0C 0D", 64)), 0x32);
        QCOMPARE(usbHidRecv_ReadStatus(), 0);
        QVERIFY(g_ucDeviceUuid.equals(id));

        QCOMPARE(accept(withChecksum("23 30 18 80 20 04 01 03 00 00", 64)), 0x20);
        usbHidRecv_ReadAudio();
        QCOMPARE(g_nReadAudio_HPPEQ.load(), 7);
        QCOMPARE(g_nReadAudio_HPSurround.load(), 7);

        // The acknowledgement's bands are kept whatever the status.
        QCOMPARE(accept(withChecksum("23 30 18 80 21 03 01 05 09", 64)), 0x21);
        usbHidRecv_SetPEQ();
        QCOMPARE(g_nPEQAckFirstBand, 5);
        QCOMPARE(g_nPEQAckLastBand, 9);

        QCOMPARE(accept(withChecksum("23 30 18 80 30 01 01", 32)), 0x30);
        usbHidRecv_SetVolume();
        QCOMPARE(accept(withChecksum("23 30 18 80 31 01 01", 64)), 0x31);
        usbHidRecv_SetAlgorithmSwitch();
        QCOMPARE(log.lines(), QStringList({"[Recv - ReadAudio::Error]", "[Recv - ReadAudio::Error]",
                                           "[Recv - ReadAudio::Error]", "[Recv - Volume::Error]",
                                           "[Recv - ReadAudio::Error]"}));
    }

    void audioAndVersionAnswers()
    {
        QCOMPARE(accept(withChecksum("24 30 18 80 20 04 00 03 00 01", 64)), 0x20);
        usbHidRecv_ReadAudio();
        QCOMPARE(g_nReadAudio_HPPEQ.load(), 0);
        QCOMPARE(g_nReadAudio_HPSurround.load(), 1);

        LogRecorder log;
        QCOMPARE(accept(withChecksum("23 30 18 80 01 01 00", 32)), 0x01);
        usbHidRecv_ReadVersion();
        QCOMPARE(accept(withChecksum("23 30 18 80 01 01 01", 32)), 0x01);
        usbHidRecv_ReadVersion();
        QCOMPARE(log.lines(), QStringList({"No Version.", "[Recv - ReadVersion::Read Version Successful!]"}));
    }

    void eachAnswerEmitsItsCode()
    {
        auto thread = connectedThread();
        feed(*thread, frame(kStatusAnswer, 64));
        QCOMPARE(g_ucDeviceUuid.bytes(), (std::array<unsigned char, 4>{0x0A, 0x0B, 0x0C, 0x0D}));
        feed(*thread, withChecksum("23 30 18 80 32 07 01 00 10 0A 0B 0C 0D", 64));
        feed(*thread, withChecksum("23 30 18 80 20 04 00 03 01 01", 64));
        feed(*thread, withChecksum("23 30 18 80 21 03 00 00 04", 64));
        feed(*thread, withChecksum("23 30 18 80 31 01 00", 64)); // decoded, no signal
        feed(*thread, withChecksum("23 30 18 80 30 01 00", 32)); // decoded, no signal
        feed(*thread, withChecksum("23 30 18 80 77 01 00", 64)); // unknown command
        QByteArray bad = frame(kStatusAnswer, 64);
        bad[13] = 0x63;
        feed(*thread, bad);
        feed(*thread, frame(kStatusAnswer, 64), 16);
        QCOMPARE(m_codes, QList<int>({1, 0, 20, 21}));
    }

    void theAcknowledgementIsSignalledWithTheMutexHeld()
    {
        MyThread thread;
        bool lockedDuringEmit = false;
        int first = -1, last = -1;
        connect(&thread, &MyThread::sendReadAudio, &thread, [&](int) {
            lockedDuringEmit = !g_mutexRecv.tryLock();
            if (!lockedDuringEmit)
                g_mutexRecv.unlock();
            first = g_nPEQAckFirstBand;
            last = g_nPEQAckLastBand;
        }, Qt::DirectConnection);
        thread.processReport(reinterpret_cast<const unsigned char *>(
                                 withChecksum("23 30 18 80 21 03 00 05 09", 64).constData()), 64);
        QVERIFY(lockedDuringEmit);
        QCOMPARE(first, 5);
        QCOMPARE(last, 9);
        QVERIFY(g_mutexRecv.tryLock());
        g_mutexRecv.unlock();
    }

    void theReceiveThreadReportsTheSimulatedHeadsetsAnswers()
    {
        QCOMPARE(openSimulatedHeadset(0x0411), 0);
        hidsim::setUniqueId({0x12, 0x34, 0x56, 0x78});
        auto thread = connectedThread();
        thread->m_fRunning = 1;
        thread->start();

        usbHidSend_ReadStatus();
        QTRY_COMPARE(m_codes, QList<int>{1});
        QCOMPARE(g_ucDeviceUuid.bytes(), (std::array<unsigned char, 4>{0x12, 0x34, 0x56, 0x78}));

        usbHidSend_SetAlgorithmSwitch(1, 0, 0, 1); // surround off
        usbHidSend_ReadStatus();
        QTRY_COMPARE(m_codes, QList<int>({1, 2}));

        hidsim::setAudioFlags(1, 0);
        usbHidSend_ReadAudio();
        QTRY_COMPARE(m_codes.size(), 3);
        QCOMPARE(m_codes.last(), 20);
        QCOMPARE(g_nReadAudio_HPSurround.load(), 0);

        usbHidSend_SetPEQ(1, 5, 9, 6, {});
        QTRY_COMPARE(m_codes.size(), 4);
        QCOMPARE(m_codes.last(), 21);
        {
            QMutexLocker lock(&g_mutexRecv);
            QCOMPARE(g_nPEQAckFirstBand, 5);
            QCOMPARE(g_nPEQAckLastBand, 9);
        }

        hidsim::injectFault(hidsim::Fault::ErrorStatus, 1, kCmdReadStatus);
        usbHidSend_ReadStatus();
        QTRY_COMPARE(m_codes.size(), 5);
        QCOMPARE(m_codes.last(), 0);

        // Damaged answers are dropped; the next good one still gets through.
        hidsim::injectFault(hidsim::Fault::BadChecksum);
        hidsim::injectFault(hidsim::Fault::WrongDirection);
        hidsim::injectFault(hidsim::Fault::ShortRead);
        for (int i = 0; i < 4; ++i)
            usbHidSend_ReadStatus();
        QTRY_COMPARE(m_codes.size(), 6);
        QTest::qWait(100);
        QCOMPARE(m_codes.size(), 6);

        LogRecorder log;
        thread->stopAndWait();
        QVERIFY(thread->isFinished());
        QCOMPARE(log.lines(), QStringList{"Thread Break... ..."});
    }

    // The four shapes of an answer, full or status byte alone, success or error, for
    // each answer the window waits for: an error is logged and signalled and changes no
    // stored value; a success too short to hold its values is dropped.
    void theFourAnswerShapesThroughTheSimulatedHeadset_data()
    {
        QTest::addColumn<int>("fault"); // -1: none
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<bool>("decoded");
        QTest::addColumn<QList<int>>("ackPair");
        QTest::newRow("full success") << -1 << QList<int>{20, 1, 21} << true << QList<int>{5, 9};
        QTest::newRow("full error") << int(hidsim::Fault::ErrorStatus) << QList<int>{20, 0, 21} << false
                                    << QList<int>{5, 9};
        // No band pair in the frame: none is read out of its checksum or padding.
        QTest::newRow("status-only error") << int(hidsim::Fault::ShortError) << QList<int>{20, 0, 21} << false
                                           << QList<int>{0, 0};
        QTest::newRow("status-only success") << int(hidsim::Fault::ShortSuccess) << QList<int>{} << false
                                             << QList<int>{0, 0};
    }
    void theFourAnswerShapesThroughTheSimulatedHeadset()
    {
        QFETCH(int, fault);
        QFETCH(QList<int>, codes);
        QFETCH(bool, decoded);
        QFETCH(QList<int>, ackPair);
        QCOMPARE(openSimulatedHeadset(0x0411), 0);
        hidsim::setUniqueId({0x12, 0x34, 0x56, 0x78});
        hidsim::setAudioFlags(0, 0);
        if (fault >= 0)
            hidsim::injectFault(hidsim::Fault(fault), 3);
        auto thread = connectedThread();
        thread->m_fRunning = 1;
        thread->start();
        LogRecorder log;

        usbHidSend_ReadAudio();
        usbHidSend_ReadStatus();
        usbHidSend_SetPEQ(1, 5, 9, 6, {});
        QVERIFY(hidsim::waitForWrites(3, 1000));
        if (codes.isEmpty()) {
            QTest::qWait(100); // the answers come within a few milliseconds: none is signalled
            QCOMPARE(m_codes, codes);
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(m_codes, codes, 5000);
        }
        QCOMPARE(g_nReadAudio_HPPEQ.load(), decoded ? 0 : 1); // else as the open left it: available
        QCOMPARE(g_ucDeviceUuid.bytes(), decoded ? (std::array<unsigned char, 4>{0x12, 0x34, 0x56, 0x78})
                                                 : (std::array<unsigned char, 4>{}));
        {
            QMutexLocker lock(&g_mutexRecv);
            QCOMPARE((QList<int>{g_nPEQAckFirstBand, g_nPEQAckLastBand}), ackPair);
        }
        const bool error = codes.contains(0);
        QCOMPARE(log.lines().count("[Recv - ReadAudio::Error]"), error ? 3 : 0);
        thread->stopAndWait();
    }

    // Answers that come while the window is busy wait as one signal per kind, and the
    // window reads the latest; the acknowledgement that ends a preset keeps its place.
    void answersWaitingForTheWindowAreFolded()
    {
        auto thread = connectedThread();
        // Frames decoded while the window is busy: no event is handled in between.
        auto arrive = [&](const QByteArray &report) {
            thread->processReport(reinterpret_cast<const unsigned char *>(report.constData()), 64);
        };
        for (int i = 0; i < 50; ++i)
            arrive(frame(kStatusAnswer, 64));
        arrive(withChecksum("23 30 18 80 32 07 00 00 00 0A 0B 0C 0D", 64));
        // An error status says nothing new and does not displace the answer that waits.
        arrive(withChecksum("23 30 18 80 32 01 01", 64));
        for (const char *ack : {"23 30 18 80 21 03 00 00 04", "23 30 18 80 21 03 00 05 09", "23 30 18 80 21 03 00 00 04"})
            arrive(withChecksum(ack, 64));
        QCoreApplication::processEvents();
        QCOMPARE(m_codes, QList<int>({2, 21})); // the latest status: 7.1 off
        {
            QMutexLocker lock(&g_mutexRecv);
            QCOMPARE(g_nPEQAckFirstBand, 5);
            QCOMPARE(g_nPEQAckLastBand, 9);
        }
        // Once taken, the next answer of a kind is signalled again.
        feed(*thread, frame(kStatusAnswer, 64));
        feed(*thread, withChecksum("23 30 18 80 21 03 00 00 04", 64));
        QCOMPARE(m_codes, QList<int>({2, 21, 1, 21}));
        QMutexLocker lock(&g_mutexRecv);
        QCOMPARE(g_nPEQAckFirstBand, 0);
        QCOMPARE(g_nPEQAckLastBand, 4);
    }

    // A headset that repeats one answer without end: the thread writes its line a few
    // times a second and counts the rest, the last count when it stops; every answer is
    // accounted for.
    void aRepeatedAnswerIsWrittenAFewTimesAndCounted()
    {
        QCOMPARE(openSimulatedHeadset(0x0411), 0);
        auto thread = connectedThread();
        thread->m_fRunning = 1;
        LogRecorder log;
        QElapsedTimer clock;
        clock.start();
        thread->start();
        hidsim::setFlood(kCmdReadStatus);
        QTRY_VERIFY(hidsim::floodedAnswerCount() > 50);
        hidsim::setFlood(-1);
        thread->stopAndWait();
        const qint64 seconds = clock.elapsed() / 1000 + 1;

        const QString line = QStringLiteral("TabChangeFlag: 7.1 On 16  return 1");
        const QString countedStart = QStringLiteral("[Recv - Repeated ");
        int written = 0;
        int counted = 0;
        for (const QString &logged : log.lines()) {
            if (logged == line)
                ++written;
            else if (logged.startsWith(countedStart) && logged.endsWith(QStringLiteral("] ") + line))
                counted += logged.section(QLatin1Char(' '), 3, 3).toInt();
        }
        QVERIFY2(written <= 5 * seconds, qPrintable(QString::number(written)));
        QCOMPARE(long(written + counted), hidsim::floodedAnswerCount());
    }

    void afterAnUnplugTheLoopDoesNotSpin()
    {
        QCOMPARE(openSimulatedHeadset(0x0411), 0);
        auto thread = connectedThread();
        thread->m_fRunning = 1;
        thread->start();
        QTest::qWait(20);
        hidsim::unplug();
        const long before = hidsim::readCallCount();
        QTest::qWait(300);
        // Reads fail at once now; a 1 ms pass would make some 300 of them.
        QVERIFY2(hidsim::readCallCount() - before < 30, qPrintable(QString::number(hidsim::readCallCount() - before)));
        QVERIFY(thread->isRunning());
        thread->stopAndWait();
        QVERIFY(thread->isFinished());
    }

    void aQuietHeadsetAndNoSpeakerTestLeaveBothThreadsAsleep()
    {
        QCOMPARE(openSimulatedHeadset(0x0411), 0);
        auto receiver = connectedThread();
        receiver->m_fRunning = 1;
        receiver->start();
        MyThread_Two sequencer;
        sequencer.start();
        const auto wakeupsInASecond = [] {
            const qint64 before = tw::threadContextSwitches(QCoreApplication::applicationPid(), "MyThread")
                                  + tw::threadContextSwitches(QCoreApplication::applicationPid(), "MyThread_Two");
            QThread::msleep(1000);
            return tw::threadContextSwitches(QCoreApplication::applicationPid(), "MyThread")
                   + tw::threadContextSwitches(QCoreApplication::applicationPid(), "MyThread_Two") - before;
        };
        // Found by name once it has run (a loaded machine may take a while to start it).
        QTRY_VERIFY_WITH_TIMEOUT(tw::threadContextSwitches(QCoreApplication::applicationPid(), "MyThread_Two") > 0,
                                 5000);
        QTest::qWait(200); // both threads past their start-up log lines
        // Ticking and polling loops woke about 140 times a second; a few switches a second
        // can still come from a machine loaded with other test programs.
        constexpr qint64 kAsleep = 10;
        qint64 wakeups = wakeupsInASecond();
        QVERIFY2(wakeups <= kAsleep, qPrintable(QString::number(wakeups)));

        // A paused test sleeps too; a running one ticks, and the headset still answers.
        sequencer.m_fActive = 1;
        QTest::qWait(50);
        QVERIFY(sequencer.m_nTick > 0);
        sequencer.m_fPause = 1;
        QTest::qWait(50);
        wakeups = wakeupsInASecond();
        QVERIFY2(wakeups <= kAsleep, qPrintable(QString::number(wakeups)));
        usbHidSend_ReadStatus();
        QTRY_COMPARE(m_codes, QList<int>{1});

        QElapsedTimer clock;
        clock.start();
        receiver->stopAndWait();
        sequencer.stopAndWait();
        QVERIFY(receiver->isFinished());
        QVERIFY(sequencer.isFinished());
        // The reads have no time-out: a stop that failed to wake them would hang here, not
        // take a little longer. The bound only has to stay clear of a loaded machine.
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    }

    void bothThreadsStopWhenTheApplicationQuits()
    {
        QCOMPARE(openSimulatedHeadset(0x0411), 0);
        auto receiver = connectedThread();
        receiver->m_fRunning = 1;
        receiver->start();
        MyThread_Two sequencer;
        sequencer.start();
        QVERIFY(QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit", Qt::DirectConnection));
        QVERIFY(receiver->isFinished());
        QVERIFY(sequencer.isFinished());
    }

    void theLoopEndsByItselfWithoutAHandle()
    {
        closeHeadset();
        auto thread = connectedThread();
        thread->m_fRunning = 1;
        thread->start();
        QVERIFY(thread->wait(2000));
    }
};

QTEST_GUILESS_MAIN(TestHeadsetRecv)
#include "test_headset_recv.moc"
