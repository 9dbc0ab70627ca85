#include "headset/MyThread.h"

#include "headset/AnswerLog.h"
#include "headset/PendingAnswers.h"
#include "headset/StopAtQuit.h"
#include "headset/UsbHidOperation.h"

#include <QDebug>
#include <QMutexLocker>

#include <cstring>

namespace {
constexpr int kPassPauseMs = 1;
// A failing read returns at once (the headset is gone); pause as long as the old
// 50 ms read time-out, so the loop does not spin until the window stops it.
constexpr int kReadErrorPauseMs = 50;
} // namespace

MyThread::MyThread()
{
    stopWhenTheApplicationQuits(this);
    // A new link: nothing of the last headset's answers still waits for the window.
    g_pendingAnswers.forget();
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

void MyThread::signalAnswer(int code)
{
    if (g_pendingAnswers.post(code))
        emit sendReadAudio(code);
}

void MyThread::decodePeqAcknowledgement()
{
    // The acknowledgement that ends a preset keeps its place while it waits for the
    // window: the next preset's first acknowledgement must not take away its switch.
    const bool presetEndWaiting = g_pendingAnswers.waiting(21) && usbHidPeqAckEndsPreset();
    usbHidRecv_SetPEQ();
    if (presetEndWaiting)
        usbHidRestorePresetEndAck();
}

void MyThread::processReport(const unsigned char *report, int nRead)
{
    switch (usbHidAcceptFrame(report, nRead)) {
    case kCmdReadVersion:
        usbHidRecv_ReadVersion();
        break;
    case kCmdReadAudio:
        usbHidRecv_ReadAudio();
        signalAnswer(20);
        break;
    case kCmdSetPEQ: {
        QMutexLocker lock(&g_mutexRecv);
        decodePeqAcknowledgement();
        signalAnswer(21);
        break;
    }
    case kCmdSetVolume:
        usbHidRecv_SetVolume();
        break;
    case kCmdSetAlgorithmSwitch:
        usbHidRecv_SetAlgorithmSwitch();
        break;
    case kCmdReadStatus:
        signalAnswer(usbHidRecv_ReadStatus());
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
    RepeatedLineLimit answerLines; // a headset that repeats itself fills no disk
    for (;;) {
        if (m_fRunning == 0) {
            qDebug() << "Thread Break... ...";
            return;
        }
        if (!g_hidDevice)
            return;
        // The read waits for an answer with no time-out, unless a count of repeated log
        // lines falls due: a stop request wakes it (hid_interrupt_read), so a quiet
        // headset costs no wake-ups at all.
        const int n = hid_read_timeout(g_hidDevice, g_ucReadBuf, sizeof g_ucReadBuf, answerLines.msUntilCountDue());
        processReport(g_ucReadBuf, n);
        answerLines.writeDueCounts();
        pauseAfterPass(n);
    }
}
