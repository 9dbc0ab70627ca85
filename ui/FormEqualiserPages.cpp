// The two equaliser pages of the main window form, Surround (tab 0) and Stereo (tab 1).
// They are twins: a left panel with title, volume slider and a scrolling preset list,
// and on the right the preset name, a frame picture, ten band sliders and Reset/Save.
// The shapes they share are built by the helpers below; each page lists its own widgets,
// in its own creation and stacking order, as data where the rows repeat.
#include "ui/ui_tonewright.h"

#include "ui/FormBuild.h"
#include "ui/FormStyles.h"

#include <QCursor>

using namespace formbuild;
using namespace formsheet;

namespace {

using Form = Ui_TonewrightClass;

// Sheets the twins carry in slightly different spellings.
constexpr char surroundFoldSheet[] = "QPushButton{\nbackground-color: rgb(49,44,92);\nborder:none;\n}";
constexpr char stereoFoldSheet[] = "QPushButton{\nbackground-color: rgb(49,44,92);\nborder:none;\n}\n";
constexpr char surroundResetSaveSheet[] =
    "QPushButton{\ncolor:white;\nborder: none;\nbackground-color: rgb(49,44,92);\nborder-radius:7px;\n}\n";
constexpr char stereoResetSaveSheet[] =
    "QPushButton{\ncolor:rgb(10,100,100);\nborder: none;\nbackground-color: rgb(49,44,92);\nborder-radius:7px;\n}\n";
// The Moba button's sheet: the preset sheet in another order, without its comment.
constexpr char mobaRadioSheet[] =
    "QRadioButton{\n\tcolor:rgb(150,150,150);\n}\n\nQRadioButton::checked{\n\tcolor:rgb(196,40,26);\n}\n\n"
    "QRadioButton::indicator {\n   width: 0px;\n   height: 0px;\n}\nQRadioButton::indicator::checked {\n"
    "  \timage: url(:/controls/pic/control/radiobutton.png);\n}";
constexpr char modeLeftSegmentSheet[] =
    "border-radius:7px;\nheight:60px;\ncolor:white;\nborder: none;\nbackground-color: rgb(196,40,26)";
constexpr char modeRightSegmentSheet[] =
    "border-top-right-radius:7px; \nborder-bottom-right-radius:7px;\ncolor:white;\nborder: none;\n"
    "background-color: rgb(49,44,92)";
constexpr char testButtonSheet[] =
    "QPushButton{\nheight:60px;\ncolor:rgb(235, 235, 235); \n\nborder: none;\nbackground-color: rgb(49,44,92);\n"
    "border-radius:5px;\n}\nQPushButton:hover{\n\ncolor:rgb(100, 100, 100); \n}\n";
constexpr char speakerCaptionSheet[] =
    "height:60px;\ncolor:rgb(255,255,255);\nborder: none;\nbackground-color: rgb(14,12,56)";

const QRect framePictureGeometry(415, 127, 591, 371);
constexpr char framePicture[] = ":/png/pic/png/11111.png";

// --- Preset list -----------------------------------------------------------------------

enum SizeLimit { NoLimit, Max268, Height25 };
enum InitialCheck { LeaveCheck, Unchecked, Checked };
enum RadioExtra {
    NoExtra = 0,
    ListLook = 1,   // left-to-right layout direction and 32 x 32 icons
    AppBoldFont = 2 // the application font made bold instead of 12 px
};

struct RadioRow {
    QRadioButton *Form::*member;
    const char *objectName;
    QRect geometry;
    SizeLimit limit;
    InitialCheck check;
    int extras;
    const char *styleSheet; // null: the preset sheet
};

void makeRadios(Form &ui, QWidget *list, std::initializer_list<RadioRow> rows)
{
    for (const RadioRow &row : rows) {
        QRadioButton *radio = make<QRadioButton>(list, row.objectName, row.geometry);
        if (row.limit == Max268) {
            radio->setMaximumSize(QSize(268, 30));
        } else if (row.limit == Height25) {
            radio->setMinimumSize(QSize(0, 25));
            radio->setMaximumSize(QSize(16777215, 25));
        }
        radio->setFont((row.extras & AppBoldFont) ? boldFont() : pixelFont(12, 61));
        if (row.extras & ListLook)
            radio->setLayoutDirection(Qt::LeftToRight);
        radio->setStyleSheet(QString::fromUtf8(row.styleSheet ? row.styleSheet : presetRadioSheet));
        if (row.extras & ListLook)
            radio->setIconSize(QSize(32, 32));
        if (row.check != LeaveCheck)
            radio->setChecked(row.check == Checked);
        ui.*row.member = radio;
    }
}

struct ButtonRow {
    QPushButton *Form::*member;
    const char *objectName;
    QRect geometry;
    const char *styleSheet;
    int iconSize; // 0: left alone
};

void makeButtons(Form &ui, QWidget *parent, std::initializer_list<ButtonRow> rows)
{
    for (const ButtonRow &row : rows)
        ui.*row.member = makeSheetButton(parent, row.objectName, row.geometry, row.styleSheet, row.iconSize);
}

// The five custom slots of a list: a radio button, a check mark and a delete button
// each, 30 pixels apart. objectNames follow the members' names.
struct CustomSlots {
    const char *mode; // "Surround" or "Stereo"
    int radioTop;
    int markTop;
    int deleteTop;
    int firstMarkNumber; // pushButton_<n> of slot 1
    const char *deleteSheet;
    QRadioButton *Form::*radios[5];
    QPushButton *Form::*marks[5];
    QPushButton *Form::*deletes[5];
};

void makeCustomSlotRadios(Form &ui, QWidget *list, const CustomSlots &page)
{
    for (int slot = 0; slot < 5; ++slot) {
        const QByteArray name = QStringLiteral("radioButton_%1_Custom%2").arg(page.mode).arg(slot + 1).toUtf8();
        QRadioButton *radio = make<QRadioButton>(list, name.constData(), QRect(0, page.radioTop + 30 * slot, 140, 30));
        radio->setFont(pixelFont(12, 61));
        radio->setStyleSheet(QString::fromUtf8(presetRadioSheet));
        ui.*page.radios[slot] = radio;
    }
}

void makeCustomSlotMarks(Form &ui, QWidget *list, const CustomSlots &page)
{
    for (int slot = 0; slot < 5; ++slot) {
        const QByteArray name = QStringLiteral("pushButton_%1").arg(page.firstMarkNumber + slot).toUtf8();
        ui.*page.marks[slot] = makeSheetButton(list, name.constData(), QRect(190, page.markTop + 30 * slot, 22, 22),
                                                checkMarkSheet, 32);
    }
}

// Delete buttons carry the slot number plus one in their names (_2 for slot 1).
void makeCustomSlotDeletes(Form &ui, QWidget *list, const CustomSlots &page)
{
    for (int slot = 0; slot < 5; ++slot) {
        const QByteArray name = QStringLiteral("pushButton_%1_CustomClear_%2").arg(page.mode).arg(slot + 2).toUtf8();
        ui.*page.deletes[slot] =
            makeSheetButton(list, name.constData(), QRect(213, page.deleteTop + 30 * slot, 16, 16), page.deleteSheet);
    }
}

const CustomSlots surroundSlots = {
    "Surround", 220, 220, 227, 17, surroundDeleteSheet,
    {&Form::radioButton_Surround_Custom1, &Form::radioButton_Surround_Custom2, &Form::radioButton_Surround_Custom3,
     &Form::radioButton_Surround_Custom4, &Form::radioButton_Surround_Custom5},
    {&Form::pushButton_17, &Form::pushButton_18, &Form::pushButton_19, &Form::pushButton_20, &Form::pushButton_21},
    {&Form::pushButton_Surround_CustomClear_2, &Form::pushButton_Surround_CustomClear_3,
     &Form::pushButton_Surround_CustomClear_4, &Form::pushButton_Surround_CustomClear_5,
     &Form::pushButton_Surround_CustomClear_6}};

const CustomSlots stereoSlots = {
    "Stereo", 280, 281, 288, 28, deleteButtonSheet,
    {&Form::radioButton_Stereo_Custom1, &Form::radioButton_Stereo_Custom2, &Form::radioButton_Stereo_Custom3,
     &Form::radioButton_Stereo_Custom4, &Form::radioButton_Stereo_Custom5},
    {&Form::pushButton_28, &Form::pushButton_29, &Form::pushButton_30, &Form::pushButton_31, &Form::pushButton_32},
    {&Form::pushButton_Stereo_CustomClear_2, &Form::pushButton_Stereo_CustomClear_3,
     &Form::pushButton_Stereo_CustomClear_4, &Form::pushButton_Stereo_CustomClear_5,
     &Form::pushButton_Stereo_CustomClear_6}};

QScrollArea *makePresetScroll(QWidget *panel, const char *objectName)
{
    QScrollArea *scroll = make<QScrollArea>(panel, objectName, QRect(10, 230, 261, 381));
    scroll->setStyleSheet(QString::fromUtf8(presetScrollSheet));
    scroll->setWidgetResizable(false);
    return scroll;
}

// The list's own widget: taller than the scroll area, which therefore scrolls.
QWidget *makeListContents(const char *objectName, int height)
{
    QWidget *contents = new QWidget();
    contents->setObjectName(QString::fromUtf8(objectName));
    contents->setGeometry(QRect(0, 0, 250, height));
    return contents;
}

QPushButton *makeAddButton(QWidget *list, const char *objectName, const QRect &geometry)
{
    return makeSheetButton(list, objectName, geometry, addButtonSheet);
}

// --- Panel and right-hand side ---------------------------------------------------------

QPushButton *makeFoldArrow(QWidget *panel, const char *objectName, const char *styleSheet, const char *iconPath)
{
    QPushButton *arrow = make<QPushButton>(panel, objectName, QRect(222, 205, 18, 15));
    arrow->setAutoFillBackground(false);
    arrow->setStyleSheet(QString::fromUtf8(styleSheet));
    arrow->setIcon(fileIcon(iconPath));
    arrow->setIconSize(QSize(24, 24));
    return arrow;
}

QLineEdit *makeListCaption(QWidget *panel, const char *objectName, const QRect &geometry)
{
    return makeTextBox<QLineEdit>(panel, objectName, geometry, captionSheet, pixelFont(14, 60));
}

// Reset (x 490) and Save (x 810) under the sliders.
QPushButton *makeResetSaveButton(QWidget *page, const char *objectName, int x, const char *styleSheet)
{
    QPushButton *button = make<QPushButton>(page, objectName, QRect(x, 550, 130, 32));
    button->setMinimumSize(QSize(87, 32));
    button->setFont(bankGothicFont(16));
    button->setStyleSheet(QString::fromUtf8(styleSheet));
    return button;
}

QLineEdit *makePresetNameBox(QWidget *page, const char *objectName)
{
    QLineEdit *box = make<QLineEdit>(page, objectName, QRect(550, 45, 301, 51));
    box->setEnabled(true);
    box->setFont(pixelFont(16));
    box->setLayoutDirection(Qt::LeftToRight);
    box->setAutoFillBackground(false);
    box->setStyleSheet(QString::fromUtf8(presetNameSheet));
    box->setAlignment(Qt::AlignCenter);
    box->setDragEnabled(false);
    return box;
}

// --- Band sliders ------------------------------------------------------------------------

struct BandSliderRow {
    CSlider *Form::*member;
    const char *objectName;
    int band; // 0 = 30 Hz ... 9 = 16 kHz
};

// Creates the ten sliders in the order of the rows; band i stands at x = 480 + 50 i.
void makeBandSliders(Form &ui, QWidget *page, std::initializer_list<BandSliderRow> rows)
{
    for (const BandSliderRow &row : rows) {
        CSlider *slider = make<CSlider>(page, row.objectName, QRect(480 + 50 * row.band, 140, 22, 331));
        slider->setMinimumSize(QSize(row.band == 0 ? 0 : 20, 20));
        slider->setStyleSheet(QString::fromUtf8(eqSliderSheet));
        slider->setMinimum(-12);
        slider->setMaximum(12);
        slider->setPageStep(1);
        slider->setOrientation(Qt::Vertical);
        slider->setTickPosition(QSlider::NoTicks);
        slider->setTickInterval(2);
        ui.*row.member = slider;
    }
}

} // namespace

