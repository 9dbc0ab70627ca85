// The main road end to end: start-up against the simulated headset, the headset's
// answers, factory presets of both modes, tab switching, the slider gate and the
// surround switch after each complete PEQ transfer.
#include "WindowTestSupport.h"

#include "TestEnv.h"

#include "app/LogHandler.h"
#include "headset/UsbHidOperation.h"
#include "window/MainWindow.h"

#include <QAbstractSlider>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QPushButton>
#include <QRadioButton>
#include <QTimerEvent>
#include <QtTest>

#include <atomic>

using namespace wt;

namespace {

int lastIndexOf(const QList<Frame> &frames, int command)
{
    for (int i = frames.size() - 1; i >= 0; --i) {
        if (frames[i].command() == command)
            return i;
    }
    return -1;
}

// The switches that follow the start-up's presets. The stored selection and the
// Standard preset go out back to back, and each preset whose last frame is acknowledged
// earns a switch: whether the first preset's acknowledgement is still unhandled when the
// second's arrives depends on the thread timing, so one or two switches may follow, all
// with the page's arguments and nothing else.
bool onlyStartUpSwitchesFollow(const QList<Frame> &after, const QList<int> &args)
{
    if (after.isEmpty() || after.size() > 2)
        return false;
    for (const Frame &f : after)
        if (f.command() != kSetSwitch || f.switchArgs() != args)
            return false;
    return true;
}

// The last preset sent: its number and ten gains (the last two SetPEQ frames).
struct SentPreset {
    int number = -1;
    QList<int> gains;
};

SentPreset lastPreset(const QList<Frame> &frames)
{
    const QList<Frame> peq = [&] {
        QList<Frame> out;
        for (const Frame &f : frames)
            if (f.command() == kSetPeq)
                out.append(f);
        return out;
    }();
    if (peq.size() < 2)
        return {};
    const Frame &first = peq[peq.size() - 2];
    const Frame &second = peq.last();
    if (first.firstBand() != 0 || first.lastBand() != 4 || second.firstBand() != 5 || second.lastBand() != 9
        || first.presetNumber() != second.presetNumber())
        return {};
    return {second.presetNumber(), first.gains() + second.gains()};
}

QList<int> sliderValues(const QList<QAbstractSlider *> &sliders)
{
    QList<int> values;
    for (QAbstractSlider *slider : sliders)
        values.append(slider->value());
    return values;
}

QList<QAbstractSlider *> surroundSliders(MainWindow &w)
{
    return {w.ui.verticalSlider_30_2, w.ui.verticalSlider_60_2, w.ui.verticalSlider_120_2, w.ui.verticalSlider_250_2,
            w.ui.verticalSlider_500_2, w.ui.verticalSlider_1k_2, w.ui.verticalSlider_2k_2, w.ui.verticalSlider_4k_2,
            w.ui.verticalSlider_8k_2, w.ui.verticalSlider_16k_2};
}

QList<QAbstractSlider *> stereoSliders(MainWindow &w)
{
    return {w.ui.verticalSlider_30, w.ui.verticalSlider_60, w.ui.verticalSlider_120, w.ui.verticalSlider_250,
            w.ui.verticalSlider_500, w.ui.verticalSlider_1k, w.ui.verticalSlider_2k, w.ui.verticalSlider_4k,
            w.ui.verticalSlider_8k, w.ui.verticalSlider_16k};
}

// The debug lines written, from any thread, while an instance lives.
class DebugLines
{
public:
    DebugLines() : m_previous(qInstallMessageHandler(record)) { lines().clear(); }
    ~DebugLines() { qInstallMessageHandler(m_previous); }
    int count(const QString &line) const
    {
        QMutexLocker lock(&mutex());
        return lines().count(line);
    }

private:
    static QStringList &lines()
    {
        static QStringList all;
        return all;
    }
    static QMutex &mutex()
    {
        static QMutex m;
        return m;
    }
    static void record(QtMsgType type, const QMessageLogContext &, const QString &message)
    {
        if (type != QtDebugMsg)
            return;
        QMutexLocker lock(&mutex());
        lines().append(message);
    }
    QtMessageHandler m_previous;
};

// Every line of the program, from any thread, through its own log handler for as long
// as an instance lives; counted on the way.
class ProgramLog
{
public:
    ProgramLog() : m_previous(qInstallMessageHandler(handle)) { count() = 0; }
    ~ProgramLog() { qInstallMessageHandler(m_previous); }
    int lines() const { return count(); }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        ++count();
        logMessageOutput(type, context, message);
    }
    static std::atomic<int> &count()
    {
        static std::atomic<int> lines{0};
        return lines;
    }
    QtMessageHandler m_previous;
};

} // namespace

