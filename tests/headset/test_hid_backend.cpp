// The Linux HID backend: report-descriptor collections, and report I/O over a
// descriptor that behaves like a hidraw node (one message per report).
#include "TestEnv.h"

#include "platform/hid/hid_descriptor.h"
#include "platform/hid/hidraw_device.h"

#include <QtTest>

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>

class TestHidBackend : public QObject
{
    Q_OBJECT
public:
    static void initMain() { tw::isolateTestEnvironment(); }

private:
    int m_peer = -1;
    hid_device *m_dev = nullptr;

private slots:
    void init()
    {
        int fds[2];
        QCOMPARE(socketpair(AF_UNIX, SOCK_SEQPACKET, 0, fds), 0);
        m_dev = hidraw_device_from_fd(fds[0]);
        m_peer = fds[1];
        QVERIFY(m_dev);
    }
    void cleanup()
    {
        hid_close(m_dev);
        if (m_peer >= 0)
            close(m_peer);
        m_peer = -1;
    }

    void eachTopLevelCollectionReportsItsUsagePage()
    {
        const unsigned char desc[] = {
            0x06, 0x00, 0xFF,       // usage page (vendor FF00)
            0x09, 0x01,             // usage 1
            0xA1, 0x01,             // collection (application)
            0x85, 0x23, 0x09, 0x02, // report id, usage
            0xA1, 0x00, 0xC0,       // nested collection: not top level
            0xC0,                   // end collection
            0xFE, 0x02, 0x10, 0xAA, 0xBB, // a long item, skipped
            0x05, 0x0C,             // usage page (consumer)
            0x09, 0x01, 0xA1, 0x01, 0xC0,
            0x0B, 0x05, 0x00, 0x01, 0xFF, // four-byte usage: page FF01, usage 5
            0xA1, 0x01, 0xC0,
        };
        hid_collection_usage out[4] = {};
        QCOMPARE(hid_descriptor_top_level_usages(desc, sizeof desc, out, 4), 3);
        QCOMPARE(int(out[0].usage_page), 0xFF00);
        QCOMPARE(int(out[0].usage), 1);
        QCOMPARE(int(out[1].usage_page), 0x000C);
        QCOMPARE(int(out[2].usage_page), 0xFF01);
        QCOMPARE(int(out[2].usage), 5);

        // A truncated item and a room for one record: no read or write past either end.
        QCOMPARE(hid_descriptor_top_level_usages(desc, 2, out, 4), 0);
        QCOMPARE(hid_descriptor_top_level_usages(desc, sizeof desc, out, 1), 3);
        const unsigned char longTail[] = {0xFE};
        QCOMPARE(hid_descriptor_top_level_usages(longTail, 1, out, 4), 0);
    }

    void aReportArrivesWholeWithItsReportId()
    {
        unsigned char report[64] = {'#', 0x30, 0x18, 0x80};
        report[63] = 0x5A;
        QCOMPARE(write(m_peer, report, sizeof report), ssize_t(64));
        unsigned char buf[64] = {};
        QCOMPARE(hid_read_timeout(m_dev, buf, sizeof buf, 50), 64);
        QCOMPARE(int(buf[0]), int('#'));
        QCOMPARE(int(buf[63]), 0x5A);
        QCOMPARE(hid_read_timeout(m_dev, buf, sizeof buf, 20), 0); // time-out
    }

    void aWriterAndAReaderShareTheHandle()
    {
        std::thread reader([this] {
            unsigned char buf[64];
            for (int got = 0; got < 50;)
                if (hid_read_timeout(m_dev, buf, sizeof buf, 1000) == 32)
                    ++got;
        });
        unsigned char out[64] = {'O'};
        unsigned char in[32] = {'$'};
        for (int i = 0; i < 50; ++i) {
            QCOMPARE(hid_write(m_dev, out, 64), 64);
            QCOMPARE(write(m_peer, in, sizeof in), ssize_t(32));
        }
        reader.join();
        unsigned char seen[64];
        int count = 0;
        while (recv(m_peer, seen, sizeof seen, MSG_DONTWAIT) == 64)
            ++count;
        QCOMPARE(count, 50);
    }

    void aReadWaitingForeverEndsOnAStopRequestAndStillGetsLaterReports()
    {
        std::atomic<int> result{-2};
        QElapsedTimer clock;
        clock.start();
        std::thread reader([&] {
            unsigned char buf[64];
            result = hid_read_timeout(m_dev, buf, sizeof buf, -1);
        });
        QTest::qWait(50);
        QCOMPARE(result.load(), -2); // still waiting: nothing arrived
        hid_interrupt_read(m_dev);
        reader.join();
        QCOMPARE(result.load(), 0);
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));

        // A request made before the read is not lost, and is used up by one read.
        hid_interrupt_read(m_dev);
        unsigned char buf[64];
        QCOMPARE(hid_read_timeout(m_dev, buf, sizeof buf, -1), 0);
        unsigned char report[32] = {'#'};
        QCOMPARE(write(m_peer, report, sizeof report), ssize_t(32));
        QCOMPARE(hid_read_timeout(m_dev, buf, sizeof buf, -1), 32);
        hid_interrupt_read(nullptr);
    }

    void anUnpluggedNodeFailsAtOnce()
    {
        close(m_peer);
        m_peer = -1;
        unsigned char buf[64];
        QCOMPARE(hid_read_timeout(m_dev, buf, sizeof buf, 1000), -1);
        QCOMPARE(hid_write(m_dev, buf, 64), -1);
    }

    void nullHandlesAndAMissingHeadsetAreRefused()
    {
        unsigned char buf[64] = {};
        QCOMPARE(hid_read_timeout(nullptr, buf, 64, 0), -1);
        QCOMPARE(hid_write(nullptr, buf, 64), -1);
        QCOMPARE(hid_set_nonblocking(nullptr, 1), -1);
        hid_close(nullptr);
        // No headset on this machine: every record enumerated is released and the
        // headset's ids cannot be opened.
        hid_free_enumeration(hid_enumerate(0, 0));
        errno = 0;
        QVERIFY(!hid_open(0x2E7A, 0x0411, 3, nullptr, 0xFF00));
        QCOMPARE(errno, ENODEV); // told apart from a headset this user may not open

    }
};

QTEST_GUILESS_MAIN(TestHidBackend)
#include "test_hid_backend.moc"
