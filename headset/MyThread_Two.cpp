#include "headset/MyThread_Two.h"

#include "headset/StopAtQuit.h"

#include <QDebug>

namespace {

struct SpeakerStep {
    int tick;
    int step;
    const char *logLine;
};

constexpr SpeakerStep kSteps[] = {
    {100, 1, "FrontLeft!"},       {260, 2, "Center!"},   {450, 3, "FrontRight!"},    {620, 4, "AuxiliaryRight!"},
    {810, 5, "BackRight!"},       {980, 6, "BackLeft!"}, {1160, 7, "AuxiliaryLeft!"}, {1390, 8, "Close!"},
};
constexpr int kLastStep = 8;
constexpr int kStartLogTick = 10;

} // namespace

SequencerSwitch &SequencerSwitch::operator=(int value)
{
    m_owner.switchTo(*this, value);
    return *this;
}

MyThread_Two::MyThread_Two()
{
    stopWhenTheApplicationQuits(this);
}

MyThread_Two::~MyThread_Two()
{
    stopAndWait();
}

void MyThread_Two::stopAndWait()
{
    {
        std::lock_guard<std::mutex> lock(m_wakeMutex);
        m_fQuit = true;
    }
    m_wake.notify_all();
    wait();
}

void MyThread_Two::switchTo(SequencerSwitch &which, int value)
{
    {
        std::lock_guard<std::mutex> lock(m_wakeMutex);
        // A new test: announce it before the sequencer can see the flag set, so the
        // count restarts even if no tick ran since the last stop.
        if (&which == &m_fActive && value == 1 && m_fActive.m_value.load() == 0) {
            m_fPause.m_value.store(0);
            ++m_nStartCount;
        }
        which.m_value.store(value);
    }
    m_wake.notify_all();
}

bool MyThread_Two::testRunning() const
{
    return m_fActive.m_value.load() == 1 && m_fPause.m_value.load() == 0;
}

void MyThread_Two::tickOnce()
{
    const int starts = m_nStartCount.load();
    if (starts != m_nSeenStartCount) {
        m_nSeenStartCount = starts;
        m_nTick = 0;
    }
    if (m_fActive == 0) {
        m_nTick = 0;
        return;
    }
    if (m_fPause != 0)
        return;

    ++m_nTick;
    if (m_nTick == kStartLogTick)
        qDebug() << "-------------------- Start Timer --------------------";
    for (const SpeakerStep &s : kSteps) {
        if (s.tick != m_nTick)
            continue;
        qDebug() << s.logLine;
        if (s.step == kLastStep)
            m_fActive.m_value.store(0);
        emit sendSetMicTimer(s.step);
    }
}

bool MyThread_Two::waitForRunningTest()
{
    std::unique_lock<std::mutex> lock(m_wakeMutex);
    m_wake.wait(lock, [this] { return m_fQuit || testRunning(); });
    return !m_fQuit;
}

bool MyThread_Two::sleepOneTick()
{
    // Only the end of the loop cuts a tick short: a pause or stop written meanwhile is
    // seen by the next tick, as with a plain sleep.
    std::unique_lock<std::mutex> lock(m_wakeMutex);
    return !m_wake.wait_for(lock, std::chrono::milliseconds(m_nTickMs.load()), [this] { return m_fQuit; });
}

void MyThread_Two::run()
{
    qDebug() << "thread Two... ... ... ...";
    // A running test ticks; idle or paused, the thread sleeps after one last tick (which
    // holds the count at 0 when idle) until the window writes a switch.
    for (;;) {
        tickOnce();
        if (!(testRunning() ? sleepOneTick() : waitForRunningTest()))
            return;
    }
}

void MyThread_Three::run()
{
    qDebug() << "Thread Three";
}
