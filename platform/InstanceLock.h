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

    // Takes the marker. False when another process holds it, or it cannot be made.
    bool create();
    bool isHeld() const { return m_fd >= 0; }
    void release();

    // The file that carries the marker for key.
    static QString pathForKey(const QString &key);

private:
    QString m_key;
    int m_fd = -1;
};
