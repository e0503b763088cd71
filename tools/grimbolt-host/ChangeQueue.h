// A fixed ring that one thread fills and one other thread empties, without a lock or an
// allocation: the process thread tells the main thread what it did. When full, push() drops
// the new item and says so.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>

template <typename Item, size_t Capacity> class ChangeQueue {
    static_assert(Capacity >= 2 && (Capacity & (Capacity - 1)) == 0, "a power of two");

public:
    // Producer thread only.
    bool push(const Item& item)
    {
        const size_t tail = tail_.load(std::memory_order_relaxed);
        if (tail - head_.load(std::memory_order_acquire) == Capacity)
            return false;
        items_[tail & (Capacity - 1)] = item;
        tail_.store(tail + 1, std::memory_order_release);
        return true;
    }

    // Consumer thread only.
    bool pop(Item& item)
    {
        const size_t head = head_.load(std::memory_order_relaxed);
        if (head == tail_.load(std::memory_order_acquire))
            return false;
        item = items_[head & (Capacity - 1)];
        head_.store(head + 1, std::memory_order_release);
        return true;
    }

private:
    std::array<Item, Capacity> items_{};
    std::atomic<size_t> head_{0};
    std::atomic<size_t> tail_{0};
};
