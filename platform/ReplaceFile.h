// Replacing a file's whole content so that the old content stays until all of the new
// is on the disk: a full disk, a failed write or a crash never leaves a truncated or
// half-written file behind.
#pragma once

#include <QByteArray>
#include <QString>

// Writes content into a new file beside path, syncs it, and renames it over path, then
// syncs the folder. The new file takes the old one's permissions (a new path gets the
// usual ones for the user's umask). Whatever stands at path is replaced, never written
// through: a symbolic link there gives way to a regular file, and its target stays as
// it was. On any failure before the rename the temporary file is removed and path is
// left exactly as it was; false is returned with the step and the system's reason in
// *error (if given). A folder that cannot be synced after the rename is reported the
// same way, the new content then being in place but not yet sure to survive a crash.
bool replaceFileContents(const QString &path, const QByteArray &content, QString *error);
