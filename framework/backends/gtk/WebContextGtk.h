#pragma once

#include "GObjectHandleGtk.h"
#include "SandboxTrialGtk.h"

#include <webkit2/webkit2.h>

#include <cstdint>
#include <memory>

namespace platform::gtk {

// The memory a web process may use before the engine ends it, in MiB, on a
// machine with `physicalMiB` of memory: a quarter of it, at most 3 GiB (the
// engine's own ceiling for its memory-pressure levels). A social site's page
// takes well under a gigabyte; a page that keeps on allocating is ended long
// before the desktop's other programs run short.
std::uint32_t WebProcessMemoryLimitMiB(std::uint64_t physicalMiB);

// The machine's memory, in MiB.
std::uint64_t PhysicalMemoryMiB();

struct MemoryPressureSettingsFree {
    void operator()(WebKitMemoryPressureSettings* settings) const { webkit_memory_pressure_settings_free(settings); }
};
using MemoryPressureSettingsPtr = std::unique_ptr<WebKitMemoryPressureSettings, MemoryPressureSettingsFree>;

// What the web context is made with: the limit above for this machine, and
// checked every second.
MemoryPressureSettingsPtr WebProcessMemorySettings();

// The one web context every view shares: one set of web processes and one
// persistent store of cookies, caches and site data, kept between runs so a
// user who logged in to a site stays logged in. It stops every download as it
// starts, before anything is written: no page saves a file.
class WebContextGtk {
public:
    WebContextGtk() = default;
    WebContextGtk(const WebContextGtk&) = delete;
    WebContextGtk& operator=(const WebContextGtk&) = delete;

    // Made on first use: a program that never shows a page starts no engine.
    WebKitWebContext* context();

private:
    // Started with the platform, so the trial overlaps the toolkit's start.
    SandboxTrialGtk m_sandboxTrial;
    GObjectHandle<WebKitWebContext> m_context;
};

} // namespace platform::gtk
