// The main window form: every widget of the window at its fixed place, with its look,
// its texts and its connections to the window's slots. Written by hand in the shape a
// form compiler produces (one public pointer per object, setupUi, retranslateUi) because
// the form needs what a Designer file cannot say: pixel-size fonts and widgets that
// share one objectName while each keeps connections of its own.
//
// Controllers reach widgets through these members, never by objectName: the three
// Surround buttons "radioButton_Surround_ZorbStandard" and their three check marks
// "pushButton_16" share names.
#pragma once

#include "ui/CSlider.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpacerItem>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QWidget>

#include <qcustomplot.h>

class Ui_TonewrightClass
{
public:
    QWidget *centralWidget;
    QTabWidget *tabWidget;

    // Surround page (tab 0).
    QWidget *widget_2;
    QWidget *widget_6;
    QLabel *lineEdit_2;
    QLabel *label_13;
    QGroupBox *groupBox_Surround;
    QVBoxLayout *verticalLayout_2;
    QSlider *Slider_Voice1;
    QLineEdit *lineEdit_7;
    QLineEdit *lineEdit_8;
    QLabel *label_18;
    QTextEdit *textEdit;
    QScrollArea *scrollArea;
    QWidget *scrollAreaWidgetContents_6;
    QRadioButton *radioButton_Surround_Moba;
    QRadioButton *radioButton_Surround_DeepBas;
    QRadioButton *radioButton_Surround_FPS;
    QRadioButton *radioButton_Surround_ZorbStandard;
    QRadioButton *radioButton_Surround_ZorbStandard1;
    QRadioButton *radioButton_Surround_ZorbStandard2;
    QRadioButton *radioButton_Surround_Customize;
    QPushButton *pushButton_Surround_CustomAdd;
    QRadioButton *radioButton_Surround_Custom1;
    QRadioButton *radioButton_Surround_Custom2;
    QRadioButton *radioButton_Surround_Custom3;
    QRadioButton *radioButton_Surround_Custom4;
    QRadioButton *radioButton_Surround_Custom5;
    QPushButton *pushButton_13;
    QPushButton *pushButton_14;
    QPushButton *pushButton_15;
    QPushButton *pushButton_16;
    QPushButton *pushButton_161;
    QPushButton *pushButton_162;
    QPushButton *pushButton_17;
    QPushButton *pushButton_18;
    QPushButton *pushButton_19;
    QPushButton *pushButton_20;
    QPushButton *pushButton_21;
    QPushButton *pushButton_Surround_CustomClear_2;
    QPushButton *pushButton_Surround_CustomClear_3;
    QPushButton *pushButton_Surround_CustomClear_4;
    QPushButton *pushButton_Surround_CustomClear_5;
    QPushButton *pushButton_Surround_CustomClear_6;
    QLineEdit *lineEdit_20;
    QPushButton *pushButton_die1;
    QPushButton *pushButton_die2;
    QLineEdit *lineEdit_22;
    QPushButton *pushButton_CustomReset;
    QPushButton *pushButton_CustomSave;
    QPushButton *pushButton_4;
    QPushButton *pushButton_5;
    QPushButton *pushButton_SurroundTest;
    QGroupBox *groupBox_SurroundTest;
    QLabel *label_Horn_Left;
    QLabel *label_Horn_Right;
    QLabel *label_Horn_Up;
    QLabel *label_Horn_LeftUp;
    QLabel *label_Horn_RightUp;
    QLabel *label_Horn_RightDown;
    QLabel *label_Horn_LeftDown;
    QLineEdit *lineEdit_6;
    QLineEdit *lineEdit_9;
    QLineEdit *lineEdit_10;
    QLineEdit *lineEdit_11;
    QLabel *label_20;
    QLabel *label_19;
    QLabel *label_32;
    QLabel *label_22;
    QLabel *label_16;
    CSlider *verticalSlider_30_2;
    CSlider *verticalSlider_60_2;
    CSlider *verticalSlider_120_2;
    CSlider *verticalSlider_250_2;
    CSlider *verticalSlider_500_2;
    CSlider *verticalSlider_1k_2;
    CSlider *verticalSlider_2k_2;
    CSlider *verticalSlider_4k_2;
    CSlider *verticalSlider_8k_2;
    CSlider *verticalSlider_16k_2;
    QLineEdit *lineEdit_23;

