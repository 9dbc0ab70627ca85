#include "app/LogBudget.h"

#include <algorithm>

namespace {

void refill(qint64 &allowance, qint64 elapsedMs, qint64 bytesPerSecond, qint64 reserveBytes)
{
    allowance = std::min(reserveBytes * 1000, allowance + elapsedMs * bytesPerSecond);
}

} // namespace

void LogBudget::advance(qint64 nowMs)
{
    // The wall clock set back drains and earns nothing for that step; set forward, it
    // empties the demand and fills the allowances at most.
    if (m_clockSeen && nowMs > m_lastMs) {
        const qint64 elapsed = nowMs - m_lastMs;
        m_demand = std::max<qint64>(0, m_demand - elapsed * kDrainBytesPerSecond);
        refill(m_floodAllowance, elapsed, kFloodBytesPerSecond, kFloodReserveBytes);
        refill(m_warningAllowance, elapsed, kWarningBytesPerSecond, kWarningReserveBytes);
    }
    m_lastMs = nowMs;
    m_clockSeen = true;
}

void LogBudget::ask(qint64 bytes)
{
    m_demand = std::min(kDemandCeilingBytes * 1000, m_demand + bytes * 1000);
}

LogBudget::Admission LogBudget::admit(qint64 nowMs, qint64 bytes, Level level)
{
    advance(nowMs);
    m_lastPayer = nullptr;
    const bool flooded = m_demand + bytes * 1000 > kReserveBytes * 1000;
    if (!flooded || level == Level::Always) {
        ask(bytes);
        return Admission::Line;
    }
    qint64 &allowance = level == Level::Warning ? m_warningAllowance : m_floodAllowance;
    const qint64 needed = level == Level::Ordinary && m_leftOut.lines > 0 ? std::max(bytes, kResumeBytes) : bytes;
    if (allowance >= needed * 1000) {
        ask(bytes);
        allowance -= bytes * 1000;
        m_lastPayer = &allowance;
        return Admission::Line;
    }
    // Lines left out count as asked for, so a flood stays one while it lasts; a single
    // long line no more than a flood's reserve, so it alone does not make one.
    ask(std::min(bytes, kFloodReserveBytes));
    leaveOut(bytes, false);
    if (allowance < kResumeBytes * 1000)
        return Admission::None;
    m_lastPayer = &allowance;
    return Admission::CountOnly;
}

void LogBudget::leaveOut(qint64 bytes, bool unwritten)
{
    ++m_leftOut.lines;
    m_leftOut.bytes += bytes;
    if (unwritten)
        ++m_leftOut.unwritten;
}

void LogBudget::charge(qint64 bytes)
{
    ask(bytes);
    if (m_lastPayer)
        *m_lastPayer -= bytes * 1000;
}

void LogBudget::forgetLeftOut(const LeftOut &written)
{
    m_leftOut.lines -= written.lines;
    m_leftOut.bytes -= written.bytes;
    m_leftOut.unwritten -= written.unwritten;
}

void LogBudget::restart()
{
    const LeftOut leftOut = m_leftOut;
    *this = LogBudget();
    m_leftOut = leftOut;
}
