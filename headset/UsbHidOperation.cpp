#include "headset/UsbHidOperation.h"

#include "app/LogHandler.h"
#include "app/RuntimeFolder.h"

#include <QDebug>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>

hid_device *g_hidDevice = nullptr;
int g_nDeviceOpen = 0;
unsigned short g_sOpenVid = 0;
unsigned short g_sOpenPid = 0;
QByteArray g_baOpenNode;
const QVector<int> g_vecSupportPid = {0x0411, 0x0412};

unsigned short g_sPidList[kMaxIdListSize] = {};
int g_nPidCount = 0;
unsigned short g_sVidList[kMaxIdListSize] = {};
int g_nVidCount = 0;

namespace {
bool g_fOpenRefused = false;
}

namespace {

// The vendor-defined usage pages are 0xFF00 to 0xFFFF.
bool isVendorUsagePage(unsigned short usagePage)
{
    return (usagePage >> 8) == 0xFF;
}

// How many of the used entries of g_sPidList name this product id.
int permittedIdMatches(unsigned short productId)
{
    const int listed = std::clamp(g_nPidCount, 0, kMaxIdListSize);
    return int(std::count(g_sPidList, g_sPidList + listed, productId));
}

struct ChosenDevice {
    unsigned short vendorId = 0;
    unsigned short productId = 0;
    int interfaceNumber = 0;
    unsigned short usagePage = 0;
};

// The node hid_open opens for the chosen ids: like hidapi's, it takes the first record
// of the enumeration that matches them, which need not be the chosen record when two
// headsets of one model are connected.
QByteArray nodeOpenedFor(const hid_device_info *devices, const ChosenDevice &chosen)
{
    for (const hid_device_info *d = devices; d; d = d->next)
        if (d->vendor_id == chosen.vendorId && d->product_id == chosen.productId
            && d->interface_number == chosen.interfaceNumber && d->usage_page == chosen.usagePage)
            return QByteArray(d->path);
    return {};
}

} // namespace

int usbHidOpenDevice()
{
    g_fOpenRefused = false;
    hid_device_info *devices = hid_enumerate(0, 0);
    int matchCount = 0;
    ChosenDevice chosen;
    for (const hid_device_info *d = devices; d; d = d->next) {
        if (d->vendor_id != kHeadsetVendorId || !isVendorUsagePage(d->usage_page)
            || !g_vecSupportPid.contains(d->product_id) || g_nDeviceOpen != 0)
            continue;
        // Each list entry naming the id counts; a later matching record replaces an
        // earlier one, so the last match is opened.
        for (int i = permittedIdMatches(d->product_id); i > 0; --i) {
            ++matchCount;
            chosen = {d->vendor_id, d->product_id, d->interface_number, d->usage_page};
            debugLog(QStringLiteral("OpenDevice"), QStringLiteral("Recognized device"), QStringLiteral(__FILE__),
                     QStringLiteral("usbHidOpenDevice"), __LINE__);
        }
    }
    const QByteArray node = matchCount > 0 ? nodeOpenedFor(devices, chosen) : QByteArray();
    hid_free_enumeration(devices);

    qDebug().noquote() << QStringLiteral("iDeviceNum == %1").arg(matchCount);
    if (matchCount == 0) {
        qDebug() << "Please Insert USB Device!";
        return -2;
    }
    qDebug() << "Open Device!";
    g_hidDevice = hid_open(chosen.vendorId, chosen.productId, static_cast<unsigned short>(chosen.interfaceNumber),
                           nullptr, chosen.usagePage);
    if (!g_hidDevice) {
        const int error = errno;
        g_fOpenRefused = error == EACCES || error == EPERM;
        qDebug() << "Open Device Fail!";
        // Without this line a headset the user may not open looks like no headset at all.
        if (g_fOpenRefused)
            qWarning().noquote() << usbHidOpenRefusedText();
        return -1;
    }
    qDebug() << "Open Device Success!";
    g_sOpenVid = chosen.vendorId;
    g_sOpenPid = chosen.productId;
    g_baOpenNode = node;
    usbHidResetAudioFlags();
    hid_set_nonblocking(g_hidDevice, 1);
    g_nDeviceOpen = 1;
    return 0;
}

bool usbHidOpenRefused()
{
    return g_fOpenRefused;
}

QString usbHidOpenRefusedText()
{
    QString rule = udevRuleFile();
    const bool ruleRead = udevReadsRuleFile(rule);
    if (rule.contains(QRegularExpression(QStringLiteral("[^A-Za-z0-9/._+-]"))))
        rule = QLatin1Char('\'') + rule.replace(QLatin1Char('\''), QStringLiteral("'\\''")) + QLatin1Char('\'');
    // Installed where udev reads rules (make install's /usr/local/lib/udev/rules.d, a
    // package's udev folder), the rule only waits for udev to reload; a copy in
    // /etc/udev/rules.d would hide later updates of it. Anywhere else it is copied to
    // /etc/udev/rules.d, the administrator's folder.
    const QString reload = QStringLiteral(
        "sudo udevadm control --reload && sudo udevadm trigger --subsystem-match=hidraw, then unplug and replug the "
        "headset.");
    const QString refused = QStringLiteral("The headset is connected, but this user may not open it (permission denied). ");
    if (ruleRead)
        return refused + QStringLiteral("The udev rule %1 is in place; have udev read it: ").arg(rule) + reload;
    return refused + QStringLiteral("Install the udev rule: sudo install -m 644 %1 /etc/udev/rules.d/ && ").arg(rule)
           + reload;
}

bool usbHidOpenDeviceListed()
{
    hid_device_info *devices = hid_enumerate(g_sOpenVid, g_sOpenPid);
    bool listed = false;
    for (const hid_device_info *d = devices; d && !listed; d = d->next)
        listed = d->path && g_baOpenNode == d->path;
    hid_free_enumeration(devices);
    return listed;
}
