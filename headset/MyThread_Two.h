// The speaker-test sequencer: counts 10 ms ticks while a test runs and emits the
// step number (1 to 8) at fixed ticks; step 8 ends the test.
#pragma once

#include <QThread>

#include <atomic>
#include <condition_variable>
#include <mutex>

class MyThread_Two;

// One of the sequencer's switches the window writes (start/stop, pause/resume). It
// reads and assigns like a plain int; every write wakes the sequencer, which sleeps
// while no test runs. A start also clears a pause left over from the last test and
// makes the count begin again at tick 0, however soon it follows a stop.
class SequencerSwitch
{
public:
    explicit SequencerSwitch(MyThread_Two &owner) : m_owner(owner) {}
    SequencerSwitch &operator=(int value);
    operator int() const { return m_value.load(); }

private:
    friend class MyThread_Two;
    MyThread_Two &m_owner;
    std::atomic<int> m_value{0};
};

class MyThread_Two : public QThread
{
    Q_OBJECT
public:
    MyThread_Two();
    ~MyThread_Two() override; // stops the loop and waits for it

    SequencerSwitch m_fActive{*this}; // 1 while a test runs (GUI thread writes)
    SequencerSwitch m_fPause{*this};  // 1 while the test is paused (GUI thread writes)
    int m_nTick = 0;                  // ticks since the test started (sequencer thread)

    // Length of one tick; 10 ms in the program, shorter in tests.
    void setTickMilliseconds(int ms) { m_nTickMs = ms; }

    // One tick of the loop: counts, logs and emits the step that falls on it.
    // run() calls it every tick; tests may call it on an unstarted thread.
    void tickOnce();

    // Ends the loop for good and waits for it (process end).
    void stopAndWait();

signals:
    void sendSetMicTimer(int step);

protected:
    void run() override;

private:
    friend class SequencerSwitch;
    void switchTo(SequencerSwitch &which, int value);
    bool testRunning() const;
    // Blocks while no test runs; false once the loop is to end.
    bool waitForRunningTest();
    // Sleeps one tick; false once the loop is to end.
    bool sleepOneTick();

    std::mutex m_wakeMutex;
    std::condition_variable m_wake;
    std::atomic<int> m_nStartCount{0}; // bumped by every start
    int m_nSeenStartCount = 0;
    std::atomic<int> m_nTickMs{10};
    bool m_fQuit = false; // guarded by m_wakeMutex
};

// Never started, never created by the program; kept with its log line.
class MyThread_Three : public QThread
{
    Q_OBJECT
protected:
    void run() override;
};
