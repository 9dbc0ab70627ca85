// The in-memory form of the preset files: one record per file, one record per preset,
// the ten gains of a loaded preset, and the text forms the presets travel in.
//
// Gain text: ten integers in dB for 30, 60, 120, 250, 500, 1k, 2k, 4k, 8k and 16k Hz,
// joined by "," ("0,0,0,0,0,0,0,0,0,0").
// Stored preset string: name + "_'" + gain text + "'", e.g. Jazz_'3,2,1,2,-1,-1,0,1,2,3'.
// A name therefore cannot hold "_", "'" or ",".
#pragma once

#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// The two processing modes, as the preset files and the selection strings write them.
inline const QString kAlgorithmSurround = QStringLiteral("Surround");
inline const QString kAlgorithmStereo = QStringLiteral("Stereo");

constexpr int kBandCount = 10;
constexpr int kCustomSlotCount = 5;
constexpr int kUuidSize = 4;

// The content of one preset file.
struct DeviceJsonInfo {
    quint16 vid = 0;
    quint16 pid = 0;
    unsigned char uuid[kUuidSize] = {};
    int defaultCount = 0;          // complete presets read from "defaultMode"
    QStringList defaultSurround;   // stored preset strings, in ascending key order
    QStringList defaultStereo;
    int customCount = 0;           // items of "customMode"
    QStringList customSurround;    // stored preset strings of the custom presets
    QStringList customStereo;
    QString currentMode;           // "default" or "custom"
    QString currentAlgorithm;      // "Surround" or "Stereo"
    QString currentName;           // the selected preset's name
};

// One preset: its mode, its name and its gain text.
struct PresetParam {
    QString algorithm;
    QString name;
    QString parameter;
    // The user file's "customMode" item the preset was read from (undefined for one the
    // program made). The file is the user's: the item is written back as it was read
    // while the preset is unchanged, and with its own further keys when it changed.
    QJsonValue fileItem = QJsonValue(QJsonValue::Undefined);
};

// The preset a "customMode" item holds, with the item kept in fileItem: its three
// strings, a missing one read as empty. An item that is no object, or holds one of them
// as another type, is no preset the reader can use: its three strings stay empty.
PresetParam presetFromFileItem(const QJsonValue &item);

// The "customMode" item that stores preset: its fileItem as it is while the preset
// still holds what was read from it, else that item's keys with the three strings set.
QJsonValue fileItemOfPreset(const PresetParam &preset);

// The ten gains of one preset as text, 30 Hz first.
struct EqGainValues {
    std::array<QString, kBandCount> gains;
};

// The factory presets: the name a preset file stores for each, and the position of its
// entry in its mode's default list (the ascending key order of "defaultMode").
struct FactoryPresetName {
    const char *storedName;
    int listPosition;
};
extern const std::array<FactoryPresetName, 6> kSurroundFactoryPresets;
extern const std::array<FactoryPresetName, 8> kStereoFactoryPresets;

// Position in the mode's default list of the factory preset stored under this name
// (exact, case-sensitive), or -1 when the mode has no such preset.
int factoryPresetPosition(const QString &algorithm, const QString &storedName);

QString makeStoredPreset(const QString &name, const QString &gainText);

// Sections 0 to 19 of a stored preset string split at "_", "'" and ",", each trimmed;
// empty sections included (the slider loader logs every one of them).
QStringList storedPresetSections(const QString &stored);

// The name and the gains of a stored preset string: the first non-empty section is the
// name, the next ten non-empty ones the gains (fewer when the string holds fewer).
struct StoredPreset {
    QString name;
    QStringList gains;
};
StoredPreset splitStoredPreset(const QString &stored);

// A custom preset's gain text cut at "," into the ten gain strings, trimmed; a missing
// section gives an empty string.
EqGainValues gainValuesFromText(const QString &gainText);

// The ten band values as gain text: decimal, 30 Hz first, "," between, no blanks.
QString gainTextFromValues(const std::array<int, kBandCount> &values);

// The most characters the name fields take for a custom preset's name.
constexpr int kMaxPresetNameLength = 255;

// The name a new custom preset starts with.
inline const QString kNewCustomPresetName = QStringLiteral("New Equalizer");

// A gain string as the sliders take it: a decimal integer, 0 when it is not one. Out of
// range values pass unchanged (the slider's own range limits them).
int gainValue(const QString &gain);
