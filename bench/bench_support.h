// Helpers the benchmark programs share: the run count from the command line
// and the median of the runs' results.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <vector>

// The first argument as a run count of at least 1, or the default.
inline int Runs_Argument(int argc, char** argv, int default_runs) {
  return argc > 1 ? std::max(1, atoi(argv[1])) : default_runs;
}

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}
