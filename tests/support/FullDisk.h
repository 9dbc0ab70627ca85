// A full disk for one folder, without root: the test process runs with
// full_disk_preload.c preloaded, which fails writes under the folder with ENOSPC once
// a budget of bytes is spent.
#pragma once

#include <QString>

namespace tw {

// Makes sure the library is loaded: when it is not, the test executes itself again
// with it preloaded (and tells the sanitizer runtime that it need not come first).
// Call first thing in main, before the application object exists.
void loadFullDiskPreload(char *argv[]);

// From now on the files under folder take budget bytes more and then fail with ENOSPC
// (a budget below 0: no limit). delayed: the writes are taken and fsync and close fail
// instead, as on a disk that allocates late. False when the library is not loaded.
bool setFullDisk(const QString &folder, qint64 budget, bool delayed = false);

// How many writes, syncs and closes the full disk has failed so far (-1: not loaded).
qint64 fullDiskRefusals();

} // namespace tw