// --- Surround page -------------------------------------------------------------------------

void Ui_TonewrightClass::setupSurroundPage()
{
    widget_2 = new QWidget();
    widget_2->setObjectName(QString::fromUtf8("widget_2"));
    widget_2->setEnabled(true);
    widget_2->setStyleSheet(QString());

    widget_6 = makePanel(widget_2, "widget_6");
    lineEdit_2 = make<QLabel>(widget_6, "lineEdit_2", QRect(14, 0, 251, 71));
    lineEdit_2->setEnabled(false);
    QFont titleFont = lineEdit_2->font();
    titleFont.setPixelSize(15);
    lineEdit_2->setFont(titleFont);
    lineEdit_2->setStyleSheet(QString::fromUtf8(titleSheet));
    label_13 = makeSeparator(widget_6, "label_13");
    label_13->setMinimumSize(QSize(0, 1));
    groupBox_Surround = make<QGroupBox>(widget_6, "groupBox_Surround", QRect(10, 400, 209, 209));
    groupBox_Surround->setStyleSheet(QString::fromUtf8("border:none;"));
    verticalLayout_2 = new QVBoxLayout(groupBox_Surround);
    verticalLayout_2->setSpacing(0);
    verticalLayout_2->setObjectName(QString::fromUtf8("verticalLayout_2"));
    verticalLayout_2->setContentsMargins(0, 0, 0, 0);
    Slider_Voice1 = makeVolumeSlider(widget_6, "Slider_Voice1");
    lineEdit_7 = makeTextBox<QLineEdit>(widget_6, "lineEdit_7", QRect(10, 122, 41, 21), valueTextSheet);
    lineEdit_8 = makeTextBox<QLineEdit>(widget_6, "lineEdit_8", QRect(240, 122, 51, 21), valueTextSheet);
    label_18 = makePicture(widget_6, "label_18", QRect(65, 73, 21, 16), ":/fx/pic/fx/laba-白色.png");
    textEdit = makeTextBox<QTextEdit>(widget_6, "textEdit", QRect(265, 98, 71, 31), valueTextSheet);
    scrollArea = makePresetScroll(widget_6, "scrollArea");
    scrollAreaWidgetContents_6 = makeListContents("scrollAreaWidgetContents_6", 700);
    setupSurroundPresetList();
    scrollArea->setWidget(scrollAreaWidgetContents_6);
    lineEdit_20 = makeListCaption(widget_6, "lineEdit_20", QRect(13, 196, 151, 31));
    pushButton_die1 = makeFoldArrow(widget_6, "pushButton_die1", surroundFoldSheet, ":/fx/pic/fx/top.png");
    pushButton_die2 = makeFoldArrow(widget_6, "pushButton_die2", surroundFoldSheet, ":/fx/pic/fx/bottom.png");
    lineEdit_22 = makeTextBox<QLineEdit>(widget_6, "lineEdit_22", QRect(14, 70, 51, 21), volumeCaptionTabSheet);

    pushButton_CustomReset = makeResetSaveButton(widget_2, "pushButton_CustomReset", 490, surroundResetSaveSheet);
    pushButton_CustomSave = makeResetSaveButton(widget_2, "pushButton_CustomSave", 810, surroundResetSaveSheet);
    pushButton_4 = make<QPushButton>(widget_2, "pushButton_4", QRect(565, 2, 140, 35));
    pushButton_4->setFont(pixelFont(14));
    pushButton_4->setAcceptDrops(false);
    pushButton_4->setStyleSheet(QString::fromUtf8(modeLeftSegmentSheet));
    pushButton_5 = make<QPushButton>(widget_2, "pushButton_5", QRect(702, 2, 140, 35));
    pushButton_5->setFont(pixelFont(14, 60));
    pushButton_5->setStyleSheet(QString::fromUtf8(modeRightSegmentSheet));
    pushButton_SurroundTest = make<QPushButton>(widget_2, "pushButton_SurroundTest", QRect(654, 520, 101, 33));
    pushButton_SurroundTest->setMinimumSize(QSize(62, 33));
    pushButton_SurroundTest->setFont(bankGothicFont(18));
    pushButton_SurroundTest->setIconSize(QSize(25, 25));
    pushButton_SurroundTest->setStyleSheet(QString::fromUtf8(testButtonSheet));
    groupBox_SurroundTest = make<QGroupBox>(widget_2, "groupBox_SurroundTest", QRect(455, 127, 531, 371));
    groupBox_SurroundTest->setStyleSheet(QString::fromUtf8("/**/ border:0px solid rgb(10, 6, 30);"));
    setupSpeakerTestPanel();
    label_16 = makePicture(widget_2, "label_16", framePictureGeometry, framePicture);
    makeBandSliders(*this, widget_2,
                    {{&Form::verticalSlider_30_2, "verticalSlider_30_2", 0},
                     {&Form::verticalSlider_60_2, "verticalSlider_60_2", 1},
                     {&Form::verticalSlider_120_2, "verticalSlider_120_2", 2},
                     {&Form::verticalSlider_250_2, "verticalSlider_250_2", 3},
                     {&Form::verticalSlider_500_2, "verticalSlider_500_2", 4},
                     {&Form::verticalSlider_1k_2, "verticalSlider_1k_2", 5},
                     {&Form::verticalSlider_2k_2, "verticalSlider_2k_2", 6},
                     {&Form::verticalSlider_4k_2, "verticalSlider_4k_2", 7},
                     {&Form::verticalSlider_8k_2, "verticalSlider_8k_2", 8},
                     {&Form::verticalSlider_16k_2, "verticalSlider_16k_2", 9}});
    verticalSlider_30_2->setCursor(QCursor(Qt::ArrowCursor));
    lineEdit_23 = makePresetNameBox(widget_2, "lineEdit_23");

    raiseInOrder({lineEdit_2, label_13, groupBox_Surround, Slider_Voice1, lineEdit_7, lineEdit_8, label_18, textEdit,
                  scrollArea, lineEdit_20, pushButton_die2, pushButton_die1, lineEdit_22});
    raiseInOrder({label_16, groupBox_SurroundTest, pushButton_CustomReset, pushButton_CustomSave,
                  pushButton_SurroundTest, widget_6, verticalSlider_30_2, verticalSlider_60_2, verticalSlider_120_2,
                  verticalSlider_250_2, verticalSlider_500_2, verticalSlider_1k_2, verticalSlider_2k_2,
                  verticalSlider_4k_2, verticalSlider_8k_2, verticalSlider_16k_2, pushButton_5, pushButton_4,
                  lineEdit_23});
}

