// From udev events of hidraw nodes to the device-interface broadcasts the window reads:
// the ids of real sysfs paths, the ids kept for a removal, bursts folded into one
// arrival or removal per headset, and the native form of a broadcast.
#include "TestEnv.h"

#include "platform/udev/DeviceMonitor.h"

#include <QSignalSpy>
#include <QtTest>

#include <cstring>
#include <vector>

Q_DECLARE_METATYPE(DeviceChange)

namespace {

const QString kUsbRoot = QStringLiteral("/devices/pci0000:00/0000:00:14.0/usb1/1-4");

// A hidraw node of interface `interface` of the headset at `root`.
QString node(const QString &root, int interface, const QString &hid, int number)
{
    return QStringLiteral("%1/%2:1.%3/%4/hidraw/hidraw%5")
        .arg(root, root.section(QLatin1Char('/'), -1))
        .arg(interface)
        .arg(hid)
        .arg(number);
}

struct Seen {
    quint32 event;
    QString name;
};

std::vector<Seen> changes(const QSignalSpy &spy)
{
    std::vector<Seen> seen;
    for (const QList<QVariant> &args : spy) {
        const auto change = args.at(0).value<DeviceChange>();
        seen.push_back({change.event, change.name});
    }
    return seen;
}

constexpr quint32 kIn = DeviceChange::kArrival;
constexpr quint32 kOut = DeviceChange::kRemoveComplete;

// A native broadcast as bytes: header {size, type, reserved} then the body.
QByteArray broadcast(quint32 type, const QByteArray &body, quint32 declaredSize = 0)
{
    const quint32 size = declaredSize ? declaredSize : quint32(12 + body.size());
    QByteArray bytes(12, '\0');
    std::memcpy(bytes.data(), &size, 4);
    std::memcpy(bytes.data() + 4, &type, 4);
    return bytes + body;
}

QByteArray interfaceBody(const QString &name)
{
    QByteArray body(16, '\x11'); // class id
    body.append(reinterpret_cast<const char *>(name.utf16()), (name.size() + 1) * 2);
    return body;
}

} // namespace

class TestUdevTranslation : public QObject
{
    Q_OBJECT
public:
    static void initMain() { tw::isolateTestEnvironment(); }

private slots:
    void initTestCase() { qRegisterMetaType<DeviceChange>(); }

    void namesFromSysfsPaths_data()
    {
        QTest::addColumn<QString>("devpath");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");
        const QString cls = QStringLiteral("#{4d1e55b2-f16f-11cf-88cb-001111000030}");
        QTest::newRow("usb, vendor interface")
            << node(kUsbRoot, 3, "0003:2E7A:0411.000B", 4)
            << QStringLiteral("\\\\?\\HID#VID_2E7A&PID_0411&MI_03#000B&HIDRAW4") + cls << kUsbRoot;
        QTest::newRow("behind a hub, interface 12, lower-case ids")
            << node(QStringLiteral("/devices/pci0000:00/0000:00:14.0/usb3/3-2/3-2.4"), 12, "0003:2e7a:0412.01a0", 17)
            << QStringLiteral("\\\\?\\HID#VID_2E7A&PID_0412&MI_0C#01A0&HIDRAW17") + cls
            << QStringLiteral("/devices/pci0000:00/0000:00:14.0/usb3/3-2/3-2.4");
        QTest::newRow("not on usb: no interface part")
            << QStringLiteral("/devices/virtual/misc/uhid/0003:2E7A:0411.0008/hidraw/hidraw3")
            << QStringLiteral("\\\\?\\HID#VID_2E7A&PID_0411#0008&HIDRAW3") + cls
            << QStringLiteral("/devices/virtual/misc/uhid/0003:2E7A:0411.0008");
        QTest::newRow("no hid device in the path") << QStringLiteral("/devices/virtual/misc/hidraw/hidraw0")
                                                   << QString() << QString();
        QTest::newRow("id too wide") << QStringLiteral("/devices/x/0003:12E7A:0411.0008/hidraw/hidraw3")
                                     << QString() << QString();
    }

