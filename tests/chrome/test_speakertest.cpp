// The 7.1 speaker test driven tick by tick, and the microphone's noise-cancellation
// switch, through the real window and the simulated headset.
#include "WindowTestSupport.h"

#include "TestEnv.h"

#include "headset/MyThread_Two.h"
#include "headset/UsbHidOperation.h"
#include "window/MainWindow.h"

#include <QMediaPlayer>
#include <QMovie>
#include <QSignalSpy>
#include <QtTest>

using namespace wt;

namespace {

const char *const kImages[7] = {"左上", "上", "右上", "右", "右下", "左下", "左"};

QLabel *positionLabel(MainWindow &w, int position)
{
    QLabel *labels[7] = {w.ui.label_Horn_LeftUp,    w.ui.label_Horn_Up,       w.ui.label_Horn_RightUp,
                         w.ui.label_Horn_Right,     w.ui.label_Horn_RightDown, w.ui.label_Horn_LeftDown,
                         w.ui.label_Horn_Left};
    return labels[position];
}

QString still(int position)
{
    return QStringLiteral("border-image: url(:/png/pic/png/%1.png);").arg(QString::fromUtf8(kImages[position]));
}

QString walked(int position)
{
    return position == 0 ? still(position) : QStringLiteral("QLabel{%1}").arg(still(position));
}

} // namespace

class TestSpeakerTest : public QObject
{
    Q_OBJECT
public:
    static void initMain() { tw::isolateTestEnvironment(); }

private:
    std::unique_ptr<MainWindow> m_window;
    MyThread_Two *m_sequencer = nullptr;
    std::unique_ptr<QSignalSpy> m_steps;

    MainWindow &w() { return *m_window; }
    QString buttonText() { return w().ui.pushButton_SurroundTest->text(); }
    void clickTest() { w().ui.pushButton_SurroundTest->click(); }

    // Ticks the sequencer by hand until it has emitted `count` more steps; the steps
    // stay queued for the window until deliver().
    void tickSteps(int count)
    {
        const int target = m_steps->count() + count;
        for (int guard = 0; m_steps->count() < target && guard < 2000; ++guard)
            m_sequencer->tickOnce();
        QCOMPARE(m_steps->count(), target);
    }
    void deliver() { QCoreApplication::sendPostedEvents(&w(), QEvent::MetaCall); }
    void step(int count = 1)
    {
        tickSteps(count);
        deliver();
    }

    // Every label shows its still picture and no animation is left.
    void verifyAtRest()
    {
        QCOMPARE(buttonText(), QStringLiteral("Test"));
        QCOMPARE(w().m_player, nullptr);
        QCOMPARE(w().m_nSpeakerStep, 0);
        QCOMPARE(w().m_nTestClickCount, 0);
        QVERIFY(!w().m_nSurroundTestRun);
        for (int p = 0; p < 7; ++p)
            QCOMPARE(positionLabel(w(), p)->movie(), nullptr);
        QCOMPARE(w().ui.label_Horn_Left->styleSheet(), walked(6));
    }

private slots:
    void initTestCase()
    {
        silenceDebugLog();
        recordPrompts();
    }

    void init()
    {
        recordedPrompts().clear();
        plugHeadset();
        m_window = startWindow();
        QVERIFY(g_hidDevice);
        settle(); // the start's own frames are all out before the test's are counted
        m_sequencer = w().m_pMyThreadTwo;
        QVERIFY(m_sequencer);
        // The test is the clock: the sequencer's own loop ends, and its steps reach
        // the window queued, as they do from the sequencer's thread.
        m_sequencer->stopAndWait();
        QObject::disconnect(m_sequencer, &MyThread_Two::sendSetMicTimer, &w(), nullptr);
        QObject::connect(m_sequencer, &MyThread_Two::sendSetMicTimer, &w(), &MainWindow::on_SLOTSetMicTimer_LabelUI,
                         Qt::QueuedConnection);
        m_steps = std::make_unique<QSignalSpy>(m_sequencer, &MyThread_Two::sendSetMicTimer);
        clearWrittenFrames();
    }

