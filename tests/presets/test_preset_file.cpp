// One preset file: reading it into the records and the permitted ids, the text forms of
// a preset, and rewriting one member of the user file.
#include "PresetTestSupport.h"
#include "TestEnv.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <QtTest>

#include <ctime>

#include <fcntl.h>
#include <sys/stat.h>

class TestPresetFile : public QObject
{
    Q_OBJECT
public:
    static void initMain() { tw::isolateTestEnvironment(); }

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Writes content to a file and reads it into a fresh store.
    bool readInto(PresetStore &store, const QByteArray &content)
    {
        const QString file = path(QStringLiteral("read.json"));
        writeFile(file, content);
        return store.readJsonFile(file);
    }

private slots:
    void init() { resetIdLists(); }

    void unreadableOrMalformedFileReportsOnceAndChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("present");
        QTest::newRow("malformed") << QByteArray("{\"vid\": \"2e7a\",") << true;
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("trailing garbage") << QByteArray("{\"pid\": \"0411\"} x") << true;
    }
    void unreadableOrMalformedFileReportsOnceAndChangesNothing()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, present);
        const QString file = path(QStringLiteral("bad.json"));
        QFile::remove(file);
        if (present)
            writeFile(file, content);
        PromptRecorder recorder;
        PresetStore store;
        store.m_deviceInfo.pid = 0x1234;
        QVERIFY(!store.readJsonFile(file));
        QCOMPARE(recorder.prompts, QStringList{QStringLiteral("Error|Json File Is Error!")});
        QCOMPARE(store.m_deviceInfo.pid, quint16(0x1234));
        QCOMPARE(g_nPidCount, 0);
        QCOMPARE(g_nVidCount, 0);
    }

    void nonObjectDocumentReadsNothing()
    {
        PromptRecorder recorder;
        PresetStore store;
        QVERIFY(readInto(store, "[{\"pid\": \"0411\"}]"));
        QVERIFY(recorder.prompts.isEmpty());
        QCOMPARE(store.m_deviceInfo.pid, quint16(0));
        QCOMPARE(g_nPidCount, 0);
    }

    void defaultModeKeysDecideThePositions()
    {
        // Written in descending key order; read in ascending order whatever the text says.
        PresetStore store;
        QVERIFY(readInto(store, R"({"defaultMode": {
            "c": {"parameter": "3,3,3,3,3,3,3,3,3,3", "name": "Third", "algorithm": "Surround"},
            "b": {"algorithm": "Stereo", "name": "Only", "parameter": "0,0,0,0,0,0,0,0,0,0"},
            "a": {"name": "First", "algorithm": "Surround", "parameter": "1,1,1,1,1,1,1,1,1,1"},
            "Z": {"algorithm": "Surround", "name": "Upper", "parameter": "9,9,9,9,9,9,9,9,9,9"}}})"));
        QCOMPARE(store.m_deviceInfo.defaultSurround,
                 (QStringList{"Upper_'9,9,9,9,9,9,9,9,9,9'", "First_'1,1,1,1,1,1,1,1,1,1'",
                              "Third_'3,3,3,3,3,3,3,3,3,3'"}));
        QCOMPARE(store.m_deviceInfo.defaultStereo, QStringList{"Only_'0,0,0,0,0,0,0,0,0,0'"});
        QCOMPARE(store.m_deviceInfo.defaultCount, 4);
    }

    void incompleteOrExtendedDefaultPresets()
    {
        PresetStore store;
        QVERIFY(readInto(store, R"({"defaultMode": {
            "1 no algorithm": {"name": "A", "parameter": "1"},
            "2 no name": {"algorithm": "Stereo", "parameter": "2"},
            "3 no parameter": {"algorithm": "Stereo", "name": "C"},
            "4 extra keys": {"algorithm": "Stereo", "name": "D", "parameter": "4", "zeta": 1, "zz": 2},
            "5 wrong algorithm case": {"algorithm": "stereo", "name": "E", "parameter": "5"},
            "6 not an object": "F_'6'"}})"));
        QCOMPARE(store.m_deviceInfo.defaultStereo, QStringList{"D_'4'"});
        QVERIFY(store.m_deviceInfo.defaultSurround.isEmpty());
        // Counted: the ones with both a name and a parameter.
        QCOMPARE(store.m_deviceInfo.defaultCount, 3);
    }

    void membersOfAnotherTypeAreIgnored()
    {
        PresetStore store;
        QVERIFY(readInto(store, R"({"vid": 11898, "pid": ["0411"], "uuid": 5, "customMode": {"a": 1},
                                    "defaultMode": [], "mode": "custom", "other": {"pid": "0412"}})"));
        QCOMPARE(store.m_deviceInfo.vid, quint16(0));
        QCOMPARE(store.m_deviceInfo.pid, quint16(0));
        QCOMPARE(store.m_deviceInfo.customCount, 0);
        QVERIFY(store.m_listCustomParam.isEmpty());
        QVERIFY(store.m_deviceInfo.currentMode.isEmpty());
        QCOMPARE(g_nPidCount, 0);
    }

    void idTextIsReadAsHex_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("id");
        QTest::newRow("lower") << "2e7a" << 0x2e7a;
        QTest::newRow("upper, leading zero") << "0411" << 0x0411;
        QTest::newRow("prefix and blanks") << "  0x0412" << 0x0412;
        QTest::newRow("stops at non-digit") << "12g4" << 0x12;
        QTest::newRow("no digits") << "zz" << 0;
        QTest::newRow("low 16 bits") << "12345" << 0x2345;
        // A sign is no hex digit, and a long text keeps its low 16 bits, never a saturated FFFF.
        QTest::newRow("minus sign") << "-1" << 0;
        QTest::newRow("plus sign") << "+411" << 0;
        QTest::newRow("twenty digits") << "99999999999999999999" << 0x9999;
        QTest::newRow("prefix only") << "0x" << 0;
    }
    void idTextIsReadAsHex()
    {
        QFETCH(QString, text);
        QFETCH(int, id);
        PresetStore store;
        QJsonObject root{{"vid", text}, {"pid", text}};
        QVERIFY(readInto(store, toJson(root)));
        QCOMPARE(int(store.m_deviceInfo.vid), id);
        QCOMPARE(int(store.m_deviceInfo.pid), id);
        QCOMPARE(g_nPidCount, 1);
        QCOMPARE(int(g_sPidList[0]), id);
        QCOMPARE(int(g_sVidList[0]), id);
    }

    void idListsHoldEachIdOnceAndStopAtTheLimit()
    {
        PresetStore store;
        for (int round = 0; round < 2; ++round) {
            QVERIFY(readInto(store, R"({"vid": "2e7a", "pid": "8411"})"));
            QVERIFY(readInto(store, R"({"vid": "2e7a", "pid": "0412"})"));
        }
        QCOMPARE(g_nVidCount, 1);
        QCOMPARE(g_nPidCount, 2);
        QCOMPARE(int(g_sPidList[0]), 0x8411);
        QCOMPARE(int(g_sPidList[1]), 0x0412);

        for (int id = 1; id <= kMaxIdListSize + 5; ++id)
            QVERIFY(readInto(store, toJson(QJsonObject{{"pid", QString::number(0x1000 + id, 16)}})));
        QCOMPARE(g_nPidCount, kMaxIdListSize);
        QCOMPARE(int(g_sPidList[kMaxIdListSize - 1]), 0x1000 + kMaxIdListSize - 2);
        // A full list still recognises the ids it holds.
        QVERIFY(readInto(store, R"({"pid": "0412"})"));
        QCOMPARE(g_nPidCount, kMaxIdListSize);
    }

    void uuidIsReadInEitherCaseAndNeverOverruns_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("lower") << "0a1b2c3d" << QByteArray("\x0a\x1b\x2c\x3d", 4);
        QTest::newRow("upper") << "0A1B2C3D" << QByteArray("\x0a\x1b\x2c\x3d", 4);
        QTest::newRow("overlong") << "0a1b2c3d4e5f60718293" << QByteArray("\x0a\x1b\x2c\x3d", 4);
        QTest::newRow("short, odd") << "ab1" << QByteArray("\xab\x01\x00\x00", 4);
        QTest::newRow("empty") << "" << QByteArray(4, '\0');
    }
    void uuidIsReadInEitherCaseAndNeverOverruns()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        PresetStore store;
        std::fill(std::begin(store.m_deviceInfo.uuid), std::end(store.m_deviceInfo.uuid), 0x77);
        QVERIFY(readInto(store, toJson(QJsonObject{{"uuid", text}})));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(store.m_deviceInfo.uuid), kUuidSize), bytes);
    }

    void customPresetsAndSelectionAreRead()
    {
        PresetStore store;
        QVERIFY(readInto(store, R"({"customMode": [
            {"algorithm": "Surround", "name": "Night", "parameter": "1,2,3,4,5,6,7,8,9,10"},
            {"algorithm": "Stereo", "name": "Walk"},
            {"algorithm": "Mono", "name": "Odd", "parameter": "0"},
            7],
            "mode": {"algorithm": "Stereo", "mode": "custom", "name": "Walk", "extra": true}})"));
        QCOMPARE(store.m_deviceInfo.customCount, 4);
        QCOMPARE(store.m_deviceInfo.customSurround, QStringList{"Night_'1,2,3,4,5,6,7,8,9,10'"});
        QCOMPARE(store.m_deviceInfo.customStereo, QStringList{"Walk_''"});
        QCOMPARE(store.m_listCustomParam.size(), 4);
        QCOMPARE(store.m_listCustomParam.at(2).algorithm, QStringLiteral("Mono"));
        QVERIFY(store.m_listCustomParam.at(3).name.isEmpty());
        QCOMPARE(store.m_deviceInfo.currentAlgorithm, QStringLiteral("Stereo"));
        QCOMPARE(store.m_deviceInfo.currentMode, QStringLiteral("custom"));
        QCOMPARE(store.m_deviceInfo.currentName, QStringLiteral("Walk"));

        // Reads add to what is there; clearing is the caller's business.
        QVERIFY(readInto(store, R"({"customMode": [{"algorithm": "Surround", "name": "Again"}]})"));
        QCOMPARE(store.m_listCustomParam.size(), 5);
        QCOMPARE(store.m_deviceInfo.customSurround.size(), 2);
        QCOMPARE(store.m_deviceInfo.currentName, QStringLiteral("Walk"));
    }

    void storedPresetStringSplitsIntoNameAndGains_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("gains");
        QTest::newRow("ten gains") << makeStoredPreset("Pop", "1,2,3,4,5,6,7,8,9,10") << "Pop"
                                   << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
        QTest::newRow("blanks") << " Deep Bass _' 1 , -2 ,3' " << "Deep Bass" << QStringList{"1", "-2", "3"};
        QTest::newRow("empty sections skipped") << "A_',,5,,6'" << "A" << QStringList{"5", "6"};
        QTest::newRow("more than ten") << "B_'1,2,3,4,5,6,7,8,9,10,11,12'" << "B"
                                       << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
        QTest::newRow("nothing") << "" << "" << QStringList();
    }
    void storedPresetStringSplitsIntoNameAndGains()
    {
        QFETCH(QString, stored);
        QFETCH(QString, name);
        QFETCH(QStringList, gains);
        const StoredPreset preset = splitStoredPreset(stored);
        QCOMPARE(preset.name, name);
        QCOMPARE(preset.gains, gains);
        QCOMPARE(storedPresetSections(stored).size(), 20);
    }

    void gainTextParsing()
    {
        const EqGainValues values = gainValuesFromText(QStringLiteral(" 3 ,x,,15,-13"));
        QCOMPARE(values.gains[0], QStringLiteral("3"));
        QCOMPARE(values.gains[1], QStringLiteral("x"));
        QVERIFY(values.gains[2].isEmpty());
        QVERIFY(values.gains[9].isEmpty());
        QCOMPARE(gainValue(values.gains[0]), 3);
        QCOMPARE(gainValue(values.gains[1]), 0);
        QCOMPARE(gainValue(values.gains[2]), 0);
        // Out of range passes as it is: the slider's range limits it.
        QCOMPARE(gainValue(values.gains[3]), 15);
        QCOMPARE(gainValue(values.gains[4]), -13);
        QCOMPARE(gainValue(QStringLiteral(" -7 ")), -7);
        const EqGainValues eleven = gainValuesFromText(QStringLiteral("1,2,3,4,5,6,7,8,9,10,11"));
        QCOMPARE(eleven.gains[9], QStringLiteral("10"));
    }

    void writeRoundTripKeepsEverythingElse()
    {
        const QString file = path(QStringLiteral("user.json"));
        writeFile(file, R"({"vid": "2e7a", "pid": "0411", "vendorNote": {"b": [1, 2], "a": null},
                           "defaultMode": {"x": {"algorithm": "Stereo", "name": "Pop", "parameter": "0"}},
                           "customMode": [{"algorithm": "Stereo", "name": "S1", "parameter": "1"},
                                          {"algorithm": "Surround", "name": "R1", "parameter": "2"},
                                          {"algorithm": "Stereo", "name": "S2", "parameter": "3"}],
                           "mode": {"algorithm": "Stereo", "mode": "default", "name": "Pop", "keep": 1}})");
        const QJsonObject before = readObject(file);
        PresetStore store;
        store.m_qstrCurrentUserFileName = file;
        QVERIFY(store.readJsonFile(file));
        // Rebuild the Surround entries the way a save does: other mode first, in order.
        QList<PresetParam> list;
        for (const PresetParam &preset : store.m_listCustomParam)
            if (preset.algorithm == kAlgorithmStereo)
                list << preset;
        list << PresetParam{kAlgorithmSurround, "R1", "5,5,5,5,5,5,5,5,5,5"}
             << PresetParam{kAlgorithmSurround, "New Equalizer", "0,0,0,0,0,0,0,0,0,0"};
        store.m_listCustomParam = list;
        QVERIFY(store.writeJsonFile(QStringLiteral("customMode")));
        store.m_qstrCurrentAlgorithm = kAlgorithmSurround;
        store.m_qstrCurrentMode = QStringLiteral("custom");
        store.m_qstrCurrentName = QStringLiteral("R1");
        QVERIFY(store.writeJsonFile(QStringLiteral("currentMode")));

        const QJsonObject after = readObject(file);
        for (const char *key : {"vid", "pid", "vendorNote", "defaultMode"})
            QCOMPARE(after.value(key), before.value(key));
        QCOMPARE(after.keys(), before.keys());
        const QJsonObject mode = after.value("mode").toObject();
        QCOMPARE(mode, (QJsonObject{{"algorithm", "Surround"}, {"mode", "custom"}, {"name", "R1"}, {"keep", 1}}));

        PresetStore again;
        QVERIFY(again.readJsonFile(file));
        QStringList order;
        for (const PresetParam &preset : again.m_listCustomParam)
            order << preset.algorithm + ':' + preset.name + ':' + preset.parameter;
        QCOMPARE(order, (QStringList{"Stereo:S1:1", "Stereo:S2:3", "Surround:R1:5,5,5,5,5,5,5,5,5,5",
                                     "Surround:New Equalizer:0,0,0,0,0,0,0,0,0,0"}));
        // Indented, sorted output.
        QVERIFY(tw::readFileBytes(file).startsWith("{\n    \"customMode\": [\n"));
    }

    void writeUuidOnlyWhenMissing()
    {
        const QString file = path(QStringLiteral("uuid.json"));
        PresetStore store;
        store.m_qstrCurrentUserFileName = file;
        const unsigned char uuid[kUuidSize] = {0xAB, 0x01, 0x00, 0xFF};
        std::copy(uuid, uuid + kUuidSize, store.m_ucDeviceUuid);

        writeFile(file, R"({"pid": "0411"})");
        QVERIFY(store.writeJsonFile(QStringLiteral("uuid")));
        QCOMPARE(readObject(file).value("uuid").toString(), QStringLiteral("ab0100ff"));

        writeFile(file, R"({"uuid": "DEADBEEF"})");
        QVERIFY(store.writeJsonFile(QStringLiteral("uuid")));
        QCOMPARE(readObject(file), (QJsonObject{{"uuid", "DEADBEEF"}}));

        // An unknown key rewrites the document unchanged; an empty list gives an empty array.
        QVERIFY(store.writeJsonFile(QStringLiteral("colour")));
        QCOMPARE(readObject(file), (QJsonObject{{"uuid", "DEADBEEF"}}));
        QVERIFY(store.writeJsonFile(QStringLiteral("customMode")));
        QCOMPARE(readObject(file).value("customMode"), QJsonValue(QJsonArray()));
    }

    // A write cut short by a crash leaves its temporary beside the file; the next write
    // of that file removes such leftovers once they are a minute old, and nothing else:
    // not an editor's swap or backup file, nor a link named like a leftover (nor what it
    // points at), nor a temporary another writer may still be filling.
    void writeRemovesItsOwnLeftoverTemporaries()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("user.json"));
        writeFile(file, R"({"pid": "0411"})");
        const auto age = [&dir](const QString &name) {
            const timespec old{::time(nullptr) - 120, 0};
            const timespec times[2] = {old, old};
            return ::utimensat(AT_FDCWD, QFile::encodeName(dir.filePath(name)).constData(), times,
                               AT_SYMLINK_NOFOLLOW) == 0;
        };
        const QStringList leftovers{".user.json.tw-3k", ".user.json.tw-1z141z3"};
        const QStringList others{".user.json.swp", ".user.json.bak", ".user.json.3k", ".user.json.tw-3K",
                                 ".user.json.tw-03k", ".user.json.tw-3k~", ".user.json.tw-1z141z4",
                                 ".other.json.tw-3k", "user.json.tw-3k", "target"};
        for (const QString &name : leftovers + others)
            QVERIFY(writeFile(dir.filePath(name), "{") && age(name));
        QVERIFY(QFile::link(QStringLiteral("target"), dir.filePath(".user.json.tw-6")) && age(".user.json.tw-6"));
        QVERIFY(QDir().mkpath(dir.filePath(".user.json.tw-zz")) && age(".user.json.tw-zz"));
        QVERIFY(writeFile(dir.filePath(".user.json.tw-5"), "{"));
        PresetStore store;
        store.m_qstrCurrentUserFileName = file;
        QVERIFY(store.writeJsonFile(QStringLiteral("uuid")));
        QStringList left =
            QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        QStringList expected =
            others + QStringList{".user.json.tw-6", ".user.json.tw-zz", ".user.json.tw-5", "user.json"};
        left.sort();
        expected.sort();
        QCOMPARE(left, expected);
        QCOMPARE(tw::readFileBytes(dir.filePath("target")), QByteArray("{"));
    }

    void writeLeavesUnusableFilesAsTheyAre_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("array at top level") << QByteArray("[1, 2, 3]\n") << false;
        QTest::newRow("scalar at top level") << QByteArray("\"text\"") << false;
        QTest::newRow("malformed") << QByteArray("{\"customMode\": [") << false;
        QTest::newRow("read-only") << QByteArray("{\"pid\": \"0411\"}") << true;
        QTest::newRow("missing") << QByteArray() << false;
    }
    void writeLeavesUnusableFilesAsTheyAre()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, readOnly);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("keep.json"));
        if (!content.isEmpty())
            writeFile(file, content);
        if (readOnly)
            QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        PromptRecorder recorder;
        PresetStore store;
        store.m_qstrCurrentUserFileName = file;
        store.m_listCustomParam << PresetParam{kAlgorithmStereo, "X", "1"};
        QVERIFY(!store.writeJsonFile(QStringLiteral("customMode")));
        QVERIFY(!store.writeJsonFile(QStringLiteral("uuid")));
        QCOMPARE(tw::readFileBytes(file), content);
        QVERIFY(recorder.prompts.isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 content.isEmpty() ? QStringList() : QStringList{"keep.json"});
    }
};

QTEST_GUILESS_MAIN(TestPresetFile)
#include "test_preset_file.moc"
