// The tray icon and its menu, closing to the tray, the frameless window's dragging,
// buttons and hover cursor, the folding preset lists and the preset button groups.
#include "window/MainWindow.h"

#include "app/AppShell.h"
#include "window/EqPage.h"
#include "window/ScaleWidgetFont.h"
#include "window/SystemTrayProbe.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCursor>
#include <QDebug>
#include <QHoverEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>

namespace {

// Where a press starts a window drag (window coordinates, bounds exclusive): the
// title strip with the headset look, most of the start screen without a headset.
const QRect kTitleStrip(1, 1, 1175, 79);     // 0 < x < 1176, 0 < y < 80
const QRect kStartScreenArea(1, 1, 999, 629); // 0 < x < 1000, 0 < y < 630

// Where a fold or unfold puts the custom section of a preset list (list coordinates);
// custom slot n (0 to 4) lies 30 pixels below slot n - 1.
struct FoldLayout {
    QRect customize;
    QRect add;
    int radioY;
    int checkX;
    int checkY;
    int deleteX;
    int deleteY;
};

const FoldLayout kFoldLayouts[] = {
    {{0, 10, 110, 30}, {210, 10, 24, 24}, 40, 165, 42, 213, 45},     // Surround folded
    {{0, 130, 100, 25}, {211, 130, 24, 24}, 160, 165, 162, 213, 165}, // Surround unfolded
    {{0, 10, 110, 30}, {210, 10, 24, 24}, 40, 165, 42, 215, 45},     // Stereo folded
    {{0, 190, 110, 30}, {210, 193, 24, 24}, 222, 160, 220, 215, 225}, // Stereo unfolded
};
constexpr int kSlotPitch = 30;

void setVisibleAll(std::initializer_list<QWidget *> widgets, bool visible)
{
    for (QWidget *widget : widgets)
        widget->setVisible(visible);
}

// The check marks and delete buttons of a page's five custom slots.
void hideCustomSlotButtons(const EqPage &page)
{
    for (int n = 0; n < 5; ++n)
        setVisibleAll({page.customCheckMarks[n], page.customDeleteButtons[n]}, false);
}

QButtonGroup *groupOf(std::initializer_list<QAbstractButton *> buttons)
{
    auto *group = new QButtonGroup;
    for (QAbstractButton *button : buttons)
        group->addButton(button, 0);
    return group;
}

} // namespace

void MainWindow::InitSystemTray()
{
    qDebug() << "***** Init System Tray! *****";
    // The window hides to the tray and dialogs may come and go while it is hidden;
    // none of that may end the program: only "Quit" does.
    QApplication::setQuitOnLastWindowClosed(false);
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

// ---- Tray -----------------------------------------------------------------------

void MainWindow::on_activatedSysTrayIcon(QSystemTrayIcon::ActivationReason reason)
{
    qDebug() << "systemTray acticated!";
    if (reason == QSystemTrayIcon::Trigger)
        bringBackWindow();
}

void MainWindow::on_ShowMainAction()
{
    bringBackWindow();
}

// A window hidden to the tray or minimised comes back in front, ready for input.
void MainWindow::bringBackWindow()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void MainWindow::showAsStarted()
{
    if (g_nShowMainWindow)
        show();
    else if (systemTrayAvailable())
        hide(); // the tray icon brings it back
    else
        showMinimized(); // no tray to come back from: the window stays within reach
}

void MainWindow::on_ExitAppAction()
{
    close();
    quitProgram();
}

void MainWindow::quitProgram()
{
    m_pSystemTray->hide();
    QCoreApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    qDebug() << "Close Dlg!";
    event->ignore();
    hide();
    // Without a tray a hidden window could never be brought back: closing ends the
    // program, as "Quit" would.
    if (!systemTrayAvailable())
        quitProgram();
}

// ---- Title-bar buttons and the start screen ----------------------------------------

void MainWindow::on_PushButton_Close_Clicked()
{
    close();
}

void MainWindow::on_PushButton_DefaultClose_Clicked()
{
    close();
}

void MainWindow::on_PushButton_Minimize_Clicked()
{
    showMinimized();
}

void MainWindow::on_PushButton_Max_Clicked() {}

void MainWindow::main_clicked()
{
    ui.pushButton_8->show();
    ui.pushButton_9->setGeometry(1330, 190, 500, 598);
    ui.label->setStyleSheet(QStringLiteral("QLabel{border-image: url(:/controls/pic/control/background.png);}"));
    ui.label->setScaledContents(true);
    ui.label->lower();
    ui.label_DefaultBackground->lower();
    ui.pushButton_DefaultClose->lower();
}

void MainWindow::main_changed()
{
    ui.pushButton_8->hide();
    ui.pushButton_9->setGeometry(338, 115, 530, 615);
    ui.label->raise();
    ui.pushButton_9->raise();
    ui.label->setStyleSheet(QStringLiteral("QLabel{border-image: url(:/headset/pic/headset/main_headset.png);}"));
    showHeadsetButton();
    ui.pushButton_Close->raise();
    ui.pushButton_Minimize->raise();
    stopSpeakerTest();
}

void MainWindow::slot1()
{
    ui.tabWidget->setCurrentIndex(0);
}

// ---- Dragging, hover cursor, font ---------------------------------------------------

bool MainWindow::startsDrag(const QPoint &pos) const
{
    return (m_nDevicePanelShown == 1 ? kTitleStrip : kStartScreenArea).contains(pos);
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !startsDrag(event->pos()))
        return;
    m_bDragging = true;
    m_ptDragStart = event->pos();
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (ui.verticalSlider_30->geometry().contains(mapFromGlobal(QCursor::pos())))
        qDebug() << "11111111111111";
    if (m_bDragging)
        move(pos() + (event->pos() - m_ptDragStart));
}

