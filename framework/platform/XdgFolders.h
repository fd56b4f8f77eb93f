#pragma once

namespace platform {

// Takes out of the environment each of XDG_CONFIG_HOME, XDG_DATA_HOME,
// XDG_CACHE_HOME and XDG_RUNTIME_DIR that names no folder the program can
// use, with one line on standard error for each, so that the toolkit and the
// engine fall back to the default folder as for an unset one. A relative
// path, a file, or a folder that can't be made or written is unusable; the
// runtime folder is the session's to make, so it must already be there.
// Nothing is made here.
// Call it before anything reads them: GLib keeps its first answer.
void KeepOnlyUsableXdgFolders();

} // namespace platform
