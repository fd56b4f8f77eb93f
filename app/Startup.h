#pragma once

namespace program {

// Hands the start-up routine to the framework and runs the event loop; reports
// whatever escapes either and returns, so the process still finalises.
void Main();

// The start-up routine the framework calls back once.
void Startup();

void InitFileTypes();
void InitPluginEntrypoints();
void ApplicationAddMenuHandlers();
void MakeDefaultView();

} // namespace program
