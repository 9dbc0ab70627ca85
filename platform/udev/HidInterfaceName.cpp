#include "platform/udev/HidInterfaceName.h"

#include <QRegularExpression>
#include <QStringList>

const QString kHidInterfaceClass = QStringLiteral("{4d1e55b2-f16f-11cf-88cb-001111000030}");

namespace {

// The kernel names a HID device "%04X:%04X:%04X.%04X": bus, vendor, product, sequence.
const QRegularExpression &hidDeviceSegment()
{
    static const QRegularExpression re(
        QStringLiteral("^[0-9A-Fa-f]{4}:([0-9A-Fa-f]{4}):([0-9A-Fa-f]{4})\\.([0-9A-Fa-f]{4,})$"));
    return re;
}

// A USB interface is "<bus>-<port path>:<configuration>.<interface>", all decimal.
const QRegularExpression &usbInterfaceSegment()
{
    static const QRegularExpression re(QStringLiteral("^\\d+-[\\d.]+:\\d+\\.(\\d+)$"));
    return re;
}

bool parseHex16(const QString &text, quint16 *value)
{
    bool ok = false;
    const uint parsed = text.toUInt(&ok, 16);
    if (!ok || parsed > 0xFFFF)
        return false;
    *value = quint16(parsed);
    return true;
}

// The node's own name ("hidraw4"): the last segment of a ".../hidraw/hidrawN" path.
// "#" separates the parts of the interface name, so it cannot stand inside one.
QString nodeName(const QStringList &segments)
{
    return segments.isEmpty() ? QString() : QString(segments.last()).replace(QLatin1Char('#'), QLatin1Char('_'));
}

} // namespace

HidNodeIds hidNodeIdsFromDevpath(const QString &devpath)
{
    const QStringList segments = devpath.split(QLatin1Char('/'));
    HidNodeIds ids;
    for (int i = segments.size() - 1; i >= 0; --i) {
        const QRegularExpressionMatch hid = hidDeviceSegment().match(segments.at(i));
        if (!hid.hasMatch())
            continue;
        if (!parseHex16(hid.captured(1), &ids.vendorId) || !parseHex16(hid.captured(2), &ids.productId))
            return {};
        ids.instance = (hid.captured(3) + QLatin1Char('&') + nodeName(segments)).toUpper();
        const QRegularExpressionMatch usb =
            i > 0 ? usbInterfaceSegment().match(segments.at(i - 1)) : QRegularExpressionMatch();
        if (usb.hasMatch()) {
            ids.interfaceNumber = usb.captured(1).toInt();
            // Every interface of one USB device hangs below the device's own folder.
            ids.deviceKey = segments.mid(0, i - 1).join(QLatin1Char('/'));
        } else {
            ids.deviceKey = segments.mid(0, i + 1).join(QLatin1Char('/'));
        }
        ids.valid = true;
        return ids;
    }
    return ids;
}

HidNodeIds hidNodeIdsFromProperties(const QString &devpath, const QString &hidId,
                                    const QString &interfaceNumber)
{
    const QStringList parts = hidId.split(QLatin1Char(':'));
    HidNodeIds ids;
    if (parts.size() != 3 || !parseHex16(parts.at(1), &ids.vendorId) || !parseHex16(parts.at(2), &ids.productId))
        return {};
    bool ok = false;
    const int number = interfaceNumber.toInt(&ok, 16);
    ids.interfaceNumber = ok ? number : -1;
    QStringList segments = devpath.split(QLatin1Char('/'));
    ids.instance = nodeName(segments).toUpper();
    // Without a HID device in the path, the node's own folder stands for the device.
    if (segments.size() >= 2 && segments.at(segments.size() - 2) == QLatin1String("hidraw"))
        segments = segments.mid(0, segments.size() - 2);
    ids.deviceKey = segments.join(QLatin1Char('/'));
    ids.valid = true;
    return ids;
}

QString deviceInterfaceName(const HidNodeIds &ids)
{
    if (!ids.valid)
        return {};
    const QString interfacePart =
        ids.interfaceNumber >= 0 ? QString::asprintf("&MI_%02X", unsigned(ids.interfaceNumber)) : QString();
    return QStringLiteral("\\\\?\\HID#") + QString::asprintf("VID_%04X&PID_%04X", ids.vendorId, ids.productId)
        + interfacePart + QLatin1Char('#') + ids.instance + QLatin1Char('#') + kHidInterfaceClass;
}
