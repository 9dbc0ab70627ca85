// Watches the kernel's hidraw nodes coming and going, through a libudev monitor whose
// socket is read on the GUI thread. It stands where the window's registration for HID
// device-interface notifications stood: one object per window, never unregistered
// while the window lives.
//
// udev reports every hidraw node on its own, and one headset has several (one per HID
// interface), so a plug or a pull arrives as a burst of events. The monitor waits for
// the burst to end and then reports each physical device once: a removal if it went
// away, an arrival if it is there now (both, removal first, when it came back within
// the burst). So the window opens a headset once all its nodes are in place, and never
// re-opens a node of a headset whose other nodes are still being taken down.
#pragma once

#include "platform/udev/DeviceBroadcast.h"
#include "platform/udev/HidInterfaceName.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVector>

struct udev;
struct udev_monitor;
struct udev_device;
class QSocketNotifier;

class DeviceMonitor : public QObject
{
    Q_OBJECT
public:
    // How long the hidraw events must rest before a burst counts as over.
    static constexpr int kDefaultBurstQuietMs = 250;

    explicit DeviceMonitor(QObject *parent = nullptr);
    ~DeviceMonitor() override;

    // Opens the monitor on the "hidraw" subsystem and starts reading it on the event
    // loop of the calling thread. False when udev or its netlink socket is unavailable.
    bool start();
    bool isRunning() const { return m_notifier != nullptr; }

    // One udev event of a hidraw node ("add", "remove"; other actions change nothing).
    // The ids come from the devpath, or from the parent's properties when the path does
    // not name the HID device (hidId as udev's HID_ID, interfaceNumber as the USB
    // interface's bInterfaceNumber); the ids of an added node are kept for its removal,
    // whose event no longer has the parents.
    void handleEvent(const QString &action, const QString &devpath, const QString &hidId = {},
                     const QString &interfaceNumber = {});

    void setBurstQuietInterval(int milliseconds);
    // Reports the burst collected so far at once.
    void flushBurst();

signals:
    // A device-interface arrival or removal, one per physical device and burst.
    void deviceChanged(const DeviceChange &change);

private:
    struct NodeEvent {
        bool added = false;
        HidNodeIds ids;
    };

    void readPendingEvents();
    void readDevice(struct udev_device *device);
    HidNodeIds idsOfEvent(bool added, const QString &devpath, const QString &hidId,
                          const QString &interfaceNumber);
    void release();

    struct udev *m_udev = nullptr;
    struct udev_monitor *m_monitor = nullptr;
    QSocketNotifier *m_notifier = nullptr;

    QHash<QString, HidNodeIds> m_nodeIds; // devpath -> ids, for nodes seen arriving
    QVector<NodeEvent> m_burst;
    QTimer m_burstTimer;
};
