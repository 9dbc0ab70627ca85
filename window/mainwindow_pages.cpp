// The two equaliser pages as table rows: which widgets, states, ids and preset
// numbers belong to each. Every flow serving both pages reads them from here.
#include "window/MainWindow.h"

#include "window/EqPage.h"

#include "presets/PeqSend.h"

const char *const kSaveResetLitSheet =
    "QPushButton{color:rgb(255,255,255);border: none;border-radius:7px;background-color: rgb(196,40,26)}";
const char *const kSaveResetGreySheet = "QPushButton{background-color: rgb(49,44,92);border-radius:7px;color:rgb(100,100,100)}";

namespace {

// Surround factory presets, in the order of the page's list.
const FactoryPresetRow kSurroundRows[] = {
    {"Deep Bass", 0, "Deep Bass", 0, 16},
    {"FPS", 1, "FPS", 1, 18},
    {"Moba", 3, "MOBA", 2, 17},
    {"LOGO Standard", 2, "Zorb Standard", 3, 19},
    {"Velor Sur EQ", 4, "Velor Sur EQ", 4, 20},
    {"FLAT", 5, "FLAT", 0, 16}, // shares the numbers of Deep Bass
};

// Stereo factory presets: the same numbers on every headset model.
const FactoryPresetRow kStereoRows[] = {
    {"POP", 0, "Pop", 0, 0},
    {"Rock & Roll", 1, "Rack&Roll", 1, 1},
    {"Deep Bass", 2, "Deep Bass", 2, 2},
    {"Jazz", 3, "Jazz", 3, 3},
    {"Classic", 4, "Classic", 4, 4},
    {"LOGO Standard", 5, "Zorb Standard", 5, 5},
    {"Velor Stereo EQ", 6, "Velor Stereo EQ", 6, 6},
    {"FLAT", 7, "FLAT", 7, 7},
};

const EqPageIds kSurroundIds = {1, "Surround", 0, 2, 101, 102, 21, 6, 22};
const EqPageIds kStereoIds = {0, "Stereo", 1, 1, 201, 202, 41, 6, 6};

} // namespace

