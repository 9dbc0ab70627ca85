// Mode tab switching: choosing an equaliser page chooses the headset's processing
// mode, so both modes' selections are sent again, the chosen mode last; the
// microphone page sends nothing.
#include "window/MainWindow.h"

#include "window/EqPage.h"

#include "app/Prompt.h"
#include "headset/UsbHidOperation.h"

#include <QAbstractButton>
#include <QDebug>
#include <QLineEdit>
#include <QPushButton>

void MainWindow::on_TabWidget_Clicked(int index)
{
    switch (index) {
    case 0: switchToEqualiserTab(*m_surroundPage); break;
    case 1: switchToEqualiserTab(*m_stereoPage); break;
    case 2: switchToMicrophoneTab(); break;
    case 3: switchToUnsupportedTab(); break;
    default: break;
    }
}

void MainWindow::addPagesWithIcons()
{
    // Adding a page the tab widget already holds moves it to the end, so this keeps
    // the order of the pages and only renews their icons. A re-added tab would come back
    // enabled; a page the headset's answer disabled stays disabled.
    const std::array<QWidget *, 3> pages{{ui.widget_2, ui.widget, ui.widget_3}};
    const std::array<int, 3> icons{{4, 1, 2}};
    std::array<bool, 3> enabled{};
    for (size_t i = 0; i < pages.size(); ++i)
        enabled[i] = ui.tabWidget->isTabEnabled(ui.tabWidget->indexOf(pages[i]));
    for (size_t i = 0; i < pages.size(); ++i) {
        const int index = ui.tabWidget->addTab(pages[i], *m_tabIcons[static_cast<size_t>(icons[i])], QString());
        ui.tabWidget->setTabEnabled(index, enabled[i]);
    }
}

void MainWindow::setTabIcons(int tab0, int tab1, int tab2, int tab3)
{
    ui.tabWidget->setTabIcon(0, *m_tabIcons[static_cast<size_t>(tab0)]);
    ui.tabWidget->setTabIcon(2, *m_tabIcons[static_cast<size_t>(tab2)]);
    ui.tabWidget->setTabIcon(3, *m_tabIcons[static_cast<size_t>(tab3)]);
    ui.tabWidget->setTabIcon(1, *m_tabIcons[static_cast<size_t>(tab1)]);
}

void MainWindow::showSurroundTabWidgets()
{
    addPagesWithIcons();
    ui.lineEdit_15->hide();
    m_fTabStatus = 2;
    On_Button_Style();
    ui.widget_Param_Stereo->hide();
    ui.widget_Param_Surround->show();
    ui.groupBox_Stereo_Spectrum->hide();
    ui.groupBox_SurroundTest->hide();
    ui.pushButton_SurroundTest->hide();
    for (QWidget *horn : {ui.label_Horn_Left, ui.label_Horn_Right, ui.label_Horn_Up, ui.label_Horn_LeftUp,
                          ui.label_Horn_LeftDown, ui.label_Horn_RightUp, ui.label_Horn_RightDown})
        horn->show();
    ui.label_dB->show();
    ui.label_Hz->show();
}

void MainWindow::showStereoTabWidgets()
{
    ui.pushButton_SurroundTest->setText(QStringLiteral("Test"));
    setTabIcons(0, 5, 2, 3);
    m_fTabStatus = 1;
    ui.lineEdit_15->show();
    ui.widget_Param_Stereo->show();
    ui.widget_Param_Surround->hide();
    ui.groupBox_Stereo_Spectrum->show();
    ui.groupBox_SurroundTest->hide();
    const bool open = g_nDeviceOpen == 1;
    if (m_nSpecial == 0) {
        ui.widget_Spectrum->setVisible(open);
        ui.label_Spectrum->show();
    } else {
        ui.widget_Spectrum->hide();
        ui.label_Spectrum->setVisible(open);
    }
    ui.label_dB->show();
    ui.label_Hz->show();
    if (m_nSurroundTestRun)
        stopSpeakerTest();
}

void MainWindow::switchToEqualiserTab(const EqPage &page)
{
    const EqPage &other = (&page == m_surroundPage.get()) ? *m_stereoPage : *m_surroundPage;
    if (page.mode == 1)
        showSurroundTabWidgets();
    else
        showStereoTabWidgets();

    clickSelectedPreset(other);
    Sleep(10);
    clickSelectedPreset(page);

    const int state = this->*page.state;
    if (state == page.customState) {
        page.customGroup->show();
        // Without a picked slot the list has nothing to edit or save.
        if (shownCustomSlot(page.algorithm) != 0)
            return;
    }
    if (state == page.factoryState)
        page.customGroup->hide();
    for (QWidget *widget : {static_cast<QWidget *>(ui.lineEdit_CustomName),
                            static_cast<QWidget *>(ui.pushButton_CustomReset),
                            static_cast<QWidget *>(ui.pushButton_CustomSave),
                            static_cast<QWidget *>(ui.pushButton_CustomReset2),
                            static_cast<QWidget *>(ui.pushButton_CustomSave2)})
        widget->hide();
}

void MainWindow::clickSelectedPreset(const EqPage &page)
{
    for (const FactoryPreset &preset : page.factory) {
        if (preset.radio->isChecked()) {
            preset.radio->click();
            return;
        }
    }
    for (QAbstractButton *radio : page.customRadios) {
        if (radio->isChecked()) {
            radio->click();
            return;
        }
    }
}

void MainWindow::switchToMicrophoneTab()
{
    ui.pushButton_SurroundTest->setText(QStringLiteral("Test"));
    setTabIcons(0, 1, 6, 3);
    m_fTabStatus = 3;
    for (QWidget *widget : {static_cast<QWidget *>(ui.lineEdit_15), static_cast<QWidget *>(ui.widget_Param_Stereo),
                            static_cast<QWidget *>(ui.widget_Param_Surround),
                            static_cast<QWidget *>(ui.groupBox_Stereo_Spectrum),
                            static_cast<QWidget *>(ui.groupBox_SurroundTest),
                            static_cast<QWidget *>(ui.lineEdit_CustomName),
                            static_cast<QWidget *>(ui.pushButton_CustomReset),
                            static_cast<QWidget *>(ui.pushButton_CustomSave),
                            static_cast<QWidget *>(ui.pushButton_CustomReset2),
                            static_cast<QWidget *>(ui.pushButton_CustomSave2), static_cast<QWidget *>(ui.label_dB),
                            static_cast<QWidget *>(ui.label_Hz)})
        widget->hide();
    if (m_nSurroundTestRun)
        stopSpeakerTest();
}

void MainWindow::switchToUnsupportedTab()
{
    setTabIcons(0, 1, 2, 7);
    ui.lineEdit_15->hide();
    qDebug() << "当前设备不支持该算法";
    if (m_nSurroundTestRun)
        stopSpeakerTest();
    promptInformation(nullptr, QStringLiteral("prompt"), QStringLiteral("该功能暂未开放！"));
}
