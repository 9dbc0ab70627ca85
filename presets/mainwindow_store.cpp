// The window's side of the preset store: each page's share of the preset records, and
// the steps of the preset-file flows that act on the page's buttons.
#include "window/MainWindow.h"

#include "window/EqPage.h"

#include <QAbstractButton>

const EqPage &MainWindow::pageOfAlgorithm(const QString &algorithm) const
{
    return algorithm == kAlgorithmSurround ? *m_surroundPage : *m_stereoPage;
}

const QStringList &MainWindow::pageDefaultList(const EqPage &page) const
{
    return page.mode == 1 ? m_currentDeviceInfo.defaultSurround : m_currentDeviceInfo.defaultStereo;
}

std::array<PresetParam, kCustomSlotCount> &MainWindow::pageCustomSlots(const EqPage &page)
{
    return page.mode == 1 ? m_surroundCustom : m_stereoCustom;
}

const PresetParam &MainWindow::pageCurrentCustom(const EqPage &page) const
{
    return page.mode == 1 ? m_curSurroundCustom : m_curStereoCustom;
}

bool MainWindow::pageCustomLoaded(const EqPage &page) const
{
    return page.mode == 1 ? m_fSurroundCustomLoaded : m_fStereoCustomLoaded;
}

const EqGainValues &MainWindow::pageGainStrings(const EqPage &page) const
{
    return page.mode == 1 ? m_surroundGain : m_stereoGain;
}

static QAbstractButton *slotRadio(const EqPage &page, int slot)
{
    if (slot < 1 || slot > kCustomSlotCount)
        return nullptr;
    return page.customRadios[static_cast<size_t>(slot - 1)];
}

// Add and Copy make a custom preset; without a user file to keep it they do nothing.
void MainWindow::offerCustomPresets(bool offered)
{
    for (const EqPage *page : {m_surroundPage.get(), m_stereoPage.get()}) {
        page->customAdd->setEnabled(offered);
        for (QAbstractButton *copy : page->copyButtons)
            copy->setEnabled(offered);
    }
}

void MainWindow::showCustomSlotName(const QString &algorithm, int slot, const QString &name)
{
    if (QAbstractButton *radio = slotRadio(pageOfAlgorithm(algorithm), slot))
        radio->setText(name);
}

void MainWindow::showSurroundCustomSlots(int count)
{
    m_surroundPage->customGroup->show();
    for (int slot = 1; slot <= kCustomSlotCount; ++slot)
        slotRadio(*m_surroundPage, slot)->setVisible(slot <= count);
}

void MainWindow::clickFactoryPreset(const QString &algorithm, int listPosition)
{
    for (const FactoryPreset &preset : pageOfAlgorithm(algorithm).factory) {
        if (preset.row.listPosition == listPosition) {
            preset.radio->click();
            return;
        }
    }
}

void MainWindow::openCustomList(const QString &algorithm)
{
    const EqPage &page = pageOfAlgorithm(algorithm);
    ui.tabWidget->setCurrentIndex(page.tabIndex);
    emit ui.tabWidget->tabBarClicked(page.tabIndex);
    page.customize->click();
}

QString MainWindow::customSlotText(const QString &algorithm, int slot) const
{
    const QAbstractButton *radio = slotRadio(pageOfAlgorithm(algorithm), slot);
    return radio ? radio->text() : QString();
}

void MainWindow::clickCustomSlot(const QString &algorithm, int slot)
{
    if (QAbstractButton *radio = slotRadio(pageOfAlgorithm(algorithm), slot))
        radio->click();
}