// Deep Bass stands at the top of the list although Moba is created first; the three
// presets after FPS share the objectName "radioButton_Surround_ZorbStandard" and their
// check marks the objectName "pushButton_16".
void Ui_TonewrightClass::setupSurroundPresetList()
{
    QWidget *list = scrollAreaWidgetContents_6;
    const char *sharedName = "radioButton_Surround_ZorbStandard";
    makeRadios(*this, list,
               {{&Form::radioButton_Surround_Moba, "radioButton_Surround_Moba", QRect(0, 40, 100, 30), Max268,
                 Unchecked, ListLook, mobaRadioSheet},
                {&Form::radioButton_Surround_DeepBas, "radioButton_Surround_DeepBas", QRect(0, 10, 100, 30), Max268,
                 Unchecked, ListLook, nullptr},
                {&Form::radioButton_Surround_FPS, "radioButton_Surround_FPS", QRect(0, 70, 100, 30), Max268,
                 LeaveCheck, ListLook, nullptr},
                {&Form::radioButton_Surround_ZorbStandard, sharedName, QRect(0, 100, 200, 30), Max268, Checked,
                 ListLook, nullptr},
                {&Form::radioButton_Surround_ZorbStandard1, sharedName, QRect(0, 130, 200, 30), Max268, LeaveCheck,
                 ListLook, nullptr},
                {&Form::radioButton_Surround_ZorbStandard2, sharedName, QRect(0, 160, 200, 30), Max268, LeaveCheck,
                 ListLook, nullptr},
                {&Form::radioButton_Surround_Customize, "radioButton_Surround_Customize", QRect(0, 190, 100, 25),
                 Height25, LeaveCheck, ListLook, nullptr}});
    radioButton_Surround_DeepBas->setCheckable(true);
    pushButton_Surround_CustomAdd = makeAddButton(list, "pushButton_Surround_CustomAdd", QRect(210, 193, 20, 20));
    makeCustomSlotRadios(*this, list, surroundSlots);
    makeButtons(*this, list,
                {{&Form::pushButton_13, "pushButton_13", QRect(210, 10, 22, 22), factoryCheckSheet, 26},
                 {&Form::pushButton_14, "pushButton_14", QRect(210, 40, 22, 22), factoryCheckSheet, 32},
                 {&Form::pushButton_15, "pushButton_15", QRect(210, 70, 22, 22), factoryCheckSheet, 32},
                 {&Form::pushButton_16, "pushButton_16", QRect(210, 100, 22, 22), factoryCheckSheet, 32},
                 {&Form::pushButton_161, "pushButton_16", QRect(210, 130, 22, 22), factoryCheckSheet, 32},
                 {&Form::pushButton_162, "pushButton_16", QRect(210, 160, 22, 22), factoryCheckSheet, 32}});
    makeCustomSlotMarks(*this, list, surroundSlots);
    makeCustomSlotDeletes(*this, list, surroundSlots);
}