    void cleanup()
    {
        m_steps.reset();
        closeWindow(m_window);
        unplugAll();
    }

    void walkShowsEachPositionInTurnThenRests()
    {
        clickTest();
        QCOMPARE(buttonText(), QStringLiteral("Testing"));
        QVERIFY(w().m_player);
        QCOMPARE(w().m_player->volume(), 50);
        QVERIFY(w().m_player->media().request().url().toLocalFile().endsWith(QStringLiteral("/audio/test.wav")));
        QVERIFY(w().m_pHeadMovie);
        QCOMPARE(w().m_pHeadMovie->state(), QMovie::Running);
        QCOMPARE(w().ui.label_PersonGif->movie(), w().m_pHeadMovie);
        QCOMPARE(int(m_sequencer->m_fActive), 1);

        for (int s = 1; s <= 7; ++s) {
            step();
            const int p = s - 1;
            QCOMPARE(w().m_nSpeakerStep, s);
            QVERIFY(positionLabel(w(), p)->movie());
            QCOMPARE(positionLabel(w(), p)->movie()->state(), QMovie::Running);
            if (s > 1) {
                QCOMPARE(positionLabel(w(), p)->styleSheet(), QString());
                QCOMPARE(positionLabel(w(), p - 1)->movie(), nullptr);
                QCOMPARE(positionLabel(w(), p - 1)->styleSheet(), walked(p - 1));
            }
        }
        step(); // step 8 ends the test
        verifyAtRest();
        QCOMPARE(w().m_pHeadMovie->state(), QMovie::NotRunning);
        QCOMPARE(int(m_sequencer->m_fActive), 0);

        // The next test starts afresh with new animations and a new player.
        QMovie *oldHead = w().m_pHeadMovie;
        QPointer<QMovie> oldHeadGuard(oldHead);
        clickTest();
        QVERIFY(w().m_player);
        QVERIFY(oldHeadGuard.isNull()); // the finished test's animations were released
        step();
        QCOMPARE(w().m_nSpeakerStep, 1);
    }

    void pauseHoldsSoundStepsAndAnimations()
    {
        clickTest();
        step(2);
        QCOMPARE(w().m_nSpeakerStep, 2);
        QMovie *centre = positionLabel(w(), 1)->movie();

        clickTest(); // pause
        QCOMPARE(buttonText(), QStringLiteral("Test"));
        QVERIFY(!w().m_nSurroundTestRun);
        QCOMPARE(w().m_player->state(), QMediaPlayer::PausedState);
        QCOMPARE(int(m_sequencer->m_fPause), 1);
        QCOMPARE(centre->state(), QMovie::Paused);
        QCOMPARE(w().m_pHeadMovie->state(), QMovie::Paused);
        for (int i = 0; i < 600; ++i)
            m_sequencer->tickOnce();
        QCOMPARE(m_steps->count(), 2); // no step while paused

        // A pause does not stop the test when leaving for the start screen.
        w().main_changed();
        QCOMPARE(w().m_nTestClickCount, 2);
        QVERIFY(w().m_player);

        clickTest(); // resume
        QCOMPARE(buttonText(), QStringLiteral("Testing"));
        QCOMPARE(int(m_sequencer->m_fPause), 0);
        QCOMPARE(centre->state(), QMovie::Running);
        QCOMPARE(w().m_pHeadMovie->state(), QMovie::Running);
        step();
        QCOMPARE(w().m_nSpeakerStep, 3);
        QCOMPARE(w().m_nTestClickCount, 3);
    }

