// How fast the log may grow. The log handler writes whatever any thread logs; a headset
// that repeats an answer without end would have the window log the same handling again
// and again, tens of kilobytes a second, until the disk is full.
//
// Ordinary use, brisk use included (a start, a preset click every second, a page
// switch every half minute), asks for some 1.7 KB a second and is written whole. What
// tells a flood from it is the rate asked for over a span of many seconds: the demand
// is a bucket that every line offered fills and that drains at 2 KB a second, so that
// a flood no faster than that grows the log by 2 KB a second at most (some 170 MB a
// day) and anything faster is limited. While the bucket holds at most a 64 KB reserve
// (a start fills a fifth of it), every line is written. Above that the log is flooded, and lines spend small allowances instead: 256
// bytes a second for debug and info lines, and 128 bytes a second from a 16 KB reserve
// of their own for warnings, so that a failed Save is recorded in a flood and a flood
// of warnings is bounded too. Critical and fatal lines are always written. Lines left
// out are counted, and the count goes into the log before the next line written (or
// alone, paid from the allowance, when the lines are too long for it), so nothing is
// dropped without a trace.
#pragma once

#include <QtGlobal>

class LogBudget
{
public:
    static constexpr qint64 kDrainBytesPerSecond = 2048;
    static constexpr qint64 kReserveBytes = 64 * 1024;
    // How far the demand may run above the reserve: a flood ends at most 8 s after the
    // rate asked for falls back below the drain.
    static constexpr qint64 kDemandCeilingBytes = kReserveBytes + 16 * 1024;
    static constexpr qint64 kFloodBytesPerSecond = 256;
    static constexpr qint64 kWarningBytesPerSecond = 128;
    static constexpr qint64 kWarningReserveBytes = 16 * 1024;
    // In a flood, once lines were left out, writing starts again only with this much in
    // hand, so the log reads as runs of whole lines between counts, not a count every
    // line.
    static constexpr qint64 kResumeBytes = 1024;
    static constexpr qint64 kFloodReserveBytes = 2 * kResumeBytes;

    enum class Level { Ordinary, Warning, Always };

    struct LeftOut {
        qint64 lines = 0;
        qint64 bytes = 0;
        qint64 unwritten = 0; // of those lines, the ones the file could not take
    };

    // What may be written of a line offered: the line (after the count, if any), or,
    // when the line is left out though its allowance has enough in hand to resume,
    // the count alone, so that a flood of lines too long to ever be written still has
    // its count come as it goes; or nothing.
    enum class Admission { Line, CountOnly, None };

    // What of a line of `bytes` bytes may be written at `nowMs` (a clock in ms): a line
    // written is paid for, one left out is counted, and whoever writes the count charges
    // it as below.
    Admission admit(qint64 nowMs, qint64 bytes, Level level);
    // A line left out for another reason: one the day's file could not take
    // (unwritten), or one raised while the log was being written.
    void leaveOut(qint64 bytes, bool unwritten);
    // Whoever writes the count pays for its line from the allowance that admitted it.
    void charge(qint64 bytes);
    // The lines left out and not yet in the log; once a count is written, those it
    // names are forgotten, and any counted meanwhile stay for the next.
    const LeftOut &leftOut() const { return m_leftOut; }
    void forgetLeftOut(const LeftOut &written);

    // Demand and allowances as at the start, for a clock of another time; the lines
    // left out stay counted.
    void restart();

private:
    void advance(qint64 nowMs);
    void ask(qint64 bytes);

    // All in thousandths of a byte: the rates are per second, the clock in ms.
    qint64 m_demand = 0;
    qint64 m_floodAllowance = kFloodReserveBytes * 1000;
    qint64 m_warningAllowance = kWarningReserveBytes * 1000;
    qint64 *m_lastPayer = nullptr; // the allowance that paid for the last line, if any
    qint64 m_lastMs = 0;
    bool m_clockSeen = false;
    LeftOut m_leftOut;
};
