#pragma once

#include <cassert>
#include <cstdint>
#include <utility>

namespace rt {

// Intrusive reference count shared by every runtime object. A new object starts
// with one reference, which adoptRef() hands to its creator.
class RefCounted {
public:
    RefCounted() = default;
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

    void ref() const
    {
        assert(!m_deletionHasBegun && "taking a reference during destruction");
        ++m_refCount;
    }

    void deref() const
    {
        assert(m_refCount > 0);
        if (--m_refCount == 0) {
#ifndef NDEBUG
            m_deletionHasBegun = true;
#endif
            delete this;
        }
    }

    std::uint32_t refCount() const
    {
        return m_refCount;
    }

protected:
    virtual ~RefCounted() = default;

private:
    mutable std::uint32_t m_refCount = 1;
#ifndef NDEBUG
    mutable bool m_deletionHasBegun = false;
#endif
};

template <class T>
class RefPtr;

// A reference that is never null.
template <class T>
class Ref {
public:
    enum AdoptTag { Adopt };
    Ref(T& object, AdoptTag) : m_ptr(&object) { }

    Ref(T& object) : m_ptr(&object) { m_ptr->ref(); }
    Ref(const Ref& other) : m_ptr(other.m_ptr) { m_ptr->ref(); }
    template <class U>
    Ref(const Ref<U>& other) : m_ptr(other.ptr())
    {
        m_ptr->ref();
    }
    Ref(Ref&& other) noexcept : m_ptr(other.leakRef()) { }
    template <class U>
    Ref(Ref<U>&& other) noexcept : m_ptr(other.leakRef())
    {
    }
    ~Ref()
    {
        if (m_ptr)
            m_ptr->deref();
    }

    Ref& operator=(Ref other) noexcept
    {
        std::swap(m_ptr, other.m_ptr);
        return *this;
    }

    T* operator->() const { return m_ptr; }
    T& operator*() const { return *m_ptr; }
    T& get() const { return *m_ptr; }
    T* ptr() const { return m_ptr; }
    operator T&() const { return *m_ptr; }

    // Hands the reference over; only RefPtr and Ref conversions use it.
    T* leakRef() { return std::exchange(m_ptr, nullptr); }

private:
    T* m_ptr;
};

// A reference that may be null: the runtime's nil.
template <class T>
class RefPtr {
public:
    RefPtr() = default;
    RefPtr(std::nullptr_t) { }
    RefPtr(T* object) : m_ptr(object)
    {
        if (m_ptr)
            m_ptr->ref();
    }
    RefPtr(T& object) : RefPtr(&object) { }
    RefPtr(const RefPtr& other) : RefPtr(other.m_ptr) { }
    template <class U>
    RefPtr(const RefPtr<U>& other) : RefPtr(other.get())
    {
    }
    RefPtr(RefPtr&& other) noexcept : m_ptr(std::exchange(other.m_ptr, nullptr)) { }
    template <class U>
    RefPtr(RefPtr<U>&& other) noexcept : m_ptr(other.leakRef())
    {
    }
    template <class U>
    RefPtr(Ref<U>&& other) noexcept : m_ptr(other.leakRef())
    {
    }
    template <class U>
    RefPtr(const Ref<U>& other) : RefPtr(other.ptr())
    {
    }
    ~RefPtr()
    {
        if (m_ptr)
            m_ptr->deref();
    }

    RefPtr& operator=(RefPtr other) noexcept
    {
        std::swap(m_ptr, other.m_ptr);
        return *this;
    }

    T* get() const { return m_ptr; }
    T* operator->() const { return m_ptr; }
    T& operator*() const { return *m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }
    bool operator!() const { return m_ptr == nullptr; }

    T* leakRef() { return std::exchange(m_ptr, nullptr); }

    friend bool operator==(const RefPtr& a, const RefPtr& b) { return a.m_ptr == b.m_ptr; }
    friend bool operator==(const RefPtr& a, std::nullptr_t) { return !a.m_ptr; }

private:
    T* m_ptr = nullptr;
};

template <class T>
Ref<T> adoptRef(T& object)
{
    assert(object.refCount() == 1);
    return Ref<T>(object, Ref<T>::Adopt);
}

// The one place objects are allocated: the count starts at one and the caller
// adopts it.
template <class T, class... Args>
Ref<T> makeRef(Args&&... args)
{
    return adoptRef(*new T(std::forward<Args>(args)...));
}

} // namespace rt
