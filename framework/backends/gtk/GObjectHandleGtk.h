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
        handle.m_object = object;
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

    GObjectHandle(const GObjectHandle& other) : m_object(other.m_object)
    {
        if (m_object)
            g_object_ref(m_object);
    }

    GObjectHandle(GObjectHandle&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) { }

    GObjectHandle& operator=(GObjectHandle other) noexcept
    {
        std::swap(m_object, other.m_object);
        return *this;
    }

    ~GObjectHandle() { reset(); }

    void reset() noexcept
    {
        if (T* object = std::exchange(m_object, nullptr))
            g_object_unref(object);
    }

    T* get() const noexcept { return m_object; }
    explicit operator bool() const noexcept { return m_object != nullptr; }

private:
    T* m_object = nullptr;
};

} // namespace platform::gtk
