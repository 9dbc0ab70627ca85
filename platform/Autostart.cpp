#include "platform/Autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// Far more than any entry holds; a larger file is not read whole.
constexpr qint64 kMaxEntrySize = 64 * 1024;

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

// The user's say in the desktop's start-up settings, read from the entry there.
struct StartupChoice {
    bool hidden = false;         // "Hidden=true": the entry counts as deleted
    bool gnomeDisabled = false;  // "X-GNOME-Autostart-enabled=false"
};

StartupChoice readStartupChoice(const QString &path)
{
    StartupChoice choice;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return choice;
    bool inMainGroup = false;
    for (const QByteArray &raw : file.read(kMaxEntrySize).split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[')) {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const int equals = line.indexOf('=');
        if (!inMainGroup || equals < 0)
            continue;
        const QByteArray key = line.left(equals).trimmed();
        const QByteArray value = line.mid(equals + 1).trimmed();
        if (key == "Hidden")
            choice.hidden = value == "true";
        else if (key == "X-GNOME-Autostart-enabled")
            choice.gnomeDisabled = value == "false";
    }
    return choice;
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
    // Rewritten at every start, as the program may have moved; but a user who turned the
    // entry off in the desktop's start-up settings keeps it off.
    const StartupChoice choice = readStartupChoice(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QString entry = QStringLiteral("[Desktop Entry]\nType=Application\nName=") + escapeStringValue(name) +
                    QStringLiteral("\nExec=") + desktopExecValue(program, arguments) + QLatin1Char('\n');
    if (choice.hidden)
        entry += QStringLiteral("Hidden=true\n");
    entry += QStringLiteral("X-GNOME-Autostart-enabled=") +
             (choice.gnomeDisabled ? QStringLiteral("false") : QStringLiteral("true")) + QLatin1Char('\n');
    file.write(entry.toUtf8());
    return file.commit();
}
