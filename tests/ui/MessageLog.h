// Collects the messages logged while it lives (and passes them on to the previous
// handler), so a test can look for warnings and criticals of the code it runs.
#pragma once

#include <QStringList>
#include <QtGlobal>

class MessageLog
{
public:
    MessageLog() { s_previous = qInstallMessageHandler(&MessageLog::collect); }
    ~MessageLog() { qInstallMessageHandler(s_previous); }
    MessageLog(const MessageLog &) = delete;
    MessageLog &operator=(const MessageLog &) = delete;

    // Messages of at least warning level that contain the text.
    static QStringList warningsContaining(const QString &text) { return s_warnings.filter(text); }
    static void clear() { s_warnings.clear(); }

private:
    static void collect(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type != QtDebugMsg && type != QtInfoMsg)
            s_warnings << message;
        if (s_previous)
            s_previous(type, context, message);
    }

    static inline QtMessageHandler s_previous = nullptr;
    static inline QStringList s_warnings;
};
