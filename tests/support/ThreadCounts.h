#pragma once
// Runs pixel work on one thread and on four with strips cut small, so that every parallel
// operation can be compared byte for byte against its one-thread result on small surfaces.

#include "surface/PixelThreads.h"

#include <cstdint>

namespace pict::test {

// Sets the thread count (and, for more than one, tiny strips) and restores both when it ends.
class ThreadCount {
public:
    explicit ThreadCount(int32_t threads) : threads_(pixelThreads()), tuning_(stripTuning()) {
        setPixelThreads(threads);
        if (threads != 1)
            setStripTuning({/*minimumPixels=*/1, /*stripPixels=*/97});
    }
    ~ThreadCount() {
        setPixelThreads(threads_);
        setStripTuning(tuning_);
    }
    ThreadCount(const ThreadCount&) = delete;
    ThreadCount& operator=(const ThreadCount&) = delete;

private:
    int32_t threads_;
    StripTuning tuning_;
};

// fn() returns a result; it runs once on one thread and once on four.
template <class Fn> auto onOneAndFourThreads(Fn&& fn) {
    struct Results {
        decltype(fn()) one;
        decltype(fn()) four;
    };
    auto one = [&] {
        ThreadCount count(1);
        return fn();
    }();
    auto four = [&] {
        ThreadCount count(4);
        return fn();
    }();
    return Results{std::move(one), std::move(four)};
}

} // namespace pict::test
