#include "app/LogBudget.h"

#include <algorithm>
#include <utility>

void LogBudget::earn(qint64 nowMs)
{
    // The wall clock set back earns nothing for that step; set forward, it fills the
    // reserve at most.
    if (m_clockSeen && nowMs > m_lastMs)
        m_milliBytes = std::min(kReserveBytes * 1000, m_milliBytes + (nowMs - m_lastMs) * kBytesPerSecond);
    m_lastMs = nowMs;
    m_clockSeen = true;
}

bool LogBudget::admit(qint64 nowMs, qint64 bytes)
{
    earn(nowMs);
    const qint64 needed = m_leftOut.lines > 0 ? std::max(bytes, kResumeBytes) : bytes;
    if (m_milliBytes < needed * 1000) {
        ++m_leftOut.lines;
        m_leftOut.bytes += bytes;
        return false;
    }
    charge(bytes);
    return true;
}

LogBudget::LeftOut LogBudget::takeLeftOut()
{
    return std::exchange(m_leftOut, LeftOut());
}

void LogBudget::charge(qint64 bytes)
{
    m_milliBytes -= bytes * 1000;
}

void LogBudget::refill()
{
    *this = LogBudget();
}