    // Stereo page (tab 1).
    QWidget *widget;
    QWidget *widget_5;
    QLineEdit *lineEdit_3;
    QLabel *label_12;
    QLineEdit *lineEdit_12;
    QLabel *label_21;
    QSlider *Slider_Voice1_2;
    QLineEdit *lineEdit_13;
    QLineEdit *lineEdit_14;
    QTextEdit *textEdit_2;
    QScrollArea *scrollArea_2;
    QWidget *scrollAreaWidgetContents_7;
    QRadioButton *radioButton_Stereo_Pop;
    QRadioButton *radioButton_Stereo_RockRoll;
    QRadioButton *radioButton_Stereo_DeepBass;
    QRadioButton *radioButton_Stereo_Jazz;
    QRadioButton *radioButton_Stereo_Classic;
    QRadioButton *radioButton_Stereo_ZorbStandard;
    QRadioButton *radioButton_Stereo_Velor;
    QRadioButton *radioButton_Stereo_FLAT;
    QRadioButton *radioButton_Stereo_Customize;
    QPushButton *pushButton_Stereo_CustomAdd;
    QRadioButton *radioButton_Stereo_Custom1;
    QRadioButton *radioButton_Stereo_Custom2;
    QRadioButton *radioButton_Stereo_Custom3;
    QRadioButton *radioButton_Stereo_Custom4;
    QRadioButton *radioButton_Stereo_Custom5;
    QPushButton *pushButton_22;
    QPushButton *pushButton_23;
    QPushButton *pushButton_24;
    QPushButton *pushButton_25;
    QPushButton *pushButton_26;
    QPushButton *pushButton_27;
    QPushButton *radioButton_Stereo_Velor_copy;
    QPushButton *radioButton_Stereo_FLAT_copy;
    QPushButton *pushButton_28;
    QPushButton *pushButton_29;
    QPushButton *pushButton_30;
    QPushButton *pushButton_31;
    QPushButton *pushButton_32;
    QPushButton *pushButton_Stereo_CustomClear_2;
    QPushButton *pushButton_Stereo_CustomClear_3;
    QPushButton *pushButton_Stereo_CustomClear_4;
    QPushButton *pushButton_Stereo_CustomClear_5;
    QPushButton *pushButton_Stereo_CustomClear_6;
    QLineEdit *lineEdit_21;
    QPushButton *pushButton_die3;
    QPushButton *pushButton_die4;
    QPushButton *pushButton_CustomReset2;
    QPushButton *pushButton_CustomSave2;
    QLineEdit *lineEdit_15;
    QLabel *label_36;
    CSlider *verticalSlider_16k;
    CSlider *verticalSlider_8k;
    CSlider *verticalSlider_4k;
    CSlider *verticalSlider_2k;
    CSlider *verticalSlider_1k;
    CSlider *verticalSlider_500;
    CSlider *verticalSlider_250;
    CSlider *verticalSlider_120;
    CSlider *verticalSlider_60;
    CSlider *verticalSlider_30;

    // Microphone page (tab 2).
    QWidget *widget_3;
    QLabel *label_Spectrum;
    QWidget *widget_7;
    QLineEdit *lineEdit_4;
    QPushButton *pushButton_2;
    QPushButton *pushButton_3;
    QLabel *label_17;
    QLineEdit *lineEdit_16;
    QLineEdit *lineEdit_17;
    QSlider *Slider_Voice1_3;
    QTextEdit *textEdit_3;
    QLineEdit *lineEdit_18;
    QLineEdit *lineEdit_19;
    QLabel *label_35;

