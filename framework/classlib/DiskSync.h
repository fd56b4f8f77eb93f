#pragma once

#include <functional>

namespace cl {

// Flushes an open file or folder to disk: 0, or the error number.
int SyncToDisk(int descriptor);

// Lets a test see what reaches the disk, and in which order: the watcher is
// given each descriptor just before it is synced. An empty one stops watching.
void WatchDiskSyncs(std::function<void(int descriptor)> watcher);

} // namespace cl
