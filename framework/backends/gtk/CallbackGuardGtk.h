#pragma once

#include "os/TellUser.h"

#include <exception>
#include <string>
#include <type_traits>

namespace platform::gtk {

inline void reportCallbackFailure(const char* where, std::exception_ptr failure) noexcept
{
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& error) {
        os::TellUser(std::string(where) + ": " + error.what());
    } catch (...) {
        os::TellUser(std::string(where) + ": unknown exception");
    }
}

// Runs the C++ side of a GLib/GTK callback. An exception must not unwind
// through GTK's C frames, so anything thrown is reported on stderr in one line
// and the callback answers `fallback` instead.
template <typename Body, typename Result>
Result guardCallback(const char* where, Body&& body, Result fallback) noexcept
{
    try {
        return body();
    } catch (...) {
        reportCallbackFailure(where, std::current_exception());
    }
    return fallback;
}

template <typename Body>
void guardCallback(const char* where, Body&& body) noexcept
{
    static_assert(std::is_void_v<std::invoke_result_t<Body>>, "a callback that answers needs a fallback answer");
    try {
        body();
    } catch (...) {
        reportCallbackFailure(where, std::current_exception());
    }
}

} // namespace platform::gtk
