// The preset file set: the shipped default files, start-up, a headset's user file made
// on first use and read back, the custom slots, and the stored selection re-applied.
#include "PresetTestSupport.h"
#include "TestEnv.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cstring>

#include <unistd.h>

namespace {

QString userFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QLatin1Char('/')
           + QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + QStringLiteral("/UserFile/");
}

void openHeadset(PresetStore &store, quint16 pid, const QByteArray &uuid)
{
    g_sOpenVid = 0x2e7a;
    g_sOpenPid = pid;
    const auto length = std::min(static_cast<std::size_t>(uuid.size()), sizeof store.m_ucDeviceUuid);
    std::memcpy(store.m_ucDeviceUuid, uuid.constData(), length);
}

// The steps the window runs for a headset with a new unique id.
void runNewHeadset(PresetStore &store)
{
    store.makeJsonFileName();
    store.checkUserJsonFile();
    store.getUserJsonFile();
    store.fillCustomPreset();
    store.setDeviceUserParameter();
}

QJsonObject preset(const QString &algorithm, const QString &name, const QString &parameter)
{
    return QJsonObject{{"algorithm", algorithm}, {"name", name}, {"parameter", parameter}};
}

// Runs one case of this test program (function:tag) as the unprivileged user nobody, for
// a folder that root could write all the same; its exit code, 0 when it passed.
int runAsNobody(const QString &testCase)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QStringLiteral("setpriv"), {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                            QStringLiteral("--clear-groups"), QCoreApplication::applicationFilePath(),
                                            testCase});
    if (!child.waitForFinished(60000))
        return -1;
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
}

double average(const QList<int> &gains, int first, int last)
{
    double sum = 0;
    for (int i = first; i <= last; ++i)
        sum += gains.at(i);
    return sum / (last - first + 1);
}

} // namespace

class TestPresetFileSet : public QObject
{
    Q_OBJECT
public:
    static void initMain() { tw::isolateTestEnvironment(); }

private:
    // A program folder of our own, for default files the test makes up.
    QTemporaryDir m_appDir;

