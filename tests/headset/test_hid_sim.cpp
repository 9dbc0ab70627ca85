// The simulated headset itself: later suites drive the whole program through it, so
// its answers must follow the protocol, not the requests.
#include "HeadsetTestSupport.h"
#include "HidSim.h"
#include "TestEnv.h"

#include <QElapsedTimer>
#include <QtTest>

#include <thread>

using namespace headsettest;

class TestHidSim : public QObject
{
    Q_OBJECT
public:
    static void initMain() { tw::isolateTestEnvironment(); }

private:
    hid_device *m_dev = nullptr;

    QByteArray ask(const char *requestHex, int size)
    {
        const QByteArray request = frame(requestHex, size);
        hid_write(m_dev, reinterpret_cast<const unsigned char *>(request.constData()), size_t(size));
        unsigned char buf[64] = {};
        const int n = hid_read_timeout(m_dev, buf, sizeof buf, 200);
        return QByteArray(reinterpret_cast<const char *>(buf), qMax(n, 0));
    }

private slots:
    void init()
    {
        hidsim::reset();
        hidsim::addHeadset(0x0412);
        m_dev = hid_open(0x2E7A, 0x0412, 3, nullptr, 0xFF00);
        QVERIFY(m_dev);
    }
    void cleanup() { hid_close(m_dev); }

    void aHeadsetEnumeratesItsControlAndConsumerCollections()
    {
        hid_device_info *list = hid_enumerate(0, 0);
        QVERIFY(list && list->next && !list->next->next);
        QCOMPARE(int(list->usage_page), 0xFF00);
        QCOMPARE(int(list->next->usage_page), 0x000C);
        QCOMPARE(int(list->product_id), 0x0412);
        QCOMPARE(hidsim::liveEnumerationCount(), 1);
        hid_free_enumeration(list);
        QCOMPARE(hidsim::liveEnumerationCount(), 0);
        QVERIFY(!hid_enumerate(0x1234, 0));
    }

    void answersComeFromTheHeadsetsState()
    {
        hidsim::setUniqueId({0xCA, 0xFE, 0x00, 0x01});
        hidsim::setAudioFlags(1, 0);
        QCOMPARE(ask("4F 30 80 18 32 01 00 4A", 64).toHex(' '),
                 frame("24 30 18 80 32 07 00 00 10 CA FE 00 01 FE", 64).toHex(' '));
        QCOMPARE(ask("4F 30 80 18 20 01 00 38", 64).toHex(' '),
                 frame("24 30 18 80 20 04 00 03 01 00 14", 64).toHex(' '));
        // The acknowledgement echoes the frame's band indices, nothing else.
        QCOMPARE(ask("4F 30 80 18 21 26 01 05 09 00 03 E8 07 D0 01 07 D0 07 D0 02 0F A0 0F A0 03 1F 40 0F A0 04"
                     " 3E 80 0F A0 05 00 00 00 00 00 00 00 00 07 CC", 64).toHex(' '),
                 frame("24 30 18 80 21 03 00 05 09 1E", 64).toHex(' '));
        const QByteArray version = ask("4E 30 80 18 01 00 17", 32);
        QCOMPARE(version.size(), 32);
        QCOMPARE(version.left(7).toHex(' '), QByteArray("23 30 18 80 01 15 01"));
    }

    void theSwitchCommandChangesWhatTheHeadsetReports()
    {
        ask("4F 30 80 18 31 06 01 00 00 00 00 01 50", 64); // surround off
        QVERIFY(!hidsim::surroundOn());
        QCOMPARE(int(static_cast<unsigned char>(ask("4F 30 80 18 32 01 00 4A", 64)[8])), 0x00);
        ask("4F 30 80 18 31 06 01 00 00 00 02 00 51", 64); // noise cancellation off
        QVERIFY(!hidsim::noiseCancellationOn());
        QVERIFY(!hidsim::surroundOn());
    }

