#include "platform/Autostart.h"

#include "platform/ReadRegularFile.h"
#include "platform/ReplaceFile.h"
#include "platform/XdgBaseFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPair>
#include <QSet>
#include <QtDebug>

#include <cerrno>

namespace {

// Far more than any entry holds; a larger file is not read whole (nor rewritten).
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

// The keys the program owns in its entry, with the values this start gives them. Every
// other line is the user's or the desktop's (disabled, delayed, limited to a desktop).
using EntryKeys = QList<QPair<QByteArray, QByteArray>>;

EntryKeys ownedKeys(const QString &name, const QString &program, const QStringList &arguments)
{
    return {{"Type", "Application"},
            {"Name", escapeStringValue(name).toUtf8()},
            {"Exec", desktopExecValue(program, arguments).toUtf8()}};
}

QByteArray keyLine(const QPair<QByteArray, QByteArray> &key)
{
    return key.first + '=' + key.second;
}

// The entry written where there is none yet: enabled.
QByteArray freshEntry(const EntryKeys &keys)
{
    QByteArray entry = "[Desktop Entry]\n";
    for (const auto &key : keys)
        entry += keyLine(key) + '\n';
    return entry + "X-GNOME-Autostart-enabled=true\n";
}

// The entry there is, line for line, with the owned keys of its main group set to keys
// and those missing added at the top of the group.
QByteArray updatedEntry(const QByteArray &entry, const EntryKeys &keys)
{
    QList<QByteArray> lines = entry.split('\n');
    QSet<QByteArray> present;
    int header = -1;
    bool inMainGroup = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.startsWith('[')) {
            inMainGroup = line == "[Desktop Entry]";
            if (inMainGroup && header < 0)
                header = i;
            continue;
        }
        const int equals = line.indexOf('=');
        if (!inMainGroup || equals < 0)
            continue;
        const QByteArray name = line.left(equals).trimmed();
        for (const auto &key : keys) {
            if (key.first == name) {
                lines[i] = keyLine(key);
                present.insert(name);
            }
        }
    }
    QList<QByteArray> missing;
    for (const auto &key : keys) {
        if (!present.contains(key.first))
            missing << keyLine(key);
    }
    if (header < 0)
        missing.prepend("[Desktop Entry]");
    for (int i = 0; i < missing.size(); ++i)
        lines.insert(header + 1 + i, missing[i]);
    return lines.join('\n');
}

// Reads the entry at path (through a link to it) into entry: true when there is one, or
// nothing at all. Anything else (a pipe, which would hold the start until some writer
// came, a folder, a device, a file this user may not read) is no entry to read or replace:
// rewriting it from nothing would drop what the user put there, a disabled start among it.
bool readExistingEntry(const QString &path, QByteArray &entry)
{
    QString reason;
    if (readRegularFile(path, kMaxEntrySize, entry, reason) != ReadOutcome::Refused)
        return true;
    qWarning().noquote() << QStringLiteral("Autostart entry %1 left alone: %2").arg(path, reason);
    return false;
}

} // namespace

QString autostartEntryPath(const QString &name)
{
    const QString config = xdgBaseFolder("XDG_CONFIG_HOME", QStringLiteral(".config"));
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
    if (!QDir().mkpath(QFileInfo(path).path())) {
        const QString reason = qt_error_string(errno); // the failing mkdir's
        qWarning().noquote() << "Autostart entry not written: folder not made:" << QFileInfo(path).path() + QLatin1Char(':')
                             << reason;
        return false;
    }
    // An entry the user marked read-only is kept as it is, as a preset file is.
    if (markedReadOnly(path)) {
        qWarning().noquote() << QStringLiteral("Autostart entry %1 left alone: it is marked read-only").arg(path);
        return false;
    }
    // Rewritten at every start, as the program may have moved; but only the program's own
    // keys: whatever the user or the desktop's start-up settings wrote stays as it was.
    QByteArray entry;
    if (!readExistingEntry(path, entry))
        return false;
    const EntryKeys keys = ownedKeys(name, program, arguments);
    entry = entry.trimmed().isEmpty() ? freshEntry(keys) : updatedEntry(entry, keys);
    // The program's own file takes the path: an entry that is a link to another file (a
    // menu entry, say) was read through above, and is now replaced, its target untouched.
    QString error;
    if (!replaceFileContents(path, entry, &error)) {
        qWarning().noquote() << "Autostart entry not written:" << error;
        return false;
    }
    return true;
}
