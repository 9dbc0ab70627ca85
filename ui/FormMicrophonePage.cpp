// The microphone page (tab 2): the dark panel with title, microphone level slider and
// the ON/OFF noise-cancellation switch; on the right one label for a picture.
#include "ui/ui_tonewright.h"

#include "ui/FormBuild.h"
#include "ui/FormStyles.h"

using namespace formbuild;
using namespace formsheet;

namespace {

// A tab-widget sheet on a label, where it has no effect; the controller replaces it.
constexpr char pictureAreaSheet[] =
    "QTabWidget::pane {  border: -1px;top:-2px; left:1px; } \nQTabBar::tab:selected {\n"
    "background-color: rgb(196,40,26);\nborder-radius:5px;\n\n}\n\nQTabBar::tab:!selected {\n"
    "background-color: rgb(49,44,92);\nborder:1px;\n};\n";
constexpr char switchOnSheet[] =
    "border-radius: 5px;\ncolor:rgb(255,255,255);\nborder: none;\nbackground-color: rgb(196,40,26)";
constexpr char switchOffSheet[] =
    "border-top-right-radius:5px; \nborder-bottom-right-radius: 5px;\ncolor:rgb(100,100,100);\nborder: none;\n"
    "background-color: rgb(14,12,56)";
constexpr char whiteValueSheet[] = "text-align:left center;\ncolor:rgb(255,255,255);\nborder: none;";

QPushButton *makeSwitchSegment(QWidget *panel, const char *objectName, int x, const char *styleSheet)
{
    QPushButton *segment = make<QPushButton>(panel, objectName, QRect(x, 242, 38, 20));
    segment->setFont(pixelFont(10));
    segment->setStyleSheet(QString::fromUtf8(styleSheet));
    return segment;
}

} // namespace

void Ui_TonewrightClass::setupMicrophonePage()
{
    widget_3 = new QWidget();
    widget_3->setObjectName(QString::fromUtf8("widget_3"));
    widget_3->setAutoFillBackground(false);
    widget_3->setStyleSheet(QString());

    label_Spectrum = make<QLabel>(widget_3, "label_Spectrum", QRect(295, 0, 781, 641));
    label_Spectrum->setEnabled(true);
    label_Spectrum->setStyleSheet(QString::fromUtf8(pictureAreaSheet));
    label_Spectrum->setScaledContents(true);

    widget_7 = makePanel(widget_3, "widget_7");
    lineEdit_4 = makeTextBox<QLineEdit>(widget_7, "lineEdit_4", QRect(13, 191, 251, 41), captionSheet);
    lineEdit_4->setVisible(false);
    pushButton_2 = makeSwitchSegment(widget_7, "pushButton_2", 190, switchOnSheet);
    pushButton_3 = makeSwitchSegment(widget_7, "pushButton_3", 225, switchOffSheet);
    label_17 = makeSeparator(widget_7, "label_17");
    lineEdit_16 = makeTextBox<QLineEdit>(widget_7, "lineEdit_16", QRect(14, 0, 251, 71), captionSheet, pixelFont(15));
    lineEdit_17 = makeTextBox<QLineEdit>(widget_7, "lineEdit_17", QRect(14, 70, 71, 21), volumeCaptionTabSheet);
    Slider_Voice1_3 = makeVolumeSlider(widget_7, "Slider_Voice1_3");
    textEdit_3 = makeTextBox<QTextEdit>(widget_7, "textEdit_3", QRect(265, 98, 71, 31), whiteValueSheet);
    lineEdit_18 = makeTextBox<QLineEdit>(widget_7, "lineEdit_18", QRect(10, 122, 41, 21), whiteValueSheet);
    lineEdit_19 = makeTextBox<QLineEdit>(widget_7, "lineEdit_19", QRect(240, 122, 41, 21), whiteValueSheet);
    label_35 = makePicture(widget_7, "label_35", QRect(71, 72, 12, 16), ":/fx/pic/fx/hui_mai.png");

    // The ON segment lies over the OFF segment where the two overlap.
    raiseInOrder({lineEdit_4, pushButton_3, label_17, lineEdit_16, lineEdit_17, Slider_Voice1_3, textEdit_3,
                  lineEdit_18, lineEdit_19, label_35, pushButton_2});
    raiseInOrder({widget_7, label_Spectrum});
}
