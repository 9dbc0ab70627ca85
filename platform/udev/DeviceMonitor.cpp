#include "platform/udev/DeviceMonitor.h"

#include <QSocketNotifier>

#include <libudev.h>

DeviceMonitor::DeviceMonitor(QObject *parent) : QObject(parent) {}

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
        const char *action = udev_device_get_action(device);
        const char *devpath = udev_device_get_devpath(device);
        const char *devnode = udev_device_get_devnode(device);
        const QString actionText = QString::fromLatin1(action ? action : "");
        const QString pathText = QString::fromLocal8Bit(devpath ? devpath : "");
        const QString nodeText = QString::fromLocal8Bit(devnode ? devnode : "");
        udev_device_unref(device);
        emit hidrawEvent(actionText, pathText, nodeText);
    }
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
