// Everything the preset store keeps per mode, reached through one row so that the
// Surround and Stereo flows are written once.
#pragma once

#include "presets/PresetStore.h"

struct PresetStore::ModeSelection {
    std::array<PresetParam, kCustomSlotCount> *modeSlots;
    int *state;
    int *customId;
    int *customCount;
    int factoryState;
    int customState;
    int idBase;
    PresetParam *current;   // the selected slot as last loaded or saved
    bool *loaded;
    EqGainValues *gains;
};