    void namesFromSysfsPaths()
    {
        QFETCH(QString, devpath);
        QFETCH(QString, name);
        QFETCH(QString, key);
        const HidNodeIds ids = hidNodeIdsFromDevpath(devpath);
        QCOMPARE(deviceInterfaceName(ids), name);
        QCOMPARE(ids.deviceKey, key);
        if (!name.isEmpty()) // the vendor digits sit where the window looks for them
            QCOMPARE(name.mid(12, 4), QStringLiteral("2E7A"));
    }

    // A path that does not show the HID device: the arrival's parent properties give
    // the ids, and the removal, which has no parents any more, gets them back.
    void removalUsesTheIdsOfTheArrival()
    {
        DeviceMonitor monitor;
        QSignalSpy spy(&monitor, &DeviceMonitor::deviceChanged);
        const QString path = QStringLiteral("/devices/platform/odd-bus/dev0/hidraw/hidraw9");
        monitor.handleEvent("add", path, "0003:00002E7A:00000412", "03");
        monitor.flushBurst();
        monitor.handleEvent("remove", path);
        monitor.flushBurst();
        const auto seen = changes(spy);
        QCOMPARE(seen.size(), size_t(2));
        QCOMPARE(seen[0].event, kIn);
        QCOMPARE(seen[1].event, kOut);
        for (const Seen &s : seen)
            QVERIFY2(s.name.startsWith(QStringLiteral("\\\\?\\HID#VID_2E7A&PID_0412&MI_03#HIDRAW9#")), qPrintable(s.name));

        // Without an arrival seen first there is nothing to name it by.
        monitor.handleEvent("remove", QStringLiteral("/devices/platform/odd-bus/dev1/hidraw/hidraw8"));
        monitor.flushBurst();
        QCOMPARE(spy.count(), 2);
    }

    // One headset shows up as several nodes; whatever its nodes did within a burst,
    // the window hears of it once, removal before arrival.
    void burstsOfOneHeadset_data()
    {
        QTest::addColumn<QStringList>("events"); // "+N" adds node N, "-N" removes it
        QTest::addColumn<QList<quint32>>("expected");
        QTest::newRow("plug: three nodes") << QStringList{"+0", "+2", "+3"} << QList<quint32>{kIn};
        QTest::newRow("pull: three nodes") << QStringList{"-3", "-0", "-2"} << QList<quint32>{kOut};
        QTest::newRow("pulled and back") << QStringList{"-0", "-3", "+0", "+3"} << QList<quint32>{kOut, kIn};
        QTest::newRow("came and went") << QStringList{"+0", "+3", "-0", "-3"} << QList<quint32>{};
        QTest::newRow("bounced in") << QStringList{"+3", "-3", "+3"} << QList<quint32>{kIn};
        QTest::newRow("other actions") << QStringList{"~3", "~0"} << QList<quint32>{};
    }

