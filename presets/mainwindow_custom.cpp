// Custom preset slots of both equaliser pages: selecting a slot, Add, Copy, Save, Reset,
// the delete prompt with the deletion it confirms, and renaming. The Surround and
// Stereo pages run the same flows; each named slot only picks its page and slot.
#include "window/MainWindow.h"

#include "window/EqPage.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QButtonGroup>
#include <QDebug>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

// The parts of a page that only the custom flows use.
struct CustomPageExtras {
    QWidget *promptLabel;
    QWidget *promptConfirm;
    QWidget *promptClose;
    const char *saveGreySheet; // the Stereo Save button greys its pair with a sheet of its own
    const char *emptyDeleteLog; // nullptr: nothing logged
    const char *foundDeleteLog;
    const char *removedLog;
};

CustomPageExtras extrasOf(Ui_TonewrightClass &ui, const EqPage &page)
{
    if (page.mode == 1)
        return {ui.label_33, ui.pushButton_6, ui.pushButton_7, kSaveResetGreySheet, "空删除", "值删除",
                "点击的是删除666"};
    return {ui.label_34, ui.pushButton_10, ui.pushButton_11,
            "QPushButton{background-color: rgb(49,44,92);border-radius:7px;border-radius:7px;color:rgb(100,100,100)}",
            nullptr, nullptr, "点击的是删除2"};
}

void logLine(const char *text)
{
    if (text)
        qDebug().noquote() << QString::fromUtf8(text);
}

void greyOutSaveReset(const EqPage &page, const char *sheet = kSaveResetGreySheet)
{
    page.reset->setStyleSheet(QString::fromLatin1(sheet));
    page.save->setStyleSheet(QString::fromLatin1(sheet));
    page.reset->setEnabled(false);
    page.save->setEnabled(false);
}

void lightSave(const EqPage &page)
{
    page.save->setEnabled(true);
    page.save->setStyleSheet(QString::fromLatin1(kSaveResetLitSheet));
}

QAbstractButton *radioOf(const EqPage &page, int slot)
{
    return page.customRadios[static_cast<std::size_t>(slot - 1)];
}

void hideSlotButtons(const EqPage &page)
{
    for (int k = 0; k < kCustomSlotCount; ++k) {
        page.customCheckMarks[static_cast<std::size_t>(k)]->hide();
        page.customDeleteButtons[static_cast<std::size_t>(k)]->hide();
    }
}

// An exclusive group keeps one radio checked; it lets go only while not exclusive.
void uncheckCustomRadios(const EqPage &page)
{
    QButtonGroup *group = page.customRadios[0]->group();
    if (group)
        group->setExclusive(false);
    for (QAbstractButton *radio : page.customRadios)
        radio->setChecked(false);
    if (group)
        group->setExclusive(true);
}

void setPromptVisible(const CustomPageExtras &extras, bool visible)
{
    extras.promptLabel->setVisible(visible);
    extras.promptConfirm->setVisible(visible);
    extras.promptClose->setVisible(visible);
}

QString blankRefused(const QString &name, const QString &previous)
{
    return name.trimmed().isEmpty() ? previous : name;
}

// The page's radios show their slots' stored names, dropping any rename not saved.
void showStoredSlotNames(const PresetStore &store, const EqPage &page)
{
    for (int k = 1; k <= kCustomSlotCount; ++k)
        radioOf(page, k)->setText(store.customSlot(page.algorithm, k).name);
}

} // namespace

// --- selecting a slot ------------------------------------------------------------

