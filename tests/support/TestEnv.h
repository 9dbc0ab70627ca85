// Gives a test process a private, empty home: HOME, the XDG folders (config, data,
// cache, state, runtime) and the working directory all point into one temporary folder,
// so Documents, the autostart entry and the daily log never touch the real user's.
#pragma once

#include <QByteArray>
#include <QString>

namespace tw {

// Call first thing in a test's initMain() (before the application object exists).
// Returns the home folder; it is removed when the process ends, and under CTest the
// next run of the same test removes what a killed run left.
QString isolateTestEnvironment();

// The whole content of a file, empty when it cannot be read.
QByteArray readFileBytes(const QString &path);

} // namespace tw
