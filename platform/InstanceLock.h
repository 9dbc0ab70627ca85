// A named marker that one process of the user's session can hold at a time, in place of
// a named shared-memory segment or kernel object. It is an flock()ed file named by the
// key in the user's own runtime folder (userRuntimeFolder), out of other users' reach;
// taking it is one atomic step, and the kernel drops it when the holder ends in any way,
// SIGKILL included, so a stale file left behind never blocks the next holder.
#pragma once

#include <QString>

class InstanceLock
{
public:
    explicit InstanceLock(const QString &key);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    enum class Outcome {
        Taken,         // this process holds the marker now
        HeldElsewhere, // another process holds it
        Unavailable,   // no folder could carry it (or this process holds it already)
    };

    // Takes the marker. A marker file that cannot be opened in one folder (say a
    // root-owned one left by a "sudo -E" run) is logged and the next folder tried, so
    // only a marker really held by another process reads as HeldElsewhere.
    Outcome create();
    bool isHeld() const { return m_fd >= 0; }
    void release();

    // The file that carries the marker for key in the first folder choice.
    static QString pathForKey(const QString &key);

private:
    QString m_key;
    int m_fd = -1;
};
