#include "PactlHelper.h"
#include "ServerSwitch.h"
#include "TestEnv.h"
#include "sysaudio/SystemVolume.h"
#include "sysaudio/VolumeSliders.h"

#include <QSlider>
#include <QTextEdit>
#include <QtTest>

#include <csignal>

// Stands in for the main window: the three sliders and value boxes as the form makes
// them (0..100, start at 0), with the volume behaviour mixed in.
class VolumeWindow : public QWidget, public VolumeSliders {
public:
    VolumeWindow()
    {
        for (QSlider *slider : {Slider_Voice1, Slider_Voice1_2, Slider_Voice1_3})
            slider->setRange(0, 100);
        initVolumeSliders(this, {Slider_Voice1, textEdit, Slider_Voice1_2, textEdit_2, Slider_Voice1_3, textEdit_3});
    }

    QSlider *Slider_Voice1 = new QSlider(Qt::Horizontal, this);
    QTextEdit *textEdit = new QTextEdit(this);
    QSlider *Slider_Voice1_2 = new QSlider(Qt::Horizontal, this);
    QTextEdit *textEdit_2 = new QTextEdit(this);
    QSlider *Slider_Voice1_3 = new QSlider(Qt::Horizontal, this);
    QTextEdit *textEdit_3 = new QTextEdit(this);
};

namespace {
// One synchronisation tick is 100 ms; the margin covers slow (sanitizer) builds.
constexpr int kWithinOneTick = 500;
}

class TestSystemVolume : public QObject {
    Q_OBJECT
public:
    static void initMain() { tw::isolateTestEnvironment(); }

private slots:
    void initTestCase()
    {
        QVERIFY2(!qgetenv("PULSE_SERVER").isEmpty(), "run through ctest: the fixture starts the server");
        QVERIFY2(pactl::run({QStringLiteral("info")}).contains(QStringLiteral("Server")), "test server not reachable");
    }

    void init() { pactl::resetDevices(); }

    void everyPercentReadsBackAsItself()
    {
        for (int percent = 0; percent <= 100; ++percent) {
            setSystemVolume(percent);
            QCOMPARE(getSystemVolume(), percent);
            setMicMuteAndVolume(false, static_cast<float>(percent));
            int mic = -1;
            getMicVolume(mic);
            QCOMPARE(mic, percent);
        }
        setSystemVolume(53);
        QCOMPARE(pactl::percent(kSink, kSpeakers), 53);
        QCOMPARE(pactl::percent(kSink, kHeadphones), 100);  // only the default output moves
    }

    void outputKeepsBalanceAndStaysInRange()
    {
        pactl::run({QStringLiteral("set-sink-volume"), kSpeakers, QStringLiteral("40%"), QStringLiteral("80%")});
        setSystemVolume(50);
        const QVector<unsigned> channels = pactl::volumes(kSink, kSpeakers);
        QCOMPARE(channels.size(), 2);
        QVERIFY(qAbs(int(channels[1]) - 32768) <= 1);
        QVERIFY(qAbs(int(channels[0]) * 2 - int(channels[1])) <= 2);

        setSystemVolume(150);
        QCOMPARE(pactl::volumes(kSink, kSpeakers), QVector<unsigned>({32768, 65536}));
        setSystemVolume(-5);
        QCOMPARE(pactl::volumes(kSink, kSpeakers), QVector<unsigned>({0, 0}));

        pactl::run({QStringLiteral("set-sink-volume"), kSpeakers, QStringLiteral("150%")});
        QCOMPARE(getSystemVolume(), 100);
    }

    void micLevelIsTheLastMicrophonesAndMonitorsAreLeftAlone()
    {
        pactl::run({QStringLiteral("set-source-volume"), kHeadsetMic, QStringLiteral("20%")});
        pactl::run({QStringLiteral("set-source-volume"), kUsbMic, QStringLiteral("60%")});
        int mic = 0;
        getMicVolume(mic);
        QCOMPARE(mic, 60);

        pactl::run({QStringLiteral("set-source-mute"), kHeadsetMic, QStringLiteral("1")});
        setMicMuteAndVolume(false, 35.0f);
        for (const QString &source : {kHeadsetMic, kUsbMic}) {
            QCOMPARE(pactl::percent(kSource, source), 35);
            QVERIFY(!pactl::muted(kSource, source));
        }
        for (const QString &monitor : kMonitors)
            QCOMPARE(pactl::percent(kSource, monitor), 100);
    }

