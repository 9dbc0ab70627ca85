// The frames the program puts on the wire, byte for byte, and how the writer reports.
#include "HeadsetTestSupport.h"
#include "HidSim.h"
#include "TestEnv.h"

#include <QtTest>

using namespace headsettest;

class TestHeadsetSend : public QObject
{
    Q_OBJECT
public:
    static void initMain() { tw::isolateTestEnvironment(); }

private:
    // The one report the sender wrote.
    static QByteArray sent()
    {
        const auto written = hidsim::writtenReports();
        return written.size() == 1 ? bytes(written.front()) : QByteArray("wrote " + QByteArray::number(int(written.size())));
    }

private slots:
    void init()
    {
        QCOMPARE(openSimulatedHeadset(0x0411), 0);
        hidsim::setAnswerDelayMs(0);
        hidsim::clearWrittenReports();
    }
    void cleanup() { closeHeadset(); }

    void checksumKeepsTheLowEightBits()
    {
        const unsigned char data[] = {0xFF, 0x02, 0x10};
        QCOMPARE(usbHidChecksum(data, 3), static_cast<unsigned char>(0x11));
        QCOMPARE(usbHidChecksum(data, 0), static_cast<unsigned char>(0));
    }

    void simpleRequestsHaveTheirFixedBytes_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("ReadAudio") << 0 << frame("4F 30 80 18 20 01 00 38", 64);
        QTest::newRow("ReadStatus") << 1 << frame("4F 30 80 18 32 01 00 4A", 64);
        QTest::newRow("ReadVersion") << 2 << frame("4E 30 80 18 01 00 17", 32);
        QTest::newRow("surround off") << 3 << frame("4F 30 80 18 31 06 01 00 00 00 00 01 50", 64);
        QTest::newRow("noise cancellation on") << 4 << frame("4F 30 80 18 31 06 01 00 00 00 01 00 50", 64);
        QTest::newRow("surround on") << 5 << frame("4F 30 80 18 31 06 01 00 01 00 00 00 50", 64);
        QTest::newRow("SetVolume") << 6 << frame("4E 30 80 18 30 06 01 00 14 14 14 14 9D", 32);
        QTest::newRow("SetMicVolume") << 7
                                      << frame("4F 30 80 18 30 0E 01 00 00 00 00 00 00 00 00 00 32 00 00 00 88", 64);
        QTest::newRow("Cmd99") << 8 << frame("4F 30 80 18 99 01 07 B8", 64);
    }
    void simpleRequestsHaveTheirFixedBytes()
    {
        QFETCH(int, which);
        QFETCH(QByteArray, expected);
        switch (which) {
        case 0: usbHidSend_ReadAudio(); break;
        case 1: usbHidSend_ReadStatus(); break;
        case 2: usbHidSend_ReadVersion(); break;
        case 3: usbHidSend_SetAlgorithmSwitch(1, 0, 0, 1); break;
        case 4: usbHidSend_SetAlgorithmSwitch(1, 0, 1, 0); break;
        case 5: usbHidSend_SetAlgorithmSwitch(1, 1, 0, 0); break;
        case 6: usbHidSend_SetVolume(1, 20, 20, 20, 20); break;
        case 7: usbHidSend_SetMicVolume(50); break;
        case 8: usbHidSend_Cmd99(0x107); break; // only the low 8 bits go out
        }
        QCOMPARE(sent().toHex(' '), expected.toHex(' '));
    }

    void peqFramesCarryBandsQWordsGainsAndPreset_data()
    {
        QTest::addColumn<int>("pid");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("preset");
        QTest::addColumn<QVector<int>>("gains");
        QTest::addColumn<QByteArray>("expected");
        const QVector<int> flat(10, 0);
        QVector<int> minus3 = flat;
        minus3[0] = -3;
        const char *zeroBands = "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00";

        QTest::newRow("first half, default Q") << 0x0411 << 0 << 4 << 1 << flat
            << frame("4F 30 80 18 21 26 01 00 04 00 00 1E 07 D0 00 00 3C 07 D0 00 00 78 07 D0 00 00 FA 07 D0 00"
                     " 01 F4 07 D0 00 00 00 00 00 00 00 00 00 01 58", 64);
        QTest::newRow("gain -3 at 30 Hz") << 0x0411 << 0 << 4 << 1 << minus3
            << frame("4F 30 80 18 21 26 01 00 04 00 00 1E 07 D0 FD 00 3C 07 D0 00 00 78 07 D0 00 00 FA 07 D0 00"
                     " 01 F4 07 D0 00 00 00 00 00 00 00 00 00 01 55", 64);
        QTest::newRow("second half, default Q") << 0x0412 << 5 << 9 << 7 << QVector<int>{0, 0, 0, 0, 0, 1, 2, 3, 4, 5}
            << frame("4F 30 80 18 21 26 01 05 09 00 03 E8 07 D0 01 07 D0 07 D0 02 0F A0 0F A0 03 1F 40 0F A0 04"
                     " 3E 80 0F A0 05 00 00 00 00 00 00 00 00 07 CC", 64);
        QTest::newRow("Stereo Standard on 0A61") << 0x0A61 << 0 << 4 << 5 << QVector<int>{1, 2, 3, 4, 5, 0, 0, 0, 0, 0}
            << frame("4F 30 80 18 21 26 01 00 04 00 00 1E 03 20 01 00 3C 03 20 02 00 78 07 D0 03 00 FA 05 DC 04"
                     " 01 F4 07 D0 05 00 00 00 00 00 00 00 00 05 0D", 64);
        QTest::newRow("Surround Standard on 4E22") << 0x4E22 << 5 << 9 << 19
            << QVector<int>{0, 0, 0, 0, 0, 2, -2, 0, 5, -12}
            << frame("4F 30 80 18 21 26 01 05 09 00 03 E8 07 D0 02 07 D0 07 D0 FE 0F A0 03 E8 00 1F 40 0F A0 05"
                     " 3E 80 01 F4 F4 00 00 00 00 00 00 00 00 13 44", 64);
        QTest::newRow("Standard on 0411: no band data") << 0x0411 << 0 << 4 << 5 << minus3
            << frame(QByteArray("4F 30 80 18 21 26 01 00 04 00 ").append(zeroBands)
                         .append(" 00 00 00 00 00 00 00 00 05 68").constData(), 64);
        QTest::newRow("pair (1, 5): no band data") << 0x0411 << 1 << 5 << 1 << minus3
            << frame(QByteArray("4F 30 80 18 21 26 01 01 05 00 ").append(zeroBands)
                         .append(" 00 00 00 00 00 00 00 00 01 66").constData(), 64);
    }
    void peqFramesCarryBandsQWordsGainsAndPreset()
    {
        QFETCH(int, pid);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, preset);
        QFETCH(QVector<int>, gains);
        QFETCH(QByteArray, expected);
        g_sOpenPid = static_cast<unsigned short>(pid);
        std::array<int, 10> g{};
        std::copy(gains.begin(), gains.end(), g.begin());
        usbHidSend_SetPEQ(1, first, last, preset, g);
        QCOMPARE(sent().toHex(' '), expected.toHex(' '));
    }

    void sendersClearTheBufferBeforeEachFrame()
    {
        std::array<int, 10> gains{};
        gains.fill(7);
        usbHidSend_SetPEQ(1, 0, 4, 1, gains);
        usbHidSend_ReadStatus();
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(g_ucSendBuf), 64).toHex(' '),
                 frame("4F 30 80 18 32 01 00 4A", 64).toHex(' '));
    }

    void writerReturnCodesAndLogLines()
    {
        LogRecorder log;
        usbHidSend_ReadStatus();
        QCOMPARE(usbHidWriteDevice(g_ucSendBuf), 0);
        QVERIFY(log.contains("[Send - ReadStatus::Write Success!]"));

        hidsim::setWriteResult(10); // a short write
        usbHidSend_SetPEQ(1, 0, 4, 1, {});
        QVERIFY(log.contains("[Send - SetPEQ::Write Fail!]"));
        hidsim::setWriteResult(0);
        hidsim::setWriteFails(true);
        usbHidSend_SetAlgorithmSwitch(1, 0, 1, 0);
        QVERIFY(log.contains("[Send - SetSwitch::Write Fail!]"));
        QCOMPARE(usbHidWriteDevice(g_ucSendBuf), 1);
        hidsim::setWriteFails(false);

        // Not a host report id: refused before anything is written.
        hidsim::clearWrittenReports();
        unsigned char bogus[64] = {'P', 0x30, 0x80, 0x18};
        QCOMPARE(usbHidWriteDevice(bogus), 2);
        QCOMPARE(usbHidWriteDevice(nullptr), 2);
        QVERIFY(hidsim::writtenReports().empty());

        closeHeadset();
        log.clear();
        usbHidSend_ReadAudio();
        usbHidSend_SetVolume(1, 20, 20, 20, 20);
        usbHidSend_SetMicVolume(3);
        usbHidSend_ReadVersion();
        usbHidSend_Cmd99(1);
        QCOMPARE(log.lines(), QStringList({"***** Read Audio! *****", "[Send - ReadAudio::Device Not Open!]",
                                           "[Send - SetVolume::Device Not Open!]",
                                           "[Send - SetMicVolume::Device Not Open!]",
                                           "[Send - ReadVersion::Device Not Open!]",
                                           "[Send - ReadStatus::Device Not Open!]"}));
        QVERIFY(hidsim::writtenReports().empty());
    }

    void peqLogsItsPresetNumber()
    {
        LogRecorder log;
        usbHidSend_SetPEQ(1, 5, 9, 19, {});
        const QStringList lines = log.lines();
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].contains("PEQ"));
        QVERIFY(lines[0].contains(QChar(0xFFFD))); // the trace line's non-UTF-8 bytes
        QCOMPARE(lines[1], QString("19"));
        QCOMPARE(lines[2], QString("[Send - SetPEQ::Write Success!]"));
    }
};

QTEST_GUILESS_MAIN(TestHeadsetSend)
#include "test_headset_send.moc"
