#include "app/RuntimeFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

// The build passes the install's data folder relative to the installed program.
#ifndef TW_INSTALLED_DATA_FROM_PROGRAM
#define TW_INSTALLED_DATA_FROM_PROGRAM "../share/tonewright"
#endif

// The udev rule: where the source tree keeps it, and where the install puts it (relative
// to the installed program, or absolute when the rule goes to a fixed system folder).
#ifndef TW_SOURCE_UDEV_RULE
#define TW_SOURCE_UDEV_RULE "packaging/70-tonewright.rules"
#endif
#ifndef TW_INSTALLED_UDEV_RULE
#define TW_INSTALLED_UDEV_RULE "../lib/udev/rules.d/70-tonewright.rules"
#endif

namespace {

// udev's rule folders, as systemd-udevd and udevadm are built to search them.
const char *const kUdevRuleFolders[] = {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/local/lib/udev/rules.d",
                                        "/usr/lib/udev/rules.d", "/lib/udev/rules.d"};

// The folder with links resolved where it exists (/lib is a link to /usr/lib on most
// systems), else as written, cleaned.
QString resolvedFolder(const QString &folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) : canonical;
}

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

QString udevRuleFile()
{
    const QString program = QCoreApplication::applicationDirPath();
    const QString source = QStringLiteral(TW_SOURCE_UDEV_RULE);
    if (holdsRuntimeFiles(program) && QFileInfo::exists(source))
        return source;
    const QString installed = QStringLiteral(TW_INSTALLED_UDEV_RULE);
    return QDir::isAbsolutePath(installed) ? installed : QDir::cleanPath(program + QLatin1Char('/') + installed);
}

bool udevReadsRuleFile(const QString &ruleFile)
{
    const QString folder = resolvedFolder(QFileInfo(ruleFile).absolutePath());
    for (const char *udevFolder : kUdevRuleFolders) {
        if (folder == resolvedFolder(QString::fromLatin1(udevFolder)))
            return true;
    }
    return false;
}
