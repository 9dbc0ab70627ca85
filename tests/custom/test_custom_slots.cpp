// The custom slot records on a user file: the five-slot limit whatever the file holds,
// a deleted slot's own entry, and names that hold the stored string's separators.
#include "../presets/PresetTestSupport.h"
#include "TestEnv.h"

#include <QJsonArray>
#include <QtTest>

namespace {

QJsonObject preset(const QString &algorithm, const QString &name, const QString &parameter)
{
    return QJsonObject{{"algorithm", algorithm}, {"name", name}, {"parameter", parameter}};
}

QString gains(int first)
{
    std::array<int, kBandCount> values{};
    values[0] = first;
    return gainTextFromValues(values);
}

// The user file of the test's headset, made from the shipped default file if missing.
void makeUserFile(PresetStore &store)
{
    g_sOpenVid = 0x2e7a;
    g_sOpenPid = 0x0411;
    const unsigned char uuid[kUuidSize] = {1, 2, 3, 4};
    std::copy(uuid, uuid + kUuidSize, store.m_ucDeviceUuid);
    store.makeJsonFileName();
    store.checkUserJsonFile();
}

// A headset whose user file holds these custom presets, read as the window reads it.
void openWithCustomPresets(RecordingStore &store, const QJsonArray &custom,
                           const QJsonObject &mode = QJsonObject())
{
    makeUserFile(store);
    QJsonObject root = readObject(store.m_qstrCurrentUserFileName);
    root.insert("customMode", custom);
    if (!mode.isEmpty())
        root.insert("mode", mode);
    root.insert("extra", "kept");
    QVERIFY(writeFile(store.m_qstrCurrentUserFileName, toJson(root)));
    store.getUserJsonFile();
    store.fillCustomPreset();
    store.setDeviceUserParameter();
}

QStringList customNames(const QString &path, const QString &algorithm = QString())
{
    QStringList names;
    for (const QJsonValue &item : readObject(path).value("customMode").toArray()) {
        if (algorithm.isEmpty() || item.toObject().value("algorithm").toString() == algorithm)
            names << item.toObject().value("name").toString();
    }
    return names;
}

} // namespace

