// Reading a small file the user may have put anything in place of: a pipe, a folder, a
// device or a huge file at the path must neither hold the program nor be read.
#pragma once

#include <QByteArray>
#include <QString>

enum class ReadOutcome {
    Read,    // a regular file of at most the given size, read whole
    Missing, // nothing at the path (or a link to nothing)
    Refused, // something else, or a file that could not be read: see the reason
};

// Reads the regular file at path (through a link to one) into content when it holds at
// most maxBytes. Nothing but a regular file is opened, the open never waits, and what was
// opened is looked at again, so that a pipe put in the file's place meanwhile is not
// read. On Refused, reason says why in a few words ("it is a pipe", the system's error).
ReadOutcome readRegularFile(const QString &path, qint64 maxBytes, QByteArray &content, QString &reason);
