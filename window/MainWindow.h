// The one window of the program and the owner of all controller state. One class, its
// methods kept with their subsystem: window/ holds construction, the headset link and
// the answer dispatch; presets/ holds the preset slots, PEQ sending and the slider gate.
#pragma once

#include "presets/PresetStore.h"
#include "sysaudio/VolumeSliders.h"
#include "ui/ui_tonewright.h"

#include <QIcon>
#include <QMainWindow>
#include <QSystemTrayIcon>
#include <QVector>

#include <array>
#include <memory>

class QAction;
class QButtonGroup;
class QMediaPlayer;
class QMenu;
class QMouseEvent;
class QMovie;
class QRadioButton;
class QAbstractSlider;
class QPushButton;
class QLineEdit;
class QWidget;
class MixerWrap;
class MyThread;
class MyThread_Two;
class DeviceMonitor;
class QScreen;
struct DeviceChange;

// The two equaliser pages are twins; a page is described once by this table row.
struct EqPage;
struct FactoryPreset;

class MainWindow : public QMainWindow, public PresetStore, public VolumeSliders
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Start-up and the two looks of the window.
    void InitMyDialog();
    void setPanelState(int state);
    void registerDevice();

    // Headset link: the open sequence run after a successful open.
    void startHeadsetLink();
    void startConnectOne();
    void startConnectTwo();
    void connectStereoSlider();

    // Later parts of the start-up sequence.
    void InitSystemTray();
    void createTrayActions();
    void createTrayMenu();
    void InitButtonGroup();
    void InitSpectrumData();
    void InitQCustomPlot();

    // PEQ sending and the slider helpers.
    void sendPEQParameter(int mode, int number);
    void getStereoSliderValues();
    void getSurroundSliderValues();
    void setStereoSlidersFromParameter();
    void setSurroundSlidersFromParameter();
    void setStereoSlidersFromStrings();
    void setSurroundSlidersFromStrings();
    void clearBandGainStrings();
    void setStereoEditEnabled(bool on);
    void setSurroundEditEnabled(bool on);

    bool isAutorunStart() const;

    // The form, reached by every controller through its members.
    Ui_TonewrightClass ui;

    // Controller state shared by several subsystems (initial values as start-up leaves them).
    MyThread *m_pMyThread = nullptr;
    MyThread_Two *m_pMyThreadTwo = nullptr;
    QMediaPlayer *m_player = nullptr;
    int m_nReconnectTimerId = 0;
    int m_nSliderTimerId = 0;
    int m_nSliderTick = 0;
    int m_nSliderMoved = 0;
    int m_nSliderSendReady = 0;
    // Per mode (0 Stereo, 1 Surround): the custom slot's preset number of the latest
    // slider change the gate may still owe the headset, -1 for none.
    std::array<int, 2> m_nHeldPresetNumber{{-1, -1}};
    int m_nSaveCurrentMode = 0;
    QSystemTrayIcon *m_pSystemTray = nullptr;
    QAction *m_pShowMainAction = nullptr;
    QAction *m_pExitAppAction = nullptr;
    QMenu *m_pTrayMenu = nullptr;
    QButtonGroup *m_pStereoPresetGroup = nullptr;
    QButtonGroup *m_pStereoCustomGroup = nullptr;
    QButtonGroup *m_pSurroundPresetGroup = nullptr;
    QButtonGroup *m_pSurroundCustomGroup = nullptr;
    std::array<QIcon *, 8> m_tabIcons{};
    int m_nDeviceChangeSeen = 0;
    bool m_fUserFileLoaded = false; // a headset's user file has been loaded once
    bool m_fOpenHeadsetIdTaken = false; // the open headset's id came with a status answer
    int m_nDevicePanelShown = 0;
    int m_fTabStatus = 2;
    bool m_nSurroundTestRun = false;
    int m_nSpeakerStep = 0;
    int m_nTestClickCount = 0;
    int m_nSpecial = 0;
    bool m_bDragging = false;
    QPoint m_ptDragStart;
    MixerWrap *m_pMixerWrap = nullptr;
    DeviceMonitor *m_pDeviceMonitor = nullptr;

    // The two equaliser pages as table rows (built right after the form).
    std::unique_ptr<EqPage> m_surroundPage;
    std::unique_ptr<EqPage> m_stereoPage;

