#include "platform/Autostart.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// Characters that make an Exec argument need double quotes.
bool needsQuoting(const QString &argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    if (argument.isEmpty())
        return true;
    for (const QChar c : argument) {
        if (reserved.contains(c))
            return true;
    }
    return false;
}

QString quoteArgument(const QString &argument)
{
    QString arg = argument;
    arg.replace(QLatin1Char('%'), QStringLiteral("%%")); // a lone % would be a field code
    if (!needsQuoting(arg))
        return arg;
    QString quoted = QStringLiteral("\"");
    for (const QChar c : arg) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return quoted + QLatin1Char('"');
}

// The string-value escapes of a desktop entry, applied after the Exec quoting.
QString escapeStringValue(const QString &value)
{
    QString escaped;
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\': escaped += QStringLiteral("\\\\"); break;
        case '\n': escaped += QStringLiteral("\\n"); break;
        case '\t': escaped += QStringLiteral("\\t"); break;
        case '\r': escaped += QStringLiteral("\\r"); break;
        default: escaped += c;
        }
    }
    return escaped;
}

} // namespace

QString autostartEntryPath(const QString &name)
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return config + QStringLiteral("/autostart/") + name + QStringLiteral(".desktop");
}

QString desktopExecValue(const QString &program, const QStringList &arguments)
{
    QStringList parts{quoteArgument(program)};
    for (const QString &argument : arguments)
        parts << quoteArgument(argument);
    return escapeStringValue(parts.join(QLatin1Char(' ')));
}

bool writeAutostartEntry(const QString &name, const QString &program, const QStringList &arguments)
{
    const QString path = autostartEntryPath(name);
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    const QString entry = QStringLiteral("[Desktop Entry]\nType=Application\nName=") + escapeStringValue(name) +
                          QStringLiteral("\nExec=") + desktopExecValue(program, arguments) +
                          QStringLiteral("\nX-GNOME-Autostart-enabled=true\n");
    file.write(entry.toUtf8());
    return file.commit();
}
