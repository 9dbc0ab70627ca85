#include "headset/AnswerLog.h"

#include <QDebug>

#include <algorithm>

namespace {
constexpr qint64 kSecondMs = 1000;
// Enough for the few identical lines of one exchange (an error status in each answer
// of a preset, say); a headset that repeats itself faster is counted instead.
constexpr int kSameLinePerSecond = 5;

thread_local RepeatedLineLimit *t_limit = nullptr;

void writeLine(const QString &line)
{
    qDebug().noquote() << line;
}
} // namespace

void logAnswerLine(const QString &line)
{
    if (t_limit)
        t_limit->write(line);
    else
        writeLine(line);
}

RepeatedLineLimit::RepeatedLineLimit()
{
    m_clock.start();
    t_limit = this;
}

RepeatedLineLimit::~RepeatedLineLimit()
{
    t_limit = nullptr;
    for (auto it = m_seen.cbegin(); it != m_seen.cend(); ++it)
        writeCount(it.key(), it.value().heldBack);
}

void RepeatedLineLimit::write(const QString &line)
{
    writeDueCounts();
    Seen &seen = m_seen[line];
    if (seen.written == 0)
        seen.sinceMs = m_clock.elapsed();
    if (seen.written < kSameLinePerSecond) {
        ++seen.written;
        writeLine(line);
    } else {
        ++seen.heldBack;
    }
}

int RepeatedLineLimit::msUntilCountDue() const
{
    qint64 due = -1;
    for (const Seen &seen : m_seen) {
        if (seen.heldBack == 0)
            continue;
        const qint64 left = std::max<qint64>(0, seen.sinceMs + kSecondMs - m_clock.elapsed());
        due = due < 0 ? left : std::min(due, left);
    }
    return int(due);
}

void RepeatedLineLimit::writeDueCounts()
{
    const qint64 now = m_clock.elapsed();
    for (auto it = m_seen.begin(); it != m_seen.end();) {
        if (now - it.value().sinceMs < kSecondMs) {
            ++it;
            continue;
        }
        writeCount(it.key(), it.value().heldBack);
        it = m_seen.erase(it);
    }
}

void RepeatedLineLimit::writeCount(const QString &line, int heldBack)
{
    if (heldBack > 0)
        writeLine(QStringLiteral("[Recv - Repeated %1 more times] %2").arg(QString::number(heldBack), line));
}