    void burstsOfOneHeadset()
    {
        QFETCH(QStringList, events);
        QFETCH(QList<quint32>, expected);
        DeviceMonitor monitor;
        monitor.setBurstQuietInterval(150);
        QSignalSpy spy(&monitor, &DeviceMonitor::deviceChanged);
        for (const QString &e : events) {
            const QString action = e[0] == '+' ? "add" : e[0] == '-' ? "remove" : "change";
            const int interface = e.mid(1).toInt();
            monitor.handleEvent(action, node(kUsbRoot, interface, "0003:2E7A:0411.000B", 10 + interface));
        }
        QCOMPARE(spy.count(), 0); // nothing while the burst goes on
        // The quiet interval ends the burst; what it reported is all there is to report.
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), expected.size(), 10000);
        monitor.flushBurst();
        QList<quint32> got;
        for (const Seen &s : changes(spy)) {
            got << s.event;
            QVERIFY(s.name.startsWith(QStringLiteral("\\\\?\\HID#VID_2E7A&PID_0411&MI_0")));
        }
        QCOMPARE(got, expected);
    }

    // Two headsets in one burst: each reported on its own, removals first.
    void burstOfTwoHeadsets()
    {
        DeviceMonitor monitor;
        QSignalSpy spy(&monitor, &DeviceMonitor::deviceChanged);
        const QString other = QStringLiteral("/devices/pci0000:00/0000:00:14.0/usb1/1-5");
        monitor.handleEvent("add", node(other, 3, "0003:2E7A:0412.000C", 7));
        monitor.handleEvent("remove", node(kUsbRoot, 3, "0003:2E7A:0411.000B", 4));
        monitor.handleEvent("remove", node(kUsbRoot, 0, "0003:2E7A:0411.000A", 3));
        monitor.flushBurst();
        const auto seen = changes(spy);
        QCOMPARE(seen.size(), size_t(2));
        QCOMPARE(seen[0].event, kOut);
        QVERIFY(seen[0].name.contains(QStringLiteral("PID_0411&MI_03#000B&HIDRAW4")));
        QCOMPARE(seen[1].event, kIn);
        QVERIFY(seen[1].name.contains(QStringLiteral("PID_0412&MI_03#000C&HIDRAW7")));
    }

    // The native form: the broadcast is read within its own size only.
    void nativeBroadcasts()
    {
        const QString name = QStringLiteral("\\\\?\\HID#VID_2E7A&PID_0411&MI_03#1&2#{x}");
        QByteArray bytes = broadcast(DeviceChange::kTypeDeviceInterface, interfaceBody(name));
        NativeMessage msg{nullptr, kMessageDeviceChange, DeviceChange::kArrival, qintptr(bytes.constData())};
        QCOMPARE(nativeMessage("xcb_generic_event_t", &msg), nullptr);
        QCOMPARE(nativeMessage("windows_generic_MSG", &msg), &msg);

        auto change = deviceChangeFromMessage(msg);
        QVERIFY(change);
        QCOMPARE(change->name, name);
        QCOMPARE(change->size, quint32(bytes.size()));
        QCOMPARE(change->size, DeviceChange::deviceInterface(kIn, name).size);

        // A size that cuts the name short: the name stops there, no further byte is read.
        QByteArray cut = broadcast(DeviceChange::kTypeDeviceInterface, interfaceBody(name), 28 + 8);
        msg.lParam = qintptr(cut.constData());
        QCOMPARE(deviceChangeFromMessage(msg)->name, name.left(4));

        // A header that claims less than itself, another message, another event.
        QByteArray tiny = broadcast(DeviceChange::kTypeDeviceInterface, {}, 8);
        msg.lParam = qintptr(tiny.constData());
        QVERIFY(!deviceChangeFromMessage(msg));
        msg.lParam = qintptr(bytes.constData());
        msg.wParam = 0x0007; // the device tree changed, nothing named
        QVERIFY(!deviceChangeFromMessage(msg));
        msg.wParam = DeviceChange::kRemoveComplete;
        msg.message = kMessageDpiChanged;
        QVERIFY(!deviceChangeFromMessage(msg));

        // A volume: its flags, after the unit mask.
        QByteArray volume = broadcast(DeviceChange::kTypeVolume, QByteArray("\x04\0\0\0\x01\0", 6));
        msg = {nullptr, kMessageDeviceChange, DeviceChange::kRemoveComplete, qintptr(volume.constData())};
        change = deviceChangeFromMessage(msg);
        QVERIFY(change);
        QCOMPARE(change->deviceType, DeviceChange::kTypeVolume);
        QCOMPARE(change->volumeFlags, quint16(1));
        QVERIFY(change->name.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestUdevTranslation)
#include "test_udev_translation.moc"
