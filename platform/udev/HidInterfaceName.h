// Turns a hidraw node's place in sysfs into the name a HID device interface goes by in
// a device-change broadcast: "\\?\HID#VID_2E7A&PID_0411&MI_03#<instance>#{<class>}".
// The window recognises a headset by the "VID_" and "PID_" parts of that name, so
// everything upstream of it only has to produce the name.
#pragma once

#include <QString>

// The HID device-interface class, as the name's last part carries it.
extern const QString kHidInterfaceClass;

// What a hidraw node tells about the HID device it belongs to.
struct HidNodeIds {
    bool valid = false;
    quint16 vendorId = 0;
    quint16 productId = 0;
    int interfaceNumber = -1; // USB interface number; -1 for a HID device not on USB
    QString instance;         // tells apart two nodes with the same ids
    QString deviceKey;        // the physical device: one key for all nodes of one headset
};

// Reads the ids out of a hidraw devpath such as
// "/devices/pci0000:00/0000:00:14.0/usb1/1-4/1-4:1.3/0003:2E7A:0411.000B/hidraw/hidraw4":
// the parent HID device's sysfs name gives bus, vendor, product and sequence number,
// the USB interface's name ("1-4:1.3") the interface number. Invalid when the path
// holds no HID device.
HidNodeIds hidNodeIdsFromDevpath(const QString &devpath);

// The same ids from udev properties, as an arriving node's parents carry them: the HID
// device's HID_ID ("0003:00002E7A:00000411") and the interface's bInterfaceNumber
// (two hex digits, empty when not on USB).
HidNodeIds hidNodeIdsFromProperties(const QString &devpath, const QString &hidId,
                                    const QString &interfaceNumber);

// "\\?\HID#VID_2E7A&PID_0411&MI_03#000B&HIDRAW4#{...}"; empty for invalid ids.
QString deviceInterfaceName(const HidNodeIds &ids);
