// Custom presets end to end: the real window offscreen, the simulated headset, and the
// user file in the test's own Documents folder.
#include "../window/WindowTestSupport.h"

#include "FullDisk.h"
#include "TestEnv.h"

#include "headset/UsbHidOperation.h"
#include "window/EqPage.h"
#include "window/MainWindow.h"

#include <QAbstractSlider>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMutex>
#include <QPushButton>
#include <QtTest>

#include <algorithm>

#include <sys/stat.h>

using namespace wt;

namespace {

const HeadsetSetup kHeadset;

QJsonObject preset(const QString &algorithm, const QString &name, const QString &parameter)
{
    return QJsonObject{{"algorithm", algorithm}, {"name", name}, {"parameter", parameter}};
}

QString gainText(const QList<int> &gains)
{
    QStringList parts;
    for (int gain : gains)
        parts << QString::number(gain);
    return parts.join(',');
}

QList<int> rampGains(int base)
{
    QList<int> gains;
    for (int band = 0; band < 10; ++band)
        gains << (base + band) % 13 - 6;
    return gains;
}

QString userFile()
{
    return userFilePath(kHeadset.pid, kHeadset.uuid);
}

QJsonObject readUserFile()
{
    QFile file(userFile());
    file.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(file.readAll()).object();
}

// The user file as the headset's first use makes it, with these custom presets and a
// member of someone else's.
QJsonObject userFileContent(const QJsonArray &custom, const QJsonObject &mode = QJsonObject())
{
    QFile shipped(QCoreApplication::applicationDirPath() + "/DefaultFile/VID-2e7a&PID-0411.json");
    shipped.open(QIODevice::ReadOnly);
    QJsonObject root = QJsonDocument::fromJson(shipped.readAll()).object();
    root.insert("customMode", custom);
    root.insert("uuid", "0a1b2c3d");
    root.insert("extra", "kept");
    if (!mode.isEmpty())
        root.insert("mode", mode);
    return root;
}

void writeUserFile(const QByteArray &content)
{
    QDir().mkpath(QFileInfo(userFile()).absolutePath());
    QFile file(userFile());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), qint64(content.size()));
}

void seedUserFile(const QJsonArray &custom, const QJsonObject &mode = QJsonObject())
{
    writeUserFile(QJsonDocument(userFileContent(custom, mode)).toJson());
}

QByteArray userFileBytes()
{
    QFile file(userFile());
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// A drag as the slider makes one: held down, moved a step at a time, let go.
void drag(QAbstractSlider *slider, int to)
{
    QVERIFY(slider->isEnabled());
    slider->setSliderDown(true);
    const int step = to > slider->value() ? 1 : -1;
    for (int value = slider->value(); value != to;) {
        value += step;
        slider->setSliderPosition(value);
    }
    slider->setSliderDown(false);
}

QStringList fileNames(const QString &algorithm)
{
    QStringList names;
    for (const QJsonValue &item : readUserFile().value("customMode").toArray()) {
        if (item.toObject().value("algorithm").toString() == algorithm)
            names << item.toObject().value("name").toString();
    }
    return names;
}

QStringList fileAlgorithms()
{
    QStringList algorithms;
    for (const QJsonValue &item : readUserFile().value("customMode").toArray())
        algorithms << item.toObject().value("algorithm").toString();
    return algorithms;
}

QList<int> sliderValues(const EqPage &page)
{
    QList<int> values;
    for (QAbstractSlider *slider : page.sliders)
        values << slider->value();
    return values;
}

// The presets sent: number and ten gains of each pair of SetPEQ frames.
struct Sent {
    int number;
    QList<int> gains;
};

QList<Sent> sentPresets()
{
    QList<Frame> peq;
    for (const Frame &frame : writtenFrames()) {
        if (frame.command() == kSetPeq)
            peq << frame;
    }
    QList<Sent> sent;
    for (int i = 0; i + 1 < peq.size(); i += 2) {
        if (peq[i].firstBand() != 0 || peq[i + 1].firstBand() != 5 || peq[i].presetNumber() != peq[i + 1].presetNumber())
            return {};
        sent << Sent{peq[i].presetNumber(), peq[i].gains() + peq[i + 1].gains()};
    }
    return sent;
}

QStringList seededNames(const QString &prefix, int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << prefix + QString::number(i);
    return names;
}

QJsonArray presetsOf(const QString &algorithm, const QStringList &names, int base = 0)
{
    QJsonArray items;
    for (int i = 0; i < names.size(); ++i)
        items.append(preset(algorithm, names[i], gainText(rampGains(base + i))));
    return items;
}

QJsonArray joined(const QJsonArray &a, const QJsonArray &b)
{
    QJsonArray all = a;
    for (const QJsonValue &v : b)
        all.append(v);
    return all;
}

// Every message logged while it lives, debug lines included; each still goes on to the
// handler installed before.
class LogCapture
{
public:
    LogCapture()
    {
        s_lines.clear();
        s_previous = qInstallMessageHandler(&LogCapture::handle);
    }
    ~LogCapture() { qInstallMessageHandler(s_previous); }
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    static QStringList lines()
    {
        QMutexLocker locker(&s_mutex);
        return s_lines;
    }
    static bool logged(const QString &text)
    {
        const QStringList all = lines();
        return std::any_of(all.begin(), all.end(), [&](const QString &line) { return line.contains(text); });
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        {
            QMutexLocker locker(&s_mutex);
            s_lines << message;
        }
        if (s_previous)
            s_previous(type, context, message);
    }
    static inline QMutex s_mutex;
    static inline QStringList s_lines;
    static inline QtMessageHandler s_previous = nullptr;
};

// The names in the user file's folder, hidden ones included.
QStringList userFolderEntries()
{
    return QDir(QFileInfo(userFile()).absolutePath()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                                | QDir::NoDotAndDotDot);
}

} // namespace

