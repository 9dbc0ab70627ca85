// Sending a page's ten band sliders as two SetPEQ frames, the slider gate that lets
// edits of a custom preset through at most once per gate period, and the helpers
// that load the sliders and switch a page's editing controls.
#include "window/MainWindow.h"

#include "window/EqPage.h"

#include "app/LogHandler.h"
#include "headset/UsbHidOperation.h"
#include "presets/PeqSend.h"

#include <QAbstractSlider>
#include <QDebug>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

int g_nStereoGain[10] = {};
int g_nSurroundGain[10] = {};
int g_nSurroundSoundView = 0;

namespace {

// Marks a load of stored values into the sliders: the value handlers send nothing
// while it lasts, so no send ever carries a set that is half old and half new.
class SliderLoadGuard
{
public:
    explicit SliderLoadGuard(int &flag) : m_flag(flag), m_saved(flag) { m_flag = 1; }
    ~SliderLoadGuard() { m_flag = m_saved; }
    SliderLoadGuard(const SliderLoadGuard &) = delete;
    SliderLoadGuard &operator=(const SliderLoadGuard &) = delete;

private:
    int &m_flag;
    int m_saved;
};

} // namespace

void MainWindow::sendPEQParameter(int mode, int number)
{
    const EqPage *page = pageOfMode(mode);
    if (!page)
        return;
    debugLog("send PEQ Param", "start", __FILE__, "sendPEQParameter", __LINE__);
    const std::array<int, 10> gains = pageSliderValues(*page);
    std::copy(gains.begin(), gains.end(), page->sentGains);
    usbHidSend_SetPEQ(1, 0, 4, number, gains);
    Sleep(10);
    usbHidSend_SetPEQ(1, 5, 9, number, gains);
    m_qstrCurrentAlgorithm = page->algorithm;
}

std::array<int, 10> MainWindow::pageSliderValues(const EqPage &page) const
{
    std::array<int, 10> values{};
    for (int band = 0; band < 10; ++band)
        values[band] = page.sliders[band]->value();
    return values;
}

void MainWindow::getStereoSliderValues()
{
    const std::array<int, 10> values = pageSliderValues(*m_stereoPage);
    std::copy(values.begin(), values.end(), g_nStereoGain);
}

void MainWindow::getSurroundSliderValues()
{
    const std::array<int, 10> values = pageSliderValues(*m_surroundPage);
    std::copy(values.begin(), values.end(), g_nSurroundGain);
}

// --- the slider gate -------------------------------------------------------------

void MainWindow::markSliderMoved()
{
    m_nSliderMoved = 1;
    // The 1 ms gate timer only runs while a count is under way; idle ticks do nothing.
    if (m_nSliderTimerId == 0)
        m_nSliderTimerId = startTimer(1, Qt::CoarseTimer);
}

void MainWindow::onSliderGateTick()
{
    if (m_nSliderMoved == 1 && ++m_nSliderTick >= kSliderGateTicks) {
        qDebug() << "1111111111 value change";
        m_nSliderMoved = 0;
        m_nSliderTick = 0;
        m_nSliderSendReady = 1;
        sendUnsentEdits();
    }
    if (m_nSliderMoved == 0 && m_nSliderTimerId != 0) {
        killTimer(m_nSliderTimerId);
        m_nSliderTimerId = 0;
    }
}

// The last values of an edit that ended while the gate was closed go out as it opens,
// under the number of the slot they were made on, even when its list was left since.
// One page per opening: that send uses up the opening like a change would, so a new
// period is counted, and the other page's edit stays held for the next opening.
void MainWindow::sendUnsentEdits()
{
    for (const EqPage *page : {m_surroundPage.get(), m_stereoPage.get()}) {
        int &held = m_nHeldPresetNumber[static_cast<size_t>(page->mode)];
        if (held < 0)
            continue;
        const int number = std::exchange(held, -1);
        const std::array<int, 10> values = pageSliderValues(*page);
        if (std::equal(values.begin(), values.end(), page->sentGains))
            continue;
        m_nSliderSendReady = 0;
        markSliderMoved();
        sendPEQParameter(page->mode, number);
        return;
    }
}

void MainWindow::onSliderValueChanged(const EqPage &page)
{
    markSliderMoved();
    if (const int number = customSlotNumber(page); number >= 0)
        m_nHeldPresetNumber[static_cast<size_t>(page.mode)] = number;
    // Outside a load every change is the user's: a drag, a click in the groove, a key.
    // Each can be saved, not only a drag.
    if (m_nSaveCurrentMode == 0 && shownCustomSlot(page.algorithm) != 0)
        lightSaveAndReset();
    if (m_nSliderSendReady == 0)
        return;
    m_nSliderSendReady = 0;
    if (m_nSaveCurrentMode != 0)
        return;
    sendCustomPage(page);
}

