// Which HID record usbHidOpenDevice accepts and opens, and the permitted-id lists.
#include "HeadsetTestSupport.h"
#include "HidSim.h"
#include "TestEnv.h"

#include <QtTest>

using namespace headsettest;

Q_DECLARE_METATYPE(hidsim::Device)

class TestHeadsetOpen : public QObject
{
    Q_OBJECT
public:
    static void initMain() { tw::isolateTestEnvironment(); }

private:
    static hidsim::Device record(unsigned short vid, unsigned short pid, unsigned short page, int iface = 3)
    {
        hidsim::Device d;
        d.vendorId = vid;
        d.productId = pid;
        d.usagePage = page;
        d.interfaceNumber = iface;
        return d;
    }

private slots:
    void init()
    {
        closeHeadset();
        hidsim::reset();
    }
    void cleanup()
    {
        closeHeadset();
        QCOMPARE(hidsim::liveEnumerationCount(), 0); // every enumeration list released
    }

    void recordsThatFailTheFilterAreNotOpened_data()
    {
        QTest::addColumn<hidsim::Device>("device");
        QTest::addColumn<int>("permitted");
        QTest::newRow("wrong vendor") << record(0x1234, 0x0411, 0xFF00) << 0x0411;
        QTest::newRow("consumer usage page") << record(0x2E7A, 0x0411, 0x000C) << 0x0411;
        QTest::newRow("usage page just below vendor range") << record(0x2E7A, 0x0411, 0xFEFF) << 0x0411;
        QTest::newRow("unsupported product id") << record(0x2E7A, 0x0413, 0xFF00) << 0x0413;
        QTest::newRow("no preset file for the product id") << record(0x2E7A, 0x0411, 0xFF00) << 0x0412;
    }
    void recordsThatFailTheFilterAreNotOpened()
    {
        QFETCH(hidsim::Device, device);
        QFETCH(int, permitted);
        hidsim::addDevice(device);
        permitProductId(static_cast<unsigned short>(permitted));
        LogRecorder log;
        QCOMPARE(usbHidOpenDevice(), -2);
        QCOMPARE(log.lines(), QStringList({"iDeviceNum == 0", "Please Insert USB Device!"}));
        QVERIFY(!g_hidDevice);
        QCOMPARE(g_nDeviceOpen, 0);
        QCOMPARE(hidsim::openCallCount(), 0);
    }

    void aSupportedHeadsetOpensWithItsIds_data()
    {
        QTest::addColumn<int>("pid");
        QTest::addColumn<int>("page");
        QTest::newRow("0411 on FF00") << 0x0411 << 0xFF00;
        QTest::newRow("0412 on FFFF") << 0x0412 << 0xFFFF;
    }
    void aSupportedHeadsetOpensWithItsIds()
    {
        QFETCH(int, pid);
        QFETCH(int, page);
        hidsim::addDevice(record(0x2E7A, 0x0411 ^ 0x0412 ^ static_cast<unsigned short>(pid), 0xFF00)); // the other model, not listed
        hidsim::addDevice(record(0x2E7A, static_cast<unsigned short>(pid), static_cast<unsigned short>(page)));
        permitProductId(static_cast<unsigned short>(pid));
        LogRecorder log;
        QCOMPARE(usbHidOpenDevice(), 0);
        QCOMPARE(log.lines(), QStringList({"iDeviceNum == 1", "Open Device!", "Open Device Success!"}));
        QVERIFY(g_hidDevice);
        QCOMPARE(g_nDeviceOpen, 1);
        QCOMPARE(int(g_sOpenVid), 0x2E7A);
        QCOMPARE(int(g_sOpenPid), pid);
        QCOMPARE(int(hidsim::lastOpenedDevice().usagePage), page);
    }

    void ofTwoMatchingInterfacesTheLaterIsOpened()
    {
        hidsim::addDevice(record(0x2E7A, 0x0411, 0xFF00, 3));
        hidsim::addDevice(record(0x2E7A, 0x0411, 0x000C, 3));
        hidsim::addDevice(record(0x2E7A, 0x0411, 0xFF01, 4));
        permitProductId(0x0411);
        LogRecorder log;
        QCOMPARE(usbHidOpenDevice(), 0);
        QCOMPARE(log.lines().value(0), QString("iDeviceNum == 2"));
        QCOMPARE(hidsim::lastOpenedDevice().interfaceNumber, 4);
        QCOMPARE(int(hidsim::lastOpenedDevice().usagePage), 0xFF01);
    }

    void anIdListedTwiceCountsTwiceAndOpensTheSameRecord()
    {
        hidsim::addDevice(record(0x2E7A, 0x0411, 0xFF00, 5));
        g_sPidList[0] = g_sPidList[1] = 0x0411;
        g_nPidCount = 2;
        LogRecorder log;
        QCOMPARE(usbHidOpenDevice(), 0);
        QCOMPARE(log.lines().value(0), QString("iDeviceNum == 2"));
        QCOMPARE(hidsim::lastOpenedDevice().interfaceNumber, 5);
        QCOMPARE(hidsim::openCallCount(), 1);
    }

    void withAHeadsetOpenNothingChanges()
    {
        QCOMPARE(openSimulatedHeadset(0x0411), 0);
        hid_device *const open = g_hidDevice;
        hidsim::addHeadset(0x0412);
        permitProductId(0x0412);
        QCOMPARE(usbHidOpenDevice(), -2);
        QCOMPARE(g_hidDevice, open);
        QCOMPARE(int(g_sOpenPid), 0x0411);
        QCOMPARE(hidsim::openCallCount(), 1);
    }

    void aFailingOpenKeepsTheLinkClosed()
    {
        hidsim::addHeadset(0x0412);
        permitProductId(0x0412);
        hidsim::setOpenFails(true);
        g_sOpenPid = 0x0411;
        LogRecorder log;
        QCOMPARE(usbHidOpenDevice(), -1);
        QVERIFY(log.contains("Open Device Fail!"));
        QVERIFY(!g_hidDevice);
        QCOMPARE(g_nDeviceOpen, 0);
        QCOMPARE(int(g_sOpenPid), 0x0411);
    }

    void aCorruptCountNeverReadsPastTheList()
    {
        hidsim::addHeadset(0x0411);
        g_sPidList[kMaxIdListSize - 1] = 0x0411;
        g_nPidCount = 5000;
        QCOMPARE(usbHidOpenDevice(), 0);
        g_sPidList[kMaxIdListSize - 1] = 0;
    }
};

QTEST_GUILESS_MAIN(TestHeadsetOpen)
#include "test_headset_open.moc"