    void malformedRequestsAreRecordedButNotAnswered()
    {
        QVERIFY(ask("4F 30 80 18 32 01 00 4B", 64).isEmpty()); // bad checksum
        QVERIFY(ask("4F 30 18 80 32 01 00 4A", 64).isEmpty()); // device direction
        QVERIFY(ask("4E 30 80 18 32 01 00 4A", 64).isEmpty()); // "N" is 32 bytes
        QCOMPARE(int(hidsim::writtenReports().size()), 3);
    }

    void answersArriveAfterTheConfiguredDelay()
    {
        hidsim::setAnswerDelayMs(40);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(ask("4F 30 80 18 32 01 00 4A", 64).size(), 64);
        QVERIFY(timer.elapsed() >= 35);
        unsigned char buf[64];
        QCOMPARE(hid_read_timeout(m_dev, buf, sizeof buf, 0), 0);
    }

    void faultsApplyToTheNextAnswersOnly()
    {
        hidsim::injectFault(hidsim::Fault::ErrorStatus, 1, 0x20);
        hidsim::injectFault(hidsim::Fault::ShortRead);
        QCOMPARE(ask("4F 30 80 18 32 01 00 4A", 64).size(), 16);
        QCOMPARE(int(ask("4F 30 80 18 20 01 00 38", 64)[6]), 1);
        QCOMPARE(int(ask("4F 30 80 18 20 01 00 38", 64)[6]), 0);
        hidsim::injectFault(hidsim::Fault::NoAnswer);
        QVERIFY(ask("4F 30 80 18 32 01 00 4A", 64).isEmpty());
    }

    // A headset that answers every ReadAudio request with its error status alone, and
    // every other request as ever.
    void aFaultOnEveryAnswerHasNoEnd()
    {
        hidsim::injectFault(hidsim::Fault::ShortError, hidsim::kEveryAnswer, 0x20);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(ask("4F 30 80 18 20 01 00 38", 64).left(8).toHex(' '), QByteArray("24 30 18 80 20 01 01 0e"));
        QCOMPARE(ask("4F 30 80 18 32 01 00 4A", 64)[5], char(7));
    }

    void anUnpluggedHeadsetFailsReadsAndWritesAndLeavesTheEnumeration()
    {
        const int other = hidsim::addHeadset(0x0411);
        hidsim::unplug(0); // the first headset, both its records
        hid_device_info *left = hid_enumerate(0, 0);
        QVERIFY(left && left->next && !left->next->next);
        QCOMPARE(int(left->product_id), 0x0411);
        hid_free_enumeration(left);
        hidsim::unplug(other);
        unsigned char buf[64] = {'O'};
        QCOMPARE(hid_read_timeout(m_dev, buf, sizeof buf, 1000), -1);
        QCOMPARE(hid_write(m_dev, buf, 64), -1);
        QVERIFY(!hid_enumerate(0, 0));
        QVERIFY(!hid_open(0x2E7A, 0x0412, 3, nullptr, 0xFF00));

        hidsim::plug();
        QCOMPARE(hid_read_timeout(m_dev, buf, sizeof buf, 0), -1); // the old handle stays dead
        hid_device *fresh = hid_open(0x2E7A, 0x0412, 3, nullptr, 0xFF00);
        QVERIFY(fresh);
        QCOMPARE(hid_write(fresh, buf, 64), 64);
        hid_close(fresh);
    }

    void waitForWritesSeesWritesOfAnotherThread()
    {
        std::thread writer([this] {
            QThread::msleep(20);
            const unsigned char r[32] = {'N'};
            hid_write(m_dev, r, 32);
        });
        QVERIFY(hidsim::waitForWrites(1, 2000));
        writer.join();
        QVERIFY(!hidsim::waitForWrites(2, 20));
    }
};

QTEST_GUILESS_MAIN(TestHidSim)
#include "test_hid_sim.moc"