// Seven speaker positions around the head, four captions and four arrows.
void Ui_TonewrightClass::setupSpeakerTestPanel()
{
    QWidget *panel = groupBox_SurroundTest;
    struct SpeakerRow {
        QLabel *Form::*member;
        const char *objectName;
        QRect geometry;
        const char *styleSheet;
    };
    const SpeakerRow speakers[] = {
        {&Form::label_Horn_Left, "label_Horn_Left", QRect(86, 184, 30, 30), "border-image: url(:/png/pic/png/左.png);"},
        {&Form::label_Horn_Right, "label_Horn_Right", QRect(380, 184, 30, 30), "border-image: url(:/png/pic/png/右.png);"},
        {&Form::label_Horn_Up, "label_Horn_Up", QRect(235, 36, 30, 30), "border-image: url(:/png/pic/png/上.png);"},
        {&Form::label_Horn_LeftUp, "label_Horn_LeftUp", QRect(130, 80, 30, 30),
         "border-image: url(:/png/pic/png/左上.png);"},
        {&Form::label_Horn_RightUp, "label_Horn_RightUp", QRect(336, 78, 30, 30),
         "border-image: url(:/png/pic/png/右上.png);"},
        {&Form::label_Horn_RightDown, "label_Horn_RightDown", QRect(337, 286, 30, 30),
         "border-image: url(:/png/pic/png/右下.png);"},
        {&Form::label_Horn_LeftDown, "label_Horn_LeftDown", QRect(128, 285, 30, 30),
         "border-image: url(:/png/pic/png/左下.png);"},
    };
    for (const SpeakerRow &row : speakers) {
        QLabel *speaker = make<QLabel>(panel, row.objectName, row.geometry);
        if (row.member == &Form::label_Horn_Up)
            speaker->setAutoFillBackground(false);
        speaker->setStyleSheet(QString::fromUtf8(row.styleSheet));
        if (row.member == &Form::label_Horn_Up)
            speaker->setScaledContents(true);
        this->*row.member = speaker;
    }
    for (QLabel *centred : {label_Horn_Left, label_Horn_Right, label_Horn_Up})
        centred->setAlignment(Qt::AlignCenter);

    struct CaptionRow {
        QLineEdit *Form::*member;
        const char *objectName;
        QRect geometry;
    };
    const CaptionRow captions[] = {
        {&Form::lineEdit_6, "lineEdit_6", QRect(230, 115, 41, 31)},
        {&Form::lineEdit_9, "lineEdit_9", QRect(230, 255, 41, 31)},
        {&Form::lineEdit_10, "lineEdit_10", QRect(158, 187, 41, 31)},
        {&Form::lineEdit_11, "lineEdit_11", QRect(311, 187, 41, 31)},
    };
    for (const CaptionRow &row : captions) {
        QLineEdit *caption = makeTextBox<QLineEdit>(panel, row.objectName, row.geometry, speakerCaptionSheet);
        caption->setAlignment(Qt::AlignLeading | Qt::AlignLeft | Qt::AlignTop);
        this->*row.member = caption;
    }

    label_20 = makePicture(panel, "label_20", QRect(206, 187, 9, 18), ":/fx/pic/fx/left-白色.png");
    label_19 = makePicture(panel, "label_19", QRect(283, 187, 9, 18), ":/fx/pic/fx/jiantou-白色.png");
    label_32 = makePicture(panel, "label_32", QRect(240, 152, 18, 9), ":/fx/pic/fx/top.png");
    label_22 = makePicture(panel, "label_22", QRect(240, 229, 18, 9), ":/fx/pic/fx/bottom.png");
    for (QLabel *arrow : {label_20, label_19, label_32, label_22})
        arrow->setEnabled(true);

    raiseInOrder({label_Horn_Left, label_Horn_Up, label_Horn_LeftUp, label_Horn_RightUp, label_Horn_RightDown,
                  label_Horn_LeftDown, lineEdit_6, lineEdit_9, lineEdit_10, lineEdit_11, label_20, label_19, label_32,
                  label_22, label_Horn_Right});
}

