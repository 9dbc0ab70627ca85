#include "PactlHelper.h"
#include "ServerSwitch.h"
#include "TestEnv.h"
#include "sysaudio/AudioEndpoints.h"
#include "sysaudio/MixerWrap.h"

#include <QtTest>

#include <memory>

class TestAudioEndpoints : public QObject {
    Q_OBJECT
public:
    static void initMain() { tw::isolateTestEnvironment(); }

private slots:
    void initTestCase()
    {
        QVERIFY2(pactl::run({QStringLiteral("info")}).contains(QStringLiteral("Server")), "test server not reachable");
    }

    void init() { pactl::resetDevices(); }

    void renderEndpointsAreSetTogetherWithinRange()
    {
        setRenderEndpointsVolume(150.0f);
        for (const QString &sink : {kSpeakers, kHeadphones})
            QCOMPARE(pactl::percent(kSink, sink), 100);
        setRenderEndpointsVolume(-5.0f);
        for (const QString &sink : {kSpeakers, kHeadphones})
            QCOMPARE(pactl::percent(kSink, sink), 0);

        float percent = 12.25f;
        getRenderEndpointsVolume(percent);
        QCOMPARE(percent, 12.25f);  // every output at 0: left alone

        pactl::run({QStringLiteral("set-sink-volume"), kHeadphones, QStringLiteral("32768")});
        getRenderEndpointsVolume(percent);
        QCOMPARE(percent, 50.5f);
    }

    void speakerMuteTouchesOnlyTheSpeakers()
    {
        setSpeakerMuteAndVolume(true, 30.0f);
        QVERIFY(pactl::muted(kSink, kSpeakers));
        QCOMPARE(pactl::percent(kSink, kSpeakers), 100);
        QVERIFY(!pactl::muted(kSink, kHeadphones));

        setSpeakerMuteAndVolume(false, 0.0f);
        QVERIFY(!pactl::muted(kSink, kSpeakers));
        QCOMPARE(pactl::percent(kSink, kSpeakers), 0);
        QCOMPARE(pactl::percent(kSink, kHeadphones), 100);
    }

    void mixerMicrophoneLineIsEveryMicrophone()
    {
        mixerSetMicMute(true);
        for (const QString &source : {kHeadsetMic, kUsbMic})
            QVERIFY(pactl::muted(kSource, source));
        for (const QString &monitor : kMonitors)
            QVERIFY(!pactl::muted(kSource, monitor));

        mixerSetMicVolume(32768);
        QCOMPARE(pactl::percent(kSource, kUsbMic), 50);
        mixerSetMicInputVolume(65535);
        QCOMPARE(pactl::percent(kSource, kHeadsetMic), 100);
        mixerSetMicInputVolume(-10);
        QCOMPARE(pactl::percent(kSource, kHeadsetMic), 0);

        // No boost control and no stereo-mix line on the server: nothing changes.
        mixerSetMicBoost(true);
        mixerSetStereoMixMute(true);
        mixerSetStereoMixVolume(0);
        QVERIFY(pactl::muted(kSource, kUsbMic));
        QCOMPARE(pactl::percent(kSource, kMonitors[0]), 100);
        float level = 3.0f, low = 1.0f, high = 2.0f, step = 0.5f;
        QCOMPARE(getMicBoostLevel(level), kAudioNotFound);
        QCOMPARE(getMicBoostRange(low, high, step), kAudioNotFound);
        QCOMPARE(setMicBoostLevel(10.0f), kAudioNotFound);
        QCOMPARE(level, 3.0f);
    }

    void recordingSourceIsChosenByName()
    {
        QCOMPARE(mixerSelectRecordingSourceByName(L"麦克风"), 1);
        QVERIFY(pactl::run({QStringLiteral("get-default-source")}).contains(kUsbMic));
        QCOMPARE(mixerSelectRecordingSourceByName(L"no such input"), 1);
        QVERIFY(pactl::run({QStringLiteral("get-default-source")}).contains(kUsbMic));
        QCOMPARE(mixerSelectRecordingSource(0x1003), 1);
    }

    void withoutServerNothingHappensAndNothingBreaks()
    {
        ServerSwitch none("unix:/nonexistent/tonewright/native");
        QCOMPARE(mixerSelectRecordingSourceByName(L"麦克风"), 0);
        QCOMPARE(mixerSelectRecordingSource(7), 0);
        float percent = 42.0f;
        getRenderEndpointsVolume(percent);
        QCOMPARE(percent, 42.0f);
        setRenderEndpointsVolume(10.0f);
        mixerSetMicMute(true);
        std::unique_ptr<MixerWrap> mixer = std::make_unique<MixerWrap>();
        QVERIFY(mixer);
    }
};

QTEST_MAIN(TestAudioEndpoints)
#include "test_audio_endpoints.moc"