class TestWindowMainRoad : public QObject
{
    Q_OBJECT

public:
    static void initMain() { tw::isolateTestEnvironment(); }

private:
    std::unique_ptr<MainWindow> m_window;

    // Starts the window against a plugged-in headset and waits until its answers are handled.
    void startWithHeadset(const HeadsetSetup &setup = HeadsetSetup())
    {
        m_window = startWindowWithHeadset(setup);
        QVERIFY(g_nDeviceOpen == 1);
        clearWrittenFrames();
    }

    void clickAndSettle(QAbstractButton *button)
    {
        clearWrittenFrames();
        button->click();
        settle();
    }

private slots:
    void initTestCase()
    {
        silenceDebugLog();
        recordPrompts();
    }

    void init()
    {
        removeUserFiles();
        recordedPrompts().clear();
    }

    void cleanup()
    {
        closeWindow(m_window);
        unplugAll();
    }

    void startUpAsksForAudioThenStatusAndCreatesTheUserFile()
    {
        const HeadsetSetup setup;
        plugHeadset(setup);
        m_window = startWindow();
        QCOMPARE(m_window->m_nDevicePanelShown, 1);
        QVERIFY(waitUntil([] { return framesOf(kReadStatus).size() == 1; }));
        const QList<int> first = commandSequence().mid(0, 2);
        QCOMPARE(first, (QList<int>{kReadAudio, kReadStatus}));
        settle();

        const QString userFile = userFilePath(setup.pid, setup.uuid);
        QVERIFY(QFile::exists(userFile));
        QFile file(userFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
        QCOMPARE(root.value("uuid").toString(), QStringLiteral("0a1b2c3d"));
        QVERIFY(root.contains("defaultMode"));

        // Surround on: the Surround page, its Standard preset sent last, its switch after it.
        const QList<Frame> frames = writtenFrames();
        QCOMPARE(m_window->m_fTabStatus, 2);
        const SentPreset last = lastPreset(frames);
        QCOMPARE(last.number, 19);
        QCOMPARE(last.gains, wireGains(19, defaultGains(setup.pid, "Surround", 2)));
        QCOMPARE(sliderValues(surroundSliders(*m_window)), defaultGains(setup.pid, "Surround", 2));
        const int lastPeq = lastIndexOf(frames, kSetPeq);
        const QList<Frame> after = frames.mid(lastPeq + 1);
        QVERIFY(onlyStartUpSwitchesFollow(after, {1, 1, 0, 0}));
        QVERIFY(recordedPrompts().isEmpty());
    }

    void theFirstFrameComesBeforeTheStartUpAnswersAndWithoutTheNoHeadsetBackdrop()
    {
        // How many frames the headset had been sent when the window was first painted.
        struct FirstPaint : QObject {
            int framesWritten = -1;
            bool eventFilter(QObject *, QEvent *event) override
            {
                if (event->type() == QEvent::Paint && framesWritten < 0)
                    framesWritten = writtenFrames().size();
                return false;
            }
        } firstPaint;
        plugHeadset();
        m_window = startWindow();
        // Under load the first paint can come later than the 500 ms a never-painted window
        // holds the answers, and the time-out would release them first; with a long hold
        // only the paint can release them here.
        m_window->setLongestFirstFrameHoldMs(60000);
        m_window->installEventFilter(&firstPaint);
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QTRY_VERIFY(firstPaint.framesWritten >= 0);
        QCOMPARE(firstPaint.framesWritten, 2); // ReadAudio and ReadStatus, nothing answered yet
        settle();
        QCOMPARE(lastPreset(writtenFrames()).number, 19); // then the answers, as ever
        QVERIFY(m_window->ui.label_DefaultBackground->pixmap(Qt::ReturnByValue).isNull());

        // Without a headset the backdrop is what the window shows.
        closeWindow(m_window);
        unplugAll();
        m_window = startWindow();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QTRY_VERIFY(!m_window->ui.label_DefaultBackground->pixmap(Qt::ReturnByValue).isNull());
    }

    void storedSelectionIsSentBeforeStandard()
    {
        // A user file from an earlier run that stored Surround FPS.
        const HeadsetSetup setup;
        const QString userFile = userFilePath(setup.pid, setup.uuid);
        QDir().mkpath(QFileInfo(userFile).path());
        QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + "/DefaultFile/VID-2e7a&PID-0411.json", userFile));
        QFile::setPermissions(userFile, QFile::ReadOwner | QFile::WriteOwner);
        QFile file(userFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
        file.close();
        root["mode"] = QJsonObject{{"algorithm", "Surround"}, {"mode", "default"}, {"name", "FPS"}};
        root["uuid"] = "0a1b2c3d";
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QJsonDocument(root).toJson());
        file.close();

