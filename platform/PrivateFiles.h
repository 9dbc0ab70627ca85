// Folders and files that belong to this user alone. They are made and opened so that
// nothing another user planted on the way (a link, a FIFO, a folder of theirs) is
// followed, written through or waited on.
#pragma once

#include <QString>

#include <functional>

// Makes path and its missing parents (mode 0700) and then makes sure path is a real
// folder, not a link, owned by this user and closed to group and others (an own folder
// that is open to them is closed: only for folders the program names itself). False
// when it cannot be had.
bool makePrivateFolder(const QString &path);

// Opens name inside folder with flags (O_WRONLY, O_RDWR, O_APPEND, ...), creating it
// with mode 0600. Neither folder nor name is followed when it is a link, and a FIFO or
// device in name's place is neither waited on nor used. The descriptor is
// close-on-exec; -1 unless name is a regular file.
int openPrivateFile(const QString &folder, const QString &name, int flags);

// A folder for the user's session-lived files (the single-instance marker and the
// socket the running instance listens on): $XDG_RUNTIME_DIR when the session provides
// a sound one (a real folder of this user's, closed to others: it is never changed);
// else "tonewright-<uid>" in the temporary folder; when another user has taken that
// name, a folder in the user's own cache. Empty when none can be had.
QString userRuntimeFolder();

// The same choices in the same order, each offered to takes until one is taken (one
// whose file cannot be made there is passed over); the folder taken, or empty.
QString userRuntimeFolder(const std::function<bool(const QString &)> &takes);
