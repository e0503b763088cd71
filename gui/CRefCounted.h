// The reference-counted base of views, images and drawing contexts: created with one
// reference; the last release destroys the object. Single-threaded, no locking: every
// toolkit object belongs to the thread that owns the editor window.
#pragma once

#include <cstdint>
#include <type_traits>
#include <utility>

class CRefCounted {
public:
    CRefCounted() = default;
    virtual ~CRefCounted() = default;
    CRefCounted(const CRefCounted&) = delete;
    CRefCounted& operator=(const CRefCounted&) = delete;

    virtual void release()
    {
        if (--retainCount_ == 0)
            delete this;
    }
    virtual void retain() { ++retainCount_; }
    int32_t getRetainCount() const { return retainCount_; }

private:
    int32_t retainCount_ = 1;
};

// Holds one reference for a scope: around calls that can reach the host, whose answer may
// release the object's last other reference (a host closing the editor from a callback).
class CKeepAlive {
public:
    explicit CKeepAlive(CRefCounted* object)
        : object_(object)
    {
        if (object_)
            object_->retain();
    }
    ~CKeepAlive()
    {
        if (object_)
            object_->release();
    }
    CKeepAlive(const CKeepAlive&) = delete;
    CKeepAlive& operator=(const CKeepAlive&) = delete;

private:
    CRefCounted* object_;
};

// Makes an object for a scope and drops the reference it was made with when the scope ends,
// on every way out: for drawing contexts, made per use. Others may retain it meanwhile.
template <class T> class CScoped {
    static_assert(std::is_base_of_v<CRefCounted, T>, "CScoped holds reference-counted objects");

public:
    template <class... Args>
    explicit CScoped(Args&&... args)
        : object_(new T(std::forward<Args>(args)...))
    {
    }
    ~CScoped() { object_->release(); }
    CScoped(const CScoped&) = delete;
    CScoped& operator=(const CScoped&) = delete;

    T* get() const { return object_; }
    T* operator->() const { return object_; }

private:
    T* object_;
};
