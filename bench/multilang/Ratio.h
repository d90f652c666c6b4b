// Ratios between two pieces of work, for a machine shared with other jobs: absolute times taken
// minutes apart drift by a factor of two there, so both sides run in turn within each iteration,
// timed in the thread's processor time.
#pragma once

#include <benchmark/benchmark.h>
#include <time.h>

#include <cstdint>

inline double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// Reports the time of `first` over the time of `second` as the counter "ratio". Each side runs
// `repeats` times in a row, so that what one side pushes out of the caches costs the other side's
// first run only. Both are handed a language that alternates between 0 and 1.
template <class First, class Second>
void Ratio(benchmark::State& state, First first, Second second, int repeats = 1) {
  double a = 0, b = 0;
  std::uint8_t language = 0;
  for (auto _ : state) {
    const double t0 = ThreadSeconds();
    for (int i = 0; i < repeats; ++i) first(language ^= 1);
    const double t1 = ThreadSeconds();
    for (int i = 0; i < repeats; ++i) second(language ^= 1);
    b += ThreadSeconds() - t1;
    a += t1 - t0;
  }
  state.counters["ratio"] = a / b;
}
