// Factory presets of both modes: a click loads the preset's stored gains into the
// page's sliders and sends them with the preset's number; "Customize" opens the
// page's custom list; and the Surround page's two-segment view switch.
#include "window/MainWindow.h"

#include "window/EqPage.h"

#include "app/LogHandler.h"
#include "app/Prompt.h"
#include "headset/UsbHidOperation.h"
#include "presets/PeqSend.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QDebug>
#include <QLineEdit>
#include <QPushButton>

void MainWindow::on_RadioButton_Surround_DeepBass_Clicked() { selectFactoryPreset(*m_surroundPage, 0); }
void MainWindow::on_RadioButton_Surround_FPS_Clicked() { selectFactoryPreset(*m_surroundPage, 1); }
void MainWindow::on_RadioButton_Surround_Moba_Clicked() { selectFactoryPreset(*m_surroundPage, 2); }
void MainWindow::on_RadioButton_Surround_ZorbStandard_Clicked() { selectFactoryPreset(*m_surroundPage, 3); }
void MainWindow::on_RadioButton_Surround_Velor_Clicked() { selectFactoryPreset(*m_surroundPage, 4); }
void MainWindow::on_RadioButton_Surround_FLAT_Clicked() { selectFactoryPreset(*m_surroundPage, 5); }
void MainWindow::on_RadioButton_Stereo_Pop_Clicked() { selectFactoryPreset(*m_stereoPage, 0); }
void MainWindow::on_RadioButton_Stereo_RockRoll_Clicked() { selectFactoryPreset(*m_stereoPage, 1); }
void MainWindow::on_RadioButton_Stereo_DeepBass_Clicked() { selectFactoryPreset(*m_stereoPage, 2); }
void MainWindow::on_RadioButton_Stereo_Jazz_Clicked() { selectFactoryPreset(*m_stereoPage, 3); }
void MainWindow::on_RadioButton_Stereo_Classic_Clicked() { selectFactoryPreset(*m_stereoPage, 4); }
void MainWindow::on_RadioButton_Stereo_ZorbStandard_Clicked() { selectFactoryPreset(*m_stereoPage, 5); }
void MainWindow::on_RadioButton_Stereo_Velor_Clicked() { selectFactoryPreset(*m_stereoPage, 6); }
void MainWindow::on_RadioButton_Stereo_FLAT_Clicked() { selectFactoryPreset(*m_stereoPage, 7); }
void MainWindow::on_RadioButton_Surround_Customize_Clicked() { showCustomizeList(*m_surroundPage); }
void MainWindow::on_RadioButton_Stereo_Customize_Clicked() { showCustomizeList(*m_stereoPage); }

static void greyOut(QPushButton *button)
{
    button->setStyleSheet(QString::fromLatin1(kSaveResetGreySheet));
}

void MainWindow::hideCustomList(const EqPage &page)
{
    page.customAdd->hide();
    page.customClear->hide();
    page.customGroup->hide();
    for (QAbstractButton *radio : page.customRadios)
        radio->hide();
}

void MainWindow::selectFactoryPreset(const EqPage &page, int row)
{
    const FactoryPreset &preset = page.factory[static_cast<size_t>(row)];
    const QString displayText = QString::fromUtf8(preset.row.displayText);
    debugLog("mode Clicked", preset.row.storedName, __FILE__, "selectFactoryPreset", __LINE__);
    if (page.greysButtonsOnFactory) {
        greyOut(page.save);
        greyOut(page.reset);
    }
    if (page.namesBeforeCheck)
        page.nameEdit->setText(displayText);
    if (!preset.radio->isChecked())
        return;

    this->*page.state = page.factoryState;
    hideCustomList(page);
    if (preset.checkMark)
        preset.checkMark->show();
    page.nameEdit->setText(displayText);
    page.nameEdit->setEnabled(false);
    setEditEnabled(page, false);

    if (g_nDeviceOpen == 0) {
        promptWarning(nullptr, QStringLiteral("warning"), QStringLiteral("Please Insert Device!"));
        return;
    }
    if (!loadStoredGains(page, preset.row.listPosition))
        return;
    m_qstrCurrentMode = QStringLiteral("default");
    m_qstrCurrentName = QString::fromUtf8(preset.row.storedName);
    debugLog("mode Clicked", "send", __FILE__, "selectFactoryPreset", __LINE__);
    sendPEQParameter(page.mode, m_nSpecial == 1 ? preset.row.numberModel1 : preset.row.numberOther);
}

