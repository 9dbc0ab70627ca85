// The Surround and Stereo equaliser pages are twins: the same widgets under other
// names and the same flows with other numbers. Each page is described once here, and
// every flow that serves both pages reads its widgets and numbers from this row.
#pragma once

#include <array>
#include <vector>

class MainWindow;
class QAbstractButton;
class QAbstractSlider;
class QLineEdit;
class QPushButton;
class QWidget;

// One factory preset row: how it is shown, where its gains sit in the mode's default
// list, the name stored in the preset file and the preset number the headset gets.
struct FactoryPresetRow {
    const char *displayText;
    int listPosition;
    const char *storedName;
    int numberModel1; // headset model 1
    int numberOther;  // every other model
};

struct FactoryPreset {
    QAbstractButton *radio = nullptr;
    QWidget *checkMark = nullptr; // shown again by the slot itself (Surround Standard only)
    FactoryPresetRow row;
};

// The numbers that tell the two pages apart.
struct EqPageIds {
    int mode;               // the mode number of the PEQ frames: 1 Surround, 0 Stereo
    const char *algorithm;  // "Surround" or "Stereo"
    int tabIndex;           // its page of the tab widget
    int tabStatus;          // value of m_fTabStatus while the page is active
    int factoryState;       // 101 / 201
    int customState;        // 102 / 202
    int firstCustomId;      // 21 / 41
    int customNumberModel1; // preset number of custom slot 1 on model 1
    int customNumberOther;  // ... and on every other model
};

struct EqPage : EqPageIds {
    explicit EqPage(const EqPageIds &ids) : EqPageIds(ids) {}

    int MainWindow::*state = nullptr;
    int MainWindow::*customId = nullptr;
    int MainWindow::*customCount = nullptr;
    int *sentGains = nullptr;     // g_nSurroundGain / g_nStereoGain

    std::array<QAbstractSlider *, 10> sliders{};
    QLineEdit *nameEdit = nullptr;
    QPushButton *save = nullptr;
    QPushButton *reset = nullptr;
    QWidget *customAdd = nullptr;
    QWidget *customClear = nullptr;
    QWidget *customGroup = nullptr;
    QAbstractButton *customize = nullptr;
    std::array<QAbstractButton *, 5> customRadios{};
    std::array<QWidget *, 5> customCheckMarks{};
    std::array<QWidget *, 5> customDeleteButtons{};
    std::vector<QAbstractButton *> copyButtons; // the check marks whose click runs Copy
    std::vector<FactoryPreset> factory; // in the order the tab switch looks for the checked one

    // Page-specific touches of the shared flows.
    bool greysButtonsOnFactory = false;    // a factory click greys the page's Save/Reset pair
    bool namesBeforeCheck = false;         // the name field is written even for an unchecked radio
    bool soundViewHidesSaveReset = false;  // the speaker-test view keeps Save/Reset hidden

    int customNumber(int slotIndex, int model) const
    {
        return (model == 1 ? customNumberModel1 : customNumberOther) + slotIndex;
    }
};

// Style of an enabled and of a disabled Save or Reset button.
extern const char *const kSaveResetLitSheet;
extern const char *const kSaveResetGreySheet;
