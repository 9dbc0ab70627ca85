// Both worker threads use file-scope state (the receive buffers, the mutex, the
// handle) that is destroyed when the process exits. Whoever owns a thread, it is
// stopped and joined as soon as the event loop ends, before any of that goes away.
#pragma once

#include <QCoreApplication>

template <typename Thread>
void stopWhenTheApplicationQuits(Thread *thread)
{
    if (QCoreApplication *app = QCoreApplication::instance())
        QObject::connect(app, &QCoreApplication::aboutToQuit, thread, &Thread::stopAndWait, Qt::DirectConnection);
}
