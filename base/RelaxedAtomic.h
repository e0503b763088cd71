// A value that any thread may read or write while others do the same, without a data race.
// The order is relaxed: each value stands on its own and publishes nothing else. Copies read
// and write relaxed too, so a record of these stays copyable.
#pragma once

#include <atomic>

template <typename T> class RelaxedAtomic {
public:
    RelaxedAtomic(T value = T())
        : value_(value)
    {
    }
    RelaxedAtomic(const RelaxedAtomic& other)
        : value_(other.load())
    {
    }
    RelaxedAtomic& operator=(const RelaxedAtomic& other)
    {
        store(other.load());
        return *this;
    }
    RelaxedAtomic& operator=(T value)
    {
        store(value);
        return *this;
    }
    operator T() const { return load(); }

    T load() const { return value_.load(std::memory_order_relaxed); }
    void store(T value) { value_.store(value, std::memory_order_relaxed); }

private:
    std::atomic<T> value_;
};
