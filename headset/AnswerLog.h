// The lines the decoders write about the headset's answers. A headset that answers
// without end would have the receive thread write one line per answer, each opening
// and appending to the day's log: hundreds of megabytes an hour. So on the receive
// thread the same line is written at most a few times a second; the repeats held back
// are counted, and the count is written once that second is over or the thread ends.
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QString>

// One line of the decoders: through the limit of the calling thread when it has one,
// else straight to the log.
void logAnswerLine(const QString &line);

// The limit of the thread that creates it, for as long as it lives. Only that thread
// writes through it, so it needs no lock.
class RepeatedLineLimit
{
public:
    RepeatedLineLimit();
    ~RepeatedLineLimit(); // writes the counts still held back
    RepeatedLineLimit(const RepeatedLineLimit &) = delete;
    RepeatedLineLimit &operator=(const RepeatedLineLimit &) = delete;

    void write(const QString &line);

    // Milliseconds until a held-back count is due, -1 while none is held back: how long
    // the thread may wait before it calls writeDueCounts.
    int msUntilCountDue() const;
    // Writes the counts of the lines whose second is over, and forgets those lines.
    void writeDueCounts();

private:
    struct Seen {
        qint64 sinceMs = 0; // when this line's second began
        int written = 0;
        int heldBack = 0;
    };
    static void writeCount(const QString &line, int heldBack);

    QHash<QString, Seen> m_seen; // the lines written within the last second
    QElapsedTimer m_clock;
};
