#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>

namespace os {

// Takes out of the environment each of XDG_CONFIG_HOME, XDG_DATA_HOME,
// XDG_CACHE_HOME and XDG_RUNTIME_DIR that names no folder the program can
// use, with one line on standard error for each, so that the toolkit and the
// engine fall back to the default folder as for an unset one. The engine
// writes in the data, cache and runtime folders; the preferences folder only
// needs to be read, as a place kept there is read even where a new one can't
// be written. A relative path, a file, a folder that can't be made or used
// so, or one that can't be looked at (below a symlink loop or a folder that
// can't be searched, or with a name too long) is unusable; the runtime folder
// is the session's to make, so it must already be there.
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

// A new folder of this run's own: in $TMPDIR when that is an absolute path
// where one can be made, else in /tmp. Nothing when neither can hold one.
std::optional<RunFolder> MakeRunFolder();

// What the engine needs can't be given: no folder can be made for the run.
class NoRunFolder : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The engine's web processes start only where the site-data and cache
// folders can be made, and in a home folder that is a folder whose
// preferences folder, if there, is one too. Where the home falls short, what
// it can't hold (the whole home, when it is no folder or can't be made) goes
// to a folder of this run's own, with one line on standard error: the
// browser runs, and keeps nothing of it. Nothing when the home serves.
// Throws NoRunFolder when a run folder is needed and none can be made.
// Call it after KeepOnlyUsableXdgFolders.
std::optional<RunFolder> ProvideFoldersTheEngineNeeds();

} // namespace os
