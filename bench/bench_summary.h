#pragma once
// The closing table of a benchmark program: each goal of the program next to its floor, from the medians of
// the samples the benchmarks recorded in the same run, so that both numbers saw the same machine load.

#include <chrono>
#include <string>
#include <string_view>

namespace gw::bench {

// One sample of a quantity (milliseconds, MiB, ...) under a key such as "startup.main.wall".
void Record(std::string_view key, double value);

// Milliseconds of wall-clock time since `start`.
inline double MsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// A line of the closing table. With a floor key the goal is a ratio to the floor; without one it is an
// upper bound in the quantity's own unit.
struct Goal {
  std::string what;
  std::string key;
  std::string floorKey;
  double limit = 0;
  std::string unit = "ms";
};

// Registers a goal at static initialisation: `const gw::bench::Goal kX = ...; GW_BENCH_GOAL(kX);`
bool AddGoal(Goal goal);
#define GW_BENCH_GOAL_CAT2(a, b) a##b
#define GW_BENCH_GOAL_CAT(a, b) GW_BENCH_GOAL_CAT2(a, b)
#define GW_BENCH_GOAL(...) \
  [[maybe_unused]] static const bool GW_BENCH_GOAL_CAT(kGoal, __LINE__) = ::gw::bench::AddGoal(__VA_ARGS__)

// Runs the benchmarks the command line selects and prints the closing table; the result is main's.
// Init strips Google Benchmark's flags from the command line (false when one is unknown).
bool InitBenchmarks(int& argc, char** argv);
int RunBenchmarks();

}  // namespace gw::bench
