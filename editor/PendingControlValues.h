// Control values handed from any thread to the thread that owns the editor window. A post is
// two lock-free stores, so the host's audio or automation thread can make it at any time; the
// window's thread takes what is pending when it next draws. Each slot keeps only its latest
// value: a slot posted twice before it is taken yields the second value once.
#pragma once

#include <atomic>
#include <cstdint>

class PendingControlValues {
public:
    static constexpr int32_t kSlots = 10;

    // Wait-free and allocation-free; slots outside 0..kSlots-1 are ignored.
    void post(int32_t slot, float value)
    {
        if (slot < 0 || slot >= kSlots)
            return;
        slots_[slot].value.store(value, std::memory_order_relaxed);
        slots_[slot].pending.store(true, std::memory_order_release);
    }

    // The latest value posted to slot since the last take, if any. A post racing with the
    // take is either taken now or left pending for the next take.
    bool take(int32_t slot, float& value)
    {
        if (!slots_[slot].pending.exchange(false, std::memory_order_acquire))
            return false;
        value = slots_[slot].value.load(std::memory_order_relaxed);
        return true;
    }

    void clear()
    {
        for (Slot& slot : slots_)
            slot.pending.store(false, std::memory_order_relaxed);
    }

private:
    struct Slot {
        std::atomic<float> value{0.0f};
        std::atomic<bool> pending{false};
    };
    static_assert(std::atomic<float>::is_always_lock_free && std::atomic<bool>::is_always_lock_free,
        "posting must not take a lock");

    Slot slots_[kSlots];
};