public slots:
    // Window frame and chrome.
    void on_PushButton_Minimize_Clicked();
    void on_PushButton_Close_Clicked();
    void on_PushButton_DefaultClose_Clicked();
    void on_PushButton_Max_Clicked();
    void main_changed();
    void main_clicked();
    void slot1();
    void disappear();
    void disappear2();
    void pushButton_die1_fold();
    void pushButton_die2_fold();
    void pushButton_die3_fold();
    void pushButton_die4_fold();
    void on_activatedSysTrayIcon(QSystemTrayIcon::ActivationReason reason);
    void on_ShowMainAction();
    void on_ExitAppAction();

    // Mode tabs and the headset's answers.
    void on_TabWidget_Clicked(int index);
    void on_SLOTReadAudio(int code);

    // Factory presets and the custom lists.
    void on_RadioButton_Surround_DeepBass_Clicked();
    void on_RadioButton_Surround_FPS_Clicked();
    void on_RadioButton_Surround_Moba_Clicked();
    void on_RadioButton_Surround_ZorbStandard_Clicked();
    void on_RadioButton_Surround_Velor_Clicked();
    void on_RadioButton_Surround_FLAT_Clicked();
    void on_RadioButton_Stereo_Pop_Clicked();
    void on_RadioButton_Stereo_RockRoll_Clicked();
    void on_RadioButton_Stereo_DeepBass_Clicked();
    void on_RadioButton_Stereo_Jazz_Clicked();
    void on_RadioButton_Stereo_Classic_Clicked();
    void on_RadioButton_Stereo_ZorbStandard_Clicked();
    void on_RadioButton_Stereo_Velor_Clicked();
    void on_RadioButton_Stereo_FLAT_Clicked();
    void on_RadioButton_Surround_Customize_Clicked();
    void on_RadioButton_Stereo_Customize_Clicked();
    void On_Button_Surround();
    void On_Button_Style();

    // Sliders and the gate.
    void on_VerticalSlider_Stereo_ValueChange();
    void on_VerticalSlider_Surround_ValueChange();
    void on_VerticalSlider_Surround_Stereo_SlideMoved();
    void on_SLOTSetSliderValue(int value);
    void on_VerticalSlider_30_ActionTriggered_T(int action);

    // Custom slots, editing, deletion and renaming.
    void on_RadioButton_Surround_CustomOne_Clicked();
    void on_RadioButton_Surround_CustomTwo_Clicked();
    void on_RadioButton_Surround_CustomThree_Clicked();
    void on_RadioButton_Surround_CustomFour_Clicked();
    void on_RadioButton_Surround_CustomFive_Clicked();
    void on_RadioButton_Stereo_CustomOne_Clicked();
    void on_RadioButton_Stereo_CustomTwo_Clicked();
    void on_RadioButton_Stereo_CustomThree_Clicked();
    void on_RadioButton_Stereo_CustomFour_Clicked();
    void on_RadioButton_Stereo_CustomFive_Clicked();
    void on_PushButton_Surround_CustomAdd_Clicked();
    void on_PushButton_Stereo_CustomAdd_Clicked();
    void on_PushButton_Surround_CustomCopy_Clicked();
    void on_PushButton_Stereo_CustomCopy_Clicked();
    void on_PushButton_CustomSave_Clicked();
    void on_PushButton_CustomReset_Clicked();
    void on_PushButton_Surround_CustomClear_Clicked();
    void on_PushButton_Stereo_CustomClear_Clicked();
    void On_Button_Reset1();
    void On_Button_Save1();
    void On_Button_Reset2();
    void On_Button_Save2();
    void Red_Dialog();
    void Red_Dialog2();
    void Red_Dialog_STEREO();
    void Red_Dialog2_STEREO();
    void on_LineEdit_CustomizeName_Changed(const QString &text);

    // Speaker test and noise cancellation.
    void on_PushButton_PlayTest_Clicked();
    void on_SLOTSetMicTimer_LabelUI(int step);
    void On_Button_MousePressEvent();
    void Off_Button_MousePressEvent();
    void on_CheckBox_MicENC_Clicked();
    void on_PushButton_Horn_LeftUp_Clicked();

    // Plots.
    void myCustomPlotMousePressEvent(QMouseEvent *event);
    void myCustomPlotMouseReleaseEvent(QMouseEvent *event);
    void myCustomPlotMouseMoveEvent(QMouseEvent *event);

    // Volume value boxes.
    void set_Value(int value);
    void set_Value2(int value);

