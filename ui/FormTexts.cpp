// Every user-visible text of the main window form, set in one pass through the
// translation call with the context "TonewrightClass". Widgets that show only an image
// get an empty text.
#include "ui/ui_tonewright.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("TonewrightClass", text, nullptr);
}

// A one-paragraph rich-text document: Arial 10 pt by default, the paragraph in SimSun 20 px.
constexpr char volumeHtmlHead[] =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" \"http://www.w3.org/TR/REC-html40/strict.dtd\">\n"
    "<html><head><meta name=\"qrichtext\" content=\"1\" /><style type=\"text/css\">\n"
    "p, li { white-space: pre-wrap; }\n"
    "</style></head><body style=\" font-family:'Arial'; font-size:10pt; font-weight:400; font-style:normal;\">\n";
constexpr char volumeHtmlEmpty[] =
    "<p style=\"-qt-paragraph-type:empty; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; "
    "-qt-block-indent:0; text-indent:0px; font-family:'SimSun'; font-size:20px;\"><br /></p></body></html>";
constexpr char volumeHtmlZero[] =
    "<p style=\" margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; "
    "text-indent:0px;\"><span style=\" font-family:'SimSun'; font-size:20px;\">0</span></p></body></html>";

QString volumeHtml(const char *paragraph)
{
    return tr((QByteArray(volumeHtmlHead) + paragraph).constData());
}

constexpr const char *bandTexts[10] = {"30", "60", "120", "250", "500", "1k", "2k", "4k", "8k", "16k"};
constexpr const char *customSlotTexts[5] = {"Customize -1", "Customize -2", "Customize -3", "Customize -4",
                                            "Customize -5"};

void setCustomSlotTexts(std::initializer_list<QRadioButton *> slotButtons)
{
    int slot = 0;
    for (QRadioButton *button : slotButtons)
        button->setText(tr(customSlotTexts[slot++]));
}

void setBandTexts(std::initializer_list<QLabel *> captions)
{
    int band = 0;
    for (QLabel *caption : captions)
        caption->setText(tr(bandTexts[band++]));
}

} // namespace

void Ui_TonewrightClass::retranslateUi(QMainWindow *TonewrightClass)
{
    retranslateSurroundPage();
    retranslateStereoPage();
    retranslateMicrophonePage();
    retranslateFrame(TonewrightClass);
    clearImageTexts();
}

void Ui_TonewrightClass::retranslateSurroundPage()
{
    lineEdit_2->setText(tr("7.1 SURROUND SOUND(GAME)"));
    lineEdit_22->setText(tr("Volume"));
    lineEdit_7->setText(tr("0"));
    lineEdit_8->setText(tr("100"));
    textEdit->setHtml(volumeHtml(volumeHtmlEmpty));
    radioButton_Surround_Moba->setText(tr("Moba"));
    radioButton_Surround_DeepBas->setText(tr("Deep Bass"));
    radioButton_Surround_FPS->setText(tr("FPS"));
    radioButton_Surround_ZorbStandard->setText(tr("LOGO Standard"));
    radioButton_Surround_ZorbStandard1->setText(tr("Velor Sur EQ"));
    radioButton_Surround_ZorbStandard2->setText(tr("FLAT"));
    radioButton_Surround_Customize->setText(tr("Customize"));
    setCustomSlotTexts({radioButton_Surround_Custom1, radioButton_Surround_Custom2, radioButton_Surround_Custom3,
                        radioButton_Surround_Custom4, radioButton_Surround_Custom5});
    lineEdit_20->setText(tr("Default"));
    pushButton_CustomReset->setText(tr("Reset"));
    pushButton_CustomSave->setText(tr("Save"));
    pushButton_4->setText(tr("Style"));
    pushButton_5->setText(tr("Surround Sound"));
    pushButton_SurroundTest->setText(tr("Test"));
    lineEdit_6->setText(tr("Front"));
    lineEdit_9->setText(tr("Back"));
    lineEdit_10->setText(tr("Left"));
    lineEdit_11->setText(tr("Right"));
    lineEdit_23->setText(tr("POP"));
}

