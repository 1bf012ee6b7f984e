#include "bench_summary.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace gw::bench {

namespace {

std::map<std::string, std::vector<double>, std::less<>>& Samples() {
  static std::map<std::string, std::vector<double>, std::less<>> samples;
  return samples;
}

std::vector<Goal>& Goals() {
  static std::vector<Goal> goals;
  return goals;
}

// The median of a key's samples, or a negative number when the run measured none.
double Median(const std::string& key) {
  const auto it = Samples().find(key);
  if (it == Samples().end() || it->second.empty()) return -1;
  std::vector<double> v = it->second;
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string Number(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, v >= 100 ? "%.0f" : v >= 10 ? "%.1f" : v >= 1 ? "%.2f" : "%.3f", v);
  return buf;
}

void PrintGoals() {
  bool any = false;
  for (const Goal& g : Goals()) any = any || Median(g.key) >= 0;
  if (!any) return;
  double load[3] = {};
  std::printf("\nGoals, from the medians of this run");
  if (getloadavg(load, 3) == 3) std::printf(" (load average %.2f %.2f %.2f)", load[0], load[1], load[2]);
  std::printf(":\n  %-46s %12s %12s %7s %10s\n", "", "measured", "floor", "ratio", "goal");
  for (const Goal& g : Goals()) {
    const double value = Median(g.key);
    if (value < 0) continue;
    const std::string measured = Number(value) + " " + g.unit;
    if (g.floorKey.empty()) {
      const std::string goal = "< " + Number(g.limit) + " " + g.unit;
      std::printf("  %-46s %12s %12s %7s %10s  %s\n", g.what.c_str(), measured.c_str(), "", "", goal.c_str(),
                  value < g.limit ? "met" : "MISSED");
      continue;
    }
    const double floor = Median(g.floorKey);
    if (floor <= 0) continue;
    const double ratio = value / floor;
    const std::string goal = "<= " + Number(g.limit) + "x";
    std::printf("  %-46s %12s %12s %6.2fx %10s  %s\n", g.what.c_str(), measured.c_str(),
                (Number(floor) + " " + g.unit).c_str(), ratio, goal.c_str(),
                ratio <= g.limit ? "met" : "MISSED");
  }
}

}  // namespace

void Record(std::string_view key, double value) {
  const auto it = Samples().find(key);
  if (it != Samples().end())
    it->second.push_back(value);
  else
    Samples().emplace(std::string(key), std::vector<double>{value});
}

bool AddGoal(Goal goal) {
  Goals().push_back(std::move(goal));
  return true;
}

bool InitBenchmarks(int& argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  return !benchmark::ReportUnrecognizedArguments(argc, argv);
}

int RunBenchmarks() {
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  PrintGoals();
  return 0;
}

}  // namespace gw::bench
