#include "app/Autorun.h"

#include "platform/Autostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QtDebug>

namespace {
const QString kAutorunFlag = QStringLiteral("-autorun");
}

void setAutoRunRegistry(const QString &applicationFilePath)
{
    writeAutostartEntry(QFileInfo(applicationFilePath).completeBaseName(),
                        QDir::toNativeSeparators(applicationFilePath), {kAutorunFlag});
}

bool isAutorunStart(const QStringList &arguments)
{
    return arguments.contains(kAutorunFlag, Qt::CaseSensitive);
}

void refreshAutoRun()
{
    qDebug() << "test";
    setAutoRunRegistry(QCoreApplication::applicationFilePath());
}
