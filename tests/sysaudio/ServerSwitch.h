// Points the program at another sound server (or none) for one test, and back.
#pragma once

#include "platform/pulse/PulseAudio.h"

#include <QByteArray>
#include <QtGlobal>

#include <functional>

class ServerSwitch {
public:
    explicit ServerSwitch(const QByteArray &server) : m_saved(qgetenv("PULSE_SERVER"))
    {
        qputenv("PULSE_SERVER", server);
        pulse::disconnect();
    }
    // Leaves the connection alone: a later call must find its way back by itself.
    ~ServerSwitch() { qputenv("PULSE_SERVER", m_saved); }

private:
    QByteArray m_saved;
};

// The step name a volume operation raised, or "" when it raised nothing.
inline QByteArray raisedStep(const std::function<void()> &operation)
{
    try {
        operation();
    } catch (const char *step) {
        return step;
    }
    return {};
}