    void startShowsTheOutputAndWritesNothingBack()
    {
        pactl::run({QStringLiteral("set-sink-volume"), kSpeakers, QStringLiteral("150%")});
        VolumeWindow window;
        for (QTextEdit *box : {window.textEdit, window.textEdit_2, window.textEdit_3})
            QCOMPARE(box->toPlainText(), QStringLiteral("100"));
        QCOMPARE(window.Slider_Voice1->value(), 100);
        QCOMPARE(window.Slider_Voice1_2->value(), 100);
        QCOMPARE(window.Slider_Voice1_3->value(), 0);
        QTest::qWait(500);
        // Above normal is shown as 100 but never forced down.
        QCOMPARE(pactl::volumes(kSink, kSpeakers), QVector<unsigned>({98304, 98304}));
    }

    void outputSliderSetsTheDefaultOutputAndBothSlidersFollow()
    {
        pactl::run({QStringLiteral("set-sink-volume"), kSpeakers, QStringLiteral("70%")});
        VolumeWindow window;
        window.Slider_Voice1->setValue(30);
        QCOMPARE(pactl::percent(kSink, kSpeakers), 30);
        QCOMPARE(window.textEdit->toPlainText(), QStringLiteral("30"));
        QTRY_COMPARE_WITH_TIMEOUT(window.Slider_Voice1_2->value(), 30, kWithinOneTick);
        QCOMPARE(window.textEdit_2->toPlainText(), QStringLiteral("30"));

        pactl::run({QStringLiteral("set-sink-volume"), QStringLiteral("@DEFAULT_SINK@"), QStringLiteral("64%")});
        QTRY_COMPARE_WITH_TIMEOUT(window.Slider_Voice1->value(), 64, kWithinOneTick);
        QTRY_COMPARE_WITH_TIMEOUT(window.Slider_Voice1_2->value(), 64, kWithinOneTick);
        QCOMPARE(window.textEdit->toPlainText(), QStringLiteral("64"));
        QCOMPARE(window.textEdit_2->toPlainText(), QStringLiteral("64"));
        QCOMPARE(pactl::percent(kSink, kHeadphones), 100);
    }

    void micSliderSetsAndUnmutesEveryMicrophone()
    {
        pactl::run({QStringLiteral("set-source-mute"), kHeadsetMic, QStringLiteral("1")});
        pactl::run({QStringLiteral("set-source-mute"), kUsbMic, QStringLiteral("1")});
        pactl::run({QStringLiteral("set-source-volume"), kMonitors[0], QStringLiteral("90%")});
        pactl::run({QStringLiteral("set-source-mute"), kMonitors[0], QStringLiteral("1")});
        VolumeWindow window;
        QTRY_COMPARE_WITH_TIMEOUT(window.Slider_Voice1_3->value(), 100, kWithinOneTick);
        QVERIFY(pactl::muted(kSource, kUsbMic));  // following the level did not unmute

        window.Slider_Voice1_3->setValue(40);
        QCOMPARE(window.textEdit_3->toPlainText(), QStringLiteral("40"));
        for (const QString &source : {kHeadsetMic, kUsbMic}) {
            QCOMPARE(pactl::percent(kSource, source), 40);
            QVERIFY(!pactl::muted(kSource, source));
        }
        QCOMPARE(pactl::percent(kSource, kMonitors[0]), 90);
        QVERIFY(pactl::muted(kSource, kMonitors[0]));
    }

