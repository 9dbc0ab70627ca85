#include "platform/XdgBaseFolders.h"

#include <QDir>

QString xdgFolderFromEnvironment(const char *variable)
{
    const QString value = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(value) ? value : QString();
}

QString xdgBaseFolder(const char *variable, const QString &homeDefault)
{
    const QString folder = xdgFolderFromEnvironment(variable);
    return folder.isEmpty() ? QDir::homePath() + QLatin1Char('/') + homeDefault : folder;
}

void dropInvalidXdgFolders()
{
    for (const char *variable :
         {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME", "XDG_RUNTIME_DIR"}) {
        if (xdgFolderFromEnvironment(variable).isEmpty())
            qunsetenv(variable);
    }
}