bool MainWindow::loadStoredGains(const EqPage &page, int position)
{
    const QStringList &entries = pageDefaultList(page);
    if (position < 0 || position >= entries.size())
        return false;
    const QString &entry = entries.at(position);
    for (const QString &section : storedPresetSections(entry))
        qDebug() << section;

    // A short entry leaves the sliders of its missing bands as they are.
    const StoredPreset preset = splitStoredPreset(entry);
    std::array<int, 10> values = pageSliderValues(page);
    for (int band = 0; band < preset.gains.size() && band < kBandCount; ++band)
        values[static_cast<size_t>(band)] = gainValue(preset.gains.at(band));
    setPageSliders(page, values);
    return true;
}

void MainWindow::showCustomizeList(const EqPage &page)
{
    debugLog("mode Clicked", "Customize", __FILE__, "showCustomizeList", __LINE__);
    page.reset->setEnabled(false);
    page.save->setEnabled(false);
    greyOut(page.reset);
    greyOut(page.save);
    if (page.namesBeforeCheck)
        page.nameEdit->setText(QStringLiteral("Customize"));
    if (!page.customize->isChecked())
        return;

    this->*page.state = page.customState;
    page.customAdd->show();
    page.customClear->show();
    // The list opens with no slot picked and nothing to edit: a slot's name and gains
    // change only after the user picks it, never under the list's caption or with the
    // gains another preset left on the sliders.
    page.nameEdit->setText(QStringLiteral("Customize"));
    page.nameEdit->setEnabled(false);
    forgetCustomSelection(page);
    setEditEnabled(page, false);

    QVector<const PresetParam *> entries;
    for (const PresetParam &param : m_listCustomParam) {
        if (param.algorithm == page.algorithm)
            entries.append(&param);
    }
    // Five slots per mode: a file with more entries of one mode shows its first five.
    const int count = std::min(entries.size(), 5);
    this->*page.customCount = count;

    page.customGroup->show();
    auto &customSlots = pageCustomSlots(page);
    for (int k = 0; k < count; ++k) {
        customSlots[k] = *entries[k];
        page.customRadios[static_cast<size_t>(k)]->show();
        page.customRadios[static_cast<size_t>(k)]->setText(entries[k]->name);
    }
    if (count < 5) {
        for (int k = count; k < 5; ++k)
            page.customRadios[static_cast<size_t>(k)]->hide();
        for (int k = 0; k < 5; ++k) {
            page.customCheckMarks[static_cast<size_t>(k)]->hide();
            page.customDeleteButtons[static_cast<size_t>(k)]->hide();
        }
    }
}

// --- Surround page view switch ---------------------------------------------------

void MainWindow::On_Button_Surround()
{
    setSurroundSoundView(true);
}

void MainWindow::On_Button_Style()
{
    setSurroundSoundView(false);
}

void MainWindow::setSurroundSoundView(bool soundView)
{
    g_nSurroundSoundView = soundView ? 1 : 0;
    for (QAbstractSlider *slider : m_surroundPage->sliders)
        slider->setVisible(!soundView);
    for (QWidget *widget : {static_cast<QWidget *>(ui.label_16), static_cast<QWidget *>(ui.label_Hz_2),
                            static_cast<QWidget *>(ui.widget_Param_Surround)})
        widget->setVisible(!soundView);
    if (soundView) {
        // Coming back to the equaliser does not bring them back; editing a custom slot does.
        ui.pushButton_CustomReset->hide();
        ui.pushButton_CustomSave->hide();
    }
    ui.groupBox_SurroundTest->setVisible(soundView);
    ui.pushButton_SurroundTest->setVisible(soundView);

    // The pressed segment turns red and lies on top; the other keeps its rounded outer side.
    QPushButton *pressed = soundView ? ui.pushButton_5 : ui.pushButton_4;
    QPushButton *other = soundView ? ui.pushButton_4 : ui.pushButton_5;
    other->setStyleSheet(soundView ? QStringLiteral("QPushButton{border-top-left-radius: 7px;border-bottom-left-radius:7px;"
                                                    "background-color: rgb(49,44,92);color:white}")
                                   : QStringLiteral("QPushButton{border-top-right-radius:7px;border-bottom-right-radius: 7px;"
                                                    " background-color: rgb(49,44,92);color:white}"));
    pressed->setStyleSheet(QStringLiteral(
        "QPushButton{border-radius: 7px;height:60px;color:rgb(255,255,255);border: none;background-color: rgb(196,40,26)}"));
    pressed->raise();
    ui.lineEdit_23->setVisible(!soundView);
}
