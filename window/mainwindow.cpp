// Construction and start-up of the main window, and its two looks.
#include "window/MainWindow.h"

#include "window/EqPage.h"

#include "app/AppShell.h"
#include "app/Autorun.h"
#include "app/RuntimeFolder.h"
#include "headset/MyThread.h"
#include "headset/MyThread_Two.h"
#include "headset/UsbHidOperation.h"
#include "platform/udev/DeviceMonitor.h"
#include "sysaudio/MixerWrap.h"
#include "ui/CustomTabStyle.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDebug>
#include <QTabBar>
#include <QThread>

namespace {

const char *const kTabIconFiles[8] = {
    ":/min/pic/min/game.png",           ":/min/pic/min/ear-bai.png", ":/min/pic/min/maikefeng-bai.png",
    ":/min/pic/min/sun.png",            ":/min/pic/min/game.png",    ":/min/pic/min/ear-bai.png",
    ":/min/pic/min/maikefeng-bai.png", ":/min/pic/min/sun-bai.png",
};

void hideAll(std::initializer_list<QWidget *> widgets)
{
    for (QWidget *widget : widgets)
        widget->hide();
}

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    for (int i = 0; i < 8; ++i)
        m_tabIcons[i] = new QIcon(QString::fromUtf8(kTabIconFiles[i]));
    ui.setupUi(this);
    buildEqPages();
    m_pMixerWrap = new MixerWrap;
    initVolumeControls();
    InitMyDialog();
    qDebug() << "========size=======" << size();
}

MainWindow::~MainWindow()
{
    // The workers read the link's globals; they are stopped and joined here so that
    // nothing runs on after the window and the process's globals are gone.
    stopHeadsetThreads();
    for (QIcon *icon : m_tabIcons)
        delete icon;
    delete m_pStereoPresetGroup;
    delete m_pStereoCustomGroup;
    delete m_pSurroundPresetGroup;
    delete m_pSurroundCustomGroup;
    delete m_pMixerWrap;
}

void MainWindow::Sleep(int milliseconds)
{
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

bool MainWindow::isAutorunStart() const
{
    return ::isAutorunStart(QCoreApplication::arguments());
}

void MainWindow::InitMyDialog()
{
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);
    setAttribute(Qt::WA_Hover, true);
    installEventFilter(this);
    ui.label_DefaultBackground->installEventFilter(this); // its picture waits for the no-headset look

    g_nPidCount = 0;
    m_pMyThreadTwo = nullptr;
    m_player = nullptr;
    m_nReconnectTimerId = 0;
    m_nSliderTimerId = 0;
    m_nSliderTick = 0;
    m_bDragging = false;
    m_qstrAppDirPath = runtimeFilesFolder();
    m_nStereoCustomCount = m_nSurroundCustomCount = 0;
    m_nSliderMoved = m_nSliderSendReady = 0;
    std::fill(std::begin(m_ucDeviceUuid), std::end(m_ucDeviceUuid), 0);
    m_nDeviceChangeSeen = 0;
    m_fTabStatus = 2;
    m_nStereoState = 201;
    m_nSurroundState = 101;
    m_nStereoCustomId = m_nSurroundCustomId = 0;
    m_nSurroundTestRun = false;
    m_nSpeakerStep = m_nTestClickCount = 0;
    m_nSpecial = 0;
    m_nSaveCurrentMode = 0;

    clearBandGainStrings();
    registerDevice();
    InitSystemTray();
    InitSpectrumData();
    InitQCustomPlot();
    InitButtonGroup();
    getDefaultJsonFile(); // fills the permitted product ids; without them nothing opens

    hideCopyButtons();
    ui.tabWidget->tabBar()->setStyle(new CustomTabStyle);
    ui.checkBox_MicENC->setChecked(true);
    ui.label_Spectrum->setStyleSheet(QStringLiteral("border-image: url(:/Tonewright/pic/FX.png);"));
    applyStartupVisibility();

    for (const EqPage *page : {m_surroundPage.get(), m_stereoPage.get()}) {
        for (int k = 0; k < 5; ++k)
            page->customRadios[k]->setText(QStringLiteral("Customize -%1").arg(k + 1));
    }
    // No custom slot starts selected, whatever the form left; and none can be made
    // before a headset's user file is there to keep it.
    for (const EqPage *page : {m_surroundPage.get(), m_stereoPage.get()})
        forgetCustomSelection(*page);
    offerCustomPresets(false);

    for (const EqPage *page : {m_stereoPage.get(), m_surroundPage.get()}) {
        for (QAbstractSlider *slider : page->sliders) {
            slider->setEnabled(false);
            slider->setValue(0);
        }
    }
    createSliderConnections();
    hideAll({ui.lineEdit_CustomName, ui.pushButton_CustomReset, ui.pushButton_CustomSave,
             ui.pushButton_CustomReset2, ui.pushButton_CustomSave2});

    // The 1 ms gate timer rests until a band slider changes (see markSliderMoved).
    connectStereoSlider();
    setPanelState(1);

    if (g_nDeviceOpen == 0) {
        if (usbHidOpenDevice() == 0)
            startHeadsetLink();
        else
            tellOpenRefusedOnce();
    }

    g_nShowMainWindow = isAutorunStart() ? 0 : 1;
}

