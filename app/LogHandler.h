// The process-wide message handler: every qDebug/qInfo/qWarning/... of any thread is
// appended to "<yyyyMMdd>/app_log.txt" in the user's log folder and echoed to standard
// output, one whole line per message.
#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <functional>

// Where the dated log folders go: "$XDG_STATE_HOME/tonewright" (~/.local/state/tonewright
// when unset). Never the working directory, which for a start from the menu or at log-on
// is the home folder.
QString logFolder();

// The handler installed by main with qInstallMessageHandler.
void logMessageOutput(QtMsgType type, const QMessageLogContext &context, const QString &message);

// The tagged log call used across the program; it deliberately writes nothing.
void debugLog(const QString &tag, const QString &message, const QString &sourceFile, const QString &function,
              int line);

// A simpler handler writing "<date time>: <text>" to one file. filePattern may hold %1,
// replaced by the date ("yyyy_MM_dd") when dated is set. The first call's values are kept
// for the life of the process. Returns the previously installed handler.
QtMessageHandler installLogHandler(const QString &filePattern, bool dated);
void myMessageOutput(QtMsgType type, const QMessageLogContext &context, const QString &message);

// The clock both handlers stamp lines and name folders with. Tests fix it; an empty
// function restores the real local time.
using LogClock = std::function<QDateTime()>;
void setLogClock(LogClock clock);
