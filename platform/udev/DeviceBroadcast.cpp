#include "platform/udev/DeviceBroadcast.h"

#include <cstring>

namespace {

constexpr quint32 kHeaderSize = 12;          // size, device type, reserved
constexpr quint32 kVolumeFlagsOffset = 16;   // after the header and the unit mask
constexpr quint32 kInterfaceNameOffset = 28; // after the header and the class id

quint32 readWord(const unsigned char *bytes, quint32 offset)
{
    quint32 value = 0;
    std::memcpy(&value, bytes + offset, sizeof value);
    return value;
}

// The NUL-terminated UTF-16 name within the first `size` bytes of the broadcast.
QString interfaceName(const unsigned char *bytes, quint32 size)
{
    if (size <= kInterfaceNameOffset)
        return {};
    const quint32 capacity = (size - kInterfaceNameOffset) / sizeof(char16_t);
    QString name;
    for (quint32 i = 0; i < capacity; ++i) {
        char16_t unit = 0;
        std::memcpy(&unit, bytes + kInterfaceNameOffset + i * sizeof unit, sizeof unit);
        if (unit == 0)
            break;
        name.append(QChar(unit));
    }
    return name;
}

} // namespace

DeviceChange DeviceChange::deviceInterface(quint32 event, const QString &name)
{
    DeviceChange change;
    change.event = event;
    change.deviceType = kTypeDeviceInterface;
    change.size = kInterfaceNameOffset + quint32(name.size() + 1) * quint32(sizeof(char16_t));
    change.name = name;
    return change;
}

const NativeMessage *nativeMessage(const QByteArray &eventType, const void *message)
{
    if (!message || eventType != "windows_generic_MSG")
        return nullptr;
    return static_cast<const NativeMessage *>(message);
}

std::optional<DeviceChange> deviceChangeFromMessage(const NativeMessage &message)
{
    if (message.message != kMessageDeviceChange
        || (message.wParam != DeviceChange::kArrival && message.wParam != DeviceChange::kRemoveComplete))
        return std::nullopt;
    const auto *bytes = reinterpret_cast<const unsigned char *>(message.lParam);
    if (!bytes)
        return std::nullopt;
    DeviceChange change;
    change.event = quint32(message.wParam);
    change.size = readWord(bytes, 0);
    if (change.size < kHeaderSize)
        return std::nullopt;
    change.deviceType = readWord(bytes, 4);
    if (change.deviceType == DeviceChange::kTypeVolume && change.size >= kVolumeFlagsOffset + 2)
        std::memcpy(&change.volumeFlags, bytes + kVolumeFlagsOffset, sizeof change.volumeFlags);
    if (change.deviceType == DeviceChange::kTypeDeviceInterface)
        change.name = interfaceName(bytes, change.size);
    return change;
}
