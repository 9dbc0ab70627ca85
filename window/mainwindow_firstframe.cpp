// The window's first frame: the start-up answers of the headset wait until the window
// has been painted once, and the no-headset backdrop is decoded only when that look
// is shown. Frames to the headset keep their order; only their handling starts after
// the window is on the screen.
#include "window/MainWindow.h"

#include <QEvent>
#include <QPixmap>
#include <QTimer>

namespace {
const char *const kNoHeadsetBackdrop = ":/fx/pic/fx/main_2.png";
} // namespace

bool MainWindow::holdUntilFirstFrame(int code)
{
    if (m_fReleasingHeldAnswer)
        return false;
    // Once holding, later answers queue behind the held ones, so the order stays.
    if (m_heldAnswers.isEmpty() && (m_fFirstFramePainted || !isVisible()))
        return false;
    // A window that is shown but never painted (never exposed) holds nothing longer.
    if (m_heldAnswers.isEmpty())
        QTimer::singleShot(m_nLongestHoldMs, this, &MainWindow::releaseHeldAnswers);
    m_heldAnswers.append(code);
    return true;
}

void MainWindow::releaseHeldAnswers()
{
    m_fFirstFramePainted = true;
    while (!m_heldAnswers.isEmpty()) {
        const int code = m_heldAnswers.takeFirst();
        m_fReleasingHeldAnswer = true;
        on_SLOTReadAudio(code);
        m_fReleasingHeldAnswer = false;
    }
}

void MainWindow::loadNoHeadsetBackdrop()
{
    if (ui.label_DefaultBackground->pixmap(Qt::ReturnByValue).isNull())
        ui.label_DefaultBackground->setPixmap(QPixmap(QString::fromUtf8(kNoHeadsetBackdrop)));
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint) {
        if (watched == this && !m_fFirstFramePainted) {
            m_fFirstFramePainted = true;
            // After this paint has reached the screen.
            QTimer::singleShot(0, this, &MainWindow::releaseHeldAnswers);
        } else if (watched == ui.label_DefaultBackground && m_nDevicePanelShown == 0) {
            loadNoHeadsetBackdrop(); // painted with the picture in this very paint
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
