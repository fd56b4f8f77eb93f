#pragma once

#include <filesystem>
#include <optional>

namespace os {

// An exclusive advisory lock on a folder, held until this goes. It is taken
// on the folder itself, so it adds nothing to it, and the system drops it
// when the process ends, however it ends: a close that died holds nothing.
class FolderLock {
public:
    // Waits until no other holder is left; nothing, with the error number in
    // `error`, when the folder can't be opened or locked, or when another
    // holder still has it after five seconds.
    static std::optional<FolderLock> Take(const std::filesystem::path& folder, int& error);

    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    ~FolderLock();

private:
    explicit FolderLock(int descriptor);

    int m_descriptor;
};

} // namespace os
