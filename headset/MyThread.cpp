#include "headset/MyThread.h"

#include "headset/StopAtQuit.h"
#include "headset/UsbHidOperation.h"

#include <QDebug>
#include <QMutexLocker>

#include <cstring>

namespace {
// The read waits for an answer with no time-out: a stop request wakes it
// (hid_interrupt_read), so a quiet headset costs no wake-ups at all.
constexpr int kReadWaitForever = -1;
constexpr int kPassPauseMs = 1;
// A failing read returns at once (the headset is gone); pause as long as the old
// 50 ms read time-out, so the loop does not spin until the window stops it.
constexpr int kReadErrorPauseMs = 50;
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
    {
        std::lock_guard<std::mutex> lock(m_pauseMutex);
        m_fRunning = 0;
    }
    m_pauseEnd.notify_all();
    if (g_hidDevice)
        hid_interrupt_read(g_hidDevice);
    wait();
}

void MyThread::pauseAfterPass(int nRead)
{
    const int ms = nRead < 0 ? kReadErrorPauseMs : kPassPauseMs;
    std::unique_lock<std::mutex> lock(m_pauseMutex);
    m_pauseEnd.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_fRunning == 0; });
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
        const int n = hid_read_timeout(g_hidDevice, g_ucReadBuf, sizeof g_ucReadBuf, kReadWaitForever);
        processReport(g_ucReadBuf, n);
        pauseAfterPass(n);
    }
}
