#pragma once

#include <span>

namespace cl {

using InitializationCall = void (*)();

// What start-up runs to initialise the class library, in order: the
// class-record builders of its classes, with the window list's initialiser
// third, after the records of Application and Window.
std::span<const InitializationCall> ClassLibraryInitializationCalls();

} // namespace cl