void MainWindow::on_RadioButton_Surround_CustomOne_Clicked() { selectCustomSlot(*m_surroundPage, 1); }
void MainWindow::on_RadioButton_Surround_CustomTwo_Clicked() { selectCustomSlot(*m_surroundPage, 2); }
void MainWindow::on_RadioButton_Surround_CustomThree_Clicked() { selectCustomSlot(*m_surroundPage, 3); }
void MainWindow::on_RadioButton_Surround_CustomFour_Clicked() { selectCustomSlot(*m_surroundPage, 4); }
void MainWindow::on_RadioButton_Surround_CustomFive_Clicked() { selectCustomSlot(*m_surroundPage, 5); }
void MainWindow::on_RadioButton_Stereo_CustomOne_Clicked() { selectCustomSlot(*m_stereoPage, 1); }
void MainWindow::on_RadioButton_Stereo_CustomTwo_Clicked() { selectCustomSlot(*m_stereoPage, 2); }
void MainWindow::on_RadioButton_Stereo_CustomThree_Clicked() { selectCustomSlot(*m_stereoPage, 3); }
void MainWindow::on_RadioButton_Stereo_CustomFour_Clicked() { selectCustomSlot(*m_stereoPage, 4); }
void MainWindow::on_RadioButton_Stereo_CustomFive_Clicked() { selectCustomSlot(*m_stereoPage, 5); }

// A rename left without Save is dropped here: the slot shows, and a later Save or Reset
// stores, the name the slot was last saved under, never what the radio was left showing.
void MainWindow::selectCustomSlot(const EqPage &page, int slot)
{
    QAbstractButton *radio = radioOf(page, slot);
    const QString name = customSlot(page.algorithm, slot).name;
    setCustomLoaded(page.algorithm, false);
    showStoredSlotNames(*this, page);
    page.customCheckMarks[static_cast<std::size_t>(slot - 1)]->show();
    page.customDeleteButtons[static_cast<std::size_t>(slot - 1)]->show();
    radio->show();
    page.nameEdit->setText(name);
    page.nameEdit->setEnabled(true);
    greyOutSaveReset(page);
    if (!radio->isChecked())
        return;

    selectCustomSlotRecord(page.algorithm, slot);
    ui.lineEdit_CustomName->setText(name);
    setEditEnabled(page, true);
    m_qstrCurrentAlgorithm = page.algorithm;
    m_qstrCurrentMode = QStringLiteral("custom");
    m_qstrCurrentName = name;
    if (!loadCustomSlot(page.algorithm, slot))
        return;
    setSlidersFromStrings(page);
    sendPEQParameter(page.mode, page.customNumber(slot - 1, m_nSpecial));
}

// --- Add, Copy, Save, Reset ------------------------------------------------------

void MainWindow::on_PushButton_Surround_CustomAdd_Clicked() { addCustomPreset(*m_surroundPage); }
void MainWindow::on_PushButton_Stereo_CustomAdd_Clicked() { addCustomPreset(*m_stereoPage); }
void MainWindow::on_PushButton_Surround_CustomCopy_Clicked() { copyCustomPreset(*m_surroundPage); }
void MainWindow::on_PushButton_Stereo_CustomCopy_Clicked() { copyCustomPreset(*m_stereoPage); }
void MainWindow::on_PushButton_CustomSave_Clicked() { saveCustomPreset(); }
void MainWindow::on_PushButton_CustomReset_Clicked() { resetCustomPreset(); }
void MainWindow::On_Button_Reset1() { greyOutSaveReset(*m_surroundPage); }
void MainWindow::On_Button_Save1() { greyOutSaveReset(*m_surroundPage); }
void MainWindow::On_Button_Reset2() { greyOutSaveReset(*m_stereoPage); }
void MainWindow::On_Button_Save2() { greyOutSaveReset(*m_stereoPage, extrasOf(ui, *m_stereoPage).saveGreySheet); }

const EqPage *MainWindow::activeEqPage() const
{
    for (const EqPage *page : {m_surroundPage.get(), m_stereoPage.get()}) {
        if (page->tabStatus == m_fTabStatus)
            return page;
    }
    return nullptr;
}

// A new slot (from Add or Copy) with these gains, shown and selected.
void MainWindow::fillNewCustomSlot(const EqPage &page, const QString &gainText)
{
    const int slot = addCustomSlot(page.algorithm, gainText);
    if (slot == 0)
        return;
    page.customClear->setEnabled(true);
    greyOutSaveReset(page);
    page.customGroup->show();
    QAbstractButton *radio = radioOf(page, slot);
    radio->show();
    radio->setText(customSlot(page.algorithm, slot).name);
    radio->click();
}

