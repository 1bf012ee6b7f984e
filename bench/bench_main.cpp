// The main of the benchmark programs without windows.
#include "bench_summary.h"

int main(int argc, char** argv) {
  if (!gw::bench::InitBenchmarks(argc, argv)) return 1;
  return gw::bench::RunBenchmarks();
}
