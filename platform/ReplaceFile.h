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
// The temporary is named ".<file name>.tw-<random number in base 36>". Temporaries that
// earlier calls for path left behind (a crash between creating and renaming one) are
// removed first: only regular files of this user named exactly so, and at least a
// minute old, so that another writer's temporary in progress stays.
bool replaceFileContents(const QString &path, const QByteArray &content, QString *error);

// A file the user marked read-only, which the program's writers leave as it is: its
// owner's write bit is off (through a link, the target's). The bit decides, not
// access(), so that a process that could write the file anyway (root's) leaves it too.
// False when there is no file.
bool markedReadOnly(const QString &path);