void Ui_TonewrightClass::retranslateStereoPage()
{
    lineEdit_3->setText(tr("STEREO SOUND(MUSIC)"));
    lineEdit_12->setText(tr("Volume"));
    lineEdit_13->setText(tr("0"));
    lineEdit_14->setText(tr("100"));
    textEdit_2->setHtml(volumeHtml(volumeHtmlZero));
    radioButton_Stereo_Pop->setText(tr("Pop"));
    radioButton_Stereo_RockRoll->setText(tr("Rock && Roll"));
    radioButton_Stereo_DeepBass->setText(tr("Deep Bass"));
    radioButton_Stereo_Jazz->setText(tr("Jazz"));
    radioButton_Stereo_Classic->setText(tr("Classic"));
    radioButton_Stereo_ZorbStandard->setText(tr("LOGO Standard"));
    radioButton_Stereo_Customize->setText(tr("Customize"));
    radioButton_Stereo_Velor->setText(tr("Velor Stereo"));
    radioButton_Stereo_FLAT->setText(tr("FLAT"));
    setCustomSlotTexts({radioButton_Stereo_Custom1, radioButton_Stereo_Custom2, radioButton_Stereo_Custom3,
                        radioButton_Stereo_Custom4, radioButton_Stereo_Custom5});
    lineEdit_21->setText(tr("Default"));
    pushButton_CustomReset2->setText(tr("Reset"));
    pushButton_CustomSave2->setText(tr("Save"));
    lineEdit_15->setText(tr("POP"));
}

void Ui_TonewrightClass::retranslateMicrophonePage()
{
    lineEdit_4->setText(tr("Mic ENC(Environment Noise Cancellation)"));
    pushButton_2->setText(tr("ON"));
    pushButton_3->setText(tr("OFF"));
    lineEdit_16->setText(tr("MIC ENC"));
    lineEdit_17->setText(tr("Volume"));
    textEdit_3->setHtml(volumeHtml(volumeHtmlZero));
    lineEdit_18->setText(tr("0"));
    lineEdit_19->setText(tr("100"));
}

void Ui_TonewrightClass::retranslateFrame(QMainWindow *window)
{
    // A second start of the program finds the running window by this title.
    window->setWindowTitle(tr("Tonewright"));
    label_DefaultHead->setText(tr(" Zorb 7.1 Surround Sound Hub"));
    lineEdit->setText(tr("Configuration File"));
    radioButton->setText(tr("第一页"));
    pushButton_33->setText(tr("清空1111"));
    pushButton_34->setText(tr("清空2222"));
    setBandTexts({label_23, label_24, label_25, label_26, label_27, label_28, label_29, label_15, label_30, label_31});
    label_dB->setText(tr("dB"));
    label_Hz_2->setText(tr("Hz"));
    setBandTexts({label_2, label_3, label_4, label_6, label_7, label_8, label_9, label_14, label_10, label_11});
    label_dB_2->setText(tr("dB"));
    label_Hz->setText(tr("Hz"));
    // The tabs show only their icons.
    for (QWidget *page : {widget_2, widget, widget_3})
        tabWidget->setTabText(tabWidget->indexOf(page), QString());
}

// Widgets that show only an image or a style-sheet background.
void Ui_TonewrightClass::clearImageTexts()
{
    for (QLabel *picture :
         {label_13, label_18, label_16, label_19, label_20, label_22, label_32, label_Horn_Left, label_Horn_Right,
          label_Horn_Up, label_Horn_LeftUp, label_Horn_RightUp, label_Horn_RightDown, label_Horn_LeftDown, label_12,
          label_21, label_36, label_Spectrum, label_17, label_35, label, label_DefaultBackground, label_Head,
          label_Head_One, label__Head_Two, label_PersonGif, label_33, label_34, label_5, label_37})
        picture->setText(QString());
    for (QGroupBox *box : {groupBox_Surround, groupBox_SurroundTest, groupBox_Stereo_Spectrum})
        box->setTitle(QString());
    for (QAbstractButton *button : std::initializer_list<QAbstractButton *>{
             pushButton_Surround_CustomAdd, pushButton_Stereo_CustomAdd, pushButton_13,
          pushButton_14, pushButton_15, pushButton_16, pushButton_17, pushButton_18, pushButton_19, pushButton_20,
          pushButton_21, pushButton_22, pushButton_23, pushButton_24, pushButton_25, pushButton_26, pushButton_27,
          pushButton_28, pushButton_29, pushButton_30, pushButton_31, pushButton_32, pushButton_Surround_CustomClear_2,
          pushButton_Surround_CustomClear_3, pushButton_Surround_CustomClear_4, pushButton_Surround_CustomClear_5,
          pushButton_Surround_CustomClear_6, pushButton_Stereo_CustomClear_2, pushButton_Stereo_CustomClear_3,
          pushButton_Stereo_CustomClear_4, pushButton_Stereo_CustomClear_5, pushButton_Stereo_CustomClear_6,
          pushButton_die1, pushButton_die2, pushButton_die3, pushButton_die4, pushButton_Minimize, pushButton_Close,
          pushButton_DefaultClose, pushButton_6, pushButton_7, pushButton_8, pushButton_9, pushButton_10,
          pushButton_11, pushButton_12, pushButton_Surround_CustomClear, pushButton_Stereo_CustomClear,
          checkBox_MicENC})
        button->setText(QString());
}
