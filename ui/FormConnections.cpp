// The form's connections, as data in the order they are made. The order is behaviour:
// the receivers of one signal run in the order of their connections, and the pages
// chain on it (a preset radio button runs its window slot first, then clicks the
// page's hidden button and the delete prompts' close buttons).
//
// Every connection is made by signature on the window handed to setupUi, so the window
// class must declare each slot named here. One that cannot be made is reported as a
// critical message that names it.
#include "ui/ui_tonewright.h"

#include <QtGlobal>

#include <vector>

namespace {

struct FormLink {
    QObject *sender;
    const char *signal;
    QObject *receiver;
    const char *slot;
};

void makeLink(const FormLink &link)
{
    if (QObject::connect(link.sender, link.signal, link.receiver, link.slot))
        return;
    // Skip the one-digit code that SIGNAL() and SLOT() put before each signature.
    qCritical("Form connection failed: %s %s -> %s %s", qPrintable(link.sender->objectName()), link.signal + 1,
              qPrintable(link.receiver->objectName()), link.slot + 1);
}

} // namespace

void Ui_TonewrightClass::connectForm(QMainWindow *window)
{
    const char *const clicked = SIGNAL(clicked());
    const char *const pressed = SIGNAL(pressed());
    const char *const valueChanged = SIGNAL(valueChanged(int));
    const char *const toggled = SIGNAL(toggled(bool));
    const char *const click = SLOT(click());
    const char *const setVisible = SLOT(setVisible(bool));
    QObject *const w = window;

    std::vector<FormLink> links = {
        // Window slots: title bar and window-level controls first.
        {pushButton_Minimize, clicked, w, SLOT(on_PushButton_Minimize_Clicked())},
        {pushButton_Close, clicked, w, SLOT(on_PushButton_Close_Clicked())},
        {pushButton_DefaultClose, clicked, w, SLOT(on_PushButton_DefaultClose_Clicked())},
        {pushButton_12, clicked, w, SLOT(on_PushButton_Max_Clicked())},
        {pushButton_8, clicked, w, SLOT(main_changed())},
        {pushButton_9, clicked, w, SLOT(main_clicked())},
        {radioButton, clicked, w, SLOT(slot1())},
        {tabWidget, SIGNAL(tabBarClicked(int)), w, SLOT(on_TabWidget_Clicked(int))},
        // Surround page.
        {radioButton_Surround_Moba, clicked, w, SLOT(on_RadioButton_Surround_Moba_Clicked())},
        {radioButton_Surround_DeepBas, clicked, w, SLOT(on_RadioButton_Surround_DeepBass_Clicked())},
        {radioButton_Surround_FPS, clicked, w, SLOT(on_RadioButton_Surround_FPS_Clicked())},
        {radioButton_Surround_ZorbStandard, clicked, w, SLOT(on_RadioButton_Surround_ZorbStandard_Clicked())},
        {radioButton_Surround_ZorbStandard1, clicked, w, SLOT(on_RadioButton_Surround_Velor_Clicked())},
        {radioButton_Surround_ZorbStandard2, clicked, w, SLOT(on_RadioButton_Surround_FLAT_Clicked())},
        {radioButton_Surround_Customize, clicked, w, SLOT(on_RadioButton_Surround_Customize_Clicked())},
        {radioButton_Surround_Custom1, clicked, w, SLOT(on_RadioButton_Surround_CustomOne_Clicked())},
        {radioButton_Surround_Custom2, clicked, w, SLOT(on_RadioButton_Surround_CustomTwo_Clicked())},
        {radioButton_Surround_Custom3, clicked, w, SLOT(on_RadioButton_Surround_CustomThree_Clicked())},
        {radioButton_Surround_Custom4, clicked, w, SLOT(on_RadioButton_Surround_CustomFour_Clicked())},
        {radioButton_Surround_Custom5, clicked, w, SLOT(on_RadioButton_Surround_CustomFive_Clicked())},
        {pushButton_Surround_CustomAdd, clicked, w, SLOT(on_PushButton_Surround_CustomAdd_Clicked())},
        {pushButton_Surround_CustomClear, clicked, w, SLOT(on_PushButton_Surround_CustomClear_Clicked())},
        {pushButton_6, clicked, w, SLOT(Red_Dialog())},
        {pushButton_7, clicked, w, SLOT(Red_Dialog2())},
        {pushButton_CustomReset, clicked, w, SLOT(on_PushButton_CustomReset_Clicked())},
        {pushButton_CustomReset, clicked, w, SLOT(On_Button_Reset1())},
        {pushButton_CustomSave, clicked, w, SLOT(On_Button_Save1())},
        {pushButton_CustomSave, clicked, w, SLOT(on_PushButton_CustomSave_Clicked())},
        {pushButton_4, pressed, w, SLOT(On_Button_Style())},
        {pushButton_5, pressed, w, SLOT(On_Button_Surround())},
        {pushButton_SurroundTest, clicked, w, SLOT(on_PushButton_PlayTest_Clicked())},
        {pushButton_die1, clicked, w, SLOT(pushButton_die1_fold())},
        {pushButton_die2, clicked, w, SLOT(pushButton_die2_fold())},
        // Stereo page.
        {radioButton_Stereo_Pop, clicked, w, SLOT(on_RadioButton_Stereo_Pop_Clicked())},
        {radioButton_Stereo_RockRoll, clicked, w, SLOT(on_RadioButton_Stereo_RockRoll_Clicked())},
        {radioButton_Stereo_DeepBass, clicked, w, SLOT(on_RadioButton_Stereo_DeepBass_Clicked())},
        {radioButton_Stereo_Jazz, clicked, w, SLOT(on_RadioButton_Stereo_Jazz_Clicked())},
        {radioButton_Stereo_Classic, clicked, w, SLOT(on_RadioButton_Stereo_Classic_Clicked())},
        {radioButton_Stereo_ZorbStandard, clicked, w, SLOT(on_RadioButton_Stereo_ZorbStandard_Clicked())},
        {radioButton_Stereo_Velor, clicked, w, SLOT(on_RadioButton_Stereo_Velor_Clicked())},
        {radioButton_Stereo_FLAT, clicked, w, SLOT(on_RadioButton_Stereo_FLAT_Clicked())},
        {radioButton_Stereo_Customize, clicked, w, SLOT(on_RadioButton_Stereo_Customize_Clicked())},
        {radioButton_Stereo_Custom1, clicked, w, SLOT(on_RadioButton_Stereo_CustomOne_Clicked())},
        {radioButton_Stereo_Custom2, clicked, w, SLOT(on_RadioButton_Stereo_CustomTwo_Clicked())},
        {radioButton_Stereo_Custom3, clicked, w, SLOT(on_RadioButton_Stereo_CustomThree_Clicked())},
        {radioButton_Stereo_Custom4, clicked, w, SLOT(on_RadioButton_Stereo_CustomFour_Clicked())},
        {radioButton_Stereo_Custom5, clicked, w, SLOT(on_RadioButton_Stereo_CustomFive_Clicked())},
        {pushButton_Stereo_CustomAdd, clicked, w, SLOT(on_PushButton_Stereo_CustomAdd_Clicked())},
        {pushButton_Stereo_CustomClear, clicked, w, SLOT(on_PushButton_Stereo_CustomClear_Clicked())},
        {pushButton_10, clicked, w, SLOT(Red_Dialog_STEREO())},
        {pushButton_11, clicked, w, SLOT(Red_Dialog2_STEREO())},
        {pushButton_CustomReset2, clicked, w, SLOT(On_Button_Reset2())},
        {pushButton_CustomReset2, clicked, w, SLOT(on_PushButton_CustomReset_Clicked())},
        {pushButton_CustomSave2, clicked, w, SLOT(On_Button_Save2())},
        {pushButton_CustomSave2, clicked, w, SLOT(on_PushButton_CustomSave_Clicked())},
        {pushButton_die3, clicked, w, SLOT(pushButton_die3_fold())},
        {pushButton_die4, clicked, w, SLOT(pushButton_die4_fold())},
        // Microphone page.
        {pushButton_2, clicked, w, SLOT(On_Button_MousePressEvent())},
        {pushButton_3, clicked, w, SLOT(Off_Button_MousePressEvent())},
        {checkBox_MicENC, clicked, w, SLOT(on_CheckBox_MicENC_Clicked())},

        // The per-slot delete buttons carry no index: each clicks its page's hidden clear
        // button, whose slot acts on the selected custom slot.
        {pushButton_Surround_CustomClear_2, clicked, pushButton_Surround_CustomClear, click},
        {pushButton_Surround_CustomClear_3, clicked, pushButton_Surround_CustomClear, click},
        {pushButton_Surround_CustomClear_4, clicked, pushButton_Surround_CustomClear, click},
        {pushButton_Surround_CustomClear_5, clicked, pushButton_Surround_CustomClear, click},
        {pushButton_Surround_CustomClear_6, clicked, pushButton_Surround_CustomClear, click},
        {pushButton_Stereo_CustomClear_2, clicked, pushButton_Stereo_CustomClear, click},
        {pushButton_Stereo_CustomClear_3, clicked, pushButton_Stereo_CustomClear, click},
        {pushButton_Stereo_CustomClear_4, clicked, pushButton_Stereo_CustomClear, click},
        {pushButton_Stereo_CustomClear_5, clicked, pushButton_Stereo_CustomClear, click},
        {pushButton_Stereo_CustomClear_6, clicked, pushButton_Stereo_CustomClear, click},

        // After its own slot, a factory preset hides the page's custom check marks (through
        // the hidden button) and closes the delete prompts.
        {pushButton_33, clicked, w, SLOT(disappear())},
        {radioButton_Surround_Moba, clicked, pushButton_33, click},
        {radioButton_Surround_Moba, clicked, pushButton_7, click},
        {radioButton_Surround_DeepBas, clicked, pushButton_33, click},
        {radioButton_Surround_DeepBas, clicked, pushButton_11, click},
        {radioButton_Surround_DeepBas, clicked, pushButton_7, click},
        {radioButton_Surround_FPS, clicked, pushButton_33, click},
        {radioButton_Surround_FPS, clicked, pushButton_7, click},
        {radioButton_Surround_ZorbStandard, clicked, pushButton_33, click},
        {radioButton_Surround_ZorbStandard, clicked, pushButton_7, click},
        {radioButton_Surround_ZorbStandard1, clicked, pushButton_11, click},
        {radioButton_Surround_ZorbStandard1, clicked, pushButton_7, click},
        {radioButton_Surround_ZorbStandard1, clicked, pushButton_33, click},
        {radioButton_Surround_ZorbStandard2, clicked, pushButton_11, click},
        {radioButton_Surround_ZorbStandard2, clicked, pushButton_7, click},
        {radioButton_Surround_ZorbStandard2, clicked, pushButton_33, click},
        {pushButton_34, clicked, w, SLOT(disappear2())},
    };
    for (QRadioButton *preset : {radioButton_Stereo_Pop, radioButton_Stereo_RockRoll, radioButton_Stereo_DeepBass,
                                 radioButton_Stereo_Jazz, radioButton_Stereo_Classic, radioButton_Stereo_ZorbStandard,
                                 radioButton_Stereo_Velor, radioButton_Stereo_FLAT}) {
        links.push_back({preset, clicked, pushButton_34, click});
        links.push_back({preset, clicked, pushButton_11, click});
    }
    // Shows the Standard check mark again when the checked button is clicked once more.
    links.push_back({radioButton_Stereo_ZorbStandard, SIGNAL(clicked(bool)), pushButton_27, setVisible});

    for (QSlider *band : {verticalSlider_30, verticalSlider_60, verticalSlider_120, verticalSlider_250,
                          verticalSlider_500, verticalSlider_1k, verticalSlider_2k, verticalSlider_4k,
                          verticalSlider_8k, verticalSlider_16k})
        links.push_back({band, valueChanged, w, SLOT(on_VerticalSlider_Stereo_ValueChange())});
    for (QSlider *band : {verticalSlider_30_2, verticalSlider_60_2, verticalSlider_120_2, verticalSlider_250_2,
                          verticalSlider_500_2, verticalSlider_1k_2, verticalSlider_2k_2, verticalSlider_4k_2,
                          verticalSlider_8k_2, verticalSlider_16k_2})
        links.push_back({band, valueChanged, w, SLOT(on_VerticalSlider_Surround_ValueChange())});

    // Each check mark (and each custom slot's delete button) shows exactly while its
    // radio button is checked.
    const std::pair<QRadioButton *, QWidget *> shownWhileChecked[] = {
        {radioButton_Surround_DeepBas, pushButton_13},
        {radioButton_Surround_Moba, pushButton_14},
        {radioButton_Surround_FPS, pushButton_15},
        {radioButton_Surround_ZorbStandard, pushButton_16},
        {radioButton_Surround_ZorbStandard1, pushButton_161},
        {radioButton_Surround_ZorbStandard2, pushButton_162},
        {radioButton_Surround_Custom1, pushButton_17},
        {radioButton_Surround_Custom2, pushButton_18},
        {radioButton_Surround_Custom3, pushButton_19},
        {radioButton_Surround_Custom4, pushButton_20},
        {radioButton_Surround_Custom5, pushButton_21},
        {radioButton_Surround_Custom1, pushButton_Surround_CustomClear_2},
        {radioButton_Surround_Custom2, pushButton_Surround_CustomClear_3},
        {radioButton_Surround_Custom3, pushButton_Surround_CustomClear_4},
        {radioButton_Surround_Custom4, pushButton_Surround_CustomClear_5},
        {radioButton_Surround_Custom5, pushButton_Surround_CustomClear_6},
        {radioButton_Stereo_Pop, pushButton_22},
        {radioButton_Stereo_RockRoll, pushButton_23},
        {radioButton_Stereo_DeepBass, pushButton_24},
        {radioButton_Stereo_Jazz, pushButton_25},
        {radioButton_Stereo_Classic, pushButton_26},
        {radioButton_Stereo_ZorbStandard, pushButton_27},
        {radioButton_Stereo_Velor, radioButton_Stereo_Velor_copy},
        {radioButton_Stereo_FLAT, radioButton_Stereo_FLAT_copy},
        {radioButton_Stereo_Custom1, pushButton_28},
        {radioButton_Stereo_Custom2, pushButton_29},
        {radioButton_Stereo_Custom3, pushButton_30},
        {radioButton_Stereo_Custom4, pushButton_31},
        {radioButton_Stereo_Custom5, pushButton_32},
        {radioButton_Stereo_Custom1, pushButton_Stereo_CustomClear_2},
        {radioButton_Stereo_Custom2, pushButton_Stereo_CustomClear_3},
        {radioButton_Stereo_Custom3, pushButton_Stereo_CustomClear_4},
        {radioButton_Stereo_Custom4, pushButton_Stereo_CustomClear_5},
        {radioButton_Stereo_Custom5, pushButton_Stereo_CustomClear_6},
    };
    for (const auto &[radio, mark] : shownWhileChecked)
        links.push_back({radio, toggled, mark, setVisible});

    for (const FormLink &link : links)
        makeLink(link);
}