protected:
    void timerEvent(QTimerEvent *event) override;

    // The preset store's steps that need the window's buttons.
    void offerCustomPresets(bool offered) override;
    void showCustomSlotName(const QString &algorithm, int slot, const QString &name) override;
    void showSurroundCustomSlots(int count) override;
    void clickFactoryPreset(const QString &algorithm, int listPosition) override;
    void openCustomList(const QString &algorithm) override;
    QString customSlotText(const QString &algorithm, int slot) const override;
    void clickCustomSlot(const QString &algorithm, int slot) override;

private:
    // Pause of the GUI thread between two requests; blocking on purpose, so no other
    // send can interleave with a half-written preset in the one transmit buffer.
    static void Sleep(int milliseconds);

    void buildEqPages();
    const EqPage *pageOfMode(int mode) const;
    void initVolumeControls();
    void stopHeadsetThreads();
    void applyStartupVisibility();
    void showHeadsetPicture();
    void createSliderConnections();
    void hideCopyButtons();

    // The slider gate.
    void markSliderMoved();
    void onSliderValueChanged(const EqPage &page);
    void onSliderGateTick();
    void sendCustomPage(const EqPage &page);
    int customSlotNumber(const EqPage &page) const;
    void sendUnsentEdits();
    void lightSaveAndReset();
    bool setPageSliders(const EqPage &page, const std::array<int, 10> &values);
    std::array<int, 10> pageSliderValues(const EqPage &page) const;
    void setEditEnabled(const EqPage &page, bool on);
    void setSlidersFromParameter(const EqPage &page);
    void setSlidersFromStrings(const EqPage &page);

    // Presets of a page.
    const EqPage &pageOfAlgorithm(const QString &algorithm) const;
    void selectFactoryPreset(const EqPage &page, int row);
    bool loadStoredGains(const EqPage &page, int position);
    void hideCustomList(const EqPage &page);
    void showCustomizeList(const EqPage &page);
    void setSurroundSoundView(bool soundView);
    const QStringList &pageDefaultList(const EqPage &page) const;
    std::array<PresetParam, kCustomSlotCount> &pageCustomSlots(const EqPage &page);
    const PresetParam &pageCurrentCustom(const EqPage &page) const;
    bool pageCustomLoaded(const EqPage &page) const;
    const EqGainValues &pageGainStrings(const EqPage &page) const;

    // Tabs and answers.
    void switchToEqualiserTab(const EqPage &page);
    void showSurroundTabWidgets();
    void showStereoTabWidgets();
    void switchToMicrophoneTab();
    void switchToUnsupportedTab();
    void stopSpeakerTest();
    void clickSelectedPreset(const EqPage &page);
    void statusAnswer(const EqPage &wanted);
    void readStatusAnswer(const EqPage &page);
    void readStatusWithoutEqualiser(const EqPage &wanted);
    void readAudioAnswer();
    void peqAcknowledged();
    void loadNewHeadsetPresets(const EqPage &page);
    void showHeadsetButton();
    void addPagesWithIcons();
    void setTabIcons(int tab0, int tab1, int tab2, int tab3);
    // ---- Tray, window chrome, speaker test and plots (mainwindow_tray.cpp,
    //      mainwindow_speakertest.cpp, presets/mainwindow_plots.cpp) ----
