// Hands whole values from a writer to a reader without either waiting for the other. The
// writer fills its own slot and swaps it with the middle one; the reader, when a fresh value
// waits in the middle, swaps its slot with that. No slot is ever in the hands of both, so the
// reader always holds a complete value: the newest one published when it last looked.
// One writer at a time (writers serialise themselves) and one reader at a time; the reader's
// side is wait-free, with no lock, no allocation and no system call.
#pragma once

#include <atomic>
#include <cstdint>

template <typename T> class TripleBuffer {
public:
    TripleBuffer() = default;
    TripleBuffer(const TripleBuffer&) = delete;
    TripleBuffer& operator=(const TripleBuffer&) = delete;

    // The writer's slot: its contents are stale until the writer fills it whole.
    T& back() { return slots_[back_]; }

    // Makes the back slot's value the newest one and takes another slot as the back one.
    void publish() { back_ = middle_.exchange(back_ | kFresh, std::memory_order_acq_rel) & kIndex; }

    // The newest complete value; it stays put until the reader's next call. Before the first
    // publish it is a value-initialised T.
    const T& acquire()
    {
        if (middle_.load(std::memory_order_relaxed) & kFresh)
            front_ = middle_.exchange(front_, std::memory_order_acq_rel) & kIndex;
        return slots_[front_];
    }

private:
    static constexpr uint8_t kIndex = 3;  // the bits that name a slot
    static constexpr uint8_t kFresh = 4;  // set while the middle slot holds an unread value

    T slots_[3] = {};
    std::atomic<uint8_t> middle_{1};
    uint8_t back_ = 0;   // the writer's slot
    uint8_t front_ = 2;  // the reader's slot
};
