// The frame of the main window form: the window's own properties, the west tab widget
// with its three pages, the title bar, the no-headset screen, and the widgets that sit
// on the central widget, most of them parked outside the 1176 x 730 window until a
// controller moves or shows them.
#include "ui/ui_tonewright.h"

#include "ui/FormBuild.h"
#include "ui/FormStyles.h"

#include <QMetaObject>
#include <QPixmap>

using namespace formbuild;
using namespace formsheet;

namespace {

using Form = Ui_TonewrightClass;

constexpr char tabWidgetSheet[] =
    "QTabWidget::pane {  border: -1px;top:-2px; left:1px; } \nQTabBar::tab:selected {\n"
    "background-color: rgb(196,40,26);\n\n}\n\nQTabBar::tab:!selected {\nbackground-color: rgb(49,44,92);\n};\n";
constexpr char minimizeSheet[] =
    "QPushButton{\nborder: none;\nborder-image:url(:/controls/pic/control/minimize-hui.png);\n}\nQPushButton:hover\n"
    "{\nborder-image: url(:/controls/pic/control/minimize.png); \n}";
constexpr char configurationCaptionSheet[] =
    "text-align:left center;\ncolor:white;\nborder: none;\nbackground-color: rgb(14,12,56);";
constexpr char backArrowSheet[] =
    "QPushButton{\nborder: none;\nbackground-color: rgb(14,12,56);\nborder-image:url(:/fx/pic/fx/fanhui-白色.png);\n\n}"
    "\nQPushButton:hover\n{\nborder-image:url(:/fx/pic/fx/fanhui-深灰.png);\n\n}\nQPushButton:pressed\n{\n\n}";
constexpr char headsetPictureSheet[] =
    "QPushButton{\nborder-image: url(:/headset/pic/headset/61350_main_no.png);\n}\nQPushButton:hover{\n"
    "border-image: url(:/headset/pic/headset/61350_main_ac.png);\n}";
constexpr char firstPageRadioSheet[] =
    "QRadioButton{\n\tcolor:rgb(150,150,150);\n}\nQRadioButton::checked{\n\tcolor:rgb(196,40,26);\n}\n\n"
    "QRadioButton::indicator {\n\twidth: 20px;\n\theight: 20px;\n\tcolor:rgb(255, 255, 255);\n}\n"
    "QRadioButton::indicator::checked {\n  \timage: url(:/controls/pic/control/radiobutton.png);\n}";
constexpr char maximizeSheet[] =
    "QPushButton{\nborder: none;\nbackground-color: rgb(14,12,56);\nborder-image:url(:/controls/pic/control/big_hui.png);\n"
    "}\nQPushButton:hover\n{\nborder-image: url(:/controls/pic/control/big.png); \nbackground-color: rgb(255,0,0);\n}";
constexpr char logoImage[] = ":/fx/pic/fx/moorvale-hui.png";

// The red delete-confirmation bar of a page with its confirm and cancel buttons.
void makeDeleteBar(QWidget *parent, QLabel *&bar, const char *barName, QPushButton *&confirm, const char *confirmName,
                   QPushButton *&cancel, const char *cancelName)
{
    bar = make<QLabel>(parent, barName, QRect(87, 637, 1111, 100));
    bar->setStyleSheet(QString::fromUtf8("background-color: rgb(255,0,0)"));
    struct BarButton {
        QPushButton *&button;
        const char *objectName;
        QRect geometry;
        const char *icon;
        int iconSize;
    };
    const BarButton buttons[] = {
        {confirm, confirmName, QRect(970, 660, 91, 51), ":/fx/pic/fx/shanchu-白色.png", 50},
        {cancel, cancelName, QRect(1050, 662, 71, 51), ":/fx/pic/fx/guanbi-白色.png", 40},
    };
    for (const BarButton &row : buttons) {
        row.button = make<QPushButton>(parent, row.objectName, row.geometry);
        row.button->setAutoFillBackground(false);
        row.button->setIcon(fileIcon(row.icon));
        row.button->setIconSize(QSize(row.iconSize, row.iconSize));
        row.button->setStyleSheet(QString::fromUtf8(redBarSheet));
    }
}

// A white centred caption (band frequencies, "dB", "Hz").
QLabel *makeCaption(QWidget *parent, const char *objectName)
{
    QLabel *caption = new QLabel(parent);
    caption->setObjectName(QString::fromUtf8(objectName));
    caption->setStyleSheet(QString::fromUtf8(bandCaptionSheet));
    caption->setAlignment(Qt::AlignCenter);
    return caption;
}

QLabel *makePlacedCaption(QWidget *parent, const char *objectName, const QRect &geometry)
{
    QLabel *caption = makeCaption(parent, objectName);
    caption->setGeometry(geometry);
    return caption;
}

QSpacerItem *makeSpacer(int width = 40)
{
    return new QSpacerItem(width, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
}

// A widget holding one horizontal layout with no margins.
QHBoxLayout *makeRow(QWidget *&rowWidget, QWidget *parent, const char *objectName, const QRect &geometry,
                     const char *layoutName, int spacing)
{
    rowWidget = make<QWidget>(parent, objectName, geometry);
    QHBoxLayout *row = new QHBoxLayout(rowWidget);
    row->setSpacing(spacing);
    row->setObjectName(QString::fromUtf8(layoutName));
    row->setContentsMargins(0, 0, 0, 0);
    return row;
}

struct BandCaption {
    QLabel *Form::*member;
    const char *objectName;
    int minimumWidth;
    int stretch;
};

// Ten band captions between two spacers that take one share each.
void fillCaptionRow(Form &ui, QHBoxLayout *row, QWidget *rowWidget, QSpacerItem *&leading, QSpacerItem *&trailing,
                    std::initializer_list<BandCaption> captions)
{
    leading = makeSpacer();
    row->addItem(leading);
    for (const BandCaption &entry : captions) {
        QLabel *caption = makeCaption(rowWidget, entry.objectName);
        caption->setMinimumSize(QSize(entry.minimumWidth, 15));
        row->addWidget(caption);
        ui.*entry.member = caption;
    }
    trailing = makeSpacer();
    row->addItem(trailing);
    row->setStretch(0, 1);
    int position = 1;
    for (const BandCaption &entry : captions) {
        if (entry.stretch > 0)
            row->setStretch(position, entry.stretch);
        ++position;
    }
    row->setStretch(position, 1);
}

} // namespace

void Ui_TonewrightClass::setupUi(QMainWindow *TonewrightClass)
{
    if (TonewrightClass->objectName().isEmpty())
        TonewrightClass->setObjectName(QString::fromUtf8("TonewrightClass"));
    TonewrightClass->setFixedSize(1176, 730);
    TonewrightClass->setWindowIcon(fileIcon(":/Tonewright/pic/bb.ico"));
    TonewrightClass->setAutoFillBackground(false);
    TonewrightClass->setStyleSheet(QString());
    TonewrightClass->setAnimated(true);

    centralWidget = new QWidget(TonewrightClass);
    centralWidget->setObjectName(QString::fromUtf8("centralWidget"));
    centralWidget->setMinimumSize(QSize(1176, 733));

    tabWidget = make<QTabWidget>(centralWidget, "tabWidget", QRect(0, 100, 1221, 651));
    tabWidget->setEnabled(true);
    tabWidget->setLayoutDirection(Qt::LeftToRight);
    tabWidget->setAutoFillBackground(false);
    tabWidget->setStyleSheet(QString::fromUtf8(tabWidgetSheet));
    tabWidget->setTabPosition(QTabWidget::West);
    tabWidget->setIconSize(QSize(45, 87));
    tabWidget->setElideMode(Qt::ElideMiddle);
    tabWidget->setUsesScrollButtons(false);
    tabWidget->setDocumentMode(false);
    tabWidget->setTabsClosable(false);
    tabWidget->setMovable(false);
    tabWidget->setTabBarAutoHide(false);

    setupSurroundPage();
    tabWidget->addTab(widget_2, fileIcon(":/min/pic/min/game-hui.png"), QString());
    setupStereoPage();
    tabWidget->addTab(widget, fileIcon(":/min/pic/min/ear.png"), QString());
    setupMicrophonePage();
    widget_3->setVisible(false);
    tabWidget->addTab(widget_3, fileIcon(":/min/pic/min/maikefeng.png"), QString());
    tabWidget->raise();

    setupFrame();
    stackFrame();
    TonewrightClass->setCentralWidget(centralWidget);

    retranslateUi(TonewrightClass);
    connectForm(TonewrightClass);

    // Every slot of the window is connected above; no name-matching auto-connection, which
    // would find nothing and warn once for each of the window's "on_" slots.
    tabWidget->setCurrentIndex(0);
}

// The children of the central widget around the tab widget, in creation order.
void Ui_TonewrightClass::setupFrame()
{
    QWidget *parent = centralWidget;
    label__Head_Two = makePicture(parent, "label__Head_Two", QRect(25, 7, 265, 43), logoImage);
    pushButton_Minimize = makeSheetButton(parent, "pushButton_Minimize", QRect(1096, 0, 40, 40), minimizeSheet, 40);
    pushButton_Close = makeSheetButton(parent, "pushButton_Close", QRect(1136, 0, 40, 40), closeSheet, 40);
    pushButton_Close->setContextMenuPolicy(Qt::DefaultContextMenu);
    pushButton_Close->setAutoFillBackground(false);

    label = make<QLabel>(parent, "label", QRect(0, 0, 1221, 735));
    label->setStyleSheet(QString::fromUtf8("background-image: url(:/controls/pic/control/background.png);"));
    label->setScaledContents(true);
    setupDefaultScreen();

    label_Head = make<QLabel>(parent, "label_Head", QRect(2790, 320, 301, 71));
    label_Head_One = make<QLabel>(parent, "label_Head_One", QRect(3000, 510, 105, 26));
    label_DefaultHead = make<QLabel>(parent, "label_DefaultHead", QRect(2920, 90, 1100, 30));
    label_DefaultHead->setMinimumSize(QSize(1100, 30));
    label_DefaultHead->setMaximumSize(QSize(1100, 30));
    lineEdit = makeTextBox<QLineEdit>(parent, "lineEdit", QRect(104, 54, 211, 31), configurationCaptionSheet,
                                      boldFont(13));

    horizontalLayout_2 = makeRow(layoutWidget_2, parent, "layoutWidget_2", QRect(2640, 80, 102, 22),
                                 "horizontalLayout_2", 0);
    horizontalSpacer = makeSpacer();
    horizontalLayout_2->addItem(horizontalSpacer);
    horizontalSpacer_2 = makeSpacer();
    horizontalLayout_2->addItem(horizontalSpacer_2);
    horizontalSpacer_3 = makeSpacer(20);
    horizontalLayout_2->addItem(horizontalSpacer_3);
    horizontalLayout_2->setStretch(0, 1);
    horizontalLayout_2->setStretch(1, 1);
    horizontalLayout_2->setStretch(2, 8);
    horizontalLayout_8 = makeRow(layoutWidget_4, parent, "layoutWidget_4", QRect(2600, 210, 523, 29),
                                 "horizontalLayout_8", 1);
    horizontalSpacer_4 = makeSpacer();
    horizontalLayout_8->addItem(horizontalSpacer_4);

    groupBox_Stereo_Spectrum = make<QGroupBox>(parent, "groupBox_Stereo_Spectrum", QRect(2280, 440, 520, 380));
    groupBox_Stereo_Spectrum->setStyleSheet(QString::fromUtf8("border:2px solid rgb(10, 6, 30)"));
    checkBox_MicENC = make<QCheckBox>(parent, "checkBox_MicENC", QRect(480, 740, 51, 51));
    checkBox_MicENC->setStyleSheet(QString::fromUtf8("font:14px;\ncolor:rgb(255, 255, 255);"));
    label_PersonGif = make<QLabel>(parent, "label_PersonGif", QRect(2660, 560, 330, 330));
    label_PersonGif->setStyleSheet(QString::fromUtf8("/*   border-image: url(:/png/pic/png/head.png);*/"));
    label_PersonGif->setAlignment(Qt::AlignCenter);

    makeDeleteBar(parent, label_33, "label_33", pushButton_6, "pushButton_6", pushButton_7, "pushButton_7");
    pushButton_8 = makeSheetButton(parent, "pushButton_8", QRect(34, 56, 26, 26), backArrowSheet, 20);
    pushButton_8->setAutoFillBackground(false);
    setupHeadsetButton();
    makeDeleteBar(parent, label_34, "label_34", pushButton_10, "pushButton_10", pushButton_11, "pushButton_11");

    radioButton = make<QRadioButton>(parent, "radioButton", QRect(760, 770, 89, 16));
    radioButton->setStyleSheet(QString::fromUtf8(firstPageRadioSheet));
    label_5 = make<QLabel>(parent, "label_5", QRect(600, 770, 20, 27));
    label_5->setMinimumSize(QSize(20, 27));
    label_5->setMaximumSize(QSize(20, 27));
    label_5->setStyleSheet(QString::fromUtf8("border-image: url(:/controls/pic/control/Microphone.png); "));
    pushButton_12 = makeSheetButton(parent, "pushButton_12", QRect(700, 760, 21, 21), maximizeSheet);
    groupBox_Stereo = make<QCustomPlot>(parent, "groupBox_Stereo", QRect(710, 930, 181, 131));
    pushButton_Surround_CustomClear =
        makeSheetButton(parent, "pushButton_Surround_CustomClear", QRect(410, 792, 16, 16), deleteButtonSheet);

    horizontalLayout_18 = makeRow(layoutWidget, parent, "layoutWidget", QRect(430, 860, 549, 22),
                                  "horizontalLayout_18", 2);
    fillCaptionRow(*this, horizontalLayout_18, layoutWidget, horizontalSpacer_5, horizontalSpacer_6,
                   {{&Form::label_23, "label_23", 44, 0},
                    {&Form::label_24, "label_24", 0, 3},
                    {&Form::label_25, "label_25", 0, 3},
                    {&Form::label_26, "label_26", 0, 3},
                    {&Form::label_27, "label_27", 0, 3},
                    {&Form::label_28, "label_28", 0, 3},
                    {&Form::label_29, "label_29", 0, 3},
                    {&Form::label_15, "label_15", 0, 3},
                    {&Form::label_30, "label_30", 0, 3},
                    {&Form::label_31, "label_31", 44, 0}});
    label_dB = makePlacedCaption(parent, "label_dB", QRect(290, 860, 31, 20));
    label_Hz_2 = makePlacedCaption(parent, "label_Hz_2", QRect(1050, 850, 16, 16));
    horizontalLayout_15 = makeRow(layoutWidget1, parent, "layoutWidget1", QRect(240, 910, 549, 22),
                                  "horizontalLayout_15", 2);
    fillCaptionRow(*this, horizontalLayout_15, layoutWidget1, horizontalSpacer_7, horizontalSpacer_8,
                   {{&Form::label_2, "label_2", 0, 3},
                    {&Form::label_3, "label_3", 0, 3},
                    {&Form::label_4, "label_4", 0, 3},
                    {&Form::label_6, "label_6", 0, 3},
                    {&Form::label_7, "label_7", 0, 3},
                    {&Form::label_8, "label_8", 0, 3},
                    {&Form::label_9, "label_9", 0, 3},
                    {&Form::label_14, "label_14", 0, 3},
                    {&Form::label_10, "label_10", 0, 3},
                    {&Form::label_11, "label_11", 0, 3}});
    label_dB_2 = makePlacedCaption(parent, "label_dB_2", QRect(190, 810, 31, 20));
    label_Hz = makePlacedCaption(parent, "label_Hz", QRect(1060, 810, 16, 16));

    widget_Param_Stereo = make<QCustomPlot>(parent, "widget_Param_Stereo", QRect(20, 860, 191, 111));
    widget_Param_Stereo->setStyleSheet(QString());
    setupSurroundPlot();
    pushButton_Stereo_CustomClear =
        makeSheetButton(parent, "pushButton_Stereo_CustomClear", QRect(470, 790, 16, 16), deleteButtonSheet);
    pushButton_33 = make<QPushButton>(parent, "pushButton_33", QRect(50, 810, 75, 23));
    pushButton_34 = make<QPushButton>(parent, "pushButton_34", QRect(190, 780, 75, 23));
    label_37 = make<QLabel>(parent, "label_37", QRect(330, 790, 30, 30));
    widget_Spectrum = make<QCustomPlot>(parent, "widget_Spectrum", QRect(1410, 160, 500, 300));
    lineEdit_CustomName = make<QLineEdit>(parent, "lineEdit_CustomName", QRect(860, 790, 113, 20));
}

// The no-headset picture with the maker's logo centred in it.
void Ui_TonewrightClass::setupDefaultScreen()
{
    label_DefaultBackground = make<QLabel>(centralWidget, "label_DefaultBackground", QRect(0, 0, 1176, 733));
    label_DefaultBackground->setAutoFillBackground(false);
    label_DefaultBackground->setStyleSheet(QString());
    // Its picture is decoded by the window when the no-headset look is first shown.
    label_DefaultBackground->setScaledContents(true);
    QHBoxLayout *logoRow = new QHBoxLayout(label_DefaultBackground);
    label_DefaultLogo = new QLabel(label_DefaultBackground);
    label_DefaultLogo->setMinimumSize(QSize(442, 72));
    label_DefaultLogo->setMaximumSize(QSize(442, 72));
    label_DefaultLogo->setAutoFillBackground(false);
    label_DefaultLogo->setPixmap(QPixmap(QString::fromLocal8Bit(logoImage)));
    label_DefaultLogo->setScaledContents(true);
    logoRow->addWidget(label_DefaultLogo);

    pushButton_DefaultClose =
        makeSheetButton(centralWidget, "pushButton_DefaultClose", QRect(1136, 0, 40, 40), closeSheet);
    pushButton_DefaultClose->setMinimumSize(QSize(40, 40));
    pushButton_DefaultClose->setMaximumSize(QSize(40, 40));
}

// The headset picture of the start screen: fixed at 442 x 510 before the larger
// geometry is applied, so it keeps that size, parked outside its parent.
void Ui_TonewrightClass::setupHeadsetButton()
{
    pushButton_9 = new QPushButton(label);
    pushButton_9->setObjectName(QString::fromUtf8("pushButton_9"));
    pushButton_9->setFixedSize(442, 510);
    pushButton_9->setGeometry(QRect(1290, 115, 530, 615));
    QSizePolicy policy(QSizePolicy::Fixed, QSizePolicy::Minimum);
    policy.setHorizontalStretch(0);
    policy.setVerticalStretch(0);
    policy.setHeightForWidth(pushButton_9->sizePolicy().hasHeightForWidth());
    pushButton_9->setSizePolicy(policy);
    pushButton_9->setAutoFillBackground(false);
    pushButton_9->setIconSize(QSize(530, 615));
    pushButton_9->setAutoRepeat(false);
    pushButton_9->setAutoDefault(false);
    pushButton_9->setStyleSheet(QString::fromUtf8(headsetPictureSheet));
}

// The Surround plot holds two empty layouts.
void Ui_TonewrightClass::setupSurroundPlot()
{
    widget_Param_Surround = make<QCustomPlot>(centralWidget, "widget_Param_Surround", QRect(1260, 450, 551, 340));
    layoutWidget_3 = make<QWidget>(widget_Param_Surround, "layoutWidget_3", QRect(-1, -1, 911, 456));
    verticalLayout_5 = new QVBoxLayout(layoutWidget_3);
    verticalLayout_5->setSpacing(1);
    verticalLayout_5->setObjectName(QString::fromUtf8("verticalLayout_5"));
    verticalLayout_5->setContentsMargins(-1, 0, -1, 0);
    horizontalLayout_17 = new QHBoxLayout();
    horizontalLayout_17->setSpacing(2);
    horizontalLayout_17->setObjectName(QString::fromUtf8("horizontalLayout_17"));
    horizontalLayout_17->setSizeConstraint(QLayout::SetDefaultConstraint);
    horizontalLayout_17->setContentsMargins(0, 15, -1, 9);
    verticalLayout_5->addLayout(horizontalLayout_17, 0);
}

// Bottom to top. The tab widget covers the no-headset picture until a controller raises
// it; the title-bar buttons lie over the tab widget and the confirm and cancel buttons
// over the red delete bars. layoutWidget keeps its place of creation.
void Ui_TonewrightClass::stackFrame()
{
    raiseInOrder({label, label_DefaultBackground, tabWidget, label__Head_Two, pushButton_Minimize, pushButton_Close,
                  pushButton_DefaultClose, label_Head, label_Head_One, label_DefaultHead, lineEdit, layoutWidget_2,
                  layoutWidget_4, groupBox_Stereo_Spectrum, checkBox_MicENC, label_PersonGif, radioButton, label_5,
                  pushButton_12, label_33, label_34, pushButton_6, pushButton_10, groupBox_Stereo, pushButton_8,
                  pushButton_Surround_CustomClear, layoutWidget1, label_dB, label_Hz_2, label_dB_2, label_Hz,
                  widget_Param_Stereo, widget_Param_Surround, pushButton_Stereo_CustomClear, pushButton_33,
                  pushButton_34, label_37, pushButton_7, pushButton_11, widget_Spectrum, lineEdit_CustomName});
}