public:
    void updateSpectrumPlot(const unsigned char *frame);

    // Shows the window as the start asked: shown; with "-autorun" hidden in the tray, or
    // minimised where the desktop has no tray to bring it back from.
    void showAsStarted();
    // A window hidden to the tray or minimised comes back in front, ready for input.
    void bringBackWindow();

    QMovie *m_pHeadMovie = nullptr;              // head animation of the speaker test
    std::array<QMovie *, 7> m_pSpeakerMovies{};  // one per speaker position, null once released
    QVector<double> m_vecSpectrumKey;
    QVector<double> m_vecSpectrumValue;

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void quitProgram();
    bool startsDrag(const QPoint &pos) const;
    void foldPresetList(int fold);
    void unfoldPresetList(QWidget *foldArrow, QLineEdit *caption, std::initializer_list<QWidget *> presets, int fold);
    void holdSpeakerTest(bool hold);
    void loadSpeakerGifs();
    void playTestAudio();
    void releaseSpeakerMovies();
    void releaseSpeakerMovie(int position);
    void dropTestPlayer();
    void endSpeakerTest();
    void restSpeakerTest();
    void showSpeakerStep(int step);
    void sendNoiseCancellation(bool on, const char *slot);
    qreal m_fBaseFontPointSize = 0; // the window's font size before any DPI scaling
    // ---- end of tray, chrome, speaker test and plots ----

    // --- Custom preset slots: selection, Add, Copy, Save, Reset, deletion, renaming
    // (presets/mainwindow_custom.cpp) ---
public:
    // Close the gap the selected slot of the mode leaves and select slot 1.
    void deleteSurroundCustomSlot();
    void deleteStereoCustomSlot();

private:
    const EqPage *activeEqPage() const;
    void selectCustomSlot(const EqPage &page, int slot);
    void fillNewCustomSlot(const EqPage &page, const QString &gainText);
    void addCustomPreset(const EqPage &page);
    void copyCustomPreset(const EqPage &page);
    void saveCustomPreset();
    void resetCustomPreset();
    void showCustomSaveFailed(const EqPage &page);
    void openDeletePrompt(const EqPage &page);
    void confirmDeletion(const EqPage &page);
    void shiftCustomSlotsOf(const EqPage &page);
    void refreshCustomSlotTexts();
    void clearLastCustomSlot(const EqPage &page);
    void forgetCustomSelection(const EqPage &page);

    // ---- Device arrival and removal (window/mainwindow_device.cpp) ----
public:
    // Opens a connected supported headset the whole way (threads, first requests):
    // 0 opened, -1 open failed, -2 none found or one is open already.
    int InitDeviceInput();
    // One device-change broadcast, from the udev monitor or a native message.
    void onDeviceChange(const DeviceChange &change);
    bool nativeEvent(const QByteArray &eventType, void *message, long *result) override;

private:
    void connectDeviceNotifications();
    bool removedHeadsetIsOpen(const QString &name) const;
    void closeOpenHeadset();
    void resetPagesWithoutSaving();
    void stopReconnectTimer();
    void reopenHeadset();
    // A headset there but not this user's to open: the udev hint, in a box once per start.
    void tellOpenRefusedOnce();
    void watchScreenDpi(QScreen *screen);
    void scheduleDpiNudge();
    bool m_fOpenRefusedTold = false;
    // ---- end of device arrival and removal ----

    // ---- The first frame (window/mainwindow_firstframe.cpp) ----
public:
    // How long a shown window that is never painted holds the headset's first answers;
    // 500 ms in the program, longer in tests that must see the paint release them.
    void setLongestFirstFrameHoldMs(int ms) { m_nLongestHoldMs = ms; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Keeps an answer of the headset for after the window's first frame; false when
    // it is to be handled now.
    bool holdUntilFirstFrame(int code);
    void releaseHeldAnswers();
    void loadNoHeadsetBackdrop();
    bool m_fFirstFramePainted = false;
    bool m_fReleasingHeldAnswer = false;
    int m_nLongestHoldMs = 500;
    QList<int> m_heldAnswers; // answer codes waiting for the first frame, in arrival order
    // ---- end of the first frame ----
};
