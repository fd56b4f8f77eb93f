#include "FolderLock.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace os {

namespace {

// Another close holds the lock for a few milliseconds; a holder that keeps it
// longer than this is stuck, and the caller does better on its own.
constexpr auto kPatience = std::chrono::seconds(5);
constexpr auto kRetryEvery = std::chrono::milliseconds(2);

} // namespace

std::optional<FolderLock> FolderLock::Take(const std::filesystem::path& folder, int& error)
{
    FolderLock lock(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (lock.m_descriptor < 0) {
        error = errno;
        return std::nullopt;
    }
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (::flock(lock.m_descriptor, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            error = errno;
            return std::nullopt;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            error = EWOULDBLOCK;
            return std::nullopt;
        }
        std::this_thread::sleep_for(kRetryEvery);
    }
    error = 0;
    return lock;
}

FolderLock::FolderLock(int descriptor) : m_descriptor(descriptor) { }

FolderLock::FolderLock(FolderLock&& other) noexcept : m_descriptor(std::exchange(other.m_descriptor, -1)) { }

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept
{
    std::swap(m_descriptor, other.m_descriptor);
    return *this;
}

// Closing the only descriptor of the open folder drops the lock.
FolderLock::~FolderLock()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

} // namespace os
