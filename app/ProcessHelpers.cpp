#include "app/ProcessHelpers.h"

#include "platform/InstanceLock.h"
#include "platform/ProcFs.h"
#include "platform/X11Window.h"

#include <QJsonDocument>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

// Takes the marker key for the rest of the process's life; true only when another
// process holds it (a marker that cannot be made at all counts as not yet existing).
bool anotherProcessHoldsMarker(const QString &key)
{
    static std::vector<std::unique_ptr<InstanceLock>> held;
    auto marker = std::make_unique<InstanceLock>(key);
    const InstanceLock::Outcome outcome = marker->create();
    if (outcome == InstanceLock::Outcome::Taken)
        held.push_back(std::move(marker));
    return outcome == InstanceLock::Outcome::HeldElsewhere;
}

// Names go through Latin-1 and back through the local 8-bit encoding, as the markers'
// names always have.
QString narrowed(const QString &name)
{
    return QString::fromLocal8Bit(name.toLatin1());
}

} // namespace

QString jsonObjectToText(const QJsonObject &object)
{
    if (object.isEmpty())
        return QString();
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

int findProcessIdByExeName(const QString &exeName)
{
    const std::optional<QList<int>> ids = procfs::processIds();
    if (!ids) {
        std::fputs("创建进行快照失败\n", stdout);
        std::fflush(stdout);
        return -1;
    }
    for (const int pid : *ids) {
        if (procfs::executableName(pid) == exeName)
            return pid;
    }
    return 0;
}

int getParentProcessId(int pid)
{
    return procfs::parentProcessId(pid);
}

bool activateInstanceByWindowProperty(const QString &semaphoreName, const QString &propertyName)
{
    if (!anotherProcessHoldsMarker(narrowed(semaphoreName)))
        return false;
    const x11::WindowId window = x11::findWindowWithProperty(narrowed(propertyName));
    if (window) {
        if (x11::isIconic(window))
            x11::showNormal(window);
        x11::activateWindow(window);
        if (const x11::WindowId popup = x11::transientFor(window))
            x11::activateWindow(popup);
    }
    return true;
}

int activateInstanceByMutex()
{
    const QString name = QStringLiteral("Sample07");
    if (!anotherProcessHoldsMarker(name))
        return 0;
    if (const x11::WindowId window = x11::findWindowByTitle(name)) {
        x11::showNormal(window);
        x11::clearTopmost(window);
        x11::flashWindow(window);
    }
    return 0;
}
