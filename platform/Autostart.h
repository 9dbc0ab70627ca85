// Starting the program at log-on: an XDG autostart entry in the user's config folder.
#pragma once

#include <QString>
#include <QStringList>

// "$XDG_CONFIG_HOME/autostart/<name>.desktop" (~/.config/autostart when unset or relative).
QString autostartEntryPath(const QString &name);

// The Exec value that runs program with arguments, quoted and escaped by the
// desktop-entry rules where needed.
QString desktopExecValue(const QString &program, const QStringList &arguments);

// Writes the entry atomically: a new one enabled; an existing one with only the keys
// the program owns (Type, Name, Exec) set, so that what the user or the desktop wrote
// into it (disabled, delayed, shown only in some desktops) stays. A link at the path is
// read through and replaced by a regular file; what it points at is never written.
// Anything else at the path that is not a regular file (a pipe, a folder, a device), and
// an entry the user marked read-only (see markedReadOnly), is left as it is, with one
// log line. Returns false (and logs why) when it could not, or
// left the path alone.
bool writeAutostartEntry(const QString &name, const QString &program, const QStringList &arguments);
