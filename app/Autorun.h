// The start flag "-autorun" and the log-on entry that passes it.
#pragma once

#include <QString>
#include <QStringList>

// Makes the session start the program at log-on with "-autorun". Overwrites an older
// entry of the same name; failures are silent.
void setAutoRunRegistry(const QString &applicationFilePath);

// True when one of the arguments (the program path included) is exactly "-autorun".
bool isAutorunStart(const QStringList &arguments);

// Logs "test" and rewrites the log-on entry for this program.
void refreshAutoRun();
