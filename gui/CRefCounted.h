// The reference-counted base of views, images and drawing contexts: created with one
// reference; the last release destroys the object. Single-threaded, no locking: every
// toolkit object belongs to the thread that owns the editor window.
#pragma once

#include <cstdint>

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