// --- Stereo page -----------------------------------------------------------------------------

void Ui_TonewrightClass::setupStereoPage()
{
    widget = new QWidget();
    widget->setObjectName(QString::fromUtf8("widget"));

    widget_5 = makePanel(widget, "widget_5");
    lineEdit_3 = makeTextBox<QLineEdit>(widget_5, "lineEdit_3", QRect(14, 0, 251, 71), titleSheet, pixelFont(15));
    label_12 = makeSeparator(widget_5, "label_12");
    lineEdit_12 = makeTextBox<QLineEdit>(widget_5, "lineEdit_12", QRect(14, 70, 51, 21), volumeCaptionSheet);
    label_21 = makePicture(widget_5, "label_21", QRect(65, 73, 21, 16), ":/fx/pic/fx/laba-白色.png");
    Slider_Voice1_2 = makeVolumeSlider(widget_5, "Slider_Voice1_2");
    lineEdit_13 = makeTextBox<QLineEdit>(widget_5, "lineEdit_13", QRect(10, 122, 41, 21), valueTextSheet);
    lineEdit_14 = makeTextBox<QLineEdit>(widget_5, "lineEdit_14", QRect(240, 122, 41, 21), valueTextSheet);
    textEdit_2 = makeTextBox<QTextEdit>(widget_5, "textEdit_2", QRect(265, 98, 71, 31), valueTextSheet);
    scrollArea_2 = makePresetScroll(widget_5, "scrollArea_2");
    scrollAreaWidgetContents_7 = makeListContents("scrollAreaWidgetContents_7", 820);
    setupStereoPresetList();
    scrollArea_2->setWidget(scrollAreaWidgetContents_7);
    lineEdit_21 = makeListCaption(widget_5, "lineEdit_21", QRect(13, 197, 151, 30));
    pushButton_die3 = makeFoldArrow(widget_5, "pushButton_die3", stereoFoldSheet, ":/fx/pic/fx/top.png");
    pushButton_die4 = makeFoldArrow(widget_5, "pushButton_die4", stereoFoldSheet, ":/fx/pic/fx/bottom.png");

    pushButton_CustomReset2 = makeResetSaveButton(widget, "pushButton_CustomReset2", 490, stereoResetSaveSheet);
    pushButton_CustomSave2 = makeResetSaveButton(widget, "pushButton_CustomSave2", 810, stereoResetSaveSheet);
    lineEdit_15 = makePresetNameBox(widget, "lineEdit_15");
    label_36 = makePicture(widget, "label_36", framePictureGeometry, framePicture);
    makeBandSliders(*this, widget,
                    {{&Form::verticalSlider_16k, "verticalSlider_16k", 9},
                     {&Form::verticalSlider_8k, "verticalSlider_8k", 8},
                     {&Form::verticalSlider_4k, "verticalSlider_4k", 7},
                     {&Form::verticalSlider_2k, "verticalSlider_2k", 6},
                     {&Form::verticalSlider_1k, "verticalSlider_1k", 5},
                     {&Form::verticalSlider_500, "verticalSlider_500", 4},
                     {&Form::verticalSlider_250, "verticalSlider_250", 3},
                     {&Form::verticalSlider_120, "verticalSlider_120", 2},
                     {&Form::verticalSlider_60, "verticalSlider_60", 1},
                     {&Form::verticalSlider_30, "verticalSlider_30", 0}});

    raiseInOrder({pushButton_die4, lineEdit_3, label_12, lineEdit_12, label_21, Slider_Voice1_2, lineEdit_13,
                  lineEdit_14, textEdit_2, scrollArea_2, lineEdit_21, pushButton_die3});
    raiseInOrder({label_36, widget_5, pushButton_CustomReset2, pushButton_CustomSave2, lineEdit_15, verticalSlider_16k,
                  verticalSlider_8k, verticalSlider_4k, verticalSlider_2k, verticalSlider_1k, verticalSlider_500,
                  verticalSlider_250, verticalSlider_120, verticalSlider_60, verticalSlider_30});
}

