// The window's side of the headset link: the device monitor, the open sequence with
// its worker threads, the connections of their signals, and the window's own timers.
#include "window/MainWindow.h"

#include "headset/MyThread.h"
#include "headset/MyThread_Two.h"
#include "headset/StopAtQuit.h"
#include "headset/UsbHidOperation.h"
#include "platform/udev/DeviceMonitor.h"
#include "ui/StyleSheetUrl.h"

#include <QDebug>
#include <QTimerEvent>

void MainWindow::registerDevice()
{
    qDebug() << "***** Register Device! *****";
    // Arrivals and removals reach the window through the monitor's deviceChanged signal.
    if (!m_pDeviceMonitor) {
        m_pDeviceMonitor = new DeviceMonitor(this);
        connectDeviceNotifications();
    }
    if (m_pDeviceMonitor->start())
        qDebug() << "Register SuccessFul!";
    else
        qDebug() << "Register Fail!";
}

static int headsetModel(unsigned short pid)
{
    switch (pid) {
    case 0x1B07: return 1;
    case 0x1B05: return 2;
    case 0x1B06: return 3;
    default: return 0;
    }
}

void MainWindow::startHeadsetLink()
{
    setPanelState(2);
    qDebug() << "******************** OpenDevice ********************";
    qDebug() << g_sOpenPid;
    qDebug() << "******************** OpenDevice ********************";
    m_nSpecial = headsetModel(g_sOpenPid);
    m_fOpenHeadsetIdTaken = false;

    // The previous receive thread ended when its headset went; the signal of the new one
    // is connected before it runs, so no early answer is lost.
    delete m_pMyThread;
    m_pMyThread = new MyThread;
    m_pMyThread->m_fRunning = 1;
    startConnectOne();
    stopWhenTheApplicationQuits(m_pMyThread);
    m_pMyThread->start(QThread::InheritPriority);

    Sleep(10);
    usbHidSend_ReadAudio();
    Sleep(10);
    usbHidSend_ReadStatus();

    m_nReconnectTimerId = startTimer(60000, Qt::CoarseTimer);
    showHeadsetPicture();

    if (!m_pMyThreadTwo) {
        m_pMyThreadTwo = new MyThread_Two;
        startConnectTwo();
        stopWhenTheApplicationQuits(m_pMyThreadTwo);
        m_pMyThreadTwo->start(QThread::InheritPriority);
    }
}

void MainWindow::showHeadsetPicture()
{
    if (m_nSpecial >= 1 && m_nSpecial <= 3) {
        ui.label_Spectrum->show();
        ui.widget_Spectrum->hide();
        ui.label_Spectrum->setStyleSheet(QStringLiteral("border-image: url(:/headset/pic/headset/7728.png);"));
        return;
    }
    const QString folder = m_qstrAppDirPath;
    qDebug().noquote() << folder;
    const QString photo = folder + QStringLiteral("/photo/") + QString::asprintf("%04x.png", g_sOpenPid);
    const QString sheet = QStringLiteral("border-image:") + styleSheetUrl(photo);
    ui.label_Spectrum->setStyleSheet(sheet);
    qDebug().noquote() << sheet;
}

void MainWindow::startConnectOne()
{
    qDebug() << "***** Start Connect One! *****";
    connect(m_pMyThread, SIGNAL(sendReadAudio(int)), this, SLOT(on_SLOTReadAudio(int)), Qt::QueuedConnection);
}

void MainWindow::startConnectTwo()
{
    qDebug() << "***** Start Connect Two! *****";
    connect(m_pMyThreadTwo, SIGNAL(sendSetMicTimer(int)), this, SLOT(on_SLOTSetMicTimer_LabelUI(int)));
}

void MainWindow::connectStereoSlider()
{
    connect(ui.verticalSlider_30, SIGNAL(valueChanged(int)), this, SLOT(on_SLOTSetSliderValue(int)));
}

void MainWindow::stopHeadsetThreads()
{
    // Each worker's destructor ends its loop and waits for it.
    delete m_pMyThread;
    m_pMyThread = nullptr;
    delete m_pMyThreadTwo;
    m_pMyThreadTwo = nullptr;
}

void MainWindow::timerEvent(QTimerEvent *event)
{
    const int id = event->timerId();
    if (id == 0)
        return;
    // The gate timer is started afresh for each count and may get back the id of a
    // re-open timer killed since, so its id is tested first.
    if (id == m_nSliderTimerId) {
        onSliderGateTick();
        return;
    }
    if (id == m_nReconnectTimerId) {
        reopenHeadset();
        return;
    }
}