// Without a user file to keep it, no preset is made, even by a click that reached a
// disabled control.
void MainWindow::addCustomPreset(const EqPage &page)
{
    if (!customPresetsKept() || usedCustomSlots(page.algorithm) >= kCustomSlotCount)
        return;
    fillNewCustomSlot(page, gainTextFromValues({}));
    Sleep(50);
    saveCustomPreset();
}

void MainWindow::copyCustomPreset(const EqPage &page)
{
    if (!customPresetsKept() || usedCustomSlots(page.algorithm) >= kCustomSlotCount)
        return;
    // Opening the list recounts the mode's entries; the sliders keep their values.
    page.customize->click();
    if (usedCustomSlots(page.algorithm) >= kCustomSlotCount)
        return;
    fillNewCustomSlot(page, gainTextFromValues(pageSliderValues(page)));
    saveCustomPreset();
}

// Stores the active page's sliders and name into its shown slot and writes the custom
// presets and the selection. Without a shown slot (a factory preset, the microphone
// page, no slot left) there is nothing to save: no slot is renamed, nothing is written.
// A user file that cannot keep the change (marked read-only, say) takes nothing either,
// and the Save shows as failed.
void MainWindow::saveCustomPreset()
{
    // Any Save, from either page, ends the Stereo page's claim on the gains it last
    // loaded: a Stereo reset goes back to them only after the slot is loaded or saved anew.
    setCustomLoaded(kAlgorithmStereo, false);
    const EqPage *page = activeEqPage();
    if (!page)
        return;
    const int slot = shownCustomSlot(page->algorithm);
    if (slot == 0)
        return;
    if (!customPresetsKept()) {
        showCustomSaveFailed(*page);
        return;
    }
    const QString name = blankRefused(page->nameEdit->text(), customSlot(page->algorithm, slot).name);
    storeCustomSlot(page->algorithm, slot, name, gainTextFromValues(pageSliderValues(*page)));
    radioOf(*page, slot)->setText(name);
    page->nameEdit->setText(name);
    ui.lineEdit_CustomName->setText(name);

    m_qstrCurrentAlgorithm = page->algorithm;
    m_qstrCurrentMode = QStringLiteral("custom");
    m_qstrCurrentName = name;
    const bool listWritten = writeJsonFile(QStringLiteral("customMode"));
    const bool selectionWritten = writeJsonFile(QStringLiteral("currentMode"));
    if (!listWritten || !selectionWritten)
        showCustomSaveFailed(*page);
    ui.Slider_Voice1_2->setFocus();
}

// The user file did not take the change: the slots keep it, and Save stays lit so it
// can be tried again. Lit again once the click that saved has run all its slots, since
// a Reset button greys the pair after its Reset.
void MainWindow::showCustomSaveFailed(const EqPage &page)
{
    qWarning().noquote() << "Custom presets not saved to" << m_qstrCurrentUserFileName;
    lightSave(page);
    QTimer::singleShot(0, this, [&page] { lightSave(page); });
}

// Back to the slot as saved, name and gains: the Save that ends it stores what the file
// held before the edits, never a rename typed since.
void MainWindow::resetCustomPreset()
{
    const EqPage *page = activeEqPage();
    // Only a slot whose stored gains were loaded has anything to go back to.
    if (!page || shownCustomSlot(page->algorithm) == 0 || !customLoaded(page->algorithm))
        return;
    setSlidersFromParameter(*page);
    page->nameEdit->setText(customSlot(page->algorithm, shownCustomSlot(page->algorithm)).name);
    saveCustomPreset();
}

// --- deletion ----------------------------------------------------------------------

