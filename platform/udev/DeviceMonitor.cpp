#include "platform/udev/DeviceMonitor.h"

#include <QSocketNotifier>
#include <QStringList>

#include <libudev.h>

#include <algorithm>

namespace {

QString text(const char *value)
{
    return QString::fromLocal8Bit(value ? value : "");
}

// What one physical device did within a burst, from the first and last of its events.
struct DeviceOutcome {
    QString key;
    HidNodeIds removed; // valid: report a removal (it was there before the burst)
    HidNodeIds added;   // valid: report an arrival (it is there after the burst)
};

} // namespace

DeviceMonitor::DeviceMonitor(QObject *parent) : QObject(parent)
{
    m_burstTimer.setSingleShot(true);
    m_burstTimer.setInterval(kDefaultBurstQuietMs);
    connect(&m_burstTimer, &QTimer::timeout, this, &DeviceMonitor::flushBurst);
}

DeviceMonitor::~DeviceMonitor()
{
    release();
}

bool DeviceMonitor::start()
{
    if (m_notifier)
        return true;
    m_udev = udev_new();
    if (!m_udev)
        return false;
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_monitor || udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) < 0
        || udev_monitor_enable_receiving(m_monitor) < 0) {
        release();
        return false;
    }
    const int fd = udev_monitor_get_fd(m_monitor);
    if (fd < 0) {
        release();
        return false;
    }
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &DeviceMonitor::readPendingEvents);
    return true;
}

void DeviceMonitor::readPendingEvents()
{
    // The socket is non-blocking: drain every queued event so the notifier rests again.
    while (m_monitor) {
        struct udev_device *device = udev_monitor_receive_device(m_monitor);
        if (!device)
            break;
        readDevice(device);
        udev_device_unref(device);
    }
}

void DeviceMonitor::readDevice(struct udev_device *device)
{
    const QString action = text(udev_device_get_action(device));
    const QString devpath = text(udev_device_get_devpath(device));

    // An arriving node still has its parents; keep their ids in case the path does not
    // show them.
    QString hidId;
    QString interfaceNumber;
    if (action == QLatin1String("add")) {
        if (struct udev_device *hid = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr))
            hidId = text(udev_device_get_property_value(hid, "HID_ID"));
        if (struct udev_device *intf = udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_interface"))
            interfaceNumber = text(udev_device_get_sysattr_value(intf, "bInterfaceNumber"));
    }
    handleEvent(action, devpath, hidId, interfaceNumber);
}

HidNodeIds DeviceMonitor::idsOfEvent(bool added, const QString &devpath, const QString &hidId,
                                     const QString &interfaceNumber)
{
    if (added) {
        HidNodeIds ids = hidNodeIdsFromDevpath(devpath);
        if (!ids.valid)
            ids = hidNodeIdsFromProperties(devpath, hidId, interfaceNumber);
        if (ids.valid)
            m_nodeIds.insert(devpath, ids);
        return ids;
    }
    const HidNodeIds cached = m_nodeIds.take(devpath);
    return cached.valid ? cached : hidNodeIdsFromDevpath(devpath);
}

void DeviceMonitor::handleEvent(const QString &action, const QString &devpath, const QString &hidId,
                                const QString &interfaceNumber)
{
    const bool added = action == QLatin1String("add");
    if (!added && action != QLatin1String("remove"))
        return;
    const HidNodeIds ids = idsOfEvent(added, devpath, hidId, interfaceNumber);
    if (!ids.valid)
        return;
    m_burst.append({added, ids});
    m_burstTimer.start(); // (re)starts the quiet interval
}

void DeviceMonitor::setBurstQuietInterval(int milliseconds)
{
    m_burstTimer.setInterval(milliseconds);
}

void DeviceMonitor::flushBurst()
{
    m_burstTimer.stop();
    QVector<DeviceOutcome> outcomes;
    for (const NodeEvent &event : qAsConst(m_burst)) {
        auto it = std::find_if(outcomes.begin(), outcomes.end(),
                               [&](const DeviceOutcome &o) { return o.key == event.ids.deviceKey; });
        if (it == outcomes.end()) {
            // A device whose burst begins with a removal was there before it.
            outcomes.append({event.ids.deviceKey, event.added ? HidNodeIds() : event.ids, HidNodeIds()});
            it = outcomes.end() - 1;
        }
        // Whatever the device's last event says is where it stands now.
        it->added = event.added ? event.ids : HidNodeIds();
    }
    m_burst.clear();

    // Removals first: a headset that took the place of another is opened after the
    // other was let go.
    for (const DeviceOutcome &outcome : qAsConst(outcomes))
        if (outcome.removed.valid)
            emit deviceChanged(DeviceChange::deviceInterface(DeviceChange::kRemoveComplete,
                                                             deviceInterfaceName(outcome.removed)));
    for (const DeviceOutcome &outcome : qAsConst(outcomes))
        if (outcome.added.valid)
            emit deviceChanged(DeviceChange::deviceInterface(DeviceChange::kArrival,
                                                             deviceInterfaceName(outcome.added)));
}

void DeviceMonitor::release()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    m_monitor = nullptr;
    if (m_udev)
        udev_unref(m_udev);
    m_udev = nullptr;
}
