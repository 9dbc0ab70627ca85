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

    static QByteArray bytes(std::initializer_list<unsigned char> list)
    {
        return QByteArray(reinterpret_cast<const char *>(list.begin()), int(list.size()));
    }
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

    // Descriptors as devices send them, and the item rules they lean on. Each row: the
    // descriptor and the (page:usage) of each top-level Application collection.
    void collectionsOfRealDescriptors_data()
    {
        QTest::addColumn<QByteArray>("descriptor");
        QTest::addColumn<QString>("collections");

        // The boot keyboard of the USB "Device Class Definition for HID 1.11" (appendix
        // B.1), which every USB keyboard sends in its boot interface.
        QTest::newRow("boot keyboard") << bytes({
            0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00,
            0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0x95, 0x01, 0x75, 0x08, 0x81, 0x01,
            0x95, 0x05, 0x75, 0x01, 0x05, 0x08, 0x19, 0x01, 0x29, 0x05, 0x91, 0x02, 0x95, 0x01,
            0x75, 0x03, 0x91, 0x01, 0x95, 0x06, 0x75, 0x08, 0x15, 0x00, 0x25, 0x65, 0x05, 0x07,
            0x19, 0x00, 0x29, 0x65, 0x81, 0x00, 0xC0})
            << "0001:0006";
        // A gaming mouse's interface: the boot mouse of the same appendix (B.2: a pointer
        // in a physical collection inside the application), then two vendor collections
        // for the maker's short and long configuration reports (report ids 0x10 and
        // 0x11), the layout the wireless receivers of a large mouse maker are known to
        // send, written out here by hand.
        QTest::newRow("mouse with vendor collections") << bytes({
            0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05, 0x09, 0x19, 0x01,
            0x29, 0x03, 0x15, 0x00, 0x25, 0x01, 0x95, 0x03, 0x75, 0x01, 0x81, 0x02, 0x95, 0x01,
            0x75, 0x05, 0x81, 0x01, 0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x15, 0x81, 0x25, 0x7F,
            0x75, 0x08, 0x95, 0x02, 0x81, 0x06, 0xC0, 0xC0,
            0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x10, 0x95, 0x06, 0x75, 0x08, 0x15,
            0x00, 0x26, 0xFF, 0x00, 0x09, 0x01, 0x81, 0x00, 0x09, 0x01, 0x91, 0x00, 0xC0,
            0x06, 0x00, 0xFF, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x11, 0x95, 0x13, 0x75, 0x08, 0x15,
            0x00, 0x26, 0xFF, 0x00, 0x09, 0x02, 0x81, 0x00, 0x09, 0x02, 0x91, 0x00, 0xC0})
            << "0001:0002 FF00:0001 FF00:0002";
        // A USB audio headset's HID interface, written out by hand after the common
        // layout: volume and mute keys on the consumer page (report 1), the telephony
        // hook as a Push/Pop'd page inside it, then the sound processor's vendor channel
        // (reports 0x23 in, 0x4F out, usage page FF00).
        QTest::newRow("audio headset") << bytes({
            0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x01, 0x15, 0x00, 0x25, 0x01, 0x09, 0xE9,
            0x09, 0xEA, 0x09, 0xE2, 0x75, 0x01, 0x95, 0x03, 0x81, 0x02, 0xA4, 0x05, 0x0B, 0x09,
            0x20, 0x95, 0x01, 0x81, 0x06, 0xB4, 0x09, 0xCD, 0x95, 0x01, 0x81, 0x02, 0x95, 0x03,
            0x81, 0x01, 0xC0,
            0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x23, 0x15, 0x00, 0x26, 0xFF, 0x00,
            0x75, 0x08, 0x95, 0x3F, 0x09, 0x01, 0x81, 0x02, 0x85, 0x4F, 0x09, 0x02, 0x91, 0x02,
            0xC0})
            << "000C:0001 FF00:0001";

        // An extended usage names its own page for that usage only; the global page of
        // the next collection is still FF00.
        QTest::newRow("extended usage is local") << bytes({
            0x06, 0x00, 0xFF, 0x0B, 0x01, 0x00, 0x0C, 0x00, 0xA1, 0x01, 0xC0,
            0x09, 0x01, 0xA1, 0x01, 0xC0})
            << "000C:0001 FF00:0001";
        // Pop brings back the page that Push saved.
        QTest::newRow("push and pop") << bytes({
            0x06, 0x00, 0xFF, 0xA4, 0x05, 0x0C, 0xB4, 0x09, 0x01, 0xA1, 0x01, 0xC0})
            << "FF00:0001";
        // Nested pushes unwind in order; a Pop with nothing pushed changes nothing.
        QTest::newRow("nested push and pop") << bytes({
            0xB4, 0x05, 0x01, 0xA4, 0x05, 0x0C, 0xA4, 0x06, 0x01, 0xFF, 0xB4, 0x09, 0x03, 0xA1,
            0x01, 0xC0, 0xB4, 0x09, 0x04, 0xA1, 0x01, 0xC0})
            << "000C:0003 0001:0004";
        // A usage page set after the usage but before the collection still names it.
        QTest::newRow("page after usage") << bytes({0x09, 0x01, 0x06, 0x00, 0xFF, 0xA1, 0x01, 0xC0})
            << "FF00:0001";
        // The first usage names the collection; a long item in between carries nothing.
        QTest::newRow("first usage and a long item") << bytes({
            0x06, 0x00, 0xFF, 0x09, 0x05, 0x09, 0x06, 0xFE, 0x02, 0x10, 0xAA, 0xBB, 0xA1, 0x01,
            0xC0})
            << "FF00:0005";
        // Only Application collections count at the top level: a physical or logical one
        // does not name a device.
        QTest::newRow("non-application top level") << bytes({
            0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x00, 0xC0, 0x09, 0x02, 0xA1, 0x02, 0xC0,
            0x09, 0x03, 0xA1, 0x01, 0xA1, 0x01, 0xC0, 0xC0})
            << "FF00:0003";
        // Four-byte items are read little-endian whatever they hold.
        QTest::newRow("four-byte usage page") << bytes({
            0x07, 0x01, 0xFF, 0x00, 0x00, 0x09, 0x01, 0xA1, 0x01, 0xC0})
            << "FF01:0001";
        // A descriptor cut off inside an item keeps what came before the cut.
        QTest::newRow("truncated") << bytes({0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0xC0, 0x0B, 0x01})
            << "FF00:0001";
        QTest::newRow("long item past the end") << bytes({0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0xC0, 0xFE, 0x40, 0x01})
            << "000C:0001";
    }

    void collectionsOfRealDescriptors()
    {
        QFETCH(QByteArray, descriptor);
        QFETCH(QString, collections);
        const auto *desc = reinterpret_cast<const unsigned char *>(descriptor.constData());
        hid_collection_usage out[8] = {};
        const int count = hid_descriptor_top_level_usages(desc, size_t(descriptor.size()), out, 8);
        QStringList found;
        for (int i = 0; i < count; ++i)
            found << QString::asprintf("%04X:%04X", out[i].usage_page, out[i].usage);
        QCOMPARE(found.join(' '), collections);
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
