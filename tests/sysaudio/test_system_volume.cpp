#include "PactlHelper.h"
#include "ServerSwitch.h"
#include "TestEnv.h"
#include "sysaudio/SystemVolume.h"
#include "sysaudio/VolumeSliders.h"

#include "../ui/MessageLog.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QSlider>
#include <QTextEdit>
#include <QtTest>

#include <cmath>
#include <csignal>
#include <memory>

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
// Changes are sent without waiting; the server has them a moment later.
constexpr int kServerHasIt = 2000;
// The pause after a failed connection is 2 s at first.
constexpr int kAfterTheRetryPause = 5000;
// What the GUI thread may spend on the volume layer in one call (a few ms; the margin
// covers sanitizer builds on a busy machine); waiting on a server's answer took 250 ms.
constexpr int kNoWait = 120;

// A sound server's socket that takes connections and never says a word: a stalled
// server, or (closing each at once) one that is not really there. Counts the tries.
// Once told to answer, it behaves as a server that has finished starting (as one
// started by the connection itself at log-on): every connection, those held so far
// included, goes on to a real server.
class SilentServer : public QObject {
public:
    explicit SilentServer(bool hangUp) : m_hangUp(hangUp)
    {
        const QString path = QDir::temp().filePath(QStringLiteral("tw-silent-%1").arg(QCoreApplication::applicationPid()));
        QLocalServer::removeServer(path);
        m_server.listen(path);
        QObject::connect(&m_server, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket *socket = m_server.nextPendingConnection()) {
                ++m_tries;
                if (m_hangUp)
                    socket->abort();
                else if (!m_answerFrom.isEmpty())
                    relay(socket);
                else
                    m_held.append(socket);
            }
        });
    }
    QByteArray address() const { return "unix:" + m_server.fullServerName().toLocal8Bit(); }
    int tries() const { return m_tries; }

    // The server goes away (stopped, crashed): every connection is cut and no new one
    // is taken.
    void goAway()
    {
        m_server.close();
        for (QLocalSocket *client : m_server.findChildren<QLocalSocket *>(QString(), Qt::FindDirectChildrenOnly))
            client->abort();
    }

    // From now on the server at `address` ("unix:<path>") answers through this socket.
    void answerFrom(const QByteArray &address)
    {
        m_answerFrom = QString::fromLocal8Bit(address.mid(int(qstrlen("unix:"))));
        for (QLocalSocket *held : qAsConst(m_held))
            relay(held);
        m_held.clear();
    }

private:
    void relay(QLocalSocket *client)
    {
        auto *server = new QLocalSocket(client);
        server->connectToServer(m_answerFrom);
        QVERIFY(server->waitForConnected(1000));
        const auto pass = [](QLocalSocket *from, QLocalSocket *to) {
            QObject::connect(from, &QLocalSocket::readyRead, to, [from, to] { to->write(from->readAll()); });
            QObject::connect(from, &QLocalSocket::disconnected, to, &QLocalSocket::disconnectFromServer);
        };
        pass(client, server);
        pass(server, client);
        server->write(client->readAll()); // what the program said while nobody answered
    }

    QLocalServer m_server;
    bool m_hangUp;
    int m_tries = 0;
    QString m_answerFrom;
    QList<QLocalSocket *> m_held;
};

// The longest a volume call on the GUI thread took.
class LongestCall {
public:
    template <typename Call>
    void time(Call call)
    {
        QElapsedTimer clock;
        clock.start();
        call();
        m_longest = qMax(m_longest, clock.elapsed());
    }
    qint64 ms() const { return m_longest; }

private:
    qint64 m_longest = 0;
};

// One synchronisation tick, as the window's timer runs it, and a user's moves.
void tickAndMove(VolumeWindow &window, LongestCall &longest)
{
    longest.time([&] { window.syncSurroundVolume(); });
    longest.time([&] { window.syncStereoAndMicVolume(); });
    longest.time([&] { window.Slider_Voice1->setValue(window.Slider_Voice1->value() == 30 ? 31 : 30); });
    longest.time([&] { window.Slider_Voice1_3->setValue(window.Slider_Voice1_3->value() == 30 ? 31 : 30); });
}

// Waits until the program's layer has the server's devices (connections are made
// without waiting, so a fresh one takes a moment).
bool connectedToServer()
{
    return QTest::qWaitFor([] { return raisedStep([] { getSystemVolume(); }).isEmpty(); }, kAfterTheRetryPause);
}

