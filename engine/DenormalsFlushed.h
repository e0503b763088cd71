// Flush-to-zero and denormals-are-zero for the life of the object, and the caller's
// floating-point control state back as it was afterwards. The chain's recursive states decay
// into the denormal range in silence, where every operation on them costs many times the
// normal one; hosts do not all set these modes for their plug-ins, and some restore their own
// between plug-ins, so every audio entry sets them itself. Only numbers below the normal range
// change. All our builds do their float arithmetic in SSE, which these bits govern.
#pragma once

#include <xmmintrin.h>

class DenormalsFlushed {
public:
    DenormalsFlushed()
        : saved_(_mm_getcsr())
    {
        _mm_setcsr(saved_ | kFlushToZero | kDenormalsAreZero);
    }
    ~DenormalsFlushed() { _mm_setcsr(saved_); }

    DenormalsFlushed(const DenormalsFlushed&) = delete;
    DenormalsFlushed& operator=(const DenormalsFlushed&) = delete;

private:
    static constexpr unsigned kFlushToZero = 0x8000;       // MXCSR bit 15: denormal results become 0
    static constexpr unsigned kDenormalsAreZero = 0x0040;  // MXCSR bit 6: denormal inputs read as 0

    const unsigned saved_;
};