class TestCustomWindow : public QObject
{
    Q_OBJECT

public:
    static void initMain() { tw::isolateTestEnvironment(); }

private:
    std::unique_ptr<MainWindow> m_window;

    void start()
    {
        plugHeadset(kHeadset);
        m_window = startWindow();
        QVERIFY(g_nDeviceOpen == 1);
        settle();
    }

    void restart()
    {
        closeWindow(m_window);
        unplugAll();
        start();
    }

    const EqPage &page(bool surround) const { return surround ? *m_window->m_surroundPage : *m_window->m_stereoPage; }

    void switchTab(const EqPage &p)
    {
        m_window->ui.tabWidget->setCurrentIndex(p.tabIndex);
        emit m_window->ui.tabWidget->tabBarClicked(p.tabIndex);
    }

    // The page's tab, then its custom list.
    const EqPage &openList(bool surround)
    {
        const EqPage &p = page(surround);
        switchTab(p);
        p.customize->click();
        settle();
        return p;
    }

    void selectSlot(const EqPage &p, int slot)
    {
        p.customRadios[static_cast<size_t>(slot - 1)]->click();
        settle();
        clearWrittenFrames();
    }

    void add(const EqPage &p)
    {
        if (p.mode == 1)
            m_window->on_PushButton_Surround_CustomAdd_Clicked();
        else
            m_window->on_PushButton_Stereo_CustomAdd_Clicked();
        settle();
    }

    // The slot's delete button, then the prompt's confirm button.
    void deleteSlot(const EqPage &p, int slot)
    {
        selectSlot(p, slot);
        QAbstractButton *deleteButton = qobject_cast<QAbstractButton *>(p.customDeleteButtons[static_cast<size_t>(slot - 1)]);
        QVERIFY(deleteButton);
        deleteButton->click();
        QAbstractButton *confirm = p.mode == 1 ? m_window->ui.pushButton_6 : m_window->ui.pushButton_10;
        QVERIFY(!confirm->isHidden());
        confirm->click();
        settle();
    }

    int count(const EqPage &p) const { return m_window.get()->*p.customCount; }
    int selectedId(const EqPage &p) const { return m_window.get()->*p.customId; }

private slots:
    void initTestCase()
    {
        silenceDebugLog();
        recordPrompts();
    }

    void init() { removeUserFiles(); }

    void cleanup()
    {
        tw::setFullDisk(QString(), -1);
        // Never through a link: a test's user file may stand for a device.
        if (!QFileInfo(userFile()).isSymLink())
            QFile::setPermissions(userFile(), QFile::ReadOwner | QFile::WriteOwner);
        closeWindow(m_window);
        unplugAll();
    }