void MainWindow::mouseReleaseEvent(QMouseEvent *)
{
    m_bDragging = false;
}

bool MainWindow::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverLeave:
    case QEvent::HoverMove: {
        setCursor(Qt::ArrowCursor);
        const QPoint at = static_cast<QHoverEvent *>(event)->pos();
        for (QWidget *button : {ui.pushButton_DefaultClose, ui.pushButton_Close, ui.pushButton_Minimize}) {
            if (button->geometry().contains(at)) {
                setCursor(Qt::PointingHandCursor);
                break;
            }
        }
        break;
    }
    default:
        break;
    }
    return QWidget::event(event);
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    // Scale from the size the window started with, so repeated resizes do not compound.
    if (m_fBaseFontPointSize <= 0)
        m_fBaseFontPointSize = font().pointSizeF();
    if (m_fBaseFontPointSize > 0) {
        QFont base = font();
        base.setPointSizeF(m_fBaseFontPointSize);
        setFont(base);
    }
    scaleWidgetFont(this, logicalDpiX());
    QWidget::resizeEvent(event);
}

// ---- Folding preset lists and the custom slots' buttons ------------------------------

void MainWindow::foldPresetList(int fold)
{
    const FoldLayout &layout = kFoldLayouts[fold];
    const bool surround = fold < 2;
    const EqPage &page = surround ? *m_surroundPage : *m_stereoPage;
    page.customize->setGeometry(layout.customize);
    page.customAdd->setGeometry(layout.add);
    for (int n = 0; n < 5; ++n) {
        const int offset = kSlotPitch * n;
        page.customRadios[n]->setGeometry(0, layout.radioY + offset, 110, 30);
        page.customCheckMarks[n]->setGeometry(layout.checkX, layout.checkY + offset, 20, 24);
        page.customDeleteButtons[n]->setGeometry(layout.deleteX, layout.deleteY + offset, 18, 18);
    }
    (surround ? ui.scrollArea : ui.scrollArea_2)->verticalScrollBar()->setValue(0);
}

// Unfolding brings the fold arrow and the factory presets back and names the list.
void MainWindow::unfoldPresetList(QWidget *foldArrow, QLineEdit *caption, std::initializer_list<QWidget *> presets,
                                  int fold)
{
    foldArrow->show();
    caption->setText(QStringLiteral("Default"));
    setVisibleAll(presets, true);
    foldPresetList(fold);
}

void MainWindow::pushButton_die1_fold()
{
    setVisibleAll({ui.pushButton_die1, ui.radioButton_Surround_DeepBas, ui.radioButton_Surround_Moba,
                   ui.radioButton_Surround_FPS, ui.radioButton_Surround_ZorbStandard, ui.pushButton_13,
                   ui.pushButton_14, ui.pushButton_15, ui.pushButton_16},
                  false);
    foldPresetList(0);
}

void MainWindow::pushButton_die2_fold()
{
    unfoldPresetList(ui.pushButton_die1, ui.lineEdit_20,
                     {ui.radioButton_Surround_DeepBas, ui.radioButton_Surround_Moba, ui.radioButton_Surround_FPS,
                      ui.radioButton_Surround_ZorbStandard, ui.radioButton_Surround_ZorbStandard1,
                      ui.radioButton_Surround_ZorbStandard2},
                     1);
}

void MainWindow::pushButton_die3_fold()
{
    setVisibleAll({ui.pushButton_die3, ui.pushButton_22, ui.pushButton_23, ui.pushButton_24, ui.pushButton_25,
                   ui.pushButton_26, ui.pushButton_27, ui.radioButton_Stereo_Velor_copy,
                   ui.radioButton_Stereo_FLAT_copy, ui.radioButton_Stereo_Pop, ui.radioButton_Stereo_RockRoll,
                   ui.radioButton_Stereo_DeepBass, ui.radioButton_Stereo_Jazz, ui.radioButton_Stereo_Classic,
                   ui.radioButton_Stereo_ZorbStandard, ui.radioButton_Stereo_Velor, ui.radioButton_Stereo_FLAT},
                  false);
    foldPresetList(2);
}

void MainWindow::pushButton_die4_fold()
{
    unfoldPresetList(ui.pushButton_die3, ui.lineEdit_21,
                     {ui.radioButton_Stereo_Pop, ui.radioButton_Stereo_RockRoll, ui.radioButton_Stereo_DeepBass,
                      ui.radioButton_Stereo_Jazz, ui.radioButton_Stereo_Classic, ui.radioButton_Stereo_ZorbStandard},
                     3);
}

void MainWindow::disappear()
{
    hideCustomSlotButtons(*m_surroundPage);
}

void MainWindow::disappear2()
{
    hideCustomSlotButtons(*m_stereoPage);
}
