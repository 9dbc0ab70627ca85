// udev events carry sysfs paths the kernel made up from device-supplied ids: any run of
// add and remove events with any paths must come out as well-formed broadcasts, at
// most one removal and one arrival per device and burst.
#include "platform/udev/DeviceMonitor.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

namespace {

void check(const DeviceChange &change)
{
    const QStringList parts = change.name.split(QLatin1Char('#'));
    if (parts.size() != 4 || parts[0] != QLatin1String("\\\\?\\HID") || !parts[1].startsWith(QLatin1String("VID_"))
        || parts[3] != kHidInterfaceClass || change.name.mid(12, 4) != parts[1].mid(4, 4))
        std::abort();
    if (change.event != DeviceChange::kArrival && change.event != DeviceChange::kRemoveComplete)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_hidraw_events";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);

    // One event a line: "+path" adds a node, "-path" removes it, anything else is
    // another action.
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char *>(data), int(size)).split(QLatin1Char('\n'));
    DeviceMonitor monitor;
    int changes = 0;
    QObject::connect(&monitor, &DeviceMonitor::deviceChanged, [&](const DeviceChange &change) {
        check(change);
        ++changes;
    });
    QStringList keys;
    for (const QString &line : lines) {
        const QString action = line.startsWith('+') ? "add" : line.startsWith('-') ? "remove" : "change";
        const QString path = line.mid(1);
        const QString hidId = path.section(' ', 1, 1);
        const QString interface = path.section(' ', 2, 2);
        monitor.handleEvent(action, path, hidId, interface);
        keys << hidNodeIdsFromDevpath(path).deviceKey << hidNodeIdsFromProperties(path, hidId, interface).deviceKey;
    }
    monitor.flushBurst();
    keys.removeDuplicates();
    if (changes > 2 * keys.size())
        std::abort();
    return 0;
}
