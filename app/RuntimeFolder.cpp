#include "app/RuntimeFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

// The build passes the install's data folder relative to the installed program.
#ifndef TW_INSTALLED_DATA_FROM_PROGRAM
#define TW_INSTALLED_DATA_FROM_PROGRAM "../share/tonewright"
#endif

namespace {

// The preset defaults are the one folder nothing works without, so they mark the place.
bool holdsRuntimeFiles(const QString &folder)
{
    return QFileInfo(folder + QStringLiteral("/DefaultFile")).isDir();
}

} // namespace

QString runtimeFilesFolder()
{
    const QString program = QCoreApplication::applicationDirPath();
    if (holdsRuntimeFiles(program))
        return program;
    const QString installed = QDir::cleanPath(program + QStringLiteral("/" TW_INSTALLED_DATA_FROM_PROGRAM));
    return holdsRuntimeFiles(installed) ? installed : program;
}