    void writeDefault(const QString &name, const QJsonObject &content)
    {
        writeFile(m_appDir.filePath(QStringLiteral("DefaultFile/") + name), toJson(content));
    }

private slots:
    void init()
    {
        resetIdLists();
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).removeRecursively();
        QDir(m_appDir.filePath(QStringLiteral("DefaultFile"))).removeRecursively();
    }

    void shippedDefaultFilesFollowTheRules_data()
    {
        QTest::addColumn<QString>("pid");
        QTest::newRow("0411") << "0411";
        QTest::newRow("0412") << "0412";
    }
    void shippedDefaultFilesFollowTheRules()
    {
        QFETCH(QString, pid);
        const QString file = QCoreApplication::applicationDirPath() + "/DefaultFile/VID-2e7a&PID-" + pid + ".json";
        const QJsonObject root = readObject(file);
        QCOMPARE(root.value("vid").toString(), QStringLiteral("2e7a"));
        QCOMPARE(root.value("pid").toString(), pid);
        QVERIFY(!root.contains("uuid"));
        for (const QJsonValue &entry : root.value("defaultMode").toObject()) {
            const QJsonObject object = entry.toObject();
            QCOMPARE(object.keys(), (QStringList{"algorithm", "name", "parameter"}));
            for (const QJsonValue &member : object)
                QVERIFY(member.isString());
        }

        PresetStore store;
        QVERIFY(store.readJsonFile(file));
        QCOMPARE(store.m_deviceInfo.defaultSurround.size(), int(kSurroundFactoryPresets.size()));
        QCOMPARE(store.m_deviceInfo.defaultStereo.size(), int(kStereoFactoryPresets.size()));
        QHash<QString, QList<int>> curves;
        const auto check = [&](const QStringList &list, const FactoryPresetName &factory, const QString &mode) {
            const StoredPreset stored = splitStoredPreset(list.at(factory.listPosition));
            QCOMPARE(stored.name, QString::fromLatin1(factory.storedName));
            QCOMPARE(stored.gains.size(), kBandCount);
            QList<int> gains;
            for (const QString &text : stored.gains) {
                bool ok = false;
                gains << text.toInt(&ok);
                QVERIFY2(ok && gains.last() >= -12 && gains.last() <= 12, qPrintable(list.at(factory.listPosition)));
            }
            curves.insert(mode + ' ' + stored.name, gains);
        };
        for (const FactoryPresetName &factory : kSurroundFactoryPresets)
            check(store.m_deviceInfo.defaultSurround, factory, "Surround");
        for (const FactoryPresetName &factory : kStereoFactoryPresets)
            check(store.m_deviceInfo.defaultStereo, factory, "Stereo");

        for (auto it = curves.cbegin(); it != curves.cend(); ++it) {
            const QList<int> &gains = it.value();
            if (it.key().endsWith("FLAT"))
                QCOMPARE(gains, QList<int>(QVector<int>(kBandCount, 0).toList()));
            else
                QVERIFY2(gains != QList<int>(QVector<int>(kBandCount, 0).toList()), qPrintable(it.key()));
            if (it.key().endsWith("Deep Bass"))
                QVERIFY2(average(gains, 0, 2) >= 5 && average(gains, 7, 9) <= 1, qPrintable(it.key()));
        }
        // Footsteps: the upper mids stand out over the bass.
        const QList<int> fps = curves.value("Surround FPS");
        QVERIFY(average(fps, 6, 8) > average(fps, 0, 2) + 4);
        // Rock: a V, both ends above the middle.
        const QList<int> rock = curves.value("Stereo Rack&Roll");
        QVERIFY(average(rock, 0, 1) > average(rock, 3, 5) && average(rock, 8, 9) > average(rock, 3, 5));

        // The selection it starts with is one the window can re-apply.
        const QJsonObject mode = root.value("mode").toObject();
        QCOMPARE(mode.value("mode").toString(), QStringLiteral("default"));
        QVERIFY(factoryPresetPosition(mode.value("algorithm").toString(), mode.value("name").toString()) >= 0);
    }

    void startUpReadsEveryDefaultFileAndPermitsItsProducts()
    {
        PromptRecorder recorder;
        PresetStore store;
        store.getDefaultJsonFile();
        QCOMPARE(store.m_listJsonFileName, (QStringList{"VID-2e7a&PID-0411.json", "VID-2e7a&PID-0412.json"}));
        QCOMPARE(store.m_listDefaultDevice.size(), 2);
        QCOMPARE(store.m_listDefaultDevice.at(1).pid, quint16(0x0412));
        QCOMPARE(g_nPidCount, 2);
        QCOMPARE(g_sPidList[0], (unsigned short)0x0411);
        QCOMPARE(g_sPidList[1], (unsigned short)0x0412);
        QCOMPARE(g_nVidCount, 1);
        QCOMPARE(g_sVidList[0], (unsigned short)0x2e7a);
        QVERIFY(store.m_deviceInfo.defaultSurround.isEmpty());
        QVERIFY(recorder.prompts.isEmpty());
    }

    void missingOrBrokenDefaultFilesAtStartUp()
    {
        PromptRecorder recorder;
        PresetStore store;
        store.m_qstrAppDirPath = m_appDir.path();
        store.getDefaultJsonFile();
        QVERIFY(store.m_listDefaultDevice.isEmpty());
        QCOMPARE(g_nPidCount, 0);
        QVERIFY(recorder.prompts.isEmpty());

        writeDefault("a.json", QJsonObject{{"pid", "0411"}});
        writeFile(m_appDir.filePath("DefaultFile/b.json"), "{ not json");
        QDir().mkpath(m_appDir.filePath("DefaultFile/folder.json"));
        store.getDefaultJsonFile();
        QCOMPARE(store.m_listDefaultDevice.size(), 1);
        QCOMPARE(g_nPidCount, 1);
        QCOMPARE(recorder.prompts, QStringList{"Error|Json File Is Error!"});
    }

    void folderListingTakesFilesInNameOrder()
    {
        const QString folder = m_appDir.filePath("listing");
        for (const char *name : {"b.json", "a.json", "c.txt", "d.JSON"})
            writeFile(folder + '/' + name, "{}");
        QDir().mkpath(folder + "/sub.json");
        PresetStore store;
        QStringList names{"kept"};
        store.getFiles(folder, "json", names);
        QCOMPARE(names, (QStringList{"kept", "a.json", "b.json", "d.JSON"}));
        names.clear();
        store.getFiles(folder, QString(), names);
        QCOMPARE(names, (QStringList{"a.json", "b.json", "c.txt", "d.JSON"}));
        store.getFiles(folder + "/absent", "json", names);
        QCOMPARE(names.size(), 4);
    }

    void userFileIsMadeOnFirstUseAndKeepsItsEdits()
    {
        PromptRecorder recorder;
        RecordingStore store;
        openHeadset(store, 0x0411, QByteArray("\x0a\x1b\x2c\x3d", 4));
        store.makeJsonFileName();
        QCOMPARE(store.m_qstrDefaultFileName,
                 QCoreApplication::applicationDirPath() + "/DefaultFile/VID-2e7a&PID-0411.json");
        QCOMPARE(store.m_qstrCurrentUserFileName, userFolder() + "VID-2e7a&PID-0411&UUID-0a1b2c3d.json");
        QVERIFY(QFileInfo(userFolder()).isDir());

        runNewHeadset(store);
        QVERIFY(recorder.prompts.isEmpty());
        QCOMPARE(store.m_nJsonFileStatus, 0);
        QCOMPARE(readObject(store.m_qstrCurrentUserFileName).value("uuid").toString(), QStringLiteral("0a1b2c3d"));
        QCOMPARE(store.m_listUserDevice.size(), 1);
        // The default file's selection is applied: Surround Standard sits at position 2.
        QCOMPARE(store.steps.filter("factory"), QStringList{"factory Surround 2"});
        QCOMPARE(store.m_nSurroundState, 101);
        QCOMPARE(store.m_currentDeviceInfo.defaultSurround.size(), 6);
        QVERIFY(store.m_listUserDevice.first().defaultSurround.size() == 6);
        QVERIFY(store.m_deviceInfo.defaultSurround.isEmpty());

        store.m_listCustomParam << PresetParam{kAlgorithmStereo, "Walk", "1,1,1,1,1,1,1,1,1,1"};
        store.m_qstrCurrentAlgorithm = kAlgorithmStereo;
        store.m_qstrCurrentMode = "custom";
        store.m_qstrCurrentName = "Walk";
        QVERIFY(store.writeJsonFile("customMode"));
        QVERIFY(store.writeJsonFile("currentMode"));

        store.steps.clear();
        runNewHeadset(store);
        QCOMPARE(store.m_stereoCustom[0].name, QStringLiteral("Walk"));
        QCOMPARE(store.m_nStereoCustomCount, 1);
        QCOMPARE(store.steps.filter(QRegularExpression("^(open|slot|factory)")),
                 (QStringList{"open Stereo", "slot Stereo 1"}));
        QCOMPARE(store.m_nStereoState, 202);
        QCOMPARE(store.m_nStereoCustomId, 41);
        QVERIFY(recorder.prompts.isEmpty());
    }

    // A user file that was read but that a Save cannot replace (marked read-only, or in a
    // folder that takes no new file) still brings its presets and selection, but keeps no
    // custom preset, so none is offered.
    void aUserFileThatCannotBeReplacedKeepsNoCustomPresets_data()
    {
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::newRow("marked read-only") << false;
        QTest::newRow("read-only folder") << true;
    }
    void aUserFileThatCannotBeReplacedKeepsNoCustomPresets()
    {
        QFETCH(bool, readOnlyFolder);
        if (readOnlyFolder && ::geteuid() == 0) {
            QCOMPARE(runAsNobody(QString::fromLatin1(QTest::currentTestFunction()) + QLatin1Char(':')
                                 + QString::fromLatin1(QTest::currentDataTag())),
                     0);
            return;
        }
        const QString file = userFolder() + "VID-2e7a&PID-0411&UUID-00000009.json";
        const QJsonObject mode{{"algorithm", "Stereo"}, {"mode", "custom"}, {"name", "Mine"}};
        writeFile(file, toJson(QJsonObject{{"vid", "2e7a"}, {"pid", "0411"}, {"uuid", "00000009"},
                                           {"customMode", QJsonArray{preset("Stereo", "Mine", "2")}}, {"mode", mode}}));
        const QString locked = readOnlyFolder ? userFolder() : file;
        QVERIFY(QFile::setPermissions(locked, readOnlyFolder ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner));
        const auto unlock = qScopeGuard([&locked] {
            QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^User preset file cannot keep custom presets: "));
        RecordingStore store;
        openHeadset(store, 0x0411, QByteArray("\x00\x00\x00\x09", 4));
        runNewHeadset(store);
        QVERIFY(!store.customPresetsKept());
        QCOMPARE(store.m_stereoCustom[0].name, QStringLiteral("Mine"));
        QCOMPARE(store.m_nStereoCustomId, 41);
    }

    // A default file that cannot be read makes the user file fail too (a copy of it that
    // cannot be read either, or none at all): that failure gets its box, and the default
    // file standing in for the user file gets none of its own.
    void aBrokenDefaultFileStandingInGetsNoSecondBox_data()
    {
        QTest::addColumn<bool>("blocked");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("user file made") << false << "Error|Json File Is Error!";
        QTest::newRow("user file not made") << true << "warning|JSON file generation failed!";
    }
    void aBrokenDefaultFileStandingInGetsNoSecondBox()
    {
        QFETCH(bool, blocked);
        QFETCH(QString, prompt);
        writeFile(m_appDir.filePath("DefaultFile/VID-2e7a&PID-0411.json"), "{\"defaultMode\": {");
        if (blocked)
            writeFile(userFolder().chopped(1), "in the way");
        PromptRecorder recorder;
        RecordingStore store;
        store.m_qstrAppDirPath = m_appDir.path();
        openHeadset(store, 0x0411, QByteArray(4, '\x03'));
        runNewHeadset(store);
        QCOMPARE(recorder.prompts, QStringList{prompt});
        QVERIFY(!store.customPresetsKept());
    }

    void missingDefaultFileIsReportedOnce()
    {
        PromptRecorder recorder;
        RecordingStore store;
        openHeadset(store, 0x0499, QByteArray(4, '\x01'));
        runNewHeadset(store);
        QCOMPARE(recorder.prompts, QStringList{"prompt|There is no default JSON file!"});
        QCOMPARE(store.m_nJsonFileStatus, -1);
        QVERIFY(!QFile::exists(store.m_qstrCurrentUserFileName));
        QCOMPARE(store.m_listUserDevice.size(), 1);
        QCOMPARE(store.m_currentDeviceInfo.pid, quint16(0));
        QVERIFY(store.steps.filter(QRegularExpression("^(open|slot|factory)")).isEmpty());
    }

    // No user file to use, as it cannot be made or this run cannot read it: one box says
    // which, and the model's default file stands in for it, its factory presets and stored
    // selection with this headset's id, but none of its custom presets, which would have
    // nowhere to be kept. A file that could not be read is never written in this run, nor
    // read again, even once it is mended.
    void noUsableUserFileLetsTheDefaultFileStandIn_data()
    {
        QTest::addColumn<bool>("broken");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("cannot be made") << false << "warning|JSON file generation failed!";
        QTest::newRow("not JSON") << true << "Error|Json File Is Error!";
    }
    void noUsableUserFileLetsTheDefaultFileStandIn()
    {
        QFETCH(bool, broken);
        QFETCH(QString, prompt);
        PromptRecorder recorder;
        QJsonObject defaults = readObject(QCoreApplication::applicationDirPath() + "/DefaultFile/VID-2e7a&PID-0411.json");
        defaults.insert("customMode", QJsonArray{preset("Stereo", "Walk", "1,1,1,1,1,1,1,1,1,1")});
        writeDefault("VID-2e7a&PID-0411.json", defaults);
        RecordingStore store;
        store.m_qstrAppDirPath = m_appDir.path();
        openHeadset(store, 0x0411, QByteArray(4, '\x02'));
        const QString userFile = userFolder() + "VID-2e7a&PID-0411&UUID-02020202.json";
        const QByteArray brokenContent = "{\"customMode\": [";
        if (broken)
            writeFile(userFile, brokenContent);
        else
            writeFile(userFolder().chopped(1), "in the way"); // a plain file where the user folder should be
        runNewHeadset(store);
        QCOMPARE(recorder.prompts, QStringList{prompt});
        QCOMPARE(store.m_nJsonFileStatus, broken ? 0 : -2);
        QCOMPARE(store.m_currentDeviceInfo.pid, quint16(0x0411));
        QCOMPARE(store.m_currentDeviceInfo.defaultSurround.size(), 6);
        QCOMPARE(store.m_currentDeviceInfo.defaultStereo.size(), 8);
        QCOMPARE(store.steps.filter("factory"), QStringList{"factory Surround 2"});
        QVERIFY(store.m_listCustomParam.isEmpty());
        QVERIFY(store.m_stereoCustom[0].name.isEmpty());
        QVERIFY(!store.customPresetsKept());
        if (!broken)
            return;

        const QByteArray mended = toJson(QJsonObject{{"customMode", QJsonArray{preset("Stereo", "Mine", "2")}}});
        writeFile(userFile, mended);
        store.m_listCustomParam << PresetParam{kAlgorithmStereo, "New Equalizer", "0,0,0,0,0,0,0,0,0,0"};
        QVERIFY(!store.writeJsonFile("customMode"));
        QVERIFY(!store.writeJsonFile("currentMode"));
        store.steps.clear();
        runNewHeadset(store);
        QCOMPARE(recorder.prompts.size(), 1);
        QVERIFY(!store.customPresetsKept());
        QCOMPARE(store.steps.filter("factory"), QStringList{"factory Surround 2"});
        QCOMPARE(tw::readFileBytes(userFile), mended);
    }

    void readOnlyDefaultFileGivesWritableUserCopy()
    {
        PromptRecorder recorder;
        writeDefault("VID-2e7a&PID-0411.json", QJsonObject{{"vid", "2e7a"}, {"pid", "0411"}});
        const QString defaultFile = m_appDir.filePath("DefaultFile/VID-2e7a&PID-0411.json");
        QFile::setPermissions(defaultFile, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        PresetStore store;
        store.m_qstrAppDirPath = m_appDir.path();
        openHeadset(store, 0x0411, QByteArray("\xff\x00\x10\x01", 4));
        store.makeJsonFileName();
        store.checkUserJsonFile();
        QVERIFY(QFileInfo(store.m_qstrCurrentUserFileName).permissions() & QFile::WriteOwner);
        QCOMPARE(readObject(store.m_qstrCurrentUserFileName).value("uuid").toString(), QStringLiteral("ff001001"));
        QVERIFY(recorder.prompts.isEmpty());
        QCOMPARE(readObject(defaultFile), (QJsonObject{{"vid", "2e7a"}, {"pid", "0411"}}));
    }

    void secondHeadsetInheritsNothingFromTheFirst()
    {
        writeDefault("VID-2e7a&PID-0411.json", QJsonObject{{"vid", "2e7a"}, {"pid", "0411"}});
        writeDefault("VID-2e7a&PID-0412.json", QJsonObject{{"vid", "2e7a"}, {"pid", "0412"}});
        QJsonArray custom;
        for (const char *name : {"A", "B", "C"})
            custom << preset("Stereo", name, "2,2,2,2,2,2,2,2,2,2");
        custom << preset("Surround", "Z", "1");
        writeFile(userFolder() + "VID-2e7a&PID-0411&UUID-00000001.json",
                  toJson(QJsonObject{{"vid", "2e7a"}, {"pid", "0411"}, {"uuid", "00000001"}, {"customMode", custom},
                                     {"mode", QJsonObject{{"algorithm", "Stereo"}, {"mode", "custom"}, {"name", "C"}}},
                                     {"defaultMode", QJsonObject{{"k", preset("Stereo", "Pop", "1")}}}}));
        PromptRecorder recorder;
        RecordingStore store;
        store.m_qstrAppDirPath = m_appDir.path();
        openHeadset(store, 0x0411, QByteArray("\x00\x00\x00\x01", 4));
        runNewHeadset(store);
        QCOMPARE(store.m_nStereoCustomId, 43);
        QCOMPARE(store.m_nStereoCustomCount, 3);
        QCOMPARE(store.m_currentDeviceInfo.defaultStereo.size(), 1);
        store.m_fStereoCustomLoaded = true;
        store.m_curStereoCustom = store.m_stereoCustom[2];

        store.steps.clear();
        openHeadset(store, 0x0412, QByteArray("\x00\x00\x00\x02", 4));
        runNewHeadset(store);
        QVERIFY(recorder.prompts.isEmpty());
        QCOMPARE(store.m_listUserDevice.size(), 1);
        const DeviceJsonInfo &second = store.m_listUserDevice.first();
        QCOMPARE(second.pid, quint16(0x0412));
        QVERIFY(second.currentMode.isEmpty() && second.currentName.isEmpty());
        QCOMPARE(second.customCount, 0);
        QCOMPARE(second.defaultCount, 0);
        QCOMPARE(store.m_currentDeviceInfo.pid, quint16(0x0412));
        QVERIFY(store.m_currentDeviceInfo.defaultStereo.isEmpty());
        QVERIFY(store.m_listCustomParam.isEmpty());
        for (const PresetParam &slot : store.m_stereoCustom)
            QVERIFY(slot.name.isEmpty() && slot.parameter.isEmpty());
        QCOMPARE(store.m_nStereoCustomCount, 0);
        QCOMPARE(store.m_nStereoCustomId, 0);
        QVERIFY(!store.m_fStereoCustomLoaded);
        QVERIFY(store.m_curStereoCustom.name.isEmpty());
        QCOMPARE(store.steps.filter("name Stereo").size(), kCustomSlotCount);
        QVERIFY(store.steps.filter(QRegularExpression("^(open|slot|factory)")).isEmpty());

        // Back to the first: its file is read again, not made again.
        store.steps.clear();
        openHeadset(store, 0x0411, QByteArray("\x00\x00\x00\x01", 4));
        runNewHeadset(store);
        QCOMPARE(store.m_nStereoCustomId, 43);
        QCOMPARE(store.m_listCustomParam.size(), 4);
    }

    void storedSelectionIsReappliedByName_data()
    {
        QTest::addColumn<QJsonObject>("mode");
        QTest::addColumn<QJsonArray>("custom");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("surroundState");
        QTest::addColumn<int>("stereoState");
        QTest::addColumn<int>("customId");
        const QJsonArray three{preset("Surround", "X", "1"), preset("Stereo", "Y", "1"),
                               preset("Surround", "Y", "2"), preset("Surround", "Y", "3")};
        const auto mode = [](const char *algorithm, const char *kind, const char *name) {
            return QJsonObject{{"algorithm", algorithm}, {"mode", kind}, {"name", name}};
        };
        QTest::newRow("Surround MOBA") << mode("Surround", "default", "MOBA") << QJsonArray()
                                       << QStringList{"factory Surround 3"} << 101 << 201 << 0;
        QTest::newRow("Stereo Rack&Roll") << mode("Stereo", "default", "Rack&Roll") << QJsonArray()
                                          << QStringList{"factory Stereo 1"} << 101 << 201 << 0;
        QTest::newRow("unknown factory name") << mode("Stereo", "default", "Moba") << QJsonArray() << QStringList()
                                              << 101 << 201 << 0;
        QTest::newRow("first of two equal names") << mode("Surround", "custom", "Y") << three
                                                  << QStringList{"open Surround", "slot Surround 2"} << 102 << 201
                                                  << 22;
        QTest::newRow("custom, no presets") << mode("Stereo", "custom", "Y") << QJsonArray() << QStringList() << 101
                                            << 202 << 0;
        QTest::newRow("custom, no such slot") << mode("Stereo", "custom", "X") << three
                                              << QStringList{"open Stereo"} << 101 << 202 << 0;
        QTest::newRow("wrong case") << mode("surround", "default", "FPS") << three << QStringList() << 101 << 201
                                    << 0;
    }
    void storedSelectionIsReappliedByName()
    {
        QFETCH(QJsonObject, mode);
        QFETCH(QJsonArray, custom);
        QFETCH(QStringList, steps);
        QFETCH(int, surroundState);
        QFETCH(int, stereoState);
        QFETCH(int, customId);
        writeFile(userFolder() + "VID-2e7a&PID-0411&UUID-00000007.json",
                  toJson(QJsonObject{{"vid", "2e7a"}, {"pid", "0411"}, {"uuid", "00000007"},
                                     {"customMode", custom}, {"mode", mode}}));
        RecordingStore store;
        openHeadset(store, 0x0411, QByteArray("\x00\x00\x00\x07", 4));
        runNewHeadset(store);
        QCOMPARE(store.steps.filter(QRegularExpression("^(open|slot|factory)")), steps);
        QCOMPARE(store.m_nSurroundState, surroundState);
        QCOMPARE(store.m_nStereoState, stereoState);
        QCOMPARE(store.m_nSurroundCustomId + store.m_nStereoCustomId, customId);
    }

    void customSlotsTakeTheFirstFiveOfEachMode()
    {
        RecordingStore store;
        for (int i = 1; i <= 7; ++i)
            store.m_listCustomParam << PresetParam{kAlgorithmSurround, QString("S%1").arg(i), QString::number(i)};
        store.m_listCustomParam.insert(3, PresetParam{kAlgorithmStereo, "T1", "9"});
        store.m_listCustomParam << PresetParam{"Mono", "M", "0"};
        store.fillCustomPreset();
        QCOMPARE(store.m_surroundCustom[4].name, QStringLiteral("S5"));
        QCOMPARE(store.m_stereoCustom[0].parameter, QStringLiteral("9"));
        QVERIFY(store.m_stereoCustom[1].name.isEmpty());
        QCOMPARE(store.m_nSurroundCustomCount, 5);
        QCOMPARE(store.m_nStereoCustomCount, 1);
        QCOMPARE(store.m_listCustomParam.size(), 9);
        QVERIFY(store.steps.contains("name Surround 5 S5"));
        QVERIFY(store.steps.contains("name Stereo 1 T1"));

        store.steps.clear();
        // Never more than five used slots, however many entries the mode has.
        store.fillSurroundCustomSlots();
        QCOMPARE(store.m_nSurroundCustomCount, 5);
        QCOMPARE(store.steps.last(), QStringLiteral("show Surround 5"));
    }
};

QTEST_GUILESS_MAIN(TestPresetFileSet)
#include "test_preset_file_set.moc"