class TestCustomSlots : public QObject
{
    Q_OBJECT
public:
    static void initMain() { tw::isolateTestEnvironment(); }

private slots:
    void init()
    {
        resetIdLists();
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).removeRecursively();
    }

    void addFillsAtMostFiveSlotsAndSaveKeepsEveryEntryInPlace()
    {
        RecordingStore store;
        openWithCustomPresets(store, {preset("Surround", "S1", gains(1)), preset("Stereo", "T1", gains(2)),
                                      preset("Surround", "S2", gains(3))});
        QCOMPARE(store.usedCustomSlots(kAlgorithmStereo), 1);
        for (int expected = 2; expected <= kCustomSlotCount; ++expected)
            QCOMPARE(store.addCustomSlot(kAlgorithmStereo, gains(expected)), expected);
        QCOMPARE(store.addCustomSlot(kAlgorithmStereo, gains(9)), 0);
        QCOMPARE(store.usedCustomSlots(kAlgorithmStereo), kCustomSlotCount);
        QCOMPARE(store.customSlot(kAlgorithmStereo, 5).name, kNewCustomPresetName);

        store.storeCustomSlot(kAlgorithmStereo, 3, "Mine", gains(7));
        QVERIFY(store.writeJsonFile("customMode"));
        const QString path = store.m_qstrCurrentUserFileName;
        QCOMPARE(customNames(path), (QStringList{"S1", "T1", "New Equalizer", "Mine", "New Equalizer",
                                                 "New Equalizer", "S2"}));
        QCOMPARE(readObject(path).value("extra").toString(), QStringLiteral("kept"));
        QVERIFY(store.customLoaded(kAlgorithmStereo));
        QCOMPARE(store.m_curStereoCustom.parameter, gains(7));
    }

    void aFileWithSevenEntriesOfOneModeStaysWithinFiveSlots()
    {
        RecordingStore store;
        QJsonArray custom;
        for (int i = 1; i <= 7; ++i)
            custom.append(preset("Surround", QString("S%1").arg(i), gains(i)));
        custom.append(preset("Stereo", "T1", gains(0)));
        openWithCustomPresets(store, custom);
        QCOMPARE(store.usedCustomSlots(kAlgorithmSurround), kCustomSlotCount);
        store.fillSurroundCustomSlots();
        QCOMPARE(store.m_nSurroundCustomCount, kCustomSlotCount);
        QVERIFY(store.steps.contains("show Surround 5"));
        QCOMPARE(store.addCustomSlot(kAlgorithmSurround, gains(0)), 0);

        // A count beyond five (as a recount of the list could leave it) changes nothing.
        store.m_nSurroundCustomCount = 7;
        QCOMPARE(store.usedCustomSlots(kAlgorithmSurround), kCustomSlotCount);
        QCOMPARE(store.addCustomSlot(kAlgorithmSurround, gains(0)), 0);
        QCOMPARE(store.shiftCustomSlots(kAlgorithmSurround, 2), kCustomSlotCount);
        QCOMPARE(store.customSlot(kAlgorithmSurround, 4).name, QStringLiteral("S5"));
        QVERIFY(store.customSlot(kAlgorithmSurround, 5).name.isEmpty());
        QCOMPARE(store.dropCustomSlot(kAlgorithmSurround), 4);

        // Save changes the used slots' entries in place and keeps the ones past the fifth.
        RecordingStore saving;
        openWithCustomPresets(saving, custom);
        saving.storeCustomSlot(kAlgorithmSurround, 5, "Mine", gains(9));
        QVERIFY(saving.writeJsonFile("customMode"));
        QCOMPARE(customNames(saving.m_qstrCurrentUserFileName),
                 (QStringList{"S1", "S2", "S3", "S4", "Mine", "S6", "S7", "T1"}));
    }

    void deletionFindsTheSlotsOwnEntry()
    {
        RecordingStore store;
        openWithCustomPresets(store, {preset("Stereo", "Same", gains(1)), preset("Surround", "Same", gains(2)),
                                      preset("Stereo", "Same", gains(3)), preset("Stereo", "C", gains(4))});
        // Two slots of one name: the second slot's entry is the second of the mode.
        QCOMPARE(store.customEntryIndex(kAlgorithmStereo, 2), 2);
        QVERIFY(store.removeCustomEntry(kAlgorithmStereo, 2));
        QCOMPARE(store.m_listCustomParam.at(0).parameter, gains(1));
        QCOMPARE(store.m_listCustomParam.at(2).name, QStringLiteral("C"));
        QCOMPARE(store.shiftCustomSlots(kAlgorithmStereo, 2), 3);
        QCOMPARE(store.customSlot(kAlgorithmStereo, 2).name, QStringLiteral("C"));
        QCOMPARE(store.dropCustomSlot(kAlgorithmStereo), 2);
        QCOMPARE(store.customEntryIndex(kAlgorithmStereo, 2), 2);

        // A list that no longer holds the slot's record: nothing is removed or moved.
        store.m_listCustomParam[2].parameter = gains(9);
        QCOMPARE(store.customEntryIndex(kAlgorithmStereo, 2), -1);
        QVERIFY(!store.removeCustomEntry(kAlgorithmStereo, 2));
        QCOMPARE(store.customEntryIndex(kAlgorithmStereo, 3), -1);
        QCOMPARE(store.shiftCustomSlots(kAlgorithmStereo, 3), 0);
        QCOMPARE(store.customSlot(kAlgorithmStereo, 2).name, QStringLiteral("C"));

        // The last one goes: the selection goes with it.
        store.m_nStereoCustomId = 41;
        store.m_nStereoCustomCount = 1;
        QCOMPARE(store.dropCustomSlot(kAlgorithmStereo), 0);
        QCOMPARE(store.m_nStereoCustomId, 0);
        QCOMPARE(store.dropCustomSlot(kAlgorithmStereo), 0);
    }

    void shownSlotNeedsTheCustomListAndAUsedSlot()
    {
        RecordingStore store;
        openWithCustomPresets(store, {preset("Surround", "A", gains(1))});
        QCOMPARE(store.shownCustomSlot(kAlgorithmSurround), 0);
        store.selectCustomSlotRecord(kAlgorithmSurround, 1);
        QCOMPARE(store.m_nSurroundCustomId, 21);
        QCOMPARE(store.shownCustomSlot(kAlgorithmSurround), 1);
        store.m_nSurroundState = 101; // a factory preset shown, the id left
        QCOMPARE(store.shownCustomSlot(kAlgorithmSurround), 0);
        store.selectCustomSlotRecord(kAlgorithmSurround, 2); // not a used slot
        QCOMPARE(store.shownCustomSlot(kAlgorithmSurround), 0);
        QCOMPARE(store.selectedCustomSlot(kAlgorithmSurround), 2);
        QVERIFY(!store.loadCustomSlot(kAlgorithmSurround, 2));
        QVERIFY(store.loadCustomSlot(kAlgorithmSurround, 1));
        QCOMPARE(store.m_surroundGain.gains[0], QStringLiteral("1"));
        QCOMPARE(store.m_curSurroundCustom.name, QStringLiteral("A"));
    }

    void namesWithSeparatorsSurviveSaveAndReload()
    {
        const QString name = QStringLiteral("Mike's_bass, loud");
        {
            RecordingStore store;
            openWithCustomPresets(store, {preset("Surround", "S1", gains(1)), preset("Stereo", "T1", gains(2))});
            store.selectCustomSlotRecord(kAlgorithmStereo, 1);
            store.storeCustomSlot(kAlgorithmStereo, 1, name, gains(5));
            store.m_qstrCurrentAlgorithm = kAlgorithmStereo;
            store.m_qstrCurrentMode = "custom";
            store.m_qstrCurrentName = name;
            QVERIFY(store.writeJsonFile("customMode"));
            QVERIFY(store.writeJsonFile("currentMode"));
        }
        RecordingStore store;
        makeUserFile(store);
        store.getUserJsonFile();
        store.fillCustomPreset();
        store.setDeviceUserParameter();
        QCOMPARE(store.customSlot(kAlgorithmStereo, 1).name, name);
        QCOMPARE(store.customSlot(kAlgorithmStereo, 1).parameter, gains(5));
        QVERIFY(store.steps.contains("slot Stereo 1"));
        QCOMPARE(store.m_nStereoCustomId, 41);
    }
};

QTEST_GUILESS_MAIN(TestCustomSlots)
#include "test_custom_slots.moc"
