// Device arrival and removal: the headset plugged in or pulled out while the program
// runs, the 60 s re-open timer, and the small move that makes the window lay itself
// out again after the screen's DPI changed. The udev monitor is the source of device
// changes here; the native-message hook reads the same record when one carries it.
#include "window/MainWindow.h"

#include "app/Prompt.h"
#include "headset/MyThread.h"
#include "headset/UsbHidOperation.h"
#include "platform/udev/DeviceBroadcast.h"
#include "platform/udev/DeviceMonitor.h"

#include <QApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QTimer>
#include <QWindow>

namespace {

// The vendor and product parts of a HID device-interface name: the text between the
// first and second "#", split at "&" ("VID_2E7A", "PID_0411"); empty when missing.
struct InterfaceIds {
    QString vendor;
    QString product;
};

InterfaceIds interfaceIds(const QString &name)
{
    const QStringList ids = name.toUpper().split(QLatin1Char('#')).value(1).split(QLatin1Char('&'));
    return {ids.value(0), ids.value(1)};
}

bool isSupportedHeadset(const InterfaceIds &ids)
{
    return ids.vendor == QLatin1String("VID_2E7A")
        && (ids.product == QLatin1String("PID_0412") || ids.product == QLatin1String("PID_0411"));
}

} // namespace

void MainWindow::connectDeviceNotifications()
{
    connect(m_pDeviceMonitor, &DeviceMonitor::deviceChanged, this, &MainWindow::onDeviceChange);
    for (QScreen *screen : QGuiApplication::screens())
        watchScreenDpi(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, &MainWindow::watchScreenDpi);
}

bool MainWindow::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
    Q_UNUSED(result);
    const NativeMessage *msg = nativeMessage(eventType, message);
    if (!msg)
        return false;
    if (msg->message == kMessageDpiChanged)
        scheduleDpiNudge();
    if (const std::optional<DeviceChange> change = deviceChangeFromMessage(*msg))
        onDeviceChange(*change);
    return false;
}

void MainWindow::onDeviceChange(const DeviceChange &change)
{
    const bool arrival = change.event == DeviceChange::kArrival;
    if (!arrival && change.event != DeviceChange::kRemoveComplete)
        return;
    if (change.deviceType == DeviceChange::kTypeVolume && change.volumeFlags == 0)
        qDebug().noquote() << (arrival ? QStringLiteral("插入U盘") : QStringLiteral("移除U盘"));
    if (change.deviceType != DeviceChange::kTypeDeviceInterface)
        return;

    qDebug() << "------------------------------";
    if (arrival) {
        qDebug().noquote() << QStringLiteral("插入设备(name):") << change.name;
        qDebug().noquote() << QStringLiteral("插入设备(size):") << change.size;
    } else {
        qDebug().noquote() << change.name;
        qDebug().noquote() << change.name.mid(12, 4);
        qDebug().noquote() << QStringLiteral("移除设备(name)：") << change.name;
        qDebug().noquote() << QStringLiteral("移除设备(size)：") << change.size;
    }
    const InterfaceIds ids = interfaceIds(change.name);
    if (!isSupportedHeadset(ids))
        return;
    if (!arrival && removedHeadsetIsOpen(change.name))
        closeOpenHeadset();
    // After a removal this opens another connected headset, if there is one; with a
    // headset open already it finds nothing to open and changes nothing.
    InitDeviceInput();
}

bool MainWindow::removedHeadsetIsOpen(const QString &name) const
{
    // A second headset going away leaves the open one alone. Two headsets of one model
    // carry the same ids, and the broadcast may name any node of the removed headset,
    // so the open one counts as removed only once its own node is gone.
    return g_hidDevice && g_nDeviceOpen == 1
        && name.mid(12, 4).compare(QLatin1String("2e7a"), Qt::CaseInsensitive) == 0 && !usbHidOpenDeviceListed();
}

void MainWindow::closeOpenHeadset()
{
    qDebug() << "Close Thread!";
    g_nDeviceOpen = 0;
    // The handle is closed only once the receive thread is out of its last read.
    if (m_pMyThread)
        m_pMyThread->stopAndWait();
    stopReconnectTimer();
    hid_close(g_hidDevice);
    g_hidDevice = nullptr;

    setPanelState(1);
    ui.tabWidget->setTabEnabled(0, true);
    ui.tabWidget->setTabEnabled(1, true);
    m_nSpecial = 0;
    ui.label_Spectrum->setStyleSheet(QString());
    ui.widget_Spectrum->hide();
    clearBandGainStrings();
    resetPagesWithoutSaving();
}

void MainWindow::resetPagesWithoutSaving()
{
    // What the two Reset buttons do to the window: the active page's sliders go back to
    // the selected slot's stored gains and both button pairs go grey. Their Save is left
    // out: pulling the headset out is no edit, and must not rewrite its user file.
    if (m_fTabStatus == 1)
        setStereoSlidersFromParameter();
    else if (m_fTabStatus == 2)
        setSurroundSlidersFromParameter();
    On_Button_Reset1();
    On_Button_Reset2();
}

int MainWindow::InitDeviceInput()
{
    const int result = usbHidOpenDevice();
    if (result != 0) {
        tellOpenRefusedOnce();
        return result;
    }
    if (isHidden()) {
        show();
        m_pSystemTray->show();
    }
    stopReconnectTimer(); // the new headset's open starts its own
    startHeadsetLink();
    qDebug() << "Create Thread!";
    return 0;
}

void MainWindow::tellOpenRefusedOnce()
{
    // Once per start: the log has every refusal, a box at every replug would nag.
    if (!usbHidOpenRefused() || m_fOpenRefusedTold)
        return;
    m_fOpenRefusedTold = true;
    // Queued, so that the box holds up neither the start-up nor the device handling.
    QTimer::singleShot(0, this, [] { promptWarning(nullptr, QStringLiteral("prompt"), usbHidOpenRefusedText()); });
}

void MainWindow::stopReconnectTimer()
{
    if (m_nReconnectTimerId != 0)
        killTimer(m_nReconnectTimerId);
    m_nReconnectTimerId = 0;
}

void MainWindow::reopenHeadset()
{
    // A headset found here is opened the whole way, threads and requests included.
    if (g_nDeviceOpen == 0)
        InitDeviceInput();
}

void MainWindow::watchScreenDpi(QScreen *screen)
{
    connect(screen, &QScreen::logicalDotsPerInchChanged, this, [this, screen] {
        const QWindow *window = windowHandle();
        const QScreen *current = window ? window->screen() : QGuiApplication::primaryScreen();
        if (screen == current)
            scheduleDpiNudge();
    });
}

void MainWindow::scheduleDpiNudge()
{
    const QPoint position = pos();
    // A small move there and back makes the window lay itself out for the new DPI.
    auto widgetNudgeLambda = [this, position] {
        move(position.x() + 2, position.y());
        QApplication::processEvents();
        Sleep(10);
        move(position.x() - 1, position.y());
        QApplication::processEvents();
        Sleep(10);
        move(position);
        QApplication::processEvents();
        qDebug() << "=====size=====" << size();
    };
    QTimer::singleShot(100, this, widgetNudgeLambda);
}
