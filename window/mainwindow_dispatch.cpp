// The headset's answers, decoded by the receive thread, turned into window state:
// which equaliser pages are enabled, which mode is active, a new headset's preset
// file, and the surround switch after each complete PEQ transfer.
#include "window/MainWindow.h"

#include "window/EqPage.h"

#include "headset/MyThread.h"
#include "headset/PendingAnswers.h"
#include "headset/UsbHidOperation.h"

#include <QAbstractButton>
#include <QDebug>
#include <QMutexLocker>
#include <QPushButton>

#include <cstring>

namespace {
constexpr int kMicrophoneTab = 2;
} // namespace

void MainWindow::on_SLOTReadAudio(int code)
{
    if (holdUntilFirstFrame(code))
        return;
    qDebug() << "SLOT::Read Cmd!";
    // Answers of this kind that came while the signal waited were folded into it: the
    // latest is the one to handle. The acknowledgement is taken with its band pair.
    if (code != 21)
        code = g_pendingAnswers.take(code);
    switch (code) {
    case 20: readAudioAnswer(); break;
    case 21: peqAcknowledged(); break;
    case 1: statusAnswer(*m_surroundPage); break;
    case 2: statusAnswer(*m_stereoPage); break;
    default: break; // an error status, or level data that nothing sends
    }
}

void MainWindow::readAudioAnswer()
{
    qDebug() << "SLOT::Read 20 Cmd!";
    if (g_nReadAudio_HPPEQ == 0) {
        qDebug() << "SLOT::Read 20 Cmd! g_nReadAudio_HPPEQ == 0";
        ui.tabWidget->setTabEnabled(1, false);
    }
    if (g_nReadAudio_HPSurround == 0 && m_nSpecial != 1) {
        qDebug() << "SLOT::Read 20 Cmd!g_nReadAudio_HPSurround == 0 m_nSpecial != 1";
        ui.tabWidget->setCurrentIndex(1);
        emit ui.tabWidget->tabBarClicked(1);
        ui.tabWidget->setTabEnabled(0, false);
    }
}

void MainWindow::peqAcknowledged()
{
    qDebug() << "SLOT::Read 21 Cmd!";
    QMutexLocker lock(&g_mutexRecv);
    g_pendingAnswers.take(21);
    // Only the acknowledgement of a preset's second frame (bands 5 to 9) switches; the
    // pair is cleared once used, so no acknowledgement is ever counted twice.
    if (!usbHidPeqAckEndsPreset())
        return;
    if (m_fTabStatus == 2) {
        qDebug() << "SLOT::Read 21 Cmd! m_fTabStatus == 2";
        usbHidSend_SetAlgorithmSwitch(1, 1, 0, m_nSpecial == 1 ? 1 : 0);
    } else if (m_fTabStatus == 1) {
        qDebug() << "SLOT::Read 21 Cmd! m_fTabStatus == 1";
        usbHidSend_SetAlgorithmSwitch(1, 0, 0, 1);
    }
    g_nPEQAckFirstBand = 0;
    g_nPEQAckLastBand = 0;
}

void MainWindow::statusAnswer(const EqPage &wanted)
{
    // A page the ReadAudio answer disabled offers no preset to click, so it is never made
    // current: the other equaliser page takes its place, as if the headset had asked for
    // that one. With both disabled there is no mode to switch to; a new headset's presets
    // are still loaded, and the microphone page is where the window ends up.
    const EqPage &other = &wanted == m_surroundPage.get() ? *m_stereoPage : *m_surroundPage;
    if (ui.tabWidget->isTabEnabled(wanted.tabIndex))
        readStatusAnswer(wanted);
    else if (ui.tabWidget->isTabEnabled(other.tabIndex))
        readStatusAnswer(other);
    else
        readStatusWithoutEqualiser(wanted);
}

void MainWindow::readStatusWithoutEqualiser(const EqPage &wanted)
{
    loadNewHeadsetPresets(wanted);
    // Last, as a stored custom selection opens its own page's list on the way.
    ui.tabWidget->setCurrentIndex(kMicrophoneTab);
    on_TabWidget_Clicked(kMicrophoneTab);
}

void MainWindow::readStatusAnswer(const EqPage &page)
{
    ui.tabWidget->setCurrentIndex(page.tabIndex);
    if (page.mode == 1)
        addPagesWithIcons();
    else
        setTabIcons(0, 1, 2, 3);
    on_TabWidget_Clicked(page.tabIndex);
    qDebug() << ui.tabWidget->currentIndex();
    qDebug() << (page.mode == 1 ? "SLOT::Read 32 Cmd! iCmdType ==1" : "SLOT::Read 32 Cmd! iCmdType ==2");
    loadNewHeadsetPresets(page);
}

void MainWindow::loadNewHeadsetPresets(const EqPage &page)
{
    unsigned char uuid[4];
    g_ucDeviceUuid.load(uuid);
    // The open headset is the one its first status answer names. A different id later in
    // the same open comes from a misbehaving headset, not a new one, and must not make
    // a user file of its own with every answer.
    if (m_fOpenHeadsetIdTaken) {
        if (std::memcmp(uuid, m_ucDeviceUuid, sizeof uuid) != 0)
            qDebug() << "***** Device Change ignored: the open headset has its id *****";
        return;
    }
    m_fOpenHeadsetIdTaken = true;
    // The first headset is loaded whatever its id; all-zero ids included.
    if (m_fUserFileLoaded && std::memcmp(uuid, m_ucDeviceUuid, sizeof uuid) == 0)
        return;
    qDebug() << "***** Device Change! *****";
    std::memcpy(m_ucDeviceUuid, uuid, sizeof uuid);
    m_fUserFileLoaded = true;

    makeJsonFileName();
    checkUserJsonFile();
    Sleep(50);
    getUserJsonFile();
    fillCustomPreset();
    setDeviceUserParameter();

    if (page.mode == 1) {
        ui.radioButton_Surround_ZorbStandard->click();
        showHeadsetButton();
        m_nDeviceChangeSeen = 1;
        return;
    }
    if (ui.tabWidget->isTabEnabled(page.tabIndex)) {
        ui.tabWidget->setCurrentIndex(page.tabIndex);
        on_TabWidget_Clicked(page.tabIndex);
    }
    ui.radioButton_Stereo_ZorbStandard->click();
    if (m_nDeviceChangeSeen == 1)
        showHeadsetButton();
    else
        m_nDeviceChangeSeen = 1;
}

void MainWindow::showHeadsetButton()
{
    const QString model = g_sOpenPid == 0x0412 ? QStringLiteral("61351") : QStringLiteral("61350");
    ui.pushButton_9->setStyleSheet(
        QStringLiteral("QPushButton{\nborder-image: url(:/headset/pic/headset/%1_main_no.png);\n}\n"
                       "QPushButton:hover{\nborder-image: url(:/headset/pic/headset/%1_main_ac.png);\n}")
            .arg(model));
}