    void micMutedElsewhereStaysMutedThroughTicks()
    {
        VolumeWindow window;
        QTRY_COMPARE_WITH_TIMEOUT(window.Slider_Voice1_3->value(), 100, kWithinOneTick);
        for (const QString &source : {kHeadsetMic, kUsbMic})
            pactl::run({QStringLiteral("set-source-mute"), source, QStringLiteral("1")});
        pactl::run({QStringLiteral("set-source-volume"), kUsbMic, QStringLiteral("70%")});
        QTRY_COMPARE_WITH_TIMEOUT(window.Slider_Voice1_3->value(), 70, kWithinOneTick);
        QCOMPARE(window.textEdit_3->toPlainText(), QStringLiteral("70"));
        QTest::qWait(1000);
        for (const QString &source : {kHeadsetMic, kUsbMic})
            QVERIFY(pactl::muted(kSource, source));
        QCOMPARE(pactl::percent(kSource, kHeadsetMic), 100);
        QCOMPARE(pactl::percent(kSource, kUsbMic), 70);
    }

    void noServerRaisesTheFirstStepAndTheWindowLives()
    {
        {
            ServerSwitch none("unix:/nonexistent/tonewright/native");
            QCOMPARE(raisedStep([] { getSystemVolume(); }), QByteArray("CoCreateInstance"));
            QCOMPARE(raisedStep([] { setSystemVolume(40); }), QByteArray("CoCreateInstance"));
            QCOMPARE(raisedStep([] { setMicMuteAndVolume(false, 40.0f); }), QByteArray());
            int mic = 77;
            getMicVolume(mic);
            QCOMPARE(mic, 77);

            VolumeWindow window;
            QCOMPARE(window.textEdit_2->toPlainText(), QString());
            QCOMPARE(window.Slider_Voice1->value(), 0);
            window.Slider_Voice1_2->setValue(45);
            QCOMPARE(window.textEdit_2->toPlainText(), QStringLiteral("45"));
            QTest::qWait(300);
            QCOMPARE(window.Slider_Voice1_2->value(), 45);  // an unreadable volume leaves it alone
        }
        // The server is back: the next call connects again by itself.
        QCOMPARE(getSystemVolume(), 100);
    }

    void noDefaultOutputRaisesItsStep()
    {
        ServerSwitch empty(qgetenv("TW_PULSE_EMPTY_SERVER"));
        QCOMPARE(raisedStep([] { getSystemVolume(); }), QByteArray("GetDefaultAudioEndpoint"));
        QCOMPARE(raisedStep([] { setSystemVolume(40); }), QByteArray("GetDefaultAudioEndpoint"));
        VolumeWindow window;
        window.Slider_Voice1->setValue(20);
        QCOMPARE(window.textEdit->toPlainText(), QStringLiteral("20"));
        QTest::qWait(300);
        QCOMPARE(window.Slider_Voice1->value(), 20);
        pulse::disconnect();
    }

    void stalledServerNeitherFreezesNorStaysLost()
    {
        QFile pidFile(QString::fromLocal8Bit(qgetenv("TW_PULSE_MAIN_PID_FILE")));
        QVERIFY(pidFile.open(QIODevice::ReadOnly));
        const pid_t server = static_cast<pid_t>(pidFile.readAll().trimmed().toInt());
        QVERIFY(server > 0);
        QCOMPARE(getSystemVolume(), 100);  // connected before the stall

        QVERIFY(::kill(server, SIGSTOP) == 0);
        struct Resume {
            pid_t pid;
            ~Resume() { ::kill(pid, SIGCONT); }
        } resume{server};
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(raisedStep([] { getSystemVolume(); }), QByteArray("CoCreateInstance"));
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        clock.restart();
        for (int i = 0; i < 10; ++i)
            QVERIFY(!raisedStep([] { getSystemVolume(); }).isEmpty());
        QVERIFY2(clock.elapsed() < 200, "calls right after a time-out must fail at once");

        ::kill(server, SIGCONT);
        QTRY_VERIFY_WITH_TIMEOUT(raisedStep([] { getSystemVolume(); }).isEmpty(), 5000);
    }
};

QTEST_MAIN(TestSystemVolume)
#include "test_system_volume.moc"
