#include "presets/PresetRecords.h"

#include <QJsonObject>
#include <QRegularExpression>

// The positions are fixed by the window's preset buttons: Surround reads its Standard
// entry before its MOBA entry although the buttons show them the other way round.
const std::array<FactoryPresetName, 6> kSurroundFactoryPresets = {{
    {"Deep Bass", 0},
    {"FPS", 1},
    {"MOBA", 3},
    {"Zorb Standard", 2},
    {"Velor Sur EQ", 4},
    {"FLAT", 5},
}};

const std::array<FactoryPresetName, 8> kStereoFactoryPresets = {{
    {"Pop", 0},
    {"Rack&Roll", 1},
    {"Deep Bass", 2},
    {"Jazz", 3},
    {"Classic", 4},
    {"Zorb Standard", 5},
    {"Velor Stereo EQ", 6},
    {"FLAT", 7},
}};

template <std::size_t N>
static int positionIn(const std::array<FactoryPresetName, N> &table, const QString &storedName)
{
    for (const FactoryPresetName &entry : table) {
        if (storedName == QLatin1String(entry.storedName))
            return entry.listPosition;
    }
    return -1;
}

int factoryPresetPosition(const QString &algorithm, const QString &storedName)
{
    if (algorithm == kAlgorithmSurround)
        return positionIn(kSurroundFactoryPresets, storedName);
    if (algorithm == kAlgorithmStereo)
        return positionIn(kStereoFactoryPresets, storedName);
    return -1;
}

QString makeStoredPreset(const QString &name, const QString &gainText)
{
    return name + QStringLiteral("_'") + gainText + QStringLiteral("'");
}

QStringList storedPresetSections(const QString &stored)
{
    constexpr int kSectionCount = 20;
    static const QRegularExpression separators(QStringLiteral("[_',']"));
    const QStringList parts = stored.split(separators);
    QStringList sections;
    for (int i = 0; i < kSectionCount; ++i)
        sections.append(i < parts.size() ? parts.at(i).trimmed() : QString());
    return sections;
}

StoredPreset splitStoredPreset(const QString &stored)
{
    StoredPreset preset;
    bool nameSeen = false;
    for (const QString &section : storedPresetSections(stored)) {
        if (section.isEmpty())
            continue;
        if (!nameSeen) {
            preset.name = section;
            nameSeen = true;
        } else if (preset.gains.size() < kBandCount) {
            preset.gains.append(section);
        }
    }
    return preset;
}

EqGainValues gainValuesFromText(const QString &gainText)
{
    const QStringList parts = gainText.split(QLatin1Char(','));
    EqGainValues values;
    for (int i = 0; i < kBandCount && i < parts.size(); ++i)
        values.gains[static_cast<std::size_t>(i)] = parts.at(i).trimmed();
    return values;
}

int gainValue(const QString &gain)
{
    return gain.toInt();
}

QString gainTextFromValues(const std::array<int, kBandCount> &values)
{
    QStringList parts;
    for (int value : values)
        parts.append(QString::number(value));
    return parts.join(QLatin1Char(','));
}

namespace {

const QString kAlgorithmKey = QStringLiteral("algorithm");
const QString kNameKey = QStringLiteral("name");
const QString kParameterKey = QStringLiteral("parameter");

bool sameStrings(const PresetParam &a, const PresetParam &b)
{
    return a.algorithm == b.algorithm && a.name == b.name && a.parameter == b.parameter;
}

} // namespace

PresetParam presetFromFileItem(const QJsonValue &item)
{
    PresetParam preset;
    preset.fileItem = item;
    if (!item.isObject())
        return preset;
    const QJsonObject object = item.toObject();
    for (const QString &key : {kAlgorithmKey, kNameKey, kParameterKey}) {
        const QJsonValue value = object.value(key);
        if (!value.isString() && !value.isUndefined())
            return preset;
    }
    preset.algorithm = object.value(kAlgorithmKey).toString();
    preset.name = object.value(kNameKey).toString();
    preset.parameter = object.value(kParameterKey).toString();
    return preset;
}

QJsonValue fileItemOfPreset(const PresetParam &preset)
{
    if (!preset.fileItem.isUndefined() && sameStrings(presetFromFileItem(preset.fileItem), preset))
        return preset.fileItem;
    QJsonObject object = preset.fileItem.toObject();
    object.insert(kAlgorithmKey, preset.algorithm);
    object.insert(kNameKey, preset.name);
    object.insert(kParameterKey, preset.parameter);
    return object;
}