        plugHeadset(setup);
        m_window = startWindow();
        settle();
        QList<int> numbers;
        for (const Frame &f : framesOf(kSetPeq))
            if (f.firstBand() == 5)
                numbers.append(f.presetNumber());
        QVERIFY(numbers.size() >= 2);
        QCOMPARE(numbers.mid(numbers.size() - 2), (QList<int>{18, 19}));
        QCOMPARE(m_window->ui.lineEdit_23->text(), QStringLiteral("LOGO Standard"));
    }

    void statusWithSurroundOffSelectsStereoAndSendsItLast()
    {
        HeadsetSetup setup;
        setup.surroundOn = false;
        plugHeadset(setup);
        m_window = startWindow();
        settle();
        QCOMPARE(m_window->m_fTabStatus, 1);
        QCOMPARE(m_window->ui.tabWidget->currentIndex(), 1);
        const QList<Frame> frames = writtenFrames();
        const SentPreset last = lastPreset(frames);
        QCOMPARE(last.number, 5);
        QCOMPARE(last.gains, wireGains(5, defaultGains(setup.pid, "Stereo", 5)));
        QCOMPARE(sliderValues(stereoSliders(*m_window)), defaultGains(setup.pid, "Stereo", 5));
        const QList<Frame> after = frames.mid(lastIndexOf(frames, kSetPeq) + 1);
        QVERIFY(onlyStartUpSwitchesFollow(after, {1, 0, 0, 1}));
    }

    void audioFlagsDisableTheirTabs_data()
    {
        QTest::addColumn<int>("peqFlag");
        QTest::addColumn<int>("surroundFlag");
        QTest::addColumn<bool>("surroundTabEnabled");
        QTest::addColumn<bool>("stereoTabEnabled");
        QTest::newRow("both") << 1 << 1 << true << true;
        QTest::newRow("no PEQ") << 0 << 1 << true << false;
        QTest::newRow("no surround") << 1 << 0 << false << true;
        QTest::newRow("neither") << 0 << 0 << false << false;
    }

    void audioFlagsDisableTheirTabs()
    {
        QFETCH(int, peqFlag);
        QFETCH(int, surroundFlag);
        QFETCH(bool, surroundTabEnabled);
        QFETCH(bool, stereoTabEnabled);
        HeadsetSetup setup;
        setup.peqFlag = peqFlag;
        setup.surroundFlag = surroundFlag;
        setup.surroundOn = surroundFlag != 0;
        plugHeadset(setup);
        m_window = startWindow();
        settle();
        QCOMPARE(m_window->ui.tabWidget->isTabEnabled(0), surroundTabEnabled);
        QCOMPARE(m_window->ui.tabWidget->isTabEnabled(1), stereoTabEnabled);
    }

    void everyFactoryPresetSendsItsStoredGainsAndNumber_data()
    {
        QTest::addColumn<QString>("algorithm");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("listPosition");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("model");
        // row, list position, number on other models, number on model 1
        const int surround[][4] = {{0, 0, 16, 0}, {1, 1, 18, 1}, {2, 3, 17, 2},
                                   {3, 2, 19, 3}, {4, 4, 20, 4}, {5, 5, 16, 0}};
        for (const auto &r : surround) {
            QTest::addRow("Surround %d", r[0]) << "Surround" << r[0] << r[1] << r[2] << 0;
            QTest::addRow("Surround %d, model 1", r[0]) << "Surround" << r[0] << r[1] << r[3] << 1;
        }
        for (int i = 0; i < 8; ++i) {
            QTest::addRow("Stereo %d", i) << "Stereo" << i << i << i << 0;
            QTest::addRow("Stereo %d, model 1", i) << "Stereo" << i << i << i << 1;
        }
    }

    void everyFactoryPresetSendsItsStoredGainsAndNumber()
    {
        QFETCH(QString, algorithm);
        QFETCH(int, row);
        QFETCH(int, listPosition);
        QFETCH(int, number);
        QFETCH(int, model);
        startWithHeadset();
        m_window->m_nSpecial = model;
        const bool surround = algorithm == "Surround";
        QList<QAbstractButton *> radios;
        if (surround)
            radios = {m_window->ui.radioButton_Surround_DeepBas, m_window->ui.radioButton_Surround_FPS,
                      m_window->ui.radioButton_Surround_Moba, m_window->ui.radioButton_Surround_ZorbStandard,
                      m_window->ui.radioButton_Surround_ZorbStandard1, m_window->ui.radioButton_Surround_ZorbStandard2};
        else
            radios = {m_window->ui.radioButton_Stereo_Pop,     m_window->ui.radioButton_Stereo_RockRoll,
                      m_window->ui.radioButton_Stereo_DeepBass, m_window->ui.radioButton_Stereo_Jazz,
                      m_window->ui.radioButton_Stereo_Classic,  m_window->ui.radioButton_Stereo_ZorbStandard,
                      m_window->ui.radioButton_Stereo_Velor,    m_window->ui.radioButton_Stereo_FLAT};
        clickAndSettle(radios[row]);

        const QList<Frame> peq = framesOf(kSetPeq);
        QCOMPARE(peq.size(), 2);
        QCOMPARE(peq[0].firstBand(), 0);
        QCOMPARE(peq[1].firstBand(), 5);
        QCOMPARE(peq[0].presetNumber(), number);
        QCOMPARE(peq[1].presetNumber(), number);
        const QList<int> stored = defaultGains(0x0411, algorithm, listPosition);
        QCOMPARE(presetGains(peq, 0), wireGains(number, stored));
        QCOMPARE(sliderValues(surround ? surroundSliders(*m_window) : stereoSliders(*m_window)), stored);
        QCOMPARE(m_window->m_qstrCurrentMode, QStringLiteral("default"));
        QCOMPARE(m_window->m_qstrCurrentAlgorithm, algorithm);
        QCOMPARE(surround ? m_window->m_nSurroundState : m_window->m_nStereoState, surround ? 101 : 201);
    }

    void factoryPresetWithoutHeadsetWarnsAndSendsNothing()
    {
        m_window = startWindow();
        QCOMPARE(g_nDeviceOpen, 0);
        QCOMPARE(m_window->m_nDevicePanelShown, 0);
        for (QAbstractButton *button : {static_cast<QAbstractButton *>(m_window->ui.radioButton_Stereo_Jazz),
                                        static_cast<QAbstractButton *>(m_window->ui.radioButton_Surround_FPS)}) {
            recordedPrompts().clear();
            clickAndSettle(button);
            QCOMPARE(recordedPrompts(), QStringList{"warning|Please Insert Device!"});
        }
        QVERIFY(writtenFrames().isEmpty());
        QCOMPARE(m_window->ui.lineEdit_15->text(), QStringLiteral("Jazz"));
    }

    void tabSwitchResendsBothSelectionsChosenLast()
    {
        startWithHeadset();
        clickAndSettle(m_window->ui.radioButton_Stereo_Jazz);
        clickAndSettle(m_window->ui.radioButton_Surround_DeepBas);

        struct Switch {
            int tab;
            QList<int> numbers; // preset number of each SetPEQ frame, in order
            int tabStatus;
            QList<int> surroundSwitch;
        };
        const Switch switches[] = {
            {1, {16, 16, 3, 3}, 1, {1, 0, 0, 1}},
            {0, {3, 3, 16, 16}, 2, {1, 1, 0, 0}},
            {2, {}, 3, {}},
        };
        for (const Switch &expected : switches) {
            clearWrittenFrames();
            emit m_window->ui.tabWidget->tabBarClicked(expected.tab);
            settle();
            QList<int> numbers;
            for (const Frame &f : framesOf(kSetPeq))
                numbers.append(f.presetNumber());
            QCOMPARE(numbers, expected.numbers);
            QCOMPARE(m_window->m_fTabStatus, expected.tabStatus);
            const QList<Frame> sent = framesOf(kSetSwitch);
            QCOMPARE(sent.isEmpty() ? QList<int>() : sent.last().switchArgs(), expected.surroundSwitch);
        }
        QVERIFY(writtenFrames().isEmpty()); // the microphone page sends nothing
    }

    void sliderGateOpensOnTheFiveHundredthTick()
    {
        startWithHeadset();
        MainWindow &w = *m_window;
        clickAndSettle(w.ui.radioButton_Stereo_Jazz);
        // Custom slot 3 of the Stereo page selected.
        w.m_nStereoState = 202;
        w.m_nStereoCustomId = 43;
        w.m_nSliderSendReady = 0;
        w.m_nSliderMoved = 0;
        w.m_nSliderTick = 0;

        clearWrittenFrames();
        w.ui.verticalSlider_60->setValue(w.ui.verticalSlider_60->value() + 1);
        QCOMPARE(w.m_nSliderMoved, 1);
        const int gateTimer = w.m_nSliderTimerId;
        QVERIFY(gateTimer != 0);
        const auto tick = [&](int count) {
            for (int i = 0; i < count; ++i) {
                QTimerEvent event(gateTimer);
                QCoreApplication::sendEvent(&w, &event);
            }
        };
        tick(499);
        QCOMPARE(w.m_nSliderSendReady, 0);
        QVERIFY(framesOf(kSetPeq).isEmpty());
        // The opening sends the change the closed gate held back, and that send starts
        // a new period; with nothing left unsent the next opening stays open.
        tick(1);
        QList<Frame> peq = framesOf(kSetPeq);
        QCOMPARE(peq.size(), 2);
        QCOMPARE(peq[0].presetNumber(), 8);
        QCOMPARE(presetGains(peq, 0), sliderValues(stereoSliders(w)));
        QCOMPARE(w.m_nSliderSendReady, 0);
        tick(500);
        QCOMPARE(framesOf(kSetPeq).size(), 2);
        QCOMPARE(w.m_nSliderSendReady, 1);
        QCOMPARE(w.m_nSliderMoved, 0);
        QCOMPARE(w.m_nSliderTimerId, 0); // the gate timer rests while no count runs

        clearWrittenFrames();
        w.ui.verticalSlider_8k->setValue(w.ui.verticalSlider_8k->value() - 2);
        w.ui.verticalSlider_30->setValue(w.ui.verticalSlider_30->value() - 1);
        settle();
        peq = framesOf(kSetPeq);
        QCOMPARE(peq.size(), 2);
        QCOMPARE(peq[0].presetNumber(), 8);
        QList<int> expected = sliderValues(stereoSliders(w));
        expected[0] += 1; // the second change waited behind the closed gate
        QCOMPARE(presetGains(peq, 0), expected);
        // ... and goes out when the gate opens again.
        QVERIFY(waitUntil([] { return framesOf(kSetPeq).size() == 4; }, kGateWaitMs));
        QCOMPARE(presetGains(framesOf(kSetPeq), 2), sliderValues(stereoSliders(w)));
    }

    void gateStillOpensAfterTheReopenTimerIsKilled()
    {
        startWithHeadset();
        MainWindow &w = *m_window;
        // A removal kills the re-open timer and leaves its id behind; the next timer
        // started may get that id back.
        QVERIFY(waitUntil([&] { return w.m_nSliderTimerId == 0; }, kGateWaitMs));
        const int reopenTimer = w.m_nReconnectTimerId;
        QVERIFY(reopenTimer != 0);
        w.killTimer(reopenTimer);
        w.m_nSliderSendReady = 0;
        w.ui.verticalSlider_60->setValue(w.ui.verticalSlider_60->value() + 1);
        QCOMPARE(w.m_nSliderTimerId, reopenTimer);
        QVERIFY(waitUntil([&] { return w.m_nSliderSendReady == 1; }, kGateWaitMs));
        QCOMPARE(w.m_nSliderTimerId, 0);
    }

    void storedGainsLoadNeverSendsAHalfLoadedSet()
    {
        startWithHeadset();
        MainWindow &w = *m_window;
        w.m_nStereoState = 202;
        w.m_nStereoCustomId = 41;
        w.m_curStereoCustom.parameter = QStringLiteral("1,2,3,4,5,6,7,8,9,10");
        w.m_fStereoCustomLoaded = true;
        w.m_nSliderSendReady = 1;
        clearWrittenFrames();
        w.setStereoSlidersFromParameter();
        settle();
        const QList<Frame> peq = framesOf(kSetPeq);
        QCOMPARE(peq.size(), 2);
        QCOMPARE(peq[0].presetNumber(), 6);
        QCOMPARE(presetGains(peq, 0), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));

        // Loading the slot's gain strings sends nothing, gate open or not.
        for (int band = 0; band < 10; ++band)
            w.m_stereoGain.gains[static_cast<size_t>(band)] = QString::number(-band);
        w.m_nSliderSendReady = 1;
        clearWrittenFrames();
        w.setStereoSlidersFromStrings();
        settle();
        QVERIFY(framesOf(kSetPeq).isEmpty());
        QCOMPARE(w.ui.verticalSlider_16k->value(), -9);
    }

    void acknowledgementsNeverGiveASecondSwitch_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("switches");
        QTest::newRow("in order") << "in order" << 1;
        QTest::newRow("late") << "late" << 1;
        QTest::newRow("reversed") << "reversed" << 1;
        QTest::newRow("first lost") << "first lost" << 1;
        QTest::newRow("second lost") << "second lost" << 0;
        QTest::newRow("both lost") << "both lost" << 0;
    }

    void acknowledgementsNeverGiveASecondSwitch()
    {
        QFETCH(QString, mode);
        QFETCH(int, switches);
        startWithHeadset();
        if (mode == "late")
            setAnswerDelay(400);
        else if (mode == "first lost")
            loseAnswers(kSetPeq, 1);
        else if (mode != "in order")
            loseAnswers(kSetPeq, 2);
        clickAndSettle(m_window->ui.radioButton_Surround_FPS);
        if (mode == "reversed") {
            pushPeqAcknowledgement(5, 9);
            settle();
            pushPeqAcknowledgement(0, 4);
        } else if (mode == "second lost") {
            pushPeqAcknowledgement(0, 4);
        }
        settle();
        QCOMPARE(framesOf(kSetSwitch).size(), switches);
        if (switches)
            QCOMPARE(framesOf(kSetSwitch)[0].switchArgs(), (QList<int>{1, 1, 0, 0}));
    }

    void microphonePageAcknowledgementSendsNoSwitch()
    {
        startWithHeadset();
        emit m_window->ui.tabWidget->tabBarClicked(2);
        clickAndSettle(m_window->ui.radioButton_Stereo_Pop);
        QCOMPARE(framesOf(kSetPeq).size(), 2);
        QVERIFY(framesOf(kSetSwitch).isEmpty());
        QCOMPARE(g_nPEQAckFirstBand, 0);
        QCOMPARE(g_nPEQAckLastBand, 0);
    }

    void logLinesOfTheFirstStereoSliderAndTheFourthTab()
    {
        startWithHeadset();
        MainWindow &w = *m_window;
        {
            DebugLines log;
            w.ui.verticalSlider_30->setValue(w.ui.verticalSlider_30->value() + 1);
            w.ui.verticalSlider_60->setValue(w.ui.verticalSlider_60->value() + 1);
            QCOMPARE(log.count(QStringLiteral("SLOT Slider Value Change!")), 1);
        }
        {
            DebugLines log;
            const int status = w.m_fTabStatus;
            w.on_TabWidget_Clicked(3);
            QCOMPARE(log.count(QStringLiteral("当前设备不支持该算法")), 1);
            QCOMPARE(recordedPrompts(), QStringList{QStringLiteral("prompt|该功能暂未开放！")});
            QCOMPARE(w.m_fTabStatus, status);
        }
    }

    // Ordinary use logs every line, as the log's budget is there for floods only: a start
    // against a headset, a preset click on each page and page switches go into the day's
    // log whole, and no line is counted as left out.
    void ordinaryUseLogsEveryLine()
    {
        const QString dayLog = logFolder() + QDate::currentDate().toString(QStringLiteral("/yyyyMMdd/app_log.txt"));
        QFile::remove(dayLog);
        {
            const ProgramLog log;
            startWithHeadset();
            clickAndSettle(m_window->ui.radioButton_Stereo_Jazz);
            clickAndSettle(m_window->ui.radioButton_Surround_FPS);
            for (int tab : {1, 0, 2, 0}) {
                emit m_window->ui.tabWidget->tabBarClicked(tab);
                settle();
            }
            closeWindow(m_window);
            const QByteArray written = tw::readFileBytes(dayLog);
            QCOMPARE(int(written.count('\n')), log.lines());
            QVERIFY(!written.contains("left out"));
        }
    }

    void headsetWithAllZeroIdStillLoadsItsUserFile()
    {
        HeadsetSetup setup;
        setup.uuid = {{0, 0, 0, 0}};
        plugHeadset(setup);
        m_window = startWindow();
        settle();
        QVERIFY(QFile::exists(userFilePath(setup.pid, setup.uuid)));
        QCOMPARE(lastPreset(writtenFrames()).number, 19);
        QVERIFY(!m_window->m_currentDeviceInfo.defaultSurround.isEmpty());
    }
};

QTEST_MAIN(TestWindowMainRoad)
#include "test_window_mainroad.moc"