// Every check mark, slot 5's (which copies nothing) included.
void MainWindow::hideCopyButtons()
{
    for (const EqPage *page : {m_surroundPage.get(), m_stereoPage.get()}) {
        for (QAbstractButton *copy : page->copyButtons)
            copy->hide();
        page->customCheckMarks.back()->hide();
    }
}

void MainWindow::applyStartupVisibility()
{
    ui.widget_Param_Surround->show();
    hideAll({ui.label_33, ui.pushButton_6, ui.pushButton_7, ui.label_34, ui.pushButton_10, ui.pushButton_11,
             ui.widget_Param_Stereo, ui.groupBox_Surround, ui.groupBox_Stereo});
    for (const EqPage *page : {m_stereoPage.get(), m_surroundPage.get()}) {
        for (QAbstractButton *radio : page->customRadios)
            radio->hide();
        for (QWidget *button : page->customDeleteButtons)
            button->hide();
        page->customAdd->hide();
        page->customClear->hide();
    }
    ui.groupBox_SurroundTest->hide();
    ui.pushButton_CustomReset->show();
    ui.pushButton_CustomSave->show();
    ui.pushButton_SurroundTest->hide();
    ui.label_PersonGif->setStyleSheet(QStringLiteral("border-image: url(:/png/pic/png/head.png);"));
    ui.groupBox_Stereo_Spectrum->hide();
}

void MainWindow::createSliderConnections()
{
    for (const EqPage *page : {m_stereoPage.get(), m_surroundPage.get()}) {
        for (QAbstractSlider *slider : page->sliders)
            connect(slider, SIGNAL(sliderMoved(int)), this, SLOT(on_VerticalSlider_Surround_Stereo_SlideMoved()));
    }
    for (QAbstractButton *copy : m_stereoPage->copyButtons)
        connect(copy, SIGNAL(clicked()), this, SLOT(on_PushButton_Stereo_CustomCopy_Clicked()));
    for (QAbstractButton *copy : m_surroundPage->copyButtons)
        connect(copy, SIGNAL(clicked()), this, SLOT(on_PushButton_Surround_CustomCopy_Clicked()));
    for (QLineEdit *name : {ui.lineEdit_23, ui.lineEdit_15}) {
        // Short enough that the names of every slot never outgrow the preset file.
        name->setMaxLength(kMaxPresetNameLength);
        connect(name, SIGNAL(textEdited(QString)), this, SLOT(on_LineEdit_CustomizeName_Changed(QString)));
    }
}

void MainWindow::setPanelState(int state)
{
    if (state == 1) {
        m_nDevicePanelShown = 0;
        for (QWidget *widget : {static_cast<QWidget *>(ui.label_DefaultHead),
                                static_cast<QWidget *>(ui.label_DefaultBackground),
                                static_cast<QWidget *>(ui.pushButton_DefaultClose)}) {
            widget->raise();
            widget->show();
        }
        ui.pushButton_Minimize->show();
        ui.pushButton_Minimize->raise();
        ui.label_Head->hide();
        ui.label->hide();
    } else if (state == 2) {
        m_nDevicePanelShown = 1;
        ui.label_DefaultHead->lower();
        ui.label_DefaultBackground->lower();
        ui.pushButton_DefaultClose->lower();
        ui.label_Head->show();
        ui.label->show();
    }
}
