#include "engine/TripleBuffer.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <thread>

namespace {
// A value that is complete only when all its words agree.
using Record = std::array<long, 32>;

Record filled(long k)
{
    Record r;
    r.fill(k);
    return r;
}
}  // namespace

TEST(TripleBuffer, TheReaderGetsTheNewestValueAndKeepsItUntilItLooksAgain)
{
    TripleBuffer<Record> buffer;
    EXPECT_EQ(buffer.acquire(), filled(0)) << "nothing published yet";
    for (long k : {1L, 2L, 3L}) {
        buffer.back() = filled(k);
        buffer.publish();
    }
    const Record& held = buffer.acquire();
    EXPECT_EQ(held, filled(3)) << "the newest of three";
    buffer.back() = filled(4);  // written, not yet published
    EXPECT_EQ(held, filled(3));
    EXPECT_EQ(buffer.acquire(), filled(3));
    buffer.publish();
    EXPECT_EQ(buffer.acquire(), filled(4));
}

TEST(TripleBuffer, AReaderOnAnotherThreadOnlyEverSeesWholeValuesInOrder)
{
    TripleBuffer<Record> buffer;
    constexpr long kWrites = 100000;
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (long k = 1; k <= kWrites; ++k) {
            buffer.back() = filled(k);
            buffer.publish();
        }
        done = true;
    });
    long last = 0, torn = 0, backwards = 0;
    while (!done || last < kWrites) {
        const Record& r = buffer.acquire();
        for (long word : r)
            torn += word != r[0] ? 1 : 0;
        backwards += r[0] < last ? 1 : 0;
        last = r[0];
    }
    writer.join();
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(backwards, 0);
    EXPECT_EQ(last, kWrites);
}