void MainWindow::buildEqPages()
{
    auto surround = std::make_unique<EqPage>(kSurroundIds);
    surround->state = &MainWindow::m_nSurroundState;
    surround->customId = &MainWindow::m_nSurroundCustomId;
    surround->customCount = &MainWindow::m_nSurroundCustomCount;
    surround->sentGains = g_nSurroundGain;
    surround->sliders = {ui.verticalSlider_30_2, ui.verticalSlider_60_2, ui.verticalSlider_120_2,
                         ui.verticalSlider_250_2, ui.verticalSlider_500_2, ui.verticalSlider_1k_2,
                         ui.verticalSlider_2k_2, ui.verticalSlider_4k_2, ui.verticalSlider_8k_2,
                         ui.verticalSlider_16k_2};
    surround->nameEdit = ui.lineEdit_23;
    surround->save = ui.pushButton_CustomSave;
    surround->reset = ui.pushButton_CustomReset;
    surround->customAdd = ui.pushButton_Surround_CustomAdd;
    surround->customClear = ui.pushButton_Surround_CustomClear;
    surround->customGroup = ui.groupBox_Surround;
    surround->customize = ui.radioButton_Surround_Customize;
    surround->customRadios = {ui.radioButton_Surround_Custom1, ui.radioButton_Surround_Custom2,
                              ui.radioButton_Surround_Custom3, ui.radioButton_Surround_Custom4,
                              ui.radioButton_Surround_Custom5};
    surround->customCheckMarks = {ui.pushButton_17, ui.pushButton_18, ui.pushButton_19, ui.pushButton_20,
                                  ui.pushButton_21};
    surround->customDeleteButtons = {ui.pushButton_Surround_CustomClear_2, ui.pushButton_Surround_CustomClear_3,
                                     ui.pushButton_Surround_CustomClear_4, ui.pushButton_Surround_CustomClear_5,
                                     ui.pushButton_Surround_CustomClear_6};
    QAbstractButton *const surroundRadios[] = {ui.radioButton_Surround_DeepBas,       ui.radioButton_Surround_FPS,
                                               ui.radioButton_Surround_Moba,          ui.radioButton_Surround_ZorbStandard,
                                               ui.radioButton_Surround_ZorbStandard1, ui.radioButton_Surround_ZorbStandard2};
    for (int i = 0; i < 6; ++i)
        surround->factory.push_back({surroundRadios[i], nullptr, kSurroundRows[i]});
    surround->factory[3].checkMark = ui.pushButton_16;
    // Those of the factory presets and of custom slots 1 to 4; slot 5's runs nothing.
    surround->copyButtons = {ui.pushButton_13, ui.pushButton_14, ui.pushButton_15, ui.pushButton_16,
                             ui.pushButton_17, ui.pushButton_18, ui.pushButton_19, ui.pushButton_20,
                             ui.pushButton_161, ui.pushButton_162};
    surround->soundViewHidesSaveReset = true;

    auto stereo = std::make_unique<EqPage>(kStereoIds);
    stereo->state = &MainWindow::m_nStereoState;
    stereo->customId = &MainWindow::m_nStereoCustomId;
    stereo->customCount = &MainWindow::m_nStereoCustomCount;
    stereo->sentGains = g_nStereoGain;
    stereo->sliders = {ui.verticalSlider_30, ui.verticalSlider_60, ui.verticalSlider_120, ui.verticalSlider_250,
                       ui.verticalSlider_500, ui.verticalSlider_1k, ui.verticalSlider_2k, ui.verticalSlider_4k,
                       ui.verticalSlider_8k, ui.verticalSlider_16k};
    stereo->nameEdit = ui.lineEdit_15;
    stereo->save = ui.pushButton_CustomSave2;
    stereo->reset = ui.pushButton_CustomReset2;
    stereo->customAdd = ui.pushButton_Stereo_CustomAdd;
    stereo->customClear = ui.pushButton_Stereo_CustomClear;
    stereo->customGroup = ui.groupBox_Stereo;
    stereo->customize = ui.radioButton_Stereo_Customize;
    stereo->customRadios = {ui.radioButton_Stereo_Custom1, ui.radioButton_Stereo_Custom2, ui.radioButton_Stereo_Custom3,
                            ui.radioButton_Stereo_Custom4, ui.radioButton_Stereo_Custom5};
    stereo->customCheckMarks = {ui.pushButton_28, ui.pushButton_29, ui.pushButton_30, ui.pushButton_31,
                                ui.pushButton_32};
    stereo->customDeleteButtons = {ui.pushButton_Stereo_CustomClear_2, ui.pushButton_Stereo_CustomClear_3,
                                   ui.pushButton_Stereo_CustomClear_4, ui.pushButton_Stereo_CustomClear_5,
                                   ui.pushButton_Stereo_CustomClear_6};
    QAbstractButton *const stereoRadios[] = {ui.radioButton_Stereo_Pop,     ui.radioButton_Stereo_RockRoll,
                                             ui.radioButton_Stereo_DeepBass, ui.radioButton_Stereo_Jazz,
                                             ui.radioButton_Stereo_Classic,  ui.radioButton_Stereo_ZorbStandard,
                                             ui.radioButton_Stereo_Velor,    ui.radioButton_Stereo_FLAT};
    for (int i = 0; i < 8; ++i)
        stereo->factory.push_back({stereoRadios[i], nullptr, kStereoRows[i]});
    stereo->copyButtons = {ui.pushButton_22, ui.pushButton_23, ui.pushButton_24, ui.pushButton_25,
                           ui.pushButton_26, ui.pushButton_27, ui.pushButton_28, ui.pushButton_29,
                           ui.pushButton_30, ui.pushButton_31, ui.radioButton_Stereo_Velor_copy,
                           ui.radioButton_Stereo_FLAT_copy};
    stereo->greysButtonsOnFactory = true;
    stereo->namesBeforeCheck = true;

    m_surroundPage = std::move(surround);
    m_stereoPage = std::move(stereo);
}

const EqPage *MainWindow::pageOfMode(int mode) const
{
    if (mode == 1)
        return m_surroundPage.get();
    if (mode == 0)
        return m_stereoPage.get();
    return nullptr;
}
