#pragma once

#include <filesystem>
#include <optional>

namespace os {

// Takes out of the environment each of XDG_CONFIG_HOME, XDG_DATA_HOME,
// XDG_CACHE_HOME and XDG_RUNTIME_DIR that names no folder the program can
// use, with one line on standard error for each, so that the toolkit and the
// engine fall back to the default folder as for an unset one. A relative
// path, a file, a folder that can't be made or written, or one that can't be
// looked at (below a symlink loop or a folder that can't be searched, or with
// a name too long) is unusable; the runtime folder is the session's to make,
// so it must already be there.
// Nothing is made here.
// Call it before anything reads them: GLib keeps its first answer.
void KeepOnlyUsableXdgFolders();

// A folder made for this run alone; it goes, with all in it, when this does.
class RunFolder {
public:
    explicit RunFolder(std::filesystem::path path);
    RunFolder(RunFolder&& other) noexcept;
    RunFolder& operator=(RunFolder&& other) noexcept;
    ~RunFolder();

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// The engine's web processes start only where the site-data and cache
// folders can be made, and in a home folder that is a folder. Where the home
// falls short, what it can't hold (the whole home, when it is no folder or
// can't be made) goes to a folder of this run's own, with one line on
// standard error: the browser runs, and keeps nothing of it. Nothing when the
// home serves. Call it after KeepOnlyUsableXdgFolders.
std::optional<RunFolder> ProvideFoldersTheEngineNeeds();

} // namespace os
