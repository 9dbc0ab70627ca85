// Process facts read from /proc, in place of process snapshots and process queries.
#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace procfs {

// Every process id, ascending; nothing when /proc cannot be read.
std::optional<QList<int>> processIds();

// The file name of the process's executable ("tonewright"); empty when unknown.
// Falls back to the kernel's short command name when the executable link is not readable.
QString executableName(int pid);

// The parent's process id; -1 when the process cannot be read.
int parentProcessId(int pid);

} // namespace procfs
