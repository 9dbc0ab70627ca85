// The tray icon, the preset button groups and the frameless window's own buttons.
#include "window/MainWindow.h"

#include "window/EqPage.h"

#include <QAction>
#include <QButtonGroup>
#include <QDebug>
#include <QMenu>

void MainWindow::InitSystemTray()
{
    qDebug() << "***** Init System Tray! *****";
    m_pSystemTray = new QSystemTrayIcon(this);
    m_pSystemTray->setIcon(QIcon(QStringLiteral(":/Tonewright/pic/bb.ico")));
    connect(m_pSystemTray, &QSystemTrayIcon::activated, this, &MainWindow::on_activatedSysTrayIcon);
    m_pSystemTray->show();
    createTrayActions();
    createTrayMenu();
}

void MainWindow::createTrayActions()
{
    m_pShowMainAction = new QAction(tr("Home Page"), this);
    connect(m_pShowMainAction, &QAction::triggered, this, &MainWindow::on_ShowMainAction);
    m_pExitAppAction = new QAction(tr("Quit"), this);
    connect(m_pExitAppAction, &QAction::triggered, this, &MainWindow::on_ExitAppAction);
}

void MainWindow::createTrayMenu()
{
    m_pTrayMenu = new QMenu(this);
    m_pTrayMenu->addAction(m_pShowMainAction);
    m_pTrayMenu->addSeparator();
    m_pTrayMenu->addAction(m_pExitAppAction);
    m_pSystemTray->setContextMenu(m_pTrayMenu);
}

static QButtonGroup *groupOf(std::initializer_list<QAbstractButton *> buttons)
{
    auto *group = new QButtonGroup;
    for (QAbstractButton *button : buttons)
        group->addButton(button, 0);
    return group;
}

void MainWindow::InitButtonGroup()
{
    qDebug() << "***** Init ButtonGroup! *****";
    // A page's factory presets and its "Customize" button exclude each other; its custom
    // slots form a group of their own, so a selected slot stays checked under "Customize".
    m_pStereoPresetGroup = groupOf({ui.radioButton_Stereo_Pop, ui.radioButton_Stereo_RockRoll,
                                    ui.radioButton_Stereo_DeepBass, ui.radioButton_Stereo_Jazz,
                                    ui.radioButton_Stereo_Classic, ui.radioButton_Stereo_ZorbStandard,
                                    ui.radioButton_Stereo_Customize, ui.radioButton_Stereo_Velor,
                                    ui.radioButton_Stereo_FLAT});
    m_pStereoCustomGroup = groupOf({ui.radioButton_Stereo_Custom1, ui.radioButton_Stereo_Custom2,
                                    ui.radioButton_Stereo_Custom3, ui.radioButton_Stereo_Custom4,
                                    ui.radioButton_Stereo_Custom5});
    m_pSurroundPresetGroup = groupOf({ui.radioButton_Surround_DeepBas, ui.radioButton_Surround_FPS,
                                      ui.radioButton_Surround_Moba, ui.radioButton_Surround_ZorbStandard,
                                      ui.radioButton_Surround_Customize, ui.radioButton_Surround_ZorbStandard1,
                                      ui.radioButton_Surround_ZorbStandard2});
    m_pSurroundCustomGroup = groupOf({ui.radioButton_Surround_Custom1, ui.radioButton_Surround_Custom2,
                                      ui.radioButton_Surround_Custom3, ui.radioButton_Surround_Custom4,
                                      ui.radioButton_Surround_Custom5});
}

// Tray, window dragging and folding panels: behaviour comes with the window chrome.
void MainWindow::on_activatedSysTrayIcon(QSystemTrayIcon::ActivationReason) {}
void MainWindow::on_ShowMainAction() {}
void MainWindow::on_ExitAppAction() {}
void MainWindow::on_PushButton_Minimize_Clicked() {}
void MainWindow::on_PushButton_Close_Clicked() {}
void MainWindow::on_PushButton_DefaultClose_Clicked() {}
void MainWindow::on_PushButton_Max_Clicked() {}
void MainWindow::main_changed() {}
void MainWindow::main_clicked() {}
void MainWindow::slot1() {}
void MainWindow::disappear() {}
void MainWindow::disappear2() {}
void MainWindow::pushButton_die1_fold() {}
void MainWindow::pushButton_die2_fold() {}
void MainWindow::pushButton_die3_fold() {}
void MainWindow::pushButton_die4_fold() {}