    void addFillsFiveSlotsAndNoSixth_data()
    {
        QTest::addColumn<bool>("surround");
        QTest::newRow("Surround") << true;
        QTest::newRow("Stereo") << false;
    }
    void addFillsFiveSlotsAndNoSixth()
    {
        QFETCH(bool, surround);
        const QString other = surround ? "Stereo" : "Surround";
        seedUserFile(presetsOf(other, {"O1", "O2"}));
        start();
        const EqPage &p = openList(surround);
        for (int slot = 1; slot <= 5; ++slot) {
            clearWrittenFrames();
            add(p);
            QCOMPARE(count(p), slot);
            QCOMPARE(selectedId(p), p.firstCustomId + slot - 1);
            QVERIFY(!p.customRadios[static_cast<size_t>(slot - 1)]->isHidden());
            const QList<Sent> sent = sentPresets();
            QCOMPARE(sent.size(), 1);
            QCOMPARE(sent[0].number, p.customNumber(slot - 1, 0));
            QCOMPARE(sent[0].gains, QList<int>(QVector<int>(10, 0).toList()));
        }
        const QByteArray before = [] { QFile f(userFile()); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        clearWrittenFrames();
        add(p);
        QCOMPARE(count(p), 5);
        QVERIFY(sentPresets().isEmpty());
        QFile after(userFile());
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), before);
        QCOMPARE(fileNames(other), (QStringList{"O1", "O2"}));
        QCOMPARE(fileNames(p.algorithm), QStringList(QVector<QString>(5, "New Equalizer").toList()));
        QCOMPARE(fileAlgorithms().first(), other);
    }

    void copyFromAFactoryPresetStoresAndSendsItsGainsOnce()
    {
        start();
        const EqPage &p = page(false);
        switchTab(p);
        m_window->ui.radioButton_Stereo_Jazz->click();
        settle();
        const QList<int> jazz = defaultGains(kHeadset.pid, "Stereo", 3);
        QCOMPARE(sliderValues(p), jazz);
        clearWrittenFrames();
        m_window->on_PushButton_Stereo_CustomCopy_Clicked();
        settle();
        const QList<Sent> sent = sentPresets();
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent[0].number, 6);
        QCOMPARE(sent[0].gains, jazz);
        QCOMPARE(count(p), 1);
        QCOMPARE(selectedId(p), 41);
        const QJsonArray custom = readUserFile().value("customMode").toArray();
        QCOMPARE(custom.size(), 1);
        QCOMPARE(custom[0].toObject(), preset("Stereo", "New Equalizer", gainText(jazz)));
    }

    void saveKeepsUnknownMembersAndEveryEntrysPlace()
    {
        seedUserFile({preset("Stereo", "T1", gainText(rampGains(1))), preset("Surround", "S1", gainText(rampGains(2))),
                      preset("Stereo", "T2", gainText(rampGains(3))), preset("Surround", "S2", gainText(rampGains(4)))});
        start();
        const EqPage &p = openList(true);
        selectSlot(p, 2);
        QCOMPARE(sliderValues(p), rampGains(4));
        p.sliders[0]->setValue(9);
        p.save->setEnabled(true);
        p.save->click();
        const QJsonObject root = readUserFile();
        QCOMPARE(root.value("extra").toString(), QStringLiteral("kept"));
        QCOMPARE(fileAlgorithms(), (QStringList{"Stereo", "Surround", "Stereo", "Surround"}));
        QCOMPARE(fileNames("Stereo"), (QStringList{"T1", "T2"}));
        QList<int> edited = rampGains(4);
        edited[0] = 9;
        QCOMPARE(root.value("customMode").toArray()[3].toObject(), preset("Surround", "S2", gainText(edited)));
        QCOMPARE(root.value("mode").toObject(),
                 (QJsonObject{{"algorithm", "Surround"}, {"mode", "custom"}, {"name", "S2"}}));
        QVERIFY(!p.save->isEnabled());
    }

    void resetRestoresTheStoredGainsOnlyForALoadedSlot()
    {
        seedUserFile({preset("Surround", "S1", gainText(rampGains(5))), preset("Surround", "Empty", "")});
        start();
        const EqPage &p = openList(true);
        selectSlot(p, 1);
        for (QAbstractSlider *slider : p.sliders)
            slider->setValue(-3);
        p.reset->setEnabled(true);
        p.reset->click();
        QCOMPARE(sliderValues(p), rampGains(5));
        QCOMPARE(readUserFile().value("customMode").toArray()[0].toObject().value("parameter").toString(),
                 gainText(rampGains(5)));

        // A slot without stored gains was never loaded: Reset leaves sliders and file alone.
        selectSlot(p, 2);
        p.sliders[3]->setValue(7);
        const QList<int> edited = sliderValues(p);
        const QJsonObject before = readUserFile();
        p.reset->setEnabled(true);
        p.reset->click();
        QCOMPARE(sliderValues(p), edited);
        QCOMPARE(readUserFile(), before);

        // Save with a factory preset shown renames nothing and stores no custom selection.
        m_window->ui.radioButton_Surround_FPS->click();
        settle();
        p.save->setEnabled(true);
        p.save->click();
        QCOMPARE(readUserFile(), before);
    }

    void deletion_data()
    {
        QTest::addColumn<bool>("surround");
        QTest::addColumn<int>("used");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("Surround middle of three") << true << 3 << 2 << QStringList{"A1", "A3"};
        QTest::newRow("Stereo last of five") << false << 5 << 5 << QStringList{"A1", "A2", "A3", "A4"};
        QTest::newRow("Stereo only one") << false << 1 << 1 << QStringList{};
        QTest::newRow("Surround only one") << true << 1 << 1 << QStringList{};
    }
    void deletion()
    {
        QFETCH(bool, surround);
        QFETCH(int, used);
        QFETCH(int, slot);
        QFETCH(QStringList, left);
        const QString algorithm = surround ? "Surround" : "Stereo";
        const QString other = surround ? "Stereo" : "Surround";
        seedUserFile(joined(presetsOf(algorithm, seededNames("A", used)), presetsOf(other, {"O1"})));
        start();
        const EqPage &p = openList(surround);
        deleteSlot(p, slot);
        QCOMPARE(fileNames(algorithm), left);
        QCOMPARE(fileNames(other), QStringList{"O1"});
        QCOMPARE(count(p), used - 1);
        for (int k = 1; k <= 5; ++k) {
            QAbstractButton *radio = p.customRadios[static_cast<size_t>(k - 1)];
            QCOMPARE(!radio->isHidden(), k <= used - 1);
            if (k <= left.size())
                QCOMPARE(radio->text(), left[k - 1]);
        }
        const QList<Sent> sent = sentPresets();
        if (left.isEmpty()) {
            QCOMPARE(selectedId(p), 0);
            QVERIFY(sent.isEmpty());
            QVERIFY(m_window->ui.lineEdit_CustomName->isHidden());
            QVERIFY(!p.customRadios[0]->isChecked());
        } else {
            QCOMPARE(selectedId(p), p.firstCustomId);
            QCOMPARE(sent.size(), 1);
            QCOMPARE(sent[0].number, p.customNumber(0, 0));
            QCOMPARE(sent[0].gains, rampGains(0));
        }
    }

    void renameThenDeleteRemovesOnlyThatSlot()
    {
        seedUserFile(presetsOf("Surround", {"A", "B", "C"}));
        start();
        const EqPage &p = openList(true);
        selectSlot(p, 1);
        p.nameEdit->clear();
        QTest::keyClicks(p.nameEdit, "Renamed");
        QCOMPARE(p.customRadios[0]->text(), QStringLiteral("Renamed"));
        QVERIFY(p.save->isEnabled());
        deleteSlot(p, 1);
        QCOMPARE(fileNames("Surround"), (QStringList{"B", "C"}));
        QCOMPARE(count(p), 2);
        QCOMPARE(p.customRadios[0]->text(), QStringLiteral("B"));
    }

    void renameSaveAndRestartBringsTheSelectionBack_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "Movie night";
        QTest::newRow("separators") << "Mike's_bass, loud";
    }
    void renameSaveAndRestartBringsTheSelectionBack()
    {
        QFETCH(QString, name);
        seedUserFile(presetsOf("Stereo", {"T1", "T2"}, 3));
        start();
        const EqPage &p = openList(false);
        selectSlot(p, 2);
        p.nameEdit->clear();
        QTest::keyClicks(p.nameEdit, name);
        p.save->click();
        QCOMPARE(fileNames("Stereo"), (QStringList{"T1", name}));
        QCOMPARE(readUserFile().value("mode").toObject().value("name").toString(), name);

        restart();
        const EqPage &again = page(false);
        QCOMPARE(selectedId(again), 42);
        QVERIFY(again.customRadios[1]->isChecked());
        QCOMPARE(again.customRadios[1]->text(), name);
        QCOMPARE(sliderValues(again), rampGains(4));
    }

    void blankNameIsRefused()
    {
        seedUserFile(presetsOf("Stereo", {"T1"}));
        start();
        const EqPage &p = openList(false);
        selectSlot(p, 1);
        p.nameEdit->clear();
        QTest::keyClicks(p.nameEdit, "   ");
        QCOMPARE(p.customRadios[0]->text(), QStringLiteral("T1"));
        QVERIFY(!p.save->isEnabled());
        p.save->setEnabled(true); // as a slider drag leaves it
        p.save->click();
        QCOMPARE(fileNames("Stereo"), QStringList{"T1"});
        QCOMPARE(p.nameEdit->text(), QStringLiteral("T1"));
    }

    // A rename left without Save is gone once the user comes back to the slot, however
    // they left it: the slot shows its stored name again, and the Reset that undoes a
    // later drag stores that name, not the abandoned one.
    void anAbandonedRenameIsNeverSaved_data()
    {
        QTest::addColumn<bool>("throughTabs");
        QTest::newRow("another slot picked") << false;
        QTest::newRow("tabs switched") << true;
    }
    void anAbandonedRenameIsNeverSaved()
    {
        QFETCH(bool, throughTabs);
        seedUserFile(presetsOf("Stereo", {"T1", "T2"}, 3));
        start();
        const EqPage &p = openList(false);
        selectSlot(p, 1);
        p.nameEdit->clear();
        QTest::keyClicks(p.nameEdit, "Foo");
        QCOMPARE(p.customRadios[0]->text(), QStringLiteral("Foo"));
        if (throughTabs) {
            switchTab(page(true));
            settle();
            switchTab(p);
            settle();
        } else {
            selectSlot(p, 2);
            QCOMPARE(p.customRadios[0]->text(), QStringLiteral("T1"));
            selectSlot(p, 1);
        }
        QCOMPARE(p.nameEdit->text(), QStringLiteral("T1"));
        QCOMPARE(p.customRadios[0]->text(), QStringLiteral("T1"));

        drag(p.sliders[4], 8);
        QVERIFY(p.reset->isEnabled());
        p.reset->click();
        QCOMPARE(sliderValues(p), rampGains(3));
        QCOMPARE(fileNames("Stereo"), (QStringList{"T1", "T2"}));
        QCOMPARE(readUserFile().value("mode").toObject().value("name").toString(), QStringLiteral("T1"));
        QCOMPARE(p.customRadios[0]->text(), QStringLiteral("T1"));
    }

    // The file is the user's: a Save changes what the user changed and nothing else.
    // Entries past the five a mode shows, items the reader cannot use and an entry's own
    // keys are written back as they were read, each in its place.
    void aSaveKeepsWhatTheWindowDoesNotShow()
    {
        QJsonObject coloured = preset("Stereo", "T1", gainText(rampGains(1)));
        coloured.insert("colour", "red");
        QJsonObject colouredSurround = preset("Surround", "E3", gainText(rampGains(12)));
        colouredSurround.insert("colour", "blue");
        QJsonArray surroundSeven = presetsOf("Surround", seededNames("E", 7), 10);
        surroundSeven[2] = colouredSurround;
        const QJsonArray arrayGains{QJsonObject{{"algorithm", "Stereo"}, {"name", "Arr"}, {"parameter", QJsonArray{1, 2}}}};
        const QJsonArray others{"stray",
                                QJsonObject{{"algorithm", "Stereo"}, {"name", 7}, {"parameter", gainText(rampGains(2))}},
                                QJsonValue(), QJsonArray{"Stereo", "A", "1"}, coloured};
        seedUserFile(joined(joined(arrayGains, surroundSeven), others));
        QJsonArray expected = readUserFile().value("customMode").toArray();
        start();

        // Stereo shows only its one usable entry; renamed and changed, it keeps its colour.
        const EqPage &stereo = openList(false);
        QCOMPARE(count(stereo), 1);
        QCOMPARE(stereo.customRadios[0]->text(), QStringLiteral("T1"));
        selectSlot(stereo, 1);
        stereo.nameEdit->clear();
        QTest::keyClicks(stereo.nameEdit, "Tone");
        drag(stereo.sliders[1], 9);
        stereo.save->click();
        QJsonObject renamed = coloured;
        renamed.insert("name", "Tone");
        renamed.insert("parameter", gainText(sliderValues(stereo)));
        expected[expected.size() - 1] = renamed;
        QCOMPARE(readUserFile().value("customMode").toArray(), expected);

        // Surround shows five of its seven; a change to the third keeps its colour and
        // leaves the sixth and seventh where they were.
        const EqPage &surround = openList(true);
        QCOMPARE(count(surround), 5);
        selectSlot(surround, 3);
        drag(surround.sliders[0], -7);
        surround.save->click();
        QJsonObject changed = colouredSurround;
        changed.insert("parameter", gainText(sliderValues(surround)));
        expected[3] = changed;
        QCOMPARE(readUserFile().value("customMode").toArray(), expected);

        // Deleting the second takes only its entry; a preset added then goes after the
        // fifth shown, ahead of the entries still not shown.
        deleteSlot(surround, 2);
        expected.removeAt(2);
        QCOMPARE(readUserFile().value("customMode").toArray(), expected);
        add(surround);
        QCOMPARE(count(surround), 5);
        expected.insert(5, preset("Surround", "New Equalizer", gainText(QVector<int>(10, 0).toList())));
        QCOMPARE(readUserFile().value("customMode").toArray(), expected);
        QCOMPARE(readUserFile().value("extra").toString(), QStringLiteral("kept"));

        restart();
        const EqPage &again = openList(true);
        QStringList shown;
        for (int k = 0; k < count(again); ++k)
            shown << again.customRadios[static_cast<size_t>(k)]->text();
        QCOMPARE(shown, (QStringList{"E1", "E3", "E4", "E5", "New Equalizer"}));
    }

    // Reset after a rename and a drag puts back the saved name as well as the saved
    // gains: the file holds exactly what it held before the edits.
    void resetPutsBackTheSavedNameAndGains()
    {
        seedUserFile(presetsOf("Stereo", {"T1", "T2"}, 3),
                     QJsonObject{{"algorithm", "Stereo"}, {"mode", "custom"}, {"name", "T2"}});
        start();
        const EqPage &p = page(false);
        QCOMPARE(selectedId(p), 42);
        const QJsonObject before = readUserFile();
        p.nameEdit->clear();
        QTest::keyClicks(p.nameEdit, "Renamed");
        drag(p.sliders[6], 11);
        QCOMPARE(p.customRadios[1]->text(), QStringLiteral("Renamed"));
        QVERIFY(p.reset->isEnabled());
        p.reset->click();
        QCOMPARE(readUserFile(), before);
        QCOMPARE(p.customRadios[1]->text(), QStringLiteral("T2"));
        QCOMPARE(p.nameEdit->text(), QStringLiteral("T2"));
        QCOMPARE(m_window->ui.lineEdit_CustomName->text(), QStringLiteral("T2"));
        QCOMPARE(sliderValues(p), rampGains(4));
    }

    // A Save on a full disk: the user file stays byte for byte as it was, no temporary
    // file is left, the failure is logged and Save stays lit with the window as the user
    // left it. Once there is room the next Save stores the change, and the next start
    // reads it back.
    void aFullDiskLeavesTheUserFileAsItWas_data()
    {
        QTest::addColumn<qint64>("budget");
        QTest::addColumn<bool>("delayed");
        QTest::newRow("no room at all") << qint64(0) << false;
        QTest::newRow("room for a part") << qint64(100) << false;
        QTest::newRow("full at sync") << qint64(100) << true;
    }
    void aFullDiskLeavesTheUserFileAsItWas()
    {
        QFETCH(qint64, budget);
        QFETCH(bool, delayed);
        start();
        const EqPage &p = openList(false);
        add(p);
        drag(p.sliders[2], 5);
        p.save->click();
        const QByteArray saved = userFileBytes();
        QVERIFY(saved.contains("0,0,5,0,0,0,0,0,0,0"));
        const QStringList entries = userFolderEntries();

        const QString folder = QFileInfo(userFile()).canonicalPath();
        QVERIFY2(tw::setFullDisk(folder, budget, delayed), "the full-disk library is not loaded");
        const qint64 refusedBefore = tw::fullDiskRefusals();
        drag(p.sliders[2], -4);
        const QList<int> edited = sliderValues(p);
        LogCapture log;
        p.save->click();
        QVERIFY(tw::fullDiskRefusals() > refusedBefore);
        QCOMPARE(userFileBytes(), saved);
        QCOMPARE(userFolderEntries(), entries);
        QVERIFY(!LogCapture::logged("*** write Json Success!"));
        QVERIFY(LogCapture::logged("*** write Json Fail!"));
        QVERIFY(LogCapture::logged("No space left on device"));
        QVERIFY(LogCapture::logged("Custom presets not saved"));
        QVERIFY(p.save->isEnabled());
        QCOMPARE(sliderValues(p), edited);

        QVERIFY(tw::setFullDisk(folder, -1));
        p.save->click();
        QVERIFY(!p.save->isEnabled());
        QCOMPARE(userFolderEntries(), entries);
        QCOMPARE(readUserFile().value("customMode").toArray()[0].toObject().value("parameter").toString(),
                 gainText(edited));
        recordedPrompts().clear();
        restart();
        QVERIFY(recordedPrompts().isEmpty());
        const EqPage &again = page(false);
        QCOMPARE(selectedId(again), again.firstCustomId);
        QCOMPARE(sliderValues(again), edited);
    }

    void aFailedWriteLeavesSaveLit()
    {
        seedUserFile(presetsOf("Surround", {"S1"}));
        start();
        const EqPage &p = openList(true);
        selectSlot(p, 1);
        p.sliders[0]->setValue(4);
        QVERIFY(QFile::setPermissions(userFile(), QFile::ReadOwner));
        p.save->setEnabled(true);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Custom presets not saved"));
        p.save->click();
        QVERIFY(p.save->isEnabled());
        QCOMPARE(p.save->styleSheet(), QString::fromLatin1(kSaveResetLitSheet));
        QCOMPARE(readUserFile().value("customMode").toArray()[0].toObject().value("parameter").toString(),
                 gainText(rampGains(0)));

        // Reset greys its pair after resetting; the failed save still leaves Save lit.
        m_window->ui.pushButton_CustomReset->setEnabled(true);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Custom presets not saved"));
        m_window->ui.pushButton_CustomReset->click();
        QTRY_VERIFY(p.save->isEnabled());
    }

    // A user file marked read-only before the start keeps its presets as they are: its
    // slots are there, but none can be added, copied or deleted, a Save shows as failed,
    // and the file stays byte for byte.
    void aUserFileMarkedReadOnlyKeepsItsPresetsAsTheyAre()
    {
        seedUserFile(presetsOf("Stereo", {"T1"}));
        const QByteArray kept = userFileBytes();
        QVERIFY(QFile::setPermissions(userFile(), QFile::ReadOwner));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^User preset file cannot keep custom presets: "));
        start();
        const EqPage &p = openList(false);
        QVERIFY(!p.customAdd->isEnabled());
        add(p);
        m_window->on_PushButton_Stereo_CustomCopy_Clicked();
        QCOMPARE(count(p), 1);
        selectSlot(p, 1);
        qobject_cast<QAbstractButton *>(p.customDeleteButtons[0])->click();
        QVERIFY(m_window->ui.pushButton_10->isHidden());
        m_window->Red_Dialog_STEREO();
        QCOMPARE(count(p), 1);
        p.sliders[0]->setValue(4);
        p.save->setEnabled(true);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Custom presets not saved"));
        p.save->click();
        QVERIFY(p.save->isEnabled());
        QCOMPARE(userFileBytes(), kept);
    }

    void sevenEntriesOfOneModeNeverFillASixthSlot()
    {
        seedUserFile(joined(presetsOf("Surround", seededNames("S", 7)), presetsOf("Stereo", {"T1"})));
        start();
        const EqPage &p = openList(true);
        QCOMPARE(count(p), 5);
        selectSlot(p, 2);
        m_window->on_PushButton_Surround_CustomCopy_Clicked();
        settle();
        QCOMPARE(count(p), 5);
        QCOMPARE(fileNames("Surround").size(), 7);
        deleteSlot(p, 5);
        QCOMPARE(count(p), 4);
        QCOMPARE(fileNames("Surround"), (QStringList{"S1", "S2", "S3", "S4", "S6", "S7"}));
        QCOMPARE(fileNames("Stereo"), QStringList{"T1"});
        openList(true);
        QCOMPARE(count(p), 5);
        QCOMPARE(p.customRadios[4]->text(), QStringLiteral("S6"));
    }

    void stereoSaveButtonGreysItsPairWithItsOwnSheet()
    {
        start();
        const EqPage &p = page(false);
        switchTab(p);
        settle();
        p.reset->setEnabled(true);
        p.save->setEnabled(true);
        p.save->click();
        const QString sheet = QStringLiteral(
            "QPushButton{background-color: rgb(49,44,92);border-radius:7px;border-radius:7px;color:rgb(100,100,100)}");
        QCOMPARE(p.reset->styleSheet(), sheet);
        QCOMPARE(p.save->styleSheet(), sheet);
        QVERIFY(!p.reset->isEnabled());
        QVERIFY(!p.save->isEnabled());
    }

    // A Save on the Surround page lets go of the Stereo slot loaded before: the Stereo
    // reset that pulling the headset out runs on a factory preset then zeroes the sliders
    // instead of bringing back that slot's gains.
    void aSurroundSaveDropsTheStereoLoadedGains()
    {
        seedUserFile(joined(presetsOf("Stereo", {"T1"}, 7), presetsOf("Surround", {"S1"}, 2)));
        start();
        const EqPage &stereo = openList(false);
        selectSlot(stereo, 1);
        QCOMPARE(sliderValues(stereo), rampGains(7));
        m_window->ui.radioButton_Stereo_Jazz->click();
        settle();
        const QList<int> jazz = defaultGains(kHeadset.pid, "Stereo", 3);
        QCOMPARE(sliderValues(stereo), jazz);

        const EqPage &surround = openList(true);
        selectSlot(surround, 1);
        surround.save->setEnabled(true);
        surround.save->click();
        QCOMPARE(fileNames("Surround"), QStringList{"S1"});

        switchTab(stereo);
        settle();
        QCOMPARE(sliderValues(stereo), jazz);
        m_window->setStereoSlidersFromParameter();
        QCOMPARE(sliderValues(stereo), QList<int>(QVector<int>(10, 0).toList()));
    }

    void eachSlotSendsItsPresetNumber_data()
    {
        QTest::addColumn<bool>("surround");
        QTest::addColumn<int>("model");
        QTest::addColumn<QList<int>>("numbers");
        QTest::newRow("Surround") << true << 0 << QList<int>{22, 23, 24, 25, 26};
        QTest::newRow("Surround model 1") << true << 1 << QList<int>{6, 7, 8, 9, 10};
        QTest::newRow("Stereo") << false << 0 << QList<int>{6, 7, 8, 9, 10};
    }
    void eachSlotSendsItsPresetNumber()
    {
        QFETCH(bool, surround);
        QFETCH(int, model);
        QFETCH(QList<int>, numbers);
        const QString algorithm = surround ? "Surround" : "Stereo";
        seedUserFile(presetsOf(algorithm, seededNames("P", 5), 2));
        start();
        m_window->m_nSpecial = model;
        const EqPage &p = openList(surround);
        for (int slot = 1; slot <= 5; ++slot) {
            clearWrittenFrames();
            p.customRadios[static_cast<size_t>(slot - 1)]->click();
            settle();
            const QList<Sent> sent = sentPresets();
            QCOMPARE(sent.size(), 1);
            QCOMPARE(sent[0].number, numbers[slot - 1]);
            QCOMPARE(sent[0].gains, rampGains(2 + slot - 1));
        }
    }

    // Back to Customize from a slot (through a factory preset or at once): nothing can
    // be edited or saved until a slot is picked, so the slot keeps its name and gains;
    // picking it shows them and sends them once.
    void customizeAgainLeavesTheSlotAsSaved_data()
    {
        QTest::addColumn<bool>("surround");
        QTest::addColumn<bool>("throughFactory");
        QTest::newRow("Surround, FPS between") << true << true;
        QTest::newRow("Surround, at once") << true << false;
        QTest::newRow("Stereo, Jazz between") << false << true;
        QTest::newRow("Stereo, at once") << false << false;
    }
    void customizeAgainLeavesTheSlotAsSaved()
    {
        QFETCH(bool, surround);
        QFETCH(bool, throughFactory);
        start();
        const EqPage &p = openList(surround);
        add(p);
        p.nameEdit->clear();
        QTest::keyClicks(p.nameEdit, "Bass");
        drag(p.sliders[2], 5);
        p.save->click();
        QCOMPARE(fileNames(p.algorithm), QStringList{"Bass"});
        const QByteArray saved = userFileBytes();
        const QList<int> stored = sliderValues(p);

        if (throughFactory) {
            (surround ? m_window->ui.radioButton_Surround_FPS : m_window->ui.radioButton_Stereo_Jazz)->click();
            settle();
        }
        clearWrittenFrames();
        p.customize->click();
        settle();
        QCOMPARE(selectedId(p), 0);
        QVERIFY(!p.customRadios[0]->isChecked());
        QCOMPARE(p.customRadios[0]->text(), QStringLiteral("Bass"));
        for (QAbstractSlider *slider : p.sliders)
            QVERIFY(!slider->isEnabled());
        QVERIFY(!p.nameEdit->isEnabled());
        QVERIFY(p.save->isHidden() || !p.save->isEnabled());
        // Even a Save that reached it (the other page's button) has no slot to write.
        m_window->on_PushButton_CustomSave_Clicked();
        QCOMPARE(userFileBytes(), saved);
        // The headset gets nothing but what the gate still owed the slot: its saved gains.
        QVERIFY(waitUntil([&] { return m_window->m_nSliderSendReady == 1; }, kGateWaitMs));
        const QList<Sent> owed = sentPresets();
        QVERIFY(owed.size() <= 1);
        for (const Sent &each : owed) {
            QCOMPARE(each.number, p.customNumber(0, 0));
            QCOMPARE(each.gains, stored);
        }
        clearWrittenFrames();

        p.customRadios[0]->click();
        settle();
        QCOMPARE(p.nameEdit->text(), QStringLiteral("Bass"));
        QCOMPARE(sliderValues(p), stored);
        const QList<Sent> sent = sentPresets();
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent[0].number, p.customNumber(0, 0));
        QCOMPARE(sent[0].gains, stored);
        QCOMPARE(userFileBytes(), saved);
    }

    // A drag that ends while the gate is closed still reaches the headset when the gate
    // opens again, under the slot's number even if the list was reopened meanwhile: the
    // headset ends with what the sliders show, one send per period.
    void theEndOfADragReachesTheHeadset_data()
    {
        QTest::addColumn<bool>("reopenList");
        QTest::newRow("release") << false;
        QTest::newRow("release, then Customize") << true;
    }
    void theEndOfADragReachesTheHeadset()
    {
        QFETCH(bool, reopenList);
        seedUserFile(presetsOf("Stereo", {"T1"}));
        start();
        const EqPage &p = openList(false);
        selectSlot(p, 1);
        // The user looks before dragging: meanwhile the gate has opened.
        QVERIFY(waitUntil([&] { return m_window->m_nSliderSendReady == 1; }, kGateWaitMs));
        clearWrittenFrames();
        drag(p.sliders[0], 12);
        if (reopenList)
            p.customize->click();
        QVERIFY(waitUntil([&] {
            const QList<Sent> sent = sentPresets();
            return !sent.isEmpty() && sent.last().gains == sliderValues(p);
        }, kGateWaitMs));
        QVERIFY(waitForGateAtRest(*m_window));
        const QList<Sent> sent = sentPresets();
        QCOMPARE(sent.size(), 2); // the drag's first step at once, its end when the gate opened
        QCOMPARE(sent.last().number, 6);
        QCOMPARE(sent.last().gains[0], 12);
        QCOMPARE(sent.last().gains, sliderValues(p));
    }

    // Edits held back on both pages when the gate opens go out one page per opening,
    // each under its own slot's number; the headset ends with what both pages show.
    void heldEditsOfBothPagesGoOutOnePerOpening()
    {
        seedUserFile(joined(presetsOf("Stereo", {"T1"}, 1), presetsOf("Surround", {"S1"}, 5)));
        start();
        const EqPage &stereo = openList(false);
        selectSlot(stereo, 1);
        QVERIFY(waitUntil([&] { return m_window->m_nSliderSendReady == 1; }, kGateWaitMs));
        // All within one gate period: a Stereo drag, Customize, the Surround tab, its
        // slot, and a drag there.
        drag(stereo.sliders[0], 12);
        stereo.customize->click();
        const EqPage &surround = page(true);
        switchTab(surround);
        surround.customize->click();
        surround.customRadios[0]->click();
        drag(surround.sliders[9], -12);
        clearWrittenFrames();

        QVERIFY(waitUntil([] { return !sentPresets().isEmpty(); }, kGateWaitMs));
        QCOMPARE(sentPresets().size(), 1);
        QVERIFY(waitUntil([] { return sentPresets().size() >= 2; }, kGateWaitMs));
        QVERIFY(waitForGateAtRest(*m_window));
        const QList<Sent> sent = sentPresets();
        QCOMPARE(sent.size(), 2);
        const auto wasSent = [&](int number, const QList<int> &gains) {
            return std::any_of(sent.begin(), sent.end(),
                               [&](const Sent &each) { return each.number == number && each.gains == gains; });
        };
        QVERIFY(wasSent(stereo.customNumber(0, m_window->m_nSpecial), sliderValues(stereo)));
        QVERIFY(wasSent(surround.customNumber(0, m_window->m_nSpecial), sliderValues(surround)));
    }

    // Edits other than a drag reach the headset and light Save like a drag does.
    void anEditThatIsNoDragCanBeSaved_data()
    {
        QTest::addColumn<bool>("groove");
        QTest::newRow("click in the groove") << true;
        QTest::newRow("arrow key") << false;
    }
    void anEditThatIsNoDragCanBeSaved()
    {
        QFETCH(bool, groove);
        seedUserFile(presetsOf("Surround", {"S1"}, 2));
        start();
        const EqPage &p = openList(true);
        selectSlot(p, 1);
        QVERIFY(!p.save->isEnabled());
        QAbstractSlider *band = p.sliders[0];
        const int before = band->value();
        if (groove)
            QTest::mouseClick(band, Qt::LeftButton, Qt::NoModifier, QPoint(band->width() / 2, 2));
        else
            QTest::keyClick(band, Qt::Key_Up);
        QCOMPARE(band->value(), before + 1);
        QVERIFY(p.save->isEnabled());
        p.save->click();
        const QList<int> edited = sliderValues(p);
        QCOMPARE(readUserFile().value("customMode").toArray()[0].toObject(), preset("Surround", "S1", gainText(edited)));
        QVERIFY(waitUntil([&] {
            const QList<Sent> sent = sentPresets();
            return !sent.isEmpty() && sent.last().gains == edited;
        }, kGateWaitMs));
    }

    // A user file without "uuid" (a crash while it was made, an edit by hand) gets the
    // id back, everything else as it was, and the headset's presets work again.
    void aUserFileWithoutUuidHeals()
    {
        QJsonObject content = userFileContent(presetsOf("Stereo", {"T1"}));
        content.remove("uuid");
        writeUserFile(QJsonDocument(content).toJson());
        recordedPrompts().clear();
        start();
        // Standard, as for any headset: its stored gains loaded and sent.
        const QList<int> standard = defaultGains(kHeadset.pid, "Surround", 2);
        QVERIFY(waitUntil([&] { return sliderValues(page(true)) == standard; }, 5000));
        settle();
        QVERIFY(!sentPresets().isEmpty());
        QCOMPARE(sentPresets().last().number, 19);
        QJsonObject healed = readUserFile();
        QCOMPARE(healed.take("uuid").toString(), QStringLiteral("0a1b2c3d"));
        QCOMPARE(healed, content);
        QCOMPARE(count(page(false)), 1);
        QVERIFY(recordedPrompts().isEmpty());
    }

    // A Save that would make the user file bigger than the reader takes is refused: the
    // file stays as it was and the next start reads it without an error. Names typed in
    // the name field stop at a length that keeps the file far from that.
    void aSaveNeverWritesAFileTheReaderRefuses()
    {
        const qint64 readLimit = 1024 * 1024;
        const QJsonObject mode{{"algorithm", "Stereo"}, {"mode", "custom"}, {"name", "T1"}};
        const auto content = [&](int longNameLength) {
            const QJsonArray custom{preset("Surround", QString(longNameLength, QChar(0x97F3)), gainText(rampGains(2))),
                                    preset("Stereo", "T1", gainText(rampGains(4)))};
            return QJsonDocument(userFileContent(custom, mode)).toJson();
        };
        // A name of three-byte characters that brings the file to a few bytes under the limit.
        const QByteArray seeded = content(int((readLimit - 12 - content(0).size()) / 3));
        QVERIFY(seeded.size() <= readLimit && seeded.size() > readLimit - 16);
        writeUserFile(seeded);
        start();
        const EqPage &p = openList(false);
        selectSlot(p, 1);
        p.nameEdit->clear();
        QTest::keyClicks(p.nameEdit, "T1 with a longer name");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Custom presets not saved"));
        p.save->click();
        QVERIFY(p.save->isEnabled());
        QCOMPARE(userFileBytes(), seeded);

        recordedPrompts().clear();
        restart();
        QVERIFY(recordedPrompts().isEmpty());
        const EqPage &again = page(false);
        QCOMPARE(selectedId(again), 41);
        QCOMPARE(again.customRadios[0]->text(), QStringLiteral("T1"));

        again.nameEdit->clear();
        QTest::keyClicks(again.nameEdit, QString(300, 'n'));
        QCOMPARE(again.nameEdit->text().size(), kMaxPresetNameLength);
    }

    // A user file that cannot be read (no JSON, too big, not a regular file) gets the
    // error box and is left as it is for the run: the default file's factory presets reach
    // the headset, no custom preset is offered, and once the user has mended the file by
    // hand, neither Add nor Copy nor Save writes over it; the next start reads it.
    void aUserFileThatCannotBeReadIsLeftToTheNextStart_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("not JSON") << "json";
        QTest::newRow("oversized") << "oversized";
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("link to /dev/zero") << "zero";
    }
    void aUserFileThatCannotBeReadIsLeftToTheNextStart()
    {
        QFETCH(QString, kind);
        QDir().mkpath(QFileInfo(userFile()).absolutePath());
        const QByteArray path = QFile::encodeName(userFile());
        if (kind == "json")
            writeUserFile("{\"customMode\": [");
        else if (kind == "oversized")
            writeUserFile(QJsonDocument(userFileContent(QJsonArray{preset("Stereo", QString(2 << 20, 'x'), "")})).toJson());
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        else
            QVERIFY(QFile::link("/dev/zero", userFile()));
        recordedPrompts().clear();
        start();
        QTRY_COMPARE(recordedPrompts(), QStringList{"Error|Json File Is Error!"});

        const EqPage &p = page(false);
        switchTab(p);
        clearWrittenFrames();
        m_window->ui.radioButton_Stereo_Jazz->click();
        QVERIFY(waitUntil([] { return !sentPresets().isEmpty() && sentPresets().last().number == 3; }));
        QCOMPARE(sentPresets().last().gains, defaultGains(kHeadset.pid, "Stereo", 3));
        QVERIFY(!p.customAdd->isEnabled());
        for (QAbstractButton *copy : p.copyButtons)
            QVERIFY(!copy->isEnabled());

        QVERIFY(QFile::remove(userFile()));
        const QByteArray mended = QJsonDocument(userFileContent(
            joined(presetsOf("Surround", {"Mine"}), presetsOf("Stereo", {"HandStereo"})),
            QJsonObject{{"algorithm", "Stereo"}, {"mode", "custom"}, {"name", "HandStereo"}})).toJson();
        writeUserFile(mended);
        openList(false);
        add(p);
        m_window->on_PushButton_Stereo_CustomCopy_Clicked();
        m_window->on_PushButton_CustomSave_Clicked();
        QCOMPARE(count(p), 0);
        QCOMPARE(userFileBytes(), mended);

        recordedPrompts().clear();
        restart();
        QTRY_COMPARE(selectedId(page(false)), 41);
        QVERIFY(recordedPrompts().isEmpty());
        QCOMPARE(page(false).customRadios[0]->text(), QStringLiteral("HandStereo"));
        QVERIFY(page(false).customAdd->isEnabled());
    }
};

int main(int argc, char *argv[])
{
    tw::loadFullDiskPreload(argv);
    QTEST_MAIN_IMPL(TestCustomWindow)
}
#include "test_custom_window.moc"
