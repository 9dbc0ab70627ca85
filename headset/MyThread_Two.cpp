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

SequencerActiveFlag &SequencerActiveFlag::operator=(int value)
{
    // A new test: announce it before the sequencer can see the flag set, so the
    // count restarts even if no tick ran since the last stop.
    if (value == 1 && m_value.load() == 0) {
        m_owner.m_fPause = 0;
        ++m_owner.m_nStartCount;
    }
    m_value.store(value);
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
    m_fQuit = true;
    wait();
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

void MyThread_Two::run()
{
    qDebug() << "thread Two... ... ... ...";
    while (!m_fQuit) {
        tickOnce();
        QThread::msleep(static_cast<unsigned long>(m_nTickMs.load()));
    }
}

void MyThread_Three::run()
{
    qDebug() << "Thread Three";
}