void Ui_TonewrightClass::setupStereoPresetList()
{
    QWidget *list = scrollAreaWidgetContents_7;
    makeRadios(*this, list,
               {{&Form::radioButton_Stereo_Pop, "radioButton_Stereo_Pop", QRect(0, 10, 101, 30), Max268, Unchecked,
                 NoExtra, nullptr},
                {&Form::radioButton_Stereo_RockRoll, "radioButton_Stereo_RockRoll", QRect(0, 40, 110, 30), Max268,
                 LeaveCheck, NoExtra, nullptr},
                {&Form::radioButton_Stereo_DeepBass, "radioButton_Stereo_DeepBass", QRect(0, 70, 110, 30), Max268,
                 LeaveCheck, NoExtra, nullptr},
                {&Form::radioButton_Stereo_Jazz, "radioButton_Stereo_Jazz", QRect(0, 100, 110, 30), Max268, LeaveCheck,
                 NoExtra, nullptr},
                {&Form::radioButton_Stereo_Classic, "radioButton_Stereo_Classic", QRect(0, 130, 110, 25), Height25,
                 LeaveCheck, AppBoldFont, nullptr},
                {&Form::radioButton_Stereo_ZorbStandard, "radioButton_Stereo_ZorbStandard", QRect(0, 160, 200, 25),
                 Height25, Checked, NoExtra, nullptr},
                {&Form::radioButton_Stereo_Velor, "radioButton_Stereo_Velor", QRect(0, 190, 110, 30), Max268, LeaveCheck,
                 NoExtra, nullptr},
                {&Form::radioButton_Stereo_FLAT, "radioButton_Stereo_FLAT", QRect(0, 220, 110, 30), Max268, LeaveCheck,
                 NoExtra, nullptr},
                {&Form::radioButton_Stereo_Customize, "radioButton_Stereo_Customize", QRect(0, 250, 110, 30), NoLimit,
                 LeaveCheck, NoExtra, nullptr}});
    pushButton_Stereo_CustomAdd = makeAddButton(list, "pushButton_Stereo_CustomAdd", QRect(210, 256, 20, 20));
    makeCustomSlotRadios(*this, list, stereoSlots);
    makeButtons(*this, list,
                {{&Form::pushButton_22, "pushButton_22", QRect(210, 10, 22, 22), checkMarkSheet, 32},
                 {&Form::pushButton_23, "pushButton_23", QRect(210, 40, 22, 22), checkMarkSheet, 32},
                 {&Form::pushButton_24, "pushButton_24", QRect(210, 70, 22, 22), checkMarkSheet, 32},
                 {&Form::pushButton_25, "pushButton_25", QRect(210, 100, 22, 22), checkMarkSheet, 32},
                 {&Form::pushButton_26, "pushButton_26", QRect(210, 130, 22, 22), checkMarkSheet, 32},
                 {&Form::pushButton_27, "pushButton_27", QRect(210, 160, 22, 22), checkMarkSheet, 32},
                 {&Form::radioButton_Stereo_Velor_copy, "radioButton_Stereo_Velor_copy", QRect(210, 190, 22, 22),
                  checkMarkSheet, 32},
                 {&Form::radioButton_Stereo_FLAT_copy, "radioButton_Stereo_FLAT_copy", QRect(210, 220, 22, 22),
                  checkMarkSheet, 32}});
    makeCustomSlotMarks(*this, list, stereoSlots);
    makeCustomSlotDeletes(*this, list, stereoSlots);
}
