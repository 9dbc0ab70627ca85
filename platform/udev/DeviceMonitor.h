// Watches the kernel's hidraw nodes coming and going, through a libudev monitor whose
// socket is read on the GUI thread. It stands where the window's registration for HID
// device-interface notifications stood: one object per window, never unregistered
// while the window lives.
#pragma once

#include <QObject>
#include <QString>

struct udev;
struct udev_monitor;
class QSocketNotifier;

class DeviceMonitor : public QObject
{
    Q_OBJECT
public:
    explicit DeviceMonitor(QObject *parent = nullptr);
    ~DeviceMonitor() override;

    // Opens the monitor on the "hidraw" subsystem and starts reading it on the event
    // loop of the calling thread. False when udev or its netlink socket is unavailable.
    bool start();
    bool isRunning() const { return m_notifier != nullptr; }

signals:
    // One udev event of a hidraw node: action "add", "remove", ...; the node's sysfs path
    // (devpath) and its device node (for example /dev/hidraw3, empty when unknown).
    void hidrawEvent(const QString &action, const QString &devpath, const QString &devnode);

private:
    void readPendingEvents();
    void release();

    struct udev *m_udev = nullptr;
    struct udev_monitor *m_monitor = nullptr;
    QSocketNotifier *m_notifier = nullptr;
};