    void stopInABurstOfStepsAndRestartAtOnce()
    {
        clickTest();
        step(2);
        tickSteps(2); // steps 3 and 4 on their way
        w().main_changed();
        verifyAtRest();
        QCOMPARE(positionLabel(w(), 1)->styleSheet(), still(1));
        QCOMPARE(int(m_sequencer->m_fActive), 0);

        clickTest(); // a new test before the old steps arrive
        deliver();   // the old test's steps 3 and 4 are ignored
        QCOMPARE(w().m_nSpeakerStep, 0);
        QCOMPARE(positionLabel(w(), 2)->movie()->state(), QMovie::NotRunning);
        step();
        QCOMPARE(w().m_nSpeakerStep, 1); // the new walk begins at the first position
        QCOMPARE(positionLabel(w(), 0)->movie()->state(), QMovie::Running);

        // A tab switch stops a running test too; late steps after it change nothing.
        tickSteps(1);
        w().ui.tabWidget->tabBarClicked(1);
        deliver();
        verifyAtRest();
    }

    void pauseMeetingTheLastStepLeavesNoPauseBehind()
    {
        clickTest();
        step(7);
        tickSteps(1); // step 8 is on its way...
        clickTest();  // ...when the user pauses
        deliver();
        verifyAtRest();
        QCOMPARE(int(m_sequencer->m_fPause), 0);

        clickTest();
        QCOMPARE(buttonText(), QStringLiteral("Testing"));
        step();
        QCOMPARE(w().m_nSpeakerStep, 1);
        QCOMPARE(positionLabel(w(), 0)->movie()->state(), QMovie::Running);
    }

    void noiseCancellationSwitchSendsItsFrames()
    {
        const QString red = QStringLiteral("background-color: rgb(196,40,26)");
        w().ui.pushButton_3->click();
        QVERIFY(waitUntil([] { return framesOf(kSetSwitch).size() == 1; }));
        QCOMPARE(framesOf(kSetSwitch).last().switchArgs(), QList<int>({1, 0, 2, 0}));
        QVERIFY(w().ui.pushButton_3->styleSheet().contains(red));
        QVERIFY(!w().ui.pushButton_2->styleSheet().contains(red));

        w().ui.pushButton_2->click();
        w().ui.pushButton_2->click(); // the red button sends again
        QVERIFY(waitUntil([] { return framesOf(kSetSwitch).size() == 3; }));
        QCOMPARE(framesOf(kSetSwitch)[1].switchArgs(), QList<int>({1, 0, 1, 0}));
        QCOMPARE(framesOf(kSetSwitch)[2].switchArgs(), QList<int>({1, 0, 1, 0}));
        QVERIFY(w().ui.pushButton_2->styleSheet().contains(red));
        QVERIFY(!w().ui.pushButton_3->styleSheet().contains(red));

        QVERIFY(w().ui.checkBox_MicENC->isChecked());
        w().ui.checkBox_MicENC->click(); // unchecked: off
        w().ui.checkBox_MicENC->click(); // checked: on
        QVERIFY(waitUntil([] { return framesOf(kSetSwitch).size() == 5; }));
        QCOMPARE(framesOf(kSetSwitch)[3].switchArgs(), QList<int>({1, 0, 2, 0}));
        QCOMPARE(framesOf(kSetSwitch)[4].switchArgs(), QList<int>({1, 0, 1, 0}));
    }

    void withoutHeadsetTheTestAsksForOne()
    {
        closeWindow(m_window);
        unplugAll();
        m_window = startWindow();
        QVERIFY(!g_hidDevice);
        clearWrittenFrames();
        clickTest();
        QCOMPARE(recordedPrompts(), QStringList{QStringLiteral("warning|Please Insert Device!")});
        QCOMPARE(buttonText(), QStringLiteral("Test"));
        QCOMPARE(w().m_nTestClickCount, 0);
        QCOMPARE(w().m_player, nullptr);
        w().ui.pushButton_2->click();
        w().ui.pushButton_3->click();
        settle();
        QVERIFY(writtenFrames().isEmpty());
    }
};

QTEST_MAIN(TestSpeakerTest)
#include "test_speakertest.moc"
