// Device-change broadcasts: what a window learns when a device arrives or goes away.
// The udev monitor delivers them as DeviceChange records; the native-message form
// below is the one a window hook receives as "windows_generic_MSG", kept so the hook
// reads the same record out of either.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

struct DeviceChange {
    static constexpr quint32 kArrival = 0x8000;        // the device has arrived
    static constexpr quint32 kRemoveComplete = 0x8004; // the device is gone
    static constexpr quint32 kTypeVolume = 2;          // a storage volume
    static constexpr quint32 kTypeDeviceInterface = 5; // a device interface, named

    quint32 event = 0;
    quint32 deviceType = 0;
    quint32 size = 0;        // bytes of the whole broadcast
    quint16 volumeFlags = 0; // volume broadcasts only
    QString name;            // device-interface broadcasts only

    // A device-interface broadcast of this name, sized as its native form would be.
    static DeviceChange deviceInterface(quint32 event, const QString &name);
};

// The native message a window hook receives, and the parts of a broadcast in it.
constexpr quint32 kMessageDeviceChange = 0x0219;
constexpr quint32 kMessageDpiChanged = 0x02E0;

struct NativeMessage {
    void *window = nullptr;
    quint32 message = 0;
    quintptr wParam = 0;
    qintptr lParam = 0; // the broadcast: header {size, type, reserved}, then its body
};

// The message of a native event of this type, or null when the type is not that form.
const NativeMessage *nativeMessage(const QByteArray &eventType, const void *message);

// The device-change broadcast a native message carries: an arrival or a completed
// removal whose broadcast holds at least its header. The name is read no further
// than the broadcast's own size says.
std::optional<DeviceChange> deviceChangeFromMessage(const NativeMessage &message);