// The servers of a machine without a microphone, for the tests that take them as data:
// the server's address, and the pactl load-module arguments that give it a capture
// device named kNewMic (PipeWire's PulseAudio server has no null source module; a
// null node of the virtual-source class is its equivalent).
const QString kNewMic = QStringLiteral("tw_new_mic");
void machinesWithoutMicrophone()
{
    QTest::addColumn<QByteArray>("server");
    QTest::addColumn<QStringList>("newMicrophone");
    QTest::newRow("PulseAudio") << qgetenv("TW_PULSE_BARE_SERVER")
                                << QStringList{QStringLiteral("module-null-source"), "source_name=" + kNewMic};
    QTest::newRow("PipeWire") << qgetenv("TW_PIPEWIRE_BARE_SERVER")
                              << QStringList{QStringLiteral("module-null-sink"),
                                             QStringLiteral("media.class=Audio/Source/Virtual"), "sink_name=" + kNewMic};
}

// Puts a source at a level and mute state, as the user's own sound settings would.
void setSource(const QString &source, const QString &level, bool mute)
{
    pactl::run({QStringLiteral("set-source-volume"), source, level});
    pactl::run({QStringLiteral("set-source-mute"), source, mute ? QStringLiteral("1") : QStringLiteral("0")});
}

QString defaultSource()
{
    return pactl::run({QStringLiteral("get-default-source")}).trimmed();
}
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

    void init()
    {
        pactl::resetDevices();
        QVERIFY(connectedToServer());
    }

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
        QTRY_COMPARE_WITH_TIMEOUT(pactl::percent(kSink, kSpeakers), 53, kServerHasIt);
        QCOMPARE(pactl::percent(kSink, kHeadphones), 100);  // only the default output moves
    }

    void outputKeepsBalanceAndStaysInRange()
    {
        pactl::run({QStringLiteral("set-sink-volume"), kSpeakers, QStringLiteral("40%"), QStringLiteral("80%")});
        QTRY_COMPARE_WITH_TIMEOUT(getSystemVolume(), 80, kWithinOneTick);
        setSystemVolume(50);
        QTRY_COMPARE_WITH_TIMEOUT(pactl::percent(kSink, kSpeakers), 50, kServerHasIt);
        const QVector<unsigned> channels = pactl::volumes(kSink, kSpeakers);
        QCOMPARE(channels.size(), 2);
        QVERIFY(qAbs(int(channels[1]) - 32768) <= 1);
        QVERIFY(qAbs(int(channels[0]) * 2 - int(channels[1])) <= 2);

        setSystemVolume(150);
        QTRY_COMPARE_WITH_TIMEOUT(pactl::volumes(kSink, kSpeakers), QVector<unsigned>({32768, 65536}), kServerHasIt);
        setSystemVolume(-5);
        QTRY_COMPARE_WITH_TIMEOUT(pactl::volumes(kSink, kSpeakers), QVector<unsigned>({0, 0}), kServerHasIt);

        pactl::run({QStringLiteral("set-sink-volume"), kSpeakers, QStringLiteral("150%")});
        QTRY_COMPARE_WITH_TIMEOUT(getSystemVolume(), 100, kWithinOneTick);
    }

    void balanceSurvivesSilence()
    {
        pactl::run({QStringLiteral("set-sink-volume"), kSpeakers, QStringLiteral("79%"), QStringLiteral("20%")});
        pactl::run({QStringLiteral("set-source-volume"), kHeadsetMic, QStringLiteral("80%"), QStringLiteral("40%")});
        VolumeWindow window;
        QTRY_COMPARE_WITH_TIMEOUT(window.Slider_Voice1_3->value(), 80, kWithinOneTick);
        QCOMPARE(window.Slider_Voice1->value(), 79);

        window.Slider_Voice1->setValue(0);
        window.Slider_Voice1_3->setValue(0);
        QTRY_COMPARE_WITH_TIMEOUT(pactl::volumes(kSink, kSpeakers), QVector<unsigned>({0, 0}), kServerHasIt);
        QTRY_COMPARE_WITH_TIMEOUT(pactl::volumes(kSource, kHeadsetMic), QVector<unsigned>({0, 0}), kServerHasIt);
        QTest::qWait(300); // a few ticks at 0
        window.Slider_Voice1->setValue(100);
        window.Slider_Voice1_3->setValue(100);
        const auto speakersRight = int(std::lround(65536 * 20.0 / 79.0));
        QTRY_COMPARE_WITH_TIMEOUT(pactl::volumes(kSink, kSpeakers).value(0), 65536u, kServerHasIt);
        QVERIFY(qAbs(int(pactl::volumes(kSink, kSpeakers).value(1)) - speakersRight) <= 300);
        QTRY_COMPARE_WITH_TIMEOUT(pactl::volumes(kSource, kHeadsetMic), QVector<unsigned>({65536, 32768}), kServerHasIt);
    }

    void micLevelIsTheHeadsetsMicrophoneAndNoOtherIsTouched()
    {
        pactl::run({QStringLiteral("set-source-volume"), kHeadsetMic, QStringLiteral("20%")});
        pactl::run({QStringLiteral("set-source-volume"), kUsbMic, QStringLiteral("60%")});
        pactl::run({QStringLiteral("set-default-source"), kUsbMic});
        int mic = 0;
        QTRY_VERIFY_WITH_TIMEOUT((getMicVolume(mic), mic == 20), kWithinOneTick);

        pactl::run({QStringLiteral("set-source-mute"), kHeadsetMic, QStringLiteral("1")});
        pactl::run({QStringLiteral("set-source-mute"), kUsbMic, QStringLiteral("1")});
        setMicMuteAndVolume(false, 35.0f);
        QTRY_COMPARE_WITH_TIMEOUT(pactl::percent(kSource, kHeadsetMic), 35, kServerHasIt);
        QTRY_VERIFY_WITH_TIMEOUT(!pactl::muted(kSource, kHeadsetMic), kServerHasIt);
        QCOMPARE(pactl::percent(kSource, kUsbMic), 60);
        QVERIFY(pactl::muted(kSource, kUsbMic));
        for (const QString &monitor : kMonitors)
            QCOMPARE(pactl::percent(kSource, monitor), 100);
    }

    void withoutTheHeadsetsMicrophoneTheDefaultOneIsUsed()
    {
        const QString emptyServer = QString::fromLocal8Bit(qgetenv("TW_PULSE_EMPTY_SERVER"));
        const QString lone = QStringLiteral("tw_lone_mic");
        ServerSwitch empty(emptyServer.toLocal8Bit());
        pactl::run({QStringLiteral("-s"), emptyServer, QStringLiteral("set-source-volume"), lone, QStringLiteral("45%")});
        int mic = 0;
        QTRY_VERIFY_WITH_TIMEOUT((getMicVolume(mic), mic == 45), kWithinOneTick);
        setMicMuteAndVolume(false, 25.0f);
        QTRY_VERIFY_WITH_TIMEOUT(
            pactl::run({QStringLiteral("-s"), emptyServer, QStringLiteral("get-source-volume"), lone})
                .contains(QStringLiteral("25%")),
            kServerHasIt);
        pulse::disconnect();
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

    void micSliderMovesAndUnmutesOnlyTheHeadsetsMicrophone()
    {
        pactl::run({QStringLiteral("set-source-mute"), kHeadsetMic, QStringLiteral("1")});
        pactl::run({QStringLiteral("set-source-volume"), kUsbMic, QStringLiteral("30%")});
        pactl::run({QStringLiteral("set-source-mute"), kUsbMic, QStringLiteral("1")});
        pactl::run({QStringLiteral("set-source-volume"), kMonitors[0], QStringLiteral("90%")});
        pactl::run({QStringLiteral("set-source-mute"), kMonitors[0], QStringLiteral("1")});
        VolumeWindow window;
        QTRY_COMPARE_WITH_TIMEOUT(window.Slider_Voice1_3->value(), 100, kWithinOneTick);
        QVERIFY(pactl::muted(kSource, kHeadsetMic));  // following the level did not unmute

        window.Slider_Voice1_3->setValue(40);
        QCOMPARE(window.textEdit_3->toPlainText(), QStringLiteral("40"));
        QTRY_COMPARE_WITH_TIMEOUT(pactl::percent(kSource, kHeadsetMic), 40, kServerHasIt);
        QTRY_VERIFY_WITH_TIMEOUT(!pactl::muted(kSource, kHeadsetMic), kServerHasIt);
        QTest::qWait(300);
        QCOMPARE(window.Slider_Voice1_3->value(), 40);
        // The other microphone and the monitors: muted and unchanged.
        QCOMPARE(pactl::percent(kSource, kUsbMic), 30);
        QVERIFY(pactl::muted(kSource, kUsbMic));
        QCOMPARE(pactl::percent(kSource, kMonitors[0]), 90);
        QVERIFY(pactl::muted(kSource, kMonitors[0]));
    }

    void micMutedElsewhereStaysMutedThroughTicks()
    {
        VolumeWindow window;
        QTRY_COMPARE_WITH_TIMEOUT(window.Slider_Voice1_3->value(), 100, kWithinOneTick);
        pactl::run({QStringLiteral("set-source-mute"), kHeadsetMic, QStringLiteral("1")});
        pactl::run({QStringLiteral("set-source-volume"), kHeadsetMic, QStringLiteral("70%")});
        QTRY_COMPARE_WITH_TIMEOUT(window.Slider_Voice1_3->value(), 70, kWithinOneTick);
        QCOMPARE(window.textEdit_3->toPlainText(), QStringLiteral("70"));
        QTest::qWait(1000);
        QVERIFY(pactl::muted(kSource, kHeadsetMic));
        QCOMPARE(pactl::percent(kSource, kHeadsetMic), 70);
    }

    // Without a capture device the server makes the output's monitor its default one:
    // the window must neither show its level nor move, unmute or turn it down (that
    // would change what a recording of the desktop's sound gets).
    void micSliderLeavesTheMonitorAloneWithoutAMicrophone_data() { machinesWithoutMicrophone(); }
    void micSliderLeavesTheMonitorAloneWithoutAMicrophone()
    {
        QFETCH(QByteArray, server);
        ServerSwitch bare(server);
        QCOMPARE(defaultSource(), kOnlyOutputMonitor);
        setSource(kOnlyOutputMonitor, QStringLiteral("70%"), true);
        QVERIFY(connectedToServer());
        VolumeWindow window;
        QTest::qWait(300); // ticks with the server's devices known
        QCOMPARE(window.Slider_Voice1_3->value(), 0); // the form's place, not the monitor's 70

        window.Slider_Voice1_3->setValue(90);
        window.Slider_Voice1_3->setValue(40);
        QCOMPARE(window.textEdit_3->toPlainText(), QStringLiteral("40"));
        // The output's change goes out after any change of the microphone on the same
        // connection: once the server has it, it has had the other one as well.
        window.Slider_Voice1->setValue(33);
        QTRY_COMPARE_WITH_TIMEOUT(pactl::percent(kSink, kOnlyOutput), 33, kServerHasIt);
        QTest::qWait(300); // a tick or more
        QCOMPARE(window.Slider_Voice1_3->value(), 40); // kept, not dropped to 0
        QCOMPARE(pactl::percent(kSource, kOnlyOutputMonitor), 70);
        QVERIFY(pactl::muted(kSource, kOnlyOutputMonitor));
        pulse::disconnect();
    }

    // A microphone plugged in later is the window's microphone as before; unplugged
    // again, the slider stays where it was.
    void aMicrophonePluggedInLaterIsSetAndTheMonitorStill_data() { machinesWithoutMicrophone(); }
    void aMicrophonePluggedInLaterIsSetAndTheMonitorStill()
    {
        QFETCH(QByteArray, server);
        QFETCH(QStringList, newMicrophone);
        ServerSwitch bare(server);
        setSource(kOnlyOutputMonitor, QStringLiteral("70%"), true);
        const QString module = pactl::run(QStringList{QStringLiteral("load-module")} + newMicrophone).trimmed();
        QVERIFY(!module.isEmpty());
        struct Unplug {
            QString module;
            ~Unplug() { pactl::run({QStringLiteral("unload-module"), module}); }
        } unplug{module};
        QTRY_COMPARE_WITH_TIMEOUT(defaultSource(), kNewMic, kServerHasIt);
        setSource(kNewMic, QStringLiteral("55%"), true);
        QVERIFY(connectedToServer());
        VolumeWindow window;
        QTRY_COMPARE_WITH_TIMEOUT(window.Slider_Voice1_3->value(), 55, kWithinOneTick);

        window.Slider_Voice1_3->setValue(30);
        QTRY_COMPARE_WITH_TIMEOUT(pactl::percent(kSource, kNewMic), 30, kServerHasIt);
        QTRY_VERIFY_WITH_TIMEOUT(!pactl::muted(kSource, kNewMic), kServerHasIt);
        QCOMPARE(pactl::percent(kSource, kOnlyOutputMonitor), 70);
        QVERIFY(pactl::muted(kSource, kOnlyOutputMonitor));

        pactl::run({QStringLiteral("unload-module"), module});
        QTRY_COMPARE_WITH_TIMEOUT(defaultSource(), kOnlyOutputMonitor, kServerHasIt);
        QTest::qWait(500);
        QCOMPARE(window.Slider_Voice1_3->value(), 30);
        window.Slider_Voice1_3->setValue(80);
        QTest::qWait(300);
        QCOMPARE(window.Slider_Voice1_3->value(), 80);
        QCOMPARE(pactl::percent(kSource, kOnlyOutputMonitor), 70);
        QVERIFY(pactl::muted(kSource, kOnlyOutputMonitor));
        pulse::disconnect();
    }

    // The server stops while the window runs: every slider stays where it was, the
    // microphone's as the outputs', also when the user moves it.
    void serverGoneLeavesEverySliderWhereItWas()
    {
        pactl::run({QStringLiteral("set-sink-volume"), kSpeakers, QStringLiteral("37%")});
        pactl::run({QStringLiteral("set-source-volume"), kHeadsetMic, QStringLiteral("64%")});
        SilentServer server(false);
        server.answerFrom(qgetenv("PULSE_SERVER"));
        ServerSwitch through(server.address());
        QVERIFY(connectedToServer());
        VolumeWindow window;
        QTRY_COMPARE_WITH_TIMEOUT(window.Slider_Voice1_3->value(), 64, kWithinOneTick);
        QTRY_COMPARE_WITH_TIMEOUT(window.Slider_Voice1_2->value(), 37, kWithinOneTick);

        server.goAway();
        QTRY_COMPARE_WITH_TIMEOUT(raisedStep([] { getSystemVolume(); }), QByteArray("CoCreateInstance"), kServerHasIt);
        QTest::qWait(300);
        QCOMPARE(window.Slider_Voice1->value(), 37);
        QCOMPARE(window.Slider_Voice1_2->value(), 37);
        QCOMPARE(window.Slider_Voice1_3->value(), 64);
        window.Slider_Voice1_3->setValue(20);
        QTest::qWait(300);
        QCOMPARE(window.Slider_Voice1_3->value(), 20);
        QCOMPARE(window.textEdit_3->toPlainText(), QStringLiteral("20"));
        pulse::disconnect();
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
        // The server is back: a call after the pause connects again by itself.
        QTRY_VERIFY_WITH_TIMEOUT(raisedStep([] { getSystemVolume(); }).isEmpty(), kAfterTheRetryPause);
        QCOMPARE(getSystemVolume(), 100);
    }

    void anAbsentOrStalledServerCostsNoConnectionStormNoWaitAndIsLoggedOnce()
    {
        for (const bool hangUp : {true, false}) {
            SilentServer server(hangUp);
            ServerSwitch silent(server.address());
            MessageLog log;
            LongestCall longest;
            QElapsedTimer clock;
            clock.start();
            std::unique_ptr<VolumeWindow> window;
            longest.time([&] { window = std::make_unique<VolumeWindow>(); });
            window->Slider_Voice1->setValue(30); // the window answers all along
            QCOMPARE(window->textEdit->toPlainText(), QStringLiteral("30"));
            // Through the first try, its failure and the try after the 2 s pause, the
            // ticks (the window's own ones too) never wait for the server.
            qint64 longestRound = 0;
            while (clock.elapsed() < 3600) {
                QElapsedTimer round;
                round.start();
                tickAndMove(*window, longest);
                QTest::qWait(10);
                longestRound = qMax(longestRound, round.elapsed());
            }
            QVERIFY2(longest.ms() < kNoWait, qPrintable(QString::number(longest.ms())));
            QVERIFY2(longestRound < kNoWait + 100, qPrintable(QString::number(longestRound)));
            // The first try and one more after the pause: not ten a second.
            QVERIFY2(server.tries() == 2, qPrintable(QString::number(server.tries())));
            QCOMPARE(MessageLog::warningsContaining(QStringLiteral("[SystemVolume::CoCreateInstance Fail!]")).size(), 1);
            MessageLog::clear();
        }
        pulse::disconnect();
    }

    void aServerThatAnswersLateIsFollowedWithoutWaiting()
    {
        pactl::run({QStringLiteral("set-sink-volume"), kSpeakers, QStringLiteral("37%")});
        pactl::run({QStringLiteral("set-source-volume"), kHeadsetMic, QStringLiteral("64%")});
        pactl::run({QStringLiteral("set-source-mute"), kHeadsetMic, QStringLiteral("1")});
        const QByteArray realServer = qgetenv("PULSE_SERVER");
        SilentServer starting(false);
        ServerSwitch silent(starting.address());
        MessageLog log;
        LongestCall longest;
        std::unique_ptr<VolumeWindow> window;
        longest.time([&] { window = std::make_unique<VolumeWindow>(); });
        for (int i = 0; i < 10; ++i) {
            longest.time([&] { window->syncSurroundVolume(); });
            longest.time([&] { window->syncStereoAndMicVolume(); });
            QTest::qWait(20);
        }
        QVERIFY2(longest.ms() < kNoWait, qPrintable(QString::number(longest.ms())));
        QCOMPARE(window->textEdit->toPlainText(), QString()); // nothing known yet
        // Not a failure: the connection is still being made.
        QVERIFY(MessageLog::warningsContaining(QStringLiteral("SystemVolume")).isEmpty());

        starting.answerFrom(realServer);
        QTRY_COMPARE_WITH_TIMEOUT(window->Slider_Voice1->value(), 37, kAfterTheRetryPause);
        QTRY_COMPARE_WITH_TIMEOUT(window->Slider_Voice1_2->value(), 37, kWithinOneTick);
        QTRY_COMPARE_WITH_TIMEOUT(window->Slider_Voice1_3->value(), 64, kWithinOneTick);
        QCOMPARE(window->textEdit->toPlainText(), QStringLiteral("37"));
        QCOMPARE(window->textEdit_2->toPlainText(), QStringLiteral("37"));
        QCOMPARE(window->textEdit_3->toPlainText(), QStringLiteral("64"));
        // Shown, not written back; the mute set elsewhere stays.
        QTest::qWait(300);
        const auto onRealServer = [&](const QString &query, const QString &device) {
            return pactl::run({QStringLiteral("-s"), QString::fromLocal8Bit(realServer), query, device});
        };
        QVERIFY(onRealServer(QStringLiteral("get-sink-volume"), kSpeakers).contains(QStringLiteral(" 37%")));
        QVERIFY(onRealServer(QStringLiteral("get-source-volume"), kHeadsetMic).contains(QStringLiteral(" 64%")));
        QVERIFY(onRealServer(QStringLiteral("get-source-mute"), kHeadsetMic).contains(QStringLiteral("yes")));
        window.reset();
        pulse::disconnect();
    }

    void noDefaultOutputRaisesItsStep()
    {
        ServerSwitch empty(qgetenv("TW_PULSE_EMPTY_SERVER"));
        QTRY_COMPARE_WITH_TIMEOUT(raisedStep([] { getSystemVolume(); }), QByteArray("GetDefaultAudioEndpoint"),
                                  kAfterTheRetryPause);
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
        QTRY_VERIFY_WITH_TIMEOUT(raisedStep([] { getSystemVolume(); }).isEmpty(), kAfterTheRetryPause);
        QCOMPARE(getSystemVolume(), 100);  // connected before the stall

        QVERIFY(::kill(server, SIGSTOP) == 0);
        struct Resume {
            pid_t pid;
            ~Resume() { ::kill(pid, SIGCONT); }
        } resume{server};
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 10; ++i) {
            QVERIFY(raisedStep([] { getSystemVolume(); }).isEmpty()); // what the server said last
            setSystemVolume(60);
            setMicMuteAndVolume(false, 60.0f);
        }
        QVERIFY2(clock.elapsed() < 200, "no call may wait on a stalled server");

        ::kill(server, SIGCONT);
        QTRY_COMPARE_WITH_TIMEOUT(pactl::percent(kSink, kSpeakers), 60, kServerHasIt);
        QTRY_COMPARE_WITH_TIMEOUT(pactl::percent(kSource, kHeadsetMic), 60, kServerHasIt);
    }
};

QTEST_MAIN(TestSystemVolume)
#include "test_system_volume.moc"
