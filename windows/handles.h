// Tiny owners that close what Win32 hands out, so that no early return leaks.
#pragma once

#include <windows.h>

#include <utility>

namespace zolvan {

// Owns a kernel handle (file, process, thread).
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        std::swap(handle_, other.handle_);
        return *this;
    }
    ~UniqueHandle() { Close(); }

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }

    // Closes now, reporting whether the close succeeded: for a file written
    // through this handle a failed close can mean lost data.
    bool Close()
    {
        if (!valid())
            return true;
        return CloseHandle(std::exchange(handle_, nullptr)) != FALSE;
    }

private:
    HANDLE handle_ = nullptr;
};

// Owns a GDI object (font, brush).
template <typename T>
class UniqueGdiObject {
public:
    UniqueGdiObject() = default;
    explicit UniqueGdiObject(T object) : object_(object) {}
    UniqueGdiObject(const UniqueGdiObject&) = delete;
    UniqueGdiObject& operator=(const UniqueGdiObject&) = delete;
    ~UniqueGdiObject()
    {
        if (object_)
            DeleteObject(object_);
    }

    T get() const { return object_; }
    void reset(T object)
    {
        if (object_)
            DeleteObject(object_);
        object_ = object;
    }

private:
    T object_ = nullptr;
};

// Owns one reference to a COM object.
template <typename T>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef()
    {
        if (object_)
            object_->Release();
    }

    T* get() const { return object_; }
    T** out() { return &object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T* object_ = nullptr;
};

}  // namespace zolvan