    // Title bar, no-headset screen and the widgets parked on the central widget.
    QLabel *label__Head_Two;
    QPushButton *pushButton_Minimize;
    QPushButton *pushButton_Close;
    QLabel *label;
    QLabel *label_DefaultBackground;
    QLabel *label_DefaultLogo; // no objectName
    QPushButton *pushButton_DefaultClose;
    QPushButton *pushButton_9;
    QLabel *label_DefaultHead;
    QLabel *label_Head;
    QLabel *label_Head_One;
    QLineEdit *lineEdit;
    QPushButton *pushButton_8;
    QWidget *layoutWidget_2;
    QHBoxLayout *horizontalLayout_2;
    QSpacerItem *horizontalSpacer;
    QSpacerItem *horizontalSpacer_2;
    QSpacerItem *horizontalSpacer_3;
    QWidget *layoutWidget_4;
    QHBoxLayout *horizontalLayout_8;
    QSpacerItem *horizontalSpacer_4;
    QGroupBox *groupBox_Stereo_Spectrum;
    QCheckBox *checkBox_MicENC;
    QLabel *label_PersonGif;
    QRadioButton *radioButton;
    QLabel *label_5;
    QPushButton *pushButton_12;
    QLabel *label_33;
    QPushButton *pushButton_6;
    QPushButton *pushButton_7;
    QLabel *label_34;
    QPushButton *pushButton_10;
    QPushButton *pushButton_11;
    QCustomPlot *groupBox_Stereo;
    QPushButton *pushButton_Surround_CustomClear;
    QWidget *layoutWidget;
    QHBoxLayout *horizontalLayout_18;
    QSpacerItem *horizontalSpacer_5;
    QLabel *label_23;
    QLabel *label_24;
    QLabel *label_25;
    QLabel *label_26;
    QLabel *label_27;
    QLabel *label_28;
    QLabel *label_29;
    QLabel *label_15;
    QLabel *label_30;
    QLabel *label_31;
    QSpacerItem *horizontalSpacer_6;
    QLabel *label_dB;
    QLabel *label_Hz_2;
    QWidget *layoutWidget1;
    QHBoxLayout *horizontalLayout_15;
    QSpacerItem *horizontalSpacer_7;
    QLabel *label_2;
    QLabel *label_3;
    QLabel *label_4;
    QLabel *label_6;
    QLabel *label_7;
    QLabel *label_8;
    QLabel *label_9;
    QLabel *label_14;
    QLabel *label_10;
    QLabel *label_11;
    QSpacerItem *horizontalSpacer_8;
    QLabel *label_dB_2;
    QLabel *label_Hz;
    QCustomPlot *widget_Param_Stereo;
    QCustomPlot *widget_Param_Surround;
    QWidget *layoutWidget_3;
    QVBoxLayout *verticalLayout_5;
    QHBoxLayout *horizontalLayout_17;
    QPushButton *pushButton_Stereo_CustomClear;
    QPushButton *pushButton_33;
    QPushButton *pushButton_34;
    QLabel *label_37;
    QCustomPlot *widget_Spectrum;
    QLineEdit *lineEdit_CustomName;

    // Builds the whole form on the window, sets its texts and connects it to the
    // window's slots (by signature, so the window must declare every slot the form
    // names; a connection that cannot be made is logged as critical).
    void setupUi(QMainWindow *TonewrightClass);
    // Sets every user-visible text of the form.
    void retranslateUi(QMainWindow *TonewrightClass);

private:
    void setupSurroundPage();
    void setupSurroundPresetList();
    void setupSpeakerTestPanel();
    void setupStereoPage();
    void setupStereoPresetList();
    void setupMicrophonePage();
    void setupFrame();
    void setupDefaultScreen();
    void setupHeadsetButton();
    void setupSurroundPlot();
    void stackFrame();
    void connectForm(QMainWindow *window);
    void retranslateFrame(QMainWindow *window);
    void retranslateSurroundPage();
    void retranslateStereoPage();
    void retranslateMicrophonePage();
    void clearImageTexts();
};

namespace Ui {
class TonewrightClass : public Ui_TonewrightClass
{
};
} // namespace Ui