void MainWindow::sendCustomPage(const EqPage &page)
{
    const int number = customSlotNumber(page);
    if (number >= 0)
        sendPEQParameter(page.mode, number);
}

// The preset number of the page's selected custom slot; -1 while it shows no slot.
int MainWindow::customSlotNumber(const EqPage &page) const
{
    if (this->*page.state != page.customState)
        return -1;
    const int slot = this->*page.customId - page.firstCustomId;
    if (slot < 0 || slot > 4)
        return -1;
    return page.customNumber(slot, m_nSpecial);
}

void MainWindow::on_VerticalSlider_Stereo_ValueChange()
{
    onSliderValueChanged(*m_stereoPage);
}

void MainWindow::on_VerticalSlider_Surround_ValueChange()
{
    onSliderValueChanged(*m_surroundPage);
}

void MainWindow::on_VerticalSlider_Surround_Stereo_SlideMoved()
{
    lightSaveAndReset();
}

void MainWindow::lightSaveAndReset()
{
    for (const EqPage *page : {m_surroundPage.get(), m_stereoPage.get()}) {
        page->reset->setEnabled(true);
        page->save->setEnabled(true);
        page->save->setStyleSheet(QString::fromLatin1(kSaveResetLitSheet));
        page->reset->setStyleSheet(QStringLiteral(
            "QPushButton{color:rgb(255,255,255);border-radius:7px;border: none;background-color: rgb(196,40,26)}"));
    }
}

void MainWindow::on_SLOTSetSliderValue(int)
{
    qDebug() << "SLOT Slider Value Change!";
}

void MainWindow::on_VerticalSlider_30_ActionTriggered_T(int)
{
    qDebug() << "*************************************************action Triggered";
}

// --- loading the sliders -------------------------------------------------------

bool MainWindow::setPageSliders(const EqPage &page, const std::array<int, 10> &values)
{
    const int gateWasOpen = m_nSliderSendReady;
    {
        SliderLoadGuard guard(m_nSaveCurrentMode);
        for (int band = 0; band < 10; ++band)
            page.sliders[band]->setValue(values[band]);
    }
    // True when a change of this load used up an open gate.
    return gateWasOpen == 1 && m_nSliderSendReady == 0;
}

void MainWindow::setSlidersFromParameter(const EqPage &page)
{
    std::array<int, 10> values{};
    if (pageCustomLoaded(page)) {
        const EqGainValues gains = gainValuesFromText(pageCurrentCustom(page).parameter);
        for (int band = 0; band < kBandCount; ++band)
            values[band] = gainValue(gains.gains[band]);
    }
    // The whole new set goes out once, as the gate would have sent it, never half loaded.
    if (setPageSliders(page, values) && m_nSaveCurrentMode == 0)
        sendCustomPage(page);
}

void MainWindow::setSlidersFromStrings(const EqPage &page)
{
    std::array<int, 10> values{};
    const EqGainValues &strings = pageGainStrings(page);
    for (int band = 0; band < kBandCount; ++band)
        values[band] = gainValue(strings.gains[band]);
    setPageSliders(page, values);
}

void MainWindow::setStereoSlidersFromParameter()
{
    setSlidersFromParameter(*m_stereoPage);
}

void MainWindow::setSurroundSlidersFromParameter()
{
    setSlidersFromParameter(*m_surroundPage);
}

void MainWindow::setStereoSlidersFromStrings()
{
    setSlidersFromStrings(*m_stereoPage);
}

void MainWindow::setSurroundSlidersFromStrings()
{
    setSlidersFromStrings(*m_surroundPage);
}

void MainWindow::clearBandGainStrings()
{
    for (auto *strings : {&m_surroundGain, &m_stereoGain}) {
        for (QString &text : strings->gains)
            text.clear();
    }
}

// --- editing controls ------------------------------------------------------------

void MainWindow::setEditEnabled(const EqPage &page, bool on)
{
    const bool surroundButtonsHidden = page.soundViewHidesSaveReset && g_nSurroundSoundView == 1;
    ui.lineEdit_CustomName->setVisible(on);
    ui.pushButton_CustomReset->setVisible(on && !surroundButtonsHidden);
    ui.pushButton_CustomSave->setVisible(on && !surroundButtonsHidden);
    ui.pushButton_CustomReset2->setVisible(on);
    ui.pushButton_CustomSave2->setVisible(on);
    for (QAbstractSlider *slider : page.sliders)
        slider->setEnabled(on);
}

void MainWindow::setStereoEditEnabled(bool on)
{
    setEditEnabled(*m_stereoPage, on);
}

void MainWindow::setSurroundEditEnabled(bool on)
{
    setEditEnabled(*m_surroundPage, on);
}
