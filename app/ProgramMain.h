#pragma once

#include <cstdint>

namespace program {

// The program's main function: starts the framework, runs the application
// and returns the exit status.
std::int32_t main();

// Builds every class record, the program's two last.
void initialize();

// Releases the class library's module-level references.
void finalize();

} // namespace program
