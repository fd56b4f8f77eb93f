#include "DiskSync.h"

#include <cerrno>
#include <unistd.h>

namespace cl {

namespace {

std::function<void(int)>& Watcher()
{
    static std::function<void(int)> watcher;
    return watcher;
}

} // namespace

int SyncToDisk(int descriptor)
{
    if (Watcher())
        Watcher()(descriptor);
    return ::fsync(descriptor) == 0 ? 0 : errno;
}

void WatchDiskSyncs(std::function<void(int descriptor)> watcher)
{
    Watcher() = std::move(watcher);
}

} // namespace cl
