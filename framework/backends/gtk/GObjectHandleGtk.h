#pragma once

#include <glib-object.h>

#include <utility>

namespace platform::gtk {

// One strong reference to a GObject, dropped when the handle goes.
template <typename T>
class GObjectHandle {
public:
    GObjectHandle() = default;

    // Takes over the full reference a *_new() function hands back.
    static GObjectHandle adopt(T* object)
    {
        GObjectHandle handle;
        handle.object_ = object;
        return handle;
    }

    // Takes a reference of our own. Fresh widgets are floating, and sinking
    // makes that reference ours; on an object someone else already owns (a
    // toplevel GtkWindow belongs to GTK's window list) it adds one.
    static GObjectHandle refSink(T* object)
    {
        if (object)
            g_object_ref_sink(object);
        return adopt(object);
    }

    GObjectHandle(const GObjectHandle& other) : object_(other.object_)
    {
        if (object_)
            g_object_ref(object_);
    }

    GObjectHandle(GObjectHandle&& other) noexcept : object_(std::exchange(other.object_, nullptr)) { }

    GObjectHandle& operator=(GObjectHandle other) noexcept
    {
        std::swap(object_, other.object_);
        return *this;
    }

    ~GObjectHandle() { reset(); }

    void reset() noexcept
    {
        if (T* object = std::exchange(object_, nullptr))
            g_object_unref(object);
    }

    T* get() const noexcept { return object_; }
    explicit operator bool() const noexcept { return object_ != nullptr; }

private:
    T* object_ = nullptr;
};

} // namespace platform::gtk