void MainWindow::on_PushButton_Surround_CustomClear_Clicked() { openDeletePrompt(*m_surroundPage); }
void MainWindow::on_PushButton_Stereo_CustomClear_Clicked() { openDeletePrompt(*m_stereoPage); }
void MainWindow::Red_Dialog() { confirmDeletion(*m_surroundPage); }
void MainWindow::Red_Dialog_STEREO() { confirmDeletion(*m_stereoPage); }
void MainWindow::Red_Dialog2() { setPromptVisible(extrasOf(ui, *m_surroundPage), false); }
void MainWindow::Red_Dialog2_STEREO() { setPromptVisible(extrasOf(ui, *m_stereoPage), false); }
void MainWindow::deleteSurroundCustomSlot() { shiftCustomSlotsOf(*m_surroundPage); }
void MainWindow::deleteStereoCustomSlot() { shiftCustomSlotsOf(*m_stereoPage); }

// A user file that cannot keep the deletion offers none: the slot would be back at the
// next start.
void MainWindow::openDeletePrompt(const EqPage &page)
{
    if (!customPresetsKept() || usedCustomSlots(page.algorithm) == 0 || this->*page.customId == 0)
        return;
    setPromptVisible(extrasOf(ui, page), true);
}

void MainWindow::confirmDeletion(const EqPage &page)
{
    if (!customPresetsKept())
        return;
    const CustomPageExtras extras = extrasOf(ui, page);
    hideSlotButtons(page);
    const int slot = selectedCustomSlot(page.algorithm);
    if (usedCustomSlots(page.algorithm) == 0 || slot == 0) {
        logLine(extras.emptyDeleteLog);
        return;
    }
    // Only the slot's own entry goes; when the list no longer holds it, nothing moves.
    if (!removeCustomEntry(page.algorithm, slot))
        return;
    logLine(extras.foundDeleteLog);
    setPromptVisible(extras, false);
    logLine(extras.removedLog);
    const bool written = writeJsonFile(QStringLiteral("customMode"));

    if (page.mode == 1)
        deleteSurroundCustomSlot();
    else
        deleteStereoCustomSlot();
    if (dropCustomSlot(page.algorithm) == 0)
        clearLastCustomSlot(page);
    refreshCustomSlotTexts();
    if (!written)
        showCustomSaveFailed(page);
}

void MainWindow::shiftCustomSlotsOf(const EqPage &page)
{
    const int used = shiftCustomSlots(page.algorithm, selectedCustomSlot(page.algorithm));
    if (used == 0)
        return;
    if (used > 1)
        radioOf(page, used)->hide();
    refreshCustomSlotTexts();
    radioOf(page, 1)->click();
}

void MainWindow::refreshCustomSlotTexts()
{
    for (const EqPage *page : {m_surroundPage.get(), m_stereoPage.get()})
        showStoredSlotNames(*this, *page);
}

// The mode's last slot is gone: no selection, no slot buttons, no editing controls.
void MainWindow::clearLastCustomSlot(const EqPage &page)
{
    page.customClear->setEnabled(false);
    hideSlotButtons(page);
    uncheckCustomRadios(page);
    radioOf(page, 1)->hide();
    ui.lineEdit_CustomName->hide();
    for (const EqPage *each : {m_surroundPage.get(), m_stereoPage.get()}) {
        each->reset->hide();
        each->save->hide();
    }
    setPromptVisible(extrasOf(ui, page), false);
}

// No slot of the page is selected any more; its radios show none checked.
void MainWindow::forgetCustomSelection(const EqPage &page)
{
    this->*page.customId = 0;
    setCustomLoaded(page.algorithm, false);
    uncheckCustomRadios(page);
}

// --- renaming ----------------------------------------------------------------------

// The checked slot's radio follows the typing; the slot and the file take the name at
// the next Save, and picking a slot again drops it. A blank name is not taken: the
// radio keeps the stored one.
void MainWindow::on_LineEdit_CustomizeName_Changed(const QString &text)
{
    const EqPage *page = activeEqPage();
    if (!page)
        return;
    for (int k = 1; k <= kCustomSlotCount; ++k) {
        QAbstractButton *radio = radioOf(*page, k);
        if (!radio->isChecked())
            continue;
        radio->setText(blankRefused(text, customSlot(page->algorithm, k).name));
        if (!text.trimmed().isEmpty())
            lightSave(*page);
        return;
    }
}
