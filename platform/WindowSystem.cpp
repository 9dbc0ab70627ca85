#include "platform/WindowSystem.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>
#include <QStringList>

#include <chrono>
#include <future>
#include <memory>
#include <thread>

#include <X11/Xlib.h>

namespace {

// The value of the last "-name value" (or "--name value") argument; null when none.
QByteArray argumentValue(int argc, char **argv, const QByteArray &name)
{
    QByteArray value;
    for (int i = 1; i + 1 < argc; ++i) {
        QByteArray argument(argv[i]);
        if (argument.startsWith("--"))
            argument.remove(0, 1);
        if (argument == name)
            value = argv[++i];
    }
    return value;
}

// The platforms Qt tries, in order: X is the build's default and the fallback of a
// Wayland session.
QStringList platformCandidates(int argc, char **argv)
{
    QByteArray platforms = qgetenv("XDG_SESSION_TYPE") == "wayland" ? "wayland;xcb" : "xcb";
    const QByteArray configured = qgetenv("QT_QPA_PLATFORM");
    if (!configured.isEmpty())
        platforms = configured;
    const QByteArray chosen = argumentValue(argc, argv, "-platform");
    if (!chosen.isNull())
        platforms = chosen;
    QStringList names;
    for (const QString &platform : QString::fromLocal8Bit(platforms).split(QLatin1Char(';')))
        names << platform.section(QLatin1Char(':'), 0, 0).toLower(); // "name:options"
    return names;
}

// How long a display may take to let the program in. Xlib waits for an answer without
// end, and so would Qt on a display that accepted the connection and never answered.
constexpr auto kDisplayAnswerTime = std::chrono::seconds(5);

enum class DisplayProbe { Opens, Refuses, Silent };

// Opens and closes the display on a thread of its own, waiting for it only so long: a
// silent display's thread is left behind, blocked, as the start ends there.
DisplayProbe probeDisplay(const QByteArray &name)
{
    auto opened = std::make_shared<std::promise<bool>>();
    std::future<bool> answer = opened->get_future();
    std::thread([name, opened] {
        Display *display = XOpenDisplay(name.constData());
        if (display)
            XCloseDisplay(display);
        opened->set_value(display != nullptr);
    }).detach();
    if (answer.wait_for(kDisplayAnswerTime) != std::future_status::ready)
        return DisplayProbe::Silent;
    return answer.get() ? DisplayProbe::Opens : DisplayProbe::Refuses;
}

// Why X cannot be had on the display Qt would open, empty when it opens.
QString missingXDisplay(int argc, char **argv)
{
    QByteArray name = argumentValue(argc, argv, "-display");
    if (name.isNull())
        name = qgetenv("DISPLAY");
    if (name.isEmpty())
        return QStringLiteral("no X display to show the window on (DISPLAY is not set)");
    switch (probeDisplay(name)) {
    case DisplayProbe::Opens:
        return QString();
    case DisplayProbe::Refuses:
        return QStringLiteral("the X display \"%1\" cannot be opened").arg(QString::fromLocal8Bit(name));
    case DisplayProbe::Silent:
        break;
    }
    return QStringLiteral("the X display \"%1\" does not answer").arg(QString::fromLocal8Bit(name));
}

// Whether a platform plugin that serves name lies where Qt looks for one.
bool platformPluginInstalled(const QString &name, int argc, char **argv)
{
    QStringList folders = QCoreApplication::libraryPaths();
    for (QString &folder : folders)
        folder += QStringLiteral("/platforms");
    QByteArray extra = argumentValue(argc, argv, "-platformpluginpath");
    if (extra.isNull())
        extra = qgetenv("QT_QPA_PLATFORM_PLUGIN_PATH");
    if (!extra.isEmpty())
        folders.prepend(QString::fromLocal8Bit(extra));
    for (const QString &folder : folders) {
        const QDir dir(folder);
        for (const QString &file : dir.entryList(QDir::Files)) {
            const QJsonObject meta = QPluginLoader(dir.filePath(file)).metaData().value(QStringLiteral("MetaData")).toObject();
            for (const QJsonValue key : meta.value(QStringLiteral("Keys")).toArray()) {
                if (key.toString().toLower() == name)
                    return true;
            }
        }
    }
    return false;
}

// Why the platform cannot start; empty when it can, or when it is none of those looked at.
QString missingPlatform(const QString &name, int argc, char **argv)
{
    if (name == QLatin1String("xcb"))
        return missingXDisplay(argc, argv);
    if (name.startsWith(QLatin1String("wayland")) && !platformPluginInstalled(name, argc, argv))
        return QStringLiteral("the Qt platform plugin \"%1\" is not installed").arg(name);
    return QString();
}

} // namespace

QString missingWindowSystem(int argc, char **argv)
{
    QStringList missing;
    for (const QString &name : platformCandidates(argc, argv)) {
        const QString why = missingPlatform(name, argc, argv);
        if (why.isEmpty())
            return QString();
        missing << why;
    }
    return missing.join(QStringLiteral("; "));
}
