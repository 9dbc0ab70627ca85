// The custom slots of each mode as records: adding, storing, finding a slot's own entry
// in the custom list, and closing the gap a deleted slot leaves. The window's custom
// preset flows keep to widgets and call these for the data.
#include "presets/PresetStore.h"
#include "presets/PresetModeSelection.h"

#include <algorithm>

PresetStore::ModeSelection PresetStore::modeSelection(const QString &algorithm)
{
    if (algorithm == kAlgorithmSurround)
        return {&m_surroundCustom, &m_nSurroundState, &m_nSurroundCustomId, &m_nSurroundCustomCount, 101, 102, 20,
                &m_curSurroundCustom, &m_fSurroundCustomLoaded, &m_surroundGain};
    return {&m_stereoCustom, &m_nStereoState, &m_nStereoCustomId, &m_nStereoCustomCount, 201, 202, 40,
            &m_curStereoCustom, &m_fStereoCustomLoaded, &m_stereoGain};
}

PresetStore::ModeSelection PresetStore::modeSelection(const QString &algorithm) const
{
    return const_cast<PresetStore *>(this)->modeSelection(algorithm);
}

int PresetStore::usedCustomSlots(const QString &algorithm) const
{
    return std::clamp(*modeSelection(algorithm).customCount, 0, kCustomSlotCount);
}

int PresetStore::selectedCustomSlot(const QString &algorithm) const
{
    const ModeSelection mode = modeSelection(algorithm);
    const int slot = *mode.customId - mode.idBase;
    if (slot < 1 || slot > kCustomSlotCount)
        return 0;
    return slot;
}

int PresetStore::shownCustomSlot(const QString &algorithm) const
{
    const ModeSelection mode = modeSelection(algorithm);
    const int slot = selectedCustomSlot(algorithm);
    if (*mode.state != mode.customState || slot > usedCustomSlots(algorithm))
        return 0;
    return slot;
}

const PresetParam &PresetStore::customSlot(const QString &algorithm, int slot) const
{
    return (*modeSelection(algorithm).modeSlots)[static_cast<std::size_t>(slot - 1)];
}

void PresetStore::setCustomLoaded(const QString &algorithm, bool loaded)
{
    *modeSelection(algorithm).loaded = loaded;
}

bool PresetStore::customLoaded(const QString &algorithm) const
{
    return *modeSelection(algorithm).loaded;
}

void PresetStore::selectCustomSlotRecord(const QString &algorithm, int slot)
{
    const ModeSelection mode = modeSelection(algorithm);
    *mode.state = mode.customState;
    *mode.customId = mode.idBase + slot;
}

bool PresetStore::loadCustomSlot(const QString &algorithm, int slot)
{
    const ModeSelection mode = modeSelection(algorithm);
    const PresetParam &record = customSlot(algorithm, slot);
    if (record.parameter.isEmpty())
        return false;
    *mode.gains = gainValuesFromText(record.parameter);
    *mode.current = record;
    *mode.loaded = true;
    return true;
}

int PresetStore::addCustomSlot(const QString &algorithm, const QString &gainText)
{
    const ModeSelection mode = modeSelection(algorithm);
    const int slot = usedCustomSlots(algorithm) + 1;
    if (slot > kCustomSlotCount)
        return 0;
    *mode.customCount = slot;
    PresetParam &record = (*mode.modeSlots)[static_cast<std::size_t>(slot - 1)];
    record = {algorithm, kNewCustomPresetName, gainText};
    // Its entry follows the one of the slot before, ahead of any entries of the mode
    // past the ones shown, so the used slots stay the mode's first entries.
    const int before = modeEntryIndex(algorithm, slot - 1);
    m_listCustomParam.insert(before >= 0 ? before + 1 : m_listCustomParam.size(), record);
    return slot;
}

void PresetStore::storeCustomSlot(const QString &algorithm, int slot, const QString &name, const QString &gainText)
{
    const ModeSelection mode = modeSelection(algorithm);
    for (PresetParam &record : *mode.modeSlots)
        record.algorithm = algorithm;
    PresetParam &record = (*mode.modeSlots)[static_cast<std::size_t>(slot - 1)];
    record.name = name;
    record.parameter = gainText;
    *mode.current = record;
    *mode.loaded = true;
    rebuildCustomList(algorithm);
}

// Each used slot's entry takes the slot's record where it stands; every other entry (the
// other mode's, the mode's past the fifth, items the reader could not use) stays as it is.
void PresetStore::rebuildCustomList(const QString &algorithm)
{
    const auto &modeSlots = *modeSelection(algorithm).modeSlots;
    int next = m_listCustomParam.size();
    for (int slot = 1; slot <= usedCustomSlots(algorithm); ++slot) {
        const PresetParam &record = modeSlots[static_cast<std::size_t>(slot - 1)];
        const int index = modeEntryIndex(algorithm, slot);
        if (index >= 0) {
            m_listCustomParam[index] = record;
            next = index + 1;
        } else {
            m_listCustomParam.insert(next++, record);
        }
    }
}

int PresetStore::modeEntryIndex(const QString &algorithm, int slot) const
{
    int seen = 0;
    for (int i = 0; i < m_listCustomParam.size(); ++i) {
        if (m_listCustomParam.at(i).algorithm == algorithm && ++seen == slot)
            return i;
    }
    return -1;
}

// The slots mirror the mode's first entries of the list in order, so slot k's own entry
// is the mode's k-th one; it must still hold what the slot was filled with.
int PresetStore::customEntryIndex(const QString &algorithm, int slot) const
{
    if (slot < 1 || slot > usedCustomSlots(algorithm))
        return -1;
    const PresetParam &record = customSlot(algorithm, slot);
    const int index = modeEntryIndex(algorithm, slot);
    if (index < 0)
        return -1;
    const PresetParam &entry = m_listCustomParam.at(index);
    return entry.name == record.name && entry.parameter == record.parameter ? index : -1;
}

bool PresetStore::removeCustomEntry(const QString &algorithm, int slot)
{
    const int index = customEntryIndex(algorithm, slot);
    if (index < 0)
        return false;
    m_listCustomParam.removeAt(index);
    return true;
}

int PresetStore::shiftCustomSlots(const QString &algorithm, int slot)
{
    auto &modeSlots = *modeSelection(algorithm).modeSlots;
    const int used = usedCustomSlots(algorithm);
    if (slot < 1 || used < slot)
        return 0;
    for (int j = slot; j < used; ++j)
        modeSlots[static_cast<std::size_t>(j - 1)] = modeSlots[static_cast<std::size_t>(j)];
    modeSlots[static_cast<std::size_t>(used - 1)] = PresetParam();
    return used;
}

int PresetStore::dropCustomSlot(const QString &algorithm)
{
    const ModeSelection mode = modeSelection(algorithm);
    *mode.customCount = std::max(usedCustomSlots(algorithm) - 1, 0);
    if (*mode.customCount == 0)
        *mode.customId = 0;
    return *mode.customCount;
}
