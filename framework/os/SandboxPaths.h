#pragma once

namespace os {

// The engine's sandbox mounts what some variables name (the X authority file,
// the sound server's socket and settings, library and plug-in folders), and
// stops every web process, and with them the program, at a path below a file.
// Each such path is taken out of its variable, with one line on standard error
// for the variable, so that the sandbox is never handed one; a path that names
// nothing, or that can be looked at, stays. Call it before the first web
// process starts.
void KeepOnlyPathsTheSandboxCanMount();

} // namespace os
