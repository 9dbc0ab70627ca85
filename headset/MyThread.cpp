#include "headset/MyThread.h"

#include "headset/StopAtQuit.h"
#include "headset/UsbHidOperation.h"

#include <QDebug>
#include <QMutexLocker>

#include <cstring>

namespace {
constexpr int kReadTimeoutMs = 50;
constexpr int kPassPauseMs = 1;
// A failing read returns at once (the headset is gone); wait as long as a quiet
// read would, so the loop does not spin until the window stops it.
constexpr int kReadErrorPauseMs = kReadTimeoutMs;
} // namespace

MyThread::MyThread()
{
    stopWhenTheApplicationQuits(this);
}

MyThread::~MyThread()
{
    stopAndWait();
}

void MyThread::stopAndWait()
{
    m_fRunning = 0;
    wait();
}

void MyThread::processReport(const unsigned char *report, int nRead)
{
    switch (usbHidAcceptFrame(report, nRead)) {
    case kCmdReadVersion:
        usbHidRecv_ReadVersion();
        break;
    case kCmdReadAudio:
        usbHidRecv_ReadAudio();
        emit sendReadAudio(20);
        break;
    case kCmdSetPEQ: {
        QMutexLocker lock(&g_mutexRecv);
        usbHidRecv_SetPEQ();
        emit sendReadAudio(21);
        break;
    }
    case kCmdSetVolume:
        usbHidRecv_SetVolume();
        break;
    case kCmdSetAlgorithmSwitch:
        usbHidRecv_SetAlgorithmSwitch();
        break;
    case kCmdReadStatus:
        emit sendReadAudio(usbHidRecv_ReadStatus());
        break;
    default:
        break; // rejected, or a command without an answer handler
    }
}

void MyThread::run()
{
    qDebug() << "thread... ... ... ...";
    std::memset(g_ucRecvBuf, 0, sizeof g_ucRecvBuf);
    std::memset(g_ucReadBuf, 0, sizeof g_ucReadBuf);
    for (;;) {
        if (m_fRunning == 0) {
            qDebug() << "Thread Break... ...";
            return;
        }
        if (!g_hidDevice)
            return;
        const int n = hid_read_timeout(g_hidDevice, g_ucReadBuf, sizeof g_ucReadBuf, kReadTimeoutMs);
        processReport(g_ucReadBuf, n);
        QThread::msleep(n < 0 ? kReadErrorPauseMs : kPassPauseMs);
    }
}
