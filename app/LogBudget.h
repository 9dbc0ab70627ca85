// How fast the log may grow. The log handler writes whatever any thread logs; a headset
// that repeats an answer without end would have the window log the same handling again
// and again, tens of kilobytes a second, until the disk is full. So the log spends a
// budget of bytes, refilled at a steady rate up to a reserve that a start and a run of
// ordinary clicks never use up. Lines that find the budget spent are left out and
// counted, and the count goes into the log before the next line written, so nothing is
// dropped without a trace.
#pragma once

#include <QtGlobal>

class LogBudget
{
public:
    // A minute of a flood from a full reserve: 40 KB + 60 s x 320 B, about 1 KB a second;
    // a start writes some 20 KB, a preset click 2 KB, a page switch 3 to 5 KB.
    static constexpr qint64 kBytesPerSecond = 320;
    static constexpr qint64 kReserveBytes = 40 * 1024;
    // Once lines were left out, writing starts again only with this much in hand, so a
    // flood's log reads as runs of whole lines between counts, not a count every line.
    static constexpr qint64 kResumeBytes = 512;

    struct LeftOut {
        qint64 lines = 0;
        qint64 bytes = 0;
    };

    // Whether a line of `bytes` bytes may be written at `nowMs` (a clock in ms): if so,
    // its bytes are spent; if not, it is counted as left out.
    bool admit(qint64 nowMs, qint64 bytes);
    // The lines left out since the last call; forgets them. Whoever writes the count
    // pays for its line with charge.
    LeftOut takeLeftOut();
    void charge(qint64 bytes);

    // Full again, nothing left out: for a clock of another time.
    void refill();

private:
    void earn(qint64 nowMs);

    qint64 m_milliBytes = kReserveBytes * 1000; // bytes in hand, in thousandths
    qint64 m_lastMs = 0;
    bool m_clockSeen = false;
    LeftOut m_leftOut;
};
