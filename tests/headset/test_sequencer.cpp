// The speaker-test sequencer, ticked by hand so every step's tick is exact.
#include "TestEnv.h"

#include "headset/MyThread_Two.h"

#include <QtTest>

// (step, tick at which it was emitted)
using Emitted = QPair<int, int>;

class TestSequencer : public QObject
{
    Q_OBJECT
public:
    static void initMain() { tw::isolateTestEnvironment(); }

private:
    MyThread_Two *m_seq = nullptr;
    QList<Emitted> m_steps;
    int m_ticks = 0; // ticks run by this test since the last start()

    void tick(int n)
    {
        for (int i = 0; i < n; ++i) {
            ++m_ticks;
            m_seq->tickOnce();
        }
    }
    void start()
    {
        m_ticks = 0;
        m_seq->m_fActive = 1;
    }
    static QList<Emitted> fullRun(int pauseAfterStep = 0, int pauseTicks = 0)
    {
        const int ticks[] = {100, 260, 450, 620, 810, 980, 1160, 1390};
        QList<Emitted> out;
        for (int i = 0; i < 8; ++i)
            out.append({i + 1, ticks[i] + (i + 1 > pauseAfterStep && pauseAfterStep ? pauseTicks : 0)});
        return out;
    }

private slots:
    void init()
    {
        m_seq = new MyThread_Two;
        m_steps.clear();
        connect(m_seq, &MyThread_Two::sendSetMicTimer, this, [this](int step) { m_steps.append({step, m_ticks}); },
                Qt::DirectConnection);
    }
    void cleanup()
    {
        delete m_seq;
        m_seq = nullptr;
    }

    void aTestStepsThroughAllEightPositionsThenFallsIdle()
    {
        tick(50);
        QVERIFY(m_steps.isEmpty()); // idle: nothing, tick held at 0
        QCOMPARE(m_seq->m_nTick, 0);

        start();
        tick(1500);
        QCOMPARE(m_steps, fullRun());
        QCOMPARE(int(m_seq->m_fActive), 0);
        QCOMPARE(m_seq->m_nTick, 0);

        m_steps.clear();
        start();
        tick(1400);
        QCOMPARE(m_steps, fullRun());
    }

    void aPauseDelaysTheRemainingStepsWithoutRepeatingAny()
    {
        start();
        tick(300); // after step 2
        m_seq->m_fPause = 1;
        tick(300);
        m_seq->m_fPause = 0;
        tick(1200);
        QCOMPARE(m_steps, fullRun(2, 300));
    }

    void aStopEndsTheTestAndTheNextStartBeginsAtStepOne()
    {
        start();
        tick(500);
        m_seq->m_fActive = 0;
        tick(1000);
        QCOMPARE(m_steps.size(), 3);

        m_steps.clear();
        start();
        tick(1400);
        QCOMPARE(m_steps, fullRun());
    }

    void aStartRightAfterAStopBeginsAtStepOne()
    {
        start();
        tick(500);
        m_seq->m_fActive = 0; // no tick between the stop and the start
        m_steps.clear();
        start();
        tick(1400);
        QCOMPARE(m_steps, fullRun());
    }

    void aStopWhilePausedDoesNotFreezeTheNextTest()
    {
        start();
        tick(200);
        m_seq->m_fPause = 1;
        tick(10);
        m_seq->m_fActive = 0;
        tick(10);
        m_steps.clear();
        start();
        tick(1400);
        QCOMPARE(m_steps, fullRun());
    }

    void theStartedThreadTicksOnItsOwnAndStops()
    {
        QList<int> steps;
        connect(m_seq, &MyThread_Two::sendSetMicTimer, this, [&](int step) { steps.append(step); },
                Qt::QueuedConnection);
        m_seq->setTickMilliseconds(1);
        m_seq->start();
        m_seq->m_fActive = 1;
        QTRY_COMPARE_WITH_TIMEOUT(steps, QList<int>({1, 2, 3, 4, 5, 6, 7, 8}), 20000);
        m_seq->stopAndWait();
        QVERIFY(m_seq->isFinished());
    }
};

QTEST_GUILESS_MAIN(TestSequencer)
#include "test_sequencer.moc"
